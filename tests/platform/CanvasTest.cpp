#include <velk/platform/Canvas.h>
#include <velk/platform/SystemColors.h>

#include "support/TestSupport.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <functional>

using namespace velk;

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}

namespace {

constexpr Color black = 0;
constexpr Color white = 0xFFFFFF;

QImage whiteImage(int w = 20, int h = 20)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Bounding rectangle and number of the pixels that are not white.
struct Ink
{
    QRect bounds;
    int count = 0;
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ink.bounds |= QRect(x, y, 1, 1);
                ++ink.count;
            }
        }
    }
    return ink;
}

} // namespace

TEST(Canvas, ShapesCoverExactlyTheirCornerPixels)
{
    struct Row
    {
        const char *name;
        ScaleMode scale;
        std::function<void(Canvas &)> draw;
        QRect bounds;
        int count;
    };
    const Row rows[] = {
        {"horizontal line includes both ends", ScaleMode::Pixels, [](Canvas &c) { c.Line(2, 3, 8, 3, black); }, QRect(2, 3, 7, 1), 7},
        {"vertical line drawn upwards", ScaleMode::Pixels, [](Canvas &c) { c.Line(5, 9, 5, 4, black); }, QRect(5, 4, 1, 6), 6},
        {"line of one point", ScaleMode::Pixels, [](Canvas &c) { c.Line(7, 7, 7, 7, black); }, QRect(7, 7, 1, 1), 1},
        {"box frame", ScaleMode::Pixels, [](Canvas &c) { c.Box(2, 2, 6, 5, black); }, QRect(2, 2, 5, 4), 14},
        {"box with swapped corners", ScaleMode::Pixels, [](Canvas &c) { c.Box(6, 5, 2, 2, black); }, QRect(2, 2, 5, 4), 14},
        {"filled box", ScaleMode::Pixels, [](Canvas &c) { c.FilledBox(2, 2, 6, 5, black); }, QRect(2, 2, 5, 4), 20},
        {"point", ScaleMode::Pixels, [](Canvas &c) { c.PSet(4, 9, black); }, QRect(4, 9, 1, 1), 1},
        {"filled box in twips", ScaleMode::Twips, [](Canvas &c) { c.FilledBox(15, 15, 45, 30, black); }, QRect(1, 1, 3, 2), 6},
        {"twips between pixels round to the nearest", ScaleMode::Twips, [](Canvas &c) { c.PSet(52, 38, black); }, QRect(3, 3, 1, 1), 1},
        {"clip limits a filled box", ScaleMode::Pixels,
         [](Canvas &c) {
             c.setClip(QRectF(4, 4, 3, 3));
             c.FilledBox(0, 0, 19, 19, black);
         },
         QRect(4, 4, 3, 3), 9},
        {"removing the clip draws everywhere again", ScaleMode::Pixels,
         [](Canvas &c) {
             c.setClip(QRectF(4, 4, 3, 3));
             c.setClip(QRectF());
             c.FilledBox(1, 1, 2, 2, black);
         },
         QRect(1, 1, 2, 2), 4},
        {"picture at its own size", ScaleMode::Twips,
         [](Canvas &c) {
             QImage picture(4, 3, QImage::Format_RGB32);
             picture.fill(Qt::black);
             c.PaintPicture(picture, 15, 30);
         },
         QRect(1, 2, 4, 3), 12},
        {"picture scaled", ScaleMode::Pixels,
         [](Canvas &c) {
             QImage picture(2, 2, QImage::Format_RGB32);
             picture.fill(Qt::black);
             c.PaintPicture(picture, 10, 10, 6, 4);
         },
         QRect(10, 10, 6, 4), 24},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QImage image = whiteImage();
        {
            Canvas canvas(&image, row.scale);
            row.draw(canvas);
        }
        const Ink ink = inkOf(image);
        EXPECT_EQ(ink.bounds, row.bounds);
        EXPECT_EQ(ink.count, row.count);
    }
}

TEST(Canvas, UnitsFollowTheDeviceResolution)
{
    QImage image = whiteImage(100, 50);
    Canvas screen(&image);
    EXPECT_DOUBLE_EQ(screen.toPixels(150), 10);
    EXPECT_DOUBLE_EQ(screen.ScaleWidth(), 1500);
    EXPECT_DOUBLE_EQ(screen.ScaleHeight(), 750);
    screen.setScaleMode(ScaleMode::Centimeters);
    EXPECT_NEAR(screen.toPixels(2.54), 96, 1e-9);
    screen.setScaleMode(ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(screen.fromPixels(7), 7);

    Canvas deviceless;
    EXPECT_DOUBLE_EQ(deviceless.fromPixels(1), 15);
    EXPECT_DOUBLE_EQ(deviceless.ScaleWidth(), 0);

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("page.pdf")));
    pdf.setResolution(1200);
    Canvas paper(&pdf);
    EXPECT_NEAR(paper.toPixels(1440), 1200, 1e-9);
    paper.setScaleMode(ScaleMode::Centimeters);
    EXPECT_NEAR(paper.toPixels(2.54), 1200, 1e-9);
    EXPECT_NEAR(paper.ScaleWidth(), pdf.width() * 2.54 / 1200, 1e-9);
    paper.end();
}

