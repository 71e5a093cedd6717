#pragma once

#include <velk/velk_export.h>

namespace velk {

class Canvas;
class velkSheet;

/// Prints the sheet's shown rows on the installed printer: Arial 8, the shown columns
/// measured as on the screen and scaled down to the page width, the head line on every
/// page, no row cut by a page break. Without a printer it says so.
VELK_TESTS_EXPORT void printSheet(const velkSheet &sheet);

} // namespace velk
