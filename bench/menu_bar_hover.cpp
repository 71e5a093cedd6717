// A mouse moving over a menu bar only looks up the item under it: the bar's layout is
// computed once per change of items, style, size or font. The peer is that layout itself,
// built from the bar's items with the bar's own measuring: a mouse move that rebuilt it
// would cost at least as much. Both run for bars of 10 to 1,000 items; the moves should
// look up the item under the mouse by a scan over the placed boxes, far below the
// cost of placing them.

#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/MenuModel_p.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/Canvas.h>

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace velk;

namespace {

QString definition(int items)
{
    QStringList parts;
    for (int i = 0; i < items; ++i)
        parts << (i % 5 == 4 ? QStringLiteral("-") : QStringLiteral("save#Eintrag %1").arg(i));
    return parts.join(u',');
}

constexpr int kBarWidth = 120000;

void BM_MenuBarMouseMove(benchmark::State &state)
{
    const int n = int(state.range(0));
    velkMenuBar bar;
    bar.resize(kBarWidth, 26);
    bar.setMenu(definition(n));
    bar.MouseMove(0, 0, 5, 10); // the layout is made here, once
    int x = 0;
    for (auto _ : state) {
        x = (x + 37) % 2000;
        bar.MouseMove(0, 0, float(x), 10);
    }
    state.SetComplexityN(n);
}

void BM_MenuBarLayoutPeer(benchmark::State &state)
{
    const int n = int(state.range(0));
    const MenuModel model(definition(n));
    QWidget font;
    for (auto _ : state) {
        Canvas measure(nullptr, ScaleMode::Pixels);
        measure.setFont(font.font());
        MenuLayoutOptions options{0, QSize(kBarWidth, 26), [&measure](const QString &s) { return measure.TextWidth(s); }};
        const MenuLayout layout(model, options);
        benchmark::DoNotOptimize(layout.hitTest(QPointF(5, 10)).id);
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_MenuBarMouseMove)->RangeMultiplier(10)->Range(10, 1000)->Complexity(benchmark::oN);
BENCHMARK(BM_MenuBarLayoutPeer)->RangeMultiplier(10)->Range(10, 1000)->Complexity(benchmark::oN);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
