#include "SheetLayout_p.h"

#include "SheetModel_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Units.h>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

// The expand box sits in the indentation step left of the content, and only where that
// step exists: a content start of at least this much.
constexpr int expandBoxMinStart = 200;
constexpr int expandBoxLeftOfStart = 210;
constexpr int expandBoxTop = 30;
// A box of 8 pixels is hard to hit; the click zone is this much larger on every side.
constexpr int expandBoxSlack = 30;

constexpr int dropDownInset = twipsOfPixels(1);
constexpr int checkBoxAfterStart = 50;
constexpr int partGap = twipsOfPixels(3);

// Rating bars: bar v (20 .. 100) starts at x1 + 60 + 6v and is 80 wide.
constexpr int ratingBarOffset = 60;
constexpr int ratingBarStep = 6;
constexpr int ratingBarWidth = 80;

// Row heights are rounded to whole pixels: rows of 15.6 pixels would be drawn 15 and 16
// pixels high in turn, and their texts would jump by a pixel from row to row.
constexpr int wholePixels(int twips)
{
    return wholePixelTwips(twips);
}

} // namespace

SheetLayout::SheetLayout(const SheetModel &model, const SheetColumnEdges &columns, const SheetViewport &viewport)
    : m_model(&model)
    , m_columns(columns)
    , m_viewport(viewport)
{
    // Asking whether one row alone is selected scans the list; only OwnerDraw needs it.
    m_onlySelected = model.ownerDraw() > 0 && model.hasSingleSelection();
    m_gridExtra = model.flags().grid() ? twipsOfPixels(2) : 0;
    m_lineArea = wholePixels(int(std::lround(model.flags().spacing() * model.lineHeight())));
    layOutRows();
}

void SheetLayout::layOutRows()
{
    const SheetShownRows &shown = m_model->shownRows();
    const SheetRows &rows = m_model->rows();
    const int count = shown.count(rows);
    int y = m_viewport.topMargin;
    for (int k = topShownNumber(m_viewport.scrollValue); k >= 1 && k <= count && y < m_viewport.height; ++k) {
        const int pos = shown.position(rows, k);
        const int height = rowHeight(*rows.at(pos));
        m_rows.push_back({pos, y, y + height});
        y += height;
    }
}

const SheetLayout::RowBox *SheetLayout::rowBox(int pos) const
{
    // The boxes are in ascending position order.
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), pos,
                                     [](const RowBox &box, int p) { return box.pos < p; });
    return it != m_rows.end() && it->pos == pos ? &*it : nullptr;
}

// The model's row height with every line a whole number of pixels high, so a row of two
// lines is exactly as high as two rows of one.
int SheetLayout::rowHeight(const SheetData &row) const
{
    const int own = row.Height >= 1 ? wholePixels(row.Height) : m_lineArea * std::max(row.Lines(), 1);
    const int ownerDraw = carriesOwnerDraw(row) ? wholePixels(m_model->ownerDraw()) : 0;
    return own + ownerDraw + m_gridExtra;
}

int SheetLayout::textTop(int y1) const
{
    return y1 + (m_lineArea - m_model->lineHeight()) / 2;
}

bool SheetLayout::hasDropDown(const SheetData &row) const
{
    return row.Icon() == QLatin1String("##") || m_model->flags().has(u"dropdown");
}

bool SheetLayout::carriesOwnerDraw(const SheetData &row) const
{
    return m_onlySelected && row.Selected;
}

SheetFirstColumn SheetLayout::firstColumn(const SheetData &row, int y1) const
{
    SheetFirstColumn parts;
    const int left = std::max(columnEdge(1).x1, 0);
    const int indentation = m_viewport.leftMargin + row.Indent * indentStep();
    parts.start = left + indentation;
    const int middle = y1 + m_lineArea / 2;
    if (indentation >= expandBoxMinStart && row.FirstChild())
        parts.expandBox = QRect(parts.start - expandBoxLeftOfStart, y1 + expandBoxTop, expandBoxSize(), expandBoxSize());
    int x = parts.start;
    if (hasDropDown(row)) {
        parts.dropDown = QRect(x + dropDownInset, y1 + dropDownInset, dropDownWidth(), m_lineArea - 2 * dropDownInset);
        x = parts.dropDown.x() + dropDownWidth() + partGap;
    }
    if (row.CheckState >= 1) {
        parts.checkBox = QRect(x + checkBoxAfterStart, middle - checkBoxSize() / 2, checkBoxSize(), checkBoxSize());
        x = parts.checkBox.x() + checkBoxSize() + partGap;
    }
    if (!row.Icon().isEmpty() && row.Icon() != QLatin1String("##")) {
        parts.icon = QRect(x, middle - iconSize() / 2, iconSize(), iconSize());
        x += iconSize() + partGap;
    }
    parts.textX = x;
    return parts;
}

int SheetLayout::textLeft(const SheetData &row, int col, int y1) const
{
    if (col == 1)
        return firstColumn(row, y1).textX;
    return col >= 1 && col <= m_columns.count() ? columnEdge(col).x1 + cellPadding() : 0;
}

