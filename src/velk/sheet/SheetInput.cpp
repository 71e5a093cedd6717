#include "SheetInput_p.h"

#include "SheetDrag_p.h"
#include "SheetEditor_p.h"
#include "SheetLayout_p.h"
#include "SheetMarkup_p.h"
#include "SheetState_p.h"
#include "SheetView_p.h"
#include "velkSheet.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>

#include <QApplication>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace velk {

namespace {

// The zone around a column's right edge in which the header offers resizing, and the
// narrowest a column can be dragged.
constexpr int resizeZone = 100;
constexpr int narrowestColumn = 100;

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

SheetInput::SheetInput(SheetState &state, SheetView &view, velkSheetEvents &events)
    : m_state(state)
    , m_view(view)
    , m_events(events)
{
}

void SheetInput::saveEdit()
{
    if (m_view.editor().isShown())
        m_view.editor().save();
}

// --- mouse on the list -------------------------------------------------------------------

void SheetInput::MouseDown(int button, int shift, int x, int y)
{
    saveEdit();
    const SheetMouseIntent intent =
        sheetMouseIntent(button, x, y, m_state.layout(), m_state.model().flags().has(u"lightedit"));
    m_press = {};
    if (intent.action == SheetMouseIntent::ClickCell) {
        m_press.active = true;
        m_press.x = x;
        m_press.y = y;
        m_press.row = m_state.model().rows().ptr(intent.row);
        if (defersClick(intent, shift)) {
            m_press.clickPending = true;
            m_press.intent = intent;
            m_press.shift = shift;
            return;
        }
    }
    apply(intent, shift, x, y);
}

bool SheetInput::defersClick(const SheetMouseIntent &intent, int shift) const
{
    const SheetModel &model = m_state.model();
    const SheetData *row = model.rows().at(intent.row);
    return model.flags().selectionMode() == SheetFlags::MultiSelect && !(shift & (ShiftState::Shift | ShiftState::Ctrl))
        && row && row->Selected && !model.hasSingleSelection();
}

void SheetInput::MouseMove(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    if (!(button & MouseButton::Left) || !m_press.active || m_press.dragChecked
        || !sheetDragThresholdReached(m_press.x, m_press.y, x, y))
        return;
    m_press.dragChecked = true;
    m_press.clickPending = false;
    startDrag();
}

void SheetInput::MouseUp(int button, int shift, int x, int y)
{
    Q_UNUSED(button);
    Q_UNUSED(shift);
    const Press press = std::exchange(m_press, Press());
    if (press.clickPending && !press.dragChecked && press.row.lock())
        apply(press.intent, press.shift, x, y);
}

void SheetInput::startDrag()
{
    // The row may have gone since the press (a handler may have cleared the sheet).
    const auto row = m_press.row.lock();
    if (!row || !m_state.model().rows().positionOf(row.get()))
        return;
    runSheetDrag(m_state, m_events, m_view.list(), row);
    // The platform's drag swallows the release.
    m_press.active = false;
}

void SheetInput::apply(const SheetMouseIntent &intent, int shift, int x, int y)
{
    switch (intent.action) {
    case SheetMouseIntent::None:
        break;
    case SheetMouseIntent::ContextMenu:
        if (m_view.selectRow(intent.row))
            Q_EMIT m_events.Click();
        Q_EMIT m_events.ContextMenu(intent.row);
        break;
    case SheetMouseIntent::ToggleExpanded:
        toggleExpanded(intent.row);
        break;
    case SheetMouseIntent::ToggleCheckBox:
        clickCheckBox(intent.row);
        break;
    case SheetMouseIntent::DropDownMenu:
        Q_EMIT m_events.DropDownMenu(intent.row);
        break;
    case SheetMouseIntent::ToggleCheckCell:
        clickCheckCell(intent.row, intent.col);
        break;
    case SheetMouseIntent::SetRating:
        Q_EMIT m_events.SetEval(intent.row, intent.value);
        m_view.repaintRow(intent.row);
        break;
    case SheetMouseIntent::LightEdit:
        m_view.editor().start(QString(), true);
        break;
    case SheetMouseIntent::ClickCell:
        if (!intent.onText || !clickMarkup(intent.row, intent.col, x, y))
            clickRow(intent.row, intent.col, shift);
        break;
    case SheetMouseIntent::ColumnMenu:
        m_view.showColumnMenu(x, y);
        break;
    case SheetMouseIntent::ColumnClick:
        Q_EMIT m_events.ColumnClick(intent.col);
        break;
    }
}

// Selection by a left click: a Shift range from the anchor in multi-select, a fresh
// selection unless Ctrl is held, a toggle in multi-select-simple. Click is raised once,
// after the current row (and column) are settled.
void SheetInput::clickRow(int pos, int col, int shift)
{
    SheetModel &model = m_state.model();
    const SheetFlags::SelectionMode mode = model.flags().selectionMode();
    const int current = model.selectedIndex();
    const bool multi = mode == SheetFlags::MultiSelect;
    if (multi && (shift & ShiftState::Shift) && current && current != pos) {
        if (!m_anchor)
            m_anchor = current;
        model.unselect();
        model.selectRange(m_anchor, pos);
    } else {
        if (multi && !(shift & ShiftState::Ctrl))
            model.unselect();
        m_anchor = pos;
    }
    SheetData *row = model.rows().at(pos);
    const bool wasSelected = row->Selected;
    m_view.selectRow(pos);
    if (mode == SheetFlags::MultiSelectSimple) {
        row->Selected = !wasSelected;
        model.touch();
    }
    m_view.repaint();
    if (model.flags().selectColumn())
        selectColumnByClick(col);
    Q_EMIT m_events.Click();
}

// Column 1 becomes the current column by a click only with "selectcolumn1": it usually
// holds the tree, and clicking there picks a row without moving the cell cursor away.
void SheetInput::selectColumnByClick(int col)
{
    if (col < 1 || (col == 1 && !m_state.model().flags().has(u"selectcolumn1")))
        return;
    m_state.model().setSelectedCol(col);
    m_view.repaintRow(m_state.model().selectedIndex());
    Q_EMIT m_events.ClickCol(col);
}

bool SheetInput::clickMarkup(int pos, int col, int x, int y)
{
    const SheetModel &model = m_state.model();
    if (!model.flags().richText() || col < 1)
        return false;
    const SheetLayout &layout = m_state.layout();
    const SheetData &row = *model.rows().at(pos);
    bool bold = false;
    bool underline = false;
    const QStringView text = SheetMarkup::stripPrefixes(row.subTextView(col), &bold, &underline);
    const SheetLayout::RowBox *box = layout.rowBox(pos);
    const int lineHeight = model.lineHeight();
    const int textTop = layout.textTop(box->y1);
    if (!text.contains(u'<') || y < textTop || lineHeight <= 0)
        return false;
    const int index = (y - textTop) / lineHeight;
    const QStringView line = lineOf(text, index);
    if (!line.contains(u'<'))
        return false;
    Canvas measure;
    measure.setFont(m_view.font());
    bold = bold || (row.Format & 2);
    const auto pieces = SheetMarkup::place(SheetMarkup::parse(line, bold), measure,
                                           layout.textLeft(row, col, box->y1), layout.columnEdge(col).x1);
    // A link or button is hit from its text's top down to (spacing - 0.2) line heights.
    const int lineTop = textTop + index * lineHeight;
    const double reach = (model.flags().spacing() - 0.2) * lineHeight;
    for (const SheetPlacedRun &piece : pieces) {
        if (piece.run.kind != SheetMarkupRun::Link && piece.run.kind != SheetMarkupRun::Button)
            continue;
        if (x >= piece.x && x <= piece.x + piece.width && y >= lineTop && y <= lineTop + reach) {
            Q_EMIT m_events.Menu(piece.run.attributes);
            return true;
        }
    }
    return false;
}

void SheetInput::clickCheckBox(int pos)
{
    const auto row = m_state.model().rows().ptr(pos);
    const int preState = row->CheckState;
    int newState = preState == 2 ? 1 : 2;
    row->CheckState = short(newState);
    m_view.repaintRow(pos);
    Q_EMIT m_events.Checked(pos, preState, newState);
    row->CheckState = short(newState);
    m_view.repaint();
}

void SheetInput::clickCheckCell(int pos, int col)
{
    const auto row = m_state.model().rows().ptr(pos);
    bool enable = row->subTextView(col) != u"2";
    Q_EMIT m_events.SetCheck(pos, col, enable);
    row->SetSubText(col, enable ? QStringLiteral("2") : QStringLiteral("1"));
    m_view.repaintRow(pos);
}

void SheetInput::toggleExpanded(int pos)
{
    const SheetData *row = m_state.model().rows().at(pos);
    m_state.model().setExpanded(pos, !row->Expanded);
    Q_EMIT m_events.expand(pos);
    m_view.repaint();
}

void SheetInput::DblClick(int x, int y)
{
    const SheetHit hit = m_state.layout().hitTest(x, y);
    if (hit.row)
        Q_EMIT m_events.DblClick(hit.row, hit.col);
}

// --- keyboard --------------------------------------------------------------------------------

SheetKeyContext SheetInput::keyContext() const
{
    const SheetModel &model = m_state.model();
    SheetKeyContext context;
    context.editorVisible = m_view.editor().isShown();
    context.noArrowKeys = model.flags().has(u"noarrowkeys");
    context.edit = model.flags().has(u"edit");
    context.editOnlyF2 = model.flags().has(u"editonlyF2");
    context.currentColumn = model.flags().selectColumn() ? model.selectedCol() : 0;
    context.lastColumn = model.columns().lastShown();
    context.menuOffered = m_state.menuOffered();
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
    m_view.editor().start(QString(QChar(keyAscii)));
    return true;
}

void SheetInput::apply(const SheetKeyIntent &intent)
{
    const SheetModel &model = m_state.model();
    switch (intent.action) {
    case SheetKeyIntent::None:
        break;
    case SheetKeyIntent::SaveEdit:
        m_view.editor().save();
        break;
    case SheetKeyIntent::CancelEdit:
        m_view.editor().cancel();
        break;
    case SheetKeyIntent::StartEdit:
        m_view.editor().start();
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
        m_view.setFirstColumn(1);
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
        Q_EMIT m_events.Delete();
        break;
    case SheetKeyIntent::ContextMenu:
        m_view.showMenuAtCurrentRow();
        break;
    }
}

// Up and Down walk the shown rows only: a row hidden under a collapsed parent takes no
// step. Nothing happens at either end.
void SheetInput::moveRow(int step, bool extend)
{
    SheetModel &model = m_state.model();
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
        m_view.selectRow(target);
        m_view.ensureVisible(target);
        Q_EMIT m_events.Click();
        return;
    }
    moveToRow(target);
}

