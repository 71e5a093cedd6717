#pragma once

// Where the menu bar's items go: one pass over the items computes each item's margin,
// size and spacing along the bar, and the parts (icon, caption, arrow) that painting and
// the mouse share. Pixels throughout; no widgets.

#include <velk/menu/MenuModel_p.h>
#include <velk/velk_export.h>

#include <QPointF>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

namespace velk {

/// What the layout needs to know about the bar.
struct VELK_TESTS_EXPORT MenuLayoutOptions
{
    short style = 0;
    QSize size; ///< inner size of the bar in pixels
    /// The width in pixels of a caption as it will be drawn.
    std::function<double(const QString &)> textWidth;
};

/// One item's place along the bar (x when horizontal, y when vertical).
struct VELK_TESTS_EXPORT MenuItemBox
{
    int start = 0;   ///< first pixel of the item
    int margin = 0;  ///< before and after the content
    int size = 0;    ///< the content
    int spacing = 0; ///< to the next item (−6: tabs overlap)
    int extent() const { return 2 * margin + size; }
    int end() const { return start + extent(); }
};

enum class MenuPart { None, Icon, Caption, Arrow };

struct VELK_TESTS_EXPORT MenuHit
{
    int id = 0; ///< 0: no item
    MenuPart part = MenuPart::None;
};

class VELK_TESTS_EXPORT MenuLayout
{
public:
    MenuLayout(const MenuModel &model, const MenuLayoutOptions &options);

    /// Tab styles act on the press; the others on the release.
    static bool isTabStyle(short style) { return style == 1 || style == 4; }
    /// Width of the icon cell: 20 in style 4, 16 otherwise.
    static int iconCellWidth(short style) { return style == 4 ? 20 : 16; }
    /// Width a drop-down marker adds.
    static constexpr int MarkerWidth = 12;

    /// Taller than wide.
    bool isVertical() const { return m_vertical; }
    /// Vertical styles 2 and 3 lay items out as rows with their parts side by side.
    bool isRowList() const { return m_vertical && (m_style == 2 || m_style == 3); }
    short style() const { return m_style; }
    const QSize &size() const { return m_size; }

    /// One box per item, item `id` at index id − 1.
    const std::vector<MenuItemBox> &boxes() const { return m_boxes; }
    const MenuItemBox &box(int id) const;
    /// 1 in style 5 (0 otherwise) plus every item's margin + size + margin + spacing.
    int MenuWidth() const { return m_menuWidth; }

    /// The item's rectangle: its extent along the bar, the whole bar across.
    QRect itemRect(int id) const;
    /// The parts that the mouse can hit; empty rectangles for parts an item lacks.
    QRect iconRect(int id) const;
    QRect arrowRect(int id) const;
    QRect captionRect(int id) const;

    /// The clickable item under `p` and the part hit (icon, then caption, then arrow).
    MenuHit hitTest(QPointF p) const;

private:
    void measure(const MenuEntry &entry, MenuItemBox &box) const;
    int contentSize(const MenuEntry &entry) const;
    void place();
    QRect span(int id, int from, int to) const;

    const MenuModel &m_model;
    short m_style = 0;
    QSize m_size;
    bool m_vertical = false;
    std::function<double(const QString &)> m_textWidth;
    std::vector<MenuItemBox> m_boxes;
    int m_menuWidth = 0;
};

} // namespace velk
