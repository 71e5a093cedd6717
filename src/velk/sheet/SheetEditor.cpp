#include "SheetEditor_p.h"

#include "SheetLayout_p.h"
#include "SheetState_p.h"
#include "SheetView_p.h"
#include "velkSheet.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/platform/Units.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace velk {

namespace {

// Far outside the list: where the editor waits while its row is scrolled out of view.
const QRect offScreen(-10000, -10000, 10, 10);

} // namespace

SheetEditor::SheetEditor(SheetState &state, velkSheetEvents &events, SheetView &view)
    : QObject(view.list())
    , m_state(state)
    , m_events(events)
    , m_view(view)
    , m_list(view.list())
    , m_box(new QFrame(view.list()))
    , m_text(new QLineEdit(m_box))
    , m_combo(new QComboBox(m_box))
    , m_save(new QPushButton(QStringLiteral("OK"), m_box))
    , m_cancel(new QPushButton(QStringLiteral("Abbrechen"), m_box))
{
    m_box->setObjectName(QStringLiteral("P_Edit"));
    m_text->setObjectName(QStringLiteral("T_Edit"));
    m_combo->setObjectName(QStringLiteral("Cmb_Edit"));
    m_save->setObjectName(QStringLiteral("B_LightSave"));
    m_cancel->setObjectName(QStringLiteral("B_LightCancel"));
    m_box->setFrameShape(QFrame::Box);
    m_box->setLineWidth(1);
    m_text->setFrame(false);
    m_combo->setEditable(true);
    m_combo->setFrame(false);
    auto *row = new QHBoxLayout(m_box);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(2);
    row->addWidget(m_text, 1);
    row->addWidget(m_combo, 1);
    row->addWidget(m_save);
    row->addWidget(m_cancel);
    m_box->hide();
    for (QObject *editor : {static_cast<QObject *>(m_text), static_cast<QObject *>(m_combo),
                            static_cast<QObject *>(m_combo->lineEdit())})
        editor->installEventFilter(this);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancel(); });
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, &SheetEditor::focusMoved);
}

// The combo box's list is a window of its own, so the walk crosses window borders.
bool SheetEditor::holds(const QWidget *widget) const
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == m_box)
            return true;
    }
    return false;
}

// Leaving the editor for another widget stores the text, as Enter would; the focus stays
// where the user put it. Moving within the editor (to its buttons or the combo's list)
// or to another window (the window deactivating) does not end editing.
void SheetEditor::focusMoved(QWidget *old, QWidget *now)
{
    if (!isShown() || !now || !holds(old) || holds(now) || now->window() != m_list->window())
        return;
    save(false);
}

SheetEditor::~SheetEditor() = default;

bool SheetEditor::isShown() const
{
    // Hidden, not invisible: a sheet that is not on the screen can still be editing.
    return !m_box->isHidden();
}

bool SheetEditor::start(const QString &typed, bool light)
{
    SheetModel &model = m_state.model();
    const int pos = model.selectedIndex();
    const auto row = model.rows().ptr(pos);
    if (!row || isShown())
        return false;
    const bool selectColumn = model.flags().selectColumn();
    const int col = selectColumn ? model.selectedCol() : 0;
    bool enable = true;
    Q_EMIT m_events.IsEditable(pos, col, enable);
    if (!enable)
        return false;
    m_view.ensureVisible(pos);
    m_row = row;
    m_col = col;
    m_light = light;
    const bool firstColumn = !selectColumn || col == 1;
    m_tag = firstColumn && !light && m_state.layout().hasDropDown(*row) ? QString::number(pos) : QStringLiteral("0");
    showEditor(typed.isEmpty() ? (col ? row->GetSubText(col) : row->Text()) : typed);
    Q_EMIT m_events.StartEdit();
    if (light)
        Q_EMIT m_events.ShowLightEdit(pos, 1);
    return true;
}