void SheetInput::movePage(int step)
{
    const SheetModel &model = m_state.model();
    const int count = model.shownCount();
    if (count == 0)
        return;
    const int page = std::max(1, m_state.layout().visibleLines());
    const int current = model.selectedIndex();
    const int k = current ? model.shownRows().countUpTo(model.rows(), current) + step * page : 1;
    moveToRow(model.shownRows().position(model.rows(), std::clamp(k, 1, count)));
}

void SheetInput::moveToRow(int pos)
{
    SheetModel &model = m_state.model();
    if (!pos || pos == model.selectedIndex())
        return;
    if (model.flags().selectionMode() == SheetFlags::MultiSelect)
        model.unselect();
    m_anchor = pos;
    m_view.selectRow(pos);
    m_view.ensureVisible(pos);
    Q_EMIT m_events.Click();
}

int SheetInput::selectableColumnFrom(int col, int step) const
{
    const int next = m_state.model().columns().nearestShown(col, step);
    return next == 1 && !m_state.model().flags().has(u"selectcolumn1") ? 0 : next;
}

void SheetInput::moveColumn(int col)
{
    m_state.model().setSelectedCol(col);
    m_view.ensureColumnVisible(col);
    m_view.repaintRow(m_state.model().selectedIndex());
    Q_EMIT m_events.ClickCol(col);
}

