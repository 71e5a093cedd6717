#pragma once

#include <velk/sheet/SheetLayout_p.h>
#include <velk/velk_export.h>

namespace velk {

class Canvas;
class SheetEditor;
class SheetInput;
class SheetState;
class SheetView;
class velkSheet;

/// A sheet's inner parts, for tests and benchmarks: its state (model, view settings and
/// geometry), input handling, editor and window side.
class VELK_TESTS_EXPORT SheetInternals
{
public:
    static SheetState &state(velkSheet &sheet);
    static SheetInput &input(velkSheet &sheet);
    static SheetEditor &editor(velkSheet &sheet);
    static SheetView &view(velkSheet &sheet);
    /// The list's geometry now.
    static const SheetLayout &layout(velkSheet &sheet);
    /// Paints the list on `list` (twips) as a paint event does: first raises RequestData
    /// for requested rows about to be painted, and writes y1/y2 of the painted rows.
    static void paintList(velkSheet &sheet, Canvas &list);
    /// Paints the header surface on `header` (twips).
    static void paintHeader(velkSheet &sheet, Canvas &header);
};

} // namespace velk
