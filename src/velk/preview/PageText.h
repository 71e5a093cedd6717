#pragma once

// The page description language's text services: placeholder and loop expansion, and
// the builder that turns a sheet into a page text.

#include <velk/velk_export.h>

#include <QString>

namespace velk {

class velkSheet;

/// A page text with the replacement list that fills its placeholders.
struct PageText
{
    QString text;
    QString repl;
};

/// Expands `txt` with the replacement list `repl` (lines NAME=v1;v2;…, at most 99 values,
/// lines with an empty name skipped):
/// - a line "$LOOP NAME" (any case) followed by a block between a line "{" and a line "}"
///   emits the block once per value of NAME, up to its last non-empty one. In copy k,
///   "(#)" becomes "(k)" and a plain "#NAME" becomes the k-th value; a line
///   "$FOR a b text" in the block emits "text" only in the copies k = a, a+b, a+2b, …
///   (a step below 1 counts as 1). A loop inside a copied block is expanded too, while the
///   text stays below 16 million characters.
/// - then, in one scan, "#NAME(i)" (i = 1…99) becomes the i-th value (empty past the
///   last) and "#NAME" the first value. Where names share a prefix the longest name
///   wins; replaced text is not scanned again. A "#" naming no list stays as it is.
/// Lines may end in CR LF or LF; the result has the line ends of `txt`.
VELK_EXPORT QString ExpandPageText(const QString &txt, const QString &repl);

/// The page text of a sheet's shown rows: a header block (title in Arial 24 at 1.6 cm,
/// the date at 2.6 cm, the footer "Seite %PAGE von %PAGES Seiten, %DATUM" at 28 cm, the
/// body from 4 cm) unless `header` replaces it, and a table of the columns (`columns`
/// or the sheet's own definition) scaled to the 16 cm between the borders, hidden
/// columns left out. The list is "TITLE=" + title + CR LF + "DATE=" + date.
VELK_EXPORT PageText SheetPageText(const velkSheet &sheet, const QString &title, const QString &date,
                                   const QString &header = {}, const QString &columns = {});

} // namespace velk
