#pragma once

#include <velk/sheet/SheetColumns_p.h>
#include <velk/velk_export.h>

#include <QRect>

#include <vector>

namespace velk {

class SheetData;
class SheetModel;

/// The list area a layout is made for. Lengths are twips.
struct SheetViewport
{
    int width = 0;       ///< drawing width of the list surface
    int height = 0;      ///< drawing height of the list surface
    int leftMargin = 50; ///< the first column's content starts after it
    int topMargin = 20;  ///< the first row starts this far down
    int scrollValue = 1; ///< the vertical scroll value: a shown-row number, or with "speed" a position
};

/// What a point of the list lies on.
enum class SheetHitKind {
    None,          ///< below the last row, or no column there
    Cell,          ///< a cell's text area
    ExpandBox,     ///< the plus/minus box of a row with children
    CheckBox,      ///< the check box of a row whose CheckState is 1 or more
    DropDown,      ///< the drop-down button at the start of the first column
    RatingCell,    ///< a cell of a column whose Special is exactly 1
    CheckCell,     ///< a non-empty cell of a column whose Special is exactly 8
    OwnerDrawArea, ///< the extra height of the row that carries OwnerDraw
};

struct SheetHit
{
    int row = 0; ///< position; 0 for none
    int col = 0; ///< column number; 0 for none
    SheetHitKind kind = SheetHitKind::None;
};

/// Where the parts of a row's first column go; x in twips of the list, rectangles as
/// (left, top, width, height) in twips, empty when the row has no such part.
struct SheetFirstColumn
{
    int start = 0; ///< LeftMargin + Indent × 300 (from the column's left edge)
    QRect expandBox;
    QRect dropDown;
    QRect checkBox;
    QRect icon;
    int textX = 0; ///< where the text begins
};

/// The geometry of a sheet's list for one viewport: which rows are painted where, where
/// the parts of the first column go, and what a point hits. Painting and mouse handling
/// both use it, so a click lands on what was drawn. Only the rows on the screen are
/// visited: the first one comes from the cached shown rows (SheetShownRows), so a list of
/// a million rows costs one screen. The columns' edges come with it.
class VELK_TESTS_EXPORT SheetLayout
{
public:
    struct RowBox
    {
        int pos = 0;
        int y1 = 0; ///< top, twips
        int y2 = 0; ///< bottom (the next row's top)
    };

    /// Lays out the rows of `viewport` under columns at `columns`.
    SheetLayout(const SheetModel &model, const SheetColumnEdges &columns, const SheetViewport &viewport);

    const SheetViewport &viewport() const { return m_viewport; }
    const SheetColumnEdges &columns() const { return m_columns; }
    /// Column `col`'s edges; not laid out outside 1 .. column count.
    SheetColumnEdge columnEdge(int col) const { return m_columns.at(col); }
    /// The rows on the screen from the top, the last one possibly cut off by the bottom.
    const std::vector<RowBox> &rows() const { return m_rows; }
    /// The box of row `pos` when it is on the screen, else nullptr.
    const RowBox *rowBox(int pos) const;
    /// Position of the top row; 0 for an empty list.
    int topRow() const { return m_rows.empty() ? 0 : m_rows.front().pos; }

    /// The height a row takes, twips: the model's rule in whole pixels, plus 2 pixels with
    /// "grid".
    int rowHeight(const SheetData &row) const;
    /// Top of a row's first text line within a row starting at `y1`.
    int textTop(int y1) const;
    /// Height of one line of a row: spacing × line height, in whole pixels.
    int lineArea() const { return m_lineArea; }
    /// The parts of the first column of `row`, for a row starting at `y1`.
    SheetFirstColumn firstColumn(const SheetData &row, int y1) const;
    /// Left edge of the text of `col` in `row` (after the indentation, drop-down, check
    /// box and icon in the first column).
    int textLeft(const SheetData &row, int col, int y1) const;
    /// Right limit of a cell's text.
    int textRight(int col) const;
    /// Whether `row` carries a drop-down button (its Icon is "##", or the flag "dropdown").
    bool hasDropDown(const SheetData &row) const;
    /// Whether `row` carries the OwnerDraw extra height.
    bool carriesOwnerDraw(const SheetData &row) const;

    /// Number of the laid-out column at `x`; 0 for none.
    int columnAt(int x) const { return m_columns.columnAt(x); }
    SheetHit hitTest(int x, int y) const;
    /// The rating value a click at `x` gives in a rating cell whose column starts at `x1`:
    /// the nearest of the five bars 20 .. 100, or 0 left of the first bar.
    static int ratingValueAt(int x, int x1);

    // --- scrolling --------------------------------------------------------------------
    /// The largest useful scroll value: the one whose page ends with the last shown row.
    int maxScrollValue() const;
    /// Whether every shown row fits on one page.
    bool allRowsFit() const;
    /// The scroll value that puts row `pos` at the top.
    int scrollValueOf(int pos) const;
    /// The scroll value that shows row `pos`: unchanged when it is on the page already,
    /// the row at the top when it lies above, at the bottom when it lies below.
    int scrollValueShowing(int pos) const;
    /// The shown-row number the scroll value `value` puts at the top.
    int topShownNumber(int value) const;
    /// Rows of the row pitch that fit on a page (at least 0).
    int visibleLines() const;

    // --- geometry constants, twips ----------------------------------------------------
    static constexpr int indentStep() { return 300; }
    static constexpr int expandBoxSize() { return 120; }
    static constexpr int checkBoxSize() { return 150; }
    static constexpr int iconSize() { return 240; }
    static constexpr int dropDownWidth() { return 240; }
    /// Gap at each side of a cell's text (the room is the cell width less twice this).
    static constexpr int cellPadding() { return 50; }

private:
    void layOutRows();
    int pageHeight() const { return m_viewport.height - m_viewport.topMargin; }
    /// The first shown number from which rows .. `last` fit on a page.
    int firstShownFitting(int last) const;
    SheetHitKind kindInCell(const RowBox &box, int col, int x, int y) const;

    const SheetModel *m_model;
    SheetColumnEdges m_columns;
    SheetViewport m_viewport;
    std::vector<RowBox> m_rows;
    bool m_onlySelected = false;
    int m_gridExtra = 0;
    int m_lineArea = 0; // spacing × line height: one line of a row, grid excluded
};

} // namespace velk
