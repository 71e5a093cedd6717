#include "PageScript_p.h"

#include <velk/common/StringHelpers.h>
#include <velk/platform/Canvas.h>

#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace velk {

namespace {

constexpr double cmPerPoint = 2.54 / 72.0;
// Line widths of `line`, `point`, "!L" and table grids count in pixels of a standard
// screen: 1 is a hairline at every zoom and on paper.
constexpr double cmPerLineUnit = 2.54 / 96.0;
constexpr double cellMarginCm = 0.05;
constexpr double maxCm = 10000.0;
constexpr int maxSumColumns = 10;
constexpr Color white = 0xFFFFFF;

double clampCm(double v)
{
    return std::clamp(v, -maxCm, maxCm);
}

struct Style
{
    QString font;
    int size = 10;
    bool bold = false, italic = false, underline = false;
};

// One measure for every device: fonts are measured once at a large pixel size without
// hinting and scaled to the point size, so wraps and cuts are the same on every zoom
// and on paper. Word widths are kept per font: report texts repeat their words.
class FontMeasure
{
public:
    static constexpr double referencePixels = 1000.0;

    static double scale(const Style &style) { return style.size * cmPerPoint / referencePixels; }
    static double width(const QString &text, const Style &style)
    {
        return text.isEmpty() ? 0 : entry(style).width(text) * scale(style);
    }
    static double height(const Style &style) { return entry(style).height * scale(style); }

private:
    struct Entry
    {
        QString family;
        bool bold = false, italic = false;
        QFontMetricsF metrics{QFont()};
        double height = 0;
        QHash<QString, double> widths;

        double width(const QString &text)
        {
            if (text.size() > 64)
                return metrics.horizontalAdvance(text);
            auto it = widths.constFind(text);
            if (it != widths.cend())
                return *it;
            if (widths.size() > 200000)
                widths.clear();
            const double w = metrics.horizontalAdvance(text);
            widths.insert(text, w);
            return w;
        }
    };

