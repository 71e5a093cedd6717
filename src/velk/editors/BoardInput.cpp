#include <velk/editors/BoardInput_p.h>

#include <velk/editors/velkBoard.h>
#include <velk/platform/Input.h>

#include <algorithm>

namespace velk {

namespace {
constexpr int kPositionLimit = 1'000'000'000;

int moved(int v, int by) { return int(std::clamp<qint64>(qint64(v) + by, -kPositionLimit, kPositionLimit)); }
} // namespace

BoardInput::BoardInput(Board board) : m_board(std::move(board)) {}

void BoardInput::press(int button, int shift, QPoint p)
{
    if (button != MouseButton::Left)
        return;
    m_dragging = false;
    m_moving.clear();
    m_selectOnlyOnRelease.reset();
    BoardModel &model = m_board.model;
    const int nr = m_board.index().boxAt(p);
    if (nr > 0) {
        if (pressBox(nr, shift, p))
            m_board.changed();
        return;
    }
    const int link = m_board.index().linkAt(p, kLinkTolerance);
    if (link > 0) {
        const BoardModel::LinkPtr l = *model.links().Item(link);
        Q_EMIT m_board.events->ClickLink(l);
        return;
    }
    deselectAll();
    m_board.changed();
}

// Returns whether the selection changed (and so the board needs painting).
bool BoardInput::pressBox(int nr, int shift, QPoint p)
{
    BoardModel &model = m_board.model;
    const BoardModel::ItemPtr b = *model.items().Item(nr);
    const int entry = m_board.layout().menuEntryAt(p - QPoint(b->x, b->y));
    if (entry > 0) {
        Q_EMIT m_board.events->ClickMenu(entry, b);
        return false;
    }
    if ((shift & ShiftState::Ctrl) && b->Selected) {
        b->Selected = false;
        return true;
    }
    if (shift & (ShiftState::Shift | ShiftState::Ctrl))
        b->Selected = true;
    else if (!b->Selected)
        selectOnly(b.get());
    else
        m_selectOnlyOnRelease = b; // a press on the selection may start dragging all of it
    for (const BoardModel::ItemPtr &each : model.items()) {
        if (each->Selected)
            m_moving.push_back(each);
    }
    m_dragging = true;
    m_start = p;
    m_applied = QPoint();
    return true;
}

void BoardInput::move(int buttons, int, QPoint p)
{
    if (!m_dragging || !(buttons & MouseButton::Left))
        return;
    const QPoint delta = p - m_start;
    const QPoint step = delta - m_applied;
    if (step.isNull())
        return;
    const BoardIndex &current = m_board.index(); // rebuilt first if the board changed meanwhile
    (void)current;
    std::vector<BoardData *> boxes;
    for (const BoardModel::ItemPtr &b : m_moving) {
        if (!m_board.model.isOnBoard(b.get()))
            continue;
        b->x = moved(b->x, step.x());
        b->y = moved(b->y, step.y());
        boxes.push_back(b.get());
    }
    m_board.movableIndex().moveBoxes(m_board.model, boxes);
    m_applied = delta;
    m_board.changed();
}

void BoardInput::release(int button, int, QPoint)
{
    if (button != MouseButton::Left || !m_dragging)
        return;
    m_dragging = false;
    const std::vector<BoardModel::ItemPtr> moving = std::move(m_moving);
    m_moving.clear();
    if (m_applied.isNull()) {
        if (m_selectOnlyOnRelease && m_board.model.isOnBoard(m_selectOnlyOnRelease.get())) {
            selectOnly(m_selectOnlyOnRelease.get());
            m_board.changed();
        }
        m_selectOnlyOnRelease.reset();
        return;
    }
    m_selectOnlyOnRelease.reset();
    for (const BoardModel::ItemPtr &b : moving) {
        if (m_board.model.isOnBoard(b.get()))
            Q_EMIT m_board.events->Changed(b);
    }
}

void BoardInput::selectOnly(const BoardData *b)
{
    for (const BoardModel::ItemPtr &each : m_board.model.items())
        each->Selected = each.get() == b;
}

void BoardInput::deselectAll()
{
    for (const BoardModel::ItemPtr &each : m_board.model.items())
        each->Selected = false;
}

} // namespace velk
