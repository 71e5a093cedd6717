#include "velkMultiView_p.h"

#include "velkChart.h"
#include "velkDBView.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/editors/velkKeywords.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DataConnection.h>
#include <velk/preview/velkPreView.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/sheet/velkSheet.h>

#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <functional>

namespace velk {
namespace {

// Head strip sizes, in pixels.
constexpr int comboWidthPx = 150;
constexpr int dateFieldWidthPx = 130;
constexpr int inputBoxWidthPx = 150;
constexpr int stripGapPx = 4;

} // namespace

velkMultiView::Private::Private(velkMultiView *owner)
    : q(owner)
    , events(new velkMultiViewEvents(owner))
    , liste(new QListWidget(owner))
    , chart(new velkChart(owner))
    , dbview(new velkDBView(owner))
    , preview(new velkPreView(owner))
    , sheet(new velkSheet(owner))
    , keywords(new velkKeywords(owner))
    , datum(new QLineEdit(owner))
    , dataPopup(new QToolButton(owner))
    , neuerSatz(new QPushButton(QStringLiteral("&Neu"), owner))
    , textbx(new QLineEdit(owner))
    , popupItem(new QMenu(owner))
    , presetMenu(new QMenu(owner))
{
    events->setObjectName(QStringLiteral("events"));
    liste->setObjectName(QStringLiteral("Liste"));
    chart->setObjectName(QStringLiteral("velkChart1"));
    dbview->setObjectName(QStringLiteral("DBView1"));
    preview->setObjectName(QStringLiteral("View1"));
    sheet->setObjectName(QStringLiteral("velkSheet1"));
    keywords->setObjectName(QStringLiteral("velkKeywords1"));
    datum->setObjectName(QStringLiteral("DatumsBereich"));
    datum->setToolTip(QStringLiteral("Zeitraum"));
    dataPopup->setObjectName(QStringLiteral("C_DataPopup"));
    dataPopup->setText(QStringLiteral("\u25be"));
    dataPopup->setToolTip(QStringLiteral("Zeitraum wählen"));
    neuerSatz->setObjectName(QStringLiteral("C_NeuerSatz"));
    neuerSatz->setToolTip(QStringLiteral("Neuer Eintrag"));
    textbx->setObjectName(QStringLiteral("Textbx"));
    textbx->setToolTip(QStringLiteral("Neuer Eintrag: Text und Eingabetaste"));
    popupItem->setObjectName(QStringLiteral("menu_popupitem"));
    presetMenu->setObjectName(QStringLiteral("menu_datum"));
    for (QWidget *w : dataChildren())
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{datum, dataPopup, neuerSatz, textbx})
        w->hide();
    liste->viewport()->installEventFilter(owner);
    datum->installEventFilter(owner); // Alt+Down or F4 opens the presets
    connectSheet();
    connectHeadStrip();
}

void velkMultiView::Private::connectSheet()
{
    velkSheetEvents *se = sheet->events();
    QObject::connect(se, &velkSheetEvents::DblClick, events, &velkMultiViewEvents::DblClick);
    QObject::connect(se, &velkSheetEvents::IsEditable, events, &velkMultiViewEvents::IsEditable);
    QObject::connect(se, &velkSheetEvents::StartEdit, q, [this] { emit events->Edit(sheet->SelectedIndex()); });
    QObject::connect(se, &velkSheetEvents::SaveEdit, q, [this] {
        const int row = sheet->SelectedIndex();
        const int col = sheet->SelectedCol();
        const RowPtr item = sheet->ListItem(row);
        emit events->Update(row, col, item ? cellText(*item, col) : QString());
    });
    QObject::connect(se, &velkSheetEvents::Click, q, [this] {
        const int row = sheet->SelectedIndex();
        const RowPtr item = sheet->ListItem(row);
        emit events->RowSelect(row, item && item->Selected);
    });
    QObject::connect(se, &velkSheetEvents::ColumnClick, q, [this](int col) {
        const auto column = sheet->GetColumnData(col);
        emit events->Sort(column ? column->caption : QString());
    });
    QObject::connect(se, &velkSheetEvents::SetColumnWidth, q, [this] { emit events->SetColumnWidth(sheet->Columns()); });
    QObject::connect(se, &velkSheetEvents::ContextMenu, q, [this](int) { q->PopupMenu(QCursor::pos()); });
    QObject::connect(se, &velkSheetEvents::Menu, q, [this](const QString &cmd) {
        if (cmd == u"Keywd")
            toggleKeywords();
    });
}

