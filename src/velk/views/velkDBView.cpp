#include "velkDBView.h"

#include "DBViewQuery_p.h"
#include "velkChart.h"
#include "velkDBView_p.h"

#include <velk/common/TextFile.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DataConnection.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Printer.h>
#include <velk/preview/PagePrint.h>
#include <velk/preview/PageText.h>
#include <velk/platform/Units.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace velk {
namespace {

// Widths of the condition controls and grouping combos, in twips.
constexpr int conditionComboWidth = 1800;
constexpr int dateBoxWidth = 1500;
constexpr int groupComboWidth = 2400;
constexpr int controlGap = 100;

/// The label between the grouping combos: a click swaps them.
class SwapLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && clicked)
            clicked();
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) && clicked)
            clicked();
        else
            QLabel::keyPressEvent(event);
    }
};

std::shared_ptr<SheetData> makeRow(const QString &text, int indent, const QString &tag)
{
    auto row = std::make_shared<SheetData>();
    row->setText(text);
    row->Indent = short(indent);
    row->Tag = tag;
    return row;
}

QPoint pixelsOf(float x, float y)
{
    return {pixelsOfTwips(int(x)), pixelsOfTwips(int(y))};
}

// A cell as the export writes it, quoted: "^" mark gone, a currency suffix cut, quotes
// doubled.
void appendExportCell(QString &out, QStringView cell)
{
    if (cell.startsWith(u'^'))
        cell = cell.mid(1);
    if (cell.endsWith(u" DM") || cell.endsWith(u" FF") || cell.endsWith(u" €"))
        cell = cell.left(cell.indexOf(u' '));
    out += u'"';
    if (cell.contains(u'"')) {
        for (QChar c : cell) {
            if (c == u'"')
                out += u'"';
            out += c;
        }
    } else {
        out += cell;
    }
    out += u'"';
}

} // namespace

struct velkDBView::Private
{
    explicit Private(velkDBView *owner);

    QAction *addMenuEntry(QMenu *menu, const char *name, const QString &caption, QActionGroup *group, bool checked)
    {
        auto *action = new QAction(caption, menu);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(group != nullptr);
        action->setChecked(checked);
        if (group)
            group->addAction(action);
        menu->addAction(action);
        QObject::connect(action, &QAction::triggered, q, [this] { q->Refresh(); });
        return action;
    }

    void syncState();
    void show(const DBViewReport &report);
    void feedChart(const DBViewReport &report);
    void expandRow(int row);
    void layoutChildren();
    void swapGroupings();
    QWidget *unload(QWidget *w)
    {
        w->hide();
        w->setParent(nullptr);
        w->deleteLater();
        return nullptr;
    }

    velkDBView *q;
    DBViewQuery query;
    std::unique_ptr<DataConnection> connection;
    QString database;
    QString printerSetting;
    QString header1;
    QString header2;
    int fieldCount = 0;
    int dataCount = 0;
    int nextLeft = 0; // twips

    velkSheet *sheet;
    velkChart *chart;
    QComboBox *comboGrp[2];
    SwapLabel *label2;
    QListWidget *listGroup;
    std::vector<QWidget *> conditionControls; // ComboCondition / TextCondition in field order

    QMenu *menuAnsicht;
    QMenu *menuOptionen;
    QActionGroup *viewGroup;
    QActionGroup *dataGroup;
    QActionGroup *sortGroup;
    QActionGroup *signGroup;
    QAction *liste, *graph, *dataEnd, *refresh;
    QAction *sortLabel, *sortUp, *sortDown;
    QAction *werteAlle, *wertePos, *werteNeg;
    std::vector<QAction *> dataActions;
};

