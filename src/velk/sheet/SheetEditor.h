#pragma once

#include <velk/velk_export.h>

#include <QObject>
#include <QString>

#include <memory>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velk {

class SheetData;
class velkSheet;

/// The in-place editor of a sheet: the container "P_Edit" over the current cell, holding
/// the text box "T_Edit", or the combo box "Cmb_Edit" when EditItems is set. The light
/// editor is the same container laid into the OwnerDraw area of the selected row, with
/// the buttons "B_LightSave" and "B_LightCancel". Enter (without Shift) saves and Escape
/// cancels, through the sheet's key handling.
class VELK_TESTS_EXPORT SheetEditor : public QObject
{
public:
    /// The editor's widgets become children of the list surface `list`.
    SheetEditor(velkSheet &sheet, QWidget *list);
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
    /// Hides the editor, gives the list the focus and stores the text (see the sheet's
    /// SaveEdit). Nothing happens while the editor is hidden.
    void save();
    /// Hides the editor, gives the list the focus and raises CancelEdit; nothing while hidden.
    void cancel();
    /// Lays the shown editor over its cell again (after scrolling or resizing).
    void place();

    /// The text the editor holds.
    QString text() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool close();
    void showEditor(const QString &text);
    QRect cellRectPx() const;

    velkSheet &m_sheet;
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
