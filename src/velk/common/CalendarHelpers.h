#pragma once

// Small Gregorian calendar helpers; dates are day, month, year integers.

#include <velk/velk_export.h>

#include <QDate>
#include <QString>

namespace velk {

/// Today's date from the library's one clock: the system clock, unless setToday pinned a day.
VELK_EXPORT QDate Today();
/// Pins the library's today for TodayText and every date control, so tests and demos
/// see a fixed day; an invalid date returns to the system clock.
VELK_EXPORT void setToday(const QDate &day);
/// Today as "dd.mm.yyyy".
VELK_EXPORT QString TodayText();
/// 366 in leap years, else 365.
VELK_EXPORT int DaysInYear(int year);
/// Days of `month` in `year`; 31 for months outside 1..12.
VELK_EXPORT int DaysInMonth(int month, int year);
/// Brings an overflowing or underflowing date into range; two-digit years are widened.
VELK_EXPORT void NormalizeDate(int &day, int &month, int &year);
/// A German date/time text ("dd.mm.yyyy hh:nn:ss", parts optional, "/" for ".") as a
/// sortable key "yyyymmddhhnnss"; a key "yyyymmdd-hhnnss" is closed up; texts without
/// "." or ":" come back unchanged. Like the other token helpers it takes the date and
/// time parts from `text`, which then keeps only the seconds part.
VELK_EXPORT QString DateTimeKey(QString &text);

} // namespace velk