velkDBView::Private::Private(velkDBView *owner)
    : q(owner)
    , sheet(new velkSheet(owner))
    , chart(new velkChart(owner))
    , label2(new SwapLabel(QStringLiteral("\u21c4"), owner))
    , listGroup(new QListWidget(owner))
    , menuAnsicht(new QMenu(owner))
    , menuOptionen(new QMenu(owner))
{
    sheet->setObjectName(QStringLiteral("velkSheet1"));
    sheet->setFlags(QStringLiteral("richtext"));
    sheet->setLeftMargin(260);
    chart->setObjectName(QStringLiteral("velkChart1"));
    chart->hide();
    listGroup->setObjectName(QStringLiteral("ListGroup"));
    listGroup->hide();
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setAlignment(Qt::AlignCenter);
    label2->setFocusPolicy(Qt::TabFocus); // Space or Enter swaps, as a click does
    label2->setToolTip(QStringLiteral("Gruppierungen tauschen"));
    label2->clicked = [this] { swapGroupings(); };
    for (int i = 0; i < 2; ++i) {
        auto *combo = new QComboBox(owner);
        combo->setObjectName(QStringLiteral("ComboGrp"));
        combo->setProperty("Index", i + 1);
        combo->setToolTip(i == 0 ? QStringLiteral("Gruppierung") : QStringLiteral("Zweite Gruppierung"));
        QObject::connect(combo, &QComboBox::currentIndexChanged, owner, [this, combo] {
            if (!combo->isHidden())
                q->Refresh();
        });
        comboGrp[i] = combo;
    }

    menuAnsicht->setObjectName(QStringLiteral("menu_ansicht"));
    menuAnsicht->setTitle(QStringLiteral("Ansicht"));
    menuOptionen->setObjectName(QStringLiteral("menu_optionen"));
    menuOptionen->setTitle(QStringLiteral("Optionen"));
    viewGroup = new QActionGroup(owner);
    dataGroup = new QActionGroup(owner);
    sortGroup = new QActionGroup(owner);
    signGroup = new QActionGroup(owner);
    liste = addMenuEntry(menuAnsicht, "menu_liste", QStringLiteral("&Liste"), viewGroup, true);
    graph = addMenuEntry(menuAnsicht, "menu_graph", QStringLiteral("&Grafik"), viewGroup, false);
    menuAnsicht->addSeparator();
    dataEnd = menuAnsicht->addSeparator();
    refresh = addMenuEntry(menuAnsicht, "menu_refresh", QStringLiteral("&Aktualisieren"), nullptr, false);
    sortLabel = addMenuEntry(menuOptionen, "menu_sortlabel", QStringLiteral("Nach &Bezeichnung sortieren"), sortGroup, true);
    sortUp = addMenuEntry(menuOptionen, "menu_sortup", QStringLiteral("Nach Wert &aufsteigend"), sortGroup, false);
    sortDown = addMenuEntry(menuOptionen, "menu_sortdown", QStringLiteral("Nach Wert a&bsteigend"), sortGroup, false);
    menuOptionen->addSeparator();
    werteAlle = addMenuEntry(menuOptionen, "menu_wertealle", QStringLiteral("A&lle Werte"), signGroup, true);
    wertePos = addMenuEntry(menuOptionen, "menu_wertepos", QStringLiteral("Nur &positive Werte"), signGroup, false);
    werteNeg = addMenuEntry(menuOptionen, "menu_werteneg", QStringLiteral("Nur &negative Werte"), signGroup, false);

    QObject::connect(sheet->events(), &velkSheetEvents::expand, owner,
                     [this](int row) { expandRow(row); });
    QObject::connect(chart->events(), &velkChartEvents::MouseDown, owner, [this](int button, int, float x, float y) {
        if (button == 2)
            menuOptionen->popup(chart->mapToGlobal(pixelsOf(x, y)));
    });
}

