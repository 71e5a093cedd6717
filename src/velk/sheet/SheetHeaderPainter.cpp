#include "SheetHeaderPainter_p.h"

#include "SheetLayout_p.h"
#include "SheetModel_p.h"
#include "SheetPainter_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Units.h>

namespace velk {

namespace {

constexpr int onePixel = twipsOfPixels(1);
constexpr Color white = rgbColor(255, 255, 255);
constexpr Color grey = rgbColor(128, 128, 128);
const QString symbolFont = SymbolFontName;

} // namespace

SheetHeaderPainter::SheetHeaderPainter(Canvas &canvas, const SheetModel &model, const SheetHeaderLook &look)
    : m_canvas(canvas)
    , m_model(model)
    , m_look(look)
{
}

void SheetHeaderPainter::paint()
{
    m_canvas.setFont(m_look.font);
    m_canvas.setFontBold(false);
    m_canvas.setForeColor(m_look.enabled ? SystemColor::ButtonText : SystemColor::GrayText);
    m_canvas.FilledBox(0, 0, m_look.width - onePixel, m_look.height - onePixel, SystemColor::ButtonFace);
    // White along the top and grey one pixel above the bottom edge: the bar looks raised.
    m_canvas.Line(0, 0, m_look.width - onePixel, 0, white);
    m_canvas.Line(0, m_look.height - 2 * onePixel, m_look.width - onePixel, m_look.height - 2 * onePixel, grey);
    const SheetColumns &columns = m_model.columns();
    for (int col = 1; col <= columns.count(); ++col) {
        const SheetColumnEdge edge = m_look.columns.at(col);
        if (!edge.hasWidth())
            continue;
        m_canvas.setClip(QRectF(edge.x1, 0, edge.x2 - edge.x1, m_look.height));
        paintCaption(col);
        m_canvas.setClip(QRectF());
        paintDivider(edge.x2);
    }
    paintMenuMarker();
}

// Over whatever column reaches under it: a button face box with a divider on its left
// and the downward triangle in the middle.
void SheetHeaderPainter::paintMenuMarker()
{
    const QRect &box = m_look.marker;
    if (box.isEmpty())
        return;
    const int bottom = m_look.height - 2 * onePixel;
    m_canvas.FilledBox(box.left(), onePixel, box.left() + box.width() - onePixel, bottom - onePixel,
                       SystemColor::ButtonFace);
    paintDivider(box.left());
    const QString font = m_canvas.FontName();
    m_canvas.setFontName(symbolFont);
    const QString glyph = menuGlyph();
    m_canvas.setCurrentX(box.left() + (box.width() - m_canvas.TextWidth(glyph)) / 2);
    m_canvas.setCurrentY((bottom - m_canvas.TextHeight(glyph)) / 2);
    m_canvas.Print(glyph);
    m_canvas.setFontName(font);
}

int SheetHeaderPainter::markerDirection(const SheetModel &model, int col)
{
    const SheetColumn *column = model.columns().at(col);
    if (!column)
        return 0;
    if (column->SortDirection != 0)
        return column->SortDirection;
    return col == model.quickSortColumn() ? model.quickSortDirection() : 0;
}

QString SheetHeaderPainter::markerGlyph(int direction)
{
    if (direction < 0)
        return QStringLiteral("5");
    if (direction > 0)
        return QStringLiteral("6");
    return QString();
}

void SheetHeaderPainter::paintDesignPreview(Canvas &canvas, const SheetModel &model, const SheetColumnEdges &columns,
                                            int leftMargin, int top, const QFont &font)
{
    canvas.setFont(font);
    canvas.setFontBold(false);
    canvas.setForeColor(grey);
    const int pad = SheetLayout::cellPadding();
    for (int col = 1; col <= model.columns().count(); ++col) {
        const SheetColumn &column = *model.columns().at(col);
        const SheetColumnEdge edge = columns.at(col);
        if (!edge.hasWidth())
            continue;
        const QString text = column.caption.isEmpty() ? QStringLiteral("Spalte %1").arg(col) : column.caption;
        const double left = edge.x1 + (col == 1 ? leftMargin : pad);
        const double right = edge.x2 - pad;
        const QString shown = SheetPainter::shortened(canvas, text, right - left);
        canvas.setClip(QRectF(edge.x1, top, edge.x2 - edge.x1, model.lineHeight()));
        canvas.setCurrentX(column.Alignment == -1 ? right - canvas.TextWidth(shown) : left);
        canvas.setCurrentY(top);
        canvas.Print(shown);
        canvas.setClip(QRectF());
    }
}

int SheetHeaderPainter::captionTop() const
{
    // Centred between the white top line and the grey line near the bottom.
    return (m_look.height - onePixel - m_model.lineHeight()) / 2;
}

double SheetHeaderPainter::markerWidth(const QString &glyph)
{
    if (glyph.isEmpty())
        return 0;
    const QString font = m_canvas.FontName();
    m_canvas.setFontName(symbolFont);
    const double width = m_canvas.TextWidth(glyph);
    m_canvas.setFontName(font);
    return m_canvas.TextWidth(QStringLiteral(" ")) + width;
}

// Captions line up with their column's text: the first after the left margin, a
// right-aligned column's at the right. With "headerleft" every caption starts at its
// column's left edge.
void SheetHeaderPainter::paintCaption(int col)
{
    const SheetColumn &column = *m_model.columns().at(col);
    const SheetColumnEdge edge = m_look.columns.at(col);
    const bool headerLeft = m_model.flags().has(u"headerleft");
    const QString glyph = markerGlyph(markerDirection(m_model, col));
    const double marker = markerWidth(glyph);
    const int pad = SheetLayout::cellPadding();
    const double left = edge.x1 + (col == 1 && !headerLeft ? m_look.leftMargin : pad);
    const double right = edge.x2 - pad;
    const QString caption = SheetPainter::shortened(m_canvas, column.caption, right - left - marker);
    const double width = m_canvas.TextWidth(caption) + marker;
    const double x = column.Alignment == -1 && !headerLeft ? right - width : left;
    m_canvas.setCurrentX(x);
    m_canvas.setCurrentY(captionTop());
    m_canvas.Print(caption);
    if (glyph.isEmpty())
        return;
    const QString font = m_canvas.FontName();
    m_canvas.setCurrentX(x + width - (marker - m_canvas.TextWidth(QStringLiteral(" "))));
    m_canvas.setFontName(symbolFont);
    m_canvas.setCurrentY(captionTop() + (m_model.lineHeight() - m_canvas.TextHeight(glyph)) / 2);
    m_canvas.Print(glyph);
    m_canvas.setFontName(font);
}

void SheetHeaderPainter::paintDivider(int x2)
{
    const int top = 3 * onePixel;
    const int bottom = m_look.height - 4 * onePixel;
    m_canvas.Line(x2 - onePixel, top, x2 - onePixel, bottom, grey);
    m_canvas.Line(x2, top, x2, bottom, white);
}

} // namespace velk
