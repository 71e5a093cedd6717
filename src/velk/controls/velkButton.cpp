#include "velkButton.h"

#include "ControlPainting_p.h"

#include "FramePainter_p.h"
#include "velkIcon.h"

#include <velk/common/SetIfChanged_p.h>
#include <velk/controls/HoverTracker_p.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QTimer>

#include <cmath>
#include <vector>

namespace velk {

namespace {

constexpr int kIconGapPx = 4;
constexpr int kAlignedInsetPx = 4;
constexpr int kRoundedCornerPx = 3;
constexpr QSize kMinimumSizePx(75, 23); // the usual push button of a dialog
constexpr int kPaddingPx = 8;
constexpr Color kDisabledText = FramePainter::Gray;

enum State : short { Normal = 0, Hot = 1, Pressed = 2 };

// Where the parts of the content go, in pixels.
struct ContentPlan
{
    int iconX = -1;     ///< -1: no icon
    int arrowX = -1;    ///< -1: no drop-down arrow
    int textX = 0;
    int textY = 0;
};

} // namespace

struct velkButton::Private
{
    velkButton *q;
    velkButtonEvents *events;
    velkIcon *icon;
    HoverTracker hover;
    std::vector<QShortcut *> defaultKeys; ///< Return and Enter
    QShortcut *cancelKey = nullptr;
    QString caption = QStringLiteral("?");
    QString iconName;
    QString tag;
    short style = 0;
    short state = Normal;
    Color backColor = SystemColor::ButtonFace;
    bool hasFocus = false;

    explicit Private(velkButton *owner)
        : q(owner)
        , events(new velkButtonEvents(owner))
        , icon(new velkIcon(owner))
        , hover(owner, [this] { setStateTo(Normal); })
    {
        events->setObjectName(QStringLiteral("events"));
        icon->setObjectName(QStringLiteral("velkIcon1"));
    }

    bool isAlignedLeft() const { return caption.startsWith(u'>'); }
    QString shownCaption() const { return isAlignedLeft() ? caption.mid(1) : caption; }
    bool hasArrow() const { return iconName == u"v"; }
    bool hasIcon() const { return !iconName.isEmpty() && !hasArrow(); }

    void raiseClick(int shift, int x, int y) { emit events->Click(shift, x, y); }

    ContentPlan plan(Canvas &canvas) const
    {
        ContentPlan p;
        const QString text = shownCaption();
        const int textW = int(std::lround(canvas.TextWidth(text)));
        const int textH = int(std::lround(canvas.TextHeight(text)));
        const int extraW = (hasIcon() || hasArrow()) ? velkIcon::CellSize + kIconGapPx : 0;
        const int width = q->width();
        int x = isAlignedLeft() ? kAlignedInsetPx : (width - textW - extraW) / 2;
        if (hasIcon()) {
            p.iconX = x;
            x += velkIcon::CellSize + kIconGapPx;
        }
        p.textX = x;
        p.textY = (q->height() - textH) / 2;
        if (hasArrow())
            p.arrowX = isAlignedLeft() ? width - kAlignedInsetPx - FramePainter::DropArrowWidth
                                       : x + textW + kIconGapPx;
        return p;
    }

    void paintFace(Canvas &canvas) const
    {
        const QRect frame(0, 0, q->width(), q->height()); // right() and bottom() are the last pixels
        canvas.FilledBox(0, 0, frame.right(), frame.bottom(), backColor);
        switch (style) {
        case 1:
            if (state == Hot)
                FramePainter::thinRaised(canvas, frame);
            else if (state == Pressed)
                FramePainter::thinSunken(canvas, frame);
            break;
        case 2: {
            const Color fill = state == Pressed ? FramePainter::PressedFace
                             : state == Hot     ? FramePainter::HotFace
                                                : backColor;
            FramePainter::roundedFace(canvas, frame, kRoundedCornerPx, fill,
                                      q->Default() ? FramePainter::Black : SystemColor::ButtonShadow);
            break;
        }
        default:
            paintStandardFrame(canvas, frame);
            break;
        }
        if (hasFocus && q->isEnabled())
            FramePainter::focusFrame(canvas, frame.adjusted(3, 3, -3, -3));
    }

    void paintStandardFrame(Canvas &canvas, QRect frame) const
    {
        if (q->Default()) {
            canvas.Box(frame.left(), frame.top(), frame.right(), frame.bottom(), FramePainter::Black);
            frame.adjust(1, 1, -1, -1);
        }
        if (state == Pressed)
            FramePainter::sunken(canvas, frame);
        else
            FramePainter::raised(canvas, frame);
        if (state == Hot)
            canvas.Box(frame.left() + 2, frame.top() + 2, frame.right() - 2, frame.bottom() - 2,
                       FramePainter::HotFace);
    }

    void paintContent(Canvas &canvas) const
    {
        const ContentPlan p = plan(canvas);
        // The pressed look moves the content by a pixel, as if pushed in.
        const int shift = (state == Pressed && style != 2) ? 1 : 0;
        const bool enabled = q->isEnabled();
        if (p.iconX >= 0)
            icon->Paint(canvas, p.iconX + shift, (q->height() - velkIcon::CellSize) / 2 + shift,
                        icon->IconNr(iconName), enabled ? 1 : 2);
        const Color textColor = enabled ? SystemColor::ButtonText : kDisabledText;
        if (p.arrowX >= 0)
            FramePainter::dropArrow(canvas, p.arrowX + shift,
                                    (q->height() - FramePainter::DropArrowWidth) / 2 + shift, textColor);
        canvas.setForeColor(textColor);
        canvas.setCurrentX(p.textX + shift);
        canvas.setCurrentY(p.textY + shift);
        canvas.Print(shownCaption());
    }

