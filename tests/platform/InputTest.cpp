#include <velk/platform/Input.h>

#include "support/TestSupport.h"

#include <QKeyEvent>

using namespace velk;

namespace {

int codeOfEvent(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
{
    const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
    return keyCodeOf(&event);
}

} // namespace

TEST(Input, QtKeysGetTheirKeyCodes)
{
    struct Row
    {
        const char *name;
        int qtKey;
        int keyCode;
    };
    const Row rows[] = {
        {"backspace", Qt::Key_Backspace, 8},   {"tab", Qt::Key_Tab, 9},
        {"shift-tab", Qt::Key_Backtab, 9},     {"return", Qt::Key_Return, 13},
        {"enter", Qt::Key_Enter, 13},          {"shift", Qt::Key_Shift, 16},
        {"control", Qt::Key_Control, 17},      {"alt", Qt::Key_Alt, 18},
        {"escape", Qt::Key_Escape, 27},        {"space", Qt::Key_Space, 32},
        {"page up", Qt::Key_PageUp, 33},       {"page down", Qt::Key_PageDown, 34},
        {"end", Qt::Key_End, 35},              {"home", Qt::Key_Home, 36},
        {"left", Qt::Key_Left, 37},            {"up", Qt::Key_Up, 38},
        {"right", Qt::Key_Right, 39},          {"down", Qt::Key_Down, 40},
        {"insert", Qt::Key_Insert, 45},        {"delete", Qt::Key_Delete, 46},
        {"F1", Qt::Key_F1, 112},               {"F2", Qt::Key_F2, 113},
        {"F12", Qt::Key_F12, 123},             {"A", Qt::Key_A, 65},
        {"Z", Qt::Key_Z, 90},                  {"0", Qt::Key_0, 48},
        {"9", Qt::Key_9, 57},                  {"shifted 1", Qt::Key_Exclam, 49},
        {"shifted 7", Qt::Key_Slash, 55},      {"umlaut a", Qt::Key_Adiaeresis, 222},
        {"plus", Qt::Key_Plus, 187},           {"no code", Qt::Key_LaunchMail, 0},
        {"unknown", Qt::Key_unknown, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(keyCodeFromQt(row.qtKey), row.keyCode);
        EXPECT_EQ(codeOfEvent(row.qtKey), row.keyCode);
    }
}

TEST(Input, EveryKeyCodeSurvivesTheWayToQtAndBack)
{
    std::vector<int> codes = {8, 9, 13, 16, 17, 18, 27, 32, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46};
    for (int c = 48; c <= 57; ++c)
        codes.push_back(c);
    for (int c = 65; c <= 90; ++c)
        codes.push_back(c);
    for (int c = 112; c <= 123; ++c)
        codes.push_back(c);
    for (int code : codes) {
        SCOPED_TRACE(code);
        EXPECT_EQ(keyCodeFromQt(qtKeyFromKeyCode(code)), code);
    }
    // The numeric pad maps onto plain keys; the keypad modifier brings its codes back.
    for (int code = 96; code <= 105; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(codeOfEvent(qtKeyFromKeyCode(code), Qt::KeypadModifier), code);
    }
    EXPECT_EQ(qtKeyFromKeyCode(0), 0);
    EXPECT_EQ(qtKeyFromKeyCode(255), 0);
}

TEST(Input, NumericPadKeysHaveTheirOwnCodes)
{
    EXPECT_EQ(codeOfEvent(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(codeOfEvent(Qt::Key_Asterisk, Qt::KeypadModifier), 106);
    EXPECT_EQ(codeOfEvent(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(codeOfEvent(Qt::Key_Comma, Qt::KeypadModifier), 110);
    EXPECT_EQ(codeOfEvent(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(codeOfEvent(Qt::Key_Left, Qt::KeypadModifier), 37) << "keypad arrows are arrows";
    EXPECT_EQ(keyCodeOf(nullptr), 0);
}

TEST(Input, KeyPressGivesTheTypedCharacter)
{
    struct Row
    {
        const char *name;
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        QString text;
        int keyAscii;
    };
    const Row rows[] = {
        {"letter", Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), 'a'},
        {"shifted letter", Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), 'A'},
        {"umlaut", Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"), 0xE4},
        {"Ctrl+A", Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), 1},
        {"return without text", Qt::Key_Return, Qt::NoModifier, QString(), 13},
        {"escape", Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), 27},
        {"backspace", Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), 8},
        {"shift alone", Qt::Key_Shift, Qt::ShiftModifier, QString(), 0},
        {"delete", Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), 0},
        {"arrow", Qt::Key_Up, Qt::NoModifier, QString(), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const QKeyEvent event(QEvent::KeyPress, row.qtKey, row.modifiers, row.text);
        EXPECT_EQ(keyAsciiOf(&event), row.keyAscii);
    }
}

TEST(Input, MouseButtonsAndShiftStateAreSums)
{
    EXPECT_EQ(buttonFromQt(Qt::LeftButton), 1);
    EXPECT_EQ(buttonFromQt(Qt::RightButton), 2);
    EXPECT_EQ(buttonFromQt(Qt::MiddleButton), 4);
    EXPECT_EQ(buttonFromQt(Qt::BackButton), 0);
    EXPECT_EQ(buttonsFromQt(Qt::LeftButton | Qt::MiddleButton | Qt::BackButton), 5);
    EXPECT_EQ(buttonsFromQt(Qt::NoButton), 0);
    EXPECT_EQ(shiftStateFromQt(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftStateFromQt(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(shiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier), 7);
    EXPECT_EQ(shiftStateFromQt(Qt::MetaModifier), 0);
}

TEST(Input, WheelMessagesCarryKeysAndWholeNotches)
{
    const auto message = [](QPoint angle, Qt::KeyboardModifiers modifiers) {
        const QWheelEvent event(QPointF(3, 4), QPointF(30, 40), QPoint(), angle, Qt::NoButton, modifiers,
                                Qt::NoScrollPhase, false);
        return wheelInputOf(&event);
    };
    const WheelInput down = message({0, -120}, Qt::ControlModifier);
    EXPECT_EQ(down.delta, -120);
    EXPECT_EQ(down.keys, WheelKey::Ctrl);
    EXPECT_EQ(QPoint(down.x, down.y), QPoint(30, 40));
    EXPECT_FALSE(wheelScrollsSideways(down.keys));

    const WheelInput sideways = message({240, 0}, Qt::NoModifier);
    EXPECT_EQ(sideways.delta, 240) << "a sideways turn is a turn with Shift";
    EXPECT_TRUE(wheelScrollsSideways(sideways.keys));
    EXPECT_EQ(message({0, 120}, Qt::ShiftModifier | Qt::ControlModifier).keys, WheelKey::Shift + WheelKey::Ctrl);

    WheelNotches notches;
    EXPECT_EQ(notches.add(60), 0);
    EXPECT_EQ(notches.add(90), 1) << "half notches add up";
    EXPECT_EQ(notches.add(-30), 0);
    EXPECT_EQ(notches.add(-240), -2);
}
