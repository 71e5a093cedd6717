#pragma once

#include <velk/common/Collection.h>
#include <velk/sheet/SheetColumns_p.h>
#include <velk/sheet/SheetFlags_p.h>
#include <velk/sheet/SheetRows_p.h>
#include <velk/sheet/SheetShownRows_p.h>
#include <velk/velk_export.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace velk {

/// Everything a velkSheet knows apart from its window: rows, columns, flag words, the
/// current row and selection, row metrics, sorting and grouping. Positions are 1-based;
/// positions out of range are ignored as each member says. Raises no events: the sheet
/// does that around these calls.
class VELK_TESTS_EXPORT SheetModel
{
public:
    using RowPtr = std::shared_ptr<SheetData>;

    SheetModel();
    ~SheetModel();
    SheetModel(const SheetModel &) = delete;
    SheetModel &operator=(const SheetModel &) = delete;

    SheetRows &rows() { return m_rows; }
    const SheetRows &rows() const { return m_rows; }
    SheetColumns &columns() { return m_columns; }
    const SheetColumns &columns() const { return m_columns; }
    int count() const { return m_rows.count(); }

    // --- columns, flags, metrics -------------------------------------------------------
    /// Rebuilds the columns (see SheetColumns::setDefinition).
    void setColumns(const QString &definition, const QString &saved = QString());
    const SheetFlags &flags() const { return m_flags; }
    /// Applies flag words: in selection mode 0 nothing stays selected and there is no
    /// current row; in mode 1 only the current row is selected; "selectcolumn" makes
    /// column 1 current when none is.
    void setFlags(const QString &text);
    /// Height of one text line of the list font, twips (the widget measures it).
    void setLineHeight(int twips)
    {
        m_lineHeight = std::max(twips, 0);
        touch();
    }
    int lineHeight() const { return m_lineHeight; }
    /// Spacing factor × line height, plus 2 pixels with "grid".
    int rowPitch() const;
    /// Line height + 3 pixels once any column had a caption, else 0.
    int headerHeight() const;
    int ownerDraw() const { return m_ownerDraw; }
    void setOwnerDraw(int twips)
    {
        m_ownerDraw = twips;
        touch();
    }
    /// The row's height: its own Height when 1 or more, else spacing × line height per
    /// text line (one line when it has none); plus OwnerDraw for the only selected row
    /// (`onlySelected` tells whether exactly one row is selected).
    int rowHeight(const SheetData &row, bool onlySelected) const;

    // --- adding and removing rows --------------------------------------------------------
    /// A new row inserted before `pos`, or appended when `pos` is outside 1 .. count.
    RowPtr addItem(const QString &txt, const QString &ico = QString(), int indent = 0,
                   bool expanded = false, int pos = 0, const QString &tag = QString(), int checkState = 0);
    /// addItem at the place the sort key `srt` gives (rows assumed in key order).
    RowPtr addSortItem(const QString &srt, const QString &txt, const QString &ico = QString(),
                       int indent = 0, bool expanded = false, const QString &tag = QString(),
                       int checkState = 0);
    /// Inserts ready-made rows before `pos` in one batch (appends when `pos` is outside
    /// 1 .. count), keeping the current row; NewIndex becomes the first new position.
    /// Returns how many were inserted.
    int insertItems(int pos, std::vector<RowPtr> rows);
    int newIndex() const { return m_newIndex; }
    /// Removes the row at `pos` (its children stay); false when out of range.
    bool removeItem(int pos);
    /// Removes `n` rows from `pos` on (clipped to the list); returns how many.
    int removeItems(int pos, int n);
    /// Removes every row marked Deleted in one pass; returns how many.
    int deleteMarked();
    void clear();
    /// With "requestdata": clears the list and creates `n` rows "." whose data is
    /// requested when needed. Without the flag nothing happens (returns false).
    bool setRequestedCount(int n);
    /// Sets the row's Indent; false when `pos` is out of range.
    bool setIndent(int pos, int ind);