    void setStateTo(short s)
    {
        if (state == s)
            return;
        state = s;
        q->update();
    }

    void endHover()
    {
        hover.stop();
        setStateTo(Normal);
    }

    QShortcut *makeShortcut(QKeySequence key, int keyAscii)
    {
        auto *shortcut = new QShortcut(key, q);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, q, [this, keyAscii] { q->AccessKeyPress(keyAscii); });
        return shortcut;
    }
};

velkButton::velkButton(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(d->hover.timer(), &QTimer::timeout, this, &velkButton::HoverTimerTick);
}

velkButton::~velkButton() = default;

velkButtonEvents *velkButton::events() const { return d->events; }

QString velkButton::caption() const { return d->caption; }

void velkButton::setCaption(const QString &caption)
{
    if (d->caption == caption)
        return;
    d->caption = caption;
    updateGeometry();
    update();
}

QString velkButton::Icon() const { return d->iconName; }

void velkButton::setIcon(const QString &icon)
{
    if (d->iconName == icon)
        return;
    d->iconName = icon;
    updateGeometry();
    update();
}

short velkButton::styleNumber() const { return d->style; }

void velkButton::setStyleNumber(short style)
{
    if (setIfChanged(d->style, style))
        update();
}

short velkButton::state() const { return d->state; }
void velkButton::setState(short state) { d->setStateTo(state); }
Color velkButton::BackColor() const { return d->backColor; }

void velkButton::setBackColor(Color color)
{
    if (setIfChanged(d->backColor, color))
        update();
}

QFont velkButton::Font() const { return font(); }
QString velkButton::Tag() const { return d->tag; }

void velkButton::setTag(const QString &value) { d->tag = value; }

bool velkButton::Default() const { return !d->defaultKeys.empty(); }

void velkButton::setDefault(bool on)
{
    if (on == Default())
        return;
    if (on) {
        d->defaultKeys = {d->makeShortcut(QKeySequence(Qt::Key_Return), KeyCode::Return),
                          d->makeShortcut(QKeySequence(Qt::Key_Enter), KeyCode::Return)};
    } else {
        qDeleteAll(d->defaultKeys);
        d->defaultKeys.clear();
    }
    update();
}

bool velkButton::Cancel() const { return d->cancelKey != nullptr; }

void velkButton::setCancel(bool on)
{
    if (on == Cancel())
        return;
    if (on) {
        d->cancelKey = d->makeShortcut(QKeySequence(Qt::Key_Escape), KeyCode::Escape);
    } else {
        delete d->cancelKey;
        d->cancelKey = nullptr;
    }
}

void velkButton::Refresh() { repaint(); }

void velkButton::AddIcon(const QString &icona, const QImage &picbox) { d->icon->AddIcon(icona, picbox); }
void velkButton::AddIcon(const QString &icona, QWidget *picbox) { d->icon->AddIcon(icona, picbox); }

void ControlPainting::paintOn(velkButton &button, Canvas &canvas)
{
    button.paintOn(canvas);
}

void velkButton::paintOn(Canvas &canvas)
{
    canvas.setFont(font());
    d->paintFace(canvas);
    d->paintContent(canvas);
}

void velkButton::MouseDown(int button, int, float, float)
{
    if (isEnabled() && button == MouseButton::Left)
        d->setStateTo(Pressed);
}

void velkButton::MouseMove(int button, int, float, float)
{
    if (!isEnabled() || button != 0)
        return;
    d->setStateTo(Hot);
    d->hover.start();
}

void velkButton::MouseUp(int, int shift, float x, float y)
{
    const bool clicked = d->state == Pressed && isEnabled() && Screen::isCursorOver(this);
    d->endHover();
    if (clicked)
        d->raiseClick(shift, int(std::lround(x)), int(std::lround(y)));
}

void velkButton::KeyPress(int keyAscii)
{
    if (isEnabled() && keyAscii == KeyCode::Space)
        d->raiseClick(0, 0, 0);
}

void velkButton::AccessKeyPress(int keyAscii)
{
    if (isEnabled() && (keyAscii == KeyCode::Return || keyAscii == KeyCode::Escape))
        d->raiseClick(0, 0, 0);
}

void velkButton::HoverTimerTick()
{
    d->hover.poll();
}

QSize velkButton::sizeHint() const
{
    Canvas measure(nullptr, ScaleMode::Pixels);
    measure.setFont(font());
    const int textW = int(std::lround(measure.TextWidth(d->shownCaption())));
    const int extraW = (d->hasIcon() || d->hasArrow()) ? velkIcon::CellSize + kIconGapPx : 0;
    return QSize(std::max(kMinimumSizePx.width(), textW + extraW + 2 * kPaddingPx),
                 std::max(kMinimumSizePx.height(), int(measure.TextHeight()) + kPaddingPx));
}

void velkButton::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkButton::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkButton::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkButton::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        KeyPress(KeyCode::Space);
        return;
    }
    QWidget::keyPressEvent(event);
}

void velkButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // A disabled button hands the focus on, as if Tab had been pressed.
    if (!isEnabled()) {
        focusNextChild();
        return;
    }
    d->hasFocus = true;
    update();
}

void velkButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    d->hasFocus = false;
    update();
}

void velkButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        d->endHover();
    QWidget::changeEvent(event);
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkButton>(QStringLiteral("velkButton")), true);
}

} // namespace velk
