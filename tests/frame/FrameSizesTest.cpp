#include <velk/frame/FrameSizes_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(FrameSizes, DistributesGapsPercentagesScalingAndEqualShares)
{
    struct Row
    {
        const char *name;
        QStringList sizeTexts;
        int total;
        bool configMode;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"fixed width, two unsized share the rest after two gaps", {"100", "", ""}, 410, false, {100, 150, 150}},
        {"two halves after one gap", {"50%", "50%"}, 205, false, {100, 100}},
        {"too wide fixed sizes are scaled down", {"300", "300"}, 405, false, {200, 200}},
        {"scaled sizes leave nothing for an unsized one", {"300", "", "300"}, 410, false, {200, 0, 200}},
        {"percent and pixels mixed, the rest shared", {"25%", "40", "", ""}, 415, false, {100, 40, 130, 130}},
        {"blanks around a size are ignored", {" 60 ", " 10 % "}, 105, false, {60, 10}},
        {"a text without a number is unsized", {"abc", "50"}, 105, false, {50, 50}},
        {"configuration mode adds 26 to fixed sizes only", {"100", "50%", ""}, 410, true, {126, 200, 74}},
        {"configuration mode leaves empty sizes alone", {"", ""}, 105, true, {50, 50}},
        {"a single child gets everything", {""}, 77, false, {77}},
        {"a share of 2.5 rounds down to even", {"", ""}, 10, false, {2, 2}},
        {"a share of 3.5 rounds up to even", {"", ""}, 12, false, {4, 4}},
        {"no room at all", {"10", "20"}, 5, false, {0, 0}},
        {"no children", {}, 100, false, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FrameSizes::distribute(row.sizeTexts, row.total, row.configMode), row.expected);
    }
}

TEST(FrameSizes, WholeValuesRoundTheLeadingNumberHalfToEven)
{
    EXPECT_EQ(FrameSizes::wholeValue(QStringLiteral("12.5")), 12);
    EXPECT_EQ(FrameSizes::wholeValue(QStringLiteral(" 13.5px")), 14);
    EXPECT_EQ(FrameSizes::wholeValue(QStringLiteral("abc")), 0);
}
