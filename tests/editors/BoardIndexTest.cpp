#include <velk/editors/BoardIndex_p.h>

#include "support/TestSupport.h"

#include <QRandomGenerator>

#include <algorithm>
#include <limits>

using namespace velk;

namespace {

constexpr int kW = 2400;
constexpr int kH = 1000;

struct RandomBoard
{
    BoardModel model;
    QRandomGenerator random;

    RandomBoard(quint32 seed, int boxes, int links, int span) : random(seed)
    {
        for (int i = 0; i < boxes; ++i) {
            auto b = std::make_shared<BoardData>();
            b->x = random.bounded(-span / 4, span);
            b->y = random.bounded(-span / 4, span);
            model.addItem(b);
        }
        for (int i = 0; i < links; ++i) {
            auto l = std::make_shared<BoardLink>();
            l->Location1 = *model.items().Item(random.bounded(1, boxes + 1));
            l->Location2 = *model.items().Item(random.bounded(1, boxes + 1));
            model.addLink(l);
        }
    }
    QPoint point(int span) { return QPoint(random.bounded(-span / 4, span + kW), random.bounded(-span / 4, span + kH)); }
};

QPoint centreOf(const BoardData &b) { return QPoint(b.x + kW / 2, b.y + kH / 2); }

int bruteBoxAt(const BoardModel &m, QPoint p)
{
    for (int nr = m.items().Count(); nr >= 1; --nr) {
        if (QRect(m.item(nr)->x, m.item(nr)->y, kW, kH).contains(p))
            return nr;
    }
    return 0;
}

int bruteLinkAt(const BoardModel &m, QPoint p, int tolerance)
{
    int best = 0;
    double bestDistance = std::numeric_limits<double>::max();
    for (int at = 1; at <= m.links().Count(); ++at) {
        const BoardLink &l = **m.links().Item(at);
        if (!m.isShown(l))
            continue;
        const double d = distanceToSegment(p, centreOf(*l.Location1), centreOf(*l.Location2));
        if (d <= tolerance && d <= bestDistance) {
            best = at;
            bestDistance = d;
        }
    }
    return best;
}

void expectMatchesBruteForce(RandomBoard &board, const BoardIndex &index, int span, int probes)
{
    for (int i = 0; i < probes; ++i) {
        const QPoint p = board.point(span);
        ASSERT_EQ(index.boxAt(p), bruteBoxAt(board.model, p)) << p.x() << "," << p.y();
        ASSERT_EQ(index.linkAt(p, 45), bruteLinkAt(board.model, p, 45)) << p.x() << "," << p.y();
    }
}

} // namespace

TEST(BoardIndex, HitsMatchABruteForceScanOnRandomBoards)
{
    for (quint32 seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const int span = 40000 * int(seed);
        RandomBoard board(seed, 150, 300, span);
        BoardIndex index;
        index.build(board.model, kW, kH);
        expectMatchesBruteForce(board, index, span, 2000);

        // Points right on a link line (where the cell walk matters most).
        for (int i = 1; i <= board.model.links().Count(); ++i) {
            const BoardLink &l = **board.model.links().Item(i);
            const QPoint p = (centreOf(*l.Location1) + centreOf(*l.Location2)) / 2;
            if (bruteBoxAt(board.model, p) == 0)
                ASSERT_EQ(index.linkAt(p, 45), bruteLinkAt(board.model, p, 45));
        }
    }
}

TEST(BoardIndex, MovingBoxesKeepsTheIndexExact)
{
    const int span = 60000;
    RandomBoard board(7, 120, 240, span);
    BoardIndex index;
    index.build(board.model, kW, kH);
    for (int step = 0; step < 20; ++step) {
        std::vector<BoardData *> moved;
        for (int i = 0; i < 5; ++i)
            moved.push_back(board.model.item(board.random.bounded(1, 121)));
        std::sort(moved.begin(), moved.end());
        moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
        const int dx = board.random.bounded(-9000, 9000);
        const int dy = board.random.bounded(-9000, 9000);
        for (BoardData *b : moved) {
            b->x += dx;
            b->y += dy;
        }
        index.moveBoxes(board.model, moved);
    }
    expectMatchesBruteForce(board, index, span, 3000);
}

TEST(BoardIndex, RectQueryFindsExactlyTheBoxesAndAtLeastTheLinksInside)
{
    const int span = 50000;
    RandomBoard board(11, 200, 200, span);
    // One absurdly long line is kept apart and still found.
    auto far = std::make_shared<BoardData>();
    far->x = 900'000'000;
    board.model.addItem(far);
    auto longLink = std::make_shared<BoardLink>();
    longLink->Location1 = *board.model.items().Item(1);
    longLink->Location2 = far;
    board.model.addLink(longLink);
    BoardIndex index;
    index.build(board.model, kW, kH);

    std::vector<int> boxes, links;
    const QRect view(5000, 5000, 15000, 10000);
    index.inRect(view, boxes, links);
    std::vector<int> expected;
    for (int nr = 1; nr <= board.model.items().Count(); ++nr) {
        if (QRect(board.model.item(nr)->x, board.model.item(nr)->y, kW, kH).intersects(view))
            expected.push_back(nr);
    }
    EXPECT_EQ(boxes, expected);
    for (int at = 1; at <= board.model.links().Count(); ++at) {
        const BoardLink &l = **board.model.links().Item(at);
        // Sampled points of a line inside the view mean the line must be listed.
        for (int k = 0; k <= 64; ++k) {
            const QPointF p = centreOf(*l.Location1) + (centreOf(*l.Location2) - centreOf(*l.Location1)) * (k / 64.0);
            if (view.contains(p.toPoint())) {
                EXPECT_TRUE(std::binary_search(links.begin(), links.end(), at)) << at;
                break;
            }
        }
    }
    EXPECT_TRUE(std::is_sorted(links.begin(), links.end()));
}
