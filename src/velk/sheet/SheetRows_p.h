#pragma once

#include <velk/sheet/SheetData.h>
#include <velk/velk_export.h>

#include <functional>
#include <memory>
#include <vector>

namespace velk {

/// The ordered row store of a sheet. Positions are 1-based. Every row's Index and tree
/// links are brought up to date lazily: a change only records the first position it
/// touched, and the next read renumbers and relinks from there. So a run of appends, or a
/// batch of removals, costs linear time in total however the rows are read in between.
class VELK_TESTS_EXPORT SheetRows
{
public:
    using RowPtr = std::shared_ptr<SheetData>;

    /// Positions (0-based) of a row's linked rows, -1 for none.
    struct Links
    {
        int parent = -1;
        int firstChild = -1;
        int nextSibling = -1;
        int prevSibling = -1;
    };

    SheetRows() = default;
    ~SheetRows();
    SheetRows(const SheetRows &) = delete;
    SheetRows &operator=(const SheetRows &) = delete;

    int count() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    /// Row at `pos`; nullptr outside 1 .. count.
    SheetData *at(int pos) const { return inRange(pos) ? m_rows[pos - 1].get() : nullptr; }
    /// Owning pointer of the row at `pos`; empty outside 1 .. count.
    RowPtr ptr(int pos) const { return inRange(pos) ? m_rows[pos - 1] : RowPtr(); }
    /// Position of `row` in this store; 0 when it is not here.
    int positionOf(const SheetData *row) const;
    const std::vector<RowPtr> &all() const { return m_rows; }

    /// Inserts before `pos`; appends when `pos` is outside 1 .. count. A row that is in
    /// another store (or already here) is not added; returns false then.
    bool insert(int pos, RowPtr row);
    bool append(RowPtr row) { return insert(0, std::move(row)); }
    /// Appends many rows at once (requested rows, bulk fills).
    void appendAll(std::vector<RowPtr> rows);
    /// Inserts many rows before `pos` in one move (appends when `pos` is outside
    /// 1 .. count); rows already in a store are skipped. Returns how many went in.
    int insertAll(int pos, std::vector<RowPtr> rows);
    /// Takes the rows `pos` .. `pos`+`n`-1 out (clipped to the list); returns them.
    std::vector<RowPtr> take(int pos, int n = 1);
    /// Takes out every row for which `pred` holds, in one pass. Returns the positions the
    /// removed rows had, ascending.
    std::vector<int> takeIf(const std::function<bool(const SheetData &)> &pred);
    void clear();
    /// Rearranges rows `from` .. `from`+size-1: `positions` lists their current
    /// positions in the new order. Ignored unless it names each of them exactly once.
    void reorder(int from, const std::vector<int> &positions);
    /// Records that Indent changed at `pos` (links from there on are rebuilt when read).
    void indentChanged(int pos) { invalidateFrom(pos - 1); }
    /// Forgets every link, so the next read rebuilds all (after hosts changed Indent
    /// fields directly).
    void relinkAll() { invalidateFrom(0); }
    /// A row's Expanded changed: the shown rows and the geometry are worked out again
    /// when next read.
    void expansionWritten() { ++m_generation; }
    /// Grows with every change of the order, the number of rows, an Indent that went
    /// through this store or a row's Expanded: caches of derived data compare it to know they are stale.
    quint64 generation() const { return m_generation; }

    void ensureIndexes() const
    {
        if (m_indexValid < count())
            renumber();
    }
    void ensureLinks() const
    {
        if (m_linksValid < count())
            relink();
    }
    /// The row `row` (which is here) links to by `link`; nullptr for none.
    SheetData *linked(const SheetData &row, int Links::*link) const
    {
        ensureLinks();
        return at(m_links[size_t(row.m_index - 1)].*link + 1);
    }

private:
    bool inRange(int pos) const { return pos >= 1 && pos <= count(); }
    void invalidateFrom(int zeroBasedPos);
    void adopt(SheetData &row);
    static void release(SheetData &row);
    void dropAll();
    void renumber() const;
    void relink() const;

    std::vector<RowPtr> m_rows;
    // Leading rows whose Index (m_indexValid) and links (m_linksValid) are current.
    // Invariant: m_linksValid <= m_indexValid.
    mutable int m_indexValid = 0;
    mutable int m_linksValid = 0;
    // The rows' tree links by position, valid for the first m_linksValid. They live here
    // rather than in the rows, so that relinking writes one dense array.
    mutable std::vector<Links> m_links;
    mutable std::vector<int> m_openRows; // scratch stack of relink()
    quint64 m_generation = 0;
};

} // namespace velk
