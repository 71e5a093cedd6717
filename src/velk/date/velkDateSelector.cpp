#include "velkDateSelector.h"

#include "CalendarPaint_p.h"
#include "DateText_p.h"

#include <velk/common/CalendarHelpers.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velk {
namespace {

constexpr int kCells = 8;
constexpr int kFirstWeekRow = 3;
const QString kFontName = QStringLiteral("MS Sans Serif");

// A cell of the 8 × 8 grid, rows and columns from 1.
struct Cell
{
    int row = 0;
    int col = 0;
};

// The grid over a width and height in pixels: the cell a point lies in, and back.
struct Grid
{
    double cellW;
    double cellH;

    Grid(int width, int height) : cellW(std::max(1, width) / double(kCells)), cellH(std::max(1, height) / double(kCells)) {}

    Cell cellAt(double x, double y) const
    {
        const auto index = [](double v, double size) {
            return std::clamp(int(std::floor(v / size)), 0, kCells - 1) + 1;
        };
        return {index(y, cellH), index(x, cellW)};
    }
    QRectF rect(int row, int col, int spanCols = 1) const
    {
        return QRectF((col - 1) * cellW, (row - 1) * cellH, spanCols * cellW, cellH);
    }
};

} // namespace

struct velkDateSelector::Private
{
    velkDateSelector *q;
    velkDateSelectorEvents *events;
    DateSelectorModel model;
    QString flags;
    QMenu *menu;

    explicit Private(velkDateSelector *owner)
        : q(owner)
        , events(new velkDateSelectorEvents(owner))
        , model(*owner)
        , menu(new QMenu(owner))
    {
        events->setObjectName(QStringLiteral("events"));
        menu->setObjectName(QStringLiteral("menu_popup"));
        QAction *today = menu->addAction(QStringLiteral("Gehe zum aktuellen Monat"));
        today->setObjectName(QStringLiteral("menu_heute"));
        QObject::connect(today, &QAction::triggered, q, [this] { showToday(); });
        QAction *deselect = menu->addAction(QStringLiteral("Markierung aufheben"));
        deselect->setObjectName(QStringLiteral("menu_deselect"));
        QObject::connect(deselect, &QAction::triggered, q, [this] { finish(model.clear()); });
    }

    Grid grid() const { return Grid(q->width(), q->height()); }
    bool rangeMode(int shift) const
    {
        return (shift & (ShiftState::Shift | ShiftState::Ctrl)) != 0 && !model.hasFlag(QStringLiteral("norange"));
    }

    void showToday()
    {
        model.showMonth(Today().year(), Today().month());
        q->update();
    }

    // After a click: repaint, and raise Changed when the selection changed.
    void finish(bool changed)
    {
        q->update();
        if (changed)
            emit events->Changed();
    }

    bool clickCell(const Cell &cell, bool range)
    {
        if (cell.row <= 2 && (cell.col == 1 || cell.col == kCells)) {
            const int step = cell.col == 1 ? -1 : 1;
            if (cell.row == 1)
                model.showMonth(q->Year + step, q->Month);
            else
                model.showMonth(q->Year, q->Month + step);
            return false;
        }
        if (cell.row == 1)
            return model.clickYear(range);
        if (cell.row == 2)
            return model.clickMonth(range);
        if (cell.col == 1)
            return model.clickWeek(cell.row - kFirstWeekRow, range);
        return model.clickDay(model.dayAt(cell.row - kFirstWeekRow, cell.col - 2), range);
    }

    void paintHeader(Canvas &canvas, const Grid &g) const
    {
        const QDate first = model.shownFirst();
        const bool yearSelected = model.hasSelection() && model.startDate() <= QDate(first.year(), 1, 1)
            && model.endDate() >= QDate(first.year(), 12, 31);
        const QDate last = first.addDays(first.daysInMonth() - 1);
        const bool monthSelected = model.hasSelection() && model.startDate() <= first && model.endDate() >= last;
        const QString texts[2] = {QString::number(first.year()), DateText::monthName(first.month())};
        const bool selected[2] = {yearSelected, monthSelected};
        for (int row = 1; row <= 2; ++row) {
            CalendarPaint::arrow(canvas, g.rect(row, 1), false, q->NormalForeColor);
            CalendarPaint::arrow(canvas, g.rect(row, kCells), true, q->NormalForeColor);
            const QRectF label = g.rect(row, 2, kCells - 2);
            if (selected[row - 1])
                CalendarPaint::cellBox(canvas, label, q->SelectedColor);
            CalendarPaint::centredText(canvas, label, texts[row - 1],
                                       selected[row - 1] ? q->SelectedForeColor : q->NormalForeColor);
        }
    }

    Color dayBackground(const QDate &day) const
    {
        if (!model.isSelected(day))
            return q->NormalColor;
        // The ends of a range are drawn as selected, the days between as inside it.
        const bool isEnd = day == model.startDate() || day == model.endDate();
        return isEnd ? q->SelectedColor : q->IndirectSelectedBackColor;
    }

