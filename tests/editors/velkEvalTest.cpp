#include <velk/editors/EvalCondition_p.h>
#include <velk/editors/velkEval.h>
#include <velk/platform/Input.h>
#include <velk/platform/PictureBox.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

constexpr Color kRed = 0x0000FF;
constexpr Color kGrey = 0xC0C0C0;

struct EvalFixture
{
    velkEval eval;
    PictureBox *picture = nullptr;
    int clicks = 0;

    EvalFixture()
    {
        eval.resize(171, 20);
        picture = eval.findChild<PictureBox *>(QStringLiteral("Picture1"));
        picture->canvas().setRecording(true);
        QObject::connect(eval.events(), &velkEvalEvents::Click, [this] { ++clicks; });
    }
    double width() const { return picture->ScaleWidth(); }
    // A press in the middle of 17-cell grid cell `k`.
    void pressCell(int k, int shift = 0, int button = MouseButton::Left)
    {
        eval.MouseDown(button, shift, float((k + 0.5) * width() / 17), 100);
    }
    // The colours of the five bars as last painted.
    std::vector<Color> bars() const
    {
        std::vector<Color> colours;
        for (const DrawOp &op : picture->canvas().recording()) {
            if (op.kind != DrawOp::FilledBox)
                continue;
            if (op.fillColor == 0xFFFFFF)
                colours.clear();
            else
                colours.push_back(op.fillColor);
        }
        return colours;
    }
};

std::vector<Color> lit(std::initializer_list<int> bars)
{
    std::vector<Color> colours(5, kGrey);
    for (int i : bars)
        colours[size_t(i - 1)] = kRed;
    return colours;
}

} // namespace

TEST(EvalCondition, GetSetGetIsStableForEveryPair)
{
    for (int v1 = -200; v1 <= 200; ++v1) {
        for (int v2 = -200; v2 <= 200; ++v2) {
            const EvalRange range{short(v1), short(v2)};
            const QString text = EvalCondition::conditionOf(range);
            EvalRange back{7, 7};
            EvalCondition::applyCondition(back, text);
            if (EvalCondition::conditionOf(back) != text)
                FAIL() << v1 << "," << v2 << ": " << text.toStdString();
        }
    }
}

TEST(EvalCondition, ReadsConditionStrings)
{
    const struct { const char *text; short v1, v2; } rows[] = {
        {"", 0, 0},
        {"$eval=60", 60, 60},
        {"$eval=5/$eval<=9", 5, 5},         // "$eval=" is tested before "/"
        {"$eval<=60", 0, 60},
        {"$eval>=20", 20, 100},
        {"$eval>=20/$eval<=60", 20, 60},
        {"xxxxxxx30/yyyyyyy70", 30, 70},    // prefixes are not compared around "/"
        {"$eval=2.5", 2, 2},                 // halves round to even
        {"$eval=3.5", 4, 4},
        {"$eval=99999", 32767, 32767},
        {"$eval=-99999", -32768, -32768},
        {"$eval=abc", 0, 0},
        {"$eval<=/", 0, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EvalRange range{1, 2};
        EvalCondition::applyCondition(range, QString::fromLatin1(row.text));
        EXPECT_EQ(range, (EvalRange{row.v1, row.v2}));
    }
    EvalRange kept{40, 80};
    EvalCondition::applyCondition(kept, QStringLiteral("Bewertung>=20"));
    EXPECT_EQ(kept, (EvalRange{40, 80})) << "another prefix without '/' changes nothing";
    EXPECT_EQ(EvalCondition::conditionOf({100, 40}), QStringLiteral("$eval>=40"));
    EXPECT_EQ(EvalCondition::conditionOf({20, 60}), QStringLiteral("$eval>=20/$eval<=60"));
}

TEST(velkEval, FreshControlIsEmptyAndGrey)
{
    EvalFixture f;
    EXPECT_EQ(f.eval.Condition(), QString());
    f.eval.Refresh();
    EXPECT_EQ(f.bars(), lit({}));
    // The bars stand on the 17-cell grid, bar 5 ending at the right edge.
    const double u = (f.width() - 1) / 17;
    const DrawOp &bar5 = f.picture->canvas().recording().back();
    EXPECT_NEAR(bar5.rect.left(), 15 * u, 1e-6);
    EXPECT_NEAR(bar5.rect.right(), 17 * u, 1e-6);
    EXPECT_NEAR(bar5.rect.bottom(), f.picture->ScaleHeight(), 1e-6);
    EXPECT_NEAR(bar5.rect.top(), 0, 1e-6);
}

TEST(velkEval, PressesChooseBarsAndRanges)
{
    EvalFixture f;
    f.pressCell(9);
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval=60"));
    EXPECT_EQ(f.bars(), lit({3}));
    EXPECT_EQ(f.clicks, 1);

    f.pressCell(7);
    f.pressCell(12, ShiftState::Shift);
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval>=40/$eval<=80"));
    EXPECT_EQ(f.bars(), lit({2, 3, 4}));

    f.pressCell(15, ShiftState::Ctrl | ShiftState::Alt, MouseButton::Right);
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval>=40"));

    f.pressCell(0);
    f.pressCell(10, ShiftState::Shift);
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval<=60"));
    f.pressCell(11); // a gap keeps value1 and collapses the range
    EXPECT_EQ(f.eval.value1(), 60);
    EXPECT_EQ(f.eval.value2(), 60);
    EXPECT_EQ(f.clicks, 7) << "every press raises Click, also on a gap";

    f.eval.setValue1(20); // values are stored without repainting
    EXPECT_EQ(f.bars(), lit({3}));
    f.eval.setCondition(QStringLiteral("$eval>=20/$eval<=60"));
    EXPECT_EQ(f.bars(), lit({1, 2, 3}));
}

TEST(velkEval, QtPressesArriveAsInputCodes)
{
    EvalFixture f;
    f.eval.show();
    const QSize size = f.picture->size();
    QTest::mousePress(f.picture, Qt::LeftButton, {}, QPoint(size.width() * 7 / 17 + 2, size.height() / 2));
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval=40"));
    QTest::mousePress(f.picture, Qt::LeftButton, Qt::ShiftModifier, QPoint(size.width() - 2, size.height() / 2));
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval>=40"));
    QTest::mousePress(&f.eval, Qt::MiddleButton, Qt::AltModifier, QPoint(size.width() * 10 / 17 + 2, 5));
    EXPECT_EQ(f.eval.Condition(), QStringLiteral("$eval>=40/$eval<=60")) << "a press sent to the control itself";
    f.picture->canvas().clearRecording();
    f.eval.resize(300, 40);
    QApplication::processEvents();
    EXPECT_EQ(f.bars(), lit({2, 3})) << "a resize repaints";
}
