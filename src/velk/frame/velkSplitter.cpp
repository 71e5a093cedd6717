#include "velkSplitter.h"

#include <velk/common/Color.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace velk {

namespace {

constexpr Color kDragColor = 0x808080;
constexpr double kKeyStepTwips = 10 * TwipsPerPixel;

} // namespace

struct velkSplitter::Private
{
    velkSplitter *q;
    velkSplitterEvents *events;
    short minSize = 200;
    bool realTime = true;
    short orientation = 1;
    bool dragging = false;
    double pressPos = 0; // along the axis, twips relative to the bar
    double lastPos = 0;

    explicit Private(velkSplitter *owner)
        : q(owner)
        , events(new velkSplitterEvents(owner))
    {
        events->setObjectName(QStringLiteral("events"));
    }

    bool isVertical() const { return orientation == 1; }
    double along(float x, float y) const { return isVertical() ? x : y; }
    double barStartTwips() const { return (isVertical() ? q->x() : q->y()) * TwipsPerPixel; }
    double barLengthTwips() const { return (isVertical() ? q->width() : q->height()) * TwipsPerPixel; }

    double containerTwips() const
    {
        const QWidget *container = q->parentWidget();
        const QSize size = container ? container->size() : q->size();
        return (isVertical() ? size.width() : size.height()) * TwipsPerPixel;
    }

    // Raised to MinSize first, then lowered to the far limit: in a container too small for
    // both, the far limit wins.
    double limited(double p) const
    {
        p = std::max(p, double(minSize));
        return std::min(p, containerTwips() - barLengthTwips() - minSize);
    }

    void moveTo(double p)
    {
        emit events->SetPosition(limited(p));
    }

    void endDrag()
    {
        dragging = false;
        q->update();
        emit events->Resize();
    }

    void applyCursor() { q->setCursor(isVertical() ? Qt::SizeHorCursor : Qt::SizeVerCursor); }
};

velkSplitter::velkSplitter(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->applyCursor();
}

velkSplitter::~velkSplitter() = default;

velkSplitterEvents *velkSplitter::events() const { return d->events; }
short velkSplitter::MinSize() const { return d->minSize; }
void velkSplitter::setMinSize(short twips) { d->minSize = twips; }
bool velkSplitter::RealTime() const { return d->realTime; }
void velkSplitter::setRealTime(bool on) { d->realTime = on; }
short velkSplitter::Orientation() const { return d->orientation; }

void velkSplitter::setOrientation(short orientation)
{
    d->orientation = orientation;
    d->applyCursor();
}

bool velkSplitter::isDragging() const { return d->dragging; }

void velkSplitter::MouseDown(int button, int, float x, float y)
{
    if (button != MouseButton::Left || d->dragging)
        return;
    d->dragging = true;
    d->pressPos = d->lastPos = d->along(x, y);
    update();
}

void velkSplitter::MouseMove(int button, int, float x, float y)
{
    if (!d->dragging)
        return;
    if (!(button & MouseButton::Left)) {
        d->endDrag();
        return;
    }
    const double pos = d->along(x, y);
    if (pos == d->lastPos)
        return;
    const double p = d->barStartTwips() + pos - d->pressPos;
    d->lastPos = pos;
    d->moveTo(p);
    if (d->realTime)
        emit d->events->Resize();
}

void velkSplitter::MouseUp(int button, int, float, float)
{
    // The released button is the left one: none is held any more.
    if (d->dragging && button == MouseButton::Left)
        d->endDrag();
}

void velkSplitter::KeyDown(int keyCode, int)
{
    const bool back = d->isVertical() ? keyCode == KeyCode::Left : keyCode == KeyCode::Up;
    const bool forward = d->isVertical() ? keyCode == KeyCode::Right : keyCode == KeyCode::Down;
    if (!back && !forward)
        return;
    d->moveTo(d->barStartTwips() + (forward ? kKeyStepTwips : -kKeyStepTwips));
    emit d->events->Resize();
}

QSize velkSplitter::sizeHint() const { return d->isVertical() ? QSize(5, 100) : QSize(100, 5); }

void velkSplitter::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    canvas.FilledBox(0, 0, width() - 1, height() - 1, d->dragging ? kDragColor : SystemColor::ButtonFace);
    if (hasFocus()) {
        // A dotted line along the bar shows the focus without hiding the bar's colour.
        const double mid = (d->isVertical() ? width() : height()) / 2.0;
        const double length = d->isVertical() ? height() : width();
        for (double t = 0; t < length; t += 4) {
            if (d->isVertical())
                canvas.PSet(mid, t, SystemColor::ButtonShadow);
            else
                canvas.PSet(t, mid, SystemColor::ButtonShadow);
        }
    }
}

void velkSplitter::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkSplitter::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkSplitter::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    if (code == KeyCode::Left || code == KeyCode::Right || code == KeyCode::Up || code == KeyCode::Down)
        KeyDown(code, shiftStateFromQt(event->modifiers()));
    else
        QWidget::keyPressEvent(event);
}

void velkSplitter::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void velkSplitter::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkSplitter>(QStringLiteral("velkSplitter")), true);
}

} // namespace velk
