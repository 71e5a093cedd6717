// Sorting a sheet by a text column and by an amount column ("1.234,50"), with
// QTreeWidget::sortItems sorting the same rows. The tree widget's amount items carry the
// parsed value already (parsed while building, outside the timing), so the peer is not
// charged for reading German numbers; the sheet reads them during its sort. Two peers
// for the amount: items keeping the value in their data (a QVariant per comparison), and
// the strongest, items keeping it as a plain double member compared directly.

#include "sheet_bench.h"

#include <velk/common/StringHelpers.h>
#include <velk/sheet/velkSheet.h>

#include <QTreeWidget>

#include <memory>

using namespace velk;

namespace {

constexpr int MinRows = 1 << 14;
constexpr int MaxRows = 1 << 20;
constexpr int TextColumn = 1;
constexpr int AmountColumn = 3;

class AmountItem : public QTreeWidgetItem
{
public:
    explicit AmountItem(const QStringList &cells) : QTreeWidgetItem(cells)
    {
        setData(AmountColumn - 1, Qt::UserRole, ParseNumber(cells[AmountColumn - 1]));
    }
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int col = treeWidget()->sortColumn();
        if (col == AmountColumn - 1)
            return data(col, Qt::UserRole).toDouble() < other.data(col, Qt::UserRole).toDouble();
        return QTreeWidgetItem::operator<(other);
    }
};

class CachedAmountItem : public QTreeWidgetItem
{
public:
    explicit CachedAmountItem(const QStringList &cells)
        : QTreeWidgetItem(cells)
        , m_amount(ParseNumber(cells[AmountColumn - 1]))
    {
    }
    bool operator<(const QTreeWidgetItem &other) const override
    {
        if (treeWidget()->sortColumn() == AmountColumn - 1)
            return m_amount < static_cast<const CachedAmountItem &>(other).m_amount;
        return QTreeWidgetItem::operator<(other);
    }

private:
    double m_amount;
};

void sheetSort(benchmark::State &state, int column)
{
    const int n = int(state.range(0));
    const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(n));
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = std::make_unique<velkSheet>();
        sheet->setColumns(QStringLiteral("Name:2000,Text:2000,Betrag:*r"));
        for (const QString &line : lines)
            sheet->AddItem(line);
        state.ResumeTiming();
        sheet->QuickSort(column, 1);
        benchmark::DoNotOptimize(sheet->ListItem(1)->Index());
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

template<typename Item> void treeWidgetSort(benchmark::State &state, int column)
{
    const int n = int(state.range(0));
    const std::vector<QStringList> cells = sheetbench::makeCells(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<QTreeWidget>();
        tree->setColumnCount(3);
        QList<QTreeWidgetItem *> items;
        for (const QStringList &c : cells)
            items.append(new Item(c));
        tree->addTopLevelItems(items);
        state.ResumeTiming();
        tree->sortItems(column - 1, Qt::AscendingOrder);
        benchmark::DoNotOptimize(tree->topLevelItem(0));
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}

void BM_Sheet_QuickSortText(benchmark::State &state) { sheetSort(state, TextColumn); }
void BM_Sheet_QuickSortAmount(benchmark::State &state) { sheetSort(state, AmountColumn); }
void BM_QTreeWidget_SortText(benchmark::State &state) { treeWidgetSort<AmountItem>(state, TextColumn); }
void BM_QTreeWidget_SortAmount(benchmark::State &state) { treeWidgetSort<AmountItem>(state, AmountColumn); }
void BM_QTreeWidget_SortAmountCached(benchmark::State &state)
{
    treeWidgetSort<CachedAmountItem>(state, AmountColumn);
}

#define SORT_RANGE ->RangeMultiplier(4)->Range(MinRows, MaxRows)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN)
BENCHMARK(BM_Sheet_QuickSortText) SORT_RANGE;
BENCHMARK(BM_QTreeWidget_SortText) SORT_RANGE;
BENCHMARK(BM_Sheet_QuickSortAmount) SORT_RANGE;
BENCHMARK(BM_QTreeWidget_SortAmount) SORT_RANGE;
BENCHMARK(BM_QTreeWidget_SortAmountCached) SORT_RANGE;

// Sorting the same column again reverses it: the input is then in the opposite order,
// the case a plain last-element quicksort handles worst.
void BM_Sheet_QuickSortTextTwice(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<QString> lines = sheetbench::joined(sheetbench::makeCells(n));
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = std::make_unique<velkSheet>();
        sheet->setColumns(QStringLiteral("Name:2000,Text:2000,Betrag:*r"));
        for (const QString &line : lines)
            sheet->AddItem(line);
        sheet->QuickSort(2);
        state.ResumeTiming();
        sheet->QuickSort(2);
        state.PauseTiming();
        sheet.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_Sheet_QuickSortTextTwice) SORT_RANGE;

} // namespace

int main(int argc, char **argv)
{
    return sheetbench::run(argc, argv,
                           {{"BM_Sheet_QuickSortText", "BM_QTreeWidget_SortText"},
                            {"BM_Sheet_QuickSortAmount", "BM_QTreeWidget_SortAmount"},
                            {"BM_Sheet_QuickSortAmount", "BM_QTreeWidget_SortAmountCached"}});
}