TEST(Canvas, RecordsWhatWasDrawnWhereInWhichFontAndColour)
{
    Canvas canvas;
    canvas.setRecording(true);
    canvas.setForeColor(SystemColor::ButtonText);
    canvas.setCurrentX(50);
    canvas.setCurrentY(20);
    canvas.setFontBold(true);
    canvas.Print(QStringLiteral("a"));
    canvas.setFontBold(false);
    canvas.Print(QStringLiteral("b"));
    canvas.setDrawWidth(0);
    canvas.Line(0, 10, 300, 10);
    canvas.FilledBox(30, 40, 10, 20, SystemColor::Highlight);

    const auto &ops = canvas.recording();
    ASSERT_EQ(ops.size(), 4u);
    EXPECT_EQ(ops[0].kind, DrawOp::Text);
    EXPECT_EQ(ops[0].text, QStringLiteral("a"));
    EXPECT_TRUE(ops[0].bold);
    EXPECT_EQ(ops[0].rect.topLeft(), QPointF(50, 20));
    EXPECT_EQ(ops[0].fontName, QStringLiteral("Arial"));
    EXPECT_EQ(ops[0].fontSize, 8);
    EXPECT_EQ(ops[0].foreColor, SystemColor::ButtonText) << "system colours are recorded unresolved";
    EXPECT_FALSE(ops[1].bold);
    EXPECT_DOUBLE_EQ(ops[1].rect.left(), ops[0].rect.right()) << "the second text follows the first";
    EXPECT_EQ(ops[2].kind, DrawOp::Line);
    EXPECT_EQ(ops[2].rect, QRectF(QPointF(0, 10), QPointF(300, 10)));
    EXPECT_EQ(ops[2].drawWidth, 1) << "a pen is at least one pixel wide";
    EXPECT_EQ(ops[3].kind, DrawOp::FilledBox);
    EXPECT_EQ(ops[3].rect, QRectF(10, 20, 20, 20));
    EXPECT_EQ(ops[3].fillColor, SystemColor::Highlight);
    EXPECT_EQ(QPointF(canvas.CurrentX(), canvas.CurrentY()), QPointF(10, 20)) << "position moves to the second corner";

    canvas.clearRecording();
    EXPECT_TRUE(canvas.recording().empty());
}

TEST(Canvas, RecordingWithoutDrawingLeavesTheDeviceUntouched)
{
    QImage image = whiteImage();
    Canvas canvas(&image, ScaleMode::Pixels);
    canvas.setRecording(true, false);
    canvas.FilledBox(0, 0, 19, 19, black);
    canvas.Cls();
    EXPECT_EQ(canvas.recording().size(), 2u);
    EXPECT_EQ(inkOf(image).count, 0);

    canvas.setRecording(true, true);
    canvas.PSet(1, 1, black);
    EXPECT_EQ(canvas.recording().size(), 3u);
    EXPECT_EQ(inkOf(image).count, 1);
}

TEST(Canvas, PrintAdvancesByTheMeasuredWidth)
{
    QImage image = whiteImage(200, 60);
    Canvas onImage(&image);
    Canvas deviceless;
    const QString text = QStringLiteral("Dokumentenarchiv");
    for (Canvas *canvas : {&onImage, &deviceless}) {
        SCOPED_TRACE(canvas->device() ? "on an image" : "without a device");
        const QFontMetricsF fm(canvas->font());
        EXPECT_NEAR(canvas->TextWidth(text), fm.horizontalAdvance(text) * TwipsPerPixel, 1e-6);
        EXPECT_NEAR(canvas->TextHeight(), (fm.ascent() + fm.descent()) * TwipsPerPixel, 1e-6);
        EXPECT_NEAR(canvas->TextHeight(QStringLiteral("a\nb")), 2 * canvas->TextHeight(), 1e-6);
        EXPECT_NEAR(canvas->TextWidth(QStringLiteral("ab\r\nabcd")), canvas->TextWidth(QStringLiteral("abcd")), 1e-6);

        canvas->setCurrentX(100);
        canvas->setCurrentY(30);
        canvas->Print(text);
        EXPECT_NEAR(canvas->CurrentX(), 100 + canvas->TextWidth(text), 1e-6);
        EXPECT_DOUBLE_EQ(canvas->CurrentY(), 30) << "the position stays on the line";

        canvas->setCurrentX(100);
        canvas->Print(QStringLiteral("eins\nzwei"));
        EXPECT_NEAR(canvas->CurrentX(), 100 + canvas->TextWidth(QStringLiteral("zwei")), 1e-6);
        EXPECT_NEAR(canvas->CurrentY(), 30 + canvas->TextHeight(), 1e-6);
    }
    EXPECT_GT(inkOf(image).count, 0);
    EXPECT_GE(inkOf(image).bounds.left(), 100 / 15);
}