    static Entry &entry(const Style &style)
    {
        static std::vector<std::unique_ptr<Entry>> entries;
        static Entry *last = nullptr;
        if (last && last->bold == style.bold && last->italic == style.italic && last->family == style.font)
            return *last;
        for (auto &e : entries) {
            if (e->bold == style.bold && e->italic == style.italic && e->family == style.font)
                return *(last = e.get());
        }
        installFontSubstitutes();
        QFont font(style.font);
        font.setPixelSize(int(referencePixels));
        font.setBold(style.bold);
        font.setItalic(style.italic);
        font.setHintingPreference(QFont::PreferNoHinting);
        auto e = std::make_unique<Entry>();
        e->family = style.font;
        e->bold = style.bold;
        e->italic = style.italic;
        e->metrics = QFontMetricsF(font);
        e->height = e->metrics.ascent() + e->metrics.descent();
        entries.push_back(std::move(e));
        return *(last = entries.back().get());
    }
};

// `text` cut so that it and "..." fit `room`; whole when it fits.
QString shortenedToFit(const QString &text, double room, const Style &style)
{
    if (FontMeasure::width(text, style) <= room)
        return text;
    const QString dots = QStringLiteral("...");
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (FontMeasure::width(text.left(mid) + dots, style) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    return low > 0 || FontMeasure::width(dots, style) <= room ? text.left(low) + dots : QString();
}

struct Piece
{
    double x = 0;
    QString text;
    Style style;
};

struct VisualLine
{
    std::vector<Piece> pieces;
    std::vector<double> rules; // "!L" widths
    double height = 0;
};

struct LineFrame
{
    double firstLeft = 0, nextLeft = 0; // where the first and the wrapped lines start
    double right = 0;                   // the right edge text may reach
    double tabOrigin = 0;               // "!T" positions count from here
    std::optional<double> rightAlignAt; // the whole text ends here
    bool wrap = true;
};

// Splits a text line into visual lines of pieces, handling the inline codes.
class LineLayout
{
public:
    LineLayout(const LineFrame &frame, const Style &style)
        : m_frame(frame)
        , m_style(style)
        , m_blankWidth(FontMeasure::width(QStringLiteral(" "), style))
    {
        m_lines.emplace_back();
        m_x = frame.firstLeft;
        m_tabRight = frame.rightAlignAt;
        if (m_tabRight)
            m_x = *m_tabRight;
    }

    std::vector<VisualLine> layout(const QString &text)
    {
        for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
            if (word.size() >= 2 && word[0] == u'!' && word[1] != u'!' && applyCode(word))
                continue;
            addWord(word.startsWith(QLatin1String("!!")) ? word.mid(1) : word);
        }
        flush();
        for (VisualLine &line : m_lines)
            line.height = std::max(line.height, FontMeasure::height(m_style));
        return std::move(m_lines);
    }

private:
    bool applyCode(const QString &word)
    {
        const QChar code = word[1].toUpper();
        const QStringView arg = QStringView(word).mid(2);
        switch (code.unicode()) {
        case 'T': {
            flush();
            const double pos = clampCm(m_frame.tabOrigin + pageNumber(arg));
            m_x = pos;
            m_needsBlank = false;
            if (word.endsWith(u'R', Qt::CaseInsensitive))
                m_tabRight = pos;
            else
                m_tabRight.reset();
            return true;
        }
        case 'H':
            flush();
            m_style.size = std::clamp(int(pageNumber(arg)), 1, 500);
            m_blankWidth = FontMeasure::width(QStringLiteral(" "), m_style);
            return true;
        case 'B':
            flush();
            m_style.bold = !m_style.bold;
            return true;
        case 'I':
            flush();
            m_style.italic = !m_style.italic;
            return true;
        case 'U':
            flush();
            m_style.underline = !m_style.underline;
            return true;
        case 'L': {
            const double w = arg.isEmpty() ? 1.0 : pageNumber(arg.split(u',').front());
            m_lines.back().rules.push_back(std::clamp(w, 0.0, 100.0));
            return true;
        }
        default:
            return false;
        }
    }

    void addWord(const QString &word)
    {
        const double wordWidth = FontMeasure::width(word, m_style);
        const double blank = m_gathered.isEmpty() ? (m_needsBlank ? m_blankWidth : 0) : m_blankWidth;
        const double start = m_gathered.isEmpty() ? m_x + blank : m_gatherStart;
        const double end = m_gathered.isEmpty() ? start + wordWidth : m_gatherStart + m_gatherWidth + blank + wordWidth;
        const bool lineHasText = !m_gathered.isEmpty() || !m_lines.back().pieces.empty();
        if (m_frame.wrap && !m_tabRight && lineHasText && end > m_frame.right) {
            flush();
            m_lines.emplace_back();
            m_x = m_frame.nextLeft;
            m_needsBlank = false;
            addWord(word);
            return;
        }
        if (m_gathered.isEmpty()) {
            m_gatherStart = start;
            m_gathered = word;
            m_gatherWidth = wordWidth;
        } else {
            m_gathered += QLatin1Char(' ') + word;
            m_gatherWidth = end - m_gatherStart;
        }
    }

    void flush()
    {
        if (m_gathered.isEmpty())
            return;
        VisualLine &line = m_lines.back();
        Piece piece{m_gatherStart, m_gathered, m_style};
        if (m_tabRight) {
            piece.x = *m_tabRight - m_gatherWidth;
            m_x = *m_tabRight;
        } else {
            piece.text = shortenedToFit(m_gathered, m_frame.right - m_gatherStart, m_style);
            m_x = m_gatherStart + FontMeasure::width(piece.text, m_style);
        }
        line.height = std::max(line.height, FontMeasure::height(m_style));
        if (!piece.text.isEmpty())
            line.pieces.push_back(std::move(piece));
        m_gathered.clear();
        m_gatherWidth = 0;
        m_needsBlank = true;
    }

    LineFrame m_frame;
    Style m_style;
    double m_blankWidth = 0;
    std::vector<VisualLine> m_lines;
    double m_x = 0;
    std::optional<double> m_tabRight;
    QString m_gathered;
    double m_gatherStart = 0;
    double m_gatherWidth = 0;
    bool m_needsBlank = false;
};

// A table row's cells: split at ";", where "\\;" is a ";" inside a cell.
QStringList cellTextsOf(const QString &row)
{
    QStringList cells;
    QString cell;
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (row[i] == u'\\' && i + 1 < row.size() && row[i + 1] == u';') {
            cell += u';';
            ++i;
        } else if (row[i] == u';') {
            cells << cell;
            cell.clear();
        } else {
            cell += row[i];
        }
    }
    cells << cell;
    return cells;
}

