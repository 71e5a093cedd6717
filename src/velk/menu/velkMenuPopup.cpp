#include "velkMenuPopup.h"

#include "PopupLayout_p.h"
#include "velkMenuPopup_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>

#include <QMouseEvent>

#include <cmath>

namespace velk {

namespace {

constexpr Color kHighlight = 0x800000;  // dark blue (0,0,128)
constexpr Color kHighlightText = 0xFFFFFF;
constexpr Color kText = 0x000000;
constexpr Color kEtchDark = 0x808080;
constexpr Color kEtchLight = 0xFFFFFF;
constexpr double kTextInsetTwips = 4 * TwipsPerPixel;
constexpr int kPreferredLinePx = 18;
constexpr int kPreferredWidthPx = 160;

} // namespace

struct velkMenuPopup::Private
{
    velkMenuPopup *q;
    velkMenuPopupEvents *events;
    QString menu = QStringLiteral("Zeile 1,Zeile 2,-,Zeile 3,...");
    short selected = 0;

    explicit Private(velkMenuPopup *owner)
        : q(owner)
        , events(new velkMenuPopupEvents(owner))
    {
        events->setObjectName(QStringLiteral("events"));
    }

    void paintLine(Canvas &canvas, const PopupLine &line) const
    {
        const double width = q->width() * TwipsPerPixel;
        const double bottom = line.top + line.height - TwipsPerPixel;
        if (line.isSeparator) {
            const double mid = line.top + line.height / 2 - TwipsPerPixel;
            canvas.FilledBox(0, line.top, width, bottom, SystemColor::ButtonFace);
            canvas.Line(0, mid, width, mid, kEtchDark);
            canvas.Line(0, mid + TwipsPerPixel, width, mid + TwipsPerPixel, kEtchLight);
            return;
        }
        if (line.height <= 0)
            return;
        const bool highlighted = line.number == selected;
        canvas.FilledBox(0, line.top, width, bottom, highlighted ? kHighlight : SystemColor::ButtonFace);
        canvas.setForeColor(highlighted ? kHighlightText : kText);
        canvas.setCurrentX(kTextInsetTwips);
        canvas.setCurrentY(line.top + (line.height - canvas.TextHeight(line.text)) / 2);
        canvas.Print(line.text);
    }

    // The pixel rows a line covers, for a repaint of just that line.
    QRect pixelRect(const PopupLine &line) const
    {
        const int top = int(std::floor(line.top / TwipsPerPixel));
        const int bottom = int(std::ceil((line.top + line.height) / TwipsPerPixel));
        return QRect(0, top, q->width(), bottom - top + 1);
    }
};

velkMenuPopup::velkMenuPopup(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

velkMenuPopup::~velkMenuPopup() = default;

velkMenuPopupEvents *velkMenuPopup::events() const { return d->events; }
QString velkMenuPopup::Menu() const { return d->menu; }

void velkMenuPopup::setMenu(const QString &menu)
{
    d->menu = menu;
    update();
}

short velkMenuPopup::Selected() const { return d->selected; }

void velkMenuPopup::setSelected(short selected)
{
    if (d->selected == selected)
        return;
    const PopupLayout lines = lineLayout();
    if (const PopupLine *old = lines.line(d->selected))
        update(d->pixelRect(*old));
    d->selected = selected;
    if (const PopupLine *now = lines.line(selected))
        update(d->pixelRect(*now));
}

void velkMenuPopup::Refresh() { repaint(); }

void MenuPopupAccess::paintOn(velkMenuPopup &popup, Canvas &canvas)
{
    popup.paintOn(canvas);
}

PopupLayout velkMenuPopup::lineLayout() const
{
    return PopupLayout(d->menu, height() * TwipsPerPixel, TwipsPerPixel);
}

void velkMenuPopup::paintOn(Canvas &canvas)
{
    canvas.setFont(font());
    canvas.FilledBox(0, 0, width() * TwipsPerPixel, height() * TwipsPerPixel, SystemColor::ButtonFace);
    const PopupLayout lines = lineLayout();
    for (const PopupLine &line : lines.lines())
        d->paintLine(canvas, line);
}

void velkMenuPopup::MouseMove(int, int, float, float y)
{
    setSelected(short(lineLayout().lineAt(y)));
}

void velkMenuPopup::MouseDown(int, int, float, float y)
{
    const int number = lineLayout().lineAt(y);
    if (number == 0)
        return;
    setSelected(short(number));
    emit d->events->Click();
}

QSize velkMenuPopup::sizeHint() const
{
    return QSize(kPreferredWidthPx, std::max(1, int(lineLayout().lines().size())) * kPreferredLinePx);
}

void velkMenuPopup::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Twips);
    paintOn(canvas);
}

void velkMenuPopup::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkMenuPopup::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event, TwipsPerPixel);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkMenuPopup::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkMenuPopup>(QStringLiteral("velkMenuPopup")), true);
}

} // namespace velk