void velkMultiView::Private::connectHeadStrip()
{
    QObject::connect(neuerSatz, &QPushButton::clicked, events, &velkMultiViewEvents::InputNewClick);
    QObject::connect(textbx, &QLineEdit::returnPressed, q, [this] { emit events->InputNewText(textbx->text()); });
    QObject::connect(datum, &QLineEdit::returnPressed, events, &velkMultiViewEvents::Refresh);
    QObject::connect(dataPopup, &QToolButton::clicked, q, [this] { openDatePresets(); });
    QObject::connect(liste, &QListWidget::itemClicked, q, [this](QListWidgetItem *item) {
        emit events->RowSelect(liste->row(item) + 1, item->isSelected());
    });
}

void velkMultiView::Private::toggleKeywords()
{
    keywordsShown = !keywordsShown && isSheetView();
    keywords->setVisible(keywordsShown);
    layoutChildren();
}

// The host fills the chart value by value; it is drawn once when the filling is done.
void velkMultiView::Private::scheduleChartRefresh()
{
    if (chartRefreshPending)
        return;
    chartRefreshPending = true;
    QMetaObject::invokeMethod(
        q,
        [this] {
            chartRefreshPending = false;
            chart->Refresh();
        },
        Qt::QueuedConnection);
}

void velkMultiView::Private::openDatePresets()
{
    presetMenu->clear();
    for (const QString &entry : DatePresetEntries(datumType == 1)) {
        if (entry == u"-") {
            presetMenu->addSeparator();
            continue;
        }
        QAction *action = presetMenu->addAction(entry);
        QObject::connect(action, &QAction::triggered, q, [this, entry] { q->DatumPreset(entry); });
    }
    presetMenu->popup(dataPopup->mapToGlobal(QPoint(0, dataPopup->height())));
}

// The head strip first (headers, then the controls in rows as they fit), the data
// below it; the keyword list takes a third of the data's width beside the sheet.
void velkMultiView::Private::layoutChildren()
{
    const int width = q->width();
    const int rowHeight = std::max(datum->sizeHint().height(), neuerSatz->sizeHint().height());
    const bool hasHeader = !header1.isEmpty() || !header2.isEmpty();
    headerRect = hasHeader ? QRect(4, 0, std::max(0, width - 8), q->fontMetrics().height() + 6) : QRect();
    std::vector<QWidget *> items;
    std::vector<int> widths;
    std::vector<bool> pairs;
    auto add = [&](QWidget *w, int widthPx, bool paired) {
        if (w->isHidden())
            return;
        items.push_back(w);
        widths.push_back(widthPx);
        pairs.push_back(paired && items.size() > 1);
    };
    for (SelectionCombo *c : combos)
        add(c, comboWidthPx, false);
    add(datum, dateFieldWidthPx, false);
    add(dataPopup, rowHeight, !datum->isHidden());
    add(neuerSatz, neuerSatz->fontMetrics().horizontalAdvance(neuerSatz->text()) + 24, false);
    add(textbx, inputBoxWidthPx, !neuerSatz->isHidden());
    const int top = hasHeader ? headerRect.bottom() + 1 : 0;
    int bottom = top;
    const std::vector<QRect> rects = FlowHeadStrip(widths, pairs, width, top, rowHeight, stripGapPx, bottom);
    for (size_t i = 0; i < items.size(); ++i)
        items[i]->setGeometry(rects[i]);

    const QRect data(0, bottom, width, std::max(0, q->height() - bottom));
    for (QWidget *w : dataChildren())
        w->setGeometry(data);
    if (keywordsShown) {
        const int side = std::min(std::clamp(data.width() / 3, 120, 300), data.width() / 2);
        sheet->setGeometry(data.adjusted(0, 0, -side - stripGapPx, 0));
        keywords->setGeometry(data.right() - side + 1, data.top(), side, data.height());
    }
    q->update();
}

