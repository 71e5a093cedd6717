#pragma once

#include <velk/common/Color.h>
#include <velk/views/ChartLayout_p.h>
#include <velk/velk_export.h>

namespace velk {

class Canvas;

/// The basic palette: 0 black, 1–6 dark blue, green, cyan, red, magenta, yellow,
/// 7 silver, 8 grey, 9–14 the bright six, 15 white; other numbers black.
VELK_TESTS_EXPORT Color basicPaletteColor(int number);
/// The colour of data set k.
VELK_TESTS_EXPORT Color chartSetColor(int setnr);

/// Draws a laid-out chart on a canvas in twips; reads the plan, changes nothing else.
class VELK_TESTS_EXPORT ChartPainter
{
public:
    static constexpr Color GridColor = rgbColor(192, 192, 192);
    static constexpr int LineWidthPx = 3;

    static void paint(Canvas &canvas, const ChartPlan &plan);
};

} // namespace velk
