#pragma once

// Picture helpers the controls share: thumbnails, exact quarter turns and turns by any
// angle. They keep no state between calls. A picture object is a QImage.

#include <velk/velk_export.h>

#include <QImage>

class QPainter;
class QPixmap;

namespace velk {

/// Picture types a bitmap can be wrapped as.
namespace PictureType {
inline constexpr int Bitmap = 1;
}

/// A picture object owning a copy of `bitmap`, in a 32-bit format. Only PictureType::Bitmap
/// wraps a raster bitmap; any other type, or a null bitmap, gives a null picture.
VELK_EXPORT QImage PictureFromBitmap(const QImage &bitmap, int pictureType = PictureType::Bitmap);
VELK_EXPORT QImage PictureFromBitmap(const QPixmap &bitmap, int pictureType = PictureType::Bitmap);

/// A new picture of exactly `width` × `height` pixels showing all of `picture`.
/// Throws velk::Error 5 "Cannot load file" for a picture without a bitmap or a size below 1.
VELK_EXPORT QImage MakeThumbnail(const QImage &picture, int width, int height);

/// Turns `source` by 90 degrees: clockwise for `direction` 1, anticlockwise for any other
/// value. `work` receives the turned picture (its size is `source`'s swapped) and `source`
/// ends holding it as well. A null `source` leaves both null.
VELK_EXPORT void RotateQuarter(QImage &source, QImage &work, int direction);

namespace RotateFlag {
/// Target pixels that the turned picture does not cover are left as they are; without it
/// they take the colour of the source's upper-left pixel (the picture's background).
inline constexpr int KeepTarget = 1;
}

/// The angle in radians that RotateBitmap turns by: degrees × 0.0175 (slightly more than
/// π/180, so 90 degrees turn by about 90.24).
VELK_EXPORT double RotationRadians(double angleDegrees);

/// `source` turned anticlockwise by `angleDegrees` about its centre, sampled to the nearest
/// pixel into a `width` × `height` picture whose centre is the turning point. Pixels that
/// fall outside the source are transparent.
VELK_EXPORT QImage RotateBitmap(const QImage &source, int width, int height, double angleDegrees);

/// Draws `source` turned by `angleDegrees` (as above) into the rectangle (x, y, width,
/// height) of `target`; `flags` are RotateFlag values. Nothing is drawn for a null source.
VELK_EXPORT void RotateBitmap(QPainter &target, const QImage &source, int x, int y, int width,
                              int height, double angleDegrees, int flags = 0);

} // namespace velk
