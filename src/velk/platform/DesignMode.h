#pragma once

#include <velk/velk_export.h>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace velk {

/// Whether `widget` was created by a form designer (the Designer plugin marks every
/// control it creates). Controls use it to stay still at design time: no hover timers,
/// placeholders instead of live content. The child controls of a marked control count as
/// marked too.
VELK_EXPORT bool isDesignMode(const QWidget *widget);
/// Marks `widget` as created by a form designer (or not).
VELK_EXPORT void setDesignMode(QWidget *widget, bool on = true);

} // namespace velk
