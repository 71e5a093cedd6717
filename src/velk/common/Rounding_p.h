#pragma once

// Rounding to whole numbers the one way the library rounds: to the nearest, and a half to
// the even neighbour (2.5 → 2, 3.5 → 4, −2.5 → −2), whatever the floating-point
// environment says.

#include <cmath>
#include <limits>

namespace velk {

inline double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        return floor + 1.0;
    return floor;
}

/// RoundHalfEven clamped to [min, max]; NaN gives min.
inline int RoundHalfEvenToInt(double value, int min = std::numeric_limits<int>::min(),
                              int max = std::numeric_limits<int>::max())
{
    if (!(value > min))
        return min;
    if (!(value < max))
        return max;
    return int(RoundHalfEven(value));
}

} // namespace velk
