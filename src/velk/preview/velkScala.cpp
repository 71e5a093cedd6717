#include "velkScala.h"

#include <velk/common/SetIfChanged_p.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/common/Color.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

constexpr int kThumbWidthPx = 11;
constexpr int kThumbHeightPx = 17;
constexpr double kTrackTwips = 130;
constexpr double kThumbGripTwips = 2; // a press on the thumb counts this far right of it
constexpr Color kTrackColor = 0x808080;

// Buttons and shift as the handlers take them, the position in twips.
MouseInput twipsOf(const QMouseEvent *event) { return mouseInputOf(event, TwipsPerPixel); }

void paintThumb(QWidget *thumb)
{
    Canvas canvas(thumb, ScaleMode::Pixels);
    const int w = thumb->width() - 1;
    const int h = thumb->height() - 1;
    const int tip = h - w / 2;
    canvas.Polygon({{0, 0}, {double(w), 0}, {double(w), double(tip)}, {w / 2.0, double(h)}, {0, double(tip)}},
                   thumb->hasFocus() || thumb->parentWidget()->hasFocus() ? SystemColor::Highlight
                                                                          : SystemColor::ButtonFace);
    canvas.Line(0, 0, w, 0, SystemColor::ButtonHighlight);
    canvas.Line(0, 0, 0, tip, SystemColor::ButtonHighlight);
    canvas.Line(w, 0, w, tip, 0x404040);
    canvas.Line(w, tip, w / 2.0, h, 0x404040);
    canvas.Line(0, tip, w / 2.0, h, SystemColor::ButtonShadow);
}

} // namespace

struct velkScala::Private
{
    velkScala *q;
    velkScalaEvents *events;
    QWidget *thumb;
    int minValue = 0;
    int maxValue = 1000;
    int value = 0;
    Color backColor = SystemColor::ButtonFace;

    explicit Private(velkScala *owner)
        : q(owner)
        , events(new velkScalaEvents(owner))
        , thumb(new QWidget(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        thumb->setObjectName(QStringLiteral("Picture1"));
        thumb->setGeometry(0, 0, kThumbWidthPx, kThumbHeightPx);
        thumb->setCursor(Qt::PointingHandCursor);
    }

    double widthTwips() const { return q->width() * TwipsPerPixel; }
    double thumbWidthTwips() const { return thumb->width() * TwipsPerPixel; }
    double thumbLeftTwips() const { return thumb->x() * TwipsPerPixel; }

    void placeThumb()
    {
        if (minValue == maxValue)
            return;
        const double span = std::max(0.0, widthTwips() - thumbWidthTwips());
        const double fraction = (double(value) - minValue) / (double(maxValue) - minValue);
        const double leftTwips = std::clamp(span * fraction, 0.0, span);
        thumb->move(int(std::lround(leftTwips / TwipsPerPixel)), thumb->y());
    }

    void choose(long long v)
    {
        const long long low = std::min(minValue, maxValue);
        const long long high = std::max(minValue, maxValue);
        value = int(std::clamp(v, low, high));
        placeThumb();
        q->update();
        emit events->Scroll();
    }

    long long step(int divisor) const
    {
        const long long range = std::llabs((long long)maxValue - minValue);
        return std::max(1LL, range / divisor) * (maxValue >= minValue ? 1 : -1);
    }
};

velkScala::velkScala(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->thumb->installEventFilter(this);
}

velkScala::~velkScala() = default;

velkScalaEvents *velkScala::events() const { return d->events; }
int velkScala::MinValue() const { return d->minValue; }
void velkScala::setMinValue(int v) { d->minValue = v; }
int velkScala::MaxValue() const { return d->maxValue; }
void velkScala::setMaxValue(int v) { d->maxValue = v; }
int velkScala::value() const { return d->value; }
void velkScala::setValue(int v) { d->value = v; }
Color velkScala::BackColor() const { return d->backColor; }

void velkScala::setBackColor(Color color)
{
    if (setIfChanged(d->backColor, color))
        update();
}

void velkScala::Refresh()
{
    d->placeThumb();
    repaint();
}

int velkScala::valueAt(double xTwips) const
{
    if (d->minValue == d->maxValue)
        return d->minValue;
    const double half = d->thumbWidthTwips() / 2;
    const double span = d->widthTwips() - d->thumbWidthTwips();
    const long long low = std::min(d->minValue, d->maxValue);
    const long long high = std::max(d->minValue, d->maxValue);
    if (span <= 0) // a scale no wider than its thumb: either end
        return int(xTwips < half ? d->minValue : d->maxValue);
    const double v = (xTwips - half) * (double(d->maxValue) - d->minValue) / span + d->minValue;
    if (std::isnan(v))
        return d->minValue;
    return int(std::clamp<double>(std::nearbyint(v), double(low), double(high)));
}

void velkScala::MouseDown(int button, int, float x, float)
{
    if (button == MouseButton::Left)
        d->choose(valueAt(x));
}

void velkScala::MouseMove(int button, int shift, float x, float y) { MouseDown(button, shift, x, y); }

void velkScala::ThumbMouseDown(int button, int shift, float x, float y)
{
    MouseDown(button, shift, float(d->thumbLeftTwips() + x + kThumbGripTwips), y);
}

void velkScala::ThumbMouseMove(int button, int shift, float x, float y)
{
    ThumbMouseDown(button, shift, x, y);
}

void velkScala::KeyDown(int keyCode, int)
{
    switch (keyCode) {
    case KeyCode::Left: d->choose((long long)d->value - d->step(100)); break;
    case KeyCode::Right: d->choose((long long)d->value + d->step(100)); break;
    case KeyCode::PageUp: d->choose((long long)d->value - d->step(10)); break;
    case KeyCode::PageDown: d->choose((long long)d->value + d->step(10)); break;
    case KeyCode::Home: d->choose(d->minValue); break;
    case KeyCode::End: d->choose(d->maxValue); break;
    default: break;
    }
}

QSize velkScala::sizeHint() const { return {150, kThumbHeightPx + 2}; }

void velkScala::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Twips);
    canvas.setBackColor(d->backColor);
    canvas.Cls();
    canvas.Line(0, kTrackTwips, canvas.ScaleWidth(), kTrackTwips, kTrackColor);
}

void velkScala::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = twipsOf(event);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkScala::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = twipsOf(event);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkScala::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    switch (code) {
    case KeyCode::Left: case KeyCode::Right: case KeyCode::PageUp:
    case KeyCode::PageDown: case KeyCode::Home: case KeyCode::End:
        KeyDown(code, shiftStateFromQt(event->modifiers()));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool velkScala::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->thumb)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        paintThumb(d->thumb);
        return true;
    case QEvent::MouseButtonPress: {
        setFocus(Qt::MouseFocusReason);
        const MouseInput m = twipsOf(static_cast<QMouseEvent *>(event));
        ThumbMouseDown(m.button, m.shift, m.x, m.y);
        return true;
    }
    case QEvent::MouseMove: {
        const MouseInput m = twipsOf(static_cast<QMouseEvent *>(event));
        ThumbMouseMove(m.button, m.shift, m.x, m.y);
        return true;
    }
    default:
        return false;
    }
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkScala>(QStringLiteral("velkScala")), true);
}

} // namespace velk
