#pragma once

#include <velk/editors/BoardModel_p.h>
#include <velk/velk_export.h>

#include <QHash>
#include <QLine>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

namespace velk {

/// A uniform grid over the board (twips) that finds the boxes and link lines near a
/// point or inside a rectangle without looking at the rest, for painting and hit tests
/// alike. A box is entered in every cell its rectangle touches, a link line in every cell
/// it passes through. Boxes and links are named by their 0-based position in the model,
/// so the index is built again after a box or link is removed.
class VELK_TESTS_EXPORT BoardIndex
{
public:
    /// Enters every box and every shown link of `model`; boxes are `width` × `height`.
    void build(const BoardModel &model, int width, int height);
    /// Enters the box at the model's last position (just appended).
    void addBox(const BoardModel &model, const BoardData &b);
    /// Enters a link appended to the model (nothing when it is not shown).
    void addLink(const BoardModel &model, const BoardLink &l);
    /// Enters the boxes `moved` (their positions already changed) and their links anew.
    void moveBoxes(const BoardModel &model, const std::vector<BoardData *> &moved);

    int cellSize() const { return m_cell; }
    int boxWidth() const { return m_width; }
    int boxHeight() const { return m_height; }
    QRect boxRect(const BoardData &b) const { return QRect(b.x, b.y, m_width, m_height); }
    /// The centre of a box, where its links end.
    QPoint centre(const BoardData &b) const { return QPoint(b.x + m_width / 2, b.y + m_height / 2); }
    /// The rectangle every box lies in (empty for an empty board).
    QRect extent() const { return m_extent; }

    /// Model position (1-based) of the topmost box containing `p`; 0 for none.
    int boxAt(QPoint p) const;
    /// Model position (1-based) of the shown link nearest to `p` within `tolerance`
    /// (the later one of equals); 0 for none.
    int linkAt(QPoint p, int tolerance) const;
    /// Model positions (1-based, ascending: painting order) of the boxes and shown links
    /// that touch `r`.
    void inRect(const QRect &r, std::vector<int> &boxes, std::vector<int> &links) const;

private:
    struct Cell
    {
        std::vector<int> boxes; // 0-based model positions
        std::vector<int> links;
    };
    using Key = quint64;
    static Key keyOf(int cx, int cy) { return (Key(quint32(cx)) << 32) | quint32(cy); }
    int cellOf(int v) const;
    template<typename F> void forBoxCells(const QRect &r, F &&f);
    template<typename F> void forSegmentCells(QPoint a, QPoint b, F &&f);
    static qint64 segmentCellCount(QPoint a, QPoint b, int cell);
    void leaveLink(int at, QPoint a, QPoint b);
    bool segmentOf(const BoardModel &model, const BoardLink &l, QPoint &a, QPoint &b) const;
    void enterBox(int at, const BoardData &b);
    void enterLink(int at, QPoint a, QPoint b);
    void growExtent(const QRect &r);
    uint32_t nextStamp() const;

    int m_cell = 4800;
    int m_width = 0;
    int m_height = 0;
    QRect m_extent;
    QHash<Key, Cell> m_cells;
    // Copies of the boxes' rectangles and the shown links' end points by model position,
    // so a query reads packed arrays instead of following pointers to every box.
    std::vector<QRect> m_boxRects;
    std::vector<QLine> m_segments;
    std::vector<bool> m_shown;
    // Lines that would cross more cells than kMaxLinkCells are kept apart and tested on
    // every query: a few absurdly long lines must not fill the grid.
    std::vector<int> m_longLinks;
    QHash<const BoardLink *, int> m_linkAt; // link → 0-based model position, made on the first move
    bool m_hasLinkAt = false;
    mutable std::vector<uint32_t> m_boxSeen;  // query stamps, so a result is listed once
    mutable std::vector<uint32_t> m_linkSeen;
    mutable uint32_t m_stamp = 0;
};

/// Distance in twips from `p` to the segment a–b.
VELK_TESTS_EXPORT double distanceToSegment(QPointF p, QPointF a, QPointF b);

} // namespace velk
