#include "Canvas.h"

#include "SymbolFont_p.h"
#include "SystemColors.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>

namespace velk {

void installFontSubstitutes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
        QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    });
}

namespace {

// Screen devices measure 15 twips per pixel whatever their nominal resolution, so layouts
// written in twips keep their pixel sizes; paper devices use their real resolution.
constexpr double screenPixelsPerInch = 1440.0 / TwipsPerPixel;

bool isScreenDevice(const QPaintDevice *device)
{
    switch (device->devType()) {
    case QInternal::Widget:
    case QInternal::Pixmap:
    case QInternal::Image:
    case QInternal::Pbuffer:
    case QInternal::FramebufferObject:
    case QInternal::PaintBuffer:
    case QInternal::OpenGL:
        return true;
    default:
        return false;
    }
}

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

} // namespace

struct Canvas::Private
{
    QPaintDevice *device = nullptr;
    ScaleMode scale = ScaleMode::Twips;
    std::unique_ptr<QPainter> painter;
    std::function<void()> changeHandler;

    double currentX = 0;
    double currentY = 0;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Color foreColor = 0;
    Color fillColor = 0;
    Color backColor = 0xFFFFFF;
    int drawWidth = 1;
    double lineWidth = 0;
    QRectF clip;
    QRectF user{0, 0, 1, 1};
    double userUnitsPerInch = 0;

    bool recording = false;
    bool drawWhileRecording = true;
    std::vector<DrawOp> ops;

    double pixelsPerInchX() const
    {
        return device && !isScreenDevice(device) ? device->logicalDpiX() : screenPixelsPerInch;
    }
    double pixelsPerInchY() const
    {
        return device && !isScreenDevice(device) ? device->logicalDpiY() : screenPixelsPerInch;
    }
    double pixelsPerUnit(double pixelsPerInch) const
    {
        switch (scale) {
        case ScaleMode::Pixels:
            return 1.0;
        case ScaleMode::Centimeters:
            return pixelsPerInch / 2.54;
        case ScaleMode::Twips:
            break;
        }
        return pixelsPerInch / 1440.0;
    }
    double pixelsPerUnitX() const
    {
        if (scale == ScaleMode::User)
            return device ? device->width() / user.width() : 1.0;
        return pixelsPerUnit(pixelsPerInchX());
    }
    double pixelsPerUnitY() const
    {
        if (scale == ScaleMode::User)
            return device ? device->height() / user.height() : 1.0;
        return pixelsPerUnit(pixelsPerInchY());
    }
    double originX() const { return scale == ScaleMode::User ? user.left() : 0.0; }
    double originY() const { return scale == ScaleMode::User ? user.top() : 0.0; }

    // Device pixel of a coordinate in the scale; rounding (not truncating) keeps twips
    // positions that fall between pixels on the nearest one.
    int pixelX(double x) const { return int(std::lround((x - originX()) * pixelsPerUnitX())); }
    int pixelY(double y) const { return int(std::lround((y - originY()) * pixelsPerUnitY())); }
    QPoint pixelPoint(double x, double y) const { return {pixelX(x), pixelY(y)}; }
    QRect pixelCorners(double x1, double y1, double x2, double y2) const
    {
        // QRect::normalized is off by one for swapped inclusive corners; order them here.
        const QPoint a = pixelPoint(x1, y1);
        const QPoint b = pixelPoint(x2, y2);
        return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    }

    // Painting code measures text over and over (shortening a cell text measures it once
    // per cut character), so the font and its metrics are built once per font change.
    mutable std::optional<QFont> fontCache;
    mutable std::optional<QFontMetricsF> metricsCache;

    void fontChanged()
    {
        fontCache.reset();
        metricsCache.reset();
    }
    // A user scale with a unit keeps point sizes in that unit: the font grows with the
    // device's pixels per unit instead of following the device's resolution.
    double fontScale() const
    {
        if (scale != ScaleMode::User || userUnitsPerInch <= 0 || !device || device->logicalDpiY() <= 0)
            return 1.0;
        return std::clamp(pixelsPerUnitY() * userUnitsPerInch / device->logicalDpiY(), 1e-3, 1e3);
    }
    const QFont &currentFont() const
    {
        if (!fontCache) {
            installFontSubstitutes();
            QFont f(fontName);
            f.setPointSizeF(fontScale() * (fontSize > 0 ? fontSize : 8));
            f.setBold(bold);
            f.setItalic(italic);
            f.setUnderline(underline);
            fontCache = f;
        }
        return *fontCache;
    }
    const QFontMetricsF &metrics() const
    {
        if (!metricsCache)
            metricsCache = device ? QFontMetricsF(currentFont(), device) : QFontMetricsF(currentFont());
        return *metricsCache;
    }
    bool isSymbolFont() const { return SymbolFont::isSymbolFontName(fontName); }
    // The symbol font's cell: one em square of the current size on the device.
    double symbolCellPixels() const
    {
        const double dpi = device ? device->logicalDpiY() : QFontMetricsF(QFont()).fontDpi();
        return std::max(1.0, std::round((fontSize > 0 ? fontSize : 8) * dpi / 72.0));
    }
    double lineHeightPixels() const
    {
        if (isSymbolFont())
            return symbolCellPixels();
        const QFontMetricsF &fm = metrics();
        return fm.ascent() + fm.descent();
    }
    double lineWidthPixels(const QString &line) const
    {
        if (isSymbolFont())
            return symbolCellPixels() * line.size();
        return metrics().horizontalAdvance(line);
    }

