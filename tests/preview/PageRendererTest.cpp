#include <velk/platform/Printer.h>
#include <velk/preview/PagePrint.h>
#include <velk/preview/PageText.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>

#include "../../src/velk/preview/PageScript_p.h"
#include "support/TestSupport.h"

using namespace velk;

namespace {

using Page = std::vector<DrawOp>;

const QDateTime fixedClock(QDate(2026, 12, 6), QTime(10, 30, 0));

std::vector<Page> printPages(const QString &txt, const QString &repl = {})
{
    RecordingPrinter printer;
    EXPECT_GE(PrintPageText(txt, repl, printer, QStringLiteral("Drucken"), fixedClock), 1);
    return printer.jobs().empty() ? std::vector<Page>() : printer.jobs().front().pages;
}

std::vector<DrawOp> textsOf(const Page &page)
{
    std::vector<DrawOp> texts;
    for (const DrawOp &op : page) {
        if (op.kind == DrawOp::Text)
            texts.push_back(op);
    }
    return texts;
}

QStringList wordsOf(const Page &page)
{
    QStringList words;
    for (const DrawOp &op : textsOf(page))
        words << op.text;
    return words;
}

const DrawOp *findText(const Page &page, const QString &text)
{
    for (const DrawOp &op : page) {
        if (op.kind == DrawOp::Text && op.text == text)
            return &op;
    }
    return nullptr;
}

std::unique_ptr<velkSheet> reportSheet(int rows)
{
    auto sheet = std::make_unique<velkSheet>();
    sheet->setColumns(QStringLiteral("Name:3000,!Versteckt:1000,Betrag:1000R"));
    for (int i = 1; i <= rows; ++i)
        sheet->AddItem(QStringLiteral("Posten %1\tgeheim\t%2,00").arg(i).arg(i * 10));
    return sheet;
}

} // namespace

TEST(SheetPageText, BuildsHeaderTableAndReplacementList)
{
    auto sheet = reportSheet(2);
    sheet->ListItem(2)->BackColor = 0x0000FF;
    sheet->ListItem(2)->setText(QStringLiteral("^fett;x\t-\t!5"));
    const PageText page = SheetPageText(*sheet, QStringLiteral("Bericht"), QStringLiteral("06.12.2026"));
    EXPECT_TRUE(page.text.startsWith(QStringLiteral("$Head\r\n$Border 2 2 3\r\n$Font Arial\r\n$Top 1.6\r\n$Size 24\r\n#TITLE\r\n"
                                                     "$Top 2.6\r\n$Size 12\r\n#DATE\r\n$Size 8\r\n$Top 28\r\n"
                                                     "Seite %PAGE von %PAGES Seiten, %DATUM\r\n$Top 4\r\n$Space 0.3\r\n$/Head\r\n")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("$Table 0.05 12.00;4.00R\r\n$TableHead\r\n!RGB:C0C0C0 Name;Betrag\r\n")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("\r\nPosten 1;10,00\r\n")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("\r\n!RGB:0000FF !B fett\\;x;!!5\r\n")));
    EXPECT_TRUE(page.text.endsWith(QStringLiteral("$/Table\r\n")));
    EXPECT_EQ(page.repl, QStringLiteral("TITLE=Bericht\r\nDATE=06.12.2026"));

    // Only shown rows: a child of a collapsed row stays out, an open one is indented.
    sheet->AddItem(QStringLiteral("Kind\t\t1"));
    sheet->SetIndent(3, 1);
    EXPECT_FALSE(SheetPageText(*sheet, {}, {}).text.contains(QStringLiteral("Kind")));
    sheet->ListItem(2)->Expanded = true;
    EXPECT_TRUE(SheetPageText(*sheet, {}, {}).text.contains(QStringLiteral("\r\n!T0.4 Kind;1\r\n")));
}

