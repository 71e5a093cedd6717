#pragma once

#include <velk/common/Collection.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/velk_export.h>

#include <memory>
#include <vector>

namespace velk {

/// Where one column lies in the list, twips: from x1 to x2; both -1 when it is not laid
/// out (hidden, or scrolled away on the left).
struct SheetColumnEdge
{
    int x1 = -1;
    int x2 = -1;
    bool isLaidOut() const { return x1 >= 0; }
    /// Laid out with room to draw in.
    bool hasWidth() const { return x1 >= 0 && x2 > x1; }
};

/// The edges of every column for one list width and horizontal scroll position.
class VELK_TESTS_EXPORT SheetColumnEdges
{
public:
    SheetColumnEdges() = default;
    explicit SheetColumnEdges(std::vector<SheetColumnEdge> edges) : m_edges(std::move(edges)) {}

    /// Column `col`'s edges; not laid out outside 1 .. count.
    SheetColumnEdge at(int col) const
    {
        return col >= 1 && col <= int(m_edges.size()) ? m_edges[size_t(col - 1)] : SheetColumnEdge{};
    }
    int count() const { return int(m_edges.size()); }
    /// The right edge of the last laid-out column (0 when none is laid out).
    int rightEdge() const;
    /// Number of the laid-out column at `x`; 0 for none.
    int columnAt(int x) const;
    bool operator==(const SheetColumnEdges &) const = default;

private:
    std::vector<SheetColumnEdge> m_edges;
};

inline bool operator==(const SheetColumnEdge &a, const SheetColumnEdge &b)
{
    return a.x1 == b.x1 && a.x2 == b.x2;
}

/// The columns of a sheet, built from a column definition string and laid out across
/// the list width. Columns are numbered from 1.
class VELK_TESTS_EXPORT SheetColumns
{
public:
    using ColumnPtr = std::shared_ptr<SheetColumn>;

    /// Rebuilds every column from `definition` (comma-separated entries, each trimmed of
    /// blanks; "" counts as ":*"), merging each with the saved layout `saved`. Every column
    /// but the last whose Width is below 1 gets 1600 twips. Returns whether an entry had
    /// a caption.
    bool setDefinition(const QString &definition, const QString &saved = QString());
    /// The columns written back, joined by ","; "" for the default single column ":*".
    QString definition() const;

    int count() const { return m_columns.Count(); }
    /// Column `col`; nullptr outside 1 .. count.
    SheetColumn *at(int col) const;
    ColumnPtr ptr(int col) const { return m_columns.value(col); }
    const Collection<ColumnPtr> &list() const { return m_columns; }

    /// The columns' edges for a list `listWidth` twips wide: shown columns from number
    /// `firstColumn` on follow each other from x = 0, column 1 widened by `leftMargin`;
    /// the others are not laid out.
    SheetColumnEdges layout(int listWidth, int firstColumn, int leftMargin) const;
    /// The smallest first column from which the shown columns fit into `listWidth`
    /// (the largest useful horizontal scroll value).
    int firstColumnFitting(int listWidth, int leftMargin) const;
    /// Copies `edges` into the columns' x1/x2 fields, which hosts read; nothing in the
    /// sheet reads them back.
    void publishEdges(const SheetColumnEdges &edges);
    /// The nearest shown column before (`step` -1) or after (1) `col`; 0 when none.
    int nearestShown(int col, int step) const;
    /// Number of the last shown column; 0 when all are hidden.
    int lastShown() const { return nearestShown(count() + 1, -1); }

private:
    Collection<ColumnPtr> m_columns;
};

} // namespace velk
