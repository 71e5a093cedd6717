#include "SheetModel_p.h"

#include "SheetQuery_p.h"
#include "SheetSorter_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Units.h>

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace velk {

namespace {

constexpr Color GroupHeaderColor = rgbColor(255, 255, 0);

} // namespace

SheetModel::SheetModel()
{
    m_columns.setDefinition(QString());
}

SheetModel::~SheetModel() = default;

// --- columns, flags, metrics -----------------------------------------------------------

void SheetModel::setColumns(const QString &definition, const QString &saved)
{
    touch();
    if (m_columns.setDefinition(definition, saved))
        m_hadCaption = true;
}

void SheetModel::setFlags(const QString &text)
{
    touch();
    m_flags = SheetFlags(text);
    switch (m_flags.selectionMode()) {
    case SheetFlags::NoSelection:
        unselect();
        m_selectedIndex = 0;
        break;
    case SheetFlags::SingleSelect:
        selectOnly(m_selectedIndex);
        break;
    default:
        break;
    }
    if (!m_flags.selectColumn())
        m_selectedCol = 0;
    else if (m_selectedCol < 1)
        m_selectedCol = 1;
}

int SheetModel::rowPitch() const
{
    return int(std::lround(m_flags.spacing() * m_lineHeight)) + (m_flags.grid() ? twipsOfPixels(2) : 0);
}

int SheetModel::headerHeight() const
{
    return m_hadCaption ? m_lineHeight + twipsOfPixels(3) : 0;
}

int SheetModel::rowHeight(const SheetData &row, bool onlySelected) const
{
    int height;
    if (row.Height >= 1) {
        height = row.Height;
    } else {
        // A row without text lines, with or without an icon, still takes one line.
        const int lines = std::max(row.Lines(), 1);
        height = int(std::lround(m_flags.spacing() * m_lineHeight * lines));
    }
    if (m_ownerDraw > 0 && row.Selected && onlySelected)
        height += m_ownerDraw;
    return height;
}

// --- adding and removing rows ----------------------------------------------------------

SheetModel::RowPtr SheetModel::newRow(const QString &txt) const
{
    auto row = std::make_shared<SheetData>();
    row->setText(txt);
    return row;
}

SheetModel::RowPtr SheetModel::addItem(const QString &txt, const QString &ico, int indent, bool expanded,
                                       int pos, const QString &tag, int checkState)
{
    RowPtr row = newRow(txt);
    row->setIcon(ico);
    row->Indent = short(indent);
    row->Expanded = expanded;
    row->Tag = tag;
    row->CheckState = short(checkState);
    if (pos < 1 || pos > count()) {
        m_rows.append(row);
        m_newIndex = count();
    } else {
        m_rows.insert(pos, row);
        m_newIndex = pos;
        if (m_selectedIndex >= pos)
            ++m_selectedIndex;
    }
    return row;
}

int SheetModel::insertItems(int pos, std::vector<RowPtr> rows)
{
    const int at = (pos < 1 || pos > count()) ? count() + 1 : pos;
    const int added = m_rows.insertAll(at, std::move(rows));
    if (added > 0) {
        m_newIndex = at;
        if (m_selectedIndex >= at)
            m_selectedIndex += added;
    }
    return added;
}

SheetModel::RowPtr SheetModel::addSortItem(const QString &srt, const QString &txt, const QString &ico,
                                           int indent, bool expanded, const QString &tag, int checkState)
{
    const int pos = SheetSorter::sortPosition(m_rows, srt);
    RowPtr row = addItem(txt, ico, indent, expanded, pos, tag, checkState);
    row->Sort = srt;
    return row;
}

bool SheetModel::removeItem(int pos)
{
    return removeItems(pos, 1) == 1;
}

int SheetModel::removeItems(int pos, int n)
{
    const int removed = int(m_rows.take(pos, n).size());
    if (removed == 0)
        return 0;
    // As if each row were removed on its own at `pos`: the current row moves up with
    // every removal above it, and stays where it is once it is the row being removed.
    if (m_selectedIndex > pos)
        m_selectedIndex = std::max(pos, m_selectedIndex - removed);
    if (m_selectedIndex > count())
        m_selectedIndex = 0;
    return removed;
}

int SheetModel::deleteMarked()
{
    const std::vector<int> removed = m_rows.takeIf([](const SheetData &row) { return row.Deleted; });
    if (removed.empty())
        return 0;
    // Removing from the last row upwards, the current row moves up once for every
    // removed row above it.
    const auto above = std::lower_bound(removed.begin(), removed.end(), m_selectedIndex) - removed.begin();
    m_selectedIndex -= int(above);
    if (m_selectedIndex > count())
        m_selectedIndex = 0;
    return int(removed.size());
}

void SheetModel::clear()
{
    m_rows.clear();
    m_selectedIndex = 0;
    m_newIndex = 0;
    m_maybeManySelected = false;
    m_quickSortDirection = 1;
    m_groupHeaders.clear();
}

bool SheetModel::setRequestedCount(int n)
{
    if (!m_flags.requestData())
        return false;
    clear();
    std::vector<RowPtr> requested;
    requested.reserve(size_t(std::max(n, 0)));
    const QString placeholder = QStringLiteral(".");
    for (int k = 0; k < n; ++k) {
        RowPtr row = newRow(placeholder);
        row->setY1(-1);
        row->setY2(-1);
        row->Init = false;
        requested.push_back(std::move(row));
    }
    m_rows.appendAll(std::move(requested));
    return true;
}

bool SheetModel::setIndent(int pos, int ind)
{
    touch();
    SheetData *row = m_rows.at(pos);
    if (!row)
        return false;
    row->Indent = short(ind);
    m_rows.indentChanged(pos);
    return true;
}

// --- current row and selection -----------------------------------------------------------

bool SheetModel::setSelectedIndex(int pos)
{
    touch();
    const SheetFlags::SelectionMode mode = m_flags.selectionMode();
    if (mode == SheetFlags::SingleSelect && pos == m_selectedIndex)
        return false;
    if (pos < 1 || pos > count()) {
        if (m_flags.alwaysSelect())
            return false;
        pos = 0;
    }
    switch (mode) {
    case SheetFlags::NoSelection:
        break;
    case SheetFlags::SingleSelect:
        selectOnly(pos);
        break;
    case SheetFlags::MultiSelect:
    case SheetFlags::MultiSelectSimple:
        if (SheetData *row = m_rows.at(pos)) {
            row->Selected = true;
            m_maybeManySelected = true;
        }
        break;
    }
    m_selectedIndex = pos;
    return true;
}

void SheetModel::selectOnly(int pos)
{
    touch();
    if (m_maybeManySelected) {
        unselect();
    } else if (SheetData *previous = m_rows.at(m_selectedIndex)) {
        previous->Selected = false;
    }
    if (SheetData *row = m_rows.at(pos))
        row->Selected = true;
}

bool SheetModel::setSelectedCol(int col)
{
    touch();
    if (col < 0 || col > m_columns.count())
        return false;
    m_selectedCol = col;
    return true;
}

void SheetModel::selectAll()
{
    touch();
    for (const RowPtr &row : m_rows.all())
        row->Selected = true;
    m_maybeManySelected = true;
}

void SheetModel::selectRange(int from, int to)
{
    touch();
    if (from > to)
        std::swap(from, to);
    for (int pos = std::max(from, 1); pos <= std::min(to, count()); ++pos)
        m_rows.at(pos)->Selected = true;
    m_maybeManySelected = true;
}

void SheetModel::unselect()
{
    touch();
    for (const RowPtr &row : m_rows.all())
        row->Selected = false;
    m_maybeManySelected = false;
}

int SheetModel::selectedCount() const
{
    return int(std::count_if(m_rows.all().begin(), m_rows.all().end(),
                             [](const RowPtr &row) { return row->Selected; }));
}

bool SheetModel::hasSingleSelection() const
{
    int found = 0;
    for (const RowPtr &row : m_rows.all()) {
        if (row->Selected && ++found > 1)
            return false;
    }
    return found == 1;
}

Collection<SheetModel::RowPtr> SheetModel::selectedItems() const
{
    // One pass over the rows. When many may be selected there is room for all of them
    // at once (pages the selection does not reach are never touched); a selection that
    // fills less than half of it moves to a list of its own size.
    const std::vector<RowPtr> &rows = m_rows.all();
    Collection<RowPtr> items;
    items.reserve(m_maybeManySelected ? int(rows.size()) : 1);
    // The rows lie all over the heap: ask a little ahead for a row's start (beside its use
    // count, which the copy raises) and its Selected flag.
    constexpr size_t kAhead = 16;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i + kAhead < rows.size()) {
            __builtin_prefetch(rows[i + kAhead].get());
            __builtin_prefetch(&rows[i + kAhead]->Selected);
        }
        if (rows[i]->Selected)
            items.Add(rows[i]);
    }
    if (!m_maybeManySelected || size_t(items.Count()) * 2 >= rows.size())
        return items;
    Collection<RowPtr> exact;
    exact.reserve(items.Count());
    for (const RowPtr &row : items)
        exact.Add(row);
    return exact;
}

