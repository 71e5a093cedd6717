#include <velk/editors/BoardIndex_p.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velk {

namespace {
constexpr int kMinCell = 600;
constexpr int kMaxBoxSize = 100'000'000;
constexpr qint64 kMaxLinkCells = 4096;

qint64 floorDiv(qint64 v, qint64 d) { return v >= 0 ? v / d : -((-v + d - 1) / d); }

template<typename Vec> void eraseOne(Vec &v, int value)
{
    const auto it = std::find(v.begin(), v.end(), value);
    if (it != v.end()) {
        *it = v.back();
        v.pop_back();
    }
}
} // namespace

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    double t = len2 > 0 ? QPointF::dotProduct(p - a, ab) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

int BoardIndex::cellOf(int v) const { return int(floorDiv(v, m_cell)); }

uint32_t BoardIndex::nextStamp() const
{
    if (++m_stamp == 0) { // wrapped: forget every old mark
        std::fill(m_boxSeen.begin(), m_boxSeen.end(), 0);
        std::fill(m_linkSeen.begin(), m_linkSeen.end(), 0);
        m_stamp = 1;
    }
    return m_stamp;
}

void BoardIndex::build(const BoardModel &model, int width, int height)
{
    m_width = std::clamp(width, 1, kMaxBoxSize);
    m_height = std::clamp(height, 1, kMaxBoxSize);
    // Two box sizes per cell: a box touches at most four cells, and a screen a handful.
    m_cell = std::max(kMinCell, 2 * std::max(m_width, m_height));
    m_cells.clear();
    m_longLinks.clear();
    m_linkAt.clear();
    m_hasLinkAt = false;
    m_extent = QRect();
    m_boxSeen.assign(size_t(model.items().Count()), 0);
    m_linkSeen.assign(size_t(model.links().Count()), 0);
    m_boxRects.assign(size_t(model.items().Count()), QRect());
    m_segments.assign(size_t(model.links().Count()), QLine());
    m_shown.assign(size_t(model.links().Count()), false);
    m_stamp = 0;
    int at = 0;
    for (const BoardModel::ItemPtr &b : model.items())
        enterBox(at++, *b);
    // A link's ends lie anywhere in memory: ask for the ends of a link a few steps on
    // early, so that a large board does not wait for each of them in turn.
    constexpr int kEndsAhead = 8;
    const Collection<BoardModel::LinkPtr> &links = model.links();
    for (at = 0; at < links.Count(); ++at) {
        if (at + kEndsAhead < links.Count()) {
            const BoardLink &ahead = **links.Item(at + 1 + kEndsAhead);
            __builtin_prefetch(ahead.Location1.get());
            __builtin_prefetch(ahead.Location2.get());
        }
        QPoint a, b;
        if (segmentOf(model, **links.Item(at + 1), a, b))
            enterLink(at, a, b);
    }
}

void BoardIndex::addBox(const BoardModel &model, const BoardData &b)
{
    m_boxSeen.resize(size_t(model.items().Count()), 0);
    m_boxRects.resize(size_t(model.items().Count()));
    enterBox(b.nr - 1, b);
}

void BoardIndex::addLink(const BoardModel &model, const BoardLink &l)
{
    const int at = model.links().Count() - 1;
    m_linkSeen.resize(size_t(model.links().Count()), 0);
    m_segments.resize(size_t(model.links().Count()));
    m_shown.resize(size_t(model.links().Count()), false);
    if (m_hasLinkAt)
        m_linkAt.insert(&l, at);
    QPoint a, b;
    if (segmentOf(model, l, a, b))
        enterLink(at, a, b);
}

bool BoardIndex::segmentOf(const BoardModel &model, const BoardLink &l, QPoint &a, QPoint &b) const
{
    if (!model.isShown(l))
        return false;
    a = centre(*l.Location1);
    b = centre(*l.Location2);
    return true;
}

void BoardIndex::growExtent(const QRect &r) { m_extent = m_extent.isNull() ? r : m_extent.united(r); }

template<typename F> void BoardIndex::forBoxCells(const QRect &r, F &&f)
{
    for (int cx = cellOf(r.left()); cx <= cellOf(r.right()); ++cx) {
        for (int cy = cellOf(r.top()); cy <= cellOf(r.bottom()); ++cy)
            f(m_cells[keyOf(cx, cy)]);
    }
}

qint64 BoardIndex::segmentCellCount(QPoint a, QPoint b, int cell)
{
    const qint64 w = std::abs(qint64(b.x()) - a.x()) / cell + 1;
    const qint64 h = std::abs(qint64(b.y()) - a.y()) / cell + 1;
    return w + h;
}

// Walks the grid columns the segment spans; in each, the segment's y range there gives
// the cells it passes through (every one it touches, so a hit near a line is never missed).
template<typename F> void BoardIndex::forSegmentCells(QPoint a, QPoint b, F &&f)
{
    if (a.x() > b.x())
        std::swap(a, b);
    const double dx = double(b.x()) - a.x();
    const double dy = double(b.y()) - a.y();
    const auto yAt = [&](double x) { return dx == 0 ? double(a.y()) : a.y() + dy * (x - a.x()) / dx; };
    for (int cx = cellOf(a.x()); cx <= cellOf(b.x()); ++cx) {
        const double x0 = std::max<double>(a.x(), double(cx) * m_cell);
        const double x1 = std::min<double>(b.x(), (double(cx) + 1) * m_cell);
        double y0 = yAt(x0);
        double y1 = dx == 0 ? double(b.y()) : yAt(x1);
        if (y0 > y1)
            std::swap(y0, y1);
        for (int cy = cellOf(int(std::floor(y0))); cy <= cellOf(int(std::floor(y1))); ++cy)
            f(m_cells[keyOf(cx, cy)]);
    }
}

