#include "velkDate.h"

#include "CalendarPaint_p.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

constexpr int kRows = 4;
constexpr int kTopColumns = 8;
constexpr int kMonthColumns = 4;

int cellIndex(double v, double size, int count)
{
    return std::clamp(int(std::floor(v / size)), 0, count - 1);
}

} // namespace

struct velkDate::Private
{
    velkDate *q;
    velkDateEvents *events;
    int firstYear = Today().year() - 2;

    explicit Private(velkDate *owner)
        : q(owner)
        , events(new velkDateEvents(owner))
    {
        events->setObjectName(QStringLiteral("events"));
    }

    double rowH() const { return std::max(1, q->height()) / double(kRows); }
    double topW() const { return std::max(1, q->width()) / double(kTopColumns); }
    double monthW() const { return std::max(1, q->width()) / double(kMonthColumns); }
    QRectF topCell(int col, int span = 1) const { return QRectF(col * topW(), 0, span * topW(), rowH()); }
    QRectF monthCell(int month) const
    {
        return QRectF(((month - 1) % kMonthColumns) * monthW(), ((month - 1) / kMonthColumns + 1) * rowH(), monthW(), rowH());
    }

    void clickYear(int year)
    {
        if (q->Year == year) {
            q->Year = 0;
        } else {
            q->Year = short(year);
        }
        q->Month = 0;
    }
    void clickMonth(int month) { q->Month = q->Month == month ? 0 : short(month); }
    void moveYears(int step) { firstYear = std::clamp(firstYear + step, 1, 9997); }
};

velkDate::velkDate(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

velkDate::~velkDate() = default;

velkDateEvents *velkDate::events() const { return d->events; }
int velkDate::firstShownYear() const { return d->firstYear; }
void velkDate::Refresh() { update(); }

QString velkDate::Text() const
{
    QString text;
    if (Month != 0)
        text = QString::number(Month) + u'.';
    if (Year != 0)
        text += QString::number(Year);
    return text;
}

void velkDate::paintOn(Canvas &canvas) const
{
    canvas.setFontName(QStringLiteral("MS Sans Serif"));
    canvas.setFontSize(8);
    canvas.FilledBox(0, 0, width() - 1, height() - 1, SystemColor::ButtonFace);
    CalendarPaint::arrow(canvas, d->topCell(0), false, SystemColor::ButtonText);
    CalendarPaint::arrow(canvas, d->topCell(kTopColumns - 1), true, SystemColor::ButtonText);
    for (int i = 0; i < 3; ++i) {
        const QRectF cell = d->topCell(1 + 2 * i, 2);
        const int year = d->firstYear + i;
        const bool selected = year == Year;
        if (selected)
            CalendarPaint::cellBox(canvas, cell, SystemColor::Highlight);
        CalendarPaint::centredText(canvas, cell, QString::number(year),
                                   selected ? SystemColor::HighlightText : SystemColor::ButtonText);
    }
    for (int month = 1; month <= 12; ++month) {
        const QRectF cell = d->monthCell(month);
        const bool selected = month == Month;
        CalendarPaint::cellBox(canvas, cell, selected ? SystemColor::Highlight : SystemColor::WindowBackground);
        CalendarPaint::centredText(canvas, cell, QString::number(month),
                                   selected ? SystemColor::HighlightText : SystemColor::WindowText);
    }
}

void velkDate::MouseDown(int button, int, float x, float y)
{
    emit d->events->Click();
    if (button != MouseButton::Left)
        return;
    const int row = cellIndex(y, d->rowH(), kRows);
    if (row == 0) {
        const int col = cellIndex(x, d->topW(), kTopColumns);
        if (col == 0)
            d->moveYears(-1);
        else if (col == kTopColumns - 1)
            d->moveYears(1);
        else
            d->clickYear(d->firstYear + (col - 1) / 2);
    } else {
        d->clickMonth((row - 1) * kMonthColumns + cellIndex(x, d->monthW(), kMonthColumns) + 1);
    }
    update();
}

void velkDate::KeyDown(int keyCode, int)
{
    int step = 0;
    switch (keyCode) {
    case KeyCode::Left: step = -1; break;
    case KeyCode::Right: step = 1; break;
    case KeyCode::Up: step = -kMonthColumns; break;
    case KeyCode::Down: step = kMonthColumns; break;
    case KeyCode::PageUp:
    case KeyCode::PageDown: {
        const int base = Year != 0 ? Year : d->firstYear + 2;
        Year = short(std::clamp(base + (keyCode == KeyCode::PageUp ? -1 : 1), 1, 9999));
        // Keep the selected year among the three shown.
        d->firstYear = std::clamp(d->firstYear, Year - 2, int(Year));
        update();
        return;
    }
    default:
        return;
    }
    Month = short(Month == 0 ? 1 : std::clamp(Month + step, 1, 12));
    update();
}

QSize velkDate::sizeHint() const { return QSize(kTopColumns * 24, kRows * 22); }

void velkDate::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkDate::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkDate::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    switch (code) {
    case KeyCode::Left: case KeyCode::Right: case KeyCode::Up: case KeyCode::Down:
    case KeyCode::PageUp: case KeyCode::PageDown:
        KeyDown(code, shiftStateFromQt(event->modifiers()));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkDate>(QStringLiteral("velkDate")), true);
}

} // namespace velk
