#pragma once

// The library's one reader of a number at the start of a text, used wherever a text is
// taken as a number (sizes, colours, icon numbers, dates, XML queries and entities).
//
// Rules, in NumberForm::Plain:
//  - blanks, tabs and line feeds before the number are skipped;
//  - then an optional sign, digits (ASCII only) and at most one "." with more digits;
//  - reading stops at the first other character, the rest of the text is ignored
//    ("50%" → 50, "12px" → 12, "-.5" → −0.5);
//  - a text without digits reads as 0 ("", "abc", "+", ".");
//  - a number too large to hold reads as 0;
//  - the process locale plays no part ("," is never a decimal point).
// NumberForm::Scientific reads further: blanks, tabs and line feeds may also stand between
// the characters of the number ("1 2" → 12), an exponent "E" or "D" with an optional sign
// may follow ("1.5E3" → 1500; an exponent without digits is ignored), and a number too
// large to hold reads as ±infinity, for the caller to clamp.

#include <velk/velk_export.h>

#include <QStringView>
#include <QtGlobal>

namespace velk {

enum class NumberForm { Plain, Scientific };

VELK_TESTS_EXPORT double LeadingNumber(QStringView s, NumberForm form = NumberForm::Plain);
/// As LeadingNumber in the plain form, but only the whole part (no decimal point is
/// read); values beyond 15 digits saturate instead of overflowing.
VELK_TESTS_EXPORT qint64 LeadingInteger(QStringView s);

} // namespace velk
