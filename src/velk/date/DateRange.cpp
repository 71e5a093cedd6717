#include "DateRange.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/common/LeadingNumber_p.h>

#include <algorithm>

namespace velk {
namespace {

const QString kLowestStart = QStringLiteral("01.01.1990");
const QString kHighestEnd = QStringLiteral("31.12.2099");

// "00" format: at least two digits, a minus in front of negative values.
QString twoDigits(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(2, u'0');
    return value < 0 ? u'-' + digits : digits;
}

// Reads a number by the leading-number rule, kept within a range where the later
// arithmetic (year widening, 3n for quarters) cannot overflow.
qint64 numberOf(QStringView text)
{
    return std::clamp<qint64>(LeadingInteger(text), -1'000'000'000LL, 1'000'000'000LL);
}

// "yyyyqn" becomes "(3n-2).yyyy - 3n.yyyy"; other texts stay as they are.
QString expandQuarter(const QString &lower)
{
    const qsizetype q = lower.indexOf(u'q');
    if (q < 0)
        return lower;
    const QString year = lower.left(q);
    const qint64 quarter = numberOf(QStringView(lower).mid(q + 1));
    return QString::number(3 * quarter - 2) + u'.' + year + QStringLiteral(" - ")
        + QString::number(3 * quarter) + u'.' + year;
}

} // namespace

QString DateRangeStart(const QString &text)
{
    const QString range = expandQuarter(text.toLower());
    const qsizetype dash = range.indexOf(u'-');
    const QString start = (dash >= 0 ? range.left(dash) : range).trimmed();
    return start.isEmpty() ? kLowestStart : DateBound(start, true, true);
}

QString DateRangeEnd(const QString &text)
{
    const QString range = expandQuarter(text.toLower());
    const qsizetype dash = range.indexOf(u'-');
    const QString end = (dash >= 0 ? range.mid(dash + 1) : range).trimmed();
    return end.isEmpty() ? kHighestEnd : DateBound(end, false, true);
}

QString DateBound(const QString &part, bool isStart, bool asText)
{
    // Today is read only when a piece is empty.
    QString today;
    const auto todayPart = [&today](int from, int length) {
        if (today.isEmpty())
            today = TodayText();
        return numberOf(QStringView(today).mid(from, length));
    };
    qint64 day = isStart ? 1 : 31;
    qint64 month = isStart ? 1 : 12;
    QStringView rest(part);

    const qsizetype firstDot = rest.indexOf(u'.');
    if (firstDot >= 0) {
        const QStringView first = rest.left(firstDot).trimmed();
        rest = rest.mid(firstDot + 1);
        QStringView monthText = first;
        const qsizetype secondDot = rest.indexOf(u'.');
        if (secondDot >= 0) {
            day = first.isEmpty() ? todayPart(0, 2) : numberOf(first);
            monthText = rest.left(secondDot).trimmed();
            rest = rest.mid(secondDot + 1);
        }
        month = monthText.isEmpty() ? todayPart(3, 2) : numberOf(monthText);
    }
    const QStringView yearText = rest.trimmed();
    qint64 year = yearText.isEmpty() ? todayPart(6, -1) : numberOf(yearText);
    if (year < 50)
        year += 2000;
    if (year < 100)
        year += 1900;

    // The cuts in this order: the day's month may still be above 12 (31 days then).
    day = std::min<qint64>(day, DaysInMonth(int(std::clamp<qint64>(month, -1, 13)), int(std::min<qint64>(year, 1'000'000))));
    month = std::min<qint64>(month, 12);
    year = std::min<qint64>(year, 2099);

    if (asText)
        return twoDigits(day) + u'.' + twoDigits(month) + u'.' + twoDigits(year);
    return u'#' + twoDigits(month) + u'/' + twoDigits(day) + u'/' + twoDigits(year) + u'#';
}

} // namespace velk
