#include "SheetFrame_p.h"

#include "SheetModel_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Units.h>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

// The narrowest the header's menu marker gets, pixels.
constexpr int minMarkerPx = 16;

} // namespace

SheetFrame SheetFrame::compute(const SheetModel &model, QSize inner, int barExtent, int leftMargin, int topMargin,
                               int scrollValue, int firstColumn, bool menuOffered)
{
    SheetFrame frame;
    const int headerPx = model.headerHeight() > 0 ? pixelsOfTwips(model.headerHeight()) : 0;
    const int top = headerPx > 0 ? headerPx + 1 : 0;
    if (headerPx > 0)
        frame.header = QRect(0, 0, inner.width(), headerPx + 2);

    // A vertical bar narrows the list, which can make the columns need a horizontal one,
    // which shortens the list: two rounds settle it, a third confirms.
    bool vertical = false;
    bool horizontal = false;
    for (int round = 0; round < 3; ++round) {
        const int width = std::max(0, inner.width() - (vertical ? barExtent : 0));
        const int height = std::max(0, inner.height() - top - (horizontal ? barExtent : 0));
        frame.list = QRect(0, top, width, height);
        frame.viewport = {twipsOfPixels(width), twipsOfPixels(height), leftMargin, topMargin, std::max(scrollValue, 1)};
        frame.columns = model.columns().layout(frame.viewport.width, 1, leftMargin);
        const bool wide = frame.columns.rightEdge() > frame.viewport.width;
        const bool tall = !SheetLayout(model, frame.columns, frame.viewport).allRowsFit();
        if (wide == horizontal && tall == vertical)
            break;
        vertical = tall;
        horizontal = wide;
    }

    frame.maxFirstColumn = horizontal ? model.columns().firstColumnFitting(frame.viewport.width, leftMargin) : 1;
    frame.firstColumn = std::clamp(firstColumn, 1, frame.maxFirstColumn);
    frame.columns = model.columns().layout(frame.viewport.width, frame.firstColumn, leftMargin);
    const SheetLayout layout(model, frame.columns, frame.viewport);
    frame.maxScrollValue = std::max(layout.maxScrollValue(), 1);
    frame.viewport.scrollValue = std::clamp(frame.viewport.scrollValue, 1, frame.maxScrollValue);
    if (vertical)
        frame.vScroll = QRect(frame.list.right() + 1, top, barExtent, frame.list.height());
    if (horizontal)
        frame.hScroll = QRect(0, frame.list.bottom() + 1, frame.list.width(), barExtent);
    if (headerPx > 0 && menuOffered) {
        // As wide as the vertical scroll bar, so it sits above the bar when one is shown.
        const int markerPx = std::min(std::max(barExtent, minMarkerPx), inner.width());
        frame.headerMarker = QRect(twipsOfPixels(inner.width() - markerPx), 0, twipsOfPixels(markerPx),
                                   twipsOfPixels(frame.header.height()));
    }
    return frame;
}

} // namespace velk