TEST(Canvas, FontStateChangesMeasurement)
{
    Canvas canvas;
    EXPECT_EQ(QFontInfo(canvas.font()).family(), QStringLiteral("Liberation Sans"));
    const double regular = canvas.TextWidth(QStringLiteral("Wolkenkratzer"));
    canvas.setFontBold(true);
    EXPECT_GT(canvas.TextWidth(QStringLiteral("Wolkenkratzer")), regular);
    canvas.setFontBold(false);
    canvas.setFontSize(16);
    EXPECT_NEAR(canvas.TextWidth(QStringLiteral("Wolkenkratzer")), 2 * regular, regular * 0.1);

    QFont times(QStringLiteral("Times New Roman"));
    times.setPixelSize(24);
    times.setItalic(true);
    canvas.setFont(times);
    EXPECT_EQ(canvas.FontName(), QStringLiteral("Times New Roman"));
    EXPECT_NEAR(canvas.FontSize(), 18, 0.01) << "24 pixels on a 96 dpi screen are 18 points";
    EXPECT_TRUE(canvas.FontItalic());
    EXPECT_EQ(QFontInfo(canvas.font()).family(), QStringLiteral("Liberation Serif"));
}

TEST(Canvas, ClsFillsWithBackColorDespiteTheClip)
{
    QImage image = whiteImage(10, 10);
    Canvas canvas(&image, ScaleMode::Pixels);
    canvas.setClip(QRectF(0, 0, 2, 2));
    canvas.setBackColor(rgbColor(10, 20, 30));
    canvas.setCurrentX(5);
    canvas.Cls();
    EXPECT_EQ(image.pixel(9, 9), qRgb(10, 20, 30));
    EXPECT_EQ(canvas.CurrentX(), 0);
}

TEST(Canvas, SystemColoursAreResolvedFromThePaletteWhenDrawn)
{
    QImage image = whiteImage(4, 4);
    Canvas canvas(&image, ScaleMode::Pixels);
    canvas.PSet(0, 0, SystemColor::Highlight);
    canvas.PSet(1, 0, rgbColor(1, 2, 3));
    EXPECT_EQ(QColor(image.pixel(0, 0)), QGuiApplication::palette().color(QPalette::Highlight));
    EXPECT_EQ(QColor(image.pixel(1, 0)), QColor(1, 2, 3));
}

TEST(Canvas, SymbolFontGlyphsAreDrawnAsShapes)
{
    QImage image = whiteImage(40, 40);
    Canvas canvas(&image, ScaleMode::Pixels);
    canvas.setForeColor(black);
    canvas.setFontName(SymbolFontName);
    canvas.setFontSize(12);
    canvas.setCurrentX(10);
    canvas.setCurrentY(10);
    canvas.Print(QStringLiteral("6"));
    EXPECT_EQ(canvas.CurrentX(), 26) << "a glyph advances by one em (16 pixels at 12 points)";
    EXPECT_EQ(canvas.TextHeight(), 16);

    const Ink ink = inkOf(image);
    ASSERT_GT(ink.count, 0);
    const int width = ink.bounds.width();
    EXPECT_EQ(width % 2, 1) << "a symmetric triangle has an odd base";
    EXPECT_EQ(ink.bounds.height(), (width + 1) / 2);
    EXPECT_EQ(ink.count, ink.bounds.height() * ink.bounds.height()) << "rows of width, width-2, ... 1";
    const int top = ink.bounds.top();
    const int bottom = ink.bounds.bottom();
    EXPECT_EQ(QColor(image.pixel(ink.bounds.left(), top)), QColor(Qt::black)) << "the base is on top";
    EXPECT_EQ(QColor(image.pixel(ink.bounds.left(), bottom)), QColor(Qt::white));
    EXPECT_TRUE(ink.bounds.intersects(QRect(10, 10, 16, 16)));
}

TEST(Canvas, DrawsOnAWidgetFromItsPaintEvent)
{
    class Surface : public QWidget
    {
    public:
        double scaleWidth = 0;

    protected:
        void paintEvent(QPaintEvent *) override
        {
            Canvas canvas(this);
            scaleWidth = canvas.ScaleWidth();
            canvas.setBackColor(white);
            canvas.Cls();
            canvas.FilledBox(15, 15, 45, 30, black);
        }
    };
    Surface surface;
    surface.resize(10, 8);
    const Ink ink = inkOf(surface.grab().toImage());
    EXPECT_EQ(surface.scaleWidth, 150);
    EXPECT_EQ(ink.bounds, QRect(1, 1, 3, 2));
}
