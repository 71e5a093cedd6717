#include "SheetPainter_p.h"

#include "SheetMarkup_p.h"
#include "SheetModel_p.h"

#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/common/LeadingNumber_p.h>
#include <velk/platform/Units.h>

#include <QImage>

#include <algorithm>
#include <cmath>

namespace velk {

namespace {

constexpr int onePixel = twipsOfPixels(1);

constexpr Color white = rgbColor(255, 255, 255);
constexpr Color black = rgbColor(0, 0, 0);
constexpr Color frameGrey = rgbColor(128, 128, 128);
constexpr Color shadeGrey = rgbColor(240, 240, 240);
constexpr Color markedGrey = rgbColor(160, 160, 160);
constexpr Color linkBlue = rgbColor(0, 0, 255);
constexpr Color buttonFace = rgbColor(220, 220, 220);
constexpr Color ratingOn = rgbColor(255, 0, 0);
constexpr Color ratingOff = rgbColor(192, 192, 192);
constexpr Color ratingSecond = rgbColor(255, 160, 160);
constexpr Color lightGridColor = rgbColor(200, 200, 200);

const QString symbolFont = SymbolFontName;
const QString dropDownGlyph = QStringLiteral("6");
const QString ellipsis = QStringLiteral("...");

// The row format bit that draws a row's cells bold.
constexpr int boldFormat = 2;

// Rating bars (twips): bar v starts at x1 + 60 + 6v, is 80 wide and v % of the full
// height tall; the mark of a second value starts at x1 + 120 and is 6 per unit long.
constexpr int ratingBarOffset = 60;
constexpr int ratingBarStep = 6;
constexpr int ratingBarWidth = 80;
constexpr int ratingHeight = 180;
constexpr int ratingHeightWithSecond = 150;
constexpr int ratingSecondOffset = 120;
constexpr int ratingSecondShorter = 15;

// The leading whole number of a rating text; -1 when it does not begin with a digit
// (after blanks), so that a missing second value draws no mark.
int leadingValue(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || !text.front().isDigit())
        return -1;
    return int(std::min<qint64>(LeadingInteger(text), 999999999));
}

} // namespace

SheetPainter::SheetPainter(Canvas &canvas, const SheetModel &model, const SheetLayout &layout, const SheetLook &look)
    : m_canvas(canvas)
    , m_model(model)
    , m_layout(layout)
    , m_look(look)
    , m_richText(model.flags().richText())
    , m_zebra(model.flags().has(u"zebra"))
    , m_lineHeight(model.lineHeight())
    , m_background(model.flags().has(u"background"))
    , m_rowRight(m_background ? std::clamp(layout.columns().rightEdge(), 0, layout.viewport().width)
                              : layout.viewport().width)
{
    m_canvas.setFont(look.font);
}

void SheetPainter::paint(int fromY, int toY)
{
    const SheetViewport &view = m_layout.viewport();
    const int top = std::max(fromY, 0);
    const int bottom = std::min(toY, view.height);
    fill(0, top, view.width, bottom, m_look.backColor);
    if (m_background)
        paintBackground(top, bottom);
    for (const SheetLayout::RowBox &box : m_layout.rows()) {
        if (box.y2 > fromY && box.y1 < toY)
            paintRow(box);
    }
    paintDropMark();
}

// With "background" the list looks like a sheet of paper on the button face: the area
// right of the columns and below the last row takes the button face colour.
void SheetPainter::paintBackground(int top, int bottom)
{
    const SheetViewport &view = m_layout.viewport();
    const int rowsEnd = m_layout.rows().empty() ? view.topMargin : m_layout.rows().back().y2;
    fill(m_rowRight, top, view.width, bottom, SystemColor::ButtonFace);
    fill(0, std::max(top, rowsEnd), m_rowRight, bottom, SystemColor::ButtonFace);
}

