#include "FramePainter_p.h"

#include <velk/platform/Canvas.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velk::FramePainter {

namespace {

void topLeft(Canvas &c, const QRect &r, Color color)
{
    c.Line(r.left(), r.bottom(), r.left(), r.top(), color);
    c.Line(r.left(), r.top(), r.right(), r.top(), color);
}

void bottomRight(Canvas &c, const QRect &r, Color color)
{
    c.Line(r.left(), r.bottom(), r.right(), r.bottom(), color);
    c.Line(r.right(), r.bottom(), r.right(), r.top(), color);
}

} // namespace

void raised(Canvas &canvas, const QRect &r)
{
    topLeft(canvas, r, SystemColor::ButtonHighlight);
    bottomRight(canvas, r, Black);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    bottomRight(canvas, inner, SystemColor::ButtonShadow);
}

void sunken(Canvas &canvas, const QRect &r)
{
    topLeft(canvas, r, Black);
    bottomRight(canvas, r, SystemColor::ButtonHighlight);
    topLeft(canvas, r.adjusted(1, 1, -1, -1), SystemColor::ButtonShadow);
}

void thinRaised(Canvas &canvas, const QRect &r)
{
    topLeft(canvas, r, SystemColor::ButtonHighlight);
    bottomRight(canvas, r, SystemColor::ButtonShadow);
}

void thinSunken(Canvas &canvas, const QRect &r)
{
    topLeft(canvas, r, SystemColor::ButtonShadow);
    bottomRight(canvas, r, SystemColor::ButtonHighlight);
}

void roundedFace(Canvas &canvas, const QRect &r, int radius, Color fill, Color line)
{
    // Each corner is a quarter circle of `radius` pixels, as a few straight steps.
    const double rad = std::min({double(radius), r.width() / 2.0, r.height() / 2.0});
    const QPointF centres[4] = {{r.right() - rad, r.top() + rad}, {r.right() - rad, r.bottom() - rad},
                                {r.left() + rad, r.bottom() - rad}, {r.left() + rad, r.top() + rad}};
    std::vector<QPointF> outline;
    for (int corner = 0; corner < 4; ++corner) {
        for (int step = 0; step <= 3; ++step) {
            const double angle = (corner * 90 - 90 + step * 30) * M_PI / 180.0;
            outline.emplace_back(std::round(centres[corner].x() + rad * std::cos(angle)),
                                 std::round(centres[corner].y() + rad * std::sin(angle)));
        }
    }
    canvas.Polygon(outline, fill);
    for (size_t i = 0; i < outline.size(); ++i) {
        const QPointF &a = outline[i];
        const QPointF &z = outline[(i + 1) % outline.size()];
        canvas.Line(a.x(), a.y(), z.x(), z.y(), line);
    }
}

void focusFrame(Canvas &canvas, const QRect &r)
{
    for (int x = r.left(); x <= r.right(); x += 2) {
        canvas.PSet(x, r.top(), Black);
        canvas.PSet(x, r.bottom(), Black);
    }
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        canvas.PSet(r.left(), y, Black);
        canvas.PSet(r.right(), y, Black);
    }
}

void dropArrow(Canvas &canvas, int x, int y, Color color)
{
    const QString fontName = canvas.FontName();
    const double fontSize = canvas.FontSize();
    const Color foreColor = canvas.ForeColor();
    canvas.setFontName(SymbolFontName);
    canvas.setFontSize(DropArrowWidth * 72.0 / 96.0);
    canvas.setForeColor(color);
    canvas.setCurrentX(x);
    canvas.setCurrentY(y);
    canvas.Print(QStringLiteral("6"));
    canvas.setFontName(fontName);
    canvas.setFontSize(fontSize);
    canvas.setForeColor(foreColor);
}

} // namespace velk::FramePainter
