#include "Input.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace velk {

namespace {

struct KeyPair
{
    int qtKey;
    int keyCode;
};

// Keys whose codes are not simply their character. Qt names a key by the character it
// typed, a key code names the key itself, so shifted and AltGr characters are mapped back
// to their key on the German layout the application is used with ("!" is Shift+1: 49). Where
// several Qt keys share a code, the first row is the one the reverse look-up gives.
constexpr KeyPair namedKeys[] = {
    {Qt::Key_Backspace, KeyCode::Back},
    {Qt::Key_Tab, KeyCode::Tab},
    {Qt::Key_Backtab, KeyCode::Tab},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, KeyCode::Return},
    {Qt::Key_Enter, KeyCode::Return},
    {Qt::Key_Shift, KeyCode::Shift},
    {Qt::Key_Control, KeyCode::Control},
    {Qt::Key_Alt, KeyCode::Menu},
    {Qt::Key_AltGr, KeyCode::Menu},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, KeyCode::Escape},
    {Qt::Key_Space, KeyCode::Space},
    {Qt::Key_PageUp, KeyCode::PageUp},
    {Qt::Key_PageDown, KeyCode::PageDown},
    {Qt::Key_End, KeyCode::End},
    {Qt::Key_Home, KeyCode::Home},
    {Qt::Key_Left, KeyCode::Left},
    {Qt::Key_Up, KeyCode::Up},
    {Qt::Key_Right, KeyCode::Right},
    {Qt::Key_Down, KeyCode::Down},
    {Qt::Key_Select, 41},
    {Qt::Key_Print, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_SysReq, 44},
    {Qt::Key_Insert, KeyCode::Insert},
    {Qt::Key_Delete, KeyCode::Delete},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, KeyCode::Apps},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Shifted digits.
    {Qt::Key_Exclam, '1'},
    {Qt::Key_QuoteDbl, '2'},
    {Qt::Key_section, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_Ampersand, '6'},
    {Qt::Key_Slash, '7'},
    {Qt::Key_BraceLeft, '7'},
    {Qt::Key_ParenLeft, '8'},
    {Qt::Key_BracketLeft, '8'},
    {Qt::Key_ParenRight, '9'},
    {Qt::Key_BracketRight, '9'},
    {Qt::Key_Equal, '0'},
    {Qt::Key_BraceRight, '0'},
    {Qt::Key_At, 'Q'},
    {Qt::Key_mu, 'M'},
    // Punctuation keys with their shifted and AltGr characters.
    {Qt::Key_Udiaeresis, 186},
    {Qt::Key_Plus, 187},
    {Qt::Key_Asterisk, 187},
    {Qt::Key_AsciiTilde, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Semicolon, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Colon, 190},
    {Qt::Key_NumberSign, 191},
    {Qt::Key_Apostrophe, 191},
    {Qt::Key_Odiaeresis, 192},
    {Qt::Key_ssharp, 219},
    {Qt::Key_Question, 219},
    {Qt::Key_Backslash, 219},
    {Qt::Key_AsciiCircum, 220},
    {Qt::Key_Dead_Circumflex, 220},
    {Qt::Key_degree, 220},
    {Qt::Key_acute, 221},
    {Qt::Key_Dead_Acute, 221},
    {Qt::Key_QuoteLeft, 221},
    {Qt::Key_Dead_Grave, 221},
    {Qt::Key_Adiaeresis, 222},
    {Qt::Key_Less, 226},
    {Qt::Key_Greater, 226},
    {Qt::Key_Bar, 226},
};

constexpr int numpadZero = 96;
constexpr int functionKeyCount = 24;

// Keys of the numeric pad have codes of their own, told apart by the keypad modifier.
int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return numpadZero + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

} // namespace

int keyCodeFromQt(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // the same ASCII values in both
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + functionKeyCount)
        return KeyCode::F1 + (qtKey - Qt::Key_F1);
    for (const KeyPair &pair : namedKeys) {
        if (pair.qtKey == qtKey)
            return pair.keyCode;
    }
    return 0;
}

int qtKeyFromKeyCode(int keyCode)
{
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9'))
        return keyCode;
    if (keyCode >= KeyCode::F1 && keyCode < KeyCode::F1 + functionKeyCount)
        return Qt::Key_F1 + (keyCode - KeyCode::F1);
    if (keyCode >= numpadZero && keyCode <= numpadZero + 9)
        return Qt::Key_0 + (keyCode - numpadZero);
    switch (keyCode) {
    case 107:
        return Qt::Key_Plus;
    case 109:
        return Qt::Key_Minus;
    case 110:
        return Qt::Key_Period;
    case 111:
        return Qt::Key_Slash;
    default:
        break;
    }
    for (const KeyPair &pair : namedKeys) {
        if (pair.keyCode == keyCode)
            return pair.qtKey;
    }
    return 0;
}

int keyCodeOf(const QKeyEvent *event)
{
    if (!event)
        return 0;
    if (event->modifiers().testFlag(Qt::KeypadModifier)) {
        if (const int code = keypadCode(event->key()))
            return code;
    }
    return keyCodeFromQt(event->key());
}

int keyAsciiOf(const QKeyEvent *event)
{
    if (!event)
        return 0;
    switch (event->key()) {
    case Qt::Key_Backspace:
        return KeyCode::Back;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCode::Return;
    case Qt::Key_Escape:
        return KeyCode::Escape;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    // Control characters other than the ones above come from Ctrl+letter and keep their
    // value (Ctrl+A gives 1); delete and unprintable Qt texts give nothing.
    return c == 0x7F ? 0 : int(c);
}

int buttonFromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return 0;
    }
}

int buttonsFromQt(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? MouseButton::Left : 0)
        | (buttons.testFlag(Qt::RightButton) ? MouseButton::Right : 0)
        | (buttons.testFlag(Qt::MiddleButton) ? MouseButton::Middle : 0);
}

int shiftStateFromQt(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? ShiftState::Shift : 0)
        | (modifiers.testFlag(Qt::ControlModifier) ? ShiftState::Ctrl : 0)
        | (modifiers.testFlag(Qt::AltModifier) ? ShiftState::Alt : 0);
}

MouseInput mouseInputOf(const QMouseEvent *event, double unitsPerPixel)
{
    MouseInput m;
    m.button = event->type() == QEvent::MouseMove ? buttonsFromQt(event->buttons()) : buttonFromQt(event->button());
    m.shift = shiftStateFromQt(event->modifiers());
    m.x = float(event->position().x() * unitsPerPixel);
    m.y = float(event->position().y() * unitsPerPixel);
    return m;
}

WheelInput wheelInputOf(const QWheelEvent *event)
{
    WheelInput w;
    if (event->modifiers() & Qt::ShiftModifier)
        w.keys |= WheelKey::Shift;
    if (event->modifiers() & Qt::ControlModifier)
        w.keys |= WheelKey::Ctrl;
    w.delta = event->angleDelta().y();
    if (w.delta == 0 && event->angleDelta().x() != 0) {
        w.delta = event->angleDelta().x();
        w.keys |= WheelKey::Shift;
    }
    const QPointF global = event->globalPosition();
    w.x = int(global.x());
    w.y = int(global.y());
    return w;
}

} // namespace velk
