#include <velk/common/NumberFormat.h>

#include <QDate>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace velk;

namespace {

TEST(NumberFormat, PlacesGroupsAndGermanMarks)
{
    struct Row
    {
        double value;
        const char *format;
        const char *expected;
    };
    const Row rows[] = {
        {0, "#", ""},
        {5, "#", "5"},
        {0.4, "#", ""},
        {0, "#,##0", "0"},
        {1234.5, "#,##0.00", "1.234,50"},
        {-1234.5, "#,##0.00", "-1.234,50"},
        {1234567, "#,##0", "1.234.567"},
        {123, "#,##0", "123"},
        {0, "#,##0.00", "0,00"},
        {7, "000", "007"},
        {0.5, "0.0", "0,5"},
        {1.5, "#.##", "1,5"},
        {1, "#.##", "1"},
        {0.25, ".00", ",25"},
        {3.25, ".00", "3,25"},
        {2.675, "0.00", "2,68"},      // as typed, not as stored in binary
        {999.995, "0.00", "1000,00"}, // the carry runs into a new digit
        {-0.001, "0.00", "0,00"},     // no sign on a value shown as zero
        {12.5, "0", "13"},            // half away from zero
        {-12.5, "0", "-13"},
        {1234.5, "#,##0.00 €", "1.234,50 €"},
        {3, "0 \"Stück\"", "3 Stück"},
        {3, "\\#0", "#3"},
        {-3, "0;(0)", "(3)"},
        {3, "0;(0)", "3"},
        {0, "0;-0;\"null\"", "null"},
        {12.5, "", "12,5"},
        {-0.125, "", "-0,125"},
        {1e20, "#,##0", "100.000.000.000.000.000.000"},
        {5, "Ja", "Ja"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(FormatNumber(r.value, QString::fromUtf8(r.format)), QString::fromUtf8(r.expected))
            << r.value << " with " << r.format;
    EXPECT_EQ(FormatNumber(std::nan(""), QStringLiteral("0")), QString());
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), QStringLiteral("0")), QString());
}

TEST(NumberFormat, RecordValuesByKind)
{
    EXPECT_EQ(FormatValue(QVariant(), QStringLiteral("0.00")), QString());
    EXPECT_EQ(FormatValue(QVariant(12), QStringLiteral("0.00")), QStringLiteral("12,00"));
    EXPECT_EQ(FormatValue(QVariant(QStringLiteral("12,5")), QStringLiteral("0.00")), QStringLiteral("12,50"));
    EXPECT_EQ(FormatValue(QVariant(QStringLiteral("O'Brien")), QStringLiteral("#")), QStringLiteral("O'Brien"));
    EXPECT_EQ(FormatValue(QVariant(QDate(2024, 2, 3)), QStringLiteral("#")), QStringLiteral("03.02.2024"));
}

} // namespace
