#include "SheetMouse_p.h"

#include "SheetLayout_p.h"
#include "SheetModel_p.h"

#include <velk/platform/Input.h>

#include <algorithm>
#include <cstdlib>

namespace velk {

namespace {

// How far the mouse must move with the button held before a drag starts, twips.
constexpr int dragThreshold = 50;

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

SheetMouseIntent sheetHeaderIntent(int button, int x, const SheetLayout &layout, bool resizing, int markerLeft)
{
    SheetMouseIntent intent;
    if (button == MouseButton::Right || (button == MouseButton::Left && markerLeft >= 0 && x >= markerLeft)) {
        intent.action = SheetMouseIntent::ColumnMenu;
    } else if (button == MouseButton::Left && !resizing) {
        intent.col = layout.columnAt(x);
        if (intent.col)
            intent.action = SheetMouseIntent::ColumnClick;
    }
    return intent;
}

bool sheetDragThresholdReached(int pressX, int pressY, int x, int y)
{
    return std::abs(qint64(x) - pressX) >= dragThreshold || std::abs(qint64(y) - pressY) >= dragThreshold;
}

SheetDropPlace sheetDropPlace(int y, const SheetLayout &layout, const SheetModel &model)
{
    SheetDropPlace place;
    const auto &boxes = layout.rows();
    const auto below = [&] {
        place.posbefore = model.count() + 1;
        place.mark = {SheetDropMark::Line, boxes.empty() ? layout.viewport().topMargin : boxes.back().y2, 0};
        return place;
    };
    if (boxes.empty())
        return below();
    const auto box = std::find_if(boxes.begin(), boxes.end(), [y](const SheetLayout::RowBox &b) { return y < b.y2; });
    const SheetShownRows &shown = model.shownRows();
    if (box == boxes.end()) {
        // Below the rows on the screen: below all rows only when the last shown row is there.
        if (boxes.back().pos == shown.position(model.rows(), model.shownCount()))
            return below();
        return sheetDropPlace(boxes.back().y2 - 1, layout, model);
    }
    const SheetData &row = *model.rows().at(box->pos);
    const int quarter = (box->y2 - box->y1) / 4;
    place.posdrop = box->pos;
    if (y < box->y1 + quarter) {
        place.posbefore = box->pos;
        place.posindent = row.Indent;
        place.mark = {SheetDropMark::Line, box->y1, 0};
    } else if (y < box->y2 - quarter) {
        place.posbefore = box->pos + 1;
        place.posindent = row.Indent + 1;
        place.mark = {SheetDropMark::Frame, 0, box->pos};
    } else {
        // After the row's subtree when it is collapsed: before the next shown row.
        const int next = shown.position(model.rows(), shown.countUpTo(model.rows(), box->pos) + 1);
        place.posbefore = next ? next : model.count() + 1;
        place.posindent = row.Indent;
        place.mark = {SheetDropMark::Line, box->y2, 0};
    }
    return place;
}

} // namespace velk