    bool drawsOnDevice() const { return device && (!recording || drawWhileRecording); }

    QPainter *openPainter()
    {
        if (!device)
            return nullptr;
        if (!painter) {
            painter = std::make_unique<QPainter>();
            if (!painter->begin(device)) {
                painter.reset();
                return nullptr;
            }
            applyClip();
        }
        return painter.get();
    }
    void applyClip()
    {
        if (!painter)
            return;
        if (clip.isEmpty()) {
            painter->setClipping(false);
            return;
        }
        const QPoint topLeft = pixelPoint(clip.left(), clip.top());
        const QPoint bottomRight = pixelPoint(clip.right(), clip.bottom());
        painter->setClipRect(QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())));
    }

    // The painter for one operation, or nullptr when nothing is to be drawn.
    QPainter *painterFor()
    {
        return drawsOnDevice() ? openPainter() : nullptr;
    }
    // A pen of DrawWidth device pixels: width 1 is cosmetic with square caps so that both
    // end pixels of a line are set; wider pens are round.
    QPen pen(Color color) const
    {
        if (lineWidth > 0) {
            const double px = lineWidth * pixelsPerUnitX();
            if (px > 1.5)
                return QPen(resolveColor(color), px, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            return QPen(resolveColor(color), 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        }
        if (drawWidth <= 1)
            return QPen(resolveColor(color), 0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        return QPen(resolveColor(color), drawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }
    void changed()
    {
        if (changeHandler)
            changeHandler();
    }

    DrawOp op(DrawOp::Kind kind) const
    {
        DrawOp o;
        o.kind = kind;
        o.foreColor = foreColor;
        o.fillColor = fillColor;
        o.fontName = fontName;
        o.fontSize = fontSize;
        o.bold = bold;
        o.italic = italic;
        o.underline = underline;
        o.drawWidth = drawWidth;
        o.lineWidth = lineWidth;
        return o;
    }
    void record(DrawOp o)
    {
        if (recording)
            ops.push_back(std::move(o));
    }
};

Canvas::Canvas(QPaintDevice *device, ScaleMode scale)
    : d(std::make_unique<Private>())
{
    installFontSubstitutes();
    d->device = device;
    d->scale = scale;
}

Canvas::~Canvas()
{
    end();
}

void Canvas::setDevice(QPaintDevice *device)
{
    end();
    d->device = device;
    d->fontChanged();
}

QPaintDevice *Canvas::device() const { return d->device; }

ScaleMode Canvas::scaleMode() const { return d->scale; }

void Canvas::setScaleMode(ScaleMode mode)
{
    d->scale = mode;
    d->fontChanged();
    d->applyClip();
}

void Canvas::setUserScale(double left, double top, double width, double height, double unitsPerInch)
{
    if (!(width > 0) || !(height > 0) || !std::isfinite(left) || !std::isfinite(top))
        return;
    d->user = QRectF(left, top, width, height);
    d->userUnitsPerInch = unitsPerInch > 0 ? unitsPerInch : 0;
    setScaleMode(ScaleMode::User);
}

double Canvas::ScaleWidth() const
{
    return d->device ? d->device->width() / d->pixelsPerUnitX() : 0;
}

double Canvas::ScaleHeight() const
{
    return d->device ? d->device->height() / d->pixelsPerUnitY() : 0;
}

double Canvas::toPixels(double units) const { return units * d->pixelsPerUnitX(); }
double Canvas::LineWidth() const { return d->lineWidth; }
void Canvas::setLineWidth(double units) { d->lineWidth = std::isfinite(units) && units > 0 ? units : 0; }
double Canvas::fromPixels(double pixels) const { return pixels / d->pixelsPerUnitX(); }

double Canvas::CurrentX() const { return d->currentX; }
double Canvas::CurrentY() const { return d->currentY; }
void Canvas::setCurrentX(double x) { d->currentX = x; }
void Canvas::setCurrentY(double y) { d->currentY = y; }

QString Canvas::FontName() const { return d->fontName; }
void Canvas::setFontName(const QString &name)
{
    if (d->fontName == name)
        return;
    d->fontName = name;
    d->fontChanged();
}
double Canvas::FontSize() const { return d->fontSize; }
void Canvas::setFontSize(double points)
{
    if (d->fontSize == points)
        return;
    d->fontSize = points;
    d->fontChanged();
}
bool Canvas::FontBold() const { return d->bold; }
void Canvas::setFontBold(bool on)
{
    if (d->bold == on)
        return;
    d->bold = on;
    d->fontChanged();
}
bool Canvas::FontItalic() const { return d->italic; }
void Canvas::setFontItalic(bool on)
{
    if (d->italic == on)
        return;
    d->italic = on;
    d->fontChanged();
}
bool Canvas::FontUnderline() const { return d->underline; }
void Canvas::setFontUnderline(bool on)
{
    if (d->underline == on)
        return;
    d->underline = on;
    d->fontChanged();
}

QFont Canvas::font() const { return d->currentFont(); }

void Canvas::setFont(const QFont &font)
{
    d->fontName = font.family();
    if (font.pointSizeF() > 0) {
        d->fontSize = font.pointSizeF();
    } else if (font.pixelSize() > 0) {
        const double dpi = d->device ? d->device->logicalDpiY() : QFontMetricsF(QFont()).fontDpi();
        d->fontSize = font.pixelSize() * 72.0 / dpi;
    }
    d->bold = font.bold();
    d->italic = font.italic();
    d->underline = font.underline();
    d->fontChanged();
}

Color Canvas::ForeColor() const { return d->foreColor; }
void Canvas::setForeColor(Color c) { d->foreColor = c; }
Color Canvas::FillColor() const { return d->fillColor; }
void Canvas::setFillColor(Color c) { d->fillColor = c; }
Color Canvas::BackColor() const { return d->backColor; }
void Canvas::setBackColor(Color c) { d->backColor = c; }
int Canvas::DrawWidth() const { return d->drawWidth; }
void Canvas::setDrawWidth(int pixels) { d->drawWidth = std::max(1, pixels); }

void Canvas::setClip(const QRectF &rect)
{
    d->clip = rect.normalized();
    d->applyClip();
}

void Canvas::Line(double x1, double y1, double x2, double y2)
{
    Line(x1, y1, x2, y2, d->foreColor);
}

void Canvas::Line(double x1, double y1, double x2, double y2, Color color)
{
    DrawOp o = d->op(DrawOp::Line);
    o.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    o.foreColor = color;
    d->record(std::move(o));
    d->currentX = x2;
    d->currentY = y2;
    if (QPainter *p = d->painterFor()) {
        p->setPen(d->pen(color));
        p->drawLine(d->pixelPoint(x1, y1), d->pixelPoint(x2, y2));
        d->changed();
    }
}

void Canvas::Box(double x1, double y1, double x2, double y2, Color color)
{
    DrawOp o = d->op(DrawOp::Box);
    o.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    o.foreColor = color;
    d->record(std::move(o));
    d->currentX = x2;
    d->currentY = y2;
    if (QPainter *p = d->painterFor()) {
        // A stroked QRectF covers its width plus the pen, so width x2-x1 spans both
        // corner pixels.
        const QRect r = d->pixelCorners(x1, y1, x2, y2);
        p->setPen(d->pen(color));
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(r.left(), r.top(), r.right() - r.left(), r.bottom() - r.top()));
        d->changed();
    }
}

void Canvas::FilledBox(double x1, double y1, double x2, double y2, Color color)
{
    DrawOp o = d->op(DrawOp::FilledBox);
    o.rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    o.foreColor = color;
    o.fillColor = color;
    d->record(std::move(o));
    d->currentX = x2;
    d->currentY = y2;
    if (QPainter *p = d->painterFor()) {
        p->fillRect(d->pixelCorners(x1, y1, x2, y2), resolveColor(color));
        d->changed();
    }
}

void Canvas::PSet(double x, double y, Color color)
{
    DrawOp o = d->op(DrawOp::Point);
    o.rect = QRectF(x, y, 0, 0);
    o.foreColor = color;
    d->record(std::move(o));
    d->currentX = x;
    d->currentY = y;
    if (QPainter *p = d->painterFor()) {
        const QPoint at = d->pixelPoint(x, y);
        if (d->drawWidth <= 1) {
            p->fillRect(QRect(at, QSize(1, 1)), resolveColor(color));
        } else {
            p->setPen(Qt::NoPen);
            p->setBrush(resolveColor(color));
            p->drawEllipse(QPointF(at) + QPointF(0.5, 0.5), d->drawWidth / 2.0, d->drawWidth / 2.0);
        }
        d->changed();
    }
}

void Canvas::Polygon(const std::vector<QPointF> &points, Color fill)
{
    DrawOp o = d->op(DrawOp::Polygon);
    o.points = points;
    o.fillColor = fill;
    for (const QPointF &pt : points)
        o.rect |= QRectF(pt, QSizeF(0, 0));
    d->record(std::move(o));
    if (points.empty())
        return;
    if (QPainter *p = d->painterFor()) {
        QPolygon polygon;
        for (const QPointF &pt : points)
            polygon << d->pixelPoint(pt.x(), pt.y());
        p->setPen(QPen(resolveColor(fill), 0));
        p->setBrush(resolveColor(fill));
        p->drawPolygon(polygon);
        d->changed();
    }
}

void Canvas::Print(const QString &text)
{
    const QStringList lines = linesOf(text);
    const double startX = d->currentX;
    const double startY = d->currentY;
    const double lineHeight = d->lineHeightPixels() / d->pixelsPerUnitY();

    if (d->recording) {
        DrawOp o = d->op(DrawOp::Text);
        o.text = text;
        o.rect = QRectF(startX, startY, TextWidth(text), lineHeight * lines.size());
        d->record(std::move(o));
    }

    QPainter *p = d->painterFor();
    if (p) {
        p->setFont(d->currentFont());
        p->setPen(QPen(resolveColor(d->foreColor)));
    }
    double y = startY;
    double endX = startX;
    for (const QString &line : lines) {
        const double lineWidthPx = d->lineWidthPixels(line);
        if (p && !line.isEmpty()) {
            const QPoint at = d->pixelPoint(startX, y);
            if (d->isSymbolFont())
                SymbolFont::draw(*p, line, at, d->symbolCellPixels(), resolveColor(d->foreColor));
            else
                p->drawText(QPointF(at.x(), at.y() + d->metrics().ascent()), line);
        }
        endX = startX + lineWidthPx / d->pixelsPerUnitX();
        y += lineHeight;
    }
    // Further lines of a multi-line text start below the first, at its x.
    d->currentX = endX;
    d->currentY = y - lineHeight;
    if (p)
        d->changed();
}

double Canvas::TextWidth(const QString &text) const
{
    double widest = 0;
    for (const QString &line : linesOf(text))
        widest = std::max(widest, d->lineWidthPixels(line));
    return widest / d->pixelsPerUnitX();
}

double Canvas::TextHeight(const QString &text) const
{
    const auto lineCount = text.count(QLatin1Char('\n')) + 1;
    return lineCount * d->lineHeightPixels() / d->pixelsPerUnitY();
}

void Canvas::Cls()
{
    DrawOp o = d->op(DrawOp::Clear);
    o.fillColor = d->backColor;
    o.rect = QRectF(0, 0, ScaleWidth(), ScaleHeight());
    d->record(std::move(o));
    d->currentX = 0;
    d->currentY = 0;
    if (QPainter *p = d->painterFor()) {
        // The whole surface is cleared, whatever the clip.
        p->save();
        p->setClipping(false);
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(QRect(0, 0, d->device->width(), d->device->height()), resolveColor(d->backColor));
        p->restore();
        d->changed();
    }
}

void Canvas::PaintPicture(const QImage &picture, double x, double y, double w, double h)
{
    // Without a size a picture keeps its size on the screen: on paper it grows with the
    // device's resolution, so a printout shows it as large as the screen does.
    const double naturalScale = d->pixelsPerInchX() / screenPixelsPerInch;
    const double widthUnits = w > 0 ? w : picture.width() * naturalScale / d->pixelsPerUnitX();
    const double heightUnits = h > 0 ? h : picture.height() * naturalScale / d->pixelsPerUnitY();

    DrawOp o = d->op(DrawOp::Picture);
    o.rect = QRectF(x, y, widthUnits, heightUnits);
    d->record(std::move(o));
    if (picture.isNull())
        return;
    if (QPainter *p = d->painterFor()) {
        const QPoint topLeft = d->pixelPoint(x, y);
        const QPoint end = d->pixelPoint(x + widthUnits, y + heightUnits);
        const QRect target(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
        p->save();
        if (target.size() != picture.size())
            p->setRenderHint(QPainter::SmoothPixmapTransform);
        p->drawImage(target, picture);
        p->restore();
        d->changed();
    }
}

void Canvas::setRecording(bool on, bool drawToo)
{
    d->recording = on;
    d->drawWhileRecording = drawToo;
}

bool Canvas::isRecording() const { return d->recording; }
const std::vector<DrawOp> &Canvas::recording() const { return d->ops; }
void Canvas::clearRecording() { d->ops.clear(); }

QPainter *Canvas::painter() { return d->openPainter(); }

void Canvas::end()
{
    if (d->painter) {
        d->painter->end();
        d->painter.reset();
    }
}

void Canvas::setChangeHandler(std::function<void()> handler)
{
    d->changeHandler = std::move(handler);
}

} // namespace velk
