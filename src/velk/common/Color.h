#pragma once

#include <QtGlobal>

namespace velk {

/// A colour as one 32-bit value: red + 256·green + 65536·blue. Values from
/// 0x80000000 up name system colours (low byte = the system colour index) and are
/// resolved from the application palette when drawing.
using Color = quint32;

namespace SystemColor {
inline constexpr Color WindowBackground = 0x80000005;
inline constexpr Color WindowText = 0x80000008;
inline constexpr Color Highlight = 0x8000000D;
inline constexpr Color HighlightText = 0x8000000E;
inline constexpr Color ButtonFace = 0x8000000F;
inline constexpr Color ButtonShadow = 0x80000010;
inline constexpr Color GrayText = 0x80000011;
inline constexpr Color ButtonText = 0x80000012;
inline constexpr Color ButtonHighlight = 0x80000014;
}

constexpr bool isSystemColor(Color c) { return (c & 0x80000000u) != 0; }
constexpr Color rgbColor(int r, int g, int b) { return Color(r) + 256u * Color(g) + 65536u * Color(b); }
constexpr int redOf(Color c) { return int(c & 0xFF); }
constexpr int greenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return int((c >> 16) & 0xFF); }

} // namespace velk
