#include <velk/common/LeadingNumber_p.h>
#include <velk/common/Rounding_p.h>

#include "support/TestSupport.h"

#include <cmath>

using namespace velk;

TEST(LeadingNumber, ReadsSignDigitsAndOnePointAndIgnoresTheRest)
{
    const std::pair<const char *, double> rows[] = {
        {"50%", 50}, {"  12px", 12}, {"\t\n-7", -7}, {"+3.25x", 3.25}, {"abc", 0}, {"", 0}, {".5", 0.5},
        {"-.5", -0.5}, {"1,5", 1}, {"1.2.3", 1.2}, {"1 2", 1}, {"1e5", 1}, {"+", 0}, {".", 0}, {"--3", 0},
        {"٣", 0}, // digits of other scripts are no digits
    };
    for (const auto &[text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(text)), expected);
    }
    EXPECT_EQ(LeadingNumber(QString(400, u'9')), 0.0) << "too large to hold";
    EXPECT_EQ(LeadingInteger(u" -42.9"), -42);
    EXPECT_EQ(LeadingInteger(QString(30, u'9')), 999'999'999'999'999) << "saturates";
}

TEST(LeadingNumber, TheScientificFormReadsThroughBlanksAndExponents)
{
    const std::pair<const char *, double> rows[] = {
        {"1 2", 12}, {" 1.5E3", 1500}, {"2d-1", 0.2}, {"3e", 3}, {"3e+", 3}, {"- 4 . 5", -4.5}, {"x1", 0},
    };
    for (const auto &[text, expected] : rows) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(text), NumberForm::Scientific), expected);
    }
    EXPECT_TRUE(std::isinf(LeadingNumber(u"1e999", NumberForm::Scientific)));
    EXPECT_EQ(LeadingNumber(u"1e-999", NumberForm::Scientific), 0.0);
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndIntegersAreClamped)
{
    const std::pair<double, int> rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2},
                                           {2.4999, 2}, {2.5001, 3}, {-2.6, -3}};
    for (const auto &[value, expected] : rows) {
        SCOPED_TRACE(value);
        EXPECT_EQ(RoundHalfEvenToInt(value), expected);
    }
    EXPECT_EQ(RoundHalfEvenToInt(1e12, 0, 100), 100);
    EXPECT_EQ(RoundHalfEvenToInt(std::nan(""), 5, 100), 5);
    EXPECT_EQ(RoundHalfEvenToInt(HUGE_VAL), INT_MAX);
}
