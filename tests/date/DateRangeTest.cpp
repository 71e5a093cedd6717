#include <velk/common/CalendarHelpers.h>
#include <velk/date/DateRange.h>

#include "support/TestSupport.h"

#include <QDate>

using namespace velk;

namespace {

QString text(const QDate &d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

// Pins today for one test and returns to the system clock afterwards.
struct PinnedToday
{
    explicit PinnedToday(const QDate &day) { setToday(day); }
    ~PinnedToday() { setToday(QDate()); }
};

} // namespace

TEST(DateRange, DescribedCases)
{
    struct Row { const char *name; QString start; QString end; QString input; };
    const Row rows[] = {
        {"a leap-year February", "01.02.2024", "29.02.2024", "2.2024"},
        {"a year", "01.01.2023", "31.12.2023", "2023"},
        {"a first quarter", "01.01.2024", "31.03.2024", "2024q1"},
        {"an upper-case quarter", "01.10.2024", "31.12.2024", "2024Q4"},
        {"a range of months", "01.01.2024", "31.03.2024", "1.2024 - 3.2024"},
        {"blanks around parts", "03.02.2024", "03.02.2024", "  3 . 2 . 2024  "},
        {"no start", "01.01.1990", "31.05.2024", "- 5.2024"},
        {"no end", "01.01.2024", "31.12.2099", "1.2024 -"},
        {"years beyond 2099 cut", "01.01.2099", "31.12.2099", "2150"},
        {"months beyond 12 cut", "01.12.2024", "31.12.2024", "14.2024"},
        {"a day beyond the month cut", "30.04.2024", "30.04.2024", "31.4.24"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DateRangeStart(row.input), row.start);
        EXPECT_EQ(DateRangeEnd(row.input), row.end);
    }
    EXPECT_EQ(DateBound(QStringLiteral("31.4.24"), true, true), QStringLiteral("30.04.2024"));
    EXPECT_EQ(DateBound(QStringLiteral("31.4.24"), true, false), QStringLiteral("#04/30/2024#"));
    EXPECT_EQ(DateBound(QStringLiteral("2.2023"), false, false), QStringLiteral("#02/28/2023#"));
}

TEST(DateRange, EveryDayMonthYearAndQuarterOf1990To2099ReadsBack)
{
    for (QDate day(1990, 1, 1); day.year() <= 2099; day = day.addDays(1)) {
        const QString d = text(day);
        const QString loose = QStringLiteral("%1.%2.%3").arg(day.day()).arg(day.month()).arg(day.year());
        ASSERT_EQ(DateRangeStart(loose), d);
        ASSERT_EQ(DateRangeEnd(loose), d);
        ASSERT_EQ(DateBound(loose, false, false), day.toString(QStringLiteral("#MM/dd/yyyy#")));
        if (day.year() >= 1950 && day.year() <= 2049) {
            const QString shortYear = QStringLiteral("%1.%2.%3").arg(day.day()).arg(day.month()).arg(day.year() % 100);
            ASSERT_EQ(DateRangeStart(shortYear), d) << shortYear.toStdString();
        }
    }
    for (int year = 1990; year <= 2099; ++year) {
        const QString y = QString::number(year);
        ASSERT_EQ(DateRangeStart(y), text(QDate(year, 1, 1)));
        ASSERT_EQ(DateRangeEnd(y), text(QDate(year, 12, 31)));
        for (int month = 1; month <= 12; ++month) {
            const QDate first(year, month, 1);
            const QString m = QStringLiteral("%1.%2").arg(month).arg(year);
            ASSERT_EQ(DateRangeStart(m), text(first));
            ASSERT_EQ(DateRangeEnd(m), text(first.addMonths(1).addDays(-1)));
        }
        for (int quarter = 1; quarter <= 4; ++quarter) {
            const QDate first(year, 3 * quarter - 2, 1);
            const QString q = y + u'q' + QString::number(quarter);
            ASSERT_EQ(DateRangeStart(q), text(first));
            ASSERT_EQ(DateRangeEnd(q), text(first.addMonths(3).addDays(-1)));
        }
    }
}

TEST(DateRange, EmptyPartsTakeTodayOnTheLastDayOfAMonthAndOnALeapDay)
{
    {
        PinnedToday today(QDate(2023, 1, 31));
        EXPECT_EQ(TodayText(), QStringLiteral("31.01.2023"));
        EXPECT_EQ(DateRangeStart(QStringLiteral(".2.")), QStringLiteral("28.02.2023")); // the 31st cut to February
        EXPECT_EQ(DateRangeStart(QStringLiteral("..")), QStringLiteral("31.01.2023"));
        EXPECT_EQ(DateRangeEnd(QStringLiteral("5..")), QStringLiteral("05.01.2023"));
        EXPECT_EQ(DateRangeEnd(QStringLiteral(".")), QStringLiteral("31.01.2023"));
        EXPECT_EQ(DateRangeStart(QStringLiteral("3.")), QStringLiteral("01.03.2023"));
    }
    {
        PinnedToday today(QDate(2024, 2, 29));
        EXPECT_EQ(DateRangeStart(QStringLiteral("..")), QStringLiteral("29.02.2024"));
        EXPECT_EQ(DateRangeEnd(QStringLiteral("..2023")), QStringLiteral("28.02.2023"));
        EXPECT_EQ(DateBound(QStringLiteral("1.."), true, false), QStringLiteral("#02/01/2024#"));
    }
    EXPECT_EQ(TodayText(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
}

TEST(DateRange, BadTextsGiveDefinedResults)
{
    const char *inputs[] = {"", "-", "q", "qq", "2024q", "2024q99999999999", "abc", "...", "1.2.3.4.5",
                            "-5.-3.-2000", "99999999999999999999", "1e400", "\xc3\xa4\xc3\xb6", "2024q-1", "--"};
    for (const char *input : inputs) {
        SCOPED_TRACE(input);
        const QString start = DateRangeStart(QString::fromUtf8(input));
        const QString end = DateRangeEnd(QString::fromUtf8(input));
        EXPECT_FALSE(start.isEmpty());
        EXPECT_FALSE(end.isEmpty());
        EXPECT_EQ(start.count(u'.'), 2);
    }
    EXPECT_EQ(DateRangeStart(QString()), QStringLiteral("01.01.1990"));
    EXPECT_EQ(DateRangeEnd(QString()), QStringLiteral("31.12.2099"));
}
