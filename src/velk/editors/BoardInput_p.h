#pragma once

#include <velk/editors/BoardIndex_p.h>
#include <velk/editors/BoardLayout_p.h>
#include <velk/editors/BoardModel_p.h>
#include <velk/velk_export.h>

#include <QPoint>

#include <functional>
#include <memory>
#include <vector>

namespace velk {

class velkBoardEvents;

/// The board's mouse handling in board twips. A press tests, in this order: a menu entry
/// of the topmost box under it (ClickMenu), the box itself (selection; Shift adds to the
/// selection, Ctrl toggles the box in it; a drag then moves the selected boxes and raises
/// Changed for each on release), a link within kLinkTolerance (ClickLink), and otherwise
/// empty board (every box deselected).
class VELK_TESTS_EXPORT BoardInput
{
public:
    /// Three pixels.
    static constexpr int kLinkTolerance = 45;

    struct Board
    {
        BoardModel &model;
        const std::function<const BoardIndex &()> index; ///< the index, brought up to date
        const std::function<BoardIndex &()> movableIndex;
        const std::function<const BoardLayout &()> layout;
        const std::function<void()> changed;             ///< repaint after a change
        velkBoardEvents *events;
    };

    explicit BoardInput(Board board);

    void press(int button, int shift, QPoint p);
    void move(int buttons, int shift, QPoint p);
    void release(int button, int shift, QPoint p);
    bool isDragging() const { return m_dragging; }

private:
    bool pressBox(int nr, int shift, QPoint p);
    void selectOnly(const BoardData *b);
    void deselectAll();

    Board m_board;
    bool m_dragging = false;
    QPoint m_start;
    QPoint m_applied;
    std::vector<std::shared_ptr<BoardData>> m_moving;
    std::shared_ptr<BoardData> m_selectOnlyOnRelease;
};

} // namespace velk
