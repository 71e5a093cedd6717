#include "FrameLayout.h"

#include "FrameSizes.h"

#include <velk/common/ColorHelpers.h>

#include <algorithm>

namespace velk {

FrameLayoutHost::~FrameLayoutHost() = default;

namespace {

const QString kItem = QStringLiteral("ITEM");
const QString kRows = QStringLiteral("ROWS");
const QString kCols = QStringLiteral("COLS");
const QString kTabs = QStringLiteral("TABS");
const QString kMulti = QStringLiteral("MULTI");
const QString kCell = QStringLiteral("CELL");
const QString kContainer = QStringLiteral("CONTAINER");
const QString kSpace = QStringLiteral("SPACE");
const QString kGeneric = QStringLiteral("GENERIC");

// Only 2, as the first of the comma-separated numbers, asks for a drawn border.
bool hasBorder(const StdXMLNode &element)
{
    const QString border = element.GetAttribute(QStringLiteral("border"));
    return !border.isEmpty() && FrameSizes::wholeValue(border.section(u',', 0, 0)) == 2;
}

// A snapshot of the children: snap-ins answer layout calls synchronously and may change
// the tree (a parameter pull rewrites nodes) while the pass walks it.
std::vector<StdXMLNodePtr> childrenOf(const StdXMLNodePtr &node)
{
    std::vector<StdXMLNodePtr> children;
    if (!node)
        return children;
    const StdXMLNodes &all = node->SubElements();
    children.reserve(size_t(all.Count()));
    for (const StdXMLNodePtr &child : all)
        children.push_back(child);
    return children;
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
    explicit Pass(FrameLayoutHost &host)
        : m_host(host)
        , m_configMode(host.configMode())
        , m_requested(host.requestedElement())
    {
    }

    void layout(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth)
    {
        if (!element || depth > FrameLayout::MaxDepth)
            return;
        const QString kind = FrameLayout::kindOf(*element);
        const QString backcolor = element->GetAttribute(QStringLiteral("backcolor"));
        if (!backcolor.isEmpty()) {
            color = ColorFromText(backcolor);
            if (visible)
                m_host.fillBackground(r, color);
        }
        if (kind == kItem)
            layoutItem(*element, r, color, visible);
        else if (kind == kRows || kind == kCols)
            layoutBand(element, r, color, visible, depth, kind == kRows);
        else if (kind == kTabs)
            layoutTabs(element, element, r, color, visible, depth);
        else if (kind == kMulti)
            layoutTabs(element, m_host.multiCopies(element), r, color, visible, depth);
        else if (kind == kCell)
            layoutCell(element, r, color, visible, depth);
        else if (kind == kContainer)
            layoutContainer(*element, r, color, visible, depth);
        else if (kind == kSpace)
            adjust(*element, kind, r, visible);
    }

private:
    // The editing header and the border take their room from the cell before its content.
    FrameRect adjust(const StdXMLNode &element, const QString &kind, FrameRect r, bool visible)
    {
        if (hasBorder(element)) {
            if (visible)
                m_host.drawBorder(r);
            r = inset(r, FrameLayout::BorderIndentPx);
        }
        if (m_configMode) {
            QString text = element.Tag;
            if (kind == kItem)
                text += u' ' + element.GetAttribute(QStringLiteral("control"));
            if (visible)
                m_host.drawHeader({r.left, r.top, r.right, r.top + FrameLayout::HeaderHeightPx}, text);
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
            m_host.drawCaption({r.left, r.top, r.right, r.top + FrameLayout::CaptionHeightPx}, text);
        r.top += FrameLayout::CaptionOffsetPx;
        return r;
    }

    void layoutItem(const StdXMLNode &element, FrameRect r, Color color, bool visible)
    {
        r = adjust(element, kItem, r, visible);
        const int nr = FrameSizes::wholeValue(element.Comment);
        const FrameLayoutHost::SnapinState state = m_host.snapin(nr);
        if (!state.exists) {
            if (visible)
                m_host.drawNotFound(r, FrameLayout::notFoundText(element.GetAttribute(QStringLiteral("control"))));
            return;
        }
        FrameLayoutHost::SnapinPlacement p;
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
        m_host.placeSnapin(p);
    }

    void layoutBand(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth, bool vertical)
    {
        r = adjust(*element, vertical ? kRows : kCols, r, visible);
        const std::vector<StdXMLNodePtr> children = childrenOf(element);
        if (children.empty())
            return;
        QStringList sizeTexts;
        sizeTexts.reserve(qsizetype(children.size()));
        const QString attribute = vertical ? QStringLiteral("height") : QStringLiteral("width");
        for (const StdXMLNodePtr &child : children)
            sizeTexts.push_back(child->GetAttribute(attribute));
        const std::vector<int> sizes =
            FrameSizes::distribute(sizeTexts, vertical ? r.height() : r.width(), m_configMode);

        int pos = vertical ? r.top : r.left;
        size_t k = 0;
        for (const StdXMLNodePtr &child : children) {
            const int size = sizes[k++];
            const FrameRect band = vertical ? FrameRect{r.left, pos, r.right, pos + size}
                                            : FrameRect{pos, r.top, pos + size, r.bottom};
            layout(child, caption(*child, band, visible), color, visible, depth + 1);
            pos += size + FrameSizes::GapPx;
        }
    }

    void layoutTabs(const StdXMLNodePtr &element, const StdXMLNodePtr &pages, FrameRect r, Color color,
                    bool visible, int depth)
    {
        if (!pages)
            return;
        const FrameLayoutHost::TabBarState bar = m_host.tabBar(element);
        const std::vector<StdXMLNodePtr> tabs = childrenOf(pages);
        FrameLayoutHost::TabBarPlacement p;
        p.element = element;
        p.selected = std::min(bar.selected, int(tabs.size()));
        p.backColor = color;
        if (hasBorder(*element)) {
            if (visible)
                m_host.drawBorder(r);
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
            for (size_t k = 0; k < tabs.size(); ++k) {
                if (tabs[k]->GetAttribute(QStringLiteral("message")) == m_requested) {
                    p.selected = int(k) + 1;
                    break;
                }
            }
        }
        m_host.placeTabBar(p);
        int k = 0;
        for (const StdXMLNodePtr &child : tabs) {
            ++k;
            layout(child, content, color, visible && k == p.selected, depth + 1);
        }
    }

    void layoutCell(const StdXMLNodePtr &element, FrameRect r, Color color, bool visible, int depth)
    {
        r = adjust(*element, kCell, r, visible);
        const std::vector<StdXMLNodePtr> children = childrenOf(element);
        if (children.empty())
            return;
        // Children of a cell overlap; only the first one's caption is shown.
        r = caption(*children.front(), r, visible);
        for (const StdXMLNodePtr &child : children)
            layout(child, r, color, visible, depth + 1);
    }

    void layoutContainer(const StdXMLNode &element, FrameRect r, Color color, bool visible, int depth)
    {
        r = adjust(element, kContainer, r, visible);
        const StdXMLNodePtr node = m_host.containerNode(element.GetAttribute(QStringLiteral("layout")));
        if (!node)
            return;
        for (const StdXMLNodePtr &child : childrenOf(node))
            layout(child, caption(*child, r, visible), color, visible, depth + 1);
    }

    FrameLayoutHost &m_host;
    const bool m_configMode;
    const QString m_requested;
};

bool walkFrom(const StdXMLNodePtr &element, FrameLayoutHost &host, const FrameLayout::Visitor &visitor, int depth)
{
    if (!element || depth > FrameLayout::MaxDepth)
        return true;
    if (!visitor(element))
        return false;
    StdXMLNodePtr holder;
    const QString &tag = element->Tag;
    if (tag == kMulti || (tag == kGeneric && FrameLayout::kindOf(*element) == kMulti))
        holder = host.multiCopies(element);
    else if (tag == kRows || tag == kCols || tag == kTabs || tag == kCell || tag == kGeneric)
        holder = element;
    else if (tag == kContainer)
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

void FrameLayout::layout(const StdXMLNodePtr &element, const FrameRect &rect, Color backColor, FrameLayoutHost &host)
{
    Pass(host).layout(element, rect, backColor, true, 0);
}

QString FrameLayout::kindOf(const StdXMLNode &element)
{
    return element.Tag == kGeneric ? element.GetAttribute(QStringLiteral("type")) : element.Tag;
}

QString FrameLayout::notFoundText(const QString &className)
{
    return QStringLiteral("Control \"%1\" nicht gefunden").arg(className);
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

bool FrameLayout::walk(const StdXMLNodePtr &element, FrameLayoutHost &host, const Visitor &visitor)
{
    return walkFrom(element, host, visitor, 0);
}

} // namespace velk
