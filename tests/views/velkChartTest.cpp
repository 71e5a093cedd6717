#include <velk/platform/Canvas.h>
#include <velk/platform/PictureBox.h>
#include <velk/views/ChartPainter_p.h>
#include <velk/views/velkChart_p.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>

#include <support/TestSupport.h>

using namespace velk;

namespace {

TEST(ChartScale, StepsHalveAndDoubleUntilThreeToEightFit)
{
    struct Row
    {
        const char *name;
        int min, max, maxScaleY, step1;
        qint64 range, step, count;
    };
    const Row rows[] = {
        {"all zero", 0, 0, 0, 0, 0, 1, 0},
        {"37 keeps step 10", 0, 37, 0, 0, 37, 10, 3},
        {"950: 9 steps halve to 4 (4.5 to even)", 0, 950, 0, 0, 950, 200, 4},
        {"12: 1 step doubles twice (2.5 to even)", 0, 12, 0, 0, 12, 2, 4},
        {"range 1: a step halving to 0 stays 1", 0, 1, 0, 0, 1, 1, 4},
        {"range 2", -1, 1, 0, 0, 2, 1, 4},
        {"negatives count in the range", -40, 60, 0, 0, 100, 25, 4},
        {"fixed maximum", 0, 37, 500, 0, 500, 100, 5},
        {"fixed step skips the loops", 0, 100, 0, 7, 100, 7, 14},
        {"widest range", std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0, 0, 4294967295LL,
         1000000000, 4},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        const ChartScale s = ChartScale::of(r.min, r.max, r.maxScaleY, r.step1);
        EXPECT_EQ(s.range, r.range);
        EXPECT_EQ(s.step, r.step);
        EXPECT_EQ(s.count, r.count);
    }
}

TEST(ChartModel, SetDataWidensTheRangeAndRecalculateRounds)
{
    ChartModel m;
    m.Init(2, 3, 2);
    EXPECT_EQ(m.xLabel(1), QStringLiteral("1"));
    EXPECT_EQ(m.xLabel(3), QStringLiteral("3"));
    m.SetData(1, 1, 3.2);
    EXPECT_EQ(m.max(), 4);
    m.SetData(1, 2, 7.0);
    EXPECT_EQ(m.max(), 7) << "an integer stays";
    m.SetData(2, 1, -2.5);
    EXPECT_EQ(m.min(), -3);
    for (double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
        m.SetData(1, 3, bad);
    m.SetData(3, 1, 99);
    m.SetData(1, 4, 99);
    m.SetData(-1, 1, 99);
    EXPECT_EQ(m.max(), 7) << "NaN, infinities and indices outside the chart are ignored";
    EXPECT_EQ(m.value(1, 3), 0.0);

    m.SetData(1, 2, 2.5);
    m.Recalculate();
    EXPECT_EQ(m.max(), 3) << "3.2 rounds to 3; 2.5 to even gives 2";
    EXPECT_EQ(m.min(), -2) << "-2.5 rounds to even";

    m.SetScale(100, 10);
    m.Init(0, 0, 0);
    EXPECT_EQ(m.min(), 0);
    EXPECT_EQ(m.max(), 0);
    EXPECT_EQ(m.maxScaleY(), 0);
    EXPECT_EQ(m.step1(), 0);
    EXPECT_EQ(m.sets(), 0) << "sets < 1 stores the sizes: an empty chart";
    EXPECT_EQ(m.value(1, 1), 0.0);

    m.Init(2, 3, 2);
    m.Init(100000, 100000, 2);
    EXPECT_EQ(m.sets(), 2) << "a grid too large to hold is refused";
}

TEST(ChartColors, SetsCycleThroughTheBrightColoursFirst)
{
    const std::pair<int, int> setToNumber[] = {{1, 9}, {2, 10}, {5, 13}, {6, 14}, {7, 1}, {14, 8}, {20, 14}, {0, 8}};
    for (const auto &[set, number] : setToNumber)
        EXPECT_EQ(chartSetColorNumber(set), number) << set;
    EXPECT_EQ(chartSetColor(1), rgbColor(0, 0, 255));
    EXPECT_EQ(chartSetColor(4), rgbColor(255, 0, 0));
    EXPECT_EQ(chartSetColor(7), rgbColor(0, 0, 128));
    EXPECT_EQ(basicPaletteColor(7), rgbColor(192, 192, 192));
    EXPECT_EQ(basicPaletteColor(8), rgbColor(128, 128, 128));
}

class ChartDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        chart.resize(600, 400);
        picture = chart.findChild<PictureBox *>(QStringLiteral("Picture1"));
        ASSERT_TRUE(picture);
    }