int SheetLayout::textRight(int col) const
{
    return col >= 1 && col <= m_columns.count() ? columnEdge(col).x2 - cellPadding() : 0;
}

SheetHit SheetLayout::hitTest(int x, int y) const
{
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [y](const RowBox &box) { return y >= box.y1 && y < box.y2; });
    if (it == m_rows.end())
        return {};
    SheetHit hit;
    hit.row = it->pos;
    hit.col = columnAt(x);
    hit.kind = kindInCell(*it, hit.col, x, y);
    return hit;
}

SheetHitKind SheetLayout::kindInCell(const RowBox &box, int col, int x, int y) const
{
    const SheetData &row = *m_model->rows().at(box.pos);
    if (carriesOwnerDraw(row) && y >= box.y1 + m_model->lineHeight())
        return SheetHitKind::OwnerDrawArea;
    if (col == 1) {
        const SheetFirstColumn parts = firstColumn(row, box.y1);
        const QPoint at(x, y);
        if (!parts.expandBox.isEmpty()
            && parts.expandBox.adjusted(-expandBoxSlack, -expandBoxSlack, expandBoxSlack, expandBoxSlack).contains(at))
            return SheetHitKind::ExpandBox;
        if (!parts.dropDown.isEmpty() && parts.dropDown.contains(at))
            return SheetHitKind::DropDown;
        if (!parts.checkBox.isEmpty() && parts.checkBox.contains(at))
            return SheetHitKind::CheckBox;
    }
    const SheetColumn *column = m_model->columns().at(col);
    if (!column)
        return SheetHitKind::Cell;
    if (column->Special == SheetColumn::Rating)
        return SheetHitKind::RatingCell;
    if (column->Special == SheetColumn::CheckCell && !row.subTextView(col).isEmpty())
        return SheetHitKind::CheckCell;
    return SheetHitKind::Cell;
}

int SheetLayout::ratingValueAt(int x, int x1)
{
    const int firstBar = x1 + ratingBarOffset + 20 * ratingBarStep;
    if (x < firstBar - ratingBarWidth / 2)
        return 0;
    // Bar centres are 20 × 6 = 120 twips apart.
    const int centreOfFirst = firstBar + ratingBarWidth / 2;
    const int step = int(std::lround(double(x - centreOfFirst) / (20 * ratingBarStep)));
    return std::clamp(20 + 20 * step, 20, 100);
}

// --- scrolling ---------------------------------------------------------------------------

int SheetLayout::topShownNumber(int value) const
{
    const SheetShownRows &shown = m_model->shownRows();
    const int count = shown.count(m_model->rows());
    if (count == 0)
        return 0;
    if (!m_model->flags().has(u"speed"))
        return std::clamp(value, 1, count);
    return std::min(shown.firstAtOrAfter(m_model->rows(), value), count);
}

int SheetLayout::firstShownFitting(int last) const
{
    const SheetShownRows &shown = m_model->shownRows();
    const SheetRows &rows = m_model->rows();
    int used = 0;
    int k = last;
    for (; k >= 1; --k) {
        const int height = rowHeight(*rows.at(shown.position(rows, k)));
        if (used + height > pageHeight() && k < last)
            break;
        used += height;
    }
    return k + 1;
}

int SheetLayout::maxScrollValue() const
{
    const int count = m_model->shownCount();
    if (count == 0)
        return 1;
    const int first = firstShownFitting(count);
    return m_model->flags().has(u"speed") ? m_model->shownRows().position(m_model->rows(), first) : first;
}

bool SheetLayout::allRowsFit() const
{
    const int count = m_model->shownCount();
    return count == 0 || firstShownFitting(count) <= 1;
}

int SheetLayout::scrollValueOf(int pos) const
{
    if (m_model->flags().has(u"speed"))
        return std::max(pos, 1);
    return std::max(m_model->shownRows().countUpTo(m_model->rows(), pos), 1);
}

int SheetLayout::scrollValueShowing(int pos) const
{
    const SheetShownRows &shown = m_model->shownRows();
    const SheetRows &rows = m_model->rows();
    const int target = std::max(shown.countUpTo(rows, pos), 1);
    const int top = topShownNumber(m_viewport.scrollValue);
    if (top == 0)
        return m_viewport.scrollValue;
    if (target < top)
        return scrollValueOf(shown.position(rows, target));
    // Down from the top row until the target's bottom or the page's end, whichever first.
    int y = m_viewport.topMargin;
    for (int k = top; k <= target; ++k) {
        y += rowHeight(*rows.at(shown.position(rows, k)));
        if (y > m_viewport.height)
            return scrollValueOf(shown.position(rows, firstShownFitting(target)));
    }
    return m_viewport.scrollValue;
}

int SheetLayout::visibleLines() const
{
    const int pitch = m_model->rowPitch();
    if (pitch <= 0)
        return 0;
    return std::max(0, (m_viewport.height - m_model->ownerDraw() - twipsOfPixels(2)) / pitch);
}

} // namespace velk
