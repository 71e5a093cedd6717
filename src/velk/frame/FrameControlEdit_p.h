#pragma once

#include <velk/frame/FrameLayoutEditor_p.h>
#include <velk/velk_export.h>

#include <QDialog>

#include <utility>
#include <vector>

class QWidget;

namespace velk {

/// The property dialog of one layout element ("ITEM Eigenschaften"): one row per
/// attribute the element offers, labelled "Label:", with an editor whose objectName is
/// the attribute (a QComboBox for choice rows, else a QLineEdit). Colour rows add a
/// button, named the attribute + "Button", that asks Dialogs::getColor and writes "r,g,b".
/// Run it through Dialogs::exec; it changes nothing by itself.
class VELK_TESTS_EXPORT FrameControlEdit : public QDialog
{
    Q_OBJECT
public:
    /// Filled with the element's current values.
    explicit FrameControlEdit(const StdXMLNode &element, QWidget *parent = nullptr);
    ~FrameControlEdit() override;

    /// The rows shown, in order.
    const std::vector<FrameLayoutEditor::PropertyRow> &rows() const { return m_rows; }
    /// Each row's attribute with the text its editor holds now.
    std::vector<std::pair<QString, QString>> values() const;

private:
    QWidget *addEditor(const FrameLayoutEditor::PropertyRow &row, const QString &value);
    void chooseColor(QWidget *editor);

    std::vector<FrameLayoutEditor::PropertyRow> m_rows;
    std::vector<QWidget *> m_editors;
};

} // namespace velk
