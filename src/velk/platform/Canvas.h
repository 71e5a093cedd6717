#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace velk {

/// The unit a canvas measures in: twips (15 per pixel on a standard screen), pixels,
/// centimetres (of the device's resolution), or a user scale that maps a given
/// rectangle onto the whole device (see Canvas::setUserScale).
enum class ScaleMode { Twips, Pixels, Centimeters, User };

/// One recorded drawing operation, coordinates in the canvas's scale.
struct VELK_EXPORT DrawOp
{
    enum Kind { Line, Box, FilledBox, Point, Text, Polygon, Picture, Clear };

    Kind kind = Line;
    QRectF rect;              ///< Line: from topLeft to bottomRight (x1,y1)-(x2,y2); Box, FilledBox: normalised;
                              ///< Text, Picture, Clear: position and extent; Point: (x,y) with size 0
    std::vector<QPointF> points; ///< Polygon corners
    QString text;             ///< Text: the printed text
    Color foreColor = 0;      ///< line, frame and text colour (as given, system colours unresolved)
    Color fillColor = 0;      ///< FilledBox, Polygon fill, Clear background
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int drawWidth = 1;
    double lineWidth = 0;     ///< pen width in the scale; 0 = drawWidth pixels
};

/// The picture-box drawing model over any QPaintDevice (a persistent QImage for a picture
/// box, a printer or PDF page for print-out): lines, boxes, points and text at the current
/// position, in a chosen scale, with the font and colours as state. A canvas can also record
/// every operation instead of (or besides) drawing, so tests assert on what was drawn.
/// Colours are velk::Color values; system colours are resolved from the application
/// palette when drawn.
class VELK_EXPORT Canvas
{
public:
    /// A canvas over `device` (may be nullptr: then it only records and measures with the
    /// screen's metrics). The device must outlive the canvas or be replaced with setDevice.
    explicit Canvas(QPaintDevice *device = nullptr, ScaleMode scale = ScaleMode::Twips);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    void setDevice(QPaintDevice *device);
    QPaintDevice *device() const;

    ScaleMode scaleMode() const;
    void setScaleMode(ScaleMode mode);
    /// A user scale: (left, top) is the device's top-left corner and width × height its
    /// whole size, whatever its pixels. With `unitsPerInch` (2.54 for centimetres) fonts
    /// keep their point size in that unit, so text grows with the device like the rest.
    /// Non-positive sizes are ignored.
    void setUserScale(double left, double top, double width, double height, double unitsPerInch = 0);
    /// Width and height of the device in the canvas's scale (0 without a device).
    double ScaleWidth() const;
    double ScaleHeight() const;
    /// Converts between the scale and device pixels.
    double toPixels(double units) const;
    double fromPixels(double pixels) const;

    // --- drawing state ---------------------------------------------------------------
    double CurrentX() const;
    double CurrentY() const;
    void setCurrentX(double x);
    void setCurrentY(double y);

    QString FontName() const;
    void setFontName(const QString &name);
    double FontSize() const; ///< points
    void setFontSize(double points);
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);
    /// The current font as a QFont (point size, family, flags).
    QFont font() const;
    void setFont(const QFont &font);

    Color ForeColor() const;
    void setForeColor(Color c);
    Color FillColor() const;
    void setFillColor(Color c);
    Color BackColor() const;
    void setBackColor(Color c);
    int DrawWidth() const; ///< pen width in pixels, at least 1
    void setDrawWidth(int pixels);
    /// Pen width in the scale (0: DrawWidth pixels); at least one pixel is drawn.
    double LineWidth() const;
    void setLineWidth(double units);

    /// Limits drawing to `rect` (in the scale); an empty rect removes the limit.
    void setClip(const QRectF &rect);

    // --- operations ------------------------------------------------------------------
    /// Line from (x1,y1) to (x2,y2) in ForeColor; CurrentX/Y move to (x2,y2).
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, Color color);
    /// Frame of the rectangle with corners (x1,y1) and (x2,y2).
    void Box(double x1, double y1, double x2, double y2, Color color);
    /// Filled rectangle with corners (x1,y1) and (x2,y2) ("BF").
    void FilledBox(double x1, double y1, double x2, double y2, Color color);
    /// One pixel at (x,y).
    void PSet(double x, double y, Color color);
    /// Filled polygon (sort triangles, drop-down arrows).
    void Polygon(const std::vector<QPointF> &points, Color fill);
    /// Prints `text` with its top left at CurrentX/CurrentY in the current font and
    /// ForeColor; afterwards CurrentX is at the end of the text (the position stays on the line).
    void Print(const QString &text);
    /// Width and height of `text` in the current font, in the scale. Height is one line's
    /// height (ascent + descent) times the number of lines.
    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text = QStringLiteral("X")) const;
    /// Clears the device to BackColor; CurrentX/Y become 0.
    void Cls();
    /// Draws `picture` with its top left at (x,y), scaled to (w,h) when they are positive.
    void PaintPicture(const QImage &picture, double x, double y, double w = -1, double h = -1);

    // --- recording -------------------------------------------------------------------
    /// While recording, every operation is appended to recording(). `drawToo` false
    /// records without drawing.
    void setRecording(bool on, bool drawToo = true);
    bool isRecording() const;
    const std::vector<DrawOp> &recording() const;
    void clearRecording();

    /// The painter drawing on the device (opened on first use, nullptr without a device).
    /// Painting code that needs more than the model above may use it; it is not recorded.
    QPainter *painter();
    /// Ends painting on the device (a QImage can then be read, a printer page finished).
    void end();

    /// Called after every operation that drew on the device (a picture box schedules its
    /// repaint with it); an empty function removes the handler.
    void setChangeHandler(std::function<void()> handler);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

/// Pixels per twip on the screen (1/15) and the conversions the controls use.
inline constexpr double TwipsPerPixel = 15.0;

/// Maps the font names layouts are written with onto metric-compatible installed fonts ("Arial" onto
/// "Liberation Sans", "Times New Roman" onto "Liberation Serif", ...), once per process.
/// Every canvas calls it; widgets that build their own QFont from such a name may too.
VELK_EXPORT void installFontSubstitutes();

/// The name of the symbol font: text printed in it (any case) is drawn as the symbol
/// glyphs the controls use (sort triangles, drop-down arrow, check mark, close cross).
inline constexpr QLatin1StringView SymbolFontName("Marlett");

} // namespace velk
