#pragma once

#include <velk/velk_export.h>

namespace velk {

/// What a key asks of a sheet.
struct SheetKeyIntent
{
    enum Action {
        None,
        SaveEdit,
        CancelEdit,
        StartEdit,
        RowUp,
        RowDown,
        PageUp,
        PageDown,
        ColumnLeft,
        Collapse,
        ColumnRight,
        Expand,
        ColumnHome,
        FirstRow,
        LastRow,
        ColumnEnd,
        Delete,
        ContextMenu, ///< the popup menu "menu_popup" at the current row
    };

    Action action = None;
    bool extend = false; ///< Shift held: Up and Down extend a multi-selection
};

/// The state a key is judged in.
struct SheetKeyContext
{
    bool editorVisible = false;
    bool noArrowKeys = false; ///< the flag "noarrowkeys"
    bool edit = false;        ///< the flag "edit"
    bool editOnlyF2 = false;  ///< the flag "editonlyF2"
    int currentColumn = 0;    ///< 0 without "selectcolumn"
    int lastColumn = 0;       ///< number of the last shown column
    bool menuOffered = false; ///< the header offers the popup menu
};

/// The sheet's keyboard table: a key-down (key code and shift state) turned into an
/// intent. While the editor is shown only Enter (without Shift) and Escape count;
/// with "noarrowkeys" only F2 and the menu keys. The context-menu key and Shift+F10 open
/// the popup menu while it is offered.
VELK_TESTS_EXPORT SheetKeyIntent sheetKeyIntent(int keyCode, int shift, const SheetKeyContext &context);
/// Whether a key press of `keyAscii` starts editing: a printable character (32 .. 126)
/// with "edit", without "editonlyF2", while no editor is shown.
VELK_TESTS_EXPORT bool sheetKeyStartsEditing(int keyAscii, const SheetKeyContext &context);

} // namespace velk
