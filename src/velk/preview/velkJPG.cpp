#include "velkJPG_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/JpegCodec.h>

#include <QFile>
#include <QPainter>

#include <functional>

namespace velk {

namespace {

QPainter::CompositionMode compositionOf(unsigned rasterOp)
{
    switch (rasterOp) {
    case RasterOp::SrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::SrcInvert: return QPainter::RasterOp_SourceXorDestination;
    default: return QPainter::CompositionMode_Source;
    }
}

} // namespace

struct velkJPG::Private
{
    QImage image;
    std::unique_ptr<Canvas> canvas;

    // Drawing through the canvas must land before the pixels are read or replaced.
    void settleCanvas()
    {
        if (canvas)
            canvas->end();
    }

    // A buffer whose pixels are not set yet: the decoder writes every row.
    bool allocate(int width, int height)
    {
        canvas.reset();
        image = QImage();
        if (width < 1 || height < 1 || width > JpegMaxSide || height > JpegMaxSide)
            return false;
        image = QImage(width, height, QImage::Format_BGR888);
        return !image.isNull();
    }

    int padBytes() const { return image.bytesPerLine() - image.width() * 3; }

    void fillCodecTarget(JpegProperties &props)
    {
        props.dibBytes = image.bits();
        props.dibWidth = image.width();
        props.dibHeight = image.height();
        props.dibPadBytes = padBytes();
        props.dibChannels = 3;
    }
};

velkJPG::velkJPG()
    : d(std::make_unique<Private>())
{
}

velkJPG::~velkJPG() { ClearUp(); }

bool velkJPG::Create(int width, int height)
{
    if (!d->allocate(width, height))
        return false;
    d->image.fill(Qt::black);
    return true;
}

bool velkJPG::CreateFromBitmap(const QImage &bitmap)
{
    ClearUp();
    if (bitmap.isNull())
        return false;
    d->image = bitmap.convertToFormat(QImage::Format_BGR888);
    return !d->image.isNull();
}

bool velkJPG::CreateFromDC(const QImage &dc, int width, int height)
{
    return Create(width, height) && LoadFromDC(dc, 0, 0, width, height);
}

bool velkJPG::LoadFromDC(const QImage &dc, int x, int y, int width, int height)
{
    if (d->image.isNull() || dc.isNull())
        return false;
    d->settleCanvas();
    QPainter painter(&d->image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), dc,
                      QRect(x, y, width < 0 ? Width() : width, height < 0 ? Height() : height));
    return true;
}

bool velkJPG::PaintToDC(QPainter &dc, int x, int y, int width, int height, int sourceX, int sourceY,
                        unsigned rasterOp)
{
    if (d->image.isNull() || !dc.isActive())
        return false;
    d->settleCanvas();
    dc.save();
    dc.setCompositionMode(compositionOf(rasterOp));
    dc.drawImage(QPoint(x, y), d->image,
                 QRect(sourceX, sourceY, width < 0 ? Width() : width, height < 0 ? Height() : height));
    dc.restore();
    return true;
}

int velkJPG::Width() const { return d->image.width(); }
int velkJPG::Height() const { return d->image.height(); }

int velkJPG::BytesPerScanLine() const
{
    return d->image.isNull() ? 0 : (Width() * 3 + 3) / 4 * 4;
}

Canvas *velkJPG::hDC()
{
    if (d->image.isNull())
        return nullptr;
    if (!d->canvas) {
        d->image.bits(); // own the pixels before a painter holds them
        d->canvas = std::make_unique<Canvas>(&d->image, ScaleMode::Pixels);
    }
    return d->canvas.get();
}

const QImage &velkJPG::DIBSection() const
{
    d->settleCanvas();
    return d->image;
}

uchar *velkJPG::DIBits()
{
    d->settleCanvas();
    return d->image.isNull() ? nullptr : d->image.bits();
}

// Reads the size, makes the buffer and decodes into it; the codec record is freed on
// every path.
bool velkJPG::decode(JpegMode paramsMode, JpegMode imageMode, const std::function<void(JpegProperties &)> &setSource)
{
    ClearUp();
    JpegProperties props;
    if (jpegInit(props) != JpegStatus::Ok)
        return false;
    setSource(props);
    bool ok = jpegRead(props, paramsMode) == JpegStatus::Ok
              && d->allocate(props.jpegWidth, props.jpegHeight);
    if (ok) {
        d->fillCodecTarget(props);
        ok = jpegRead(props, imageMode) == JpegStatus::Ok;
    }
    jpegFree(props);
    if (!ok)
        ClearUp();
    return ok;
}

bool velkJPG::LoadJPG(const QString &fileName)
{
    return decode(JpegMode::ReadParamsFile, JpegMode::ReadImageFile,
                  [&](JpegProperties &p) { p.fileName = fileName; });
}

bool velkJPG::LoadJPGData(const QByteArray &data)
{
    return decode(JpegMode::ReadParamsBuffer, JpegMode::ReadImageBuffer, [&](JpegProperties &p) {
        p.source = reinterpret_cast<const unsigned char *>(data.constData());
        p.sourceSize = std::size_t(data.size());
    });
}

bool velkJPG::SaveJPG(const QString &fileName, int quality)
{
    if (d->image.isNull())
        return false;
    d->settleCanvas();
    JpegProperties props;
    bool ok = jpegInit(props) == JpegStatus::Ok;
    if (ok) {
        // The encoder only reads: a buffer shared with another image is not copied.
        props.dibBytes = const_cast<uchar *>(d->image.constBits());
        props.dibWidth = Width();
        props.dibHeight = Height();
        props.dibPadBytes = d->padBytes();
        props.fileName = fileName;
        props.quality = quality;
        ok = jpegWrite(props, JpegMode::WriteImageFile) == JpegStatus::Ok;
        jpegFree(props);
    }
    if (!ok)
        ClearUp();
    return ok;
}

void velkJPG::ClearUp()
{
    d->canvas.reset();
    d->image = QImage();
}

} // namespace velk
