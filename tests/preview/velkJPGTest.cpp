#include <velk/platform/Canvas.h>
#include <velk/platform/JpegCodec.h>
#include <velk/preview/velkJPG_p.h>

#include "support/TestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include <jpeglib.h>

using namespace velk;

namespace {

// A picture with smooth gradients and a few hard edges: realistic for the codec.
QImage testPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x + y) % 64 < 32 ? 40 : 200));
    return image;
}

QByteArray jpegOf(const QImage &image, int quality = 90)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return data;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(data);
    return path;
}

double psnr(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
            sum += dr * dr + dg * dg + db * db;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

// A CMYK JPEG as print software writes it (Adobe's inverted values): each pixel (c, m, y, k).
QByteArray cmykJpeg(int w, int h, const unsigned char cmyk[4])
{
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(size_t(w) * 4);
    for (int x = 0; x < w; ++x)
        std::copy(cmyk, cmyk + 4, row.begin() + x * 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&info, &r, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray data(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return data;
}

} // namespace

TEST(velkJPG, RowsArePaddedToFourBytes)
{
    velkJPG jpg;
    EXPECT_EQ(jpg.BytesPerScanLine(), 0);
    const int expected[] = {4, 8, 12, 12};
    for (int w = 1; w <= 4; ++w) {
        SCOPED_TRACE(w);
        ASSERT_TRUE(jpg.Create(w, 2));
        EXPECT_EQ(jpg.BytesPerScanLine(), expected[w - 1]);
        EXPECT_EQ(jpg.DIBSection().bytesPerLine(), expected[w - 1]);
        EXPECT_EQ(jpg.DIBits() + jpg.BytesPerScanLine(), jpg.DIBSection().constScanLine(1));
    }
    EXPECT_FALSE(jpg.Create(0, 5));
    EXPECT_EQ(jpg.DIBits(), nullptr);
}

TEST(velkJPG, DecodesAsQtDoesAndRoundTripsAtQuality90)
{
    QTemporaryDir dir;
    // Odd widths exercise the row padding; a grey picture the one-channel path.
    for (const QSize size : {QSize(101, 37), QSize(64, 64), QSize(3, 1)}) {
        SCOPED_TRACE(size.width());
        const QImage source = testPicture(size.width(), size.height());
        const QString path = writeFile(dir, QStringLiteral("a.jpg"), jpegOf(source));
        velkJPG jpg;
        ASSERT_TRUE(jpg.LoadJPG(path));
        const QImage qtDecoded = QImage(path).convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(psnr(jpg.DIBSection(), qtDecoded), 45.0); // same decoder, up to IDCT rounding
        const QString saved = dir.filePath(QStringLiteral("b.jpg"));
        ASSERT_TRUE(jpg.SaveJPG(saved, 90));
        velkJPG again;
        ASSERT_TRUE(again.LoadJPG(saved));
        ASSERT_EQ(again.DIBSection().size(), size);
        EXPECT_GT(psnr(again.DIBSection(), jpg.DIBSection()), 30.0);
    }
    const QImage grey = testPicture(40, 30).convertToFormat(QImage::Format_Grayscale8);
    velkJPG jpg;
    ASSERT_TRUE(jpg.LoadJPGData(jpegOf(grey)));
    EXPECT_GT(psnr(jpg.DIBSection(), grey.convertToFormat(QImage::Format_RGB32)), 35.0);
    const unsigned char red[4] = {255, 0, 0, 255}; // no cyan and black ink, full magenta and yellow
    const QByteArray cmyk = cmykJpeg(9, 5, red);
    ASSERT_TRUE(jpg.LoadJPGData(cmyk));
    const QRgb pixel = jpg.DIBSection().pixel(4, 2);
    EXPECT_GT(qRed(pixel), 245);
    EXPECT_LT(qGreen(pixel) + qBlue(pixel), 20);
    EXPECT_GT(psnr(jpg.DIBSection(), QImage::fromData(cmyk).convertToFormat(QImage::Format_RGB32)), 40.0);
}

TEST(velkJPG, BadFilesGiveFalseAndAnEmptyBuffer)
{
    QTemporaryDir dir;
    const QByteArray good = jpegOf(testPicture(200, 120));
    QByteArray corrupt = good;
    for (qsizetype i = good.size() / 2; i < good.size() / 2 + 200; ++i)
        corrupt[i] = char(0x5A);
    QByteArray huge = jpegOf(testPicture(16, 16));
    // SOF0 height and width (at offset +5 of the marker) say 65000 × 65000.
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xFD); huge[sof + 6] = char(0xE8);
    huge[sof + 7] = char(0xFD); huge[sof + 8] = char(0xE8);
    struct Row { const char *name; QString path; };
    const Row rows[] = {
        {"missing", dir.filePath(QStringLiteral("none.jpg"))},
        {"empty", writeFile(dir, QStringLiteral("empty.jpg"), {})},
        {"not a JPEG", writeFile(dir, QStringLiteral("text.jpg"), "hello, world")},
        {"truncated", writeFile(dir, QStringLiteral("cut.jpg"), good.left(good.size() * 2 / 3))},
        {"corrupt", writeFile(dir, QStringLiteral("bad.jpg"), corrupt)},
        {"oversized", writeFile(dir, QStringLiteral("huge.jpg"), huge)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        velkJPG jpg;
        ASSERT_TRUE(jpg.Create(10, 10));
        EXPECT_FALSE(jpg.LoadJPG(row.path));
        EXPECT_TRUE(jpg.DIBSection().isNull());
        EXPECT_EQ(jpg.Width(), 0);
    }
    JpegProperties props;
    EXPECT_EQ(jpegRead(props, JpegMode::ReadParamsFile), JpegStatus::NotInitialised);
    jpegInit(props);
    props.source = reinterpret_cast<const unsigned char *>(huge.constData());
    props.sourceSize = size_t(huge.size());
    EXPECT_EQ(jpegRead(props, JpegMode::ReadParamsBuffer), JpegStatus::TooLarge);
    jpegFree(props);
}

TEST(velkJPG, FailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("keep.jpg"), "old contents");
    velkJPG jpg;
    EXPECT_FALSE(jpg.SaveJPG(path, 90)) << "nothing to save";
    ASSERT_TRUE(jpg.Create(8, 8));
    EXPECT_FALSE(jpg.SaveJPG(path, 0)) << "quality out of range";
    EXPECT_TRUE(jpg.DIBSection().isNull());
    ASSERT_TRUE(jpg.Create(8, 8));
    EXPECT_FALSE(jpg.SaveJPG(dir.filePath(QStringLiteral("no/such/dir.jpg")), 90));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old contents"));
}

TEST(velkJPG, PaintsWithRasterOperationsAndReadsFromSurfaces)
{
    QImage source(4, 1, QImage::Format_RGB32);
    source.fill(qRgb(0x0F, 0xF0, 0x55));
    velkJPG jpg;
    ASSERT_TRUE(jpg.CreateFromDC(source, 2, 1));
    EXPECT_EQ(jpg.DIBSection().pixel(1, 0), qRgb(0x0F, 0xF0, 0x55));
    struct Row { unsigned op; QRgb expected; };
    const Row rows[] = {
        {RasterOp::SrcCopy, qRgb(0x0F, 0xF0, 0x55)},
        {RasterOp::SrcAnd, qRgb(0x0F & 0x3C, 0xF0 & 0x3C, 0x55 & 0x3C)},
        {RasterOp::SrcPaint, qRgb(0x0F | 0x3C, 0xF0 | 0x3C, 0x55 | 0x3C)},
        {RasterOp::SrcInvert, qRgb(0x0F ^ 0x3C, 0xF0 ^ 0x3C, 0x55 ^ 0x3C)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.op);
        QImage target(3, 1, QImage::Format_RGB32);
        target.fill(qRgb(0x3C, 0x3C, 0x3C));
        QPainter painter(&target);
        ASSERT_TRUE(jpg.PaintToDC(painter, 1, 0, -1, -1, 0, 0, row.op));
        painter.end();
        EXPECT_EQ(target.pixel(0, 0), qRgb(0x3C, 0x3C, 0x3C));
        EXPECT_EQ(target.pixel(1, 0), row.expected);
        EXPECT_EQ(target.pixel(2, 0), row.expected);
    }
    // Drawing on hDC lands in the pixels that DIBits reads (B, G, R order).
    jpg.hDC()->PSet(0, 0, 0x0000FF);
    const uchar *bits = jpg.DIBits();
    EXPECT_EQ(bits[0], 0x00);
    EXPECT_EQ(bits[2], 0xFF);
    source.setPixel(3, 0, qRgb(1, 2, 3));
    ASSERT_TRUE(jpg.LoadFromDC(source, 2, 0));
    EXPECT_EQ(jpg.DIBSection().pixel(1, 0), qRgb(1, 2, 3));
}
