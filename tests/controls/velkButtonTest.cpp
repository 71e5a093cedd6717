#include <velk/controls/ControlPainting_p.h>
#include <velk/controls/velkButton.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ScriptedScreen.h>

#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <QtTest>

using namespace velk;

namespace {

struct ClickRecord
{
    int count = 0;
    int shift = -1, x = -1, y = -1;
};

struct ButtonFixture
{
    ScriptedScreenScope screen;
    velkButton button;
    ClickRecord clicks;

    ButtonFixture()
    {
        button.resize(100, 30);
        QObject::connect(button.events(), &velkButtonEvents::Click, [this](int shift, int x, int y) {
            ++clicks.count;
            clicks.shift = shift;
            clicks.x = x;
            clicks.y = y;
        });
    }
    void cursorTo(QPoint local) { screen->setCursorPos(button.mapToGlobal(local)); }
    void press(QPoint at, Qt::MouseButton b = Qt::LeftButton) { cursorTo(at); QTest::mousePress(&button, b, {}, at); }
    void release(QPoint at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        cursorTo(at);
        QTest::mouseRelease(&button, b, m, at);
    }
    QTimer *timer() { return button.findChild<QTimer *>(QStringLiteral("Timer1")); }
};

} // namespace

TEST(velkButton, ClickNeedsPressAndReleaseInsideWhileEnabled)
{
    struct Row { const char *name; bool enabled; QPoint releaseAt; Qt::MouseButton pressed; int clicks; };
    const Row rows[] = {
        {"release inside", true, {40, 12}, Qt::LeftButton, 1},
        {"release outside", true, {140, 12}, Qt::LeftButton, 0},
        {"right button", true, {40, 12}, Qt::RightButton, 0},
        {"disabled", false, {40, 12}, Qt::LeftButton, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ButtonFixture f;
        f.button.setEnabled(row.enabled);
        f.press({10, 10}, row.pressed);
        EXPECT_EQ(f.button.state(), row.enabled && row.pressed == Qt::LeftButton ? 2 : 0);
        f.release(row.releaseAt, row.pressed, Qt::ShiftModifier);
        EXPECT_EQ(f.clicks.count, row.clicks);
        EXPECT_EQ(f.button.state(), 0) << "every release returns to the normal look";
    }
    ButtonFixture f;
    f.press({10, 10});
    f.button.MouseUp(1, 3, 40.6f, 12.4f);
    EXPECT_EQ(f.clicks.count, 1);
    EXPECT_EQ(f.clicks.shift, 3);
    EXPECT_EQ(f.clicks.x, 41);
    EXPECT_EQ(f.clicks.y, 12);
}

TEST(velkButton, HoverLastsUntilTheTimerFindsTheCursorOutside)
{
    ButtonFixture f;
    f.button.MouseMove(0, 0, 5, 5);
    EXPECT_EQ(f.button.state(), 1);
    ASSERT_TRUE(f.timer());
    EXPECT_TRUE(f.timer()->isActive());

    f.cursorTo({50, 15});
    f.button.HoverTimerTick();
    EXPECT_EQ(f.button.state(), 1);
    EXPECT_TRUE(f.timer()->isActive());

    f.cursorTo({150, 15});
    QTRY_COMPARE_WITH_TIMEOUT(f.button.state(), short(0), 1000);
    EXPECT_FALSE(f.timer()->isActive());

    f.button.MouseMove(1, 0, 5, 5);
    EXPECT_EQ(f.button.state(), 0) << "moving with a button held is no hover";
    f.button.setEnabled(false);
    f.button.MouseMove(0, 0, 5, 5);
    EXPECT_EQ(f.button.state(), 0);
}

TEST(velkButton, SpaceEnterAndEscapeClickOnlyWhileEnabled)
{
    ButtonFixture f;
    QTest::keyClick(&f.button, Qt::Key_Space);
    f.button.AccessKeyPress(13);
    f.button.AccessKeyPress(27);
    f.button.AccessKeyPress(65);
    f.button.KeyPress(13);
    EXPECT_EQ(f.clicks.count, 3);
    EXPECT_EQ(f.clicks.x, 0);

    f.button.setEnabled(false);
    f.button.KeyPress(32);
    f.button.AccessKeyPress(13);
    EXPECT_EQ(f.clicks.count, 3);
}

TEST(velkButton, DefaultButtonAnswersEnterAnywhereInItsWindow)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *button = new velkButton(&window);
    button->move(0, 40);
    button->setDefault(true);
    button->setCancel(true);
    int clicks = 0;
    QObject::connect(button->events(), &velkButtonEvents::Click, [&] { ++clicks; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(clicks, 2);
    button->setDefault(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
}

TEST(velkButton, DisabledButtonNeverKeepsTheFocus)
{
    QWidget window;
    auto *first = new velkButton(&window);
    auto *second = new velkButton(&window);
    second->move(0, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    first->setEnabled(false);
    EXPECT_FALSE(first->hasFocus());
    EXPECT_TRUE(second->hasFocus());
    first->setFocus();
    EXPECT_FALSE(first->hasFocus());
}

TEST(velkButton, CaptionIconAndArrowArePlacedAsMarked)
{
    velkButton button;
    button.resize(120, 30);
    auto draw = [&button] {
        return test::recordPainting(ScaleMode::Pixels, [&button](Canvas &c) { ControlPainting::paintOn(button, c); });
    };

    button.setCaption(QStringLiteral("Speichern"));
    auto plain = draw();
    const DrawOp *text = test::findText(plain, QStringLiteral("Speichern"));
    ASSERT_TRUE(text);
    EXPECT_NEAR(text->rect.center().x(), 60, 1) << "centred";
    EXPECT_NEAR(text->rect.top(), (30 - text->rect.height()) / 2, 1) << "half the free height above";
    EXPECT_EQ(text->foreColor, SystemColor::ButtonText);

    button.setCaption(QStringLiteral(">Speichern"));
    button.setIcon(QStringLiteral("save"));
    auto aligned = draw();
    ASSERT_FALSE(test::findText(aligned, QStringLiteral(">Speichern")));
    text = test::findText(aligned, QStringLiteral("Speichern"));
    ASSERT_TRUE(text);
    const std::vector<DrawOp> pictures = test::opsOfKind(aligned, DrawOp::Picture);
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.front().rect, QRectF(4, 7, 16, 16)) << "icon first at the left";
    EXPECT_GT(text->rect.left(), pictures.front().rect.right());

    button.setIcon(QStringLiteral("v"));
    button.setEnabled(false);
    auto arrow = draw();
    const DrawOp *glyph = test::findText(arrow, QStringLiteral("6"));
    ASSERT_TRUE(glyph);
    EXPECT_EQ(glyph->fontName, SymbolFontName);
    EXPECT_EQ(test::findText(arrow, QStringLiteral("Speichern"))->foreColor, 0x808080u) << "disabled text is gray";
    EXPECT_TRUE(test::opsOfKind(arrow, DrawOp::Picture).empty());
}
