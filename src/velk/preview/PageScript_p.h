#pragma once

// The page description language after expansion: the text parsed once into lines, and
// the renderer that lays pages out in centimetres and draws them on a Canvas.

#include <velk/common/Color.h>
#include <velk/velk_export.h>

#include <QDate>
#include <QHash>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTime>

#include <vector>

namespace velk {

class Canvas;

enum class PageCommand {
    Unknown, Paper, Font, Size, Border, Space, Top, Gap, Line, Point, Bold, Underline, Sum,
    Page, PrintPage, Head, EndHead, Logo, Table, TableHead, EndTable, If, ElseIf, Else, EndIf, Loop
};

struct PageLine
{
    enum Kind { Text, Command, Repeat, Comment };
    Kind kind = Text;
    PageCommand command = PageCommand::Unknown;
    QString text;    ///< Text: the line; Command: the trimmed argument; Repeat: the text after "}"
    int repeat = 0;  ///< Repeat: how often (capped)
};

/// An expanded page text split into lines, with the paper size from its "$paper " lines.
class VELK_TESTS_EXPORT PageDocument
{
public:
    static constexpr int maxRepeat = 1000;
    static constexpr double defaultWidthCm = 21.0;
    static constexpr double defaultHeightCm = 29.7;

    PageDocument() = default;
    explicit PageDocument(const QString &expandedText);

    const std::vector<PageLine> &lines() const { return m_lines; }
    /// 21 × 29.7 unless a "$paper w h" line gives a size (each kept within 1…1000 cm).
    QSizeF paperCm() const { return m_paper; }
    /// The picture of a `logo` command (loaded once; null when missing).
    const QImage &logo(const QString &file) const;

private:
    std::vector<PageLine> m_lines;
    QSizeF m_paper{defaultWidthCm, defaultHeightCm};
    mutable QHash<QString, QImage> m_logos;
};

/// Date and time that "%DATUM" and "%TIME" print (fixed for one document).
struct PageClock
{
    QDate date = QDate::currentDate();
    QTime time = QTime::currentTime();
};

/// The layout state of one rendering pass; a copy taken at a page start is enough to
/// draw that page.
struct PageState
{
    struct Column
    {
        double widthCm = 0;
        char align = 'L'; // 'L', 'R' or 'C'
    };
    enum class Branch { Active, False, Done };

    // geometry
    double borderLeft = 2, borderTop = 2, borderRight = 2, borderBottom = 2;
    double spaceLine = 0, spaceParagraph = 0;
    double x = 2, y = 2;
    double firstLeft = 0, nextLeft = 0; // left positions of `top`; 0 = the left border
    bool rightAligned = false;
    // font
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 10;
    bool bold = false, underline = false;
    // flow
    Branch branch = Branch::Active;
    bool branchTaken = false;
    bool collectingHead = false;
    int headFrom = -1, headTo = -1; // header block: lines [headFrom, headTo)
    // table
    bool inTable = false;
    double padding = 0;
    int gridMode = 0;
    std::vector<Column> columns;
    bool nextRowIsHead = false;
    QStringList headRows;
    Color rowColor = 0xFFFFFF;
    // sums
    std::vector<int> sumColumns;
    std::vector<double> sums;
    int sumMode = 1; // 1 add, 2 subtract
    // pages
    int page = 1;
    bool hasContent = false;
};

/// Lays out and draws the pages of a document. countPages() walks the whole text once
/// and keeps the state at every page start; drawPage(k) then starts from page k's state,
/// so drawing any page costs one page.
class VELK_TESTS_EXPORT PageRenderer
{
public:
    explicit PageRenderer(const PageDocument &document, PageClock clock = {});

    /// The counting pass: the number of pages (at least 1).
    int countPages();
    int pageCount() const { return int(m_starts.size()); }
    /// Draws page `page` (1-based) on `canvas`, whose scale is centimetres from the
    /// paper's corner. A page past the last draws nothing.
    void drawPage(int page, Canvas &canvas);

private:
    struct Start
    {
        PageState state;
        int line = 0;
        int item = 0;
    };
    struct Run;

    const PageDocument &m_document;
    PageClock m_clock;
    std::vector<Start> m_starts;
};

class Printer;
/// Prints every page of `document` as one job on `printer`; the pages printed, or -1
/// without a job or when it failed.
VELK_TESTS_EXPORT int printDocument(const PageDocument &document, PageRenderer &renderer, Printer &printer,
                                    const QString &jobTitle);

/// Amount texts as the page language prints them: "1.234,50".
VELK_TESTS_EXPORT QString formatAmount(double value);
/// A number of the language ("." or "," as decimal point); 0 when it does not parse,
/// never NaN or infinite.
VELK_TESTS_EXPORT double pageNumber(QStringView text);
/// Coordinates of `line` and `point`: numbers, x, y, sp, "*" "/" before "+" "-".
VELK_TESTS_EXPORT double evaluatePageExpression(QStringView expr, double x, double y, double sp);
/// Conditions of `if`/`elseif`: "a OP b" with OP one of = <> < > <= >=, compared as
/// numbers when both sides read as numbers, else as texts; a lone operand holds when it
/// is neither empty nor "0".
VELK_TESTS_EXPORT bool evaluatePageCondition(const QString &condition);

} // namespace velk
