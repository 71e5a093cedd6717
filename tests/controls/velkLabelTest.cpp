#include <velk/controls/ControlPainting_p.h>
#include <velk/controls/velkLabel.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ScriptedScreen.h>

#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <QtTest>

using namespace velk;

TEST(velkLabel, ReleaseRaisesTheButtonUnderItOrZero)
{
    velkLabel label;
    label.resize(200, 20);
    label.setMenu(QStringLiteral("delete,help,x"));
    std::vector<int> ids;
    QObject::connect(label.events(), &velkLabelEvents::Click, [&](int id) { ids.push_back(id); });
    struct Row { const char *name; int x; int id; };
    const Row rows[] = {
        {"last button", 190, 3},
        {"caption area", 100, 0},
        {"first button, left edge", 146, 1},
        {"first button, right edge", 162, 1},
        {"gap between buttons", 163, 0},
        {"second button", 170, 2},
        {"right margin", 199, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ids.clear();
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(row.x, 10));
        ASSERT_EQ(ids.size(), 1u);
        EXPECT_EQ(ids[0], row.id);
    }
}

TEST(velkLabel, EntriesAreCountedAsTokens)
{
    velkLabel label;
    struct Row { const char *menu; int count; };
    const Row rows[] = {{"", 0}, {"a", 1}, {"a,,b", 3}, {"a,b,", 2}, {",", 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.menu);
        label.setMenu(QString::fromUtf8(row.menu));
        EXPECT_EQ(label.ButtonCount(), row.count);
    }
}

TEST(velkLabel, HoverFollowsThePointerUntilItLeavesTheLabel)
{
    ScriptedScreenScope screen;
    velkLabel label;
    label.resize(200, 20);
    label.setMenu(QStringLiteral("a,b"));
    label.MouseMove(0, 0, 190, 5);
    EXPECT_EQ(label.HotButton(), 2);
    label.MouseMove(0, 0, 50, 5);
    EXPECT_EQ(label.HotButton(), 0);
    label.MouseMove(0, 0, 170, 5);
    EXPECT_EQ(label.HotButton(), 1);

    auto *timer = label.findChild<QTimer *>(QStringLiteral("Timer1"));
    ASSERT_TRUE(timer && timer->isActive());
    screen->setCursorPos(label.mapToGlobal(QPoint(170, 5)));
    label.HoverTimerTick();
    EXPECT_EQ(label.HotButton(), 1);
    screen->setCursorPos(label.mapToGlobal(QPoint(170, 50)));
    QTRY_COMPARE_WITH_TIMEOUT(label.HotButton(), 0, 1000);
    EXPECT_FALSE(timer->isActive());
}

TEST(velkLabel, DrawsCaptionBoldGradientAndButtons)
{
    velkLabel label;
    label.resize(100, 20);
    label.setCaption(QStringLiteral("Themen"));
    label.setBold(true);
    label.setBackColor1(0x000000);
    label.setBackColor2(0xFFFFFF);
    label.setMenu(QStringLiteral("delete,x"));
    const std::vector<DrawOp> ops =
        test::recordPainting(ScaleMode::Pixels, [&label](Canvas &c) { ControlPainting::paintOn(label, c); });
    std::vector<DrawOp> lines;
    for (const DrawOp &op : test::opsOfKind(ops, DrawOp::Line)) {
        if (op.rect.left() == op.rect.right() && op.rect.height() == 19)
            lines.push_back(op);
    }
    const std::vector<DrawOp> texts = test::opsOfKind(ops, DrawOp::Text);
    const std::vector<DrawOp> pictures = test::opsOfKind(ops, DrawOp::Picture);
    ASSERT_GE(lines.size(), 100u);
    EXPECT_EQ(lines.front().foreColor, 0x000000u);
    EXPECT_EQ(lines[99].foreColor, 0xFFFFFFu) << "gradient from the first to the second colour";
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Themen"));
    EXPECT_TRUE(texts[0].bold);
    EXPECT_EQ(texts[0].foreColor, 0xFFFFFFu);
    EXPECT_EQ(texts[1].text, QStringLiteral("x")) << "an entry without an icon is written";
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].rect.left(), 100 - 2 * 18) << "icon of the first button";
}
