#pragma once

#include <velk/velk_export.h>

#include <QFont>
#include <QObject>

#include <functional>
#include <memory>

class QMenu;
class QPoint;
class QScrollBar;
class QWheelEvent;
class QWidget;

namespace velk {

class Canvas;
class SheetEditor;
class SheetState;
class SheetSurface;
class velkIcon;
class velkSheetEvents;
struct SheetLook;

/// The window side of a sheet: its surfaces (the header "P_Header" and the list
/// "Picture1"), scroll bars ("VScroll1", "HScroll1"), popup menu ("menu_popup") and in-place
/// editor, where they go,
/// repainting, painting on the surfaces, and the changes that move the list on the screen
/// (scrolling, the current row kept in view). Reads and changes the sheet through its
/// state; raises the sheet's events.
class VELK_TESTS_EXPORT SheetView : public QObject
{
public:
    /// The surfaces and scroll bars become children of `owner`, the sheet's widget.
    SheetView(QWidget &owner, SheetState &state, velkSheetEvents &events, velkIcon *icons);
    ~SheetView() override;

    QWidget *list() const;
    QWidget *header() const;
    SheetSurface *listSurface() const { return m_list; }
    SheetSurface *headerSurface() const { return m_header; }
    SheetEditor &editor() const { return *m_editor; }
    /// The list font.
    QFont font() const;

    /// Places the surfaces once the event loop runs (rows may be added a million times
    /// in a row: the placement counts the shown rows, so it waits for all of them).
    void schedulePlacement();
    void placeIfPending();
    void place();

    // --- repainting (nothing while Redraw is off) ---------------------------------------
    void repaint();
    void repaintRow(int pos);

    // --- painting ------------------------------------------------------------------------
    /// Paints the list rows reaching into fromY .. toY (twips), requesting the data of
    /// rows painted before they were filled, and writes y1/y2 of the painted rows.
    void paintList(Canvas &canvas, int fromY, int toY);
    void paintHeader(Canvas &canvas);
    /// Raises RequestData for a requested row that is not filled yet.
    void requestData(int pos);

    // --- the current row ------------------------------------------------------------------
    /// Makes `pos` current (requesting its data first) and repaints; false when the model
    /// ignores it. Raises no Click.
    bool selectRow(int pos);
    /// Scrolls so that row `pos` is shown; in "selectcolumn" mode also the current column.
    void ensureVisible(int pos);

    // --- scrolling -----------------------------------------------------------------------
    /// Clamped to 1 .. the largest useful value.
    void setScrollValue(int value);
    /// Moves by `rows` shown rows (also with "speed", where the value is a position).
    void scrollRows(int rows);
    void setFirstColumn(int col);
    /// Scrolls the columns so that `col` is laid out and, as far as it can, whole.
    void ensureColumnVisible(int col);

    // --- header --------------------------------------------------------------------------
    void setSizingCursor(bool sizing);
    /// The popup menu "menu_popup" at (x, y) twips of the header, when it is offered: one
    /// entry "menu_column" per column, checked while the column is shown, then the host's
    /// entries "menu_item".
    void showColumnMenu(int x, int y);
    /// The popup menu opened from the keyboard: below the current row when it is on the
    /// screen, else below the header (at the list's top when the header is hidden).
    void showMenuAtCurrentRow();
    QMenu *popupMenu() const { return m_popup; }
    /// Brings the popup menu's entries up to date with the columns and the host's entries.
    void syncMenu();
    /// Shows or hides column `col` as the column menu does.
    void toggleColumn(int col);
    /// Lays the columns out again after a column's Width or Enabled changed.
    void columnsChanged();
    /// Raises SetColumnWidth and keeps the layout where ColumnsRegistry says.
    void saveColumnLayout();

private:
    SheetLook look();
    bool requestVisibleData();
    void syncBar(QScrollBar *bar, int value);
    void syncColumnEntries();
    void syncHostEntries();
    void popupAt(const QPoint &global);

    QWidget &m_owner;
    SheetState &m_state;
    velkSheetEvents &m_events;
    velkIcon *m_icons;
    SheetSurface *m_header;
    SheetSurface *m_list;
    QScrollBar *m_vScroll;
    QScrollBar *m_hScroll;
    QMenu *m_popup;
    SheetEditor *m_editor;
    bool m_placementPending = false;
    bool m_syncingBars = false;
};

} // namespace velk
