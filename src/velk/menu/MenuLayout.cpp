#include "MenuLayout_p.h"

#include <cmath>

namespace velk {

namespace {

constexpr int kStyle5Start = 1;
constexpr int kRowInsetPx = 4;       // left inset of icon and caption in vertical style 3
constexpr int kRowIconPartPx = 22;   // icon part of a style-3 row: inset, icon, gap
constexpr int kRowArrowPartPx = 16;  // split arrow part at the right of a row
constexpr int kStackedIconPartPx = 20; // icon part at the top of a style-2 row

} // namespace

MenuLayout::MenuLayout(const MenuModel &model, const MenuLayoutOptions &options)
    : m_model(model)
    , m_style(options.style)
    , m_size(options.size)
    , m_vertical(options.size.height() > options.size.width())
    , m_textWidth(options.textWidth)
{
    m_boxes.resize(size_t(model.Count()));
    for (int id = 1; id <= model.Count(); ++id)
        measure(model.entry(id), m_boxes[size_t(id - 1)]);
    place();
}

int MenuLayout::contentSize(const MenuEntry &e) const
{
    int size = 0;
    if (e.isCaptionHidden())
        size = e.hasIcon() ? 12 : 0;
    else
        size = (e.hasIcon() ? iconCellWidth(m_style) : 0)
             + int(std::lround(m_textWidth ? m_textWidth(e.caption) : 0));
    if (e.hasMarker())
        size += MarkerWidth;
    return size;
}

// The size rules, in the order they take precedence.
void MenuLayout::measure(const MenuEntry &e, MenuItemBox &b) const
{
    const bool separator = e.kind == MenuEntry::Separator;
    if (e.kind == MenuEntry::FarEnd) {
        b = {};
    } else if (m_vertical && m_style == 2) {
        b.margin = 6;
        b.size = separator ? 10 : 40;
    } else if (m_vertical && m_style == 3) {
        b.margin = 6;
        b.size = separator ? 10 : 15;
    } else if (e.kind == MenuEntry::Field) {
        b.size = e.isEvalField() ? 55 : 100;
    } else if (separator) {
        b.margin = 4;
        b.size = 2;
    } else if (m_style == 6) {
        b.margin = 4;
        b.size = 80;
        b.spacing = 5;
    } else if (isTabStyle(m_style)) {
        b.margin = 12;
        b.size = contentSize(e);
        b.spacing = -6;
    } else {
        b.margin = 6;
        b.size = contentSize(e) - (e.caption.isEmpty() ? 4 : 0);
        b.spacing = 1;
    }
}

void MenuLayout::place()
{
    const int length = m_vertical ? m_size.height() : m_size.width();
    int pos = m_style == 5 ? kStyle5Start : 0;
    m_menuWidth = pos;
    size_t farEnd = m_boxes.size();
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        MenuItemBox &b = m_boxes[i];
        m_menuWidth += b.extent() + b.spacing;
        if (farEnd == m_boxes.size() && m_model.entries()[i].kind == MenuEntry::FarEnd)
            farEnd = i;
        b.start = pos;
        pos += b.extent() + b.spacing;
    }
    if (farEnd + 1 >= m_boxes.size())
        return;
    // The items after ">" end at the far end of the bar, in their order.
    int tail = 0;
    for (size_t i = farEnd + 1; i < m_boxes.size(); ++i)
        tail += m_boxes[i].extent() + (i + 1 < m_boxes.size() ? m_boxes[i].spacing : 0);
    pos = length - tail;
    for (size_t i = farEnd + 1; i < m_boxes.size(); ++i) {
        m_boxes[i].start = pos;
        pos += m_boxes[i].extent() + m_boxes[i].spacing;
    }
}

const MenuItemBox &MenuLayout::box(int id) const
{
    static const MenuItemBox none;
    return id >= 1 && id <= int(m_boxes.size()) ? m_boxes[size_t(id - 1)] : none;
}

QRect MenuLayout::itemRect(int id) const
{
    if (id < 1 || id > int(m_boxes.size()))
        return QRect();
    const MenuItemBox &b = box(id);
    return m_vertical ? QRect(0, b.start, m_size.width(), b.extent())
                      : QRect(b.start, 0, b.extent(), m_size.height());
}

// The part of item `id` from `from` to `to` pixels along the bar, the whole bar across.
QRect MenuLayout::span(int id, int from, int to) const
{
    const QRect item = itemRect(id);
    if (to <= from)
        return QRect();
    return m_vertical ? QRect(item.left(), from, item.width(), to - from)
                      : QRect(from, item.top(), to - from, item.height());
}

QRect MenuLayout::iconRect(int id) const
{
    const MenuEntry &e = m_model.entry(id);
    if (!e.hasIcon())
        return QRect();
    const MenuItemBox &b = box(id);
    const QRect item = itemRect(id);
    if (isRowList() && m_style == 3)
        return QRect(item.left(), item.top(), kRowIconPartPx, item.height());
    if (isRowList())
        return QRect(item.left(), item.top(), item.width(), b.margin + kStackedIconPartPx);
    if (e.isCaptionHidden())
        return item;
    return span(id, b.start, b.start + b.margin + iconCellWidth(m_style));
}

QRect MenuLayout::arrowRect(int id) const
{
    if (!m_model.entry(id).isSplit())
        return QRect();
    const MenuItemBox &b = box(id);
    const QRect item = itemRect(id);
    if (isRowList())
        return QRect(item.right() + 1 - kRowArrowPartPx, item.top(), kRowArrowPartPx, item.height());
    return span(id, b.end() - b.margin - MarkerWidth, b.end());
}

QRect MenuLayout::captionRect(int id) const
{
    const MenuEntry &e = m_model.entry(id);
    if (!e.isClickable())
        return QRect();
    QRect caption = itemRect(id);
    const QRect icon = iconRect(id);
    const QRect arrow = arrowRect(id);
    const bool sideBySide = !m_vertical || (isRowList() && m_style == 3);
    if (isRowList() && m_style == 2) {
        if (!icon.isEmpty())
            caption.setTop(icon.bottom() + 1);
        if (!arrow.isEmpty())
            caption.setRight(arrow.left() - 1);
    } else if (sideBySide) {
        if (!icon.isEmpty())
            caption.setLeft(icon.right() + 1);
        if (!arrow.isEmpty())
            caption.setRight(arrow.left() - 1);
    } else {
        if (!icon.isEmpty())
            caption.setTop(icon.bottom() + 1);
        if (!arrow.isEmpty())
            caption.setBottom(arrow.top() - 1);
    }
    return caption.isValid() ? caption : QRect();
}

MenuHit MenuLayout::hitTest(QPointF p) const
{
    const QPoint pixel(int(std::floor(p.x())), int(std::floor(p.y())));
    for (int id = 1; id <= int(m_boxes.size()); ++id) {
        if (!m_model.entry(id).isClickable() || !itemRect(id).contains(pixel))
            continue;
        if (iconRect(id).contains(pixel))
            return {id, MenuPart::Icon};
        if (captionRect(id).contains(pixel))
            return {id, MenuPart::Caption};
        if (arrowRect(id).contains(pixel))
            return {id, MenuPart::Arrow};
        return {id, MenuPart::None};
    }
    return {};
}

} // namespace velk