Color SheetPainter::backgroundOf(const SheetData &row, int art, bool zebra, Color listBack)
{
    if (row.Selected || art == 1)
        return SystemColor::Highlight;
    if (art == 2)
        return markedGrey;
    if (row.BackColor != NoColor)
        return row.BackColor;
    if (zebra && row.Index() % 2 == 0)
        return shadeGrey;
    if (row.Indent % 2 != 0)
        return !isSystemColor(listBack) && listBack > 0 ? (shadeGrey & listBack) : shadeGrey;
    return listBack;
}

SheetPainter::RowState SheetPainter::stateOf(const SheetLayout::RowBox &box) const
{
    RowState state;
    state.row = m_model.rows().at(box.pos);
    state.box = box;
    state.art = m_look.artOf ? m_look.artOf(*state.row) : 0;
    state.highlighted = state.row->Selected || state.art == 1;
    if (!m_look.enabled)
        state.fore = SystemColor::GrayText;
    else
        state.fore = state.highlighted ? SystemColor::HighlightText : state.row->ForeColor;
    state.bold = (state.row->Format & boldFormat) != 0;
    return state;
}

void SheetPainter::paintRow(const SheetLayout::RowBox &box)
{
    const RowState state = stateOf(box);
    fill(0, box.y1, m_rowRight, box.y2, backgroundOf(*state.row, state.art, m_zebra, m_look.backColor));
    const SheetColumns &columns = m_model.columns();
    for (int col = 1; col <= columns.count(); ++col) {
        const SheetColumnEdge edge = m_layout.columnEdge(col);
        // An empty clip would mean no clip at all: a column without width draws nothing.
        if (!edge.hasWidth())
            continue;
        m_canvas.setClip(QRectF(edge.x1, box.y1, edge.x2 - edge.x1, box.y2 - box.y1));
        paintCell(state, col);
    }
    m_canvas.setClip(QRectF());
    paintGrid(state);
    paintFocus(state);
    if (m_layout.carriesOwnerDraw(*state.row) && m_look.drawItem) {
        m_look.drawItem(m_canvas, box.pos, m_layout.viewport().leftMargin, box.y1 + m_lineHeight,
                        m_layout.viewport().width - 3 * onePixel, box.y2);
    }
}

void SheetPainter::paintCell(const RowState &state, int col)
{
    const SheetColumn &column = *m_model.columns().at(col);
    if (col == 1)
        paintFirstColumnParts(state);
    const QStringView text = state.row->subTextView(col);
    if (column.Special & SheetColumn::Rating) {
        // An empty cell holds no value: group rows in a rating column stay plain.
        if (!text.isEmpty())
            paintRating(state, m_layout.columnEdge(col), text);
        return;
    }
    if (column.Special == SheetColumn::CheckCell && (text == u"1" || text == u"2")) {
        const SheetColumnEdge edge = m_layout.columnEdge(col);
        const int middle = (edge.x1 + edge.x2) / 2;
        const int top = state.box.y1 + (m_layout.lineArea() - SheetLayout::checkBoxSize()) / 2;
        paintCheckBox(QRect(middle - SheetLayout::checkBoxSize() / 2, top, SheetLayout::checkBoxSize(),
                            SheetLayout::checkBoxSize()),
                      text == u"2" ? 2 : 1);
        return;
    }
    paintCellText(state, col, column);
}

// --- the first column ------------------------------------------------------------------

void SheetPainter::paintFirstColumnParts(const RowState &state)
{
    const SheetFirstColumn parts = m_layout.firstColumn(*state.row, state.box.y1);
    if (!parts.expandBox.isEmpty())
        paintExpandBox(parts.expandBox, state.row->Expanded);
    if (!parts.dropDown.isEmpty())
        paintDropDown(parts.dropDown);
    if (!parts.checkBox.isEmpty())
        paintCheckBox(parts.checkBox, state.row->CheckState);
    if (!parts.icon.isEmpty())
        paintIcon(parts.icon, state.row->Icon(), state.highlighted);
}

