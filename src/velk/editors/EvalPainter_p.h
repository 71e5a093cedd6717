#pragma once

#include <velk/editors/EvalCondition_p.h>
#include <velk/velk_export.h>

namespace velk {

class Canvas;

namespace EvalPainter {

/// Paints velkEval onto `canvas`, `width` × `height` in its scale: a white ground 17 cells
/// wide, then the five bars, red inside the range and light grey outside.
VELK_TESTS_EXPORT void paint(Canvas &canvas, const EvalRange &range, double width, double height);

} // namespace EvalPainter
} // namespace velk