QStringList wordsOf(const QString &arg)
{
    return arg.split(u' ', Qt::SkipEmptyParts);
}

} // namespace

struct PageRenderer::Run
{
    const PageDocument &doc;
    const PageClock &clock;
    int totalPages = 0;
    PageState s;
    Canvas *canvas = nullptr;             // drawing; nullptr while counting
    std::vector<Start> *starts = nullptr; // counting: page starts are kept here
    bool stopped = false;
    bool inHeader = false;
    int line = 0;
    int item = 0;
    int skip = 0;

    // --- geometry --------------------------------------------------------------------
    double paperWidth() const { return doc.paperCm().width(); }
    double paperHeight() const { return doc.paperCm().height(); }
    double rightEdge() const { return paperWidth() - s.borderRight; }
    double bottomLimit() const { return paperHeight() - s.borderBottom; }
    Style style() const { return {s.fontName, s.fontSize, s.bold, false, s.underline}; }
    double linePitch() const { return FontMeasure::height(style()) + s.spaceLine; }
    double tableWidth() const
    {
        double w = 0;
        for (const auto &c : s.columns)
            w += c.widthCm;
        return w;
    }

    QString withVariables(QString text) const
    {
        if (!text.contains(u'%'))
            return text;
        text.replace(QStringLiteral("%PAGES"), QString::number(totalPages));
        text.replace(QStringLiteral("%PAGE"), QString::number(s.page));
        text.replace(QStringLiteral("%DATUM"), clock.date.toString(QStringLiteral("dd.MM.yyyy")));
        text.replace(QStringLiteral("%TIME"), clock.time.toString(QStringLiteral("hh:mm:ss")));
        return text;
    }

    // --- pages -----------------------------------------------------------------------
    void newPage()
    {
        ++s.page;
        s.y = s.borderTop;
        s.x = s.borderLeft;
        s.hasContent = false;
        if (!starts) {
            stopped = true; // the page being drawn is complete
            return;
        }
        starts->push_back({s, line, item});
        startPage();
    }

    // The header block and the table head rows open every page after the first; the
    // header's settings last for the header only, the position it ends at stays.
    void startPage()
    {
        const PageState body = s;
        runHeader();
        const double y = s.y;
        s = body;
        s.y = y;
        if (s.inTable) {
            for (const QString &row : body.headRows)
                tableRow(row, true);
        }
        s.hasContent = false;
    }

    void runHeader()
    {
        if (s.headFrom < 0 || s.headTo < s.headFrom)
            return;
        const int savedLine = line, savedItem = item, savedSkip = skip;
        inHeader = true;
        skip = 0;
        s.branch = PageState::Branch::Active;
        for (int i = s.headFrom; i < s.headTo && i < int(doc.lines().size()); ++i)
            runLine(doc.lines()[i], i);
        inHeader = false;
        line = savedLine, item = savedItem, skip = savedSkip;
    }

    // Whether the next item (of height h) is to be drawn now; breaks the page when it
    // does not fit below content already on it. Items drawn before a resumed page are
    // skipped.
    bool takeItem(double h)
    {
        if (skip > 0) {
            --skip;
            ++item;
            return false;
        }
        if (!inHeader && s.hasContent && s.y + h > bottomLimit())
            newPage();
        if (stopped)
            return false;
        ++item;
        return true;
    }