// --- tree ------------------------------------------------------------------------------

int SheetModel::queryFirst(int art, int pos) const
{
    const SheetData *row = m_rows.at(pos);
    if (!row)
        return 0;
    const int wanted = row->Indent - 1;
    // The linked parent is the nearest row above with a smaller Indent: when that is one
    // less, it is the answer; without one no row above can be one less.
    int parent = 0;
    if (const SheetData *linked = row->Parent()) {
        if (linked->Indent == wanted) {
            parent = linked->Index();
        } else {
            for (int p = linked->Index() - 1; p >= 1 && !parent; --p) {
                if (m_rows.at(p)->Indent == wanted)
                    parent = p;
            }
        }
    }
    if (art == 0)
        return parent;
    return parent ? parent + 1 : 1;
}

int SheetModel::queryNext(int art, int pos) const
{
    const SheetData *row = m_rows.at(pos);
    if (!row)
        return 0;
    const int indent = row->Indent;
    if (art == 0) {
        const SheetData *next = m_rows.at(pos + 1);
        return next && next->Indent == indent + 1 ? pos + 1 : 0;
    }
    for (int p = pos + 1; p <= count(); ++p) {
        const int other = m_rows.at(p)->Indent;
        if (other == indent)
            return p;
        if (other == indent - 1)
            return 0;
    }
    return 0;
}

