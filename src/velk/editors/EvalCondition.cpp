#include "EvalCondition_p.h"

#include <velk/common/LeadingNumber_p.h>

#include <cmath>
#include <limits>

namespace velk::EvalCondition {
namespace {

constexpr double kCells = 17.0;

const QString kEqual = QStringLiteral("$eval=");
const QString kAtMost = QStringLiteral("$eval<=");
const QString kAtLeast = QStringLiteral("$eval>=");

} // namespace

QString conditionOf(const EvalRange &range)
{
    const int lo = range.lo();
    const int hi = range.hi();
    if (lo == 0 && hi == 0)
        return QString();
    if (lo == hi)
        return kEqual + QString::number(lo);
    if (lo == 0 && hi > 0)
        return kAtMost + QString::number(hi);
    if (lo >= 1 && hi == 100)
        return kAtLeast + QString::number(lo);
    return kAtLeast + QString::number(lo) + u'/' + kAtMost + QString::number(hi);
}

short numberAt(const QString &s, int n)
{
    const double value = std::nearbyint(LeadingNumber(QStringView(s).mid(qMin<qsizetype>(n - 1, s.size()))));
    if (std::isnan(value))
        return 0;
    if (value < std::numeric_limits<short>::min())
        return std::numeric_limits<short>::min();
    if (value > std::numeric_limits<short>::max())
        return std::numeric_limits<short>::max();
    return short(value);
}

void applyCondition(EvalRange &range, const QString &s)
{
    if (s.isEmpty()) {
        range = {};
    } else if (s.startsWith(kEqual)) {
        range.value1 = numberAt(s, 7);
        range.value2 = range.value1;
    } else if (!s.contains(u'/')) {
        if (s.startsWith(kAtMost)) {
            range.value1 = 0;
            range.value2 = numberAt(s, 8);
        } else if (s.startsWith(kAtLeast)) {
            range.value1 = numberAt(s, 8);
            range.value2 = 100;
        }
    } else {
        const qsizetype slash = s.indexOf(u'/');
        range.value1 = numberAt(s.left(slash), 8);
        range.value2 = numberAt(s.mid(slash + 1), 8);
    }
}

int valueAt(double x, double width)
{
    if (!(width > 0))
        return -1;
    const double cell = std::floor(x / width * kCells);
    if (!(cell >= 0 && cell < kCells))
        return -1;
    const int k = int(cell);
    if (k % 3 == 2)
        return -1; // the gaps: cells 2, 5, 8, 11 and 14
    return k / 3 * 20;
}

void press(EvalRange &range, int value, int shift)
{
    if (value >= 0)
        range.value1 = short(value);
    if (shift == 0)
        range.value2 = range.value1;
}

QRectF barRect(int i, double width, double height)
{
    const double u = (width - 1) / kCells;
    const double top = (100 - 20 * i) / 100.0 * height;
    return QRectF(3 * i * u, top, 2 * u, height - top);
}

bool isLit(const EvalRange &range, int i)
{
    return range.lo() <= 20 * i && 20 * i <= range.hi();
}

} // namespace velk::EvalCondition