void velkDBView::Private::syncState()
{
    query.group1 = comboGrp[0]->currentIndex();
    query.group2 = comboGrp[1]->currentIndex();
    query.listMode = liste->isChecked();
    query.sort = sortUp->isChecked()     ? DBViewQuery::SortOrder::Up
        : sortDown->isChecked()          ? DBViewQuery::SortOrder::Down
                                         : DBViewQuery::SortOrder::Label;
    query.sign = wertePos->isChecked() ? DBViewQuery::Sign::Positive
        : werteNeg->isChecked()        ? DBViewQuery::Sign::Negative
                                       : DBViewQuery::Sign::All;
    query.current = 1;
    for (size_t i = 0; i < dataActions.size(); ++i)
        if (dataActions[i]->isChecked())
            query.current = int(i) + 1;
    query.conditions.clear();
    for (QWidget *w : conditionControls) {
        DBViewCondition c;
        c.field = w->property("Tag").toString();
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            c.listIndex = combo->currentIndex();
            c.text = combo->currentText();
            c.type = w->property("FieldType").toString();
        } else if (auto *box = qobject_cast<QLineEdit *>(w)) {
            c.isDate = true;
            c.type = QStringLiteral("Date");
            c.text = box->text();
        }
        query.conditions.push_back(c);
    }
}

void velkDBView::Private::show(const DBViewReport &report)
{
    for (size_t i = 0; i < conditionControls.size() && i < query.conditions.size(); ++i)
        if (query.conditions[i].isDate)
            conditionControls[i]->setToolTip(query.conditions[i].toolTip);
    if (report.chart) {
        sheet->hide();
        chart->show();
        feedChart(report);
        return;
    }
    chart->hide();
    sheet->show();
    sheet->setRedraw(false);
    sheet->setColumns(report.columns);
    sheet->Clear();
    // All rows in one batch: a list of many thousand rows costs one pass.
    std::vector<std::shared_ptr<SheetData>> rows;
    rows.reserve(report.rows.size());
    for (const DBViewRow &row : report.rows)
        rows.push_back(makeRow(row.text, row.indent, row.tag));
    SheetInternals::state(*sheet).model().insertItems(0, std::move(rows));
    sheet->setRedraw(true);
    sheet->Refresh();
}

void velkDBView::Private::feedChart(const DBViewReport &report)
{
    if (report.sets < 1 || report.positions < 1) {
        chart->Init(0, 0, 0);
        chart->Refresh();
        return;
    }
    chart->Init(report.sets, report.positions, 2);
    for (int s = 1; s <= report.sets; ++s) {
        chart->SetLegende(s, report.legends.value(s - 1));
        for (int i = 1; i <= report.positions; ++i)
            chart->SetData(s, i, report.values[s - 1][i - 1]);
    }
    for (int i = 1; i <= report.positions; ++i)
        chart->SetXLabel(i, report.xLabels.value(i - 1));
    chart->Refresh();
}

void velkDBView::Private::expandRow(int row)
{
    const auto child = sheet->ListItem(row + 1);
    if (!child || child->Text() != u"...")
        return;
    sheet->setRedraw(false);
    const QString sql = child->Tag;
    sheet->RemoveItem(row + 1);
    std::vector<std::shared_ptr<SheetData>> rows;
    for (const QString &text : query.detailRows(connection.get(), sql))
        rows.push_back(makeRow(text, 1, QString()));
    SheetInternals::state(*sheet).model().insertItems(row + 1, std::move(rows));
    sheet->setRedraw(true);
    sheet->Refresh();
}

void velkDBView::Private::swapGroupings()
{
    const bool shown[2] = {!comboGrp[0]->isHidden(), !comboGrp[1]->isHidden()};
    comboGrp[0]->hide();
    comboGrp[1]->hide();
    const int first = comboGrp[0]->currentIndex();
    comboGrp[0]->setCurrentIndex(comboGrp[1]->currentIndex());
    comboGrp[1]->setCurrentIndex(first);
    comboGrp[0]->setVisible(shown[0]);
    comboGrp[1]->setVisible(shown[1]);
    q->Refresh();
}

