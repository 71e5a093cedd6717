#pragma once

#include <QWidget>

#include <functional>

namespace velk {

class Canvas;

/// A drawing surface of a sheet (the list "Picture1", the header "P_Header"): paints
/// through a callback on a canvas in twips, and hands mouse input on as
/// the input handlers take it (buttons 1/2/4, shift state 1/2/4, positions in twips). Keys are left to the
/// sheet, which receives them when the surface has the focus.
class SheetSurface : public QWidget
{
public:
    using MouseHandler = std::function<void(int button, int shift, int x, int y)>;

    explicit SheetSurface(QWidget *parent);

    /// Paints the surface; the rectangle is the part to repaint, twips.
    std::function<void(Canvas &, const QRect &)> onPaint;
    MouseHandler onMouseDown;
    MouseHandler onMouseMove; ///< `button` is the sum of the buttons held
    MouseHandler onMouseUp;
    /// The second press of a double click (instead of onMouseDown).
    MouseHandler onDblClick;
    std::function<void(QWheelEvent *)> onWheel;
    /// Drags over the surface: enter, move, leave and drop events (set acceptDrops too).
    std::function<void(QEvent *)> onDrag;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void forward(const MouseHandler &handler, QMouseEvent *event);
};

} // namespace velk
