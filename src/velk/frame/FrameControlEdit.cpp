#include "FrameControlEdit_p.h"

#include <velk/common/ColorHelpers.h>
#include <velk/platform/Dialogs.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk {

FrameControlEdit::FrameControlEdit(const StdXMLNode &element, QWidget *parent)
    : QDialog(parent)
    , m_rows(FrameLayoutEditor::propertyRows(element))
{
    setObjectName(QStringLiteral("FrameControlEdit"));
    setWindowTitle(element.Tag + QStringLiteral(" Eigenschaften"));
    setMinimumWidth(360);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (const FrameLayoutEditor::PropertyRow &row : m_rows) {
        QWidget *editor = addEditor(row, element.GetAttribute(row.attribute));
        m_editors.push_back(editor);
        QWidget *field = editor;
        if (row.isColor) {
            auto *button = new QPushButton(QStringLiteral("Farbe…"), this);
            button->setObjectName(row.attribute + QStringLiteral("Button"));
            connect(button, &QPushButton::clicked, this, [this, editor] { chooseColor(editor); });
            field = new QWidget(this);
            auto *line = new QHBoxLayout(field);
            line->setContentsMargins(0, 0, 0, 0);
            line->addWidget(editor, 1);
            line->addWidget(button);
        }
        form->addRow(row.label + u':', field);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);
}

FrameControlEdit::~FrameControlEdit() = default;

QWidget *FrameControlEdit::addEditor(const FrameLayoutEditor::PropertyRow &row, const QString &value)
{
    QWidget *editor = nullptr;
    if (!row.choices.isEmpty()) {
        auto *combo = new QComboBox(this);
        combo->addItems(row.choices);
        // A value the choices do not know is kept, not lost.
        if (!row.choices.contains(value))
            combo->addItem(value);
        combo->setCurrentIndex(combo->findText(value));
        editor = combo;
    } else {
        auto *line = new QLineEdit(value, this);
        editor = line;
    }
    editor->setObjectName(row.attribute);
    return editor;
}

void FrameControlEdit::chooseColor(QWidget *editor)
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line)
        return;
    const Color current = ColorFromText(line->text());
    const QColor initial = isSystemColor(current) ? palette().color(QPalette::Button)
                                                  : QColor(redOf(current), greenOf(current), blueOf(current));
    bool ok = false;
    const QColor chosen = Dialogs::instance().getColor(this, initial, ok);
    if (ok && chosen.isValid())
        line->setText(QStringLiteral("%1,%2,%3").arg(chosen.red()).arg(chosen.green()).arg(chosen.blue()));
}

std::vector<std::pair<QString, QString>> FrameControlEdit::values() const
{
    std::vector<std::pair<QString, QString>> values;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        QString text;
        if (const auto *combo = qobject_cast<const QComboBox *>(m_editors[i]))
            text = combo->currentText();
        else if (const auto *line = qobject_cast<const QLineEdit *>(m_editors[i]))
            text = line->text();
        values.emplace_back(m_rows[i].attribute, text);
    }
    return values;
}

} // namespace velk
