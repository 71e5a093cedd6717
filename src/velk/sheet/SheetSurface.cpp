#include "SheetSurface_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/platform/Units.h>

#include <QDropEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWheelEvent>

#include <cmath>

namespace velk {

SheetSurface::SheetSurface(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void SheetSurface::paintEvent(QPaintEvent *event)
{
    if (!onPaint)
        return;
    Canvas canvas(this, ScaleMode::Twips);
    const QRect dirty = event->rect();
    onPaint(canvas, QRect(twipsOfPixels(dirty.x()), twipsOfPixels(dirty.y()), twipsOfPixels(dirty.width()),
                          twipsOfPixels(dirty.height())));
}

void SheetSurface::forward(const MouseHandler &handler, QMouseEvent *event)
{
    if (!handler)
        return;
    const MouseInput m = mouseInputOf(event, twipsPerPixel);
    handler(m.button, m.shift, int(std::lround(m.x)), int(std::lround(m.y)));
}

void SheetSurface::mousePressEvent(QMouseEvent *event)
{
    forward(onMouseDown, event);
}

void SheetSurface::mouseMoveEvent(QMouseEvent *event)
{
    forward(onMouseMove, event);
}

void SheetSurface::mouseReleaseEvent(QMouseEvent *event)
{
    forward(onMouseUp, event);
}

void SheetSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    forward(event->button() == Qt::LeftButton ? onDblClick : onMouseDown, event);
}

void SheetSurface::wheelEvent(QWheelEvent *event)
{
    if (onWheel)
        onWheel(event);
    else
        QWidget::wheelEvent(event);
}

void SheetSurface::dragEnterEvent(QDragEnterEvent *event)
{
    if (onDrag)
        onDrag(event);
    else
        event->ignore();
}

void SheetSurface::dragMoveEvent(QDragMoveEvent *event)
{
    if (onDrag)
        onDrag(event);
    else
        event->ignore();
}

void SheetSurface::dragLeaveEvent(QDragLeaveEvent *event)
{
    if (onDrag)
        onDrag(event);
}

void SheetSurface::dropEvent(QDropEvent *event)
{
    if (onDrag)
        onDrag(event);
    else
        event->ignore();
}

// The current row's frame shows only while the list has the focus.
void SheetSurface::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void SheetSurface::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace velk