// The builder's report: title, date, footer and a head row repeated on every page; cells
// holding codes print as typed.
TEST(PageRenderer, SheetReportLaysOutTitleFooterAndRepeatedHeadRow)
{
    auto sheet = reportSheet(120);
    sheet->ListItem(1)->setText(QStringLiteral("a;b !x $y {z\t\t1"));
    const PageText text = SheetPageText(*sheet, QStringLiteral("Bericht"), QStringLiteral("06.12.2026"));
    const std::vector<Page> pages = printPages(text.text, text.repl);
    ASSERT_EQ(pages.size(), 3u);

    const DrawOp *title = findText(pages[0], QStringLiteral("Bericht"));
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->rect.top(), 1.6, 1e-9);
    EXPECT_EQ(title->fontName, QStringLiteral("Arial"));
    EXPECT_EQ(title->fontSize, 24);
    const DrawOp *footer = findText(pages[0], QStringLiteral("Seite 1 von 3 Seiten, 06.12.2026"));
    ASSERT_TRUE(footer);
    EXPECT_NEAR(footer->rect.top(), 28, 1e-9);
    EXPECT_TRUE(findText(pages[2], QStringLiteral("Seite 3 von 3 Seiten, 06.12.2026")));
    EXPECT_TRUE(findText(pages[0], QStringLiteral("a;b !x $y {z")));
    EXPECT_FALSE(wordsOf(pages[0]).contains(QStringLiteral("geheim")));

    for (const Page &page : pages) {
        const DrawOp *head = findText(page, QStringLiteral("Name"));
        ASSERT_TRUE(head);
        EXPECT_NEAR(head->rect.top(), 4 + 0.05, 1e-9);
        bool grayRow = false;
        for (const DrawOp &op : page)
            grayRow = grayRow || (op.kind == DrawOp::FilledBox && op.fillColor == 0xC0C0C0 && std::abs(op.rect.top() - 4) < 1e-9);
        EXPECT_TRUE(grayRow);
        for (const DrawOp &op : textsOf(page)) {
            if (op.rect.top() < 28) // the footer stands below the bottom border on purpose
                EXPECT_LE(op.rect.top(), 29.7 - 3) << op.text.toStdString();
        }
    }
}

TEST(PageRenderer, AnyPageAloneEqualsThePageOfAFullPass)
{
    QString txt = QStringLiteral("$Head\r\n$Top 1\r\nKopf %PAGE\r\n$Top 3\r\n$/Head\r\n$summe 2\r\n$Table 0.1 4;3R\r\n$TableHead\r\nText;Betrag\r\n");
    for (int i = 1; i <= 200; ++i)
        txt += QStringLiteral("Zeile %1;%1,50\r\n").arg(i);
    txt += QStringLiteral("Summe;=SUMME\r\n$/Table\r\n");
    txt += QStringLiteral("Ein langer Absatz, der umbrechen muss, weil er viel zu lang für eine Zeile ist, ") .repeated(30);
    const std::vector<Page> pages = printPages(txt);
    ASSERT_GE(pages.size(), 3u);

    const PageDocument document(txt);
    PageRenderer renderer(document, {fixedClock.date(), fixedClock.time()});
    renderer.countPages();
    for (int k : {int(pages.size()), 2, 1}) {
        Canvas canvas(nullptr, ScaleMode::Centimeters);
        canvas.setRecording(true, false);
        renderer.drawPage(k, canvas);
        SCOPED_TRACE(k);
        EXPECT_EQ(wordsOf(canvas.recording()), wordsOf(pages[k - 1]));
    }
    // The sum of 1,50 + 2,50 + … + 200,50
    bool sumFound = false;
    for (const Page &page : pages)
        sumFound = sumFound || findText(page, QStringLiteral("20.200,00"));
    EXPECT_TRUE(sumFound);
}

TEST(PageRenderer, ConditionsRepeatLinesPrintPageAndVariables)
{
    const QString txt = QStringLiteral("$if 2 > 1\r\nja\r\n$elseif 1\r\nnein1\r\n$else\r\nnein2\r\n$endif\r\n"
                                       "$if 0\r\nnein3\r\n$else\r\nsonst\r\n$endif\r\nimmer\r\n"
                                       "{3}Nr %\r\n$printpage\r\n%PAGES/%PAGE %DATUM %TIME\r\n$page\r\nzwei\r\n$printpage");
    const std::vector<Page> pages = printPages(txt);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(wordsOf(pages[0]), (QStringList{QStringLiteral("ja"), QStringLiteral("sonst"), QStringLiteral("immer"),
                                              QStringLiteral("Nr 1"), QStringLiteral("Nr 2"), QStringLiteral("Nr 3"),
                                              QStringLiteral("2/1 06.12.2026 10:30:00")}));
    EXPECT_EQ(wordsOf(pages[1]), (QStringList{QStringLiteral("zwei"), QStringLiteral("- Seite 2 - ")}));
}

TEST(PageRenderer, InvoiceLoopFormulasAndSums)
{
    const QString txt = QStringLiteral("$summe 4\r\n$Table 0.05 1 5;2R;2R;3R\r\n$LOOP ART\r\n{\r\n#ART;#MENGE(#);#PREIS(#);=MULT:C2:C3\r\n}\r\n"
                                       ";;Netto;=SUMME\r\n;;MwSt;=MWST:C3:19\r\n$/Table");
    const std::vector<Page> pages = printPages(txt, QStringLiteral("ART=Stift;Block\r\nMENGE=2;3\r\nPREIS=1,50;1.000,00"));
    ASSERT_EQ(pages.size(), 1u);
    const QStringList words = wordsOf(pages[0]);
    EXPECT_TRUE(words.contains(QStringLiteral("3,00")));
    EXPECT_TRUE(words.contains(QStringLiteral("3.000,00")));
    EXPECT_TRUE(words.contains(QStringLiteral("3.003,00")));
    int gridLines = 0;
    for (const DrawOp &op : pages[0])
        gridLines += op.kind == DrawOp::Line;
    EXPECT_EQ(gridLines, 4); // one under each row
}

