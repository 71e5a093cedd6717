#include "DateText_p.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/common/LeadingNumber_p.h>

#include <algorithm>
#include <cmath>

namespace velk::DateText {
namespace {

QString padded(qint64 value, int width)
{
    const QString digits = QString::number(value < 0 ? -value : value).rightJustified(width, u'0');
    return value < 0 ? u'-' + digits : digits;
}

// A leading number rounded half to even, kept to a range that cannot overflow an int.
int roundedNumber(QStringView text)
{
    const double value = std::nearbyint(LeadingNumber(text));
    return int(std::clamp(value, -1e9, 1e9));
}

} // namespace

QString format(int day, int month, int year)
{
    return padded(day, 2) + u'.' + padded(month, 2) + u'.' + padded(year, 4);
}

QString formatMonth(int month, int year)
{
    return padded(month, 2) + u'.' + padded(year, 4);
}

QDate parse(const QString &text)
{
    QStringView rest(text);
    auto take = [&rest](QChar sep) {
        const qsizetype at = rest.indexOf(sep);
        const QStringView piece = at < 0 ? rest : rest.left(at);
        rest = at < 0 ? QStringView() : rest.mid(at + 1);
        return piece;
    };
    const int day = roundedNumber(take(u'.'));
    const int month = roundedNumber(take(u'.'));
    int year = roundedNumber(take(u' '));
    if (year >= 0 && year < 50)
        year += 2000;
    else if (year >= 50 && year < 100)
        year += 1900;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year))
        return {};
    return QDate(year, month, day);
}

QDate clamped(int year, int month, int day)
{
    year = std::clamp(year, 1, 9999);
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, DaysInMonth(month, year));
    return QDate(year, month, day);
}

} // namespace velk::DateText

#include <velk/common/StringHelpers.h>

namespace velk::DateText {

QString monthName(int month)
{
    static const QString names = QStringLiteral(
        "1=Januar|2=Februar|3=M\u00e4rz|4=April|5=Mai|6=Juni|7=Juli|8=August|9=September|"
        "10=Oktober|11=November|12=Dezember");
    return (month >= 1 && month <= 12) ? GetListValue(names, QString::number(month)) : QString();
}

QString weekdayName(int dayOfWeek)
{
    static const char *const names[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    return (dayOfWeek >= 1 && dayOfWeek <= 7) ? QString::fromLatin1(names[dayOfWeek - 1]) : QString();
}

} // namespace velk::DateText