    // --- drawing ---------------------------------------------------------------------
    void drawPieces(const VisualLine &visual, double y, double rulesLeft, double rulesRight)
    {
        if (!canvas)
            return;
        canvas->setForeColor(0);
        for (const Piece &p : visual.pieces) {
            if (canvas->FontName() != p.style.font)
                canvas->setFontName(p.style.font);
            if (canvas->FontSize() != p.style.size)
                canvas->setFontSize(p.style.size);
            if (canvas->FontBold() != p.style.bold)
                canvas->setFontBold(p.style.bold);
            if (canvas->FontItalic() != p.style.italic)
                canvas->setFontItalic(p.style.italic);
            if (canvas->FontUnderline() != p.style.underline)
                canvas->setFontUnderline(p.style.underline);
            canvas->setCurrentX(p.x);
            canvas->setCurrentY(y);
            canvas->Print(p.text);
        }
        for (double w : visual.rules)
            drawLine(rulesLeft, y, rulesRight, y, w);
    }

    void drawLine(double x1, double y1, double x2, double y2, double width)
    {
        if (!canvas)
            return;
        canvas->setLineWidth(std::max(width, 0.0) * cmPerLineUnit);
        canvas->Line(clampCm(x1), clampCm(y1), clampCm(x2), clampCm(y2), 0);
    }

    // --- lines -----------------------------------------------------------------------
    void run(int fromLine)
    {
        for (line = fromLine; line < int(doc.lines().size()) && !stopped; ++line) {
            item = 0;
            runLine(doc.lines()[line], line);
            skip = 0;
        }
    }

    void runLine(const PageLine &l, int index)
    {
        switch (l.kind) {
        case PageLine::Comment:
            return;
        case PageLine::Command:
            command(l, index);
            return;
        case PageLine::Text:
            if (isDrawing())
                textOrRow(withVariables(l.text));
            return;
        case PageLine::Repeat:
            if (!isDrawing())
                return;
            for (int r = 1; r <= l.repeat && !stopped; ++r)
                textOrRow(withVariables(l.text).replace(u'%', QString::number(r)));
            return;
        }
    }

    bool isDrawing() const { return !s.collectingHead && s.branch == PageState::Branch::Active; }

    void textOrRow(const QString &text)
    {
        if (s.inTable)
            tableRow(text, false);
        else
            textLine(text);
    }

    void textLine(const QString &text)
    {
        LineFrame frame;
        frame.firstLeft = s.firstLeft > 0 ? s.firstLeft : s.borderLeft;
        frame.nextLeft = s.nextLeft > 0 ? s.nextLeft : s.borderLeft;
        frame.right = rightEdge();
        frame.tabOrigin = s.borderLeft;
        if (s.rightAligned)
            frame.rightAlignAt = frame.firstLeft;
        const std::vector<VisualLine> lines = LineLayout(frame, style()).layout(text);
        for (const VisualLine &visual : lines) {
            if (!takeItem(visual.height)) {
                if (stopped)
                    return;
                continue;
            }
            drawPieces(visual, s.y, s.borderLeft, rightEdge());
            if (!visual.pieces.empty()) {
                const Piece &last = visual.pieces.back();
                s.x = last.x + FontMeasure::width(last.text, last.style);
            }
            s.y = clampCm(s.y + visual.height + s.spaceLine);
            if (!inHeader)
                s.hasContent = true;
        }
        s.y = clampCm(s.y + s.spaceParagraph);
    }

    // --- tables ----------------------------------------------------------------------
    struct Cell
    {
        QString text;
        double value = 0;
        int sumIndex = -1;   // the running sum this cell changes
        double sumDelta = 0; // by how much, once the row is placed
    };

    int sumIndexOf(int column) const
    {
        const auto it = std::find(s.sumColumns.begin(), s.sumColumns.end(), column);
        return it == s.sumColumns.end() ? -1 : int(it - s.sumColumns.begin());
    }

