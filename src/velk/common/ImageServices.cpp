#include "ImageServices.h"

#include <velk/common/Error.h>

#include <QPainter>
#include <QPixmap>
#include <QTransform>

#include <cmath>

namespace velk {

namespace {

QImage toArgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The source pixel that lands on target pixel (tx, ty), or false when none does. Pixel
// centres are turned back about the centres of both pictures.
bool sourcePixelOf(int tx, int ty, const QSizeF &targetCentre, const QSizeF &sourceCentre,
                   double cosA, double sinA, QPoint &result)
{
    const double dx = tx + 0.5 - targetCentre.width();
    const double dy = ty + 0.5 - targetCentre.height();
    // Anticlockwise on screen (y grows downward): the inverse turn is clockwise.
    const double sx = cosA * dx - sinA * dy + sourceCentre.width();
    const double sy = sinA * dx + cosA * dy + sourceCentre.height();
    result = QPoint(int(std::floor(sx)), int(std::floor(sy)));
    return sx >= 0 && sy >= 0 && sx < 2 * sourceCentre.width() && sy < 2 * sourceCentre.height();
}

} // namespace

QImage PictureFromBitmap(const QImage &bitmap, int pictureType)
{
    if (pictureType != PictureType::Bitmap || bitmap.isNull())
        return QImage();
    return toArgb(bitmap);
}

QImage PictureFromBitmap(const QPixmap &bitmap, int pictureType)
{
    return PictureFromBitmap(bitmap.toImage(), pictureType);
}

QImage MakeThumbnail(const QImage &picture, int width, int height)
{
    if (picture.isNull() || width < 1 || height < 1)
        throw Error(ErrorNumber::InvalidCall, QStringLiteral("Cannot load file"));
    QImage thumbnail = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (thumbnail.isNull())
        throw Error(ErrorNumber::InvalidCall, QStringLiteral("Cannot load file"));
    return PictureFromBitmap(thumbnail);
}

void RotateQuarter(QImage &source, QImage &work, int direction)
{
    if (source.isNull()) {
        work = QImage();
        return;
    }
    // Qt turns by exact multiples of 90 degrees without resampling.
    work = source.transformed(QTransform().rotate(direction == 1 ? 90 : -90));
    source = work;
}

double RotationRadians(double angleDegrees)
{
    return angleDegrees * 0.0175;
}

QImage RotateBitmap(const QImage &source, int width, int height, double angleDegrees)
{
    if (source.isNull() || width < 1 || height < 1)
        return QImage();
    const QImage src = toArgb(source);
    QImage result(width, height, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const double angle = RotationRadians(angleDegrees);
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const QSizeF targetCentre(width / 2.0, height / 2.0);
    const QSizeF sourceCentre(src.width() / 2.0, src.height() / 2.0);
    for (int ty = 0; ty < height; ++ty) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(ty));
        for (int tx = 0; tx < width; ++tx) {
            QPoint s;
            if (sourcePixelOf(tx, ty, targetCentre, sourceCentre, cosA, sinA, s))
                line[tx] = src.pixel(s);
        }
    }
    return result;
}

void RotateBitmap(QPainter &target, const QImage &source, int x, int y, int width, int height,
                  double angleDegrees, int flags)
{
    QImage turned = RotateBitmap(source, width, height, angleDegrees);
    if (turned.isNull())
        return;
    target.save();
    if (flags & RotateFlag::KeepTarget) {
        target.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
        QImage filled(turned.size(), QImage::Format_ARGB32);
        filled.fill(source.pixel(0, 0));
        QPainter p(&filled);
        p.drawImage(0, 0, turned);
        p.end();
        turned = filled;
        target.setCompositionMode(QPainter::CompositionMode_Source);
    }
    target.drawImage(x, y, turned);
    target.restore();
}

} // namespace velk
