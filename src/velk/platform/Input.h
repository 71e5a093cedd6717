#pragma once

// Qt input translated into the values the controls' handlers take: the library's key
// codes, mouse buttons 1/2/4, shift state Shift 1 + Ctrl 2 + Alt 4, and wheel messages.

#include <velk/velk_export.h>

#include <Qt>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace velk {

namespace KeyCode {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Return = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Menu = 18; ///< Alt
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Apps = 93; ///< the context-menu key
inline constexpr int F1 = 112; ///< F1..F12 are 112..123
inline constexpr int F2 = 113;
inline constexpr int F10 = 121;
inline constexpr int F12 = 123;
} // namespace KeyCode

namespace MouseButton {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}

namespace ShiftState {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}

/// The key code of a Qt key (letters as upper-case "A".."Z" = 65..90, digits
/// 48..57); 0 for keys without one.
VELK_EXPORT int keyCodeFromQt(int qtKey);
/// The Qt key of a key code (the inverse of keyCodeFromQt); 0 when unknown.
VELK_EXPORT int qtKeyFromKeyCode(int keyCode);
/// The key code of a key event: keyCodeFromQt of its key, except that digits and operators
/// of the numeric pad get their own codes (digits 96..105, * 106, + 107, - 109, decimal
/// separator 110, / 111); 0 for nullptr.
VELK_EXPORT int keyCodeOf(const QKeyEvent *event);
/// The character code a key press types, as a key-press handler receives it: the typed
/// character (Ctrl+A gives 1), Backspace 8, Enter 13, Escape 27; 0 when it types nothing.
VELK_EXPORT int keyAsciiOf(const QKeyEvent *event);
/// 1 left, 2 right, 4 middle; 0 for others.
VELK_EXPORT int buttonFromQt(Qt::MouseButton button);
/// Sum of the buttons held.
VELK_EXPORT int buttonsFromQt(Qt::MouseButtons buttons);
/// Shift 1 + Ctrl 2 + Alt 4.
VELK_EXPORT int shiftStateFromQt(Qt::KeyboardModifiers modifiers);

/// A mouse event as the controls' MouseDown/MouseMove/MouseUp handlers take it.
struct MouseInput
{
    int button = 0; ///< the pressed or released button; for a move, the buttons held
    int shift = 0;
    float x = 0;    ///< in the control's unit
    float y = 0;
};
/// The event's values, its position multiplied by `unitsPerPixel` (15 for twips).
VELK_EXPORT MouseInput mouseInputOf(const QMouseEvent *event, double unitsPerPixel = 1.0);

/// The keys a wheel message carries, a sum (its own values, apart from ShiftState's).
namespace WheelKey {
inline constexpr int Shift = 4;
inline constexpr int Ctrl = 8;
}
/// One notch of a wheel turn.
inline constexpr int WheelNotch = 120;

/// A wheel message as the controls' ScrollWheel handlers take it.
struct WheelInput
{
    int keys = 0;  ///< WheelKey::Shift + WheelKey::Ctrl
    int delta = 0; ///< WheelNotch per notch, positive away from the user
    int x = 0;     ///< screen position in pixels
    int y = 0;
};
/// The wheel message of a Qt wheel event. A sideways turn arrives as a turn with Shift
/// held, which is what scrolls sideways.
VELK_EXPORT WheelInput wheelInputOf(const QWheelEvent *event);
/// Whether a wheel message's keys ask to scroll sideways (Shift held).
inline bool wheelScrollsSideways(int keys) { return (keys & WheelKey::Shift) != 0; }

/// Sums wheel deltas into whole notches; what is left of a notch is kept for the next turn.
class WheelNotches
{
public:
    /// The whole notches `delta` completes, positive away from the user.
    int add(int delta)
    {
        m_rest += delta;
        const int notches = m_rest / WheelNotch;
        m_rest %= WheelNotch;
        return notches;
    }

private:
    int m_rest = 0;
};

} // namespace velk
