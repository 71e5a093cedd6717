#include "SheetRows_p.h"

#include <algorithm>

namespace velk {

SheetRows::~SheetRows()
{
    // Rows a host still holds must not point back at a store that is gone.
    dropAll();
}

int SheetRows::positionOf(const SheetData *row) const
{
    if (!row || row->Expanded.m_owner != this)
        return 0;
    ensureIndexes();
    return row->m_index;
}

bool SheetRows::insert(int pos, RowPtr row)
{
    if (!row || row->Expanded.m_owner)
        return false;
    adopt(*row);
    ++m_generation;
    const int at = inRange(pos) ? pos - 1 : count();
    const bool indexesCurrent = m_indexValid == count();
    m_rows.insert(m_rows.begin() + at, std::move(row));
    if (at == count() - 1 && indexesCurrent) {
        // Appending: only the new row needs a number.
        m_rows[at]->m_index = count();
        m_indexValid = count();
    } else {
        m_indexValid = std::min(m_indexValid, at);
    }
    m_linksValid = std::min(m_linksValid, at);
    return true;
}

void SheetRows::appendAll(std::vector<RowPtr> rows)
{
    const int first = count();
    m_rows.reserve(m_rows.size() + rows.size());
    for (RowPtr &row : rows) {
        if (!row || row->Expanded.m_owner)
            continue;
        adopt(*row);
        m_rows.push_back(std::move(row));
    }
    invalidateFrom(first);
}

int SheetRows::insertAll(int pos, std::vector<RowPtr> rows)
{
    const int at = inRange(pos) ? pos - 1 : count();
    // One pass adopts the rows and closes the gaps of those skipped (empty, in a store, or
    // given twice), so each row is read once while it is in cache.
    auto kept = rows.begin();
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        if (!*it || (*it)->Expanded.m_owner)
            continue;
        adopt(**it);
        if (kept != it)
            *kept = std::move(*it);
        ++kept;
    }
    rows.erase(kept, rows.end());
    m_rows.insert(m_rows.begin() + at, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    invalidateFrom(at);
    return int(rows.size());
}

std::vector<SheetRows::RowPtr> SheetRows::take(int pos, int n)
{
    std::vector<RowPtr> taken;
    if (!inRange(pos) || n < 1)
        return taken;
    const int first = pos - 1;
    const int last = std::min(count(), first + n); // one past
    taken.assign(std::make_move_iterator(m_rows.begin() + first), std::make_move_iterator(m_rows.begin() + last));
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last);
    for (const RowPtr &row : taken)
        release(*row);
    invalidateFrom(first);
    return taken;
}

std::vector<int> SheetRows::takeIf(const std::function<bool(const SheetData &)> &pred)
{
    std::vector<int> removed;
    std::vector<RowPtr> dropped; // released after the pass, so `pred` sees a whole store
    size_t write = 0;
    for (size_t read = 0; read < m_rows.size(); ++read) {
        if (pred(*m_rows[read])) {
            removed.push_back(int(read) + 1);
            dropped.push_back(std::move(m_rows[read]));
        } else {
            if (write != read)
                m_rows[write] = std::move(m_rows[read]);
            ++write;
        }
    }
    if (removed.empty())
        return removed;
    m_rows.resize(write);
    for (const RowPtr &row : dropped)
        release(*row);
    invalidateFrom(removed.front() - 1);
    return removed;
}

void SheetRows::clear()
{
    m_links.clear();
    m_indexValid = 0;
    m_linksValid = 0;
    ++m_generation;
    dropAll();
}

void SheetRows::dropAll()
{
    // The store is empty before any row goes, so that whatever a row's host data does when
    // it is destroyed finds no half-cleared list. Each row is released and let go in the
    // same pass, while it is still in cache.
    std::vector<RowPtr> rows;
    rows.swap(m_rows);
    for (RowPtr &row : rows) {
        release(*row);
        row.reset();
    }
    // The storage serves the next fill, unless a row's host data filled the list again.
    if (m_rows.empty()) {
        rows.clear();
        m_rows.swap(rows);
    }
}

void SheetRows::reorder(int from, const std::vector<int> &positions)
{
    const int size = int(positions.size());
    if (!inRange(from) || size > count() - from + 1)
        return;
    std::vector<bool> seen(size_t(size), false);
    for (int pos : positions) {
        const int k = pos - from;
        if (k < 0 || k >= size || seen[size_t(k)])
            return;
        seen[size_t(k)] = true;
    }
    // Moving the owning pointers leaves every row's reference count (and memory) alone.
    const auto first = m_rows.begin() + (from - 1);
    std::vector<RowPtr> old(std::make_move_iterator(first), std::make_move_iterator(first + size));
    for (int k = 0; k < size; ++k)
        first[k] = std::move(old[size_t(positions[size_t(k)] - from)]);
    invalidateFrom(from - 1);
}

void SheetRows::invalidateFrom(int zeroBasedPos)
{
    ++m_generation;
    m_indexValid = std::min(m_indexValid, zeroBasedPos);
    m_linksValid = std::min(m_linksValid, zeroBasedPos);
}

void SheetRows::adopt(SheetData &row)
{
    row.Expanded.m_owner = this;
}

void SheetRows::release(SheetData &row)
{
    row.Expanded.m_owner = nullptr;
    row.m_index = 0;
}

void SheetRows::renumber() const
{
    for (int p = m_indexValid; p < count(); ++p)
        m_rows[p]->m_index = p + 1;
    m_indexValid = count();
}

// Links rows from the first stale one on with a stack of the open rows (a row and its
// ancestors, Indents strictly rising). The stack at the first stale row is the ancestor
// chain of the row before it, whose links are still right; of the rows before, only
// that chain can point past it, so only its forward links are cleared.
void SheetRows::relink() const
{
    const int first = m_linksValid;
    m_links.resize(m_rows.size());
    std::vector<int> &open = m_openRows;
    open.clear();
    if (first > 0) {
        for (int p = first - 1; p >= 0; p = m_links[p].parent)
            open.push_back(p);
        std::reverse(open.begin(), open.end());
        for (int p : open)
            m_links[p].nextSibling = -1;
        m_links[first - 1].firstChild = -1;
    }
    for (int p = first; p < count(); ++p) {
        SheetData &row = *m_rows[p];
        int previous = -1;
        while (!open.empty() && m_rows[open.back()]->Indent >= row.Indent) {
            previous = open.back();
            open.pop_back();
        }
        Links &links = m_links[p];
        links.parent = open.empty() ? -1 : open.back();
        links.prevSibling = previous;
        links.nextSibling = -1;
        links.firstChild = -1;
        row.m_index = p + 1;
        if (previous >= 0)
            m_links[previous].nextSibling = p;
        else if (links.parent >= 0)
            m_links[links.parent].firstChild = p;
        open.push_back(p);
    }
    m_linksValid = m_indexValid = count();
}

} // namespace velk
