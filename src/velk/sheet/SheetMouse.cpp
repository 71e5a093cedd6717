#include "SheetMouse_p.h"

#include "SheetLayout_p.h"

#include <velk/platform/Input.h>

namespace velk {

namespace {

SheetMouseIntent::Action actionOfPart(SheetHitKind kind, bool lightEdit)
{
    switch (kind) {
    case SheetHitKind::ExpandBox:
        return SheetMouseIntent::ToggleExpanded;
    case SheetHitKind::CheckBox:
        return SheetMouseIntent::ToggleCheckBox;
    case SheetHitKind::DropDown:
        return SheetMouseIntent::DropDownMenu;
    case SheetHitKind::CheckCell:
        return SheetMouseIntent::ToggleCheckCell;
    case SheetHitKind::RatingCell:
        return SheetMouseIntent::SetRating;
    case SheetHitKind::OwnerDrawArea:
        return lightEdit ? SheetMouseIntent::LightEdit : SheetMouseIntent::ClickCell;
    default:
        return SheetMouseIntent::ClickCell;
    }
}

} // namespace

SheetMouseIntent sheetMouseIntent(int button, int x, int y, const SheetLayout &layout, bool lightEdit)
{
    const SheetHit hit = layout.hitTest(x, y);
    if (!hit.row || (button != MouseButton::Left && button != MouseButton::Right))
        return {};
    SheetMouseIntent intent;
    intent.row = hit.row;
    intent.col = hit.col;
    if (button == MouseButton::Right) {
        intent.action = SheetMouseIntent::ContextMenu;
        return intent;
    }
    intent.action = actionOfPart(hit.kind, lightEdit);
    intent.onText = hit.kind == SheetHitKind::Cell;
    if (intent.action == SheetMouseIntent::SetRating)
        intent.value = SheetLayout::ratingValueAt(x, layout.columnEdge(hit.col).x1);
    return intent;
}

SheetMouseIntent sheetHeaderIntent(int button, int x, const SheetLayout &layout, bool resizing)
{
    SheetMouseIntent intent;
    if (button == MouseButton::Right) {
        intent.action = SheetMouseIntent::ColumnMenu;
    } else if (button == MouseButton::Left && !resizing) {
        intent.col = layout.columnAt(x);
        if (intent.col)
            intent.action = SheetMouseIntent::ColumnClick;
    }
    return intent;
}

} // namespace velk