// Two strips above the list: the groupings (combo, swap label, combo), then the
// condition controls at the positions FieldAdd gave them. A strip with nothing shown
// takes no room; the sheet and the chart share the rest.
void velkDBView::Private::layoutChildren()
{
    const int h = comboGrp[0]->sizeHint().height();
    int y = 0;
    if (!comboGrp[0]->isHidden() || !comboGrp[1]->isHidden()) {
        const int w = pixelsOfTwips(groupComboWidth);
        comboGrp[0]->setGeometry(0, 0, w, h);
        label2->setGeometry(w, 0, h + 4, h);
        comboGrp[1]->setGeometry(w + h + 4, 0, w, h);
        label2->show();
        y = h + 2;
    } else {
        label2->hide();
    }
    if (!conditionControls.empty()) {
        for (QWidget *w : conditionControls)
            w->setGeometry(pixelsOfTwips(w->property("Left").toInt()), y, pixelsOfTwips(w->property("Width").toInt()), h);
        y += h + 2;
    }
    const QRect rest(0, y, q->width(), std::max(0, q->height() - y));
    sheet->setGeometry(rest);
    chart->setGeometry(rest);
}

velkDBView::velkDBView(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    SelectionClear();
    setDatacount(0);
    d->layoutChildren();
}

velkDBView::~velkDBView() = default;

QString velkDBView::Table() const { return d->query.Table; }
void velkDBView::setTable(const QString &table) { d->query.Table = table; }
QString velkDBView::Condition() const { return d->query.Condition; }
void velkDBView::setCondition(const QString &condition) { d->query.Condition = condition; }
QString velkDBView::Header1() const { return d->header1; }
void velkDBView::setHeader1(const QString &text) { d->header1 = text; }
QString velkDBView::Header2() const { return d->header2; }
void velkDBView::setHeader2(const QString &text) { d->header2 = text; }
QString velkDBView::TextValue() const { return d->query.TextValue; }
void velkDBView::setTextValue(const QString &text) { d->query.TextValue = text; }
QString velkDBView::DataValue() const { return d->query.DataValue; }
void velkDBView::setDataValue(const QString &expr) { d->query.DataValue = expr; }
QString velkDBView::Database() const { return d->database; }
QString velkDBView::PrinterSetting() const { return d->printerSetting; }
void velkDBView::setPrinterSetting(const QString &text) { d->printerSetting = text; }
int velkDBView::FieldCount() const { return d->fieldCount; }
int velkDBView::datacount() const { return d->dataCount; }

void velkDBView::setDatabase(const QString &text)
{
    d->database = text;
    if (!d->connection)
        d->connection = std::make_unique<DataConnection>();
    d->connection->Reset();
    const int sep = text.indexOf(QStringLiteral("://"));
    if (sep >= 0)
        d->connection->Open(text.left(sep), text.mid(sep + 3));
    else
        d->connection->Open(QStringLiteral("ADO"), text);
}

void velkDBView::setFieldCount(int n)
{
    for (QWidget *&w : d->conditionControls)
        w = d->unload(w);
    d->conditionControls.clear();
    d->fieldCount = std::max(n, 0);
    d->query.fields.clear();
    d->query.fields.reserve(size_t(d->fieldCount));
    d->query.readTableFields(d->connection.get());
    d->nextLeft = 0;
    d->layoutChildren();
}

