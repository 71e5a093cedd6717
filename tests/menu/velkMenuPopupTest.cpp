#include <velk/menu/velkMenuPopup_p.h>
#include <velk/platform/Canvas.h>

#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

#include <QPaintEvent>
#include <QtTest>

using namespace velk;

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
    const std::vector<DrawOp> ops =
        test::recordPainting(ScaleMode::Twips, [&popup](Canvas &c) { MenuPopupAccess::paintOn(popup, c); });
    const std::vector<DrawOp> texts = test::opsOfKind(ops, DrawOp::Text);
    const std::vector<DrawOp> lines = test::opsOfKind(ops, DrawOp::Line);
    bool darkBlue = false;
    for (const DrawOp &op : test::opsOfKind(ops, DrawOp::FilledBox)) {
        if (op.fillColor == 0x800000u)
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
