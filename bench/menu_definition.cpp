// A menu definition of N items: parsing it, laying it out and replacing its last item must
// each cost O(N), like one QString::split over the same text (the peer).

#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/MenuModel_p.h>

#include <QStringList>

#include <benchmark/benchmark.h>

using namespace velk;

namespace {

QString definition(int items)
{
    static const QString kinds[] = {QStringLiteral("save#Speichern#v"), QStringLiteral("-"),
                                    QStringLiteral("$text:feld"), QStringLiteral("Drucken")};
    QString s;
    s.reserve(items * 16);
    for (int i = 0; i < items; ++i) {
        if (i > 0)
            s += u',';
        s += kinds[i % 4];
    }
    return s;
}

void BM_MenuModelParse(benchmark::State &state)
{
    const QString text = definition(int(state.range(0)));
    for (auto _ : state) {
        MenuModel model(text);
        benchmark::DoNotOptimize(model.Count());
    }
    state.SetComplexityN(state.range(0));
}

void BM_QStringSplitPeer(benchmark::State &state)
{
    const QString text = definition(int(state.range(0)));
    for (auto _ : state) {
        const QStringList items = text.split(u',');
        benchmark::DoNotOptimize(items.size());
    }
    state.SetComplexityN(state.range(0));
}

void BM_SetItemLast(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString text = definition(n);
    for (auto _ : state) {
        const QString replaced = MenuModel::withItemReplaced(text, n, QStringLiteral("neu"));
        benchmark::DoNotOptimize(replaced.size());
    }
    state.SetComplexityN(state.range(0));
}

void BM_MenuLayout(benchmark::State &state)
{
    const MenuModel model(definition(int(state.range(0))));
    const MenuLayoutOptions options{0, QSize(100000, 24), [](const QString &s) { return 6.0 * s.size(); }};
    for (auto _ : state) {
        const MenuLayout layout(model, options);
        benchmark::DoNotOptimize(layout.MenuWidth());
    }
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(BM_MenuModelParse)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_QStringSplitPeer)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);
BENCHMARK(BM_SetItemLast)->RangeMultiplier(10)->Range(100, 30000)->Complexity(benchmark::oN);
BENCHMARK(BM_MenuLayout)->RangeMultiplier(10)->Range(100, 100000)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