std::vector<QWidget *> velkMultiView::Private::dataChildren() const
{
    return {liste, chart, dbview, preview, sheet, keywords};
}

QListWidgetItem *velkMultiView::Private::listItem(int pos) const
{
    return pos >= 1 ? liste->item(pos - 1) : nullptr;
}

velkMultiView::velkMultiView(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    d->layoutChildren();
}

velkMultiView::~velkMultiView() = default;

velkMultiViewEvents *velkMultiView::events() const { return d->events; }

void velkMultiView::Show(const QString &view)
{
    if (view.isEmpty())
        return;
    d->setup = MultiViewSetup::of(view);
    d->keywordsShown = false;
    for (QWidget *w : d->dataChildren())
        w->hide();
    using Child = MultiViewSetup::Child;
    switch (d->setup.child) {
    case Child::List:
        d->liste->show();
        d->liste->setFocus();
        break;
    case Child::Graph:
        d->chart->show();
        d->chart->Refresh();
        break;
    case Child::DBView:
        d->dbview->show();
        break;
    case Child::Preview:
        d->preview->show();
        break;
    case Child::Sheet:
        d->sheet->setFlags(d->setup.sheetFlags);
        d->sheet->setLeftMargin(d->setup.leftMargin);
        d->sheet->ClearMenu();
        d->sheet->AddMenu(QStringLiteral("Keywords"), QStringLiteral("Keywd"));
        d->sheet->show();
        break;
    case Child::None:
        break;
    }
    d->layoutChildren();
}

QString velkMultiView::SelectedView() const { return d->setup.storedName; }

void velkMultiView::Clear()
{
    d->liste->clear();
    d->sheet->Clear();
    // One empty set: Init with no sets would keep the old values.
    d->chart->Init(1, 0, 2);
    d->chart->Refresh();
    d->preview->Clear();
}

void velkMultiView::Refresh() { emit d->events->Refresh(); }

QString velkMultiView::Selected() const { return d->selected; }
void velkMultiView::setSelected(const QString &par) { d->selected = par; }
QString velkMultiView::Header1() const { return d->header1; }
QString velkMultiView::Header2() const { return d->header2; }
QString velkMultiView::PrinterSetting() const { return d->printerSetting; }
QString velkMultiView::Menu() const { return d->menuDefinition; }

void velkMultiView::setHeader1(const QString &text)
{
    if (d->header1 == text)
        return;
    d->header1 = text;
    d->layoutChildren();
}

void velkMultiView::setHeader2(const QString &text)
{
    if (d->header2 == text)
        return;
    d->header2 = text;
    d->layoutChildren();
}

void velkMultiView::setPrinterSetting(const QString &text)
{
    d->printerSetting = text;
    d->dbview->setPrinterSetting(text);
}

void velkMultiView::setMenu(const QString &definition)
{
    d->menuDefinition = definition;
    d->menuEntries = ParseMultiViewMenu(definition);
}

// --- DB view ----------------------------------------------------------------------------

void velkMultiView::DBViewInit(const QString &dbfilename, const QString &Table, const QString &Condition)
{
    d->dbview->setDatabase(dbfilename);
    d->dbview->setTable(Table);
    d->dbview->setCondition(Condition);
}

