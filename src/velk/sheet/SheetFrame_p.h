#pragma once

#include <velk/sheet/SheetLayout_p.h>
#include <velk/velk_export.h>

#include <QRect>
#include <QSize>

namespace velk {

class SheetModel;

/// Where a sheet's surfaces go inside the control, in pixels: the header bar (when the
/// header height is above 0, header height + 2 pixels high and as wide as the control),
/// the list 1 pixel below the header height, and the scroll bars, each shown only when
/// the rows or the columns do not fit. Also the scroll ranges that go with it.
struct VELK_TESTS_EXPORT SheetFrame
{
    QRect header;  ///< empty while the header is hidden
    QRect list;
    QRect vScroll; ///< empty while hidden
    QRect hScroll; ///< empty while hidden
    SheetViewport viewport; ///< the list's viewport (scroll value clamped)
    SheetColumnEdges columns; ///< the columns laid out for the list's width and first column
    int maxScrollValue = 1;
    int maxFirstColumn = 1;
    int firstColumn = 1; ///< the horizontal scroll value, clamped
    /// The popup menu's marker at the header's right end, twips of the header surface;
    /// empty while the header is hidden or the menu is not offered.
    QRect headerMarker;

    /// Works the frame out for a control whose inner area is `inner` pixels, with scroll
    /// bars `barExtent` pixels thick; `menuOffered` places the header's menu marker.
    static SheetFrame compute(const SheetModel &model, QSize inner, int barExtent, int leftMargin, int topMargin,
                              int scrollValue, int firstColumn, bool menuOffered = false);
};

} // namespace velk
