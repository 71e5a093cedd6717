#pragma once

#include <velk/velk_export.h>

namespace velk {

class Canvas;
class velkButton;
class velkLabel;

/// Draws a control on any canvas (pixels), as its paint event does: what tests use to
/// record a control's drawing.
class VELK_TESTS_EXPORT ControlPainting
{
public:
    static void paintOn(velkButton &button, Canvas &canvas);
    static void paintOn(velkLabel &label, Canvas &canvas);
};

} // namespace velk