void BoardIndex::enterBox(int at, const BoardData &b)
{
    const QRect r = boxRect(b);
    m_boxRects[size_t(at)] = r;
    forBoxCells(r, [at](Cell &c) { c.boxes.push_back(at); });
    growExtent(r);
}

void BoardIndex::enterLink(int at, QPoint a, QPoint b)
{
    m_segments[size_t(at)] = QLine(a, b);
    m_shown[size_t(at)] = true;
    if (segmentCellCount(a, b, m_cell) > kMaxLinkCells) {
        m_longLinks.push_back(at);
        return;
    }
    forSegmentCells(a, b, [at](Cell &c) { c.links.push_back(at); });
}

void BoardIndex::leaveLink(int at, QPoint a, QPoint b)
{
    if (segmentCellCount(a, b, m_cell) > kMaxLinkCells) {
        eraseOne(m_longLinks, at);
        return;
    }
    forSegmentCells(a, b, [at](Cell &c) { eraseOne(c.links, at); });
}

void BoardIndex::moveBoxes(const BoardModel &model, const std::vector<BoardData *> &moved)
{
    if (!m_hasLinkAt) {
        int at = 0;
        m_linkAt.reserve(model.links().Count());
        for (const BoardModel::LinkPtr &l : model.links())
            m_linkAt.insert(l.get(), at++);
        m_hasLinkAt = true;
    }
    const uint32_t stamp = nextStamp();
    for (BoardData *b : moved) {
        const int at = b->nr - 1;
        forBoxCells(m_boxRects[size_t(at)], [at](Cell &c) { eraseOne(c.boxes, at); });
        enterBox(at, *b);
        for (const BoardLink *l : model.linksOf(b)) {
            const int linkAt = m_linkAt.value(l, -1);
            if (linkAt < 0 || m_linkSeen[size_t(linkAt)] == stamp || !model.isShown(*l))
                continue;
            m_linkSeen[size_t(linkAt)] = stamp;
            const QLine old = m_segments[size_t(linkAt)];
            leaveLink(linkAt, old.p1(), old.p2());
            enterLink(linkAt, centre(*l->Location1), centre(*l->Location2));
        }
    }
}

int BoardIndex::boxAt(QPoint p) const
{
    const auto it = m_cells.constFind(keyOf(cellOf(p.x()), cellOf(p.y())));
    if (it == m_cells.constEnd())
        return 0;
    int best = -1;
    for (int at : it->boxes) {
        if (at > best && m_boxRects[size_t(at)].contains(p))
            best = at;
    }
    return best + 1;
}

int BoardIndex::linkAt(QPoint p, int tolerance) const
{
    int best = -1;
    double bestDistance = std::numeric_limits<double>::max();
    const uint32_t stamp = nextStamp();
    const auto consider = [&](int at) {
        if (m_linkSeen[size_t(at)] == stamp)
            return;
        m_linkSeen[size_t(at)] = stamp;
        if (!m_shown[size_t(at)])
            return;
        const QLine &s = m_segments[size_t(at)];
        const double d = distanceToSegment(p, s.p1(), s.p2());
        if (d <= tolerance && (d < bestDistance || (d == bestDistance && at > best))) {
            best = at;
            bestDistance = d;
        }
    };
    for (int cx = cellOf(p.x() - tolerance); cx <= cellOf(p.x() + tolerance); ++cx) {
        for (int cy = cellOf(p.y() - tolerance); cy <= cellOf(p.y() + tolerance); ++cy) {
            const auto it = m_cells.constFind(keyOf(cx, cy));
            if (it != m_cells.constEnd())
                std::for_each(it->links.begin(), it->links.end(), consider);
        }
    }
    std::for_each(m_longLinks.begin(), m_longLinks.end(), consider);
    return best + 1;
}

void BoardIndex::inRect(const QRect &r, std::vector<int> &boxes, std::vector<int> &links) const
{
    boxes.clear();
    links.clear();
    const QRect area = r.intersected(m_extent);
    const uint32_t stamp = nextStamp();
    if (!area.isEmpty()) {
        for (int cx = cellOf(area.left()); cx <= cellOf(area.right()); ++cx) {
            for (int cy = cellOf(area.top()); cy <= cellOf(area.bottom()); ++cy) {
                const auto it = m_cells.constFind(keyOf(cx, cy));
                if (it == m_cells.constEnd())
                    continue;
                for (int at : it->boxes) {
                    if (m_boxSeen[size_t(at)] != stamp && m_boxRects[size_t(at)].intersects(r)) {
                        m_boxSeen[size_t(at)] = stamp;
                        boxes.push_back(at + 1);
                    }
                }
                for (int at : it->links) {
                    if (m_linkSeen[size_t(at)] != stamp) {
                        m_linkSeen[size_t(at)] = stamp;
                        links.push_back(at + 1);
                    }
                }
            }
        }
    }
    for (int at : m_longLinks) {
        const QLine &s = m_segments[size_t(at)];
        if (QRect(s.p1(), s.p2()).normalized().adjusted(0, 0, 1, 1).intersects(r))
            links.push_back(at + 1);
    }
    std::sort(boxes.begin(), boxes.end());
    std::sort(links.begin(), links.end());
}

} // namespace velk
