#include "SheetInput.h"

#include "SheetEditor.h"
#include "SheetLayout.h"
#include "SheetMarkup.h"
#include "SheetModel.h"
#include "SheetView.h"
#include "velkSheet.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>

namespace velk {

namespace {

// The zone around a column's right edge in which the header offers resizing, and the
// narrowest a column can be dragged.
constexpr int resizeZone = 100;
constexpr int narrowestColumn = 100;

// Keys of a wheel message: Shift and Ctrl as the platform reports them with the wheel.
constexpr int wheelShift = 4;
constexpr int wheelNotch = 120;

// Widths a column of rating bars or check boxes needs, twips.
constexpr int ratingCellWidth = 60 + 6 * 100 + 80 + SheetLayout::cellPadding();
constexpr int checkCellWidth = SheetLayout::checkBoxSize() + 2 * SheetLayout::cellPadding();

QStringView lineOf(QStringView text, int index)
{
    qsizetype start = 0;
    for (int k = 0; k < index; ++k) {
        start = text.indexOf(u'\n', start);
        if (start < 0)
            return {};
        ++start;
    }
    qsizetype end = text.indexOf(u'\n', start);
    QStringView line = text.mid(start, (end < 0 ? text.size() : end) - start);
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

} // namespace

SheetInput::SheetInput(velkSheet &sheet)
    : m_sheet(sheet)
{
}

// --- mouse on the list -------------------------------------------------------------------

void SheetInput::MouseDown(int button, int shift, int x, int y)
{
    if (m_sheet.EditMode())
        m_sheet.SaveEdit();
    const SheetLayout layout = m_sheet.layout();
    const SheetHit hit = layout.hitTest(x, y);
    if (!hit.row)
        return;
    if (button == MouseButton::Right) {
        m_sheet.setSelectedIndex(hit.row);
        Q_EMIT m_sheet.events()->ContextMenu(hit.row);
        return;
    }
    if (button != MouseButton::Left)
        return;
    switch (hit.kind) {
    case SheetHitKind::ExpandBox:
        toggleExpanded(hit.row);
        return;
    case SheetHitKind::CheckBox:
        clickCheckBox(hit.row);
        return;
    case SheetHitKind::DropDown:
        Q_EMIT m_sheet.events()->DropDownMenu(hit.row);
        return;
    case SheetHitKind::CheckCell:
        clickCheckCell(hit.row, hit.col);
        return;
    case SheetHitKind::RatingCell:
        Q_EMIT m_sheet.events()->SetEval(hit.row,
                                         SheetLayout::ratingValueAt(x, m_sheet.model().columns().at(hit.col)->x1));
        m_sheet.repaintRow(hit.row);
        return;
    case SheetHitKind::OwnerDrawArea:
        if (m_sheet.model().flags().has(u"lightedit")) {
            m_sheet.editor().start(QString(), true);
            return;
        }
        break;
    default:
        break;
    }
    if (clickMarkup(layout, hit, x, y))
        return;
    clickRow(hit, shift);
}

// Selection by a left click: a Shift range from the anchor in multi-select, a fresh
// selection unless Ctrl is held, a toggle in multi-select-simple. Click is raised once,
// after the current row (and column) are settled.
void SheetInput::clickRow(const SheetHit &hit, int shift)
{
    SheetModel &model = m_sheet.model();
    const SheetFlags::SelectionMode mode = model.flags().selectionMode();
    const int current = model.selectedIndex();
    const bool multi = mode == SheetFlags::MultiSelect;
    if (multi && (shift & ShiftState::Shift) && current && current != hit.row) {
        if (!m_anchor)
            m_anchor = current;
        model.unselect();
        model.selectRange(m_anchor, hit.row);
    } else {
        if (multi && !(shift & ShiftState::Ctrl))
            model.unselect();
        m_anchor = hit.row;
    }
    SheetData *row = model.rows().at(hit.row);
    const bool wasSelected = row->Selected;
    m_sheet.selectRow(hit.row);
    if (mode == SheetFlags::MultiSelectSimple)
        row->Selected = !wasSelected;
    m_sheet.repaintList();
    if (model.flags().selectColumn())
        selectColumnByClick(hit.col);
    Q_EMIT m_sheet.events()->Click();
}

// Column 1 becomes the current column by a click only with "selectcolumn1": it usually
// holds the tree, and clicking there picks a row without moving the cell cursor away.
void SheetInput::selectColumnByClick(int col)
{
    if (col < 1 || (col == 1 && !m_sheet.model().flags().has(u"selectcolumn1")))
        return;
    m_sheet.model().setSelectedCol(col);
    m_sheet.repaintRow(m_sheet.SelectedIndex());
    Q_EMIT m_sheet.events()->ClickCol(col);
}

bool SheetInput::clickMarkup(const SheetLayout &layout, const SheetHit &hit, int x, int y)
{
    const SheetModel &model = m_sheet.model();
    if (!model.flags().richText() || hit.kind != SheetHitKind::Cell || hit.col < 1)
        return false;
    const SheetData &row = *model.rows().at(hit.row);
    bool bold = false;
    bool underline = false;
    const QStringView text = SheetMarkup::stripPrefixes(row.subTextView(hit.col), &bold, &underline);
    const SheetLayout::RowBox *box = layout.rowBox(hit.row);
    const int lineHeight = model.lineHeight();
    const int textTop = layout.textTop(box->y1);
    if (!text.contains(u'<') || y < textTop || lineHeight <= 0)
        return false;
    const int index = (y - textTop) / lineHeight;
    const QStringView line = lineOf(text, index);
    if (!line.contains(u'<'))
        return false;
    Canvas measure;
    measure.setFont(m_sheet.font());
    bold = bold || (row.Format & 2);
    const auto pieces = SheetMarkup::place(SheetMarkup::parse(line, bold), measure,
                                           layout.textLeft(row, hit.col, box->y1), model.columns().at(hit.col)->x1);
    // A link or button is hit from its text's top down to (spacing - 0.2) line heights.
    const int lineTop = textTop + index * lineHeight;
    const double reach = (model.flags().spacing() - 0.2) * lineHeight;
    for (const SheetPlacedRun &piece : pieces) {
        if (piece.run.kind != SheetMarkupRun::Link && piece.run.kind != SheetMarkupRun::Button)
            continue;
        if (x >= piece.x && x <= piece.x + piece.width && y >= lineTop && y <= lineTop + reach) {
            Q_EMIT m_sheet.events()->Menu(piece.run.attributes);
            return true;
        }
    }
    return false;
}

void SheetInput::clickCheckBox(int pos)
{
    const auto row = m_sheet.model().rows().ptr(pos);
    const int preState = row->CheckState;
    int newState = preState == 2 ? 1 : 2;
    row->CheckState = short(newState);
    m_sheet.repaintRow(pos);
    Q_EMIT m_sheet.events()->Checked(pos, preState, newState);
    row->CheckState = short(newState);
    m_sheet.repaintList();
}

void SheetInput::clickCheckCell(int pos, int col)
{
    const auto row = m_sheet.model().rows().ptr(pos);
    bool enable = row->subTextView(col) != u"2";
    Q_EMIT m_sheet.events()->SetCheck(pos, col, enable);
    row->SetSubText(col, enable ? QStringLiteral("2") : QStringLiteral("1"));
    m_sheet.repaintRow(pos);
}

void SheetInput::toggleExpanded(int pos)
{
    const SheetData *row = m_sheet.model().rows().at(pos);
    m_sheet.model().setExpanded(pos, !row->Expanded);
    Q_EMIT m_sheet.events()->expand(pos);
    m_sheet.repaintList();
}

void SheetInput::DblClick(int x, int y)
{
    const SheetHit hit = m_sheet.layout().hitTest(x, y);
    if (hit.row)
        Q_EMIT m_sheet.events()->DblClick(hit.row, hit.col);
}

// --- keyboard --------------------------------------------------------------------------------

SheetKeyContext SheetInput::keyContext() const
{
    const SheetModel &model = m_sheet.model();
    SheetKeyContext context;
    context.editorVisible = m_sheet.EditMode();
    context.noArrowKeys = model.flags().has(u"noarrowkeys");
    context.edit = model.flags().has(u"edit");
    context.editOnlyF2 = model.flags().has(u"editonlyF2");
    context.currentColumn = model.flags().selectColumn() ? model.selectedCol() : 0;
    context.lastColumn = model.columns().lastShown();
    return context;
}

bool SheetInput::KeyDown(int keyCode, int shift)
{
    const SheetKeyIntent intent = sheetKeyIntent(keyCode, shift, keyContext());
    if (intent.action == SheetKeyIntent::None)
        return false;
    apply(intent);
    return true;
}

bool SheetInput::KeyPress(int keyAscii)
{
    if (!sheetKeyStartsEditing(keyAscii, keyContext()))
        return false;
    m_sheet.editor().start(QString(QChar(keyAscii)));
    return true;
}

void SheetInput::apply(const SheetKeyIntent &intent)
{
    const SheetModel &model = m_sheet.model();
    switch (intent.action) {
    case SheetKeyIntent::None:
        break;
    case SheetKeyIntent::SaveEdit:
        m_sheet.SaveEdit();
        break;
    case SheetKeyIntent::CancelEdit:
        m_sheet.CancelEdit();
        break;
    case SheetKeyIntent::StartEdit:
        m_sheet.StartEdit();
        break;
    case SheetKeyIntent::RowUp:
    case SheetKeyIntent::RowDown:
        moveRow(intent.action == SheetKeyIntent::RowUp ? -1 : 1, intent.extend);
        break;
    case SheetKeyIntent::PageUp:
    case SheetKeyIntent::PageDown:
        movePage(intent.action == SheetKeyIntent::PageUp ? -1 : 1);
        break;
    case SheetKeyIntent::ColumnLeft:
    case SheetKeyIntent::ColumnRight:
        if (const int col = selectableColumnFrom(model.selectedCol(), intent.action == SheetKeyIntent::ColumnLeft ? -1 : 1))
            moveColumn(col);
        break;
    case SheetKeyIntent::Collapse:
    case SheetKeyIntent::Expand:
        setCurrentExpanded(intent.action == SheetKeyIntent::Expand);
        break;
    case SheetKeyIntent::ColumnHome:
        m_sheet.setHorizontalScroll(1);
        moveColumn(1);
        break;
    case SheetKeyIntent::ColumnEnd:
        if (const int col = model.columns().lastShown())
            moveColumn(col);
        break;
    case SheetKeyIntent::FirstRow:
        moveToRow(model.shownRows().position(model.rows(), 1));
        break;
    case SheetKeyIntent::LastRow:
        moveToRow(model.shownRows().position(model.rows(), model.shownCount()));
        break;
    case SheetKeyIntent::Delete:
        Q_EMIT m_sheet.events()->Delete();
        break;
    }
}

// Up and Down walk the shown rows only: a row hidden under a collapsed parent takes no
// step. Nothing happens at either end.
void SheetInput::moveRow(int step, bool extend)
{
    SheetModel &model = m_sheet.model();
    const SheetShownRows &shown = model.shownRows();
    const int current = model.selectedIndex();
    int target = shown.position(model.rows(), 1);
    if (current) {
        const int k = shown.countUpTo(model.rows(), current);
        const bool currentShown = shown.position(model.rows(), k) == current;
        target = shown.position(model.rows(), step > 0 ? k + 1 : (currentShown ? k - 1 : k));
    }
    if (!target || target == current)
        return;
    if (extend && current && model.flags().selectionMode() == SheetFlags::MultiSelect) {
        // Moving back onto a selected row gives up the row left behind.
        if (model.rows().at(target)->Selected)
            model.rows().at(current)->Selected = false;
        if (!m_anchor)
            m_anchor = current;
        m_sheet.selectRow(target);
        m_sheet.EnsureVisible(target);
        Q_EMIT m_sheet.events()->Click();
        return;
    }
    moveToRow(target);
}

void SheetInput::movePage(int step)
{
    const SheetModel &model = m_sheet.model();
    const int count = model.shownCount();
    if (count == 0)
        return;
    const int page = std::max(1, m_sheet.VisibleLines());
    const int current = model.selectedIndex();
    const int k = current ? model.shownRows().countUpTo(model.rows(), current) + step * page : 1;
    moveToRow(model.shownRows().position(model.rows(), std::clamp(k, 1, count)));
}

void SheetInput::moveToRow(int pos)
{
    SheetModel &model = m_sheet.model();
    if (!pos || pos == model.selectedIndex())
        return;
    if (model.flags().selectionMode() == SheetFlags::MultiSelect)
        model.unselect();
    m_anchor = pos;
    m_sheet.selectRow(pos);
    m_sheet.EnsureVisible(pos);
    Q_EMIT m_sheet.events()->Click();
}

int SheetInput::selectableColumnFrom(int col, int step) const
{
    const int next = m_sheet.model().columns().nearestShown(col, step);
    return next == 1 && !m_sheet.model().flags().has(u"selectcolumn1") ? 0 : next;
}

void SheetInput::moveColumn(int col)
{
    m_sheet.model().setSelectedCol(col);
    m_sheet.view().ensureColumnVisible(col);
    m_sheet.repaintRow(m_sheet.SelectedIndex());
    Q_EMIT m_sheet.events()->ClickCol(col);
}

void SheetInput::setCurrentExpanded(bool expanded)
{
    if (m_sheet.model().setExpanded(m_sheet.SelectedIndex(), expanded))
        m_sheet.repaintList();
}

// --- header ----------------------------------------------------------------------------------

void SheetInput::HeaderMouseMove(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    SheetModel &model = m_sheet.model();
    if (button == 0) {
        m_resizeColumn = 0;
        if (y < model.headerHeight() && !model.flags().has(u"fixedcolsize")) {
            for (int col = 1; col <= model.columns().count() && !m_resizeColumn; ++col) {
                const SheetColumn *column = model.columns().at(col);
                if (column->x1 >= 0 && std::abs(column->x2 - x) <= resizeZone) {
                    m_resizeColumn = col;
                    m_resizePressX = x;
                }
            }
        }
        m_sheet.view().setSizingCursor(m_resizeColumn != 0);
        return;
    }
    SheetColumn *column = model.columns().at(m_resizeColumn);
    if (!(button & MouseButton::Left) || !column || column->Width == -1)
        return;
    // The press position follows the change actually made, so the edge stays under the
    // pointer once the pointer comes back from beyond the narrowest width.
    const int width = std::max(narrowestColumn, column->Width + x - m_resizePressX);
    const int applied = width - column->Width;
    if (applied == 0)
        return;
    column->Width = width;
    m_resizePressX += applied;
    m_resized = true;
    m_sheet.RecalculateColumns();
    m_sheet.repaintList();
}

void SheetInput::HeaderMouseDown(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    if (button == MouseButton::Right) {
        m_sheet.view().showColumnMenu(x, y);
        return;
    }
    if (button != MouseButton::Left || m_resizeColumn)
        return;
    if (const int col = m_sheet.layout().columnAt(x))
        Q_EMIT m_sheet.events()->ColumnClick(col);
}

void SheetInput::HeaderMouseUp(int button, int shift, int x, int y)
{
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    if (!m_resized)
        return;
    m_resized = false;
    m_sheet.view().saveColumnLayout();
}

// A double click on a column's edge fits the column left of it (the one marked for
// resizing), elsewhere the column under the pointer.
void SheetInput::HeaderDblClick(int x, int y)
{
    Q_UNUSED(y);
    const int col = m_resizeColumn ? m_resizeColumn : m_sheet.layout().columnAt(x);
    const SheetColumn *column = m_sheet.model().columns().at(col);
    if (!column || column->Width == -1)
        return;
    fitColumnWidth(col);
    m_sheet.view().saveColumnLayout();
}

// Measures every shown row's cell, so it takes a moment on a huge list; it runs only on
// the user's double click.
void SheetInput::fitColumnWidth(int col)
{
    SheetModel &model = m_sheet.model();
    SheetColumn *column = model.columns().at(col);
    if (!column)
        return;
    int widest = 0;
    if (column->Special & SheetColumn::Rating) {
        widest = ratingCellWidth;
    } else if (column->Special == SheetColumn::CheckCell) {
        widest = checkCellWidth;
    } else {
        const SheetLayout layout = m_sheet.layout();
        Canvas measure;
        measure.setFont(m_sheet.font());
        const bool richText = model.flags().richText();
        const int padding = SheetLayout::cellPadding();
        const int before = col == 1 ? column->x1 + m_sheet.LeftMargin() : column->x1 + padding;
        for (int k = 1; k <= model.shownCount(); ++k) {
            const SheetData &row = *model.rows().at(model.shownRows().position(model.rows(), k));
            bool bold = false;
            bool underline = false;
            QStringView text = row.subTextView(col);
            if (richText)
                text = SheetMarkup::stripPrefixes(text, &bold, &underline);
            measure.setFontBold(bold || (row.Format & 2));
            const int start = layout.textLeft(row, col, 0);
            const int width = text.isEmpty() ? 0 : int(measure.TextWidth(text.toString()));
            widest = std::max(widest, start - before + width + padding);
        }
        if (col != 1)
            widest += padding;
    }
    column->Width = std::max(narrowestColumn, widest);
    m_sheet.RecalculateColumns();
    m_sheet.repaintList();
}

// --- wheel -------------------------------------------------------------------------------------

void SheetInput::Wheel(int keys, int delta)
{
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / wheelNotch;
    m_wheelRemainder %= wheelNotch;
    if (notches == 0)
        return;
    if (keys & wheelShift)
        m_sheet.setHorizontalScroll(m_sheet.horizontalScroll() - notches);
    else
        m_sheet.view().scrollRows(-notches * QApplication::wheelScrollLines());
}

} // namespace velk
