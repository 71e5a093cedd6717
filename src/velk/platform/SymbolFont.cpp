#include "SymbolFont_p.h"

#include <velk/platform/Canvas.h>

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velk::SymbolFont {

namespace {

enum class Direction { Left, Right, Up, Down };

// A solid triangle built from pixel rows (or columns), so that it is symmetric and crisp at
// small sizes: a base of an odd width about 60 % of the cell and half as high.
void drawTriangle(QPainter &painter, const QRect &cell, Direction direction, const QColor &color)
{
    int base = std::max(3, int(std::lround(cell.width() * 0.6)));
    if (base % 2 == 0)
        --base;
    const int depth = (base + 1) / 2;
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    const int baseStart = (vertical ? cell.left() + (cell.width() - base) / 2 : cell.top() + (cell.height() - base) / 2);
    const int depthStart = (vertical ? cell.top() + (cell.height() - depth) / 2 : cell.left() + (cell.width() - depth) / 2);
    for (int step = 0; step < depth; ++step) {
        // Step 0 is the base; each further step is one pixel shorter at both ends.
        const bool pointsForward = direction == Direction::Down || direction == Direction::Right;
        const int offset = pointsForward ? step : depth - 1 - step;
        const int length = base - 2 * step;
        const int from = baseStart + step;
        if (vertical)
            painter.fillRect(QRect(from, depthStart + offset, length, 1), color);
        else
            painter.fillRect(QRect(depthStart + offset, from, 1, length), color);
    }
}

void drawCheck(QPainter &painter, const QRectF &cell, const QColor &color)
{
    const double w = cell.width();
    const QPointF points[] = {cell.topLeft() + QPointF(w * 0.2, w * 0.5), cell.topLeft() + QPointF(w * 0.4, w * 0.7),
                              cell.topLeft() + QPointF(w * 0.8, w * 0.3)};
    painter.setPen(QPen(color, std::max(1.0, std::round(w / 8)), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(points, 3);
}

void drawCross(QPainter &painter, const QRectF &cell, const QColor &color)
{
    const QRectF inner = cell.adjusted(cell.width() * 0.25, cell.height() * 0.25, -cell.width() * 0.25, -cell.height() * 0.25);
    painter.setPen(QPen(color, std::max(1.0, std::round(cell.width() / 8))));
    painter.drawLine(inner.topLeft(), inner.bottomRight());
    painter.drawLine(inner.bottomLeft(), inner.topRight());
}

void drawBullet(QPainter &painter, const QRectF &cell, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(cell.center(), cell.width() / 6, cell.height() / 6);
}

void drawGlyph(QPainter &painter, QChar glyph, const QRect &cell, const QColor &color)
{
    switch (glyph.unicode()) {
    case '3':
        return drawTriangle(painter, cell, Direction::Left, color);
    case '4':
        return drawTriangle(painter, cell, Direction::Right, color);
    case '5':
        return drawTriangle(painter, cell, Direction::Up, color);
    case '6':
        return drawTriangle(painter, cell, Direction::Down, color);
    case 'a':
        return drawCheck(painter, cell, color);
    case 'n':
        return drawBullet(painter, cell, color);
    case 'r':
        return drawCross(painter, cell, color);
    default:
        return;
    }
}

} // namespace

bool isSymbolFontName(const QString &fontName)
{
    return fontName.compare(SymbolFontName, Qt::CaseInsensitive) == 0;
}

void draw(QPainter &painter, const QString &text, QPoint topLeft, double cellPixels, const QColor &color)
{
    const int cell = std::max(1, int(std::lround(cellPixels)));
    painter.save();
    for (qsizetype i = 0; i < text.size(); ++i)
        drawGlyph(painter, text.at(i), QRect(topLeft + QPoint(int(i) * cell, 0), QSize(cell, cell)), color);
    painter.restore();
}

} // namespace velk::SymbolFont
