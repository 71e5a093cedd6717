#pragma once

#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/velk_export.h>

#include <memory>

namespace velk {

class Canvas;

/// What tests and the library's own code reach inside a velkMenuBar.
class VELK_TESTS_EXPORT MenuBarAccess
{
public:
    /// The layout of the bar's current items at its current size (cached by the bar).
    static std::shared_ptr<const MenuLayout> layout(const velkMenuBar &bar);
    /// Draws the bar on `canvas` (pixels), raising CheckState and CheckSelected per item.
    static void paintOn(velkMenuBar &bar, Canvas &canvas);
};

} // namespace velk
