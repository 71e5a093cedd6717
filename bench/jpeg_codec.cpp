// Decoding and encoding a 12-megapixel photo: velkJPG beside libjpeg-turbo called
// directly with the same settings (BGR output, quality 90, the library's defaults
// otherwise) and beside QImage's JPEG plugin. Prints the ratios after the runs.

#include "picture_bench.h"

#include <velk/preview/velkJPG_p.h>

#include <QCoreApplication>
#include <QImage>

#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

// One decode the plain way: the same calls velkJPG's codec makes, without its checks.
bool libjpegDecode(const QByteArray &fileName, std::unique_ptr<unsigned char[]> &buffer, int &w, int &h)
{
    FILE *file = std::fopen(fileName.constData(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    w = int(info.output_width);
    h = int(info.output_height);
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
    buffer.reset(new unsigned char[stride * size_t(h)]); // not cleared: every row is decoded
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[16];
        const unsigned n = std::min(16u, info.output_height - info.output_scanline);
        for (unsigned i = 0; i < n; ++i)
            rows[i] = buffer.get() + (info.output_scanline + i) * stride;
        jpeg_read_scanlines(&info, rows, n);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return true;
}

bool libjpegEncode(const QByteArray &fileName, const unsigned char *bgr, int w, int h, size_t stride)
{
    FILE *file = std::fopen(fileName.constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[16];
        const unsigned n = std::min(16u, info.image_height - info.next_scanline);
        for (unsigned i = 0; i < n; ++i)
            rows[i] = const_cast<unsigned char *>(bgr) + (info.next_scanline + i) * stride;
        jpeg_write_scanlines(&info, rows, n);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

QString outFile() { return QDir::temp().filePath(QStringLiteral("velk-bench-out.jpg")); }

bool havePhoto(benchmark::State &state)
{
    if (!photo12MP().isEmpty())
        return true;
    state.SkipWithError("mate-backgrounds is not installed");
    return false;
}

void velkJPG_LoadJPG(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    velk::velkJPG jpg;
    for (auto _ : state) {
        if (!jpg.LoadJPG(photo12MP()))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(jpg.DIBits());
    }
}

void libjpeg_decode(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    const QByteArray name = QFile::encodeName(photo12MP());
    std::unique_ptr<unsigned char[]> buffer;
    int w = 0, h = 0;
    for (auto _ : state) {
        buffer.reset(); // a fresh buffer per picture, as velkJPG makes
        libjpegDecode(name, buffer, w, h);
        benchmark::DoNotOptimize(buffer.get());
    }
}

void QImage_load(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    for (auto _ : state) {
        QImage image(photo12MP(), "JPEG");
        benchmark::DoNotOptimize(image.constBits());
    }
}

void velkJPG_SaveJPG(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    velk::velkJPG jpg;
    jpg.LoadJPG(photo12MP());
    for (auto _ : state) {
        if (!jpg.SaveJPG(outFile(), 90))
            state.SkipWithError("encode failed");
    }
}

void libjpeg_encode(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    velk::velkJPG jpg;
    jpg.LoadJPG(photo12MP());
    const QByteArray name = QFile::encodeName(outFile());
    for (auto _ : state)
        libjpegEncode(name, jpg.DIBits(), jpg.Width(), jpg.Height(), size_t(jpg.BytesPerScanLine()));
}

void QImage_save(benchmark::State &state)
{
    if (!havePhoto(state))
        return;
    const QImage image(photo12MP());
    for (auto _ : state)
        image.save(outFile(), "JPEG", 90);
}

} // namespace

BENCHMARK(velkJPG_LoadJPG)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(libjpeg_decode)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(QImage_load)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(velkJPG_SaveJPG)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(libjpeg_encode)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(QImage_save)->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    photo12MP(); // made before the runs, not inside one
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nCPU time ratios on the 12-megapixel photo (below 1: ours is faster):\n");
    reporter.printRatio("velkJPG_LoadJPG", "libjpeg_decode", 1.1);
    reporter.printRatio("velkJPG_LoadJPG", "QImage_load", 1.1);
    reporter.printRatio("velkJPG_SaveJPG", "libjpeg_encode", 1.1);
    reporter.printRatio("velkJPG_SaveJPG", "QImage_save", 1.1);
    benchmark::Shutdown();
    return 0;
}
