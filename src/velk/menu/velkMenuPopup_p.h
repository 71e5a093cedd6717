#pragma once

#include <velk/menu/velkMenuPopup.h>
#include <velk/velk_export.h>

namespace velk {

class Canvas;

/// What tests reach inside a velkMenuPopup.
class VELK_TESTS_EXPORT MenuPopupAccess
{
public:
    /// Draws the whole list on `canvas` (twips).
    static void paintOn(velkMenuPopup &popup, Canvas &canvas);
};

} // namespace velk
