#include "MenuBarPainter_p.h"

#include "MenuLayout_p.h"
#include "MenuModel_p.h"

#include <velk/controls/FramePainter_p.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/SystemColors.h>

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <vector>

namespace velk {

namespace {

constexpr int kFaceRadiusPx = 5;
constexpr int kIconPx = velkIcon::CellSize;
constexpr int kArrowPx = FramePainter::DropArrowWidth;
constexpr int kTabRaisePx = 2;      // unselected tabs stand lower than the selected one
constexpr int kTabCornerPx = 3;
constexpr int kRowInsetPx = 4;      // style-3 rows: icon inset
constexpr int kRowCaptionPx = 24;   // style-3 rows: caption start
constexpr int kStackedCaptionPx = 22; // style-2 rows: caption below the icon
constexpr int kRowArrowInsetPx = 14;
constexpr int kSplitPartPx = 16;
// Turned captions: escapement 2700 (read from top to bottom), Arial with a cell 12 pixels high.
constexpr int kTurnedCellPx = 12;
constexpr double kTurnedAngle = 90.0;

int lround(double v) { return int(std::lround(v)); }

} // namespace

MenuBarPainter::MenuBarPainter(Canvas &canvas, const MenuModel &model, const MenuLayout &layout,
                               const MenuBarLook &look, velkIcon &icon)
    : m_canvas(canvas)
    , m_model(model)
    , m_layout(layout)
    , m_look(look)
    , m_icon(icon)
{
}

QFont MenuBarPainter::turnedCaptionFont()
{
    installFontSubstitutes();
    QFont f(QStringLiteral("Arial"));
    int pixels = kTurnedCellPx;
    f.setPixelSize(pixels);
    while (pixels > 6 && QFontMetricsF(f).height() > kTurnedCellPx)
        f.setPixelSize(--pixels);
    return f;
}

void MenuBarPainter::paint()
{
    const QSize size = m_layout.size();
    m_canvas.setFont(m_look.font);
    m_canvas.FilledBox(0, 0, size.width() - 1, size.height() - 1, m_look.backColor);
    if (MenuLayout::isTabStyle(m_layout.style())) {
        paintTabs();
    } else {
        for (int id = 1; id <= m_model.Count(); ++id)
            paintItem(id);
    }
    if (m_look.keyboardFocus > 0 && m_look.keyboardFocus <= m_model.Count())
        FramePainter::focusFrame(m_canvas, m_layout.itemRect(m_look.keyboardFocus).adjusted(2, 2, -3, -3));
}

MenuBarPainter::ItemState MenuBarPainter::stateOf(int id, bool enabled, bool selected) const
{
    if (!enabled)
        return ItemState::Disabled;
    if (id == m_look.hotItem)
        return id == m_look.pressedItem ? ItemState::Pressed : ItemState::Hot;
    return selected ? ItemState::Selected : ItemState::Normal;
}

// Highlight shades: pressed the strongest, then selected, then hot.
Color MenuBarPainter::faceColor(ItemState state) const
{
    switch (state) {
    case ItemState::Pressed: return FramePainter::PressedFace;
    case ItemState::Hot: return FramePainter::HotFace;
    case ItemState::Selected: return FramePainter::SelectedFace;
    case ItemState::Disabled: return m_look.inactiveColor;
    case ItemState::Normal: break;
    }
    return m_look.buttonColor;
}

Color MenuBarPainter::textColor(ItemState state) const
{
    return state == ItemState::Disabled ? FramePainter::Gray : m_look.foreColor;
}

void MenuBarPainter::paintItem(int id)
{
    const MenuEntry &e = m_model.entry(id);
    if (e.kind == MenuEntry::FarEnd)
        return;
    const bool enabled = m_look.isEnabled(id);
    if (e.kind == MenuEntry::Separator) {
        paintSeparator(id);
        return;
    }
    if (e.kind == MenuEntry::Field)
        return; // its edit box covers it
    const bool selected = m_look.isSelected(id) || id == m_look.selected;
    const ItemState state = stateOf(id, enabled, selected);
    paintFace(id, state);
    paintContent(id, state);
}

void MenuBarPainter::paintFace(int id, ItemState state)
{
    const QRect item = m_layout.itemRect(id);
    const QRect face = m_layout.isVertical() ? item.adjusted(1, 0, -2, -1) : item.adjusted(0, 1, -1, -2);
    const bool plain = state == ItemState::Normal || state == ItemState::Disabled;
    switch (m_layout.style()) {
    case 2:
        FramePainter::roundedFace(m_canvas, face, kFaceRadiusPx, faceColor(state),
                                  plain ? FramePainter::LightGray : SystemColor::ButtonText);
        return;
    case 6:
        m_canvas.FilledBox(face.left(), face.top(), face.right(), face.bottom(), faceColor(state));
        if (state == ItemState::Pressed || state == ItemState::Selected)
            FramePainter::sunken(m_canvas, face);
        else
            FramePainter::raised(m_canvas, face);
        return;
    default:
        break;
    }
    if (plain)
        return;
    if (m_layout.isRowList())
        m_canvas.FilledBox(face.left(), face.top(), face.right(), face.bottom(), faceColor(state));
    else
        FramePainter::roundedFace(m_canvas, face, kFaceRadiusPx, faceColor(state), SystemColor::ButtonText);
}

void MenuBarPainter::paintContent(int id, ItemState state)
{
    const MenuEntry &e = m_model.entry(id);
    if (m_layout.isRowList())
        paintRowContent(id, e, state);
    else
        paintAlongContent(id, e, state);
}

// Icon, caption and marker one after the other along the bar.
void MenuBarPainter::paintAlongContent(int id, const MenuEntry &e, ItemState state)
{
    const MenuItemBox &b = m_layout.box(id);
    const bool vertical = m_layout.isVertical();
    const int breadth = vertical ? m_layout.size().width() : m_layout.size().height();
    const QString caption = e.isCaptionHidden() ? QString() : e.caption;
    const int iconLen = !e.hasIcon() ? 0 : e.isCaptionHidden() ? 12 : MenuLayout::iconCellWidth(m_layout.style());
    const double textLen = caption.isEmpty() ? 0
                         : vertical ? QFontMetricsF(turnedCaptionFont()).horizontalAdvance(caption)
                                    : m_canvas.TextWidth(caption);
    const int contentLen = iconLen + lround(textLen) + (e.hasMarker() ? MenuLayout::MarkerWidth : 0);
    int along = b.start + b.margin;
    if (m_layout.style() == 6)
        along += (b.size - contentLen) / 2; // fixed-width buttons centre their content
    auto at = [vertical](int alongPos, int acrossPos) {
        return vertical ? QPoint(acrossPos, alongPos) : QPoint(alongPos, acrossPos);
    };
    if (e.hasIcon()) {
        // A pixel into the margin leaves a gap between a full-size icon and its caption.
        const int nudge = caption.isEmpty() ? 0 : 1;
        const QPoint p = at(along + (iconLen - kIconPx) / 2 - nudge, (breadth - kIconPx) / 2);
        m_icon.Paint(m_canvas, p.x(), p.y(), m_icon.IconNr(e.icon), state == ItemState::Disabled ? 2 : 1);
        along += iconLen;
    }
    if (!caption.isEmpty()) {
        const double textBreadth = vertical ? kTurnedCellPx : m_canvas.TextHeight(caption);
        const QPoint p = at(along, lround(std::floor((breadth - textBreadth) / 2)));
        paintCaption(caption, p.x(), p.y(), vertical, textColor(state));
        along += lround(textLen);
    }
    if (!e.hasMarker())
        return;
    if (e.isSplit()) {
        paintSplitDivider(id);
        along = b.end() - b.margin - MenuLayout::MarkerWidth;
    }
    const QPoint p = at(along, (breadth - kArrowPx) / 2);
    FramePainter::dropArrow(m_canvas, p.x(), p.y(), textColor(state));
}

// Vertical lists: style 2 puts the icon above a centred caption, style 3 icon and
// caption side by side like a menu.
void MenuBarPainter::paintRowContent(int id, const MenuEntry &e, ItemState state)
{
    const MenuItemBox &b = m_layout.box(id);
    const int width = m_layout.size().width();
    const int top = b.start + b.margin;
    const QString caption = e.isCaptionHidden() ? QString() : e.caption;
    const int iconNumber = e.hasIcon() ? m_icon.IconNr(e.icon) : 0;
    const int iconState = state == ItemState::Disabled ? 2 : 1;
    const double textH = m_canvas.TextHeight(caption.isEmpty() ? QStringLiteral("X") : caption);
    if (m_layout.style() == 2) {
        if (iconNumber != 0)
            m_icon.Paint(m_canvas, (width - kIconPx) / 2, top + 2, iconNumber, iconState);
        const int textTop = iconNumber != 0 ? top + kStackedCaptionPx : top + lround((b.size - textH) / 2);
        paintCaption(caption, lround((width - m_canvas.TextWidth(caption)) / 2), textTop, false, textColor(state));
    } else {
        if (iconNumber != 0)
            m_icon.Paint(m_canvas, kRowInsetPx, top + (b.size - kIconPx) / 2, iconNumber, iconState);
        paintCaption(caption, kRowCaptionPx, top + lround(std::floor((b.size - textH) / 2)), false, textColor(state));
    }
    if (!e.hasMarker())
        return;
    if (e.isSplit())
        paintSplitDivider(id);
    FramePainter::dropArrow(m_canvas, width - kRowArrowInsetPx, top + (b.size - kArrowPx) / 2, textColor(state));
}

void MenuBarPainter::paintCaption(const QString &caption, int x, int y, bool turned, Color color)
{
    if (caption.isEmpty())
        return;
    if (!turned) {
        m_canvas.setForeColor(color);
        m_canvas.setCurrentX(x);
        m_canvas.setCurrentY(y);
        m_canvas.Print(caption);
        return;
    }
    QPainter *p = m_canvas.painter();
    if (!p)
        return;
    const QFont font = turnedCaptionFont();
    const QFontMetricsF fm(font);
    p->save();
    p->setFont(font);
    p->setPen(resolveColor(color));
    // Turned clockwise, the glyphs stand to the right of their baseline.
    p->translate(x + fm.descent(), y);
    p->rotate(kTurnedAngle);
    p->drawText(QPointF(0, 0), caption);
    p->restore();
}

void MenuBarPainter::paintSplitDivider(int id)
{
    const QRect arrow = m_layout.arrowRect(id);
    if (m_layout.isRowList()) {
        const QRect item = m_layout.itemRect(id);
        const int x = item.right() + 1 - kSplitPartPx;
        m_canvas.Line(x, item.top() + 3, x, item.bottom() - 3, SystemColor::ButtonText);
    } else if (m_layout.isVertical()) {
        m_canvas.Line(arrow.left() + 3, arrow.top() + 1, arrow.right() - 3, arrow.top() + 1, SystemColor::ButtonText);
    } else {
        m_canvas.Line(arrow.left() + 1, arrow.top() + 3, arrow.left() + 1, arrow.bottom() - 3, SystemColor::ButtonText);
    }
}

void MenuBarPainter::paintSeparator(int id)
{
    const MenuItemBox &b = m_layout.box(id);
    const QSize size = m_layout.size();
    const int mid = b.start + b.margin;
    if (m_layout.isRowList()) {
        const int y = b.start + b.extent() / 2;
        m_canvas.Line(kRowInsetPx, y, size.width() - 1 - kRowInsetPx, y, FramePainter::LightGray);
    } else if (m_layout.isVertical()) {
        m_canvas.Line(3, mid, size.width() - 4, mid, SystemColor::ButtonShadow);
        m_canvas.Line(3, mid + 1, size.width() - 4, mid + 1, SystemColor::ButtonHighlight);
    } else {
        m_canvas.Line(mid, 3, mid, size.height() - 4, SystemColor::ButtonShadow);
        m_canvas.Line(mid + 1, 3, mid + 1, size.height() - 4, SystemColor::ButtonHighlight);
    }
}

// Tabs stand on a base line; the selected tab is drawn last, in front of its overlapping
// neighbours, and opens the base line under it.
void MenuBarPainter::paintTabs()
{
    const QSize size = m_layout.size();
    if (m_layout.isVertical())
        m_canvas.Line(size.width() - 1, 0, size.width() - 1, size.height() - 1, SystemColor::ButtonText);
    else
        m_canvas.Line(0, size.height() - 1, size.width() - 1, size.height() - 1, SystemColor::ButtonText);
    for (int id = 1; id <= m_model.Count(); ++id) {
        if (id != m_look.selected)
            paintTab(id, false);
    }
    if (m_look.selected >= 1 && m_look.selected <= m_model.Count())
        paintTab(m_look.selected, true);
}

void MenuBarPainter::paintTab(int id, bool front)
{
    const MenuEntry &e = m_model.entry(id);
    if (e.kind == MenuEntry::FarEnd)
        return;
    const bool enabled = m_look.isEnabled(id);
    if (e.kind != MenuEntry::Normal) {
        if (e.kind == MenuEntry::Separator)
            paintSeparator(id);
        return;
    }
    const bool marked = m_look.isSelected(id);
    const bool vertical = m_layout.isVertical();
    const MenuItemBox &b = m_layout.box(id);
    const int breadth = vertical ? m_layout.size().width() : m_layout.size().height();
    const int a = b.start;
    const int z = b.end() - 1;
    const int top = front ? 0 : kTabRaisePx;
    const int bottom = breadth - 1;
    auto pt = [vertical](int along, int across) {
        return vertical ? QPointF(across, along) : QPointF(along, across);
    };
    const std::vector<QPointF> outline = {pt(a, bottom), pt(a, top + kTabCornerPx), pt(a + kTabCornerPx, top),
                                          pt(z - kTabCornerPx, top), pt(z, top + kTabCornerPx), pt(z, bottom)};
    const Color fill = front ? m_look.buttonColor : marked ? FramePainter::SelectedFace : m_look.inactiveColor;
    m_canvas.Polygon(outline, fill);
    for (size_t i = 0; i + 1 < outline.size(); ++i)
        m_canvas.Line(outline[i].x(), outline[i].y(), outline[i + 1].x(), outline[i + 1].y(), SystemColor::ButtonText);
    if (front) {
        const QPointF from = pt(a + 1, bottom);
        const QPointF to = pt(z - 1, bottom);
        m_canvas.Line(from.x(), from.y(), to.x(), to.y(), fill);
    }
    paintAlongContent(id, e, enabled ? ItemState::Normal : ItemState::Disabled);
}

} // namespace velk
