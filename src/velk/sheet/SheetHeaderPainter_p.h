#pragma once

#include <velk/sheet/SheetColumns_p.h>
#include <velk/velk_export.h>

#include <QFont>
#include <QRect>
#include <QString>

namespace velk {

class Canvas;
class SheetModel;

/// The header's state as painting sees it. Lengths are twips.
struct SheetHeaderLook
{
    QFont font;
    int width = 0;      ///< of the header surface
    int height = 0;     ///< of the header surface: header height + 2 pixels
    int leftMargin = 50;
    bool enabled = true;
    SheetColumnEdges columns; ///< where the captions go
    QRect marker;             ///< the popup menu's marker; empty while the menu is not offered
};

/// Draws a sheet's header surface: a raised bar in the button face colour with the
/// columns' captions, a divider at each column's right edge and the sort marker (a
/// triangle of the symbol font) behind the caption of the sorted column, and while the
/// popup menu is offered its marker, the symbol font's "6", at the right end.
class VELK_TESTS_EXPORT SheetHeaderPainter
{
public:
    SheetHeaderPainter(Canvas &canvas, const SheetModel &model, const SheetHeaderLook &look);

    void paint();

    /// The sort direction the header shows for `col`: the column's own SortDirection when
    /// set, else the quick-sort direction for the column last sorted, else 0.
    static int markerDirection(const SheetModel &model, int col);
    /// The symbol glyph of a direction: "5" (up) for -1, "6" (down) for 1, "" for 0.
    static QString markerGlyph(int direction);
    /// The glyph of the popup menu's marker.
    static QString menuGlyph() { return QStringLiteral("6"); }
    /// How a sheet without rows looks in a form designer: one grey line at `top` with each
    /// shown column's caption ("Spalte n" for one without) where its cells would be.
    static void paintDesignPreview(Canvas &canvas, const SheetModel &model, const SheetColumnEdges &columns,
                                   int leftMargin, int top, const QFont &font);

private:
    void paintCaption(int col);
    void paintDivider(int x2);
    void paintMenuMarker();
    double markerWidth(const QString &glyph);
    int captionTop() const;

    Canvas &m_canvas;
    const SheetModel &m_model;
    const SheetHeaderLook &m_look;
};

} // namespace velk