void SheetInput::setCurrentExpanded(bool expanded)
{
    if (m_state.model().setExpanded(m_state.model().selectedIndex(), expanded))
        m_view.repaint();
}

// --- header ----------------------------------------------------------------------------------

void SheetInput::HeaderMouseMove(int button, int shift, int x, int y)
{
    Q_UNUSED(shift);
    SheetModel &model = m_state.model();
    if (button == 0) {
        m_resizeColumn = 0;
        if (y < model.headerHeight() && !model.flags().has(u"fixedcolsize")) {
            const SheetColumnEdges &edges = m_state.layout().columns();
            for (int col = 1; col <= model.columns().count() && !m_resizeColumn; ++col) {
                const SheetColumnEdge edge = edges.at(col);
                if (edge.x1 >= 0 && std::abs(edge.x2 - x) <= resizeZone) {
                    m_resizeColumn = col;
                    m_resizePressX = x;
                }
            }
        }
        m_view.setSizingCursor(m_resizeColumn != 0);
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
    m_view.columnsChanged();
}

void SheetInput::HeaderMouseDown(int button, int shift, int x, int y)
{
    const QRect &marker = m_state.frame().headerMarker;
    apply(sheetHeaderIntent(button, x, m_state.layout(), m_resizeColumn != 0, marker.isEmpty() ? -1 : marker.left()),
          shift, x, y);
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
    m_view.saveColumnLayout();
}

// A double click on a column's edge fits the column left of it (the one marked for
// resizing), elsewhere the column under the pointer.
void SheetInput::HeaderDblClick(int x, int y)
{
    Q_UNUSED(y);
    const int col = m_resizeColumn ? m_resizeColumn : m_state.layout().columnAt(x);
    const SheetColumn *column = m_state.model().columns().at(col);
    if (!column || column->Width == -1)
        return;
    fitColumnWidth(col);
    m_view.saveColumnLayout();
}

// Measuring text is what costs: on a long list only the rows on the screen and the rows
// whose cells are longest in characters are measured, so one long row anywhere still
// sets the width and a million rows take a moment, not seconds.
void SheetInput::fitColumnWidth(int col)
{
    SheetModel &model = m_state.model();
    SheetColumn *column = model.columns().at(col);
    if (!column)
        return;
    int widest = 0;
    if (column->Special & SheetColumn::Rating) {
        widest = ratingCellWidth;
    } else if (column->Special == SheetColumn::CheckCell) {
        widest = checkCellWidth;
    } else {
        const SheetLayout &layout = m_state.layout();
        Canvas measure;
        measure.setFont(m_view.font());
        const bool richText = model.flags().richText();
        const int padding = SheetLayout::cellPadding();
        const int x1 = layout.columnEdge(col).x1;
        const int before = col == 1 ? x1 + m_state.leftMargin() : x1 + padding;
        const int charWidth = std::max(1, int(measure.TextWidth(QStringLiteral("x"))));
        for (int pos : rowsToMeasure(col, std::max(1, SheetLayout::indentStep() / charWidth))) {
            const SheetData &row = *model.rows().at(pos);
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
    m_view.columnsChanged();
}

std::vector<int> SheetInput::rowsToMeasure(int col, int indentChars) const
{
    const SheetModel &model = m_state.model();
    const SheetShownRows &shown = model.shownRows();
    const int count = model.shownCount();
    std::vector<int> positions;
    if (count <= fitSampleRows) {
        positions.reserve(size_t(count));
        for (int k = 1; k <= count; ++k)
            positions.push_back(shown.position(model.rows(), k));
        return positions;
    }
    // (length in characters, position) of every shown row; the longest fitSampleRows
    // are picked in linear time.
    std::vector<std::pair<qsizetype, int>> lengths;
    lengths.reserve(size_t(count));
    for (int k = 1; k <= count; ++k) {
        const int pos = shown.position(model.rows(), k);
        const SheetData &row = *model.rows().at(pos);
        const qsizetype indent = col == 1 ? qsizetype(row.Indent) * indentChars : 0;
        lengths.emplace_back(row.subTextView(col).size() + indent, pos);
    }
    std::nth_element(lengths.begin(), lengths.begin() + fitSampleRows, lengths.end(), std::greater<>());
    positions.reserve(size_t(fitSampleRows) + m_state.layout().rows().size());
    for (int k = 0; k < fitSampleRows; ++k)
        positions.push_back(lengths[size_t(k)].second);
    for (const SheetLayout::RowBox &box : m_state.layout().rows())
        positions.push_back(box.pos);
    return positions;
}

// --- wheel -------------------------------------------------------------------------------------

void SheetInput::Wheel(int keys, int delta)
{
    const int notches = m_wheelNotches.add(delta);
    if (notches == 0)
        return;
    if (wheelScrollsSideways(keys))
        m_view.setFirstColumn(m_state.firstColumn() - notches);
    else
        m_view.scrollRows(-notches * QApplication::wheelScrollLines());
}

} // namespace velk
