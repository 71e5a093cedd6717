#pragma once

#include <velk/velk_export.h>

#include <QObject>

#include <memory>
#include <utility>
#include <vector>

class QScrollBar;
class QWheelEvent;
class QWidget;

namespace velk {

class Canvas;
class SheetData;
class SheetLayout;
class SheetModel;
class SheetSurface;
class velkIcon;
class velkSheet;
struct SheetFrame;
struct SheetLook;

/// The window side of a sheet: its surfaces (the header "P_Header" and the list
/// "Picture1") and scroll bars ("VScroll1", "HScroll1"), where they go, the scroll
/// position, and painting on the surfaces. The sheet's public members forward here.
class VELK_TESTS_EXPORT SheetView : public QObject
{
public:
    SheetView(velkSheet &sheet, SheetModel &model, velkIcon *icons);
    ~SheetView() override;

    QWidget *list() const;
    QWidget *header() const;

    /// Where the surfaces go for the sheet's size now; lays the columns out.
    SheetFrame frame();
    /// The list's geometry now.
    SheetLayout layout();
    /// Places the surfaces once the event loop runs (rows may be added a million times
    /// in a row: the placement counts the shown rows, so it waits for all of them).
    void schedulePlacement();
    void placeIfPending();
    void place();

    // --- repainting (nothing while the sheet's Redraw is off) ----------------------------
    void repaint();
    void repaintRow(int pos);
    /// RefreshItem's art of a row (0 none, 1 highlighted, 2 grey) until clearArts.
    void setArt(const std::shared_ptr<SheetData> &row, int art);
    int artOf(const SheetData &row) const;
    void clearArts();

    // --- painting ------------------------------------------------------------------------
    /// Paints the list rows reaching into fromY .. toY (twips), requesting the data of
    /// rows painted before they were filled, and writes y1/y2 of the painted rows.
    void paintList(Canvas &canvas, int fromY, int toY);
    void paintHeader(Canvas &canvas);
    /// Raises RequestData for a requested row that is not filled yet.
    void requestData(int pos);

    // --- scrolling -----------------------------------------------------------------------
    int scrollValue() const { return m_scrollValue; }
    /// Clamped to 1 .. the largest useful value.
    void setScrollValue(int value);
    /// Moves by `rows` shown rows (also with "speed", where the value is a position).
    void scrollRows(int rows);
    int firstColumn() const { return m_firstColumn; }
    void setFirstColumn(int col);
    /// Scrolls the columns so that `col` is laid out and, as far as it can, whole.
    void ensureColumnVisible(int col);
    /// A wheel event turned into the original's wheel message.
    void wheel(QWheelEvent *event);

    // --- header --------------------------------------------------------------------------
    void setSizingCursor(bool sizing);
    /// The column menu at (x, y) twips of the header: one checked entry per shown column.
    void showColumnMenu(int x, int y);
    /// Shows or hides column `col` as the column menu does.
    void toggleColumn(int col);
    /// Raises SetColumnWidth and keeps the layout where ColumnsRegistry says.
    void saveColumnLayout();

private:
    SheetLook look();
    bool requestVisibleData(const SheetLayout &layout);
    void syncBar(QScrollBar *bar, int value);

    velkSheet &m_sheet;
    SheetModel &m_model;
    velkIcon *m_icons;
    SheetSurface *m_header;
    SheetSurface *m_list;
    QScrollBar *m_vScroll;
    QScrollBar *m_hScroll;
    int m_scrollValue = 1;
    int m_firstColumn = 1;
    bool m_placementPending = false;
    bool m_syncingBars = false;
    std::vector<std::pair<std::weak_ptr<SheetData>, int>> m_arts;
};

} // namespace velk
