#include "FrameLayout_p.h"

#include "FrameSizes_p.h"
#include "FrameTags_p.h"

#include <velk/common/ColorHelpers.h>

#include <algorithm>

namespace velk {

FrameLayoutQuestions::~FrameLayoutQuestions() = default;

const FrameLayoutQuestions::ProvisionalSizes *FrameLayoutQuestions::provisionalSizes() const
{
    return nullptr;
}

namespace {

using namespace FrameTag;

// Only 2, as the first of the comma-separated numbers, asks for a drawn border.
bool hasBorder(const StdXMLNode &element)
{
    const QString border = element.GetAttribute(QStringLiteral("border"));
    return !border.isEmpty() && FrameSizes::wholeValue(border.section(u',', 0, 0)) == 2;
}

const StdXMLNodes &childrenOf(const StdXMLNodePtr &node)
{
    return node->SubElements();
}

FrameRect inset(const FrameRect &r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

FrameRect atLeastOnePixel(FrameRect r)
{
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}

class Pass
{
public:
    explicit Pass(const FrameLayoutQuestions &questions)
        : m_questions(questions)
        , m_configMode(questions.configMode())
        , m_requested(questions.requestedElement())
        , m_provisional(questions.provisionalSizes())
    {
    }

    FramePlan takePlan() { return std::move(m_plan); }

    void layout(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth)
    {
        layout(element, r, r, color, visible, depth);
    }

    // `area` is what the element owns on screen: `r` and the caption bar above it.
    void layout(const StdXMLNodePtr &element, FrameRect r, const FrameRect &area, Color color, bool visible, int depth)
    {
        if (!element || depth > FrameLayout::MaxDepth)
            return;
        if (visible && m_multiPages == 0)
            m_plan.elements.push_back({element, area, depth});
        const QString kind = FrameLayout::kindOf(*element);
        const QString backcolor = element->GetAttribute(QStringLiteral("backcolor"));
        if (!backcolor.isEmpty()) {
            color = ColorFromText(backcolor);
            if (visible)
                m_plan.steps.push_back(FrameFill{r, color});
        }
        if (kind == Item)
            layoutItem(*element, r, color, visible);
        else if (kind == Rows || kind == Cols)
            layoutBand(element, r, color, visible, depth, kind == Rows);
        else if (kind == Tabs)
            layoutTabs(element, element, r, color, visible, depth);
        else if (kind == Multi)
            layoutTabs(element, m_questions.multiCopies(element), r, color, visible, depth);
        else if (kind == Cell)
            layoutCell(element, r, color, visible, depth);
        else if (kind == Container)
            layoutContainer(*element, r, color, visible, depth);
        else if (kind == Space)
            adjust(*element, kind, r, visible);
    }

private:
    // The editing header and the border take their room from the cell before its content.
    FrameRect adjust(const StdXMLNode &element, const QString &kind, FrameRect r, bool visible)
    {
        if (hasBorder(element)) {
            if (visible)
                m_plan.steps.push_back(FrameBorder{r});
            r = inset(r, FrameLayout::BorderIndentPx);
        }
        if (m_configMode) {
            QString text = element.Tag;
            if (kind == Item)
                text += u' ' + element.GetAttribute(QStringLiteral("control"));
            if (visible)
                m_plan.steps.push_back(FrameHeader{{r.left, r.top, r.right, r.top + FrameLayout::HeaderHeightPx}, text});
            r.top += FrameLayout::HeaderHeightPx;
        }
        return r;
    }

    // A caption bar at the top of `r`; returns the room left for the child.
    FrameRect caption(const StdXMLNode &child, FrameRect r, bool visible)
    {
        const QString text = child.GetAttribute(QStringLiteral("caption"));
        if (text.isEmpty())
            return r;
        if (visible)
            m_plan.steps.push_back(FrameCaption{{r.left, r.top, r.right, r.top + FrameLayout::CaptionHeightPx}, text});
        r.top += FrameLayout::CaptionOffsetPx;
        return r;
    }

    void layoutItem(const StdXMLNode &element, FrameRect r, Color color, bool visible)
    {
        r = adjust(element, Item, r, visible);
        const int nr = FrameSizes::wholeValue(element.Comment);
        const FrameLayoutQuestions::SnapinState state = m_questions.snapin(nr);
        if (!state.exists) {
            const QString text = state.placeholder ? FrameLayout::placeholderText(element)
                                                   : FrameLayout::notFoundText(element.GetAttribute(QStringLiteral("control")));
            if (visible)
                m_plan.steps.push_back(FrameNotFound{r, text, state.placeholder});
            return;
        }
        FrameSnapinPlacement p;
        p.nr = nr;
        p.backColor = color;
        p.visible = visible;
        p.hasToolbar = state.hasToolbar;
        if (state.hasToolbar) {
            p.toolbar = atLeastOnePixel({r.left, r.top, r.right, r.top + state.toolbarHeightPx});
            p.control = atLeastOnePixel({r.left, p.toolbar.bottom + 1, r.right, r.bottom});
        } else {
            p.control = atLeastOnePixel(r);
        }
        m_plan.steps.push_back(std::move(p));
    }

    void layoutBand(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth, bool vertical)
    {
        r = adjust(*element, vertical ? Rows : Cols, r, visible);
        const StdXMLNodes &children = childrenOf(element);
        if (children.Count() == 0)
            return;
        QStringList sizeTexts;
        sizeTexts.reserve(qsizetype(children.Count()));
        const QString attribute = vertical ? QStringLiteral("height") : QStringLiteral("width");
        for (const StdXMLNodePtr &child : children)
            sizeTexts.push_back(child->GetAttribute(attribute));
        const int total = vertical ? r.height() : r.width();
        std::vector<int> sizes = FrameSizes::distribute(sizeTexts, total, m_configMode);
        useProvisionalSizes(*element, sizes);

        int pos = vertical ? r.top : r.left;
        size_t k = 0;
        for (const StdXMLNodePtr &child : children) {
            const int size = sizes[k++];
            const FrameRect band = vertical ? FrameRect{r.left, pos, r.right, pos + size}
                                            : FrameRect{pos, r.top, pos + size, r.bottom};
            layout(child, caption(*child, band, visible), band, color, visible, depth + 1);
            pos += size + FrameSizes::GapPx;
            if (visible && m_multiPages == 0 && k < sizes.size())
                addBoundary(element, children, k - 1, sizes, total, band, vertical);
        }
    }

    void useProvisionalSizes(const StdXMLNode &element, std::vector<int> &sizes) const
    {
        if (!m_provisional || m_provisional->parent != &element)
            return;
        const size_t first = size_t(std::max(0, m_provisional->first));
        if (first + 1 >= sizes.size())
            return;
        sizes[first] = m_provisional->firstPx;
        sizes[first + 1] = m_provisional->secondPx;
    }

    // The boundary after child `k`, whose band is `band`.
    void addBoundary(const StdXMLNodePtr &element, const StdXMLNodes &children, size_t k, const std::vector<int> &sizes,
                     int total, const FrameRect &band, bool vertical)
    {
        const StdXMLNodePtr &first = *children.Item(int(k) + 1);
        if (first->GetAttribute(QStringLiteral("resizable")) == QStringLiteral("false"))
            return;
        FrameBoundary b;
        b.parent = element;
        b.first = first;
        b.second = *children.Item(int(k) + 2);
        b.firstIndex = int(k);
        b.isBetweenRows = vertical;
        b.gap = vertical ? FrameRect{band.left, band.bottom, band.right, band.bottom + FrameSizes::GapPx}
                         : FrameRect{band.right, band.top, band.right + FrameSizes::GapPx, band.bottom};
        b.firstPx = sizes[k];
        b.secondPx = sizes[k + 1];
        b.roomPx = total - int(sizes.size() - 1) * FrameSizes::GapPx;
        m_plan.boundaries.push_back(std::move(b));
    }

    void layoutTabs(const StdXMLNodePtr &element, const StdXMLNodePtr &pages, FrameRect r, Color color,
                    bool visible, int depth)
    {
        if (!pages)
            return;
        const FrameLayoutQuestions::TabBarState bar = m_questions.tabBar(element);
        const StdXMLNodes &tabs = childrenOf(pages);
        FrameTabBarPlacement p;
        p.element = element;
        p.selected = std::min(bar.selected, int(tabs.Count()));
        p.backColor = color;
        if (hasBorder(*element)) {
            if (visible)
                m_plan.steps.push_back(FrameBorder{r});
            r = inset(r, FrameLayout::BorderIndentPx);
            p.backColor = ColorFromText(element->GetAttribute(QStringLiteral("backcolor")));
        }
        FrameRect content = r;
        if (element->GetAttribute(QStringLiteral("align")) == QStringLiteral("left")) {
            p.rect = {r.left, r.top, r.left + bar.widthPx, r.bottom};
            content.left = p.rect.right + FrameLayout::TabPageGapPx;
        } else {
            p.rect = {r.left, r.top, r.right, r.top + bar.heightPx};
            content.top = p.rect.bottom + FrameLayout::TabPageGapPx;
        }
        p.style = element->GetAttribute(QStringLiteral("type")) == QStringLiteral("bar") ? 5 : 4;
        p.menu = FrameLayout::tabMenu(*pages);
        p.visible = visible;
        if (!m_requested.isEmpty()) {
            int k = 0;
            for (const StdXMLNodePtr &tab : tabs) {
                ++k;
                if (tab->GetAttribute(QStringLiteral("message")) == m_requested) {
                    p.selected = k;
                    break;
                }
            }
        }
        const int selected = p.selected;
        m_plan.steps.push_back(std::move(p));
        // A MULTI's pages are copies made for showing; a press on them means the MULTI.
        const bool isMulti = pages != element;
        m_multiPages += isMulti ? 1 : 0;
        int k = 0;
        for (const StdXMLNodePtr &child : tabs) {
            ++k;
            layout(child, content, color, visible && k == selected, depth + 1);
        }
        m_multiPages -= isMulti ? 1 : 0;
    }

    void layoutCell(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth)
    {
        r = adjust(*element, Cell, r, visible);
        const StdXMLNodes &children = childrenOf(element);
        if (children.Count() == 0)
            return;
        // Children of a cell overlap; only the first one's caption is shown.
        const FrameRect area = r;
        r = caption(**children.Item(1), r, visible);
        for (const StdXMLNodePtr &child : children)
            layout(child, r, area, color, visible, depth + 1);
    }

    void layoutContainer(const StdXMLNode &element, FrameRect r, Color color, bool visible, int depth)
    {
        r = adjust(element, Container, r, visible);
        const StdXMLNodePtr node = m_questions.containerNode(element.GetAttribute(QStringLiteral("layout")));
        if (!node)
            return;
        for (const StdXMLNodePtr &child : childrenOf(node))
            layout(child, caption(*child, r, visible), r, color, visible, depth + 1);
    }

    const FrameLayoutQuestions &m_questions;
    const bool m_configMode;
    const QString m_requested;
    const FrameLayoutQuestions::ProvisionalSizes *m_provisional;
    int m_multiPages = 0; ///< how many MULTI page sets the pass is inside
    FramePlan m_plan;
};

bool walkFrom(const StdXMLNodePtr &element, const FrameLayoutQuestions &host, const FrameLayout::Visitor &visitor, int depth)
{
    if (!element || depth > FrameLayout::MaxDepth)
        return true;
    if (!visitor(element))
        return false;
    StdXMLNodePtr holder;
    const QString &tag = element->Tag;
    if (tag == Multi || (tag == Generic && FrameLayout::kindOf(*element) == Multi))
        holder = host.multiCopies(element);
    else if (tag == Rows || tag == Cols || tag == Tabs || tag == Cell || tag == Generic)
        holder = element;
    else if (tag == Container)
        holder = host.containerNode(element->GetAttribute(QStringLiteral("layout")));
    if (!holder)
        return true;
    for (const StdXMLNodePtr &child : childrenOf(holder)) {
        if (!walkFrom(child, host, visitor, depth + 1))
            return false;
    }
    return true;
}

} // namespace

namespace {

bool contains(const FrameRect &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Pixels from (x, y) to the rectangle; 0 inside.
int distanceTo(const FrameRect &r, int x, int y)
{
    const int dx = x < r.left ? r.left - x : (x >= r.right ? x - r.right + 1 : 0);
    const int dy = y < r.top ? r.top - y : (y >= r.bottom ? y - r.bottom + 1 : 0);
    return std::max(dx, dy);
}

} // namespace

StdXMLNodePtr FramePlan::elementAt(int x, int y) const
{
    // Later boxes are laid out inside earlier ones, or beside them.
    const FrameElementBox *best = nullptr;
    for (const FrameElementBox &box : elements) {
        if (contains(box.area, x, y) && (!best || box.depth >= best->depth))
            best = &box;
    }
    return best ? best->element : nullptr;
}

const FrameBoundary *FramePlan::boundaryAt(int x, int y) const
{
    const FrameBoundary *best = nullptr;
    int bestDistance = BoundaryTolerancePx + 1;
    for (const FrameBoundary &b : boundaries) {
        // The tolerance widens the gap across, not along it.
        const FrameRect reach = b.isBetweenRows ? FrameRect{b.gap.left, b.gap.top - BoundaryTolerancePx, b.gap.right,
                                                            b.gap.bottom + BoundaryTolerancePx}
                                                : FrameRect{b.gap.left - BoundaryTolerancePx, b.gap.top,
                                                            b.gap.right + BoundaryTolerancePx, b.gap.bottom};
        if (!contains(reach, x, y))
            continue;
        const int distance = distanceTo(b.gap, x, y);
        if (distance <= bestDistance) {
            best = &b;
            bestDistance = distance;
        }
    }
    return best;
}

FramePlan FrameLayout::layout(const StdXMLNodePtr &element, const FrameRect &rect, Color backColor,
                              const FrameLayoutQuestions &questions)
{
    Pass pass(questions);
    pass.layout(element, rect, backColor, true, 0);
    return pass.takePlan();
}

QString FrameLayout::kindOf(const StdXMLNode &element)
{
    return element.Tag == Generic ? element.GetAttribute(QStringLiteral("type")) : element.Tag;
}

bool FrameLayout::hasTabBar(const StdXMLNode &element)
{
    const QString kind = kindOf(element);
    return kind == Tabs || kind == Multi;
}

QString FrameLayout::notFoundText(const QString &className)
{
    return QStringLiteral("Control \"%1\" nicht gefunden").arg(className);
}

QString FrameLayout::placeholderText(const StdXMLNode &item)
{
    const QString className = item.GetAttribute(QStringLiteral("control"));
    return className.isEmpty() ? item.Tag : className;
}

QString FrameLayout::tabMenu(const StdXMLNode &tabs)
{
    QStringList captions;
    int k = 0;
    for (const StdXMLNodePtr &child : const_cast<StdXMLNode &>(tabs).SubElements()) {
        ++k;
        const QString caption = child->GetAttribute(QStringLiteral("caption"));
        captions.push_back(caption.isEmpty() ? u'#' + QString::number(k) : caption);
    }
    return captions.join(u',');
}

bool FrameLayout::walk(const StdXMLNodePtr &element, const FrameLayoutQuestions &host, const Visitor &visitor)
{
    return walkFrom(element, host, visitor, 0);
}

} // namespace velk
