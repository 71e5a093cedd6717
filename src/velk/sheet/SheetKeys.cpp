#include "SheetKeys_p.h"

#include <velk/platform/Input.h>

namespace velk {

namespace {

SheetKeyIntent intent(SheetKeyIntent::Action action, bool extend = false)
{
    return {action, extend};
}

SheetKeyIntent editorKey(int keyCode, bool shifted)
{
    if (keyCode == KeyCode::Return && !shifted)
        return intent(SheetKeyIntent::SaveEdit);
    if (keyCode == KeyCode::Escape)
        return intent(SheetKeyIntent::CancelEdit);
    return {};
}

SheetKeyIntent navigationKey(int keyCode, bool shifted, const SheetKeyContext &context)
{
    const int col = context.currentColumn;
    switch (keyCode) {
    case KeyCode::Up:
        return intent(SheetKeyIntent::RowUp, shifted);
    case KeyCode::Down:
        return intent(SheetKeyIntent::RowDown, shifted);
    case KeyCode::PageUp:
        return intent(SheetKeyIntent::PageUp);
    case KeyCode::PageDown:
        return intent(SheetKeyIntent::PageDown);
    case KeyCode::Left:
        if (col >= 2)
            return intent(SheetKeyIntent::ColumnLeft);
        return col == 0 ? intent(SheetKeyIntent::Collapse) : SheetKeyIntent{};
    case KeyCode::Right:
        if (col >= 1 && col < context.lastColumn)
            return intent(SheetKeyIntent::ColumnRight);
        return intent(SheetKeyIntent::Expand);
    case KeyCode::Home:
        return !shifted && col ? intent(SheetKeyIntent::ColumnHome) : intent(SheetKeyIntent::FirstRow);
    case KeyCode::End:
        return shifted || !col ? intent(SheetKeyIntent::LastRow) : intent(SheetKeyIntent::ColumnEnd);
    case KeyCode::Delete:
        return intent(SheetKeyIntent::Delete);
    default:
        return {};
    }
}

} // namespace

SheetKeyIntent sheetKeyIntent(int keyCode, int shift, const SheetKeyContext &context)
{
    const bool shifted = (shift & ShiftState::Shift) != 0;
    if (context.editorVisible)
        return editorKey(keyCode, shifted);
    if (keyCode == KeyCode::F2)
        return context.edit ? intent(SheetKeyIntent::StartEdit) : SheetKeyIntent{};
    if (keyCode == KeyCode::Apps || (keyCode == KeyCode::F10 && shift == ShiftState::Shift))
        return context.menuOffered ? intent(SheetKeyIntent::ContextMenu) : SheetKeyIntent{};
    if (context.noArrowKeys)
        return {};
    return navigationKey(keyCode, shifted, context);
}

bool sheetKeyStartsEditing(int keyAscii, const SheetKeyContext &context)
{
    return context.edit && !context.editOnlyF2 && !context.editorVisible && keyAscii >= 32 && keyAscii <= 126;
}

} // namespace velk