QString SheetModel::fullText(int pos, const QString &sep) const
{
    const SheetData *row = m_rows.at(pos);
    if (!row)
        return QString();
    QStringList parts{row->GetSubText(1)};
    int p = pos;
    for (int level = 0; level < row->Indent; ++level) {
        p = queryFirst(0, p);
        if (p == 0)
            break;
        parts.prepend(m_rows.at(p)->GetSubText(1));
    }
    return parts.join(sep);
}

bool SheetModel::hasUninitializedChilds(int row) const
{
    if (row < 1 || row >= count())
        return false;
    const SheetData *parent = m_rows.at(row);
    const SheetData *child = m_rows.at(row + 1);
    return child->Indent == parent->Indent + 1 && child->Text() == QLatin1String("...");
}

bool SheetModel::setExpanded(int pos, bool expanded)
{
    touch();
    SheetData *row = m_rows.at(pos);
    if (!row || row->Expanded == expanded)
        return false;
    row->Expanded = expanded;
    m_shownRows.invalidate();
    return true;
}

// --- sorting and grouping --------------------------------------------------------------

template<typename F>
void SheetModel::keepingCurrentRow(F &&change)
{
    // Rows move under a reordering; the current row stays the same row.
    const SheetData *current = m_rows.at(m_selectedIndex);
    change();
    if (current)
        m_selectedIndex = m_rows.positionOf(current);
}

bool SheetModel::quickSort(int spalte, int direction, std::optional<int> pos1, std::optional<int> pos2)
{
    const SheetColumn *column = m_columns.at(spalte);
    if (!column || m_rows.isEmpty())
        return false;
    if (direction != 0)
        m_quickSortDirection = direction > 0 ? 1 : -1;
    else if (spalte == m_quickSortColumn)
        m_quickSortDirection = -m_quickSortDirection;
    else
        m_quickSortDirection = 1;
    m_quickSortColumn = spalte;
    bool sorted = false;
    keepingCurrentRow([&] {
        sorted = SheetSorter::sortColumn(m_rows, spalte, *column, m_quickSortDirection, pos1.value_or(1),
                                         pos2.value_or(count()));
    });
    return sorted;
}

void SheetModel::sortSetMarker(int col, int direct)
{
    m_quickSortColumn = col;
    m_quickSortDirection = direct;
}

bool SheetModel::setSort(int pos, const QString &srt)
{
    if (!m_rows.at(pos))
        return false;
    keepingCurrentRow([&] {
        RowPtr row = m_rows.take(pos).front();
        row->Sort = srt;
        m_rows.insert(SheetSorter::sortPosition(m_rows, srt), std::move(row));
    });
    return true;
}

void SheetModel::sort()
{
    keepingCurrentRow([&] { SheetSorter::sortByKeys(m_rows); });
}

void SheetModel::query(const QString &q, int col)
{
    m_queryText = q;
    m_queryColumn = col;
    bool grouped = false;
    const QString name = SheetQuery::groupName(q, &grouped);
    if (!grouped)
        return;
    keepingCurrentRow([&] {
        removeGroupHeaders();
        for (const RowPtr &row : m_rows.all())
            row->Sort = SheetQuery::groupValue(row->subTextView(col), name);
        SheetSorter::sortByKeys(m_rows);

        // One pass that puts a header before every change of key; inserting them one
        // by one would renumber the rest of the list for each group.
        std::vector<RowPtr> rows = m_rows.take(1, count());
        std::vector<RowPtr> withHeaders;
        withHeaders.reserve(rows.size());
        QString previous;
        for (RowPtr &row : rows) {
            if (row->Sort != previous) {
                RowPtr header = newRow(SheetQuery::headerText(row->Sort));
                header->BackColor = GroupHeaderColor;
                header->Sort = row->Sort;
                m_groupHeaders.push_back(header);
                withHeaders.push_back(std::move(header));
                previous = row->Sort;
            }
            withHeaders.push_back(std::move(row));
        }
        m_rows.appendAll(std::move(withHeaders));
    });
}

void SheetModel::removeGroupHeaders()
{
    std::unordered_set<const SheetData *> headers;
    for (const std::weak_ptr<SheetData> &weak : m_groupHeaders) {
        if (RowPtr header = weak.lock())
            headers.insert(header.get());
    }
    m_groupHeaders.clear();
    if (!headers.empty())
        m_rows.takeIf([&headers](const SheetData &row) { return headers.count(&row) != 0; });
}

} // namespace velk