    static double plainValue(const QString &cell)
    {
        QString digits;
        for (const QString &word : wordsOf(cell)) {
            if (!word.startsWith(u'!'))
                digits += word;
        }
        return ParseNumber(digits);
    }

    // A cell formula "=WORD:a:b"; a and b are amounts or "Cn", the value of cell n of
    // the row. Returns false for a text that is no formula.
    bool formula(const QString &cell, int column, const std::vector<Cell> &row, Cell &out) const
    {
        const QString t = cell.trimmed();
        if (!t.startsWith(u'='))
            return false;
        const QStringList parts = t.mid(1).split(u':');
        const QString word = parts.front().trimmed().toUpper();
        auto arg = [&](int i) {
            const QString a = parts.value(i).trimmed();
            if (a.size() >= 2 && a[0].toUpper() == u'C' && a[1].isDigit()) {
                const int n = a.mid(1).toInt();
                return n >= 1 && n <= int(row.size()) ? row[n - 1].value : 0.0;
            }
            return ParseNumber(a);
        };
        const int sum = sumIndexOf(column);
        double v = 0;
        out.sumIndex = -1;
        if (word == QLatin1String("MULT")) {
            v = arg(1) * arg(2);
            out.sumIndex = sum;
        } else if (word == QLatin1String("DIV")) {
            v = arg(2) == 0 ? 0 : arg(1) / arg(2);
            out.sumIndex = sum;
        } else if (word == QLatin1String("MWST")) {
            v = arg(1) * arg(2) / 100.0;
            out.sumIndex = sum;
        } else if (word == QLatin1String("NETTO")) {
            v = arg(2) == -100 ? 0 : arg(1) * 100.0 / (100.0 + arg(2));
            out.sumIndex = sum;
        } else if (word == QLatin1String("SUMME+") || word == QLatin1String("SUMME-")) {
            v = arg(1);
            out.sumIndex = sum;
            out.sumDelta = word.endsWith(u'+') ? v : -v;
        } else if (word == QLatin1String("SUMME")) {
            const int n = parts.size() > 1 ? int(arg(1)) - 1 : sum;
            v = n >= 0 && n < int(s.sums.size()) ? s.sums[n] : 0;
        } else if (word == QLatin1String("SUMMEADD")) {
            for (double total : s.sums)
                v += total;
        } else {
            return false;
        }
        out.value = std::isfinite(v) ? v : 0;
        out.text = formatAmount(out.value);
        return true;
    }

    // The row's cells; plain amounts and computed ones in a sum column add to its sum
    // (or subtract in sum mode 2), explicit SUMME+/SUMME- cells as they say.
    std::vector<Cell> cellsOf(const QString &rowText) const
    {
        std::vector<Cell> cells;
        const QStringList texts = cellTextsOf(rowText);
        // Amounts are read only where a sum or a formula may use them.
        const bool hasFormula = rowText.contains(u'=');
        for (int k = 1; k <= int(texts.size()) && k <= int(s.columns.size()); ++k) {
            Cell cell;
            const bool isFormula = hasFormula && formula(texts[k - 1], k, cells, cell);
            if (!isFormula) {
                cell.text = texts[k - 1];
                cell.sumIndex = sumIndexOf(k);
                if (hasFormula || cell.sumIndex >= 0)
                    cell.value = plainValue(cell.text);
            }
            if (cell.sumIndex >= 0 && cell.sumDelta == 0)
                cell.sumDelta = s.sumMode == 2 ? -cell.value : cell.value;
            cells.push_back(std::move(cell));
        }
        return cells;
    }

    void addToSums(const std::vector<Cell> &cells)
    {
        for (const Cell &cell : cells) {
            if (cell.sumIndex >= 0 && cell.sumIndex < int(s.sums.size()))
                s.sums[cell.sumIndex] += cell.sumDelta;
        }
    }