void SheetEditor::showEditor(const QString &text)
{
    m_useCombo = !m_state.editItems().isEmpty();
    m_text->setVisible(!m_useCombo);
    m_combo->setVisible(m_useCombo);
    m_save->setVisible(m_light);
    m_cancel->setVisible(m_light);
    QLineEdit *line = m_useCombo ? m_combo->lineEdit() : m_text;
    if (m_useCombo) {
        m_combo->clear();
        m_combo->addItems(m_state.editItems().split(u','));
        m_combo->setEditText(text);
    } else {
        m_text->setText(text);
    }
    place();
    m_box->show();
    m_box->raise();
    line->setCursorPosition(int(text.size()));
    line->setFocus();
}

QString SheetEditor::text() const
{
    return m_useCombo ? m_combo->currentText() : m_text->text();
}

bool SheetEditor::close(bool focusList)
{
    if (!isShown())
        return false;
    m_box->hide();
    if (focusList)
        m_list->setFocus();
    return true;
}

void SheetEditor::save(bool focusList)
{
    const auto row = m_row.lock();
    const int pos = row ? m_state.model().rows().positionOf(row.get()) : 0;
    if (!close(focusList))
        return;
    const QString value = text();
    if (m_tag == QLatin1String("0")) {
        if (row && m_col)
            row->SetSubText(m_col, value);
        else if (row)
            row->setText(value);
        m_view.repaint();
        Q_EMIT m_events.SaveEdit();
    } else if (!value.isEmpty()) {
        sendDropTreeEdit(value, m_tag.toInt() - 1);
    }
    if (m_light)
        Q_EMIT m_events.ShowLightEdit(pos, 0);
}

void SheetEditor::cancel()
{
    const auto row = m_row.lock();
    const int pos = row ? m_state.model().rows().positionOf(row.get()) : 0;
    if (!close())
        return;
    Q_EMIT m_events.CancelEdit();
    if (m_light)
        Q_EMIT m_events.ShowLightEdit(pos, 0);
}

void SheetEditor::place()
{
    m_box->setGeometry(cellRectPx());
}

// Over the cell: from the text's start in the first column (the tree's box and icon stay
// in view) or the column's left edge, to its right edge; the whole row when the row's
// Text is edited. The light editor takes the OwnerDraw area.
QRect SheetEditor::cellRectPx() const
{
    const auto row = m_row.lock();
    const SheetLayout &layout = m_state.layout();
    const SheetLayout::RowBox *box = row ? layout.rowBox(m_state.model().rows().positionOf(row.get())) : nullptr;
    if (!box)
        return offScreen;
    const int col = m_col ? m_col : 1;
    const SheetColumnEdge edge = layout.columnEdge(col);
    if (!m_state.model().columns().at(col) || edge.x1 < 0)
        return offScreen;
    int left = col == 1 ? layout.textLeft(*row, 1, box->y1) - SheetLayout::cellPadding() : edge.x1;
    int right = m_col ? edge.x2 : layout.columns().rightEdge();
    int top = box->y1;
    int bottom = box->y2;
    if (m_light) {
        left = m_state.leftMargin();
        right = layout.viewport().width - twipsOfPixels(3);
        top = box->y1 + m_state.model().lineHeight();
    } else if (layout.carriesOwnerDraw(*row)) {
        bottom = box->y1 + layout.lineArea();
    }
    const QRect rect(pixelsOfTwips(left), pixelsOfTwips(top), pixelsOfTwips(right - left), pixelsOfTwips(bottom - top));
    return rect.isEmpty() ? offScreen : rect;
}

bool SheetEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const int code = keyCodeOf(key);
    if (code != KeyCode::Return && code != KeyCode::Escape)
        return false;
    return onKey && onKey(code, shiftStateFromQt(key->modifiers()));
}

void SheetEditor::sendDropTreeEdit(const QString &txt, int l)
{
    const int pos = l + 1;
    const SheetData *row = m_state.model().rows().at(pos);
    const SheetLayout &lay = m_state.layout();
    const SheetLayout::RowBox *box = lay.rowBox(pos);
    const int x = row ? lay.firstColumn(*row, 0).start : 0;
    const int y = box ? box->y2 : 0;
    Q_EMIT m_events.DropTreeEdit(txt, row ? row->Indent : 0, pos, x, y);
}

} // namespace velk
