#pragma once

// Printing a page text without a window: what the preview's print-out, scripts and
// servers use.

#include <velk/velk_export.h>

#include <QDateTime>
#include <QString>

namespace velk {

class Printer;

/// Expands `txt` with `repl`, lays it out and prints every page on `printer` as one job
/// titled `jobTitle` (landscape when the paper is at least as wide as high). "%DATUM"
/// and "%TIME" print `clock` (now when it is invalid). Returns the number of pages
/// printed, or -1 when the printer gave no job or could not finish it.
VELK_EXPORT int PrintPageText(const QString &txt, const QString &repl, Printer &printer,
                              const QString &jobTitle = QStringLiteral("Drucken"), const QDateTime &clock = {});

} // namespace velk
