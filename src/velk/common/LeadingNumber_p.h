#pragma once

// Reading a number from the start of a text the way the original's number conversion
// did: leading blanks and tabs are skipped, then an optional sign, digits and one
// decimal point; reading stops at the first other character. Text without a number,
// and a number too large to hold, read as 0.

#include <QStringView>
#include <QtGlobal>

namespace velk {

double LeadingNumber(QStringView s);
/// As LeadingNumber, but only the whole part (no decimal point is read); values beyond
/// 15 digits saturate instead of overflowing.
qint64 LeadingInteger(QStringView s);

} // namespace velk
