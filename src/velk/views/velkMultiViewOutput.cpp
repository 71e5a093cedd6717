#include "velkMultiView_p.h"

#include "velkChart.h"
#include "velkDBView.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/DataConnection.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Printer.h>
#include <velk/preview/PagePrint.h>
#include <velk/preview/PageText.h>
#include <velk/preview/velkPreView.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>

namespace velk {
namespace {

// Printed list: A4 portrait, in centimetres.
constexpr double pageLeftCm = 2.0;
constexpr double pageTopCm = 2.0;
constexpr double pageBottomCm = 27.7;

const QString kPrintTitle = QStringLiteral("Drucken");

bool printerReady(Printer &printer)
{
    if (printer.isAvailable())
        return true;
    Dialogs::instance().MsgBox(QStringLiteral("Es ist kein Drucker installiert"), MsgBoxStyle::Information, kPrintTitle);
    return false;
}

void setListFont(Canvas &canvas)
{
    canvas.setFontName(QStringLiteral("Arial"));
    canvas.setFontSize(10);
}

} // namespace

void velkMultiView::Private::copyText(const QString &text) const
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

QString velkMultiView::Private::sheetCopyText() const
{
    const SheetItems rows = sheet->ListItems();
    QString text;
    qsizetype size = 0;
    for (const auto &row : rows)
        size += row->Text().size() + row->Indent + 2;
    text.reserve(size);
    for (const auto &row : rows)
        AppendSheetCopyLine(text, row->Text(), row->Indent);
    return text;
}

// Lines on A4 in Arial 10, a new page when the next line would pass the bottom margin.
void velkMultiView::Private::printList(const QString &cap)
{
    Printer &printer = Printer::instance();
    if (!printerReady(printer))
        return;
    std::unique_ptr<PrintJob> job = printer.startJob(kPrintTitle, QSizeF(21.0, 29.7), false);
    if (!job)
        return;
    QStringList lines;
    if (!header1.isEmpty())
        lines << header1;
    if (!header2.isEmpty())
        lines << header2;
    if (!header1.isEmpty())
        lines << QString();
    if (!cap.isEmpty())
        lines << cap << QString(80, u'-');
    for (int i = 0; i < liste->count(); ++i)
        lines << liste->item(i)->text();
    setListFont(job->canvas());
    const double lineHeight = job->canvas().TextHeight();
    double y = pageTopCm;
    for (const QString &line : lines) {
        if (y + lineHeight > pageBottomCm) {
            job->newPage();
            setListFont(job->canvas());
            y = pageTopCm;
        }
        Canvas &canvas = job->canvas();
        canvas.setCurrentX(pageLeftCm);
        canvas.setCurrentY(y);
        canvas.Print(line);
        y += lineHeight;
    }
    job->finish();
}

// The chart goes through the clipboard as a picture, scaled to the page's width.
void velkMultiView::Private::printGraph()
{
    Printer &printer = Printer::instance();
    if (!printerReady(printer))
        return;
    chart->Copy();
    const QImage picture = QGuiApplication::clipboard() ? QGuiApplication::clipboard()->image() : QImage();
    std::unique_ptr<PrintJob> job = printer.startJob(kPrintTitle, QSizeF(21.0, 29.7), false);
    if (!job || picture.isNull())
        return;
    const double widthCm = 17.0;
    job->canvas().PaintPicture(picture, pageLeftCm, pageTopCm, widthCm,
                               widthCm * picture.height() / std::max(1, picture.width()));
    job->finish();
}

void velkMultiView::GridDatabase(const QString &dbname, const QString &sql)
{
    if (!d->connection)
        d->connection = std::make_unique<DataConnection>();
    DataConnection &db = *d->connection;
    db.Reset();
    velkSheet &sheet = *d->sheet;
    sheet.setRedraw(false);
    sheet.Clear();
    std::unique_ptr<DataRecordset> rs;
    if (db.Open(QStringLiteral("ADO"), dbname) && db.OpenRecordset(sql, 2, rs) && rs) {
        QStringList names;
        QString columns;
        for (int i = 1; i <= rs->FieldCount(); ++i) {
            names << rs->FieldName(i);
            columns += names.back() + QStringLiteral(":1400,");
        }
        sheet.setColumns(columns);
        // All rows in one batch: one insert for the whole result.
        std::vector<RowPtr> rows;
        if (rs->RecordCount() > 0)
            rows.reserve(size_t(rs->RecordCount()) + 1);
        // One buffer keeps its capacity from row to row; each row then gets one exact copy
        // instead of a string grown cell by cell.
        QString line;
        line.reserve(256);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            line.resize(0);
            for (const QString &name : names) {
                line += rs->GetValue(name);
                line += u'\t';
            }
            auto row = std::make_shared<SheetData>();
            row->setText(QString(line.constData(), line.size()));
            rows.push_back(std::move(row));
        }
        auto last = std::make_shared<SheetData>();
        last->setText(QStringLiteral(" "));
        rows.push_back(std::move(last));
        SheetInternals::state(sheet).model().insertItems(0, std::move(rows));
    }
    sheet.setRedraw(true);
    sheet.Refresh();
}

// --- output -----------------------------------------------------------------------------

void velkMultiView::PrintOut(const QString &cap)
{
    const QString &view = d->setup.storedName;
    if (view == u"DBView") {
        d->dbview->setHeader1(d->header1);
        d->dbview->setHeader2(d->header2);
        d->dbview->PrintOut();
    } else if (view == u"Graph") {
        d->printGraph();
    } else if (view == u"View") {
        d->preview->PrintOut();
    } else if (view == u"List") {
        d->printList(cap);
    } else if (d->isSheetView()) {
        Printer &printer = Printer::instance();
        if (!printerReady(printer))
            return;
        const PageText page = SheetPageText(*d->sheet, d->header1, d->header2);
        PrintPageText(page.text, page.repl, printer, kPrintTitle);
    } else {
        Dialogs::instance().MsgBox(QStringLiteral("Drucken wird für diese Ansicht noch nicht unterstützt."),
                                   MsgBoxStyle::Exclamation, kPrintTitle);
    }
}

void velkMultiView::Copy()
{
    const QString &view = d->setup.storedName;
    if (view == u"List") {
        QStringList lines;
        lines.reserve(d->liste->count());
        for (int i = 0; i < d->liste->count(); ++i)
            lines << d->liste->item(i)->text();
        d->copyText(ListCopyText(lines));
    } else if (d->isSheetView()) {
        d->copyText(d->sheetCopyText());
    } else if (view == u"Graph") {
        d->chart->Copy();
    } else {
        Dialogs::instance().MsgBox(QStringLiteral("Kopieren wird für die Ansicht ") + view
                                       + QStringLiteral(" noch nicht unterstützt."),
                                   MsgBoxStyle::Exclamation, QStringLiteral("Kopieren"));
    }
}

void velkMultiView::Cut()
{
    if (d->setup.storedName != u"DB") {
        Dialogs::instance().MsgBox(QStringLiteral("Ausschneiden wird für die Ansicht ") + d->setup.storedName
                                       + QStringLiteral(" noch nicht unterstützt."),
                                   MsgBoxStyle::Exclamation, QStringLiteral("Ausschneiden"));
        return;
    }
    const int row = d->sheet->SelectedIndex();
    const int col = d->sheet->SelectedCol();
    const RowPtr item = d->sheet->ListItem(row);
    if (!item)
        return;
    d->copyText(cellText(*item, col));
    setCellText(*item, col, QString());
    d->sheet->RefreshItem(row);
    emit d->events->Update(row, col, QString());
}

} // namespace velk
