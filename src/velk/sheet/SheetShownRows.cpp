#include "SheetShownRows_p.h"

#include "SheetRows_p.h"

#include <algorithm>
#include <climits>

namespace velk {

// A row is hidden when it lies in the subtree of a shown, collapsed row: the rows after
// that row with a greater Indent. So one pass with the Indent of the collapsed row whose
// subtree we are in decides every row, without following any links.
void SheetShownRows::ensure(const SheetRows &rows) const
{
    if (m_valid && m_generation == rows.generation())
        return;
    m_valid = true;
    m_generation = rows.generation();
    m_rowCount = rows.count();
    m_positions.clear();
    m_allShown = true;
    int hideDeeperThan = INT_MAX;
    const auto &all = rows.all();
    for (int p = 0; p < m_rowCount; ++p) {
        const SheetData &row = *all[size_t(p)];
        if (row.Indent > hideDeeperThan) {
            if (m_allShown) {
                m_allShown = false;
                m_positions.reserve(size_t(m_rowCount));
                for (int q = 1; q <= p; ++q)
                    m_positions.push_back(q);
            }
            continue;
        }
        hideDeeperThan = row.Expanded ? INT_MAX : row.Indent;
        if (!m_allShown)
            m_positions.push_back(p + 1);
    }
}

int SheetShownRows::count(const SheetRows &rows) const
{
    ensure(rows);
    return m_allShown ? m_rowCount : int(m_positions.size());
}

int SheetShownRows::position(const SheetRows &rows, int k) const
{
    if (k < 1 || k > count(rows))
        return 0;
    return m_allShown ? k : m_positions[size_t(k - 1)];
}

int SheetShownRows::countUpTo(const SheetRows &rows, int pos) const
{
    ensure(rows);
    pos = std::clamp(pos, 0, m_rowCount);
    if (m_allShown)
        return pos;
    return int(std::upper_bound(m_positions.begin(), m_positions.end(), pos) - m_positions.begin());
}

int SheetShownRows::firstAtOrAfter(const SheetRows &rows, int pos) const
{
    return countUpTo(rows, pos - 1) + 1;
}

} // namespace velk
