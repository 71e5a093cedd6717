#include "PictureBox.h"

#include "Input.h"
#include "SystemColors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace velk {

struct PictureBox::Private
{
    QImage image;
    Canvas canvas;
    QSize reportedSize;
    bool isPainting = false;
    bool leftPressedHere = false;
    bool releaseEndsDoubleClick = false;

    // Grows or shrinks the image to `size`; what was drawn stays where it was and new
    // area shows the background.
    void resizeImage(const QSize &size)
    {
        if (image.size() == size)
            return;
        QImage resized(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        resized.fill(resolveColor(canvas.BackColor()));
        canvas.end();
        if (!image.isNull()) {
            QPainter p(&resized);
            p.drawImage(0, 0, image);
        }
        image = std::move(resized);
        canvas.setDevice(&image);
    }
};

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>())
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->canvas.setBackColor(SystemColor::ButtonFace);
    d->canvas.setForeColor(SystemColor::ButtonText);
    d->resizeImage(size());
    d->canvas.setChangeHandler([this] {
        // Drawing from a Paint handler is shown by the paint already under way.
        if (!d->isPainting)
            update();
    });
}

PictureBox::~PictureBox()
{
    d->canvas.end();
}

// A hidden widget gets its resize event only when shown, so every way to the image first
// brings it to the widget's current size.
Canvas &PictureBox::canvas()
{
    d->resizeImage(size());
    return d->canvas;
}

const QImage &PictureBox::image() const
{
    d->resizeImage(size());
    return d->image;
}

ScaleMode PictureBox::scaleMode() const { return d->canvas.scaleMode(); }
void PictureBox::setScaleMode(ScaleMode mode) { d->canvas.setScaleMode(mode); }
double PictureBox::ScaleWidth() const
{
    d->resizeImage(size());
    return d->canvas.ScaleWidth();
}

double PictureBox::ScaleHeight() const
{
    d->resizeImage(size());
    return d->canvas.ScaleHeight();
}

Color PictureBox::BackColor() const { return d->canvas.BackColor(); }

void PictureBox::setBackColor(Color color)
{
    d->canvas.setBackColor(color);
    Cls();
}

Color PictureBox::ForeColor() const { return d->canvas.ForeColor(); }
void PictureBox::setForeColor(Color color) { d->canvas.setForeColor(color); }

void PictureBox::Cls()
{
    canvas().Cls();
    update();
}

void PictureBox::Refresh()
{
    repaint();
}

QSize PictureBox::sizeHint() const
{
    return {200, 150};
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    d->resizeImage(size());
    d->isPainting = true;
    emit Paint();
    d->isPainting = false;
    d->canvas.end(); // the image is complete before it is shown
    QPainter p(this);
    p.drawImage(event->rect(), d->image, event->rect());
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->resizeImage(size());
    // Qt may deliver a hidden widget's pending resize more than once.
    if (d->reportedSize == size())
        return;
    d->reportedSize = size();
    emit Resize();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        d->leftPressedHere = true;
    const MouseInput m = mouseInputOf(event, d->canvas.fromPixels(1.0));
    emit MouseDown(m.button, m.shift, m.x, m.y);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, d->canvas.fromPixels(1.0));
    emit MouseMove(m.button, m.shift, m.x, m.y);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, d->canvas.fromPixels(1.0));
    emit MouseUp(m.button, m.shift, m.x, m.y);
    if (event->button() != Qt::LeftButton)
        return;
    // The release that ends a double click was already answered by DblClick.
    const bool isClick = d->leftPressedHere && !d->releaseEndsDoubleClick && rect().contains(event->position().toPoint());
    d->leftPressedHere = false;
    d->releaseEndsDoubleClick = false;
    if (isClick)
        emit Click();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // A double click's second press raises DblClick instead of MouseDown.
    d->leftPressedHere = true;
    d->releaseEndsDoubleClick = true;
    emit DblClick();
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    int keyCode = keyCodeOf(event);
    if (keyCode)
        emit KeyDown(keyCode, shiftStateFromQt(event->modifiers()));
    int keyAscii = keyAsciiOf(event);
    if (keyAscii)
        emit KeyPress(keyAscii);
    // Enter and Escape go on to the window too, so a dialog's default and cancel buttons
    // still answer them.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->ignore();
    else
        event->accept();
}

void PictureBox::keyReleaseEvent(QKeyEvent *event)
{
    // Held keys repeat their KeyDown only.
    if (event->isAutoRepeat())
        return;
    int keyCode = keyCodeOf(event);
    if (keyCode)
        emit KeyUp(keyCode, shiftStateFromQt(event->modifiers()));
}

} // namespace velk
