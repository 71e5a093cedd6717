#pragma once

#include <velk/common/Color.h>
#include <velk/editors/BoardIndex_p.h>
#include <velk/editors/BoardLayout_p.h>
#include <velk/editors/BoardModel_p.h>
#include <velk/velk_export.h>

#include <QRect>

#include <vector>

namespace velk {

class Canvas;
class velkIcon;

/// Draws one screen of a board on a canvas (twips): the links under the boxes, each box
/// with its frame, bold caption, description and menu strip, selected boxes in the
/// highlight colour. Only what the index finds in the screen is drawn; nothing changes.
class VELK_TESTS_EXPORT BoardPainter
{
public:
    static constexpr Color kLinkColor = 0x808080;
    static constexpr Color kMenuColor = 0x800000;   // dark blue
    static constexpr Color kFrameColor = 0x404040;

    BoardPainter(Canvas &canvas, const BoardModel &model, const BoardIndex &index, const BoardLayout &layout,
                 velkIcon *icons);
    /// Paints the board area `view` (board twips) with its top left at the canvas's 0,0.
    void paint(const QRect &view);
    /// `text` up to its first line break, cut with "..." to fit `width` in the current font.
    static QString fitted(Canvas &canvas, const QString &text, double width);

private:
    void paintLink(const BoardLink &l);
    void paintBox(const BoardData &b);
    void paintMenu(const BoardData &b, QPoint at);

    Canvas &m_canvas;
    const BoardModel &m_model;
    const BoardIndex &m_index;
    const BoardLayout &m_layout;
    velkIcon *m_icons;
    QPoint m_origin;
    std::vector<int> m_boxes;
    std::vector<int> m_links;
};

} // namespace velk
