#include "EvalPainter_p.h"

#include <velk/platform/Canvas.h>

namespace velk::EvalPainter {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = 0x0000FF;  // RGB 255,0,0
constexpr Color kGrey = 0xC0C0C0; // RGB 192,192,192

} // namespace

void paint(Canvas &canvas, const EvalRange &range, double width, double height)
{
    const double u = (width - 1) / 17;
    canvas.FilledBox(0, 0, 17 * u, height, kWhite);
    for (int i = 1; i <= 5; ++i) {
        const QRectF bar = EvalCondition::barRect(i, width, height);
        canvas.FilledBox(bar.left(), bar.top(), bar.right(), bar.bottom(),
                         EvalCondition::isLit(range, i) ? kRed : kGrey);
    }
}

} // namespace velk::EvalPainter
