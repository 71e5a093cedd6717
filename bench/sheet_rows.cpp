// Filling and emptying a sheet, with QTreeWidget and QStandardItemModel doing the same
// fill. Each fill benchmark also reports the heap it leaves per row ("bytes_per_row";
// the texts are shared with the input and not counted on either side).

#include "sheet_bench.h"

#include <velk/sheet/velkSheet.h>

#include <QStandardItemModel>
#include <QTreeWidget>

#include <memory>

using namespace velk;

namespace {

constexpr int MinRows = 1 << 12;
constexpr int MaxRows = 1 << 20;

template<typename Build>
void reportBytesPerRow(benchmark::State &state, int rows, Build build)
{
    const size_t before = sheetbench::heapInUse();
    auto kept = build();
    state.counters["bytes_per_row"] = double(sheetbench::heapInUse() - before) / rows;
}

std::unique_ptr<velkSheet> fillSheet(const std::vector<QString> &lines)
{
    auto sheet = std::make_unique<velkSheet>();
    for (const QString &line : lines)
        sheet->AddItem(line);
    return sheet;
}

void BM_Sheet_AddItem(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(n));
    for (auto _ : state) {
        auto sheet = fillSheet(lines);
        // Index and links are settled when read; reading the last row makes that count.
        benchmark::DoNotOptimize(sheet->ListItem(n)->PrevSibling());
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    reportBytesPerRow(state, n, [&] { return fillSheet(lines); });
    state.SetComplexityN(n);
}
BENCHMARK(BM_Sheet_AddItem)->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

std::unique_ptr<QTreeWidget> fillTreeWidget(const std::vector<QStringList> &cells)
{
    auto tree = std::make_unique<QTreeWidget>();
    tree->setColumnCount(3);
    QList<QTreeWidgetItem *> items;
    items.reserve(qsizetype(cells.size()));
    for (const QStringList &c : cells)
        items.append(new QTreeWidgetItem(c));
    tree->addTopLevelItems(items);
    return tree;
}

void BM_QTreeWidget_AddTopLevelItems(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QStringList> cells = sheetbench::makeCells(n);
    for (auto _ : state) {
        auto tree = fillTreeWidget(cells);
        benchmark::DoNotOptimize(tree->topLevelItem(n - 1));
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    reportBytesPerRow(state, n, [&] { return fillTreeWidget(cells); });
    state.SetComplexityN(n);
}
BENCHMARK(BM_QTreeWidget_AddTopLevelItems)->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

std::unique_ptr<QStandardItemModel> fillItemModel(const std::vector<QStringList> &cells)
{
    auto model = std::make_unique<QStandardItemModel>();
    model->setColumnCount(3);
    for (const QStringList &c : cells)
        model->appendRow({new QStandardItem(c[0]), new QStandardItem(c[1]), new QStandardItem(c[2])});
    return model;
}

void BM_QStandardItemModel_AppendRow(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QStringList> cells = sheetbench::makeCells(n);
    for (auto _ : state) {
        auto model = fillItemModel(cells);
        benchmark::DoNotOptimize(model->item(n - 1));
        state.PauseTiming();
        model.reset();
        state.ResumeTiming();
    }
    reportBytesPerRow(state, n, [&] { return fillItemModel(cells); });
    state.SetComplexityN(n);
}
BENCHMARK(BM_QStandardItemModel_AppendRow)->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

// A tree of `parents` rows with ten children each, then a walk over every link.
void BM_Sheet_AddTree(benchmark::State &state)
{
    const int parents = int(state.range(0));
    for (auto _ : state) {
        auto sheet = std::make_unique<velkSheet>();
        for (int p = 0; p < parents; ++p) {
            sheet->AddItem(QStringLiteral("Ordner"), QString(), 0);
            for (int c = 0; c < 10; ++c)
                sheet->AddItem(QStringLiteral("Dokument"), QString(), 1);
        }
        int children = 0;
        for (const SheetData *row = sheet->ListItem(1).get(); row; row = row->NextSibling())
            for (const SheetData *child = row->FirstChild(); child; child = child->NextSibling())
                ++children;
        if (children != parents * 10)
            state.SkipWithError("wrong tree");
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(parents * 11);
}
BENCHMARK(BM_Sheet_AddTree)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_Sheet_RemoveItemFromEnd(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(n));
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = fillSheet(lines);
        state.ResumeTiming();
        while (sheet->Count() > 0)
            sheet->RemoveItem(sheet->Count());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_Sheet_RemoveItemFromEnd)->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void BM_Sheet_DeleteEverySecondRow(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(n));
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = fillSheet(lines);
        for (int pos = 2; pos <= n; pos += 2)
            sheet->ListItem(pos)->Deleted = true;
        state.ResumeTiming();
        sheet->Delete();
        if (sheet->Count() != n - n / 2)
            state.SkipWithError("wrong count");
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_Sheet_DeleteEverySecondRow)->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv,
                           {{"BM_Sheet_AddItem", "BM_QTreeWidget_AddTopLevelItems"},
                            {"BM_Sheet_AddItem", "BM_QStandardItemModel_AppendRow"}});
}
