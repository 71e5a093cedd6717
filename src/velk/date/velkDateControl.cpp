#include "velkDateControl.h"

#include "CalendarPaint_p.h"
#include "DateText_p.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace velk {
namespace {

constexpr int kColumns = 7;
constexpr int kRows = 9;          // month, year, weekday names, six weeks
constexpr int kMonthRow = 0;
constexpr int kYearRow = 1;
constexpr int kWeekdayRow = 2;
constexpr int kFirstWeekRow = 3;
constexpr Color kDisabledText = SystemColor::GrayText;

struct Grid
{
    double cellW;
    double cellH;
    Grid(int width, int height) : cellW(std::max(1, width) / double(kColumns)), cellH(std::max(1, height) / double(kRows)) {}
    QRectF rect(int row, int col, int span = 1) const { return QRectF(col * cellW, row * cellH, span * cellW, cellH); }
    int rowAt(double y) const { return std::clamp(int(std::floor(y / cellH)), 0, kRows - 1); }
    int colAt(double x) const { return std::clamp(int(std::floor(x / cellW)), 0, kColumns - 1); }
};

} // namespace

struct velkDateControl::Private
{
    velkDateControl *q;
    velkDateControlEvents *events;
    QToolButton *arrows[2][2]; // [month, year][back, forward]

