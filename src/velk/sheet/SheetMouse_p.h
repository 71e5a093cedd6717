#pragma once

#include <velk/velk_export.h>

namespace velk {

class SheetLayout;
class SheetModel;

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
/// resizing (a left press then starts the drag and clicks no caption). A right press, or a
/// left press from `markerLeft` on (the menu marker; -1 when none is shown), asks for the
/// popup menu.
VELK_TESTS_EXPORT SheetMouseIntent sheetHeaderIntent(int button, int x, const SheetLayout &layout, bool resizing,
                                                     int markerLeft = -1);

/// Whether a move to (x, y) from the press at (pressX, pressY), twips, is far enough to
/// start a drag: 50 twips or more horizontally or vertically.
VELK_TESTS_EXPORT bool sheetDragThresholdReached(int pressX, int pressY, int x, int y);

/// Where a drop would go, as the list shows it while something is dragged over it.
struct SheetDropMark
{
    enum Kind { None, Line, Frame };
    Kind kind = None;
    int y = 0;   ///< Line: where the line goes, twips of the list
    int row = 0; ///< Frame: the framed row's position
    bool operator==(const SheetDropMark &) const = default;
};

/// What a drop at a point of the list means: the row under the mouse, the row an
/// inserted row would go before, and its indentation.
struct SheetDropPlace
{
    int posdrop = 0;
    int posbefore = 0;
    int posindent = 0;
    SheetDropMark mark;
    bool operator==(const SheetDropPlace &) const = default;
};

/// The drop place at `y` twips of the list. Over row r: its top quarter inserts before r
/// at r's Indent (a line above r); its middle makes a first child (r + 1, Indent + 1, r
/// framed); its bottom quarter inserts after r and its hidden descendants at r's Indent
/// (a line below r). Below the last row: (0, Count + 1, 0). Above the first row on the
/// screen counts as that row's top quarter.
VELK_TESTS_EXPORT SheetDropPlace sheetDropPlace(int y, const SheetLayout &layout, const SheetModel &model);

} // namespace velk
