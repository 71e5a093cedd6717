#include <velk/platform/ControlFactory.h>
#include <velk/preview/velkScala.h>

#include "support/TestSupport.h"

#include <QtTest>

#include <climits>

using namespace velk;

namespace {

// 211 px wide: the thumb (11 px) travels 200 px = 3000 twips.
struct Scale
{
    velkScala scala;
    QWidget *thumb = scala.findChild<QWidget *>(QStringLiteral("Picture1"));
    int scrolls = 0;

    Scale()
    {
        scala.resize(211, 20);
        QObject::connect(scala.events(), &velkScalaEvents::Scroll, [this] { ++scrolls; });
    }
};

} // namespace

TEST(velkScala, PressesChooseValuesAlongTheTrack)
{
    Scale s;
    ASSERT_TRUE(s.thumb);
    ASSERT_EQ(s.thumb->width(), 11);
    struct Row { const char *name; double xTwips; int value; };
    const Row rows[] = {
        {"left of the track", 0, 0},
        {"track start", 82.5, 0},
        {"midpoint", 211 * 15 / 2.0, 500},
        {"quarter", 82.5 + 750, 250},
        {"track end", 211 * 15 - 82.5, 1000},
        {"right of the track", 211 * 15, 1000},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        s.scala.MouseDown(1, 0, float(row.xTwips), 100);
        EXPECT_EQ(s.scala.value(), row.value);
    }
    EXPECT_EQ(s.scrolls, 6);
    EXPECT_EQ(s.thumb->x(), 200) << "the thumb follows the value";
    s.scala.MouseDown(2, 0, 0, 0);
    EXPECT_EQ(s.scrolls, 6) << "only the left button chooses";
    // Through Qt: a press at the midpoint pixel, then a drag on the thumb itself.
    QTest::mousePress(&s.scala, Qt::LeftButton, {}, QPoint(105, 10));
    EXPECT_EQ(s.scala.value(), 498); // pixel 105 = 1575 twips
    ASSERT_EQ(s.thumb->x(), 100);
    QTest::mousePress(s.thumb, Qt::LeftButton, {}, QPoint(5, 5)); // 1500 + 75 + 2 twips
    EXPECT_EQ(s.scala.value(), 498);
    s.scala.ThumbMouseMove(1, 0, 80.5, 10); // 1500 + 80.5 + 2 = 1582.5 twips
    EXPECT_EQ(s.scala.value(), 500);
}

TEST(velkScala, SettingTheValueOnlyStoresItUntilRefresh)
{
    Scale s;
    s.scala.setValue(500);
    EXPECT_EQ(s.thumb->x(), 0);
    s.scala.Refresh();
    EXPECT_EQ(s.thumb->x(), 100);
    EXPECT_EQ(s.scrolls, 0);
    s.scala.setMinValue(7);
    s.scala.setMaxValue(7);
    s.scala.setValue(1000);
    s.scala.Refresh();
    EXPECT_EQ(s.thumb->x(), 100) << "MinValue = MaxValue: the thumb stays";
    s.scala.MouseDown(1, 0, 3000, 0);
    EXPECT_EQ(s.scala.value(), 7);
}

TEST(velkScala, ExtremeRangesAndANarrowScaleNeitherDivideByZeroNorOverflow)
{
    Scale s;
    s.scala.setMinValue(INT_MIN);
    s.scala.setMaxValue(INT_MAX);
    s.scala.MouseDown(1, 0, 1e9f, 0);
    EXPECT_EQ(s.scala.value(), INT_MAX);
    s.scala.MouseDown(1, 0, -1e9f, 0);
    EXPECT_EQ(s.scala.value(), INT_MIN);
    s.scala.setValue(INT_MAX);
    s.scala.Refresh();
    EXPECT_EQ(s.thumb->x(), 200);
    QTest::keyClick(&s.scala, Qt::Key_End);
    EXPECT_EQ(s.scala.value(), INT_MAX);
    s.scala.resize(11, 20); // as narrow as the thumb
    s.scala.setMinValue(0);
    s.scala.setMaxValue(10);
    s.scala.MouseDown(1, 0, 0, 0);
    EXPECT_EQ(s.scala.value(), 0);
    s.scala.MouseDown(1, 0, 150, 0);
    EXPECT_EQ(s.scala.value(), 10);
    s.scala.Refresh();
    EXPECT_EQ(s.thumb->x(), 0);
}

TEST(velkScala, KeysStepThroughTheRangeAndRaiseScroll)
{
    Scale s;
    s.scala.setValue(500);
    struct Row { Qt::Key key; int value; };
    const Row rows[] = {{Qt::Key_Right, 510}, {Qt::Key_Left, 500}, {Qt::Key_PageDown, 600},
                        {Qt::Key_PageUp, 500}, {Qt::Key_End, 1000}, {Qt::Key_Right, 1000},
                        {Qt::Key_Home, 0}, {Qt::Key_Left, 0}};
    for (const Row &row : rows) {
        QTest::keyClick(&s.scala, row.key);
        EXPECT_EQ(s.scala.value(), row.value) << row.key;
    }
    EXPECT_EQ(s.scrolls, 8);
}

TEST(velkScala, IsMadeByNameWithItsDefaults)
{
    std::unique_ptr<QWidget> w(ControlFactory::create(QStringLiteral("velkScala")));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->property("MinValue").toInt(), 0);
    EXPECT_EQ(w->property("MaxValue").toInt(), 1000);
    EXPECT_TRUE(w->setProperty("value", 42));
    EXPECT_EQ(w->property("value").toInt(), 42);
}