    explicit Private(velkDateControl *owner)
        : q(owner)
        , events(new velkDateControlEvents(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        const QString names[2] = {QStringLiteral("C_Monat"), QStringLiteral("C_Jahr")};
        for (int kind = 0; kind < 2; ++kind) {
            for (int index = 0; index < 2; ++index) {
                auto *button = new QToolButton(owner);
                button->setObjectName(names[kind]);
                button->setProperty("Index", index);
                button->setArrowType(index == 0 ? Qt::LeftArrow : Qt::RightArrow);
                button->setAutoRaise(true);
                button->setFocusPolicy(Qt::NoFocus);
                button->setToolTip(kind == 0 ? (index == 0 ? QStringLiteral("Voriger Monat") : QStringLiteral("N\u00e4chster Monat"))
                                             : (index == 0 ? QStringLiteral("Voriges Jahr") : QStringLiteral("N\u00e4chstes Jahr")));
                const int step = index == 0 ? -1 : 1;
                QObject::connect(button, &QToolButton::clicked, owner, [this, kind, step] {
                    if (kind == 0)
                        q->showMonth(q->Year, q->Month + step);
                    else
                        q->showMonth(q->Year + step, q->Month);
                    q->update();
                });
                arrows[kind][index] = button;
            }
        }
    }

    Grid grid() const { return Grid(q->width(), q->height()); }
    QDate shownFirst() const { return DateText::clamped(q->Year, q->Month, 1); }
    QDate gridStart() const { return shownFirst().addDays(1 - shownFirst().dayOfWeek()); }

    // The day in week row `week` and column `col`; invalid outside the shown month.
    QDate dayAt(int week, int col) const
    {
        const QDate day = gridStart().addDays(7 * week + col);
        return day.month() == shownFirst().month() ? day : QDate();
    }

    void pick(const QDate &day)
    {
        q->SelectedDay = day.day();
        q->SelectedMonth = day.month();
        q->SelectedYear = day.year();
        q->showMonth(day.year(), day.month());
        q->update();
        emit events->Changed();
    }

    void placeArrows()
    {
        const Grid g = grid();
        for (int kind = 0; kind < 2; ++kind) {
            const int row = kind == 0 ? kMonthRow : kYearRow;
            arrows[kind][0]->setGeometry(g.rect(row, 0).toAlignedRect());
            arrows[kind][1]->setGeometry(g.rect(row, kColumns - 1).toAlignedRect());
        }
    }
};

velkDateControl::velkDateControl(QWidget *parent)
    : QWidget(parent)
    , Year(Today().year())
    , Month(Today().month())
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

velkDateControl::~velkDateControl() = default;

velkDateControlEvents *velkDateControl::events() const { return d->events; }

QDate velkDateControl::pickedDate() const
{
    if (SelectedYear == 0)
        return {};
    return DateText::clamped(SelectedYear, SelectedMonth, SelectedDay);
}

QString velkDateControl::Datum() const
{
    return SelectedYear == 0 ? QString() : DateText::format(SelectedDay, SelectedMonth, SelectedYear);
}

void velkDateControl::setDatum(const QString &text)
{
    const QDate day = DateText::parse(text);
    if (day.isValid()) {
        SelectedDay = day.day();
        SelectedMonth = day.month();
        SelectedYear = day.year();
        showMonth(day.year(), day.month());
    } else {
        SelectedDay = SelectedMonth = SelectedYear = 0;
    }
    update();
}

void velkDateControl::Refresh() { update(); }

void velkDateControl::showMonth(int year, int month)
{
    const qint64 shift = (month > 0 ? qint64(month) - 1 : qint64(month) - 12) / 12;
    Year = int(std::clamp<qint64>(year + shift, 1, 9999));
    Month = int(month - 12 * shift);
}

void velkDateControl::paintOn(Canvas &canvas) const
{
    const Grid g = d->grid();
    const Color text = isEnabled() ? SystemColor::WindowText : kDisabledText;
    canvas.setFontName(QStringLiteral("MS Sans Serif"));
    canvas.setFontSize(8);
    canvas.FilledBox(0, 0, width() - 1, height() - 1, SystemColor::WindowBackground);
    canvas.FilledBox(0, 0, width() - 1, g.rect(kWeekdayRow, 0).bottom() - 1, SystemColor::ButtonFace);
    const QDate first = d->shownFirst();
    CalendarPaint::centredText(canvas, g.rect(kMonthRow, 1, kColumns - 2), DateText::monthName(first.month()), text);
    CalendarPaint::centredText(canvas, g.rect(kYearRow, 1, kColumns - 2), QString::number(first.year()), text);
    for (int col = 0; col < kColumns; ++col)
        CalendarPaint::centredText(canvas, g.rect(kWeekdayRow, col), DateText::weekdayName(col + 1), text);
    const QDate picked = pickedDate();
    for (int week = 0; week < 6; ++week) {
        for (int col = 0; col < kColumns; ++col) {
            const QDate day = d->dayAt(week, col);
            if (!day.isValid())
                continue;
            const QRectF cell = g.rect(kFirstWeekRow + week, col);
            const bool isPicked = day == picked;
            if (isPicked)
                CalendarPaint::cellBox(canvas, cell, isEnabled() ? SystemColor::Highlight : SystemColor::ButtonShadow);
            CalendarPaint::centredText(canvas, cell, QString::number(day.day()),
                                       isPicked ? SystemColor::HighlightText : text);
            if (day == Today())
                canvas.Box(cell.left(), cell.top(), cell.right() - 1, cell.bottom() - 1, SystemColor::ButtonShadow);
        }
    }
}

void velkDateControl::MouseUp(int button, int, float x, float y)
{
    if (button != MouseButton::Left || !isEnabled())
        return;
    const Grid g = d->grid();
    const int row = g.rowAt(y);
    const int col = g.colAt(x);
    if (row == kMonthRow || row == kYearRow) {
        if (col == 0 || col == kColumns - 1)
            return; // the arrow buttons take these clicks
        update();
        emit d->events->Changed();
        return;
    }
    if (row >= kFirstWeekRow) {
        const QDate day = d->dayAt(row - kFirstWeekRow, col);
        if (day.isValid())
            d->pick(day);
    }
}

void velkDateControl::KeyDown(int keyCode, int shift)
{
    const QDate from = pickedDate().isValid() ? pickedDate() : d->shownFirst();
    const bool ctrl = shift & ShiftState::Ctrl;
    switch (keyCode) {
    case KeyCode::Left: d->pick(from.addDays(-1)); break;
    case KeyCode::Right: d->pick(from.addDays(1)); break;
    case KeyCode::Up: d->pick(from.addDays(-7)); break;
    case KeyCode::Down: d->pick(from.addDays(7)); break;
    case KeyCode::PageUp:
        showMonth(Year - (ctrl ? 1 : 0), Month - (ctrl ? 0 : 1));
        update();
        break;
    case KeyCode::PageDown:
        showMonth(Year + (ctrl ? 1 : 0), Month + (ctrl ? 0 : 1));
        update();
        break;
    case KeyCode::Space:
    case KeyCode::Return: {
        const QDate shown = pickedDate().isValid() && pickedDate().month() == Month && pickedDate().year() == Year
            ? pickedDate() : d->shownFirst();
        d->pick(shown);
        break;
    }
    default:
        break;
    }
}

QSize velkDateControl::sizeHint() const { return QSize(kColumns * 28, kRows * 18); }

void velkDateControl::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkDateControl::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkDateControl::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    switch (code) {
    case KeyCode::Left: case KeyCode::Right: case KeyCode::Up: case KeyCode::Down:
    case KeyCode::PageUp: case KeyCode::PageDown: case KeyCode::Space: case KeyCode::Return:
        if (isEnabled())
            KeyDown(code, shiftStateFromQt(event->modifiers()));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void velkDateControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->placeArrows();
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkDateControl>(QStringLiteral("velkDateControl")), true);
}

} // namespace velk