TEST(PageRenderer, BadInputNeverHangsOrDrawsNaN)
{
    const char *const texts[] = {
        "$paper 0 0\r\n$size 500\r\nriesig",
        "$border 0 0 30\r\nkein Platz für Text",
        "$size 500\r\n$space 100 100\r\na\r\nb\r\nc",
        "Wortohneendeundohneleerzeichendasvielbreiteristalsdiezeilebreitseinkannwortwortwortwortwortwortwort"
        "Wortohneendeundohneleerzeichendasvielbreiteristalsdiezeilebreitseinkannwortwortwortwortwortwortwort",
        "$table 0.1 1000000;0;-5\r\na;b;c;d\r\n$line x/0 y*1e400 nan inf 99999",
        "$logo fehlt.png 1 1 50% \r\n$point x y\r\n{1000}$page",
        "$head\r\n$page\r\n$head\r\n$/head\r\nx",
    };
    for (const char *t : texts) {
        SCOPED_TRACE(t);
        for (const Page &page : printPages(QString::fromUtf8(t))) {
            for (const DrawOp &op : page) {
                EXPECT_TRUE(std::isfinite(op.rect.left()) && std::isfinite(op.rect.top()));
                EXPECT_TRUE(std::isfinite(op.rect.width()) && std::isfinite(op.rect.height()));
                EXPECT_NE(op.kind, DrawOp::Picture);
            }
        }
    }
    // A word wider than the line is cut with "...".
    const std::vector<Page> cut = printPages(QString::fromUtf8(texts[3]));
    ASSERT_EQ(cut.size(), 1u);
    ASSERT_EQ(textsOf(cut[0]).size(), 1u);
    EXPECT_TRUE(textsOf(cut[0]).front().text.endsWith(QStringLiteral("...")));
}

TEST(PageRenderer, TextWrapsAtTheRightBorderAndKeepsCodes)
{
    const std::vector<Page> pages = printPages(
        QStringLiteral("$border 2 2 15\r\neins zwei drei vier fünf sechs sieben acht\r\n!B fett !B normal !T3R rechts\r\n!!Ausruf"));
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<DrawOp> texts = textsOf(pages[0]);
    ASSERT_GE(texts.size(), 5u);
    EXPECT_LT(texts[0].rect.top(), texts[1].rect.top()); // wrapped
    for (const DrawOp &op : texts)
        EXPECT_LE(op.rect.right(), 21 - 15 + 0.15) << op.text.toStdString();
    const DrawOp *bold = findText(pages[0], QStringLiteral("fett"));
    ASSERT_TRUE(bold);
    EXPECT_TRUE(bold->bold);
    const DrawOp *right = findText(pages[0], QStringLiteral("rechts"));
    ASSERT_TRUE(right);
    EXPECT_NEAR(right->rect.left() + right->rect.width(), 5, 0.05);
    EXPECT_TRUE(findText(pages[0], QStringLiteral("!Ausruf")));
}

// The header's settings last for the header: a body paragraph running onto the next page
// keeps its own font there, and right-aligned `top` text ends at its position.
TEST(PageRenderer, HeaderSettingsDoNotLeakIntoTheBody)
{
    const QString txt = QStringLiteral("$head\r\n$font Arial\r\n$size 8\r\n$top 1\r\nKopf\r\n$top 3\r\n$/head\r\n"
                                       "$font Courier New\r\n$size 12\r\n$top 3 18 R\r\nRechts\r\n$top 4\r\n")
        + QStringLiteral("wort ").repeated(3000);
    const std::vector<Page> pages = printPages(txt);
    ASSERT_GE(pages.size(), 2u);
    const DrawOp *right = findText(pages[0], QStringLiteral("Rechts"));
    ASSERT_TRUE(right);
    EXPECT_NEAR(right->rect.right(), 18, 0.1);
    const std::vector<DrawOp> second = textsOf(pages[1]);
    ASSERT_GE(second.size(), 2u);
    EXPECT_EQ(second[0].text, QStringLiteral("Kopf"));
    EXPECT_EQ(second[0].fontName, QStringLiteral("Arial"));
    EXPECT_EQ(second[1].fontName, QStringLiteral("Courier New"));
    EXPECT_EQ(second[1].fontSize, 12);
    EXPECT_NEAR(second[1].rect.top(), 3, 1e-9);
}
