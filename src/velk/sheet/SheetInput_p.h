#pragma once

#include <velk/sheet/SheetKeys_p.h>
#include <velk/sheet/SheetMouse_p.h>
#include <velk/platform/Input.h>
#include <velk/velk_export.h>

namespace velk {

class SheetLayout;
class SheetState;
class SheetView;
class velkSheetEvents;

/// Turns a sheet's keyboard and mouse input into selection changes, expansion, check box
/// and rating changes, scrolling, column resizing and the sheet's events. Handlers take
/// the library's input values: key codes, buttons 1/2/4, shift state Shift 1 + Ctrl 2,
/// positions in twips of the list or of the header surface. Each handler turns its input
/// into an intent (SheetKeys, SheetMouse) and applies it to the state.
class VELK_TESTS_EXPORT SheetInput
{
public:
    SheetInput(SheetState &state, SheetView &view, velkSheetEvents &events);

    // --- list surface ------------------------------------------------------------------
    void MouseDown(int button, int shift, int x, int y);
    /// A double click's second press (at the same place as the first).
    void DblClick(int x, int y);
    /// Returns whether the key was handled.
    bool KeyDown(int keyCode, int shift);
    bool KeyPress(int keyAscii);
    /// Carries out a key's intent (what KeyDown does after the keyboard table).
    void apply(const SheetKeyIntent &intent);
    /// Carries out a mouse press's intent at (x, y) with `shift` held.
    void apply(const SheetMouseIntent &intent, int shift, int x, int y);
    /// The keyboard table's view of the sheet now.
    SheetKeyContext keyContext() const;

    // --- header surface ----------------------------------------------------------------
    void HeaderMouseMove(int button, int shift, int x, int y);
    void HeaderMouseDown(int button, int shift, int x, int y);
    void HeaderMouseUp(int button, int shift, int x, int y);
    void HeaderDblClick(int x, int y);
    /// The column marked for resizing by the last move without a button; 0 for none.
    int resizeColumn() const { return m_resizeColumn; }

    // --- wheel ---------------------------------------------------------------------------
    /// A wheel turn of `delta` (120 per notch, positive away from the user); `keys` holds
    /// the held keys and buttons (Shift 4, Ctrl 8): with Shift it scrolls the columns.
    void Wheel(int keys, int delta);

    /// Gives column `col` the width of its widest cell over the shown rows.
    void fitColumnWidth(int col);

private:
    void clickRow(int pos, int col, int shift);
    void selectColumnByClick(int col);
    bool clickMarkup(int pos, int col, int x, int y);
    void clickCheckBox(int pos);
    void clickCheckCell(int pos, int col);
    void toggleExpanded(int pos);
    void moveRow(int step, bool extend);
    void movePage(int step);
    void moveToRow(int pos);
    void moveColumn(int col);
    void setCurrentExpanded(bool expanded);
    int selectableColumnFrom(int col, int step) const;
    void saveEdit();

    SheetState &m_state;
    SheetView &m_view;
    velkSheetEvents &m_events;
    int m_anchor = 0;
    int m_resizeColumn = 0;
    int m_resizePressX = 0;
    bool m_resized = false;
    WheelNotches m_wheelNotches;
};

} // namespace velk
