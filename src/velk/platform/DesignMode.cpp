#include "DesignMode.h"

#include <QMetaObject>
#include <QVariant>
#include <QWidget>

namespace velk {
namespace {
// The "_q_" prefix keeps Designer from listing the mark in its property editor and .ui files.
constexpr char kDesignMode[] = "_q_velk_designMode";
}

bool isDesignMode(const QWidget *widget)
{
    return widget && widget->property(kDesignMode).toBool();
}

void setDesignMode(QWidget *widget, bool on)
{
    if (!widget || isDesignMode(widget) == on)
        return;
    widget->setProperty(kDesignMode, on ? QVariant(true) : QVariant());
    // The control draws itself again in its new mode (a sheet without rows shows its
    // columns, a frame its boxes).
    if (widget->metaObject()->indexOfMethod("Refresh()") >= 0)
        QMetaObject::invokeMethod(widget, "Refresh");
    widget->update();
}

} // namespace velk
