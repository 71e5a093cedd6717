// Painting a line chart (layout and drawing through Canvas, 3-pixel lines) against
// QPainter::drawPolyline of the same points with the same pen, 10^3 to 10^6 points.

#include <velk/platform/Canvas.h>
#include <velk/views/ChartLayout_p.h>
#include <velk/views/ChartModel_p.h>
#include <velk/views/ChartPainter_p.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kWidthPx = 800;
constexpr int kHeightPx = 500;

double valueAt(int i) { return 50 + 40 * std::sin(i * 0.001) + (i % 7); }

void BM_ChartPaintLines(benchmark::State &state)
{
    const int n = int(state.range(0));
    velk::ChartModel model;
    model.Init(1, n, 1);
    for (int i = 1; i <= n; ++i)
        model.SetData(1, i, valueAt(i));
    QImage image(kWidthPx, kHeightPx, QImage::Format_RGB32);
    for (auto _ : state) {
        velk::Canvas canvas(&image, velk::ScaleMode::Twips);
        canvas.setFontName(QStringLiteral("Arial"));
        canvas.setFontSize(8);
        velk::ChartTextMetrics metrics;
        metrics.width = [&canvas](const QString &t) { return canvas.TextWidth(t); };
        metrics.lineHeight = canvas.TextHeight();
        const velk::ChartPlan plan = velk::ChartLayout::compute(model, QStringLiteral("Umsatz"), canvas.ScaleWidth(),
                                                                canvas.ScaleHeight(), metrics);
        velk::ChartPainter::paint(canvas, plan);
        canvas.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetComplexityN(n);
}

void BM_QPainterDrawPolyline(benchmark::State &state)
{
    const int n = int(state.range(0));
    std::vector<QPointF> points;
    points.reserve(n);
    for (int i = 1; i <= n; ++i)
        points.emplace_back(40 + 700.0 * (i - 1) / (n - 1), 450 - 4 * valueAt(i));
    QImage image(kWidthPx, kHeightPx, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(QPen(Qt::blue, 3));
        p.drawPolyline(points.data(), int(points.size()));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_ChartPaintLines)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_QPainterDrawPolyline)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // fonts for the labels
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