    void tableRow(const QString &text, bool isHeadReplay)
    {
        QString rowText = text;
        Color background = white;
        if (rowText.startsWith(QLatin1String("!RGB:"), Qt::CaseInsensitive)) {
            const qsizetype blank = rowText.indexOf(u' ');
            bool ok = false;
            const uint rgb = rowText.mid(5, blank < 0 ? -1 : blank - 5).toUInt(&ok, 16);
            background = ok ? Color(rgb & 0xFFFFFF) : white;
            rowText = blank < 0 ? QString() : rowText.mid(blank + 1);
        }
        const bool isHead = !isHeadReplay && s.nextRowIsHead;
        const std::vector<Cell> cells = cellsOf(rowText);
        std::vector<VisualLine> laid;
        double textHeight = FontMeasure::height(style());
        double left = s.borderLeft;
        for (size_t k = 0; k < cells.size(); ++k) {
            laid.push_back(layoutCell(cells[k].text, left, s.columns[k]));
            textHeight = std::max(textHeight, laid.back().height);
            left += s.columns[k].widthCm;
        }
        const double height = textHeight + 2 * s.padding;
        if (!isHeadReplay && !takeItem(height))
            return;
        drawRow(laid, background, height);
        s.y = clampCm(s.y + height);
        if (isHeadReplay)
            return;
        if (!inHeader)
            s.hasContent = true;
        if (isHead) {
            s.headRows << text;
            s.nextRowIsHead = false;
        } else {
            addToSums(cells);
        }
    }

    VisualLine layoutCell(const QString &text, double left, const PageState::Column &column)
    {
        LineFrame frame;
        frame.firstLeft = frame.nextLeft = left + cellMarginCm;
        frame.right = left + column.widthCm - cellMarginCm;
        frame.tabOrigin = left;
        frame.wrap = false;
        if (column.align == 'R')
            frame.rightAlignAt = frame.right;
        std::vector<VisualLine> lines = LineLayout(frame, style()).layout(text);
        VisualLine cell = lines.empty() ? VisualLine() : std::move(lines.front());
        if (column.align == 'C' && !cell.pieces.empty()) {
            const Piece &last = cell.pieces.back();
            const double used = last.x + FontMeasure::width(last.text, last.style) - frame.firstLeft;
            const double shift = std::max(0.0, (frame.right - frame.firstLeft - used) / 2);
            for (Piece &p : cell.pieces)
                p.x += shift;
        }
        return cell;
    }

    void drawRow(const std::vector<VisualLine> &cells, Color background, double height)
    {
        if (!canvas)
            return;
        const double left = s.borderLeft;
        const double right = left + tableWidth();
        if (background != white)
            canvas->FilledBox(left, s.y, right, s.y + height, background);
        for (const VisualLine &cell : cells)
            drawPieces(cell, s.y + s.padding, left, right);
        if (s.gridMode >= 1)
            drawLine(left, s.y + height, right, s.y + height, 1);
        if (s.gridMode >= 2) {
            drawLine(left, s.y, right, s.y, 1);
            double x = left;
            drawLine(x, s.y, x, s.y + height, 1);
            for (const auto &c : s.columns) {
                x += c.widthCm;
                drawLine(x, s.y, x, s.y + height, 1);
            }
        }
    }

    void startTable(const QString &arg)
    {
        const QStringList words = wordsOf(arg);
        s.inTable = true;
        s.padding = std::clamp(pageNumber(words.value(0)), 0.0, 100.0);
        s.gridMode = words.size() >= 3 ? int(pageNumber(words[1])) : 0;
        s.columns.clear();
        if (words.size() >= 2) {
            for (const QString &entry : words.back().split(u';')) {
                PageState::Column c;
                c.widthCm = std::clamp(pageNumber(entry), 0.0, maxCm);
                const QChar last = entry.isEmpty() ? QChar() : entry.back().toUpper();
                c.align = last == u'R' ? 'R' : last == u'C' ? 'C' : 'L';
                s.columns.push_back(c);
            }
        }
        s.headRows.clear();
        s.nextRowIsHead = false;
    }

