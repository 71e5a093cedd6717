// The page description language: laying out 1,000 and 10,000 table pages (the cost per
// page must stay the same), PDF output against QPdfWriter drawing the same texts and
// lines directly, and the preview's GotoPage(1000) against GotoPage(1).

#include "../src/velk/preview/PageScript_p.h"

#include <velk/platform/Printer.h>
#include <velk/preview/PagePrint.h>
#include <velk/preview/velkPreView.h>

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace velk;

namespace {

constexpr int rowsPerPage = 50;

// A report of `pages` table pages: header block, head row, five columns per row.
QString tableText(int pages)
{
    QString text = QStringLiteral("$Head\r\n$Border 2 2 3\r\n$Font Arial\r\n$Top 1.6\r\n$Size 24\r\nBericht\r\n$Size 8\r\n$Top 28\r\n"
                                  "Seite %PAGE von %PAGES Seiten\r\n$Top 4\r\n$/Head\r\n$Table 0.05 1 1.5R;6;3;2.5;3R\r\n$TableHead\r\n"
                                  "!RGB:C0C0C0 Nr;Titel;Thema;Datum;Betrag\r\n");
    const int rows = pages * rowsPerPage;
    text.reserve(text.size() + rows * 64);
    for (int i = 1; i <= rows; ++i)
        text += QStringLiteral("%1;Schreiben an Kunde %2;Korrespondenz;03.03.2026;%3,50\r\n").arg(i).arg(i % 97).arg(i % 5000);
    return text + QStringLiteral("$/Table\r\n");
}

const QString &cachedText(int pages)
{
    static std::map<int, QString> texts;
    auto it = texts.find(pages);
    if (it == texts.end())
        it = texts.emplace(pages, tableText(pages)).first;
    return it->second;
}

void BM_LayoutTablePages(benchmark::State &state)
{
    const PageDocument document(cachedText(int(state.range(0))));
    for (auto _ : state) {
        PageRenderer renderer(document);
        benchmark::DoNotOptimize(renderer.countPages());
    }
    state.SetComplexityN(state.range(0));
    state.counters["per_page_us"] = benchmark::Counter(double(state.range(0)) * 1e-6,
                                                       benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LayoutTablePages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

constexpr int pdfPages = 50;

void BM_PdfOutput_velk(benchmark::State &state)
{
    QTemporaryDir dir;
    PdfPrinter printer(dir.filePath(QStringLiteral("out.pdf")));
    const QString &text = cachedText(pdfPages);
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintPageText(text, {}, printer));
    state.SetItemsProcessed(state.iterations() * pdfPages);
}
BENCHMARK(BM_PdfOutput_velk)->Unit(benchmark::kMillisecond);

// The peer: the same pages drawn straight onto a QPdfWriter, positions computed inline.
void BM_PdfOutput_QPdfWriter(benchmark::State &state)
{
    QTemporaryDir dir;
    const double widths[] = {1.5, 6, 3, 2.5, 3};
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("peer.pdf")));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        const double dpcm = writer.resolution() / 2.54;
        QFont title(QStringLiteral("Arial"));
        title.setPointSize(24);
        QFont small(QStringLiteral("Arial"));
        small.setPointSize(8);
        const double row = 0.42;
        int n = 1;
        for (int page = 1; page <= pdfPages; ++page) {
            if (page > 1)
                writer.newPage();
            p.setFont(title);
            p.drawText(QPointF(2 * dpcm, 2.4 * dpcm), QStringLiteral("Bericht"));
            p.setFont(small);
            p.drawText(QPointF(2 * dpcm, 28.3 * dpcm), QStringLiteral("Seite %1 von %2 Seiten").arg(page).arg(pdfPages));
            double y = 4;
            p.fillRect(QRectF(2 * dpcm, y * dpcm, 16 * dpcm, row * dpcm), QColor(192, 192, 192));
            for (int r = 0; r <= rowsPerPage; ++r, ++n) {
                const QStringList cells = r == 0 ? QStringList{QStringLiteral("Nr"), QStringLiteral("Titel"), QStringLiteral("Thema"), QStringLiteral("Datum"), QStringLiteral("Betrag")}
                                                 : QStringList{QString::number(n), QStringLiteral("Schreiben an Kunde %1").arg(n % 97), QStringLiteral("Korrespondenz"), QStringLiteral("03.03.2026"), QStringLiteral("%1,50").arg(n % 5000)};
                double x = 2;
                for (int c = 0; c < 5; ++c) {
                    p.drawText(QPointF((x + 0.05) * dpcm, (y + 0.35) * dpcm), cells[c]);
                    x += widths[c];
                }
                y += row;
                p.drawLine(QPointF(2 * dpcm, y * dpcm), QPointF(18 * dpcm, y * dpcm));
            }
        }
        p.end();
    }
    state.SetItemsProcessed(state.iterations() * pdfPages);
}
BENCHMARK(BM_PdfOutput_QPdfWriter)->Unit(benchmark::kMillisecond);

void BM_PreviewGotoPage(benchmark::State &state)
{
    static velkPreView *view = [] {
        auto *v = new velkPreView;
        v->Init(cachedText(1100), {}); // rows fit a little denser than 50 a page
        return v;
    }();
    const int page = int(state.range(0));
    if (page > view->Pages()) {
        state.SkipWithError("the document is shorter");
        return;
    }
    for (auto _ : state)
        view->GotoPage(page);
}
BENCHMARK(BM_PreviewGotoPage)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
