#include "DesignMode.h"

#include <QMetaObject>
#include <QVariant>
#include <QWidget>

namespace velk {
namespace {
// The "_q_" prefix keeps Designer from listing the mark in its property editor and .ui files.
constexpr char kDesignMode[] = "_q_velk_designMode";
}

// A control inside a designed control (a button of a composite control) is designed too.
bool isDesignMode(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->property(kDesignMode).toBool())
            return true;
    }
    return false;
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
