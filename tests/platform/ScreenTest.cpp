#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>
#include <velk/platform/ScriptedScreen.h>

#include "support/TestSupport.h"

#include <QTest>
#include <QWidget>

using namespace velk;

TEST(Screen, ScriptedSourceAnswersEveryQuery)
{
    QWidget window;
    window.setGeometry(200, 150, 120, 80);
    auto *child = new QWidget(&window);
    child->setGeometry(10, 20, 30, 40);

    ScriptedScreenScope screen;
    const QRect windowArea = Screen::windowRect(&window);
    EXPECT_EQ(windowArea.size(), QSize(120, 80));
    EXPECT_EQ(Screen::windowRect(child), QRect(windowArea.topLeft() + QPoint(10, 20), QSize(30, 40)));
    EXPECT_TRUE(Screen::windowRect(nullptr).isEmpty());

    screen->setCursorPos(windowArea.topLeft() + QPoint(10, 20));
    EXPECT_EQ(Screen::cursorPos(), windowArea.topLeft() + QPoint(10, 20));
    EXPECT_TRUE(Screen::isCursorOver(&window));
    EXPECT_TRUE(Screen::isCursorOver(child));
    screen->setCursorPos(windowArea.topLeft() + QPoint(40, 20));
    EXPECT_FALSE(Screen::isCursorOver(child)) << "the right edge is outside";
    screen->setCursorPos(windowArea.topLeft() + QPoint(120, 0));
    EXPECT_FALSE(Screen::isCursorOver(&window));
    EXPECT_FALSE(Screen::isCursorOver(nullptr));

    EXPECT_EQ(Screen::shiftState(), 0);
    screen->setKeyDown(KeyCode::Shift);
    screen->setKeyDown(KeyCode::Menu);
    screen->setKeyDown(MouseButton::Left);
    EXPECT_EQ(Screen::shiftState(), ShiftState::Shift + ShiftState::Alt);
    EXPECT_TRUE(Screen::isKeyDown(MouseButton::Left));
    screen->setKeyDown(KeyCode::Shift, false);
    EXPECT_EQ(Screen::shiftState(), ShiftState::Alt);
    screen->releaseAllKeys();
    EXPECT_FALSE(Screen::isKeyDown(MouseButton::Left));
}

TEST(Screen, ScopesRestoreThePreviousSource)
{
    ScriptedScreenScope outer;
    outer->setCursorPos({1, 1});
    {
        ScriptedScreenScope inner;
        inner->setCursorPos({2, 2});
        EXPECT_EQ(Screen::cursorPos(), QPoint(2, 2));
    }
    EXPECT_EQ(Screen::cursorPos(), QPoint(1, 1));
}

TEST(Screen, DesktopSourceFollowsKeyEvents)
{
    QWidget widget;
    EXPECT_FALSE(Screen::isKeyDown(KeyCode::F2)); // the first question starts the tracking
    QTest::keyPress(&widget, Qt::Key_F2);
    EXPECT_TRUE(Screen::isKeyDown(KeyCode::F2));
    QTest::keyPress(&widget, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_TRUE(Screen::isKeyDown(101));
    QTest::keyRelease(&widget, Qt::Key_F2);
    EXPECT_FALSE(Screen::isKeyDown(KeyCode::F2));
    EXPECT_TRUE(Screen::isKeyDown(101));
    QTest::keyRelease(&widget, Qt::Key_5, Qt::KeypadModifier);
    EXPECT_FALSE(Screen::isKeyDown(101));
}
