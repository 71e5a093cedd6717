#pragma once

// Draws a menu bar from its items and layout: item faces by state and style, icons,
// captions (turned in vertical toolbars and tab strips), markers, separators and tabs.
// It only reads; the two questions it asks per item (enabled? selected?) are the bar's
// CheckState and CheckSelected events.

#include <velk/common/Color.h>

#include <QFont>

#include <functional>

namespace velk {

class Canvas;
class MenuLayout;
class MenuModel;
class velkIcon;
struct MenuEntry;

/// The bar's state as painting sees it.
struct MenuBarLook
{
    Color backColor = 0;
    Color buttonColor = 0; ///< effective
    Color foreColor = 0;
    Color inactiveColor = 0;
    int hotItem = 0;
    int pressedItem = 0;
    int selected = 0;
    int keyboardFocus = 0; ///< 0: no focus frame
    QFont font;
    std::function<bool(int id)> isEnabled;
    std::function<bool(int id)> isSelected;
};

class MenuBarPainter
{
public:
    MenuBarPainter(Canvas &canvas, const MenuModel &model, const MenuLayout &layout, const MenuBarLook &look,
                   velkIcon &icon);

    void paint();

    /// The font of captions turned in vertical bars: Arial, 12 pixels high.
    static QFont turnedCaptionFont();

private:
    enum class ItemState { Normal, Hot, Pressed, Selected, Disabled };

    void paintItem(int id);
    void paintTabs();
    void paintTab(int id, bool front);
    void paintSeparator(int id);
    void paintFace(int id, ItemState state);
    void paintContent(int id, ItemState state);
    void paintAlongContent(int id, const MenuEntry &e, ItemState state);
    void paintRowContent(int id, const MenuEntry &e, ItemState state);
    void paintCaption(const QString &caption, int x, int y, bool turned, Color color);
    void paintSplitDivider(int id);
    ItemState stateOf(int id, bool enabled, bool selected) const;
    Color faceColor(ItemState state) const;
    Color textColor(ItemState state) const;

    Canvas &m_canvas;
    const MenuModel &m_model;
    const MenuLayout &m_layout;
    const MenuBarLook &m_look;
    velkIcon &m_icon;
};

} // namespace velk