    const std::vector<DrawOp> &draw()
    {
        picture->canvas().setRecording(true);
        picture->canvas().clearRecording();
        chart.Refresh();
        return picture->canvas().recording();
    }

    std::vector<DrawOp> ops(DrawOp::Kind kind, Color color)
    {
        std::vector<DrawOp> found;
        for (const DrawOp &op : picture->canvas().recording()) {
            if (op.kind == kind && op.fillColor == color && kind == DrawOp::FilledBox)
                found.push_back(op);
            else if (op.kind == kind && op.foreColor == color && kind == DrawOp::Line)
                found.push_back(op);
        }
        return found;
    }

    const ChartPlan &plan() const { return velkChartAccess::plan(chart); }

    velkChart chart;
    PictureBox *picture = nullptr;
};

TEST_F(ChartDrawing, BarsFillTheirShareOfEachSliceFromTheZeroLine)
{
    chart.Init(2, 3, 2);
    chart.SetData(1, 1, 10);
    chart.SetData(2, 1, 20);
    chart.SetData(1, 3, 5);
    draw();
    const auto blue = ops(DrawOp::FilledBox, chartSetColor(1));
    const auto green = ops(DrawOp::FilledBox, chartSetColor(2));
    ASSERT_EQ(blue.size(), 3u) << "two bars and the legend mark";
    ASSERT_EQ(green.size(), 2u);
    const double slice = (plan().right - plan().left) / 3;
    const QRectF first = blue[0].rect;
    EXPECT_NEAR(first.left(), plan().left + slice * 0.5 / 3, 1);
    EXPECT_NEAR(first.right(), plan().left + slice * 1.5 / 3, 1);
    EXPECT_NEAR(first.bottom(), plan().zeroY, 1);
    EXPECT_NEAR(plan().zeroY, plan().axisBottom, 0.001) << "no negative values";
    // Range 20: step 10 doubles to 5; 10 reaches half of the plot.
    EXPECT_NEAR(first.top(), plan().axisBottom - (plan().axisBottom - plan().plotTop) / 2, 1);
    EXPECT_NEAR(green[0].rect.height(), 2 * first.height(), 1);
    EXPECT_NEAR(blue[1].rect.left(), plan().left + 2 * slice + slice * 0.5 / 3, 1) << "position 3";
    QStringList texts;
    for (const DrawOp &op : picture->canvas().recording()) {
        if (op.kind == DrawOp::Text)
            texts << op.text;
    }
    for (const char *t : {"0", "5", "10", "15", "20", "1", "2", "3"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
}

TEST_F(ChartDrawing, LinesJoinPointsThreePixelsWideOnlyForTwoOrMorePositions)
{
    chart.Init(1, 3, 1);
    chart.SetData(1, 1, 4);
    chart.SetData(1, 2, 8);
    chart.SetData(1, 3, 2);
    draw();
    const auto lines = ops(DrawOp::Line, chartSetColor(1));
    ASSERT_EQ(lines.size(), 2u);
    for (const DrawOp &op : lines)
        EXPECT_EQ(op.drawWidth, ChartPainter::LineWidthPx);
    EXPECT_NEAR(lines[0].rect.left(), plan().left, 1);
    EXPECT_NEAR(lines[1].rect.right(), plan().right, 1);
    EXPECT_NEAR(lines[0].rect.right(), (plan().left + plan().right) / 2, 1);
    EXPECT_LT(lines[0].rect.bottom(), lines[0].rect.top()) << "8 is drawn above 4";

    chart.Init(1, 1, 1);
    chart.SetData(1, 1, 4);
    draw();
    EXPECT_TRUE(ops(DrawOp::Line, chartSetColor(1)).empty());
}

TEST_F(ChartDrawing, NegativeValuesLiftTheZeroLine)
{
    chart.Init(1, 2, 2);
    chart.SetData(1, 1, 30);
    chart.SetData(1, 2, -10);
    draw();
    const double height = plan().axisBottom - plan().plotTop;
    EXPECT_NEAR(plan().zeroY, plan().axisBottom - height * 10 / 40, 1);
    bool zeroLine = false;
    for (const DrawOp &op : picture->canvas().recording()) {
        zeroLine |= op.kind == DrawOp::Line && std::abs(op.rect.top() - plan().zeroY) < 1
            && std::abs(op.rect.bottom() - plan().zeroY) < 1 && std::abs(op.rect.left() - plan().left) < 1;
    }
    EXPECT_TRUE(zeroLine);
    const auto bars = ops(DrawOp::FilledBox, chartSetColor(1));
    ASSERT_GE(bars.size(), 2u);
    EXPECT_NEAR(bars[1].rect.top(), plan().zeroY, 1) << "a negative bar hangs below the zero line";
}

TEST_F(ChartDrawing, LegendEntriesAre400TwipsApartAroundThePlotsMiddle)
{
    chart.Init(3, 2, 0);
    chart.SetLegende(1, QStringLiteral("Einkauf"));
    chart.SetLegende(3, QStringLiteral("Verwaltung"));
    draw();
    ASSERT_EQ(plan().legend.size(), 3u);
    const double middle = (plan().plotTop + plan().axisBottom) / 2;
    EXPECT_NEAR(plan().legend[0].mark.top(), middle - 3 * 400 / 2.0, 0.5);
    EXPECT_NEAR(plan().legend[2].mark.top() - plan().legend[1].mark.top(), 400, 0.5);
    EXPECT_GT(plan().legend[0].mark.left(), plan().right) << "right of the plot";
    EXPECT_TRUE(plan().bars.empty() && plan().lines.empty()) << "style 0 draws no series";
    bool printed = false;
    for (const DrawOp &op : picture->canvas().recording())
        printed |= op.kind == DrawOp::Text && op.text == u"Verwaltung";
    EXPECT_TRUE(printed);
}

TEST_F(ChartDrawing, AnyRangeDrawsAFewGridLines)
{
    chart.Init(1, 2, 2);
    chart.SetData(1, 1, 2e9);
    chart.SetData(1, 2, -2e9);
    chart.SetScale(0, 1); // a step of 1 over four billion
    EXPECT_LT(plan().grid.size(), 60u);
    EXPECT_GT(plan().grid.size(), 1u);
    chart.Init(0, 0, 0);
    chart.Refresh(); // range 0
    EXPECT_TRUE(std::isfinite(plan().zeroY));
    velkChart tiny;
    tiny.resize(1, 1);
    tiny.Init(1, 3, 1);
    tiny.Refresh();
}

TEST_F(ChartDrawing, MouseDownReportsButtonShiftAndTwips)
{
    QSignalSpy spy(chart.events(), &velkChartEvents::MouseDown);
    QTest::mousePress(picture, Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[0][1].toInt(), 1);
    EXPECT_FLOAT_EQ(spy[0][2].toFloat(), 150);
    EXPECT_FLOAT_EQ(spy[0][3].toFloat(), 300);
}

TEST_F(ChartDrawing, CopyPutsThePictureOnTheClipboard)
{
    chart.Init(1, 2, 2);
    chart.SetData(1, 1, 5);
    chart.Refresh();
    QGuiApplication::clipboard()->clear();
    chart.Copy();
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), picture->image().size());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), picture->image().convertToFormat(QImage::Format_RGB32));
}

} // namespace
