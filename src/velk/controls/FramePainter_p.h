#pragma once

// The frames and glyphs the self-drawn controls share (buttons, labels, menu bars), drawn
// on a pixel canvas. Rectangles are inclusive: right() and bottom() are the last pixels.

#include <velk/common/Color.h>

#include <QRect>

namespace velk {

class Canvas;

namespace FramePainter {

inline constexpr Color White = 0xFFFFFF;
inline constexpr Color Black = 0x000000;
inline constexpr Color Gray = 0x808080;            ///< (128,128,128): disabled text, silhouettes
inline constexpr Color HotFace = 0xFFD2D2;         ///< (210,210,255)
inline constexpr Color PressedFace = 0xFFAAAA;     ///< (170,170,255)
inline constexpr Color SelectedFace = 0xFFC8C8;    ///< (200,200,255)
inline constexpr Color LightGray = 0xC8C8C8;       ///< (200,200,200)

/// A three-dimensional raised frame: light top and left, shadow and dark bottom and right.
void raised(Canvas &canvas, const QRect &r);
/// The raised frame turned in: dark top and left.
void sunken(Canvas &canvas, const QRect &r);
/// One-pixel raised and sunken frames (toolbar buttons).
void thinRaised(Canvas &canvas, const QRect &r);
void thinSunken(Canvas &canvas, const QRect &r);
/// A face with corners rounded by `radius` pixels, filled and outlined.
void roundedFace(Canvas &canvas, const QRect &r, int radius, Color fill, Color line);
/// A dotted focus frame.
void focusFrame(Canvas &canvas, const QRect &r);
/// The drop-down arrow (the symbol font's "6") with its cell's top left at (x, y).
void dropArrow(Canvas &canvas, int x, int y, Color color);
/// Width in pixels of the drop-down arrow cell.
inline constexpr int DropArrowWidth = 12;

} // namespace FramePainter
} // namespace velk
