#pragma once

// The "dd.mm.yyyy" texts the date controls exchange.

#include <velk/velk_export.h>

#include <QDate>
#include <QString>

namespace velk::DateText {

/// "dd.mm.yyyy": two-digit day and month, four-digit year.
VELK_TESTS_EXPORT QString format(int day, int month, int year);
inline QString format(const QDate &date) { return format(date.day(), date.month(), date.year()); }
/// "mm.yyyy".
VELK_TESTS_EXPORT QString formatMonth(int month, int year);
/// Reads "d.m.y" (the day up to the first ".", the month up to the next, the year up to
/// the next blank; each a leading number rounded to a whole one; years below 100 widened
/// as the range texts do). Invalid for anything that is no calendar day.
VELK_TESTS_EXPORT QDate parse(const QString &text);
/// The date for possibly out-of-range parts: month cut to 1..12, day to the month's days.
VELK_TESTS_EXPORT QDate clamped(int year, int month, int day);

} // namespace velk::DateText

namespace velk::DateText {
/// "Januar" … "Dezember"; empty outside 1..12.
VELK_TESTS_EXPORT QString monthName(int month);
/// "Mo" … "So" for 1 (Monday) .. 7.
VELK_TESTS_EXPORT QString weekdayName(int dayOfWeek);
} // namespace velk::DateText
