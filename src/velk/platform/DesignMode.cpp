#include "DesignMode.h"

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
    if (widget)
        widget->setProperty(kDesignMode, on ? QVariant(true) : QVariant());
}

} // namespace velk
