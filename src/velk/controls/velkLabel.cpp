#include "velkLabel.h"

#include "ControlPainting_p.h"

#include "FramePainter_p.h"
#include "velkIcon.h"

#include <velk/common/SetIfChanged_p.h>
#include <velk/controls/HoverTracker_p.h>
#include <velk/common/StringHelpers.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>
#include <velk/platform/SystemColors.h>

#include <QMouseEvent>
#include <QTimer>

#include <cmath>

namespace velk {

namespace {

constexpr int kCaptionInsetPx = 4;
constexpr Color kDarkBlue = 0x800000; // (0,0,128)

enum Style : short { Plain = 0, Horizontal = 1, Vertical = 2 };

// The colour a fraction `t` (0..1) of the way from `a` to `b`.
Color blend(const QColor &a, const QColor &b, double t)
{
    auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return rgbColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

} // namespace

struct velkLabel::Private
{
    velkLabel *q;
    velkLabelEvents *events;
    velkIcon *icon;
    HoverTracker hover;
    QString caption;
    Color backColor1 = kDarkBlue;
    Color backColor2 = kDarkBlue;
    Color foreColor = 0xFFFFFF;
    short style = Horizontal;
    short borderStyle = 0;
    QString menu;
    QStringList entries;
    bool bold = false;
    int hotButton = 0;

    explicit Private(velkLabel *owner)
        : q(owner)
        , events(new velkLabelEvents(owner))
        , icon(new velkIcon(owner))
        , hover(owner, [this] { setHot(0); })
    {
        events->setObjectName(QStringLiteral("events"));
        icon->setObjectName(QStringLiteral("velkIcon1"));
    }

    int count() const { return int(entries.size()); }

    void paintBackground(Canvas &canvas) const
    {
        const int w = q->width();
        const int h = q->height();
        if (style == Plain || backColor1 == backColor2) {
            canvas.FilledBox(0, 0, w - 1, h - 1, backColor1);
            return;
        }
        const QColor from = resolveColor(backColor1);
        const QColor to = resolveColor(backColor2);
        const int steps = style == Vertical ? h : w;
        for (int i = 0; i < steps; ++i) {
            const Color c = blend(from, to, steps > 1 ? double(i) / (steps - 1) : 0.0);
            if (style == Vertical)
                canvas.Line(0, i, w - 1, i, c);
            else
                canvas.Line(i, 0, i, h - 1, c);
        }
    }

    void paintCaption(Canvas &canvas) const
    {
        QFont f = q->font();
        f.setBold(f.bold() || bold);
        canvas.setFont(f);
        canvas.setForeColor(foreColor);
        canvas.setCurrentX(kCaptionInsetPx);
        canvas.setCurrentY(std::floor((q->height() - canvas.TextHeight(caption)) / 2));
        canvas.Print(caption);
    }

    void paintButton(Canvas &canvas, int i) const
    {
        const int left = buttonLeft(i, count(), q->width());
        const int top = (q->height() - ButtonWidth) / 2;
        const QRect face(left, top, ButtonWidth, ButtonWidth);
        canvas.FilledBox(face.left(), face.top(), face.right(), face.bottom(),
                         i == hotButton ? FramePainter::HotFace : SystemColor::ButtonFace);
        FramePainter::thinRaised(canvas, face);
        const QString &entry = entries[i - 1];
        const int number = icon->IconNr(entry);
        if (number > 0 && number != 199) {
            icon->Paint(canvas, left, top, number, 1);
            return;
        }
        canvas.setFont(q->font());
        canvas.setForeColor(SystemColor::ButtonText);
        canvas.setCurrentX(left + (ButtonWidth - canvas.TextWidth(entry)) / 2);
        canvas.setCurrentY(top + (ButtonWidth - canvas.TextHeight(entry)) / 2);
        canvas.Print(entry);
    }

    void paintBorder(Canvas &canvas) const
    {
        if (borderStyle != 0)
            canvas.Box(0, 0, q->width() - 1, q->height() - 1, SystemColor::ButtonShadow);
    }

    void setHot(int button)
    {
        if (hotButton == button)
            return;
        hotButton = button;
        q->update();
    }
};

velkLabel::velkLabel(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(d->hover.timer(), &QTimer::timeout, this, &velkLabel::HoverTimerTick);
}

velkLabel::~velkLabel() = default;

velkLabelEvents *velkLabel::events() const { return d->events; }

QString velkLabel::caption() const { return d->caption; }

void velkLabel::setCaption(const QString &caption)
{
    if (setIfChanged(d->caption, caption))
        update();
}

Color velkLabel::BackColor1() const { return d->backColor1; }

void velkLabel::setBackColor1(Color color)
{
    if (setIfChanged(d->backColor1, color))
        update();
}

Color velkLabel::BackColor2() const { return d->backColor2; }

void velkLabel::setBackColor2(Color color)
{
    if (setIfChanged(d->backColor2, color))
        update();
}

Color velkLabel::ForeColor() const { return d->foreColor; }

void velkLabel::setForeColor(Color color)
{
    if (setIfChanged(d->foreColor, color))
        update();
}

QFont velkLabel::Font() const { return font(); }
short velkLabel::styleNumber() const { return d->style; }

void velkLabel::setStyleNumber(short style)
{
    if (setIfChanged(d->style, style))
        update();
}

short velkLabel::BorderStyle() const { return d->borderStyle; }

void velkLabel::setBorderStyle(short borderStyle)
{
    if (setIfChanged(d->borderStyle, borderStyle))
        update();
}

QString velkLabel::Menu() const { return d->menu; }

void velkLabel::setMenu(const QString &menu)
{
    d->menu = menu;
    d->entries.clear();
    // Entries are counted as GetToken takes them: "a,,b" has three, a trailing "," adds none.
    QString rest = menu;
    while (!rest.isEmpty())
        d->entries.append(GetToken(rest, QStringLiteral(",")));
    d->hotButton = 0;
    update();
}

bool velkLabel::Bold() const { return d->bold; }

void velkLabel::setBold(bool bold)
{
    if (setIfChanged(d->bold, bold))
        update();
}

int velkLabel::ButtonCount() const { return d->count(); }
int velkLabel::HotButton() const { return d->hotButton; }

int velkLabel::buttonLeft(int i, int count, int width)
{
    return width - (count - i + 1) * ButtonPitch;
}

int velkLabel::buttonAt(double x, int count, int width)
{
    for (int i = 1; i <= count; ++i) {
        const int left = buttonLeft(i, count, width);
        if (x >= left && x <= left + ButtonWidth)
            return i;
    }
    return 0;
}

void velkLabel::Refresh() { repaint(); }

void ControlPainting::paintOn(velkLabel &label, Canvas &canvas)
{
    label.paintOn(canvas);
}

void velkLabel::paintOn(Canvas &canvas)
{
    d->paintBackground(canvas);
    d->paintCaption(canvas);
    for (int i = 1; i <= d->count(); ++i)
        d->paintButton(canvas, i);
    d->paintBorder(canvas);
}

void velkLabel::MouseMove(int, int, float x, float)
{
    d->setHot(buttonAt(x, d->count(), width()));
    d->hover.start();
}

void velkLabel::MouseUp(int, int, float x, float)
{
    emit d->events->Click(buttonAt(x, d->count(), width()));
}

void velkLabel::HoverTimerTick()
{
    d->hover.poll();
}

void velkLabel::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkLabel::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkLabel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkLabel>(QStringLiteral("velkLabel")), true);
}

} // namespace velk