void SheetPainter::paintExpandBox(const QRect &box, bool expanded)
{
    const int x = box.x();
    const int y = box.y();
    const int size = SheetLayout::expandBoxSize();
    fill(x, y, x + size, y + size, white);
    m_canvas.Box(x, y, x + size - onePixel, y + size - onePixel, frameGrey);
    // A minus sign 80 twips long, 20 inside the left edge; collapsed, a vertical bar
    // 30 below the top edge turns it into a plus.
    const int half = (size - onePixel) / 2;
    m_canvas.Line(x + 20, y + half, x + 20 + 80 - onePixel, y + half, black);
    if (!expanded)
        m_canvas.Line(x + half, y + 30, x + half, y + size - 30 - onePixel, black);
}

void SheetPainter::paintDropDown(const QRect &box)
{
    fill(box.left(), box.top(), box.left() + box.width(), box.top() + box.height(), SystemColor::ButtonFace);
    m_canvas.Box(box.left(), box.top(), box.left() + box.width() - onePixel, box.top() + box.height() - onePixel,
                 frameGrey);
    const QString font = m_canvas.FontName();
    m_canvas.setFontName(symbolFont);
    const double glyphWidth = m_canvas.TextWidth(dropDownGlyph);
    const double glyphHeight = m_canvas.TextHeight(dropDownGlyph);
    m_canvas.setFontName(font);
    printSymbol(box.left() + (box.width() - glyphWidth) / 2, box.top() + (box.height() - glyphHeight) / 2,
                dropDownGlyph, SystemColor::ButtonText);
}

// State 2 is ticked; 12 (granted by inheritance) shows a grey tick and 11 (inheritance
// present, not granted) a grey empty box.
void SheetPainter::paintCheckBox(const QRect &box, int state)
{
    const int x = box.x();
    const int y = box.y();
    const int size = box.width();
    const bool inherited = state == 11 || state == 12;
    fill(x, y, x + size, y + size, m_look.enabled && !inherited ? white : SystemColor::ButtonFace);
    m_canvas.Box(x, y, x + size - onePixel, y + size - onePixel, frameGrey);
    if (state != 2 && state != 12)
        return;
    // A tick of two strokes, two pixels wide, within the box's inner 8 pixels.
    const Color tick = state == 12 ? frameGrey : black;
    m_canvas.setDrawWidth(2);
    m_canvas.Line(x + size * 2 / 10, y + size / 2, x + size * 4 / 10, y + size * 7 / 10, tick);
    m_canvas.Line(x + size * 4 / 10, y + size * 7 / 10, x + size * 8 / 10, y + size * 3 / 10, tick);
    m_canvas.setDrawWidth(1);
}

void SheetPainter::paintIcon(const QRect &box, const QString &name, bool highlighted)
{
    if (!m_look.icons)
        return;
    const int x = pixelsOfTwips(box.x());
    const int y = pixelsOfTwips(box.y());
    if (!highlighted) {
        // State 1 lays the icon onto the row's background (its white shows the row).
        m_look.icons->Paint(m_canvas, x, y, m_look.icons->IconNr(name), 1);
        return;
    }
    // ANDed onto the highlight an icon turns into a dark blot; there its white is left
    // out instead.
    QImage icon = m_look.icons->GetIcon(name).convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < icon.height(); ++row) {
        auto *pixels = reinterpret_cast<QRgb *>(icon.scanLine(row));
        for (int col = 0; col < icon.width(); ++col) {
            if ((pixels[col] & 0xFFFFFF) == 0xFFFFFF)
                pixels[col] = 0;
        }
    }
    m_canvas.PaintPicture(icon, m_canvas.fromPixels(x), m_canvas.fromPixels(y));
}

// --- texts ---------------------------------------------------------------------------------

void SheetPainter::paintCellText(const RowState &state, int col, const SheetColumn &column)
{
    QStringView text = state.row->subTextView(col);
    if (text.isEmpty())
        return;
    bool prefixBold = false;
    bool underline = false;
    if (m_richText)
        text = SheetMarkup::stripPrefixes(text, &prefixBold, &underline);
    const bool bold = state.bold || prefixBold;
    resetFont(bold);
    m_canvas.setFontUnderline(underline);
    m_canvas.setForeColor(state.fore);

    const double left = m_layout.textLeft(*state.row, col, state.box.y1);
    const double right = m_layout.textRight(col);
    const bool rightAligned = column.Alignment == -1;
    const bool multiLine = text.contains(u'\n');
    double y = m_layout.textTop(state.box.y1);
    qsizetype start = 0;
    while (start <= text.size() && y < state.box.y2) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (m_richText && line.contains(u'<'))
            paintMarkupLine(state, line, left, y, m_layout.columnEdge(col).x1);
        else
            paintTextLine(line.toString(), left, right, y, rightAligned, !multiLine);
        y += m_lineHeight;
        start = end + 1;
    }
    m_canvas.setFontUnderline(false);
}

