#include <velk/menu/PopupLayout.h>
#include <velk/menu/velkMenuPopup.h>
#include <velk/platform/Canvas.h>

#include "support/TestSupport.h"

#include <QPaintEvent>
#include <QtTest>

using namespace velk;

TEST(PopupLayout, LinesShareTheHeightLeftBySeparators)
{
    const PopupLayout layout(QStringLiteral("a,-,b"), 1000, 15);
    EXPECT_DOUBLE_EQ(layout.lineHeight(), 452.5);
    struct Row { const char *name; double y; int line; };
    const Row rows[] = {
        {"top of the first line", 0, 1},
        {"end of the first line", 452.4, 1},
        {"separator band starts", 452.5, 0},
        {"inside the separator band", 500, 0},
        {"second line", 600, 2},
        {"last twip of the second line", 984.9, 2},
        {"below the last line", 985, 0},
        {"above the list", -1, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(layout.lineAt(row.y), row.line);
    }
    ASSERT_TRUE(layout.line(2));
    EXPECT_EQ(layout.line(2)->text, QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(layout.line(2)->top, 532.5);

    const PopupLayout separatorsOnly(QStringLiteral("-,-"), 1000, 15);
    EXPECT_EQ(separatorsOnly.lineHeight(), 0);
    EXPECT_EQ(separatorsOnly.lineAt(10), 0);
    EXPECT_EQ(PopupLayout(QString(), 1000, 15).lines().size(), 0u);
}

TEST(velkMenuPopup, PressSelectsALineAndMoveFollowsThePointer)
{
    velkMenuPopup popup;
    EXPECT_EQ(popup.Menu(), QStringLiteral("Zeile 1,Zeile 2,-,Zeile 3,..."));
    popup.setMenu(QStringLiteral("a,-,b"));
    popup.resize(100, 67); // 1005 twips: lines of (1005 − 15 − 80) / 2 = 455
    int clicks = 0;
    QObject::connect(popup.events(), &velkMenuPopupEvents::Click, [&] { ++clicks; });

    popup.MouseDown(1, 0, 10, 500);
    EXPECT_EQ(clicks, 0) << "a press on the separator";
    popup.MouseDown(1, 0, 10, 1000);
    EXPECT_EQ(clicks, 0) << "a press below the last line";
    QTest::mousePress(&popup, Qt::LeftButton, {}, QPoint(10, 40)); // 600 twips
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(popup.Selected(), 2) << "separators are not counted";

    popup.MouseMove(0, 0, 10, 100);
    EXPECT_EQ(popup.Selected(), 1);
    popup.MouseMove(0, 0, 10, 500);
    EXPECT_EQ(popup.Selected(), 0);
    EXPECT_EQ(clicks, 1) << "moving never clicks";
}

TEST(velkMenuPopup, SelectingRepaintsOnlyTheTwoLinesConcerned)
{
    struct PaintCounter : QObject
    {
        std::vector<QRect> regions;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                regions.push_back(static_cast<QPaintEvent *>(e)->region().boundingRect());
            return false;
        }
    } counter;
    velkMenuPopup popup;
    popup.setMenu(QStringLiteral("a,b,c,d"));
    popup.resize(100, 201);
    popup.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup));
    popup.setSelected(1);
    QCoreApplication::processEvents();
    popup.installEventFilter(&counter);

    popup.setSelected(1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(counter.regions.empty()) << "the current value repaints nothing";

    popup.setSelected(4);
    QTRY_VERIFY(!counter.regions.empty());
    const QRect repainted = counter.regions.front();
    EXPECT_LE(repainted.top(), 0);
    EXPECT_GE(repainted.bottom(), 199);
    popup.setSelected(3);
    QTRY_VERIFY(counter.regions.size() > 1);
    counter.regions.clear();
    popup.setSelected(2);
    QTRY_VERIFY(!counter.regions.empty());
    EXPECT_GE(counter.regions.front().top(), 45) << "lines 2 and 3 only, not line 1";
    EXPECT_LE(counter.regions.front().bottom(), 155) << "nor line 4";
}

TEST(velkMenuPopup, HighlightedLineIsDarkBlueWithWhiteText)
{
    velkMenuPopup popup;
    popup.setMenu(QStringLiteral("Öffnen,-,Löschen"));
    popup.resize(100, 67);
    popup.setSelected(2);
    Canvas canvas(nullptr, ScaleMode::Twips);
    canvas.setRecording(true, false);
    popup.paintOn(canvas);
    std::vector<DrawOp> texts, lines;
    bool darkBlue = false;
    for (const DrawOp &op : canvas.recording()) {
        if (op.kind == DrawOp::Text)
            texts.push_back(op);
        if (op.kind == DrawOp::Line)
            lines.push_back(op);
        if (op.kind == DrawOp::FilledBox && op.fillColor == 0x800000u)
            darkBlue = op.rect.top() > 500;
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].foreColor, 0x000000u);
    EXPECT_EQ(texts[1].text, QStringLiteral("Löschen"));
    EXPECT_EQ(texts[1].foreColor, 0xFFFFFFu);
    EXPECT_TRUE(darkBlue);
    ASSERT_EQ(lines.size(), 2u) << "an etched separator";
    EXPECT_EQ(lines[0].foreColor, 0x808080u);
    EXPECT_EQ(lines[1].foreColor, 0xFFFFFFu);
    EXPECT_GT(lines[1].rect.top(), lines[0].rect.top());
}