    void paintWeeks(Canvas &canvas, const Grid &g) const
    {
        const QDate start = model.gridStart();
        const QDate cursor = model.cursor();
        for (int week = 0; week < 6; ++week) {
            const int row = kFirstWeekRow + week;
            const QDate monday = start.addDays(7 * week);
            if (!model.dayAt(week, 0).isValid() && !model.dayAt(week, 6).isValid())
                continue;
            CalendarPaint::centredText(canvas, g.rect(row, 1), QString::number(monday.weekNumber()),
                                       q->NormalForeColor);
            for (int weekday = 0; weekday < 7; ++weekday) {
                const QDate day = model.dayAt(week, weekday);
                if (!day.isValid())
                    continue;
                const QRectF cell = g.rect(row, weekday + 2);
                CalendarPaint::cellBox(canvas, cell, dayBackground(day));
                const bool selected = model.isSelected(day) && dayBackground(day) == q->SelectedColor;
                CalendarPaint::centredText(canvas, cell, QString::number(day.day()),
                                           selected ? q->SelectedForeColor : q->NormalForeColor);
                if (q->hasFocus() && day == cursor)
                    canvas.Box(cell.left() + 1, cell.top() + 1, cell.right() - 2, cell.bottom() - 2,
                               q->NormalForeColor);
            }
        }
    }
};

velkDateSelector::velkDateSelector(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

velkDateSelector::~velkDateSelector() = default;

velkDateSelectorEvents *velkDateSelector::events() const { return d->events; }
QString velkDateSelector::flags() const { return d->flags; }

void velkDateSelector::setFlags(const QString &flags)
{
    d->flags = flags;
    d->model.setFlags(flags);
}

QString velkDateSelector::datum1() const { return d->model.datum1(); }

void velkDateSelector::setDatum1(const QString &text)
{
    d->model.setDatum1(text);
    update();
}

QString velkDateSelector::Datum2() const { return d->model.Datum2(); }
QString velkDateSelector::MorvaiCondition() const { return d->model.MorvaiCondition(); }
void velkDateSelector::Refresh() { update(); }
DateSelectorModel &velkDateSelector::model() { return d->model; }
QMenu *velkDateSelector::contextMenu() const { return d->menu; }

void velkDateSelector::paintOn(Canvas &canvas) const
{
    canvas.setFontName(kFontName);
    canvas.setFontSize(8);
    canvas.FilledBox(0, 0, width() - 1, height() - 1, BackColor);
    const Grid g = d->grid();
    d->paintHeader(canvas, g);
    d->paintWeeks(canvas, g);
}

void velkDateSelector::MouseDown(int, int, float, float)
{
    setFocus(Qt::MouseFocusReason);
}

void velkDateSelector::MouseUp(int button, int, float x, float y)
{
    if (button == MouseButton::Right) {
        d->menu->popup(mapToGlobal(QPoint(int(x), int(y))));
        return;
    }
    if (button != MouseButton::Left)
        return;
    const bool range = d->rangeMode(Screen::shiftState());
    d->finish(d->clickCell(d->grid().cellAt(x, y), range));
}

void velkDateSelector::KeyDown(int keyCode, int shift)
{
    const bool ctrl = shift & ShiftState::Ctrl;
    const bool extend = (shift & ShiftState::Shift) != 0;
    int days = 0;
    switch (keyCode) {
    case KeyCode::Left: days = -1; break;
    case KeyCode::Right: days = 1; break;
    case KeyCode::Up: days = -7; break;
    case KeyCode::Down: days = 7; break;
    case KeyCode::PageUp:
    case KeyCode::PageDown: {
        const int step = keyCode == KeyCode::PageUp ? -1 : 1;
        d->model.moveCursor(0, ctrl ? 0 : step, ctrl ? step : 0);
        update();
        return;
    }
    case KeyCode::Space:
    case KeyCode::Return:
        d->finish(d->model.clickDay(d->model.cursor(), d->rangeMode(shift)));
        return;
    default:
        return;
    }
    d->model.moveCursor(days);
    if (extend && d->rangeMode(shift))
        d->finish(d->model.clickDay(d->model.cursor(), true));
    else
        update();
}

QSize velkDateSelector::sizeHint() const { return QSize(kCells * 26, kCells * 18); }

void velkDateSelector::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkDateSelector::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkDateSelector::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkDateSelector::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCodeOf(event);
    static const int handled[] = {KeyCode::Left, KeyCode::Right, KeyCode::Up, KeyCode::Down,
                                  KeyCode::PageUp, KeyCode::PageDown, KeyCode::Space, KeyCode::Return};
    if (std::find(std::begin(handled), std::end(handled), code) == std::end(handled)) {
        QWidget::keyPressEvent(event);
        return;
    }
    KeyDown(code, shiftStateFromQt(event->modifiers()));
}

namespace {
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkDateSelector>(QStringLiteral("velkDateSelector")), true);
}

} // namespace velk
