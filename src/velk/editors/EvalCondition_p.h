#pragma once

// The rating range of velkEval and its condition strings ("$eval>=40/$eval<=80"), the
// bar geometry shared by painting and hit-testing. Window-free.

#include <velk/velk_export.h>

#include <QRectF>
#include <QString>

namespace velk {

/// The two ends of the chosen range; 0 means nothing chosen.
struct VELK_TESTS_EXPORT EvalRange
{
    short value1 = 0;
    short value2 = 0;

    short lo() const { return value1 < value2 ? value1 : value2; }
    short hi() const { return value1 < value2 ? value2 : value1; }
    bool operator==(const EvalRange &) const = default;
};

namespace EvalCondition {

/// The condition string of a range: "", "$eval=lo", "$eval<=hi", "$eval>=lo" or
/// "$eval>=lo/$eval<=hi", the first case that holds in this order.
VELK_TESTS_EXPORT QString conditionOf(const EvalRange &range);
/// Reads a condition string into `range`; a text of another form leaves it as it was.
VELK_TESTS_EXPORT void applyCondition(EvalRange &range, const QString &s);
/// The number that starts at 1-based position `n` of `s`: a leading decimal number rounded
/// half to even and held to the 16-bit range; 0 when there is none.
VELK_TESTS_EXPORT short numberAt(const QString &s, int n);

/// The value a press at `x` chooses on a control `width` wide (any unit): 0, 20 .. 100,
/// or -1 for a gap between bars or a press outside.
VELK_TESTS_EXPORT int valueAt(double x, double width);
/// Applies a press: `value` from valueAt; any modifier keeps value2, so the two form a range.
VELK_TESTS_EXPORT void press(EvalRange &range, int value, int shift);

/// Bar `i` (1..5) of a control of `width` × `height`: 2 of 17 cells wide from cell 3·i,
/// rising to (100 − 20·i) % of the height.
VELK_TESTS_EXPORT QRectF barRect(int i, double width, double height);
/// Whether bar `i` lies inside the range (drawn red).
VELK_TESTS_EXPORT bool isLit(const EvalRange &range, int i);

} // namespace EvalCondition
} // namespace velk
