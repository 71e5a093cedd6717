#pragma once

#include <velk/velk_export.h>

#include <QtGlobal>

#include <vector>

namespace velk {

class SheetRows;

/// The rows a sheet shows (every ancestor expanded), in order, numbered from 1. Scrolling
/// and keyboard navigation count in these, so rows hidden under collapsed parents take no
/// steps. Built in one pass and kept until the rows change (SheetRows::generation) or
/// invalidate() says an Expanded flag changed; every question is then O(1) or a binary
/// search, however long the list.
class VELK_TESTS_EXPORT SheetShownRows
{
public:
    /// Forgets the cached rows (an Expanded flag changed).
    void invalidate() { m_valid = false; }

    /// Number of shown rows.
    int count(const SheetRows &rows) const;
    /// Position of the `k`-th shown row; 0 outside 1 .. count.
    int position(const SheetRows &rows, int k) const;
    /// Number of shown rows among rows 1 .. `pos` (so the shown number of a shown row).
    int countUpTo(const SheetRows &rows, int pos) const;
    /// The shown number of the first shown row at or after `pos`; count + 1 when none.
    int firstAtOrAfter(const SheetRows &rows, int pos) const;

private:
    void ensure(const SheetRows &rows) const;

    mutable bool m_valid = false;
    mutable quint64 m_generation = 0;
    // Empty while every row is shown (a flat list or a fully expanded tree): the k-th
    // shown row is then row k, and a million-row list needs no table.
    mutable std::vector<int> m_positions;
    mutable bool m_allShown = true;
    mutable int m_rowCount = 0;
};

} // namespace velk