void velkDBView::FieldAdd(const QString &Name, int Width, const QString &label, bool cond, const QString &value)
{
    const DBViewField field = d->query.addField(Name, Width, label);
    if (!cond)
        return;
    int index = 1;
    const bool isDate = field.type == u"Date";
    for (QWidget *w : d->conditionControls)
        if (w->objectName() == (isDate ? u"TextCondition" : u"ComboCondition"))
            ++index;
    QWidget *control;
    int width;
    if (!isDate) {
        auto *combo = new QComboBox(this);
        const QSignalBlocker blocker(combo);
        combo->setObjectName(QStringLiteral("ComboCondition"));
        combo->addItem(QStringLiteral("(alle)"));
        combo->setCurrentIndex(0);
        combo->setProperty("FieldType", field.type);
        std::unique_ptr<DataRecordset> rs;
        DataConnection *db = d->connection.get();
        if (db && db->isOpen() && db->OpenRecordset(d->query.distinctSql(Name), 2, rs) && rs && rs->RecordCount() != 0) {
            for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
                combo->addItem(rs->GetValue(Name));
        }
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] {
            if (!combo->isHidden())
                Refresh();
        });
        control = combo;
        width = conditionComboWidth;
    } else {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("TextCondition"));
        box->setText(value);
        connect(box, &QLineEdit::editingFinished, this, [this] { Refresh(); });
        control = box;
        width = dateBoxWidth;
    }
    control->setProperty("Index", index);
    control->setProperty("Tag", Name);
    control->setProperty("Left", d->nextLeft);
    control->setProperty("Width", width);
    control->setToolTip(Name);
    control->show();
    d->nextLeft += width + controlGap;
    d->conditionControls.push_back(control);
    d->layoutChildren();
}

void velkDBView::setDatacount(int n)
{
    for (QAction *a : d->dataActions) {
        d->dataGroup->removeAction(a);
        d->menuAnsicht->removeAction(a);
        delete a;
    }
    d->dataActions.clear();
    d->query.datas.clear();
    d->query.datas.reserve(size_t(std::max(n, 1)));
    d->query.current = 1;
    d->dataCount = std::max(n, 0);
    if (n == 0)
        DataAdd(QStringLiteral("Anzahl"), QStringLiteral("COUNT(*)"), QStringLiteral("#"));
}

void velkDBView::DataAdd(const QString &txt, const QString &value, const QString &typ)
{
    d->query.datas.push_back({txt, value, typ});
    const int k = int(d->query.datas.size());
    auto *action = new QAction(QStringLiteral("Daten: ") + txt, d->menuAnsicht);
    action->setObjectName(QStringLiteral("menu_data"));
    action->setProperty("Index", k);
    action->setCheckable(true);
    action->setChecked(k == 1);
    d->dataGroup->addAction(action);
    d->menuAnsicht->insertAction(d->dataEnd, action);
    connect(action, &QAction::triggered, this, [this] { Refresh(); });
    d->dataActions.push_back(action);
}

void velkDBView::SelectionClear()
{
    for (QComboBox *combo : d->comboGrp) {
        const QSignalBlocker blocker(combo);
        combo->clear();
        combo->addItem(QStringLiteral("(ohne)"));
        combo->hide();
        combo->setCurrentIndex(0);
    }
    d->listGroup->clear();
    d->listGroup->addItem(QStringLiteral("(ohne)"));
    d->query.captions = {QStringLiteral("(ohne)")};
    d->query.selectionValues = {QStringLiteral("(ohne)")};
    d->layoutChildren();
}

void velkDBView::SelectionAdd(const QString &cap, const QString &value)
{
    for (QComboBox *combo : d->comboGrp) {
        const QSignalBlocker blocker(combo);
        combo->addItem(cap);
    }
    d->listGroup->addItem(value);
    d->query.captions << cap;
    d->query.selectionValues << value;
    d->comboGrp[0]->hide();
    d->comboGrp[0]->setCurrentIndex(1);
    d->comboGrp[0]->show();
    d->comboGrp[1]->show();
    d->layoutChildren();
}

void velkDBView::SetReplace(const QString &fld, const QString &repllist)
{
    d->query.replacements.insert(fld, repllist);
}

void velkDBView::Refresh()
{
    d->syncState();
    d->show(d->query.run(d->connection.get()));
}

QString velkDBView::GetHeader() const
{
    return d->sheet->Columns();
}

velkSheet *velkDBView::GetSheet() const
{
    return d->sheet;
}

