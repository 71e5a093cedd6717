#include "CalendarHelpers.h"

#include "LeadingNumber_p.h"
#include "StringHelpers.h"

#include <QDate>

namespace velk {
namespace {

constexpr qint64 kDaysPer400Years = 146097; // a Gregorian cycle: the calendar repeats after it

int daysOf(qint64 month, qint64 year)
{
    if (month < 1 || month > 12)
        return 31;
    return DaysInMonth(int(month), int(year));
}

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Zero-padded to `width` digits, with a minus in front of negative values.
QString padded(qint64 value, int width)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(width, u'0');
    return value < 0 ? u'-' + digits : digits;
}

QDate &pinnedToday()
{
    static QDate day;
    return day;
}

} // namespace

QDate Today()
{
    const QDate &pinned = pinnedToday();
    return pinned.isValid() ? pinned : QDate::currentDate();
}

void setToday(const QDate &day)
{
    pinnedToday() = day;
}

QString TodayText()
{
    return Today().toString(QStringLiteral("dd.MM.yyyy"));
}

int DaysInYear(int year)
{
    return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 366 : 365;
}

int DaysInMonth(int month, int year)
{
    switch (month) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return DaysInYear(year) == 365 ? 28 : 29;
    default:
        return 31;
    }
}

void NormalizeDate(int &dayRef, int &monthRef, int &yearRef)
{
    // Month by month as the rules say, but whole 400-year cycles and runs of 31-day
    // months outside 1..12 are taken in one step, so that any input ends quickly.
    qint64 day = dayRef, month = monthRef, year = yearRef;
    if (year < 50)
        year += 2000;
    if (year < 100)
        year += 1900;

    while (day < 1) {
        if (month < 1) { // going back from here never wraps: 31 days each month
            const qint64 steps = (1 - day + 30) / 31;
            day += 31 * steps;
            month -= steps;
            break;
        }
        if (month > 12) { // back down to December through 31-day months
            const qint64 steps = qMin(month - 12, (1 - day + 30) / 31);
            day += 31 * steps;
            month -= steps;
            continue;
        }
        if (day < -kDaysPer400Years) {
            const qint64 cycles = -day / kDaysPer400Years;
            day += cycles * kDaysPer400Years;
            year -= 400 * cycles;
            continue;
        }
        if (month == 1) {
            month = 12;
            --year;
        } else {
            --month;
        }
        day += daysOf(month, year);
    }

    while (day > daysOf(month, year)) {
        if (month > 12) { // forward from here never wraps either
            const qint64 steps = (day - 1) / 31;
            day -= 31 * steps;
            month += steps;
            break;
        }
        if (month < 1) {
            const qint64 steps = qMin(1 - month, (day - 1) / 31);
            day -= 31 * steps;
            month += steps;
            continue;
        }
        if (day > kDaysPer400Years + 31) {
            const qint64 cycles = (day - 32) / kDaysPer400Years;
            day -= cycles * kDaysPer400Years;
            year += 400 * cycles;
            continue;
        }
        day -= daysOf(month, year);
        if (month == 12) {
            month = 1;
            ++year;
        } else {
            ++month;
        }
    }

    const qint64 yearShift = floorDiv(month - 1, 12);
    year += yearShift;
    month -= 12 * yearShift;

    dayRef = int(day);
    monthRef = int(month);
    yearRef = int(year);
}

QString DateTimeKey(QString &text)
{
    if (text.size() >= 9 && text[8] == u'-')
        return text.left(8) + text.mid(9);
    if (!text.contains(u'.') && !text.contains(u':'))
        return text;

    // The parts are taken from `text` itself, as the other token helpers do; what stays
    // in it is the seconds part.
    text.replace(u'/', u'.');
    const qint64 day = LeadingInteger(GetToken(text, QStringLiteral(".")));
    const qint64 month = LeadingInteger(GetToken(text, QStringLiteral(".")));
    qint64 year = LeadingInteger(GetToken(text, QStringLiteral(" ")));
    const qint64 hours = LeadingInteger(GetToken(text, QStringLiteral(":")));
    const qint64 minutes = LeadingInteger(GetToken(text, QStringLiteral(":")));
    const qint64 seconds = LeadingInteger(text);
    if (year >= 1 && year <= 29)
        year += 2000;
    if (year >= 1 && year <= 99)
        year += 1900;
    return padded(year, 4) + padded(month, 2) + padded(day, 2) + padded(hours, 2)
        + padded(minutes, 2) + padded(seconds, 2);
}

} // namespace velk
