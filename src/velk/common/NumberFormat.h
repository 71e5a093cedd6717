#pragma once

// Numbers shown through a format text such as "#", "0.00" or "#,##0.00 €". The format
// is read in one locale-free notation and the result is written with German marks:
//  - "0" a digit that is always shown, "#" a digit shown only when it matters (so "#"
//    shows nothing for 0, and "#,##0" shows "0");
//  - "." the decimal point (written ","), "," between the whole-number digits asks for
//    thousands groups (written ".");
//  - anything else is a literal: in double quotes, after a backslash, or as it stands
//    ("0 DM", "#,##0.00 €");
//  - up to three sections split by ";": positive; negative (shown without its sign);
//    zero. With one section, negative numbers get a leading "-".
// Values are rounded half away from zero to the shown decimals; decimals left for "#"
// places drop their trailing zeros, and the decimal mark goes when no decimals remain.
// An empty format gives the shortest exact text ("12,5"). Every format text gives a
// result; NaN and infinities give "".

#include <velk/velk_export.h>

#include <QString>
#include <QVariant>

namespace velk {

VELK_EXPORT QString FormatNumber(double value, const QString &format);

/// A value read from a record set, shown through `format`: numbers as FormatNumber,
/// NULL as "", dates as "dd.mm.yyyy", texts as they are (a text holding a number with
/// "," or "." as decimal mark is formatted as that number).
VELK_EXPORT QString FormatValue(const QVariant &value, const QString &format);

} // namespace velk
