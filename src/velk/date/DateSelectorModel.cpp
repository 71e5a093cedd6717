#include "DateSelectorModel.h"

#include "DateText_p.h"

#include <velk/common/CalendarHelpers.h>

#include <algorithm>

namespace velk {

DateSelectorState::DateSelectorState()
    : Year(Today().year())
    , Month(Today().month())
{
}

DateSelectorModel::DateSelectorModel(DateSelectorState &state, const QString &flags)
    : s(state)
    , m_flags(flags)
{
}

bool DateSelectorModel::hasFlag(const QString &word) const
{
    return m_flags.split(u' ', Qt::SkipEmptyParts).contains(word, Qt::CaseInsensitive);
}

QString DateSelectorModel::datum1() const
{
    return hasSelection() ? DateText::format(s.SelectedDay1, s.SelectedMonth1, s.SelectedYear1) : QString();
}

QString DateSelectorModel::Datum2() const
{
    return s.SelectedYear2 != 0 ? DateText::format(s.SelectedDay2, s.SelectedMonth2, s.SelectedYear2) : QString();
}

bool DateSelectorModel::setDatum1(const QString &text)
{
    const QDate day = DateText::parse(text);
    if (!day.isValid())
        return clear();
    const QDate before[2] = {startDate(), endDate()};
    setStart(day);
    setEnd(day);
    showMonth(day.year(), day.month());
    m_cursor = day;
    return before[0] != day || before[1] != day;
}

QString DateSelectorModel::MorvaiCondition() const
{
    const int y1 = s.SelectedYear1, m1 = s.SelectedMonth1, d1 = s.SelectedDay1;
    const int y2 = s.SelectedYear2, m2 = s.SelectedMonth2, d2 = s.SelectedDay2;
    const QString year1 = QString::number(y1).rightJustified(4, u'0');
    if (y1 == 0)
        return {};
    if (y2 == 0) {
        if (m1 != 0 && d1 != 0)
            return QStringLiteral("$date=") + DateText::format(d1, m1, y1);
        return QStringLiteral("$date=") + (m1 != 0 ? DateText::formatMonth(m1, y1) : year1);
    }
    QString start = year1;
    if (m1 != 0 && !(m1 == 1 && d1 == 1))
        start = d1 > 1 ? DateText::format(d1, m1, y1) : DateText::formatMonth(m1, y1);
    QString end = QString::number(y2).rightJustified(4, u'0');
    if (m2 != 0 && !(m2 == 12 && d2 == 31))
        end = (d2 != 0 && d2 != DaysInMonth(m2, y2)) ? DateText::format(d2, m2, y2) : DateText::formatMonth(m2, y2);
    if (start == end)
        return QStringLiteral("$date=") + start;
    return QStringLiteral("$date>=") + start + QStringLiteral("/$date<=") + end;
}

QDate DateSelectorModel::startDate() const
{
    if (!hasSelection())
        return {};
    return DateText::clamped(s.SelectedYear1, s.SelectedMonth1 ? s.SelectedMonth1 : 1,
                             s.SelectedDay1 ? s.SelectedDay1 : 1);
}

QDate DateSelectorModel::endDate() const
{
    if (!hasSelection())
        return {};
    int y = s.SelectedYear2, m = s.SelectedMonth2, d = s.SelectedDay2;
    if (y == 0) { // a single date covers its whole month or year when those are 0
        y = s.SelectedYear1;
        m = s.SelectedMonth1;
        d = s.SelectedDay1;
    }
    if (m == 0)
        return DateText::clamped(y, 12, 31);
    return DateText::clamped(y, m, d ? d : 31);
}

bool DateSelectorModel::isSelected(const QDate &day) const
{
    return hasSelection() && day >= startDate() && day <= endDate();
}

void DateSelectorModel::showMonth(int year, int month)
{
    // Whole years first, so that any month number ends in 1..12 at once.
    const qint64 shift = (month > 0 ? qint64(month) - 1 : qint64(month) - 12) / 12;
    s.Year = int(std::clamp<qint64>(year + shift, 1, 9999));
    s.Month = int(month - 12 * shift);
}

QDate DateSelectorModel::shownFirst() const
{
    return DateText::clamped(s.Year, s.Month, 1);
}

QDate DateSelectorModel::gridStart() const
{
    const QDate first = shownFirst();
    return first.addDays(1 - first.dayOfWeek());
}

QDate DateSelectorModel::dayAt(int week, int weekday) const
{
    if (week < 0 || week > 5 || weekday < 0 || weekday > 6)
        return {};
    const QDate day = gridStart().addDays(7 * week + weekday);
    const QDate first = shownFirst();
    return (day.month() == first.month() && day.year() == first.year()) ? day : QDate();
}

void DateSelectorModel::setStart(const QDate &day)
{
    s.SelectedYear1 = day.year();
    s.SelectedMonth1 = day.month();
    s.SelectedDay1 = day.day();
}

void DateSelectorModel::setEnd(const QDate &day)
{
    s.SelectedYear2 = day.year();
    s.SelectedMonth2 = day.month();
    s.SelectedDay2 = day.day();
}

bool DateSelectorModel::clear()
{
    if (!hasSelection() && s.SelectedYear2 == 0)
        return false;
    s.SelectedYear1 = s.SelectedMonth1 = s.SelectedDay1 = 0;
    s.SelectedYear2 = s.SelectedMonth2 = s.SelectedDay2 = 0;
    return true;
}

// Selects from..to, or adds it to the selection in range mode: a span that begins before
// the start moves the start, otherwise one that ends after the end moves the end. A span
// that lies inside the selection moves the end to its end, so the selection can shrink.
bool DateSelectorModel::selectSpan(const QDate &from, const QDate &to, bool range)
{
    const QDate oldStart = startDate(), oldEnd = endDate();
    const bool wasRange = s.SelectedYear2 != 0;
    if (!range || !hasSelection()) {
        setStart(from);
        setEnd(to);
    } else {
        setStart(oldStart);
        if (from < oldStart)
            setEnd(oldEnd);
        else
            setEnd(to);
        if (from < oldStart)
            setStart(from);
    }
    m_cursor = range && from >= oldStart ? to : from;
    return startDate() != oldStart || endDate() != oldEnd || !wasRange;
}

bool DateSelectorModel::clickDay(const QDate &day, bool range)
{
    if (!day.isValid())
        return false;
    if (!range && hasSelection() && startDate() == day && endDate() == day && !hasFlag(QStringLiteral("nodeselect"))) {
        m_cursor = day;
        return clear();
    }
    return selectSpan(day, day, range);
}

bool DateSelectorModel::clickWeek(int week, bool range)
{
    QDate from, to;
    for (int weekday = 0; weekday < 7; ++weekday) {
        const QDate day = dayAt(week, weekday);
        if (!day.isValid())
            continue;
        if (!from.isValid())
            from = day;
        to = day;
    }
    return from.isValid() && selectSpan(from, to, range);
}

bool DateSelectorModel::clickMonth(bool range)
{
    const QDate first = shownFirst();
    const QDate last = first.addDays(first.daysInMonth() - 1);
    if (!range && startDate() == first && endDate() == last && !hasFlag(QStringLiteral("nodeselect")))
        return clear();
    return selectSpan(first, last, range);
}

bool DateSelectorModel::clickYear(bool range)
{
    const QDate first(std::clamp(s.Year, 1, 9999), 1, 1);
    const QDate last(first.year(), 12, 31);
    if (!range && startDate() == first && endDate() == last && !hasFlag(QStringLiteral("nodeselect")))
        return clear();
    if (range && hasSelection()) {
        // Whole years: only a year outside the selection's years adds anything.
        if (first.year() < startDate().year())
            return selectSpan(first, last, true);
        if (last.year() > endDate().year())
            return selectSpan(first, last, true);
        return false;
    }
    return selectSpan(first, last, false);
}

QDate DateSelectorModel::cursor() const
{
    if (m_cursor.isValid())
        return m_cursor;
    return hasSelection() ? startDate() : shownFirst();
}

void DateSelectorModel::moveCursor(int days, int months, int years)
{
    QDate next = cursor().addYears(years).addMonths(months).addDays(days);
    if (!next.isValid() || next.year() < 1 || next.year() > 9999)
        return;
    m_cursor = next;
    showMonth(next.year(), next.month());
}

} // namespace velk
