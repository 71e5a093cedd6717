// Painting one screen of a sheet of 1,000 and of 1,000,000 rows (the cost must not grow
// with the list), against QTreeView::grab() of the same visible rows from a
// QStandardItemModel; and End/Home on a tree of collapsed parents, where the shown rows
// come from a cache instead of a scan of the list per key.

#include "sheet_bench.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTreeView>

#include <map>
#include <memory>

using namespace velk;

namespace {

const QSize screen(800, 600);

// Sheets built once per size and kind (filling a million rows is not what is measured),
// closed while the application still exists.
std::map<int, std::unique_ptr<velkSheet>> &kept(int kind)
{
    static std::map<int, std::map<int, std::unique_ptr<velkSheet>>> sheets;
    static const bool cleanup = (qAddPostRoutine([] { sheets.clear(); }), true);
    (void)cleanup;
    return sheets[kind];
}

velkSheet &sheetOf(int rows)
{
    auto &sheet = kept(0)[rows];
    if (!sheet) {
        sheet = std::make_unique<velkSheet>();
        sheet->resize(screen);
        sheet->setColumns(QStringLiteral("Name:3000,Text:2500,Betrag:1500r,Rest:*"));
        sheet->setFlags(QStringLiteral("singleselect zebra"));
        sheet->setRedraw(false);
        const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(rows));
        for (const QString &line : lines)
            sheet->AddItem(line);
        sheet->setRedraw(true);
        sheet->setSelectedIndex(3);
        sheet->show();
        QApplication::processEvents();
    }
    return *sheet;
}

void BM_Sheet_GrabScreen(benchmark::State &state)
{
    velkSheet &sheet = sheetOf(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.grab());
}
BENCHMARK(BM_Sheet_GrabScreen)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The list alone, on an image: no widgets, no scroll bars.
void BM_Sheet_PaintList(benchmark::State &state)
{
    velkSheet &sheet = sheetOf(int(state.range(0)));
    QImage image(screen, QImage::Format_RGB32);
    for (auto _ : state) {
        Canvas canvas(&image);
        SheetInternals::paintList(sheet, canvas);
    }
}
BENCHMARK(BM_Sheet_PaintList)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_QTreeView_Grab(benchmark::State &state)
{
    // Only the rows on the screen matter to the view's painting; the model holds as many
    // as the sheet for the smaller size.
    const std::vector<QStringList> cells = sheetbench::makeCells(int(state.range(0)));
    QStandardItemModel model(0, 4);
    model.setHorizontalHeaderLabels({"Name", "Text", "Betrag", "Rest"});
    for (const QStringList &c : cells) {
        QList<QStandardItem *> items;
        for (const QString &text : c)
            items << new QStandardItem(text);
        items[2]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items << new QStandardItem();
        model.appendRow(items);
    }
    QTreeView view;
    view.setModel(&model);
    view.setRootIsDecorated(false);
    view.setAlternatingRowColors(true);
    view.setUniformRowHeights(true);
    view.resize(screen);
    view.header()->resizeSection(0, 200);
    view.header()->resizeSection(1, 166);
    view.header()->resizeSection(2, 100);
    view.setCurrentIndex(model.index(2, 0));
    view.show();
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(view.grab());
}
BENCHMARK(BM_QTreeView_Grab)->Arg(1000)->Unit(benchmark::kMillisecond);

// A tree of `rows` rows: every hundredth a collapsed parent of the 99 after it.
velkSheet &treeOf(int rows)
{
    auto &sheet = kept(1)[rows];
    if (!sheet) {
        sheet = std::make_unique<velkSheet>();
        sheet->resize(screen);
        sheet->setFlags(QStringLiteral("singleselect"));
        for (int k = 0; k < rows; ++k)
            SheetInternals::state(*sheet).model().addItem(QStringLiteral("Dokument %1").arg(k), QString(), k % 100 == 0 ? 0 : 1, false);
        sheet->Refresh();
        sheet->setSelectedIndex(1);
    }
    return *sheet;
}

void BM_Sheet_TreeEndHome(benchmark::State &state)
{
    velkSheet &sheet = treeOf(int(state.range(0)));
    sheet.setTopIndex(sheet.Count()); // scrolled to the end first
    SheetInput &input = SheetInternals::input(sheet);
    for (auto _ : state) {
        input.KeyDown(KeyCode::End, 0);
        input.KeyDown(KeyCode::Home, 0);
    }
    if (sheet.SelectedIndex() != 1)
        state.SkipWithError("Home did not reach the first row");
}
BENCHMARK(BM_Sheet_TreeEndHome)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// 10,000 reads of TopIndex and VisibleLines after one change: the geometry is worked out
// once for the change and then only read, so the reads cost the same on any list. The
// counter "layouts" is how often the geometry was worked out per 10,000 calls.
void BM_Sheet_TopIndexVisibleLines(benchmark::State &state)
{
    velkSheet &sheet = sheetOf(int(state.range(0)));
    const SheetState &sheetState = SheetInternals::state(sheet);
    quint64 layouts = 0;
    int top = 1;
    for (auto _ : state) {
        state.PauseTiming();
        top = top % 50 + 1;
        sheet.setTopIndex(top); // one change per round
        const quint64 before = sheetState.layoutCount();
        state.ResumeTiming();
        for (int k = 0; k < 5000; ++k) {
            benchmark::DoNotOptimize(sheet.TopIndex());
            benchmark::DoNotOptimize(sheet.VisibleLines());
        }
        layouts += sheetState.layoutCount() - before;
    }
    state.counters["layouts"] = benchmark::Counter(double(layouts), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Sheet_TopIndexVisibleLines)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv, {{"BM_Sheet_GrabScreen", "BM_QTreeView_Grab"}},
                           {{"BM_Sheet_GrabScreen", "1000", "1000000"},
                            {"BM_Sheet_PaintList", "1000", "1000000"},
                            {"BM_Sheet_TreeEndHome", "1000", "1000000"},
                            {"BM_Sheet_TopIndexVisibleLines", "1000", "1000000"}});
}
