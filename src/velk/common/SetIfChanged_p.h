#pragma once

#include <utility>

namespace velk {

/// Stores `value` in `field` when it differs; true when it did, so a setter can repaint
/// and notify exactly once per real change.
template<typename T, typename U>
bool setIfChanged(T &field, U &&value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

} // namespace velk
