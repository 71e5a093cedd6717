#include <velk/platform/Printer.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/preview/PagePrint.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace velk;

namespace {

QString run(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString &pdf)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

// The PDF printer draws from the paper's corner: a thick line at 2 cm is dark at 2 cm.
TEST(PdfPrinter, WritesPagesTextOrientationAndPositions)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("quer.pdf"));
    PdfPrinter printer(pdf);
    const QString txt = QStringLiteral("$paper 29.7 21\r\n$line 1 2 5 2 40\r\n$top 5\r\nGrüße aus #ORT\r\n$page\r\nZweite Seite");
    ASSERT_EQ(PrintPageText(txt, QStringLiteral("ORT=Köln"), printer), 2);

    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf}).contains(QStringLiteral("842 x 595 pts")));
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Grüße aus Köln")));
    EXPECT_TRUE(text.contains(QStringLiteral("Zweite Seite")));

    const QString png = dir.filePath(QStringLiteral("seite"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const int at2cm = int(2 / 2.54 * 72);
    EXPECT_LT(qGray(page.pixel(at2cm, at2cm)), 64);
    EXPECT_GT(qGray(page.pixel(at2cm, at2cm + 40)), 200);
}

TEST(PdfPrinter, AnUnwritablePathGivesNoJob)
{
    PdfPrinter printer(QStringLiteral("/nonexistent-folder/x.pdf"));
    EXPECT_EQ(PrintPageText(QStringLiteral("x"), {}, printer), -1);
}

TEST(DialogPrinter, CancellingThePrintDialogGivesNoJob)
{
    ScopedDialogs dialogs;
    QString title;
    dialogs->answerForm([&](QDialog &dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    DialogPrinter printer;
    EXPECT_EQ(printer.startJob(QStringLiteral("Drucken"), QSizeF(21, 29.7), false), nullptr);
    EXPECT_EQ(title, QStringLiteral("Drucken"));
}

#ifdef VELK_PRINT_EXE
TEST(velkPrint, WritesThePdfAndAnswersWithExitCodes)
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("seite.txt"));
    const QString list = dir.filePath(QStringLiteral("liste.txt"));
    {
        QFile f(page);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("$LOOP P\r\n{\r\nPosten #P\r\n$page\r\n}\r\nStand %DATUM\r\n");
        QFile l(list);
        ASSERT_TRUE(l.open(QIODevice::WriteOnly));
        l.write("P=eins;zwei;drei\r\n");
    }
    const QString exe = QStringLiteral(VELK_PRINT_EXE);
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    int code = -1;
    run(exe, {page, QStringLiteral("-r"), list, QStringLiteral("-o"), pdf, QStringLiteral("--date"), QStringLiteral("24.12.2030")}, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(pdfPages(pdf), 4);
    EXPECT_TRUE(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(QStringLiteral("Stand 24.12.2030")));

    run(exe, {page}, &code);
    EXPECT_EQ(code, 1);
    run(exe, {page, QStringLiteral("-o"), pdf, QStringLiteral("--date"), QStringLiteral("31.02.2030")}, &code);
    EXPECT_EQ(code, 1);
    run(exe, {dir.filePath(QStringLiteral("fehlt.txt")), QStringLiteral("-o"), pdf}, &code);
    EXPECT_EQ(code, 2);
    run(exe, {page, QStringLiteral("-o"), QStringLiteral("/nonexistent-folder/out.pdf")}, &code);
    EXPECT_EQ(code, 3);
}
#endif

TEST(velkSheetPrintOut, PrintsShownRowsWithTheHeadLineOnEveryPageAndNoRowCut)
{
    velkSheet sheet;
    sheet.setColumns(QStringLiteral("Name:2000,!Geheim:1000,Betrag:1000R"));
    for (int i = 1; i <= 150; ++i)
        sheet.AddItem(QStringLiteral("Zeile %1\tgeheim\t%1,00").arg(i));
    auto printer = std::make_unique<RecordingPrinter>();
    RecordingPrinter *record = printer.get();
    ScopedPrinter scope(std::move(printer));
    sheet.PrintOut();

    ASSERT_EQ(record->jobs().size(), 1u);
    const auto &pages = record->jobs().front().pages;
    ASSERT_GE(pages.size(), 2u);
    int rows = 0;
    for (const auto &page : pages) {
        QStringList texts;
        for (const DrawOp &op : page) {
            if (op.kind != DrawOp::Text)
                continue;
            texts << op.text;
            EXPECT_EQ(op.fontName, QStringLiteral("Arial"));
            EXPECT_EQ(op.fontSize, 8);
            EXPECT_LE(op.rect.bottom(), 29.7 - 1.5);
            rows += op.text.startsWith(QStringLiteral("Zeile"));
        }
        ASSERT_GE(texts.size(), 2);
        EXPECT_EQ(texts[0], QStringLiteral("Name"));
        EXPECT_EQ(texts[1], QStringLiteral("Betrag"));
        EXPECT_FALSE(texts.contains(QStringLiteral("geheim")));
    }
    EXPECT_EQ(rows, 150);

    ScopedPrinter none(std::make_unique<NoPrinter>());
    ScopedDialogs dialogs;
    sheet.PrintOut();
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions().front().prompt, QStringLiteral("Es ist kein Drucker installiert"));
}
