#pragma once

#include <velk/velk_export.h>

#include <QString>
#include <QStringView>

#include <vector>

namespace velk {

class Canvas;

/// One piece of a cell line in the sheet's markup.
struct SheetMarkupRun
{
    enum Kind { Text, Link, Button, Tab };

    Kind kind = Text;
    QString text;       ///< the text drawn (Text, Link, Button)
    bool bold = false;  ///< bold on for this piece (<B> .. </B>)
    QString attributes; ///< Link, Button: the tag's attributes, the command of a click
    int tabX = 0;       ///< Tab: the x the position moves to, twips from the cell's left edge
};

/// A run placed on a line: its left edge and width in the canvas's scale.
struct SheetPlacedRun
{
    SheetMarkupRun run;
    double x = 0;
    double width = 0;
    /// Button: the width of a blank, the padding at each side of its text.
    double padding = 0;
};

/// The cell markup of the flag "richtext": the prefixes "^" (bold) and "_" (underlined)
/// and the tags <B>, </B>, <TAB>n</TAB>, <A attributes>text</A> and
/// <BUTTON attributes>text</BUTTON>; any other tag shows its name. Read in one pass;
/// a tag left open runs to the end of the line.
class VELK_TESTS_EXPORT SheetMarkup
{
public:
    /// The text without its prefixes: a leading "^" sets `bold`, then a leading "_" sets
    /// `underline`.
    static QStringView stripPrefixes(QStringView text, bool *bold, bool *underline);
    /// The pieces of one line (no line breaks), starting with bold `bold`.
    static std::vector<SheetMarkupRun> parse(QStringView line, bool bold = false);
    /// Places `runs` from `startX`: each piece follows the last, measured in the canvas's
    /// current font (bold switched per piece, restored afterwards); a Tab moves to
    /// `cellLeft` + its x. The canvas is only measured with, never drawn on.
    static std::vector<SheetPlacedRun> place(const std::vector<SheetMarkupRun> &runs, Canvas &measure,
                                             double startX, double cellLeft);
};

} // namespace velk
