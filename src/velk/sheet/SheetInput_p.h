#pragma once

#include <velk/sheet/SheetKeys_p.h>
#include <velk/sheet/SheetMouse_p.h>
#include <velk/platform/Input.h>
#include <velk/velk_export.h>

#include <memory>
#include <vector>

namespace velk {

class SheetData;
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
    /// A left press on a row is kept for dragging: a later move of 50 twips or more with
    /// the button held raises DragCheck, once per press. In multi-select a plain press on
    /// one of several selected rows selects it alone only when the button comes up
    /// without a drag, so the selection can be dragged.
    void MouseDown(int button, int shift, int x, int y);
    /// `button` holds the buttons held (1 left, 2 right, 4 middle).
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
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

    /// Gives column `col` the width of its widest cell, measured over the rows on the
    /// screen and the shown rows with the longest cells in characters (indentation
    /// counted), at most fitSampleRows of them: every row on a small list.
    void fitColumnWidth(int col);
    static constexpr int fitSampleRows = 2000;

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
    bool defersClick(const SheetMouseIntent &intent, int shift) const;
    void startDrag();
    std::vector<int> rowsToMeasure(int col, int indentChars) const;

    // The last left press on a row, for the drag threshold.
    struct Press
    {
        bool active = false;
        int x = 0;
        int y = 0;
        std::weak_ptr<SheetData> row;
        bool dragChecked = false;
        bool clickPending = false; ///< a multi-select click left for the release
        SheetMouseIntent intent;
        int shift = 0;
    };

    SheetState &m_state;
    SheetView &m_view;
    velkSheetEvents &m_events;
    int m_anchor = 0;
    int m_resizeColumn = 0;
    int m_resizePressX = 0;
    bool m_resized = false;
    WheelNotches m_wheelNotches;
    Press m_press;
};

} // namespace velk