void SheetPainter::paintTextLine(const QString &line, double left, double right, double y, bool rightAligned,
                                 bool shorten)
{
    if (line.isEmpty())
        return;
    const QString shown = shorten ? shortened(m_canvas, line, right - left) : line;
    const double x = rightAligned ? right - m_canvas.TextWidth(shown) : left;
    printAt(x, y, shown);
}

QString SheetPainter::shortened(const Canvas &canvas, const QString &text, double room)
{
    if (text.isEmpty() || canvas.TextWidth(text) <= room)
        return text;
    // The longest start that fits with "..." behind it. Widths grow with the length, so
    // a binary search finds what cutting one character at a time would.
    qsizetype low = 0;
    qsizetype high = text.size() - 1;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (canvas.TextWidth(text.left(mid) + ellipsis) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 || canvas.TextWidth(ellipsis) <= room)
        return text.left(low) + ellipsis;
    QString dots = ellipsis;
    while (!dots.isEmpty() && canvas.TextWidth(dots) > room)
        dots.chop(1);
    return dots;
}

void SheetPainter::paintMarkupLine(const RowState &state, QStringView line, double left, double y, int cellLeft)
{
    const bool bold = m_canvas.FontBold();
    const bool underline = m_canvas.FontUnderline();
    const std::vector<SheetPlacedRun> pieces =
        SheetMarkup::place(SheetMarkup::parse(line, bold), m_canvas, left, cellLeft);
    for (const SheetPlacedRun &piece : pieces) {
        m_canvas.setFontBold(piece.run.bold);
        switch (piece.run.kind) {
        case SheetMarkupRun::Link:
            m_canvas.setFontUnderline(true);
            m_canvas.setForeColor(state.highlighted ? state.fore : linkBlue);
            printAt(piece.x, y, piece.run.text);
            break;
        case SheetMarkupRun::Button:
            paintButton(state, piece, y);
            break;
        default:
            m_canvas.setFontUnderline(underline);
            m_canvas.setForeColor(state.fore);
            printAt(piece.x, y, piece.run.text);
            break;
        }
    }
    m_canvas.setFontUnderline(underline);
    m_canvas.setForeColor(state.fore);
    m_canvas.setFontBold(bold);
}

void SheetPainter::paintButton(const RowState &state, const SheetPlacedRun &piece, double y)
{
    // Two pixels less high than the row's line, centred on it.
    const double lineTop = y - (m_layout.textTop(state.box.y1) - state.box.y1);
    const double top = lineTop + onePixel;
    const double bottom = lineTop + m_layout.lineArea() - onePixel;
    m_canvas.FilledBox(piece.x, top, piece.x + piece.width - onePixel, bottom - onePixel, buttonFace);
    m_canvas.Box(piece.x, top, piece.x + piece.width - onePixel, bottom - onePixel, frameGrey);
    m_canvas.setFontUnderline(false);
    m_canvas.setForeColor(black);
    printAt(piece.x + piece.padding, y, piece.run.text);
}

// --- rating cells ----------------------------------------------------------------------------