void velkMultiView::DBViewInitFields(const QString &fields)
{
    const std::vector<MultiViewField> parsed = ParseMultiViewFields(fields);
    d->dbview->setFieldCount(int(parsed.size()));
    for (const MultiViewField &f : parsed)
        d->dbview->FieldAdd(f.name, f.width, f.label, f.cond, f.value);
}

void velkMultiView::DBViewInitSelections(const QString &selections)
{
    d->dbview->SelectionClear();
    for (const auto &[cap, value] : ParseMultiViewSelections(selections))
        d->dbview->SelectionAdd(cap, value);
}

void velkMultiView::DBViewInitDatas(const QString &data)
{
    QString dataValue;
    const std::vector<MultiViewData> parsed = ParseMultiViewDatas(data, dataValue);
    d->dbview->setDatacount(int(parsed.size()));
    d->dbview->setDataValue(dataValue);
    for (const MultiViewData &entry : parsed)
        d->dbview->DataAdd(entry.txt, entry.value, entry.typ);
}

void velkMultiView::DBViewSetReplace(const QString &fld, const QString &repllist) { d->dbview->SetReplace(fld, repllist); }
void velkMultiView::DBViewSetTextValue(const QString &txt) { d->dbview->setTextValue(txt); }

// --- chart ------------------------------------------------------------------------------

void velkMultiView::GraphInit(int rows, int cols, bool linegraph, const QString &head, const QString &)
{
    d->chart->setTitle(head);
    d->chart->Init(rows, cols, linegraph ? 1 : 2);
    d->colLabels = 0;
    d->scheduleChartRefresh();
}

void velkMultiView::GraphSetData(int row, int col, double wrt)
{
    d->chart->SetData(row, col, wrt);
    d->scheduleChartRefresh();
}

void velkMultiView::GraphSetRowLabel(int row, const QString &label)
{
    d->chart->SetLegende(row, label);
    d->scheduleChartRefresh();
}

void velkMultiView::GraphSetColLabel(const QString &label)
{
    d->chart->SetXLabel(++d->colLabels, label);
    d->scheduleChartRefresh();
}

// --- preview ----------------------------------------------------------------------------

void velkMultiView::PreviewInit(const QString &Body, const QString &repl) { d->preview->Init(Body, repl); }

// --- list -------------------------------------------------------------------------------

void velkMultiView::ListAdd(const QString &txt, int ItemData)
{
    auto *item = new QListWidgetItem(txt, d->liste);
    item->setData(Qt::UserRole, ItemData);
}

void velkMultiView::ListRemove(int pos) { delete d->listItem(pos); }

QString velkMultiView::ListItem(int pos) const
{
    const QListWidgetItem *item = d->listItem(pos);
    return item ? item->text() : QString();
}

