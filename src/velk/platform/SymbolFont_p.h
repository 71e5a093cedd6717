#pragma once

// The symbol font's glyphs that the controls print (sort triangles, drop-down arrow, check
// mark, close cross), drawn as shapes: the font itself does not exist here, and shapes look
// the same at every size.

#include <QColor>
#include <QPoint>
#include <QString>

class QPainter;

namespace velk::SymbolFont {

/// Whether text printed in `fontName` is drawn as symbols (velk::SymbolFontName, any case).
bool isSymbolFontName(const QString &fontName);
/// Draws the glyphs of `text` side by side, each in a square cell of `cellPixels` whose
/// top left corner of the first is `topLeft`; glyphs without a shape leave their cell empty.
void draw(QPainter &painter, const QString &text, QPoint topLeft, double cellPixels, const QColor &color);

} // namespace velk::SymbolFont
