#pragma once

// Date-range texts: a day "d.m.y", a month "m.y", a year "y", a quarter "yyyyqn", or two of
// these joined by "-". Missing day, month or year parts take today's value (TodayText);
// years below 50 mean 20xx, below 100 19xx. A range without a start begins at 01.01.1990,
// one without an end stops at 31.12.2099. Every text gives a defined result.

#include <velk/velk_export.h>

#include <QString>

namespace velk {

/// The first day of the range as "dd.mm.yyyy"; "01.01.1990" when the start part is empty.
/// "2024q2" is read as "4.2024 - 6.2024"; case does not matter.
VELK_EXPORT QString DateRangeStart(const QString &text);
/// The last day of the range as "dd.mm.yyyy"; "31.12.2099" when the end part is empty.
VELK_EXPORT QString DateRangeEnd(const QString &text);
/// One bound from one part ("d.m.y", "m.y" or "y"): missing day and month are 1 and 1 when
/// `isStart`, else 31 and 12; empty pieces take today's. The day is cut to its month's
/// length, then the month to 12, then the year to 2099. `asText`: "dd.mm.yyyy", else the
/// database literal "#mm/dd/yyyy#".
VELK_EXPORT QString DateBound(const QString &part, bool isStart, bool asText);

} // namespace velk