void SheetPainter::paintRating(const RowState &state, const SheetColumnEdge &column, QStringView text)
{
    const qsizetype slash = text.indexOf(u'/');
    const int value = leadingValue(slash < 0 ? text : text.left(slash));
    const int second = slash < 0 ? -1 : leadingValue(text.mid(slash + 1));
    const int height = slash < 0 ? ratingHeight : ratingHeightWithSecond;
    // The bars stand on a base line that centres them (and the mark below) on the line.
    const int markHeight = slash < 0 ? 0 : 3 * onePixel;
    const int base = state.box.y1 + (m_layout.lineArea() + height - markHeight) / 2;
    for (int v = 20; v <= 100; v += 20) {
        const int x = column.x1 + ratingBarOffset + v * ratingBarStep;
        fill(x, base - height * v / 100, x + ratingBarWidth, base, v == value ? ratingOn : ratingOff);
    }
    // A second value of 0 gives a mark of no length (6 × 0 less 15): nothing to draw.
    const int length = second * ratingBarStep - ratingSecondShorter;
    if (second >= 0 && length > 0) {
        const int x = column.x1 + ratingSecondOffset;
        fill(x, base + onePixel, x + length, base + markHeight, ratingSecond);
    }
}

// --- lines and frames ----------------------------------------------------------------------

void SheetPainter::paintGrid(const RowState &state)
{
    if (!m_model.flags().grid())
        return;
    const Color color = m_model.flags().has(u"lightgrid") ? lightGridColor : black;
    const SheetColumnEdges &columns = m_layout.columns();
    int right = 0;
    const int bottom = state.box.y2 - onePixel;
    for (int col = 1; col <= columns.count(); ++col) {
        const SheetColumnEdge edge = columns.at(col);
        if (!edge.hasWidth())
            continue;
        m_canvas.Line(edge.x2 - onePixel, state.box.y1, edge.x2 - onePixel, bottom, color);
        right = std::max(right, edge.x2);
    }
    m_canvas.Line(0, bottom, right - onePixel, bottom, color);
}

void SheetPainter::paintFocus(const RowState &state)
{
    if (!m_look.hasFocus || state.box.pos != m_model.selectedIndex())
        return;
    const int bottom = state.box.y2 - onePixel;
    if (m_model.flags().selectColumn()) {
        const SheetColumnEdge edge = m_layout.columnEdge(m_model.selectedCol());
        if (edge.hasWidth())
            m_canvas.Box(edge.x1, state.box.y1, edge.x2 - onePixel, bottom, state.fore);
        return;
    }
    // A highlighted row shows itself; the current row of a list without selection gets a
    // frame, so the keyboard has something to follow.
    if (!state.highlighted)
        m_canvas.Box(0, state.box.y1, m_rowRight - onePixel, bottom, SystemColor::Highlight);
}

// A line two pixels thick where an inserted row would go, or a frame around the row that
// would take the drop.
void SheetPainter::paintDropMark()
{
    const SheetDropMark &mark = m_look.dropMark;
    if (mark.kind == SheetDropMark::Line) {
        fill(0, mark.y - onePixel, m_rowRight, mark.y + onePixel, SystemColor::WindowText);
    } else if (mark.kind == SheetDropMark::Frame) {
        const SheetLayout::RowBox *box = m_layout.rowBox(mark.row);
        if (!box)
            return;
        m_canvas.setDrawWidth(2);
        m_canvas.Box(onePixel, box->y1 + onePixel, m_rowRight - onePixel, box->y2 - onePixel, SystemColor::WindowText);
        m_canvas.setDrawWidth(1);
    }
}

// --- canvas helpers --------------------------------------------------------------------------

void SheetPainter::printAt(double x, double y, const QString &text)
{
    m_canvas.setCurrentX(x);
    m_canvas.setCurrentY(y);
    m_canvas.Print(text);
}

void SheetPainter::printSymbol(double x, double y, const QString &glyph, Color color)
{
    const QString font = m_canvas.FontName();
    const Color fore = m_canvas.ForeColor();
    m_canvas.setFontName(symbolFont);
    m_canvas.setForeColor(color);
    printAt(x, y, glyph);
    m_canvas.setFontName(font);
    m_canvas.setForeColor(fore);
}

// A filled area from (x1, y1) up to, not including, (x2, y2).
void SheetPainter::fill(int x1, int y1, int x2, int y2, Color color)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    m_canvas.FilledBox(x1, y1, x2 - onePixel, y2 - onePixel, color);
}

void SheetPainter::resetFont(bool bold)
{
    if (m_canvas.FontBold() != bold)
        m_canvas.setFontBold(bold);
}

} // namespace velk
