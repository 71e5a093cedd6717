#pragma once

#include <velk/common/Collection.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/velk_export.h>

#include <memory>

namespace velk {

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

    /// Sets every column's x1/x2 for a list `listWidth` twips wide: shown columns from
    /// number `firstColumn` on follow each other from x = 0, column 1 widened by
    /// `leftMargin`; the others get -1.
    void layout(int listWidth, int firstColumn, int leftMargin);
    /// The right edge of the last laid-out column (0 when none is laid out).
    int rightEdge() const;
    /// The smallest first column from which the shown columns fit into `listWidth`
    /// (the largest useful horizontal scroll value); leaves the columns laid out from it.
    int firstColumnFitting(int listWidth, int leftMargin);
    /// The nearest shown column before (`step` -1) or after (1) `col`; 0 when none.
    int nearestShown(int col, int step) const;
    /// Number of the last shown column; 0 when all are hidden.
    int lastShown() const { return nearestShown(count() + 1, -1); }

private:
    Collection<ColumnPtr> m_columns;
};

} // namespace velk
