#pragma once

#include <velk/velk_export.h>

namespace velk {

class SheetLayout;

/// What a mouse press on a sheet's list or header asks of it.
struct SheetMouseIntent
{
    enum Action {
        None,
        ContextMenu,    ///< right button on a row: make it current, raise ContextMenu
        ToggleExpanded, ///< the expand box
        ToggleCheckBox, ///< the row's check box
        DropDownMenu,   ///< the drop-down button of the first column
        ToggleCheckCell,///< a check cell (Special 8)
        SetRating,      ///< a rating cell: `value` is the rating the click gives
        LightEdit,      ///< the OwnerDraw area with "lightedit": open the light editor
        ClickCell,      ///< a cell: a markup link or button there, else select the row
        ColumnMenu,     ///< right button on the header
        ColumnClick,    ///< left button on a header caption
    };

    Action action = None;
    int row = 0;   ///< position; 0 on the header
    int col = 0;   ///< column number; 0 for none
    int value = 0; ///< SetRating: 20 .. 100, or 0 left of the first bar
    bool onText = false; ///< ClickCell: on a cell's text area (where markup can be hit)
};

/// A press of `button` (1 left, 2 right) at (x, y) twips of the list turned into an
/// intent by what the layout has there. `lightEdit` is the flag "lightedit".
VELK_TESTS_EXPORT SheetMouseIntent sheetMouseIntent(int button, int x, int y, const SheetLayout &layout,
                                                    bool lightEdit);
/// A press on the header at `x` twips; `resizing` when a column edge is marked for
/// resizing (a left press then starts the drag and clicks no caption).
VELK_TESTS_EXPORT SheetMouseIntent sheetHeaderIntent(int button, int x, const SheetLayout &layout, bool resizing);

} // namespace velk