    // --- commands --------------------------------------------------------------------
    void command(const PageLine &l, int index)
    {
        if (s.collectingHead) {
            if (l.command == PageCommand::EndHead)
                endHead(index);
            return;
        }
        if (condition(l))
            return;
        if (s.branch != PageState::Branch::Active)
            return;
        const QStringList words = wordsOf(l.text);
        auto number = [&](int i) { return clampCm(pageNumber(words.value(i))); };
        switch (l.command) {
        case PageCommand::Font:
            if (!l.text.isEmpty())
                s.fontName = l.text;
            break;
        case PageCommand::Size:
            s.fontSize = std::clamp(int(number(0)), 1, 500);
            break;
        case PageCommand::Border:
            s.borderLeft = number(0);
            s.borderTop = number(1);
            s.borderRight = s.borderBottom = number(2);
            break;
        case PageCommand::Space:
            s.spaceLine = number(0);
            s.spaceParagraph = number(1);
            break;
        case PageCommand::Top:
            top(words);
            break;
        case PageCommand::Gap:
            s.y = clampCm(s.y + number(0));
            break;
        case PageCommand::Line:
        case PageCommand::Point:
            lineOrPoint(l.command, words);
            break;
        case PageCommand::Bold:
            s.bold = !s.bold;
            break;
        case PageCommand::Underline:
            s.underline = !s.underline;
            break;
        case PageCommand::Sum:
            sumColumns(words);
            break;
        case PageCommand::Page:
            if (!inHeader) {
                s.y = paperHeight() + 1;
                s.hasContent = true;
            }
            break;
        case PageCommand::PrintPage:
            printPage();
            break;
        case PageCommand::Head:
            if (!inHeader) {
                s.collectingHead = true;
                s.headFrom = index + 1;
                s.headTo = -1;
            }
            break;
        case PageCommand::Logo:
            logo(words);
            break;
        case PageCommand::Table:
            startTable(l.text);
            break;
        case PageCommand::TableHead:
            s.nextRowIsHead = s.inTable;
            break;
        case PageCommand::EndTable:
            s.inTable = false;
            s.headRows.clear();
            s.nextRowIsHead = false;
            break;
        default: // paper is read before drawing; loop, end of head and unknown words do nothing
            break;
        }
    }

    void endHead(int index)
    {
        s.collectingHead = false;
        s.headTo = index;
        // The first page shows its header where the block ends; its settings stay.
        if (!s.hasContent && !inHeader) {
            const int savedLine = line, savedItem = item, savedSkip = skip;
            inHeader = true;
            skip = 0;
            for (int i = s.headFrom; i < s.headTo; ++i)
                runLine(doc.lines()[i], i);
            inHeader = false;
            line = savedLine, item = savedItem, skip = savedSkip;
        }
    }

    // if / elseif / else / endif; true when `l` was one of them.
    bool condition(const PageLine &l)
    {
        using B = PageState::Branch;
        switch (l.command) {
        case PageCommand::If:
            s.branchTaken = evaluatePageCondition(withVariables(l.text));
            s.branch = s.branchTaken ? B::Active : B::False;
            return true;
        case PageCommand::ElseIf:
            if (s.branchTaken) {
                s.branch = B::Done;
            } else {
                s.branchTaken = evaluatePageCondition(withVariables(l.text));
                s.branch = s.branchTaken ? B::Active : B::False;
            }
            return true;
        case PageCommand::Else:
            s.branch = s.branchTaken ? B::Done : B::Active;
            s.branchTaken = true;
            return true;
        case PageCommand::EndIf:
            s.branch = B::Active;
            s.branchTaken = false;
            return true;
        default:
            return false;
        }
    }

