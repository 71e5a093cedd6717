#pragma once

#include <velk/platform/JpegCodec.h>
#include <velk/velk_export.h>

#include <QImage>
#include <QString>

#include <functional>
#include <memory>

class QPainter;

namespace velk {

class Canvas;

/// Raster operations PaintToDC understands; any other value copies.
namespace RasterOp {
inline constexpr unsigned SrcCopy = 0xCC0020;
inline constexpr unsigned SrcAnd = 0x8800C6;
inline constexpr unsigned SrcPaint = 0xEE0086; ///< OR
inline constexpr unsigned SrcInvert = 0x660046; ///< XOR
} // namespace RasterOp

/// One 24-bit picture in memory, moved between JPEG files, drawing surfaces and bitmaps.
/// The buffer is a QImage in Format_BGR888 whose rows are padded to 4 bytes
/// (BytesPerScanLine). Every failing operation returns false and leaves the buffer empty.
class VELK_TESTS_EXPORT velkJPG
{
public:
    velkJPG();
    ~velkJPG();
    velkJPG(const velkJPG &) = delete;
    velkJPG &operator=(const velkJPG &) = delete;

    /// Drops any previous buffer and makes a black one of `width` × `height` (both at least
    /// 1); false for other sizes or when the memory cannot be had.
    bool Create(int width, int height);
    /// A buffer of the bitmap's size holding a copy of it; false for a null bitmap.
    bool CreateFromBitmap(const QImage &bitmap);
    /// A `width` × `height` buffer holding the top left of `dc`.
    bool CreateFromDC(const QImage &dc, int width, int height);
    /// Copies `dc` from (x, y) into the buffer at (0, 0); a negative width or height
    /// stands for the buffer's own. Parts outside `dc` stay as they were.
    bool LoadFromDC(const QImage &dc, int x, int y, int width = -1, int height = -1);
    /// Draws the buffer from (sourceX, sourceY) at (x, y) on `dc` with a raster operation:
    /// RasterOp::SrcCopy, SrcAnd, SrcPaint (OR) or SrcInvert (XOR). Negative sizes as above.
    bool PaintToDC(QPainter &dc, int x, int y, int width = -1, int height = -1, int sourceX = 0,
                   int sourceY = 0, unsigned rasterOp = RasterOp::SrcCopy);

    int Width() const;
    int Height() const;
    /// (Width × 3 + 3) rounded down to a multiple of 4; 0 without a buffer.
    int BytesPerScanLine() const;
    /// A pixel canvas drawing on the buffer (made on first use; nullptr without a buffer).
    Canvas *hDC();
    /// The buffer itself.
    const QImage &DIBSection() const;
    /// The first byte of the top row (B, G, R per pixel); nullptr without a buffer.
    uchar *DIBits();

    /// Decodes a JPEG file into the buffer; false (and an empty buffer) for a missing,
    /// empty, damaged, oversized or non-JPEG file.
    bool LoadJPG(const QString &fileName);
    /// Decodes JPEG data held in memory, as LoadJPG does.
    bool LoadJPGData(const QByteArray &data);
    /// Encodes the buffer into `fileName` with `quality` (1..100); the file is replaced only
    /// when everything was written. False without a buffer or on any failure.
    bool SaveJPG(const QString &fileName, int quality);

    /// Drops the buffer and its canvas.
    void ClearUp();

private:
    bool decode(JpegMode paramsMode, JpegMode imageMode, const std::function<void(JpegProperties &)> &setSource);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