    // --- current row and selection --------------------------------------------------------
    int selectedIndex() const { return m_selectedIndex; }
    /// Makes `pos` the current row and selects it as the mode demands. Returns false when
    /// the put is ignored: the same row again in mode 1, or a position outside 1 .. count
    /// with "alwaysselect" (without it, such a position means no current row).
    bool setSelectedIndex(int pos);
    int selectedCol() const { return m_selectedCol; }
    /// Ignored (false) outside 0 .. column count.
    bool setSelectedCol(int col);
    SheetData *selected() const { return m_rows.at(m_selectedIndex); }
    void selectAll();
    void unselect();
    /// Selects the rows between `from` and `to`, both included, in either order.
    void selectRange(int from, int to);
    int selectedCount() const;
    /// Whether exactly one row is selected (stops at the second).
    bool hasSingleSelection() const;
    Collection<RowPtr> selectedItems() const;

    // --- tree ----------------------------------------------------------------------------
    /// art 0: position of the parent (nearest row above with Indent one less), 0 for none;
    /// art ≠ 0: position of the first row of the sibling group (1 without a parent).
    int queryFirst(int art, int pos) const;
    /// art ≠ 0: the next row with the same Indent before one with Indent one less, else 0;
    /// art 0: the first child (the next row, when its Indent is one more), else 0.
    int queryNext(int art, int pos) const;
    /// First-column texts from the top-level ancestor down to the row, joined by `sep`.
    QString fullText(int pos, const QString &sep) const;
    /// The row's only child is the placeholder "..." of a tree filled on demand.
    bool hasUninitializedChilds(int row) const;
    /// The rows shown (all ancestors expanded), cached until the rows or an expansion
    /// made through setExpanded change.
    const SheetShownRows &shownRows() const { return m_shownRows; }
    int shownCount() const { return m_shownRows.count(m_rows); }
    /// Sets the row's Expanded; false when `pos` is out of range or nothing changed.
    bool setExpanded(int pos, bool expanded);
    /// Tells the model that Expanded flags were changed directly on rows.
    void expansionChanged()
    {
        m_shownRows.invalidate();
        touch();
    }

    // --- sorting and grouping ------------------------------------------------------------
    /// Sorts column `spalte` (see SheetSorter::sortColumn). `direction` 0 sorts a new
    /// column ascending and the last one again in the reverse direction. Nothing happens
    /// (false) for a column outside 1 .. column count or an empty list.
    bool quickSort(int spalte, int direction = 0, std::optional<int> pos1 = std::nullopt,
                   std::optional<int> pos2 = std::nullopt);
    int quickSortColumn() const { return m_quickSortColumn; }
    int quickSortDirection() const { return m_quickSortDirection; }
    /// Sets the quick-sort column and direction without sorting.
    void sortSetMarker(int col, int direct);
    /// Gives the row at `pos` the key `srt` and moves it where the key belongs.
    bool setSort(int pos, const QString &srt);
    /// Orders all rows by their Sort keys.
    void sort();
    /// Stores `q` and `col`; a `q` of the form "(name)" groups the rows by the value of
    /// "name=" in column `col` under yellow "^Gruppierung: " header rows (headers of an
    /// earlier grouping are removed first).
    void query(const QString &q, int col);
    QString queryText() const { return m_queryText; }
    int queryColumn() const { return m_queryColumn; }

    /// Counts the changes that can move rows or columns on the screen apart from the rows'
    /// own (SheetRows::generation): columns, flags, metrics, expansion, selection.
    quint64 revision() const { return m_revision; }
    /// Tells the model that something it cannot see changed (a column's Width, a row's
    /// Height set directly).
    void touch() { ++m_revision; }

private:
    RowPtr newRow(const QString &txt) const;
    void selectOnly(int pos);
    void removeGroupHeaders();
    template<typename F> void keepingCurrentRow(F &&change);

    SheetRows m_rows;
    SheetColumns m_columns;
    SheetFlags m_flags;
    SheetShownRows m_shownRows;
    int m_lineHeight = 0;
    bool m_hadCaption = false;
    int m_ownerDraw = 0;
    int m_newIndex = 0;
    int m_selectedIndex = 0;
    int m_selectedCol = 0;
    // Set when more than the current row may be selected, so that single-select mode
    // knows whether it must clear the whole list or only the previous current row.
    bool m_maybeManySelected = false;
    int m_quickSortColumn = 0;
    int m_quickSortDirection = 1;
    QString m_queryText;
    int m_queryColumn = 0;
    std::vector<std::weak_ptr<SheetData>> m_groupHeaders;
    quint64 m_revision = 0;
};

} // namespace velk