    void top(QStringList words)
    {
        s.rightAligned = false;
        if (!words.isEmpty() && words.back().endsWith(u'R', Qt::CaseInsensitive)) {
            s.rightAligned = true;
            if (words.back().compare(QLatin1String("R"), Qt::CaseInsensitive) == 0)
                words.removeLast();
        }
        s.y = clampCm(pageNumber(words.value(0)));
        s.firstLeft = clampCm(pageNumber(words.value(1)));
        s.nextLeft = words.size() > 2 ? clampCm(pageNumber(words.value(2))) : s.firstLeft;
    }

    void lineOrPoint(PageCommand which, const QStringList &words)
    {
        const double sp = linePitch();
        auto expr = [&](int i) { return clampCm(evaluatePageExpression(words.value(i), s.x, s.y, sp)); };
        if (!inHeader)
            s.hasContent = true;
        if (which == PageCommand::Line) {
            const double w = words.size() > 4 ? std::clamp(pageNumber(words[4]), 0.0, 100.0) : 1.0;
            drawLine(expr(0), expr(1), expr(2), expr(3), w);
            return;
        }
        if (canvas) {
            canvas->setLineWidth(cmPerLineUnit);
            canvas->PSet(expr(0), expr(1), 0);
        }
    }

    void sumColumns(const QStringList &words)
    {
        if (words.value(0) == QLatin1String("+")) {
            s.sumMode = 1;
            return;
        }
        if (words.value(0) == QLatin1String("-")) {
            s.sumMode = 2;
            return;
        }
        s.sumColumns.clear();
        for (int i = 0; i < words.size() && i < maxSumColumns; ++i)
            s.sumColumns.push_back(std::max(0, int(pageNumber(words[i]))));
        s.sums.assign(s.sumColumns.size(), 0.0);
    }

    void printPage()
    {
        if (s.page < 2 || !canvas)
            return;
        const QString text = QStringLiteral("- Seite") + PadLeft(QString::number(s.page), int(QString::number(s.page).size()) + 1) + QStringLiteral(" - ");
        const Style st = style();
        VisualLine visual;
        const double middle = (s.borderLeft + rightEdge()) / 2;
        visual.pieces.push_back({middle - FontMeasure::width(text, st) / 2, text, st});
        drawPieces(visual, s.y, 0, 0);
    }

    void logo(const QStringList &words)
    {
        if (!canvas || words.isEmpty())
            return;
        const QImage &picture = doc.logo(words[0]);
        if (picture.isNull())
            return;
        const double dotsPerCm = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() / 100.0 : 96 / 2.54;
        auto size = [&](int i, int natural) {
            const QString t = words.value(i);
            const double naturalCm = natural / dotsPerCm;
            if (t.isEmpty())
                return naturalCm;
            if (t.endsWith(u'%'))
                return std::clamp(pageNumber(t) / 100.0, 0.0, 100.0) * naturalCm;
            return std::clamp(pageNumber(t), 0.0, maxCm);
        };
        if (!inHeader)
            s.hasContent = true;
        canvas->PaintPicture(picture, clampCm(pageNumber(words.value(1))), clampCm(pageNumber(words.value(2))),
                             size(3, picture.width()), size(4, picture.height()));
    }
};

PageRenderer::PageRenderer(const PageDocument &document, PageClock clock)
    : m_document(document)
    , m_clock(clock)
{
}

int PageRenderer::countPages()
{
    m_starts.clear();
    m_starts.push_back({PageState(), 0, 0});
    Run run{m_document, m_clock};
    run.totalPages = 0;
    run.starts = &m_starts;
    run.run(0);
    return pageCount();
}

void PageRenderer::drawPage(int page, Canvas &canvas)
{
    if (page < 1 || page > pageCount())
        return;
    const Start &start = m_starts[page - 1];
    Run run{m_document, m_clock};
    run.totalPages = pageCount();
    run.canvas = &canvas;
    run.s = start.state;
    if (page > 1) {
        run.line = start.line;
        run.item = start.item;
        run.startPage();
    }
    run.skip = start.item;
    run.run(start.line);
}

} // namespace velk