void velkDBView::Click(int id, float x, float y)
{
    QMenu *menu = id == 1 ? d->menuAnsicht : id == 2 ? d->menuOptionen : nullptr;
    if (menu)
        menu->popup(mapToGlobal(pixelsOf(x, y)));
}

QString velkDBView::GetCVSData() const
{
    QString text;
    for (const auto &row : d->sheet->ListItems()) {
        if (!row->Visible())
            continue;
        QString line = row->Text();
        line.remove(u'^');
        line.replace(u'\t', QStringLiteral("; "));
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

void velkDBView::ExportExcel(const QString &file)
{
    if (!d->chart->isHidden()) {
        Dialogs::instance().MsgBox(QStringLiteral("Export Grafik nicht möglich!"), MsgBoxStyle::Exclamation,
                                   QStringLiteral("Export Excel"));
        return;
    }
    const SheetItems rows = d->sheet->ListItems();
    qsizetype size = 0;
    for (const auto &row : rows)
        size += row->Text().size() + 16;
    QString text;
    text.reserve(size + size / 4);
    const QStringList columns = d->sheet->Columns().split(u',', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const QString caption = columns[i].left(columns[i].indexOf(u':'));
        // A definition ending in "," leaves an empty last column; it has no caption to export.
        if (caption.isEmpty() && i == columns.size() - 1)
            break;
        if (i > 0)
            text += u';';
        appendExportCell(text, caption);
    }
    text += QStringLiteral("\r\n");
    for (const auto &row : rows) {
        if (!row->Visible())
            continue;
        const QStringView line = row->Text();
        qsizetype start = 0;
        for (;;) {
            qsizetype tab = line.indexOf(u'\t', start);
            if (tab < 0)
                tab = line.size();
            if (start > 0)
                text += u';';
            appendExportCell(text, line.mid(start, tab - start));
            // A row text ends with a tab after its last cell; that opens no further cell.
            if (tab + 1 >= line.size())
                break;
            start = tab + 1;
        }
        text += QStringLiteral("\r\n");
    }
    if (!TextFile::write(file, text))
        Dialogs::instance().MsgBox(QStringLiteral("Die Datei \"") + file
                                       + QStringLiteral("\" konnte nicht geschrieben werden."),
                                   MsgBoxStyle::Exclamation, QStringLiteral("Export Excel"));
}

void velkDBView::PrintOut()
{
    Printer &printer = Printer::instance();
    if (!printer.isAvailable()) {
        Dialogs::instance().MsgBox(QStringLiteral("Es ist kein Drucker installiert"), MsgBoxStyle::Information,
                                   QStringLiteral("Drucken"));
        return;
    }
    if (d->sheet->isHidden()) {
        // The chart goes through the clipboard as a picture, scaled to the page's width.
        d->chart->Copy();
        const QImage picture = QGuiApplication::clipboard() ? QGuiApplication::clipboard()->image() : QImage();
        std::unique_ptr<PrintJob> job = printer.startJob(QStringLiteral("Drucken"), QSizeF(21.0, 29.7), false);
        if (!job || picture.isNull())
            return;
        const double width = 17.0;
        job->canvas().PaintPicture(picture, 2.0, 2.0, width, width * picture.height() / std::max(1, picture.width()));
        job->finish();
        return;
    }
    const PageText page = SheetPageText(*d->sheet, d->header1, d->header2);
    PrintPageText(page.text, page.repl, printer, QStringLiteral("Drucken"));
}

QSize velkDBView::sizeHint() const
{
    return {480, 320};
}

void velkDBView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->layoutChildren();
}

DBViewQuery &velkDBViewAccess::query(velkDBView &view)
{
    view.d->syncState();
    return view.d->query;
}

DataConnection *velkDBViewAccess::connection(velkDBView &view)
{
    return view.d->connection.get();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkDBView>(QStringLiteral("velkDBView")), true);
}

} // namespace velk
