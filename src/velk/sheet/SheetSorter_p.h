#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QStringView>

#include <vector>

namespace velk {

class SheetColumn;
class SheetRows;

/// The sorting of a sheet's rows: the column quicksort (whole subtrees move with their
/// rows) and the ordering by each row's own Sort key.
class VELK_TESTS_EXPORT SheetSorter
{
public:
    /// Sorts `keys` in `direction` (1 ascending, -1 descending) and applies the same
    /// moves to `order`. This is the sheet's quicksort: the last element of a range is the
    /// pivot, and equal keys are not kept in their old order. Ranges already in order are
    /// left as the quicksort would leave them; a large range on which the quicksort
    /// degenerates (many equal keys, reversed runs) is finished by a stable sort, so the
    /// cost stays O(n log n).
    static void quickSort(std::vector<double> &keys, std::vector<int> &order, int direction);
    static void quickSort(std::vector<QString> &keys, std::vector<int> &order, int direction);
    static void quickSort(std::vector<QStringView> &keys, std::vector<int> &order, int direction);

    /// Sorts the row at `pos1` and its following siblings up to position `pos2` by their
    /// cells in column `col` (described by `column`), each together with its subtree.
    /// Numeric columns (IsValue) compare as numbers, columns whose caption contains
    /// "Datum" as date keys, the others as text by character codes. Returns whether
    /// anything was sorted.
    static bool sortColumn(SheetRows &rows, int col, const SheetColumn &column, int direction,
                           int pos1, int pos2);

    /// The numeric key of a value cell ("1.234,50" gives 1234.5; no number gives 0).
    static double numericKey(QStringView cell);
    /// The key of a cell in a date column ("dd.mm.yyyy hh:nn:ss" as "yyyymmddhhnnss").
    static QString dateKey(QStringView cell);

    /// Where a row with sort key `srt` goes among rows in ascending key order: after the
    /// last row whose key is not greater, found by binary search; count + 1 appends.
    static int sortPosition(const SheetRows &rows, const QString &srt);
    /// Orders all rows by their Sort keys (rows with equal keys keep their order).
    static void sortByKeys(SheetRows &rows);
};

} // namespace velk
