#pragma once

// Small drawing pieces the calendars share.

#include <velk/common/Color.h>
#include <velk/platform/Canvas.h>

#include <QRectF>
#include <QString>

#include <algorithm>

namespace velk::CalendarPaint {

/// `text` centred in `cell` in the canvas's font and `color`.
inline void centredText(Canvas &canvas, const QRectF &cell, const QString &text, Color color)
{
    canvas.setForeColor(color);
    canvas.setCurrentX(cell.left() + (cell.width() - canvas.TextWidth(text)) / 2);
    canvas.setCurrentY(cell.top() + (cell.height() - canvas.TextHeight(text)) / 2);
    canvas.Print(text);
}

/// A filled triangle pointing left (`forward` false) or right, centred in `cell`.
inline void arrow(Canvas &canvas, const QRectF &cell, bool forward, Color color)
{
    const double size = std::max(2.0, std::min(cell.width(), cell.height()) / 3);
    const QPointF c = cell.center();
    const double tip = forward ? size / 2 : -size / 2;
    canvas.Polygon({QPointF(c.x() + tip, c.y()), QPointF(c.x() - tip, c.y() - size / 2),
                    QPointF(c.x() - tip, c.y() + size / 2)},
                   color);
}

/// The filled cell, its right and bottom edge left free as a one-pixel gap.
inline void cellBox(Canvas &canvas, const QRectF &cell, Color fill)
{
    canvas.FilledBox(cell.left(), cell.top(), cell.right() - 1, cell.bottom() - 1, fill);
}

} // namespace velk::CalendarPaint
