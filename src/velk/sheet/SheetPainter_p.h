#pragma once

#include <velk/common/Color.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/SheetMouse_p.h>
#include <velk/velk_export.h>

#include <QFont>
#include <QString>

#include <climits>
#include <functional>

namespace velk {

class Canvas;
class SheetColumn;
class SheetData;
class SheetModel;
class velkIcon;

/// The list's state as painting sees it.
struct SheetLook
{
    QFont font;
    Color backColor = SystemColor::WindowBackground; ///< the list's BackColor
    bool enabled = true;
    bool hasFocus = false; ///< the current row (or cell) gets a frame
    velkIcon *icons = nullptr;
    /// RefreshItem's art of a row: 0 normal, 1 highlighted, 2 grey.
    std::function<int(const SheetData &)> artOf;
    /// Called after a row that carries the OwnerDraw height is drawn, with its area.
    std::function<void(Canvas &, int pos, int x1, int y1, int x2, int y2)> drawItem;
    /// Where a drop would go while something is dragged over the list.
    SheetDropMark dropMark;
};

/// Draws the rows of a sheet's list on a canvas in twips: backgrounds, the first column's
/// indentation, expand box, drop-down button, check box and icon, cell texts (shortened,
/// aligned, or as markup), rating and check cells, grid lines, the current row's frame,
/// and while something is dragged over the list, where a drop would go.
/// It only reads the model and the layout.
class VELK_TESTS_EXPORT SheetPainter
{
public:
    SheetPainter(Canvas &canvas, const SheetModel &model, const SheetLayout &layout, const SheetLook &look);

    /// Paints the rows that reach into fromY .. toY, and the list's colour around them.
    void paint(int fromY = INT_MIN, int toY = INT_MAX);
    /// Paints one row of the layout.
    void paintRow(const SheetLayout::RowBox &box);

    /// The background of a row: RefreshItem art 1 or a selected row the highlight, art 2
    /// grey, else the row's own BackColor, else zebra grey on even positions, else grey
    /// for odd Indents (ANDed with a plain list colour), else the list's colour.
    static Color backgroundOf(const SheetData &row, int art, bool zebra, Color listBack);
    /// `text` cut to fit `room` with "..." behind what is left (dots dropped one by one
    /// when even they do not fit); unchanged when it fits.
    static QString shortened(const Canvas &canvas, const QString &text, double room);

private:
    struct RowState
    {
        const SheetData *row = nullptr;
        SheetLayout::RowBox box;
        int art = 0;
        bool highlighted = false;
        Color fore = 0;
        bool bold = false;
    };

    RowState stateOf(const SheetLayout::RowBox &box) const;
    void paintBackground(int top, int bottom);
    void paintCell(const RowState &state, int col);
    void paintFirstColumnParts(const RowState &state);
    void paintExpandBox(const QRect &box, bool expanded);
    void paintDropDown(const QRect &box);
    void paintCheckBox(const QRect &box, int state);
    void paintIcon(const QRect &box, const QString &name, bool highlighted);
    void paintCellText(const RowState &state, int col, const SheetColumn &column);
    void paintTextLine(const QString &line, double left, double right, double y, bool rightAligned, bool shorten);
    void paintMarkupLine(const RowState &state, QStringView line, double left, double y, int cellLeft);
    void paintButton(const RowState &state, const struct SheetPlacedRun &piece, double y);
    void paintRating(const RowState &state, const SheetColumnEdge &column, QStringView text);
    void paintGrid(const RowState &state);
    void paintFocus(const RowState &state);
    void paintDropMark();
    void printAt(double x, double y, const QString &text);
    void printSymbol(double x, double y, const QString &glyph, Color color);
    void fill(int x1, int y1, int x2, int y2, Color color);
    void resetFont(bool bold);

    Canvas &m_canvas;
    const SheetModel &m_model;
    const SheetLayout &m_layout;
    const SheetLook &m_look;
    bool m_richText = false;
    bool m_zebra = false;
    int m_lineHeight = 0;
    bool m_background = false; ///< the flag "background"
    int m_rowRight = 0;        ///< where rows end: the list's width, or the columns' with "background"
};

} // namespace velk
