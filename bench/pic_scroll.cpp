// velkPicScroll paints only what is visible: a full repaint of the view costs the same
// for a 12-megapixel and a 1-megapixel picture, the fitted (ScaleFlag) view repaints from
// a copy scaled once per size change, and a quarter turn copies the picture once, as
// QImage::transformed does. Prints the ratios after the runs.

#include "picture_bench.h"

#include <velk/frame/velkPicScroll.h>

#include <QApplication>
#include <QImage>
#include <QTransform>

namespace {

const QSize kView(1024, 768);

QString photo1MP()
{
    static const QString path = [] {
        const QString target = QDir::temp().filePath(QStringLiteral("velk-bench-1mp.jpg"));
        const QImage full(photo12MP());
        if (full.isNull())
            return QString();
        return full.copy(QRect(1500, 1000, 1155, 866)).save(target, "JPEG", 90) ? target : QString();
    }();
    return path;
}

void paintView(benchmark::State &state, const QString &file, bool scaled)
{
    if (file.isEmpty()) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    velk::velkPicScroll pic;
    pic.resize(kView);
    pic.setScaleFlag(scaled);
    pic.setFilename(file);
    pic.setAreas(QStringLiteral("100,100,400,300 [a]\r\n500,200,900,700 [b]"));
    // Centred, so that the picture covers the whole view in both sizes.
    const QSize view = pic.ChildPicture()->size();
    pic.setScrollPosition(QPoint((pic.PicWidth() - view.width()) / 2, (pic.PicHeight() - view.height()) / 2));
    QImage target(kView, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        pic.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void PicScroll_paint_12MP(benchmark::State &state) { paintView(state, photo12MP(), false); }
void PicScroll_paint_1MP(benchmark::State &state) { paintView(state, photo1MP(), false); }
void PicScroll_paint_scaled_12MP(benchmark::State &state) { paintView(state, photo12MP(), true); }

void PicScroll_Rotate(benchmark::State &state)
{
    if (photo12MP().isEmpty()) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    velk::velkPicScroll pic;
    pic.resize(kView);
    pic.setFilename(photo12MP());
    for (auto _ : state)
        pic.Rotate(1);
}

void QImage_transformed90(benchmark::State &state)
{
    if (photo12MP().isEmpty()) {
        state.SkipWithError("mate-backgrounds is not installed");
        return;
    }
    velk::velkPicScroll pic; // the same picture in the same format
    pic.setFilename(photo12MP());
    QImage image = pic.picture();
    for (auto _ : state) {
        image = image.transformed(QTransform().rotate(90));
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(PicScroll_paint_12MP)->Unit(benchmark::kMillisecond);
BENCHMARK(PicScroll_paint_1MP)->Unit(benchmark::kMillisecond);
BENCHMARK(PicScroll_paint_scaled_12MP)->Unit(benchmark::kMillisecond);
BENCHMARK(PicScroll_Rotate)->Unit(benchmark::kMillisecond);
BENCHMARK(QImage_transformed90)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    photo1MP(); // made before the runs, not inside one
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios (a full repaint of a 1024 x 768 view; a quarter turn of 12 MP):\n");
    reporter.printRatio("PicScroll_paint_12MP", "PicScroll_paint_1MP", 1.2);
    reporter.printRatio("PicScroll_paint_scaled_12MP", "PicScroll_paint_1MP", 1.2);
    reporter.printRatio("PicScroll_Rotate", "QImage_transformed90", 1.5);
    benchmark::Shutdown();
    return 0;
}
