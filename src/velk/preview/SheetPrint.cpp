#include "SheetPrint_p.h"

#include <velk/platform/Canvas.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Printer.h>
#include <velk/sheet/SheetColumn.h>
#include <velk/sheet/SheetData.h>
// The sheet's painter header is becoming internal (SheetPainter_p.h); either name works.
#if __has_include(<velk/sheet/SheetPainter_p.h>)
#include <velk/sheet/SheetPainter_p.h>
#else
#include <velk/sheet/SheetPainter.h>
#endif
#include <velk/sheet/velkSheet.h>

#include <algorithm>
#include <vector>

namespace velk {

namespace {

constexpr double paperWidthCm = 21.0;
constexpr double paperHeightCm = 29.7;
constexpr double marginCm = 1.5;
constexpr double rowGapCm = 0.1;
constexpr double cellPaddingCm = 0.05;
constexpr double indentCm = 0.4;
constexpr double twipsPerCm = 1440 / 2.54;
constexpr Color gray = rgbColor(128, 128, 128);
constexpr Color black = 0;

struct PrintColumn
{
    int index = 0; // cell number, from 1
    QString caption;
    double leftCm = 0, rightCm = 0;
    bool rightAligned = false;
};

// The shown columns one after another as the screen lays them out (a "*" column takes
// what is left of the wider of list and page), scaled down to the page width.
std::vector<PrintColumn> layoutColumns(const velkSheet &sheet)
{
    const double printableCm = paperWidthCm - 2 * marginCm;
    const int listTwips = std::max(int(sheet.width() * TwipsPerPixel), int(printableCm * twipsPerCm));
    std::vector<PrintColumn> columns;
    int used = 0;
    const auto &list = sheet.ColumnList();
    for (int i = 1; i <= list.Count(); ++i) {
        const auto column = list.value(i);
        if (!column || !column->Enabled)
            continue;
        const int width = std::max(0, column->WidthReal(listTwips - used));
        columns.push_back({i, column->caption, used / twipsPerCm, (used + width) / twipsPerCm, column->Alignment == -1});
        used += width;
    }
    const double total = used / twipsPerCm;
    const double factor = total > printableCm ? printableCm / total : 1.0;
    for (PrintColumn &c : columns) {
        c.leftCm = marginCm + c.leftCm * factor;
        c.rightCm = marginCm + c.rightCm * factor;
    }
    return columns;
}

class SheetPrinter
{
public:
    SheetPrinter(PrintJob &job, std::vector<PrintColumn> columns)
        : m_job(job)
        , m_columns(std::move(columns))
    {
        setUpFont();
        m_pitch = canvas().TextHeight(QStringLiteral("X")) + rowGapCm;
    }

    void print(const velkSheet &sheet)
    {
        headLine();
        const int count = sheet.Count();
        for (int pos = 1; pos <= count; ++pos) {
            const auto row = sheet.ListItem(pos);
            if (row && row->Visible())
                rowLine(*row);
        }
        if (!m_columns.empty())
            canvas().Line(m_columns.front().leftCm, m_y, m_columns.back().rightCm, m_y, black);
    }

private:
    Canvas &canvas() { return m_job.canvas(); }
    double tableLeft() const { return m_columns.empty() ? marginCm : m_columns.front().leftCm; }
    double tableRight() const { return m_columns.empty() ? marginCm : m_columns.back().rightCm; }

    void setUpFont()
    {
        canvas().setFontName(QStringLiteral("Arial"));
        canvas().setFontSize(8);
        canvas().setForeColor(black);
    }

    void headLine()
    {
        m_y = marginCm;
        canvas().Line(tableLeft(), m_y, tableRight(), m_y, black);
        for (const PrintColumn &c : m_columns)
            cell(c, QLatin1Char('^') + c.caption, 0);
        m_y += m_pitch;
        canvas().Line(tableLeft(), m_y, tableRight(), m_y, black);
    }

    void rowLine(const SheetData &row)
    {
        if (m_y + m_pitch > paperHeightCm - marginCm) {
            canvas().Line(tableLeft(), m_y, tableRight(), m_y, black);
            m_job.newPage();
            setUpFont();
            headLine();
        }
        if (row.BackColor != NoColor && !isSystemColor(row.BackColor))
            canvas().FilledBox(tableLeft(), m_y, tableRight(), m_y + m_pitch, row.BackColor);
        const QStringList cells = row.Text().split(u'\t');
        for (size_t k = 0; k < m_columns.size(); ++k) {
            const double indent = k == 0 ? row.Indent * indentCm : 0;
            cell(m_columns[k], cells.value(m_columns[k].index - 1), indent);
        }
        m_y += m_pitch;
        canvas().Line(tableLeft(), m_y, tableRight(), m_y, gray);
    }

    // A cell's first line as the list shows it: "^" bold, "_" underlined, shortened
    // with "..." to the column, right-aligned in value columns.
    void cell(const PrintColumn &c, QString text, double indent)
    {
        text = text.section(u'\n', 0, 0).remove(u'\r');
        bool bold = false, underline = false;
        if (text.startsWith(u'^')) {
            bold = true;
            text.remove(0, 1);
        }
        if (text.startsWith(u'_')) {
            underline = true;
            text.remove(0, 1);
        }
        Canvas &cv = canvas();
        cv.setFontBold(bold);
        cv.setFontUnderline(underline);
        const double left = c.leftCm + cellPaddingCm + indent;
        const double right = c.rightCm - cellPaddingCm;
        const QString shown = SheetPainter::shortened(cv, text, std::max(0.0, right - left));
        cv.setCurrentX(c.rightAligned ? right - cv.TextWidth(shown) : left);
        cv.setCurrentY(m_y + rowGapCm / 2);
        if (!shown.isEmpty())
            cv.Print(shown);
        cv.setFontBold(false);
        cv.setFontUnderline(false);
    }

    PrintJob &m_job;
    std::vector<PrintColumn> m_columns;
    double m_pitch = 0.4;
    double m_y = marginCm;
};

} // namespace

void printSheet(const velkSheet &sheet)
{
    Printer &printer = Printer::instance();
    if (!printer.isAvailable()) {
        Dialogs::instance().MsgBox(QStringLiteral("Es ist kein Drucker installiert"), MsgBoxStyle::Information,
                                   QStringLiteral("Drucken"));
        return;
    }
    auto job = printer.startJob(QStringLiteral("Drucken"), QSizeF(paperWidthCm, paperHeightCm), false);
    if (!job)
        return;
    SheetPrinter(*job, layoutColumns(sheet)).print(sheet);
    job->finish();
}

} // namespace velk
