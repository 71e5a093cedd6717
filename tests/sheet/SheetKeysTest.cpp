#include <velk/platform/Input.h>
#include <velk/sheet/SheetKeys_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(SheetKeys, KeyboardTable)
{
    using I = SheetKeyIntent;
    SheetKeyContext rows;
    rows.edit = true;
    SheetKeyContext cells = rows;
    cells.currentColumn = 2;
    cells.lastColumn = 3;
    SheetKeyContext editing = rows;
    editing.editorVisible = true;
    SheetKeyContext noArrows = rows;
    noArrows.noArrowKeys = true;
    noArrows.menuOffered = true;
    SheetKeyContext menu = rows;
    menu.menuOffered = true;
    SheetKeyContext menuEditing = editing;
    menuEditing.menuOffered = true;
    const struct
    {
        const char *name;
        int key, shift;
        const SheetKeyContext &context;
        I::Action action;
        bool extend;
    } cases[] = {
        {"Up", KeyCode::Up, 0, rows, I::RowUp, false},
        {"Shift+Down extends", KeyCode::Down, ShiftState::Shift, rows, I::RowDown, true},
        {"Page Down", KeyCode::PageDown, 0, rows, I::PageDown, false},
        {"Left collapses without a column", KeyCode::Left, 0, rows, I::Collapse, false},
        {"Left moves from column 2", KeyCode::Left, 0, cells, I::ColumnLeft, false},
        {"Right moves below the last column", KeyCode::Right, 0, cells, I::ColumnRight, false},
        {"Right expands without a column", KeyCode::Right, 0, rows, I::Expand, false},
        {"Home goes to column 1", KeyCode::Home, 0, cells, I::ColumnHome, false},
        {"Shift+Home goes to row 1", KeyCode::Home, ShiftState::Shift, cells, I::FirstRow, false},
        {"End goes to the last column", KeyCode::End, 0, cells, I::ColumnEnd, false},
        {"End goes to the last row", KeyCode::End, 0, rows, I::LastRow, false},
        {"Delete", KeyCode::Delete, 0, rows, I::Delete, false},
        {"F2 edits", KeyCode::F2, 0, rows, I::StartEdit, false},
        {"Enter does nothing on the list", KeyCode::Return, 0, rows, I::None, false},
        {"Enter saves the editor", KeyCode::Return, 0, editing, I::SaveEdit, false},
        {"Shift+Enter does not", KeyCode::Return, ShiftState::Shift, editing, I::None, false},
        {"Escape cancels", KeyCode::Escape, 0, editing, I::CancelEdit, false},
        {"arrows go to the editor", KeyCode::Down, 0, editing, I::None, false},
        {"noarrowkeys: Down", KeyCode::Down, 0, noArrows, I::None, false},
        {"noarrowkeys: Delete", KeyCode::Delete, 0, noArrows, I::None, false},
        {"noarrowkeys: F2 still edits", KeyCode::F2, 0, noArrows, I::StartEdit, false},
        {"menu key opens the menu", KeyCode::Apps, 0, menu, I::ContextMenu, false},
        {"Shift+F10 opens the menu", KeyCode::F10, ShiftState::Shift, menu, I::ContextMenu, false},
        {"F10 alone does not", KeyCode::F10, 0, menu, I::None, false},
        {"Ctrl+Shift+F10 does not", KeyCode::F10, ShiftState::Shift | ShiftState::Ctrl, menu, I::None, false},
        {"no menu offered", KeyCode::Apps, 0, rows, I::None, false},
        {"noarrowkeys: the menu key still works", KeyCode::Apps, 0, noArrows, I::ContextMenu, false},
        {"the editor keeps the menu key", KeyCode::Apps, 0, menuEditing, I::None, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const I intent = sheetKeyIntent(c.key, c.shift, c.context);
        EXPECT_EQ(intent.action, c.action);
        EXPECT_EQ(intent.extend, c.extend);
    }
    SheetKeyContext onlyF2 = rows;
    onlyF2.editOnlyF2 = true;
    EXPECT_TRUE(sheetKeyStartsEditing('a', rows));
    EXPECT_FALSE(sheetKeyStartsEditing(127, rows));
    EXPECT_FALSE(sheetKeyStartsEditing('a', onlyF2));
    EXPECT_FALSE(sheetKeyStartsEditing('a', editing));
}
