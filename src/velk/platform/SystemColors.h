#pragma once

// Colours as the controls store them (velk::Color) turned into QColors and back. System
// colours (0x80000000 + index) take their values from a palette when drawn, so the
// controls follow the desktop's colour scheme.

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace velk {

/// The QColor of `c`: a plain colour as red + 256·green + 65536·blue (bits above 23
/// ignored), a system colour from the matching role of `palette` (window 5 → Base,
/// window text 8 → Text, button face 15 → Button, ...). An unknown system colour index
/// gives black.
VELK_EXPORT QColor resolveColor(Color c, const QPalette &palette = QGuiApplication::palette());
/// The plain colour value of `color` (alpha dropped); 0 (black) for an invalid colour.
VELK_EXPORT Color colorFromQColor(const QColor &color);

} // namespace velk