int velkMultiView::ListItemData(int pos) const
{
    const QListWidgetItem *item = d->listItem(pos);
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void velkMultiView::SetListItemData(int pos, int value)
{
    if (QListWidgetItem *item = d->listItem(pos))
        item->setData(Qt::UserRole, value);
}

int velkMultiView::ListCount() const { return d->liste->count(); }
int velkMultiView::ListIndex() const { return d->liste->currentRow() + 1; }

void velkMultiView::setListIndex(int pos)
{
    if (pos == 0)
        d->liste->setCurrentRow(-1);
    else if (pos >= 1 && pos <= d->liste->count())
        d->liste->setCurrentRow(pos - 1);
}

// --- sheet ------------------------------------------------------------------------------

void velkMultiView::SheetInit(const QString &cols)
{
    d->sheet->Clear();
    d->sheet->setColumns(cols);
}

velkMultiView::RowPtr velkMultiView::SheetAdd(const QString &txt, const QString &ico, int Indent, bool Expanded,
                                              int pos, const QString &Tag, int CheckState)
{
    return d->sheet->AddItem(txt, ico, Indent, Expanded, pos, Tag, CheckState);
}

int velkMultiView::SheetCount() const { return d->sheet->Count(); }

void velkMultiView::SetSheetText(int pos, const QString &txt, int col)
{
    const RowPtr row = d->sheet->ListItem(pos);
    if (!row || col < 0)
        return;
    setCellText(*row, col, txt);
    d->sheet->RefreshItem(pos);
}

QString velkMultiView::GetSheetText(int pos, int col) const
{
    const RowPtr row = d->sheet->ListItem(pos);
    return row ? cellText(*row, col) : QString();
}

void velkMultiView::SheetExpand(int pos, bool Expanded)
{
    const RowPtr row = d->sheet->ListItem(pos);
    if (!row || row->Expanded == Expanded)
        return;
    row->Expanded = Expanded;
    d->sheet->Refresh();
}

int velkMultiView::GetSheetIndent(int pos) const
{
    const RowPtr row = d->sheet->ListItem(pos);
    return row ? row->Indent : -1;
}

velkMultiView::RowPtr velkMultiView::SheetItem(int pos) const { return d->sheet->ListItem(pos); }
void velkMultiView::SheetRemoveItem(int pos) { d->sheet->RemoveItem(pos); }
velkSheet *velkMultiView::SheetCtl() const { return d->sheet; }
bool velkMultiView::SheetRedraw() const { return d->sheet->Redraw(); }
void velkMultiView::setSheetRedraw(bool on) { d->sheet->setRedraw(on); }
int velkMultiView::SheetMargin() const { return d->sheet->LeftMargin(); }
void velkMultiView::setSheetMargin(int twips) { d->sheet->setLeftMargin(twips); }
bool velkMultiView::Redraw() const { return d->sheet->Redraw(); }
void velkMultiView::setRedraw(bool on) { d->sheet->setRedraw(on); }

QString velkMultiView::Text() const
{
    const RowPtr row = d->sheet->ListItem(d->sheet->SelectedIndex());
    return row ? row->Text() : QString();
}

// --- keywords ---------------------------------------------------------------------------

void velkMultiView::ClearKeywords() { d->keywords->Clear(); }
void velkMultiView::AddKeywords(const QString &k) { d->keywords->AddTopics(k); }
void velkMultiView::RefreshKeywords() { d->keywords->Refresh(); }

// --- selection combos -------------------------------------------------------------------

void velkMultiView::ComboAddControl(const QString &tooltip)
{
    auto *combo = new SelectionCombo(this);
    const int index = int(d->combos.size()) + 1;
    combo->setObjectName(QStringLiteral("ComboAuswahl"));
    combo->setProperty("Index", index);
    combo->setToolTip(tooltip);
    combo->aboutToDropDown = [this, index] { emit d->events->ComboDropDown(index); };
    connect(combo, &QComboBox::activated, this, [this, index] { emit d->events->ComboClick(index); });
    d->combos.push_back(combo);
    combo->show();
    d->layoutChildren();
}

void velkMultiView::ComboRemoveControls()
{
    for (SelectionCombo *combo : d->combos) {
        combo->hide();
        combo->deleteLater();
        combo->setParent(nullptr);
    }
    d->combos.clear();
    d->layoutChildren();
}

void velkMultiView::ComboAddItem(int Index, const QString &a)
{
    if (SelectionCombo *combo = d->combo(Index)) {
        const QSignalBlocker blocker(combo);
        const int current = combo->currentIndex();
        combo->addItem(a);
        // A new entry never becomes the choice by itself.
        combo->setCurrentIndex(current);
    }
}

int velkMultiView::ComboCount(int Index) const
{
    const SelectionCombo *combo = d->combo(Index);
    return combo ? combo->count() : 0;
}

QString velkMultiView::ComboItem(int Index, int pos) const
{
    const SelectionCombo *combo = d->combo(Index);
    return combo && pos >= 1 && pos <= combo->count() ? combo->itemText(pos - 1) : QString();
}

QString velkMultiView::ComboText(int Index) const
{
    const SelectionCombo *combo = d->combo(Index);
    return combo ? combo->currentText() : QString();
}

void velkMultiView::ComboSetIndex(int Index, int pos)
{
    SelectionCombo *combo = d->combo(Index);
    if (!combo || pos < 0 || pos > combo->count())
        return;
    combo->setCurrentIndex(pos - 1);
}

int velkMultiView::ComboIndex(int Index) const
{
    const SelectionCombo *combo = d->combo(Index);
    return combo ? combo->currentIndex() + 1 : 0;
}

// --- date field and new entry -----------------------------------------------------------

bool velkMultiView::DatumVisible() const { return !d->datum->isHidden(); }

void velkMultiView::setDatumVisible(bool on)
{
    d->datum->setVisible(on);
    d->dataPopup->setVisible(on);
    d->layoutChildren();
}

int velkMultiView::DatumType() const { return d->datumType; }
void velkMultiView::setDatumType(int type) { d->datumType = type; }
QString velkMultiView::DatumText() const { return d->datum->text(); }

void velkMultiView::setDatumText(const QString &text)
{
    d->datum->setText(text);
    d->datumStandard = text;
}

void velkMultiView::DatumPreset(const QString &preset)
{
    if (!DatePresetEntries(d->datumType == 1).contains(preset) || preset == u"-")
        return;
    QString text;
    if (preset == u"alle verfügbaren Einträge")
        emit d->events->DatumGetFullRange(text);
    else
        text = ApplyDatePreset(preset, d->datum->text(), Today(), d->datumStandard);
    d->datum->setText(text);
    emit d->events->Refresh();
}

bool velkMultiView::InputNewVisible() const { return !d->neuerSatz->isHidden(); }

void velkMultiView::setInputNewVisible(bool on)
{
    d->neuerSatz->setVisible(on);
    d->textbx->setVisible(on);
    d->layoutChildren();
}

void velkMultiView::InputNewClear() { d->textbx->clear(); }

void velkMultiView::PopupMenu(const QPoint &globalPos)
{
    QMenu *menu = d->popupItem;
    menu->clear();
    if (d->menuEntries.empty())
        return;
    int index = 0;
    for (const MultiViewMenuEntry &entry : d->menuEntries) {
        ++index;
        if (entry.separator) {
            menu->addSeparator();
            continue;
        }
        bool checked = false;
        bool enabled = true;
        bool visible = true;
        emit d->events->MenuCheckState(entry.par, checked, enabled, visible);
        QAction *action = menu->addAction(entry.caption);
        action->setObjectName(QStringLiteral("menu_popupitem"));
        action->setProperty("Index", index);
        action->setData(entry.par);
        action->setCheckable(checked);
        action->setChecked(checked);
        action->setEnabled(enabled);
        action->setVisible(visible);
        const QString par = entry.par;
        connect(action, &QAction::triggered, this, [this, par] {
            d->selected = par;
            emit d->events->MenuClick();
        });
    }
    menu->popup(globalPos);
}

QSize velkMultiView::sizeHint() const { return {520, 340}; }
QSize velkMultiView::minimumSizeHint() const { return {240, 160}; }

void velkMultiView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layoutChildren();
}

void velkMultiView::paintEvent(QPaintEvent *)
{
    if (d->headerRect.isEmpty())
        return;
    QPainter painter(this);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    QRect rest = d->headerRect;
    if (!d->header1.isEmpty()) {
        painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter, d->header1);
        rest.setLeft(rest.left() + QFontMetrics(bold).horizontalAdvance(d->header1) + 12);
    }
    painter.setFont(font());
    if (!d->header2.isEmpty() && rest.width() > 0)
        painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(d->header2, Qt::ElideRight, rest.width()));
}

bool velkMultiView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->liste->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            if (QListWidgetItem *item = d->liste->itemAt(mouse->position().toPoint()))
                d->liste->setCurrentItem(item);
            PopupMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (watched == d->datum && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            d->openDatePresets();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkMultiView>(QStringLiteral("velkMultiView")), true);
}

} // namespace velk
