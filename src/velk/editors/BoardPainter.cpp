#include <velk/editors/BoardPainter_p.h>

#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>

#include <cmath>

namespace velk {

namespace {
const QString ellipsis = QStringLiteral("...");
}

BoardPainter::BoardPainter(Canvas &canvas, const BoardModel &model, const BoardIndex &index,
                           const BoardLayout &layout, velkIcon *icons)
    : m_canvas(canvas), m_model(model), m_index(index), m_layout(layout), m_icons(icons)
{
}

void BoardPainter::paint(const QRect &view)
{
    m_origin = view.topLeft();
    m_canvas.setBackColor(SystemColor::WindowBackground);
    m_canvas.Cls();
    m_index.inRect(view, m_boxes, m_links);
    m_canvas.setDrawWidth(1);
    for (int at : m_links)
        paintLink(**m_model.links().Item(at));
    for (int at : m_boxes)
        paintBox(*m_model.item(at));
}

void BoardPainter::paintLink(const BoardLink &l)
{
    const QPoint a = m_index.centre(*l.Location1) - m_origin;
    const QPoint b = m_index.centre(*l.Location2) - m_origin;
    m_canvas.Line(a.x(), a.y(), b.x(), b.y(), kLinkColor);
}

void BoardPainter::paintBox(const BoardData &b)
{
    const QPoint at = QPoint(b.x, b.y) - m_origin;
    const int right = at.x() + m_layout.width - 1;
    const int bottom = at.y() + m_layout.height - 1;
    const Color text = b.Selected ? SystemColor::HighlightText : SystemColor::WindowText;
    m_canvas.FilledBox(at.x(), at.y(), right, bottom, b.Selected ? SystemColor::Highlight : SystemColor::WindowBackground);
    m_canvas.Box(at.x(), at.y(), right, bottom, kFrameColor);

    m_canvas.setForeColor(text);
    BoardLayout::useFont(m_canvas, true);
    m_canvas.setCurrentX(at.x() + m_layout.captionRect.x());
    m_canvas.setCurrentY(at.y() + m_layout.captionRect.y());
    m_canvas.Print(fitted(m_canvas, b.caption, m_layout.captionRect.width()));
    BoardLayout::useFont(m_canvas, false);
    if (m_layout.descriptionRect.bottom() < m_layout.menuTop) {
        m_canvas.setCurrentX(at.x() + m_layout.descriptionRect.x());
        m_canvas.setCurrentY(at.y() + m_layout.descriptionRect.y());
        m_canvas.Print(fitted(m_canvas, b.Description, m_layout.descriptionRect.width()));
    }
    paintMenu(b, at);
}

void BoardPainter::paintMenu(const BoardData &b, QPoint at)
{
    if (m_layout.menu.empty())
        return;
    const int lineY = at.y() + m_layout.menuTop - 15;
    m_canvas.Line(at.x() + 15, lineY, at.x() + m_layout.width - 16, lineY, kFrameColor);
    m_canvas.setForeColor(b.Selected ? SystemColor::HighlightText : kMenuColor);
    for (const BoardMenuEntry &e : m_layout.menu) {
        const QRect r = e.rect.translated(at);
        if (e.icon && m_icons) {
            m_icons->Paint(m_canvas, int(std::lround(r.x() / TwipsPerPixel)), int(std::lround(r.y() / TwipsPerPixel)),
                           e.icon, 1);
            continue;
        }
        m_canvas.setCurrentX(r.x());
        m_canvas.setCurrentY(r.y() + (r.height() - m_layout.lineHeight) / 2);
        m_canvas.Print(e.text);
    }
}

QString BoardPainter::fitted(Canvas &canvas, const QString &text, double width)
{
    qsizetype lineEnd = text.indexOf(u'\n');
    const qsizetype cr = text.indexOf(u'\r');
    if (cr >= 0 && (lineEnd < 0 || cr < lineEnd))
        lineEnd = cr;
    const QString line = lineEnd < 0 ? text : text.left(lineEnd);
    if (canvas.TextWidth(line) <= width && lineEnd < 0)
        return line;
    // The longest start of the line that fits with "..." behind it, by halving.
    qsizetype lo = 0;
    qsizetype hi = line.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (canvas.TextWidth(line.left(mid) + ellipsis) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return line.left(lo) + ellipsis;
}

} // namespace velk
