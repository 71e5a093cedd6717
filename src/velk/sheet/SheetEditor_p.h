#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velk {

class SheetData;
class SheetState;
class SheetView;
class velkSheetEvents;

/// The in-place editor of a sheet: the container "P_Edit" over the current cell, holding
/// the text box "T_Edit", or the combo box "Cmb_Edit" when EditItems is set. The light
/// editor is the same container laid into the OwnerDraw area of the selected row, with
/// the buttons "B_LightSave" and "B_LightCancel". Enter (without Shift) saves and Escape
/// cancels, through the sheet's key handling (onKey).
class VELK_TESTS_EXPORT SheetEditor : public QObject
{
public:
    /// The editor's widgets become children of the view's list surface.
    SheetEditor(SheetState &state, velkSheetEvents &events, SheetView &view);
    ~SheetEditor() override;

    /// Whether the editor is shown (the sheet's EditMode).
    bool isShown() const;
    bool isLight() const { return m_light; }
    /// "0" for a cell edit; the row's position when the row has a drop-down button and its
    /// first column is edited: the text then goes to the host through SendDropTreeEdit.
    QString tag() const { return m_tag; }

    /// Begins editing the current cell (the current column with "selectcolumn", else the
    /// row's Text), unless there is no current row or IsEditable refuses; `typed` replaces
    /// the text. `light` lays the editor into the OwnerDraw area and raises ShowLightEdit.
    /// Returns whether the editor opened.
    bool start(const QString &typed = QString(), bool light = false);
    /// Hides the editor, gives the list the focus (unless `focusList` is false) and stores
    /// the text (see the sheet's SaveEdit). Nothing happens while the editor is hidden.
    /// The editor also saves when the focus leaves it for another widget of its window.
    void save(bool focusList = true);
    /// Hides the editor, gives the list the focus and raises CancelEdit; nothing while hidden.
    void cancel();
    /// Lays the shown editor over its cell again (after scrolling or resizing).
    void place();

    /// The text the editor holds.
    QString text() const;

    /// Hands a text chosen in a tree pick list for row `l` + 1 to the host: raises
    /// DropTreeEdit(txt, the row's Indent, `l` + 1, x and y below the row's first column
    /// content in twips of the list).
    void sendDropTreeEdit(const QString &txt, int l);

    /// Where Enter and Escape typed into the editor go: (key code, shift state); returns
    /// whether the key was handled.
    std::function<bool(int, int)> onKey;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool close(bool focusList = true);
    bool holds(const QWidget *widget) const;
    void focusMoved(QWidget *old, QWidget *now);
    void showEditor(const QString &text);
    QRect cellRectPx() const;

    SheetState &m_state;
    velkSheetEvents &m_events;
    SheetView &m_view;
    QWidget *m_list;
    QFrame *m_box;
    QLineEdit *m_text;
    QComboBox *m_combo;
    QPushButton *m_save;
    QPushButton *m_cancel;
    std::weak_ptr<SheetData> m_row;
    int m_col = 0;
    bool m_light = false;
    bool m_useCombo = false;
    QString m_tag = QStringLiteral("0");
};

} // namespace velk
