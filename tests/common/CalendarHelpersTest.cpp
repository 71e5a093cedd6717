#include <velk/common/CalendarHelpers.h>

#include "support/TestSupport.h"

#include <QDate>
#include <QRegularExpression>

using namespace velk;

TEST(CalendarHelpers, YearAndMonthLengths)
{
    EXPECT_EQ(DaysInYear(1900), 365);
    EXPECT_EQ(DaysInYear(2000), 366);
    EXPECT_EQ(DaysInYear(2024), 366);
    EXPECT_EQ(DaysInYear(2023), 365);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(11, 2023), 30);
    EXPECT_EQ(DaysInMonth(13, 2023), 31);
    EXPECT_EQ(DaysInMonth(0, 2023), 31);

    const QString today = TodayText();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d\d\.\d\d\.\d{4}$)")).match(today).hasMatch()) << today.toStdString();
    EXPECT_TRUE(QDate::fromString(today, QStringLiteral("dd.MM.yyyy")).isValid());
}

TEST(CalendarHelpers, NormalizeDate)
{
    struct Row { int d, m, y, day, month, year; };
    const Row rows[] = {
        {0, 3, 2024, 29, 2, 2024}, {32, 12, 99, 1, 1, 2000}, {0, 1, 2024, 31, 12, 2023},
        {1, 1, 49, 1, 1, 2049}, {1, 1, 50, 1, 1, 1950}, {1, 1, 0, 1, 1, 2000}, {1, 1, 100, 1, 1, 100},
        {1, 13, 2024, 1, 1, 2025}, {1, 0, 2024, 1, 12, 2023}, {1, 25, 2024, 1, 1, 2026},
        // months outside 1..12 count 31 days while the day is brought into range
        {40, 13, 2024, 9, 2, 2025}, {0, 13, 2024, 31, 12, 2024}, {-40, 0, 2024, 22, 10, 2023},
        {100, 0, 2024, 9, 3, 2024}, {0, 15, 2024, 31, 2, 2025},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(::testing::Message() << r.d << '.' << r.m << '.' << r.y);
        int d = r.d, m = r.m, y = r.y;
        NormalizeDate(d, m, y);
        EXPECT_EQ(d, r.day);
        EXPECT_EQ(m, r.month);
        EXPECT_EQ(y, r.year);
    }
    // Within months 1..12 the result is plain calendar arithmetic, also far away.
    for (int offset : {400, -400, 146097 * 3 + 17, -146097 * 5 - 3, 2000000000, -700000}) {
        SCOPED_TRACE(offset);
        const QDate expected = QDate(2024, 3, 1).addDays(offset - 1);
        int d = offset, m = 3, y = 2024;
        NormalizeDate(d, m, y);
        EXPECT_EQ(QDate(y, m, d), expected);
    }
    int d = 2000000000, m = 13, y = 2024;
    NormalizeDate(d, m, y);
    EXPECT_TRUE(d >= 1 && d <= 31 && m >= 1 && m <= 12) << d << '.' << m;
}

TEST(CalendarHelpers, DateTimeKey)
{
    struct Row { const char *text, *key; };
    const Row rows[] = {
        {"20240312-101500", "20240312101500"}, {"12.03.2024 10:15:30", "20240312101530"},
        {"1.3.24", "20240301000000"}, {"1.3.95 8:05", "19950301080500"}, {"1.1.29", "20290101000000"},
        {"1.1.30", "19300101000000"}, {"12/03/2024 10:00", "20240312100000"}, {"12/03/2024", "12/03/2024"}, {"10:15", "00000010000000"},
        {"abc", "abc"}, {"", ""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        QString text = QString::fromUtf8(r.text);
        EXPECT_EQ(DateTimeKey(text), QString::fromUtf8(r.key));
    }
    QString text = QStringLiteral("12.03.2024 10:15:30");
    DateTimeKey(text);
    EXPECT_EQ(text, QStringLiteral("30"));
}
