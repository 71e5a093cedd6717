#include "PageText.h"

#include <velk/sheet/SheetColumn.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>

#include <QStringList>

#include <vector>

namespace velk {

namespace {

const QString crlf = QStringLiteral("\r\n");
constexpr double printableWidthCm = 16.0; // 21 cm paper less the borders 2 and 3
constexpr int starWidthTwips = 2000;
constexpr int unsetWidthTwips = 1600;
constexpr double indentCm = 0.4;

struct PrintColumn
{
    int index = 0; // cell number in the row text, from 1
    QString caption;
    int widthTwips = 0;
    bool rightAligned = false;
};

std::vector<PrintColumn> shownColumns(const QString &definition)
{
    std::vector<PrintColumn> columns;
    const QStringList entries = definition.split(u',');
    for (int i = 0; i < entries.size(); ++i) {
        const QString entry = entries[i].trimmed();
        SheetColumn column;
        column.Init(entry);
        if (!column.Enabled)
            continue;
        PrintColumn c;
        c.index = i + 1;
        c.caption = entry.contains(u':') ? column.caption : QStringLiteral("?");
        c.widthTwips = column.Width == -1 ? starWidthTwips : column.Width > 0 ? column.Width : unsetWidthTwips;
        c.rightAligned = column.Alignment == -1;
        columns.push_back(c);
    }
    return columns;
}

QString columnList(const std::vector<PrintColumn> &columns)
{
    double total = 0;
    for (const PrintColumn &c : columns)
        total += c.widthTwips;
    QStringList widths;
    for (const PrintColumn &c : columns) {
        const double cm = total > 0 ? c.widthTwips * printableWidthCm / total : 0;
        widths << QString::number(cm, 'f', 2) + (c.rightAligned ? QStringLiteral("R") : QString());
    }
    return widths.join(u';');
}

// A sheet cell as the page language prints it as typed: a ";" is escaped, a word
// starting with "!" is doubled so it is no code, a trailing "\" gets a blank so it
// escapes nothing; a leading "^" makes the cell bold.
QString cellText(QString cell)
{
    QString prefix;
    if (cell.startsWith(u'^')) {
        cell.remove(0, 1);
        prefix = QStringLiteral("!B ");
    }
    cell.replace(u'\t', u' ');
    if (cell.contains(u'!')) {
        QStringList words = cell.split(u' ');
        for (QString &w : words) {
            if (w.startsWith(u'!'))
                w.prepend(u'!');
        }
        cell = words.join(u' ');
    }
    cell.replace(QStringLiteral(";"), QStringLiteral("\\;"));
    if (cell.endsWith(u'\\'))
        cell += u' ';
    return prefix + cell;
}

QString rowLine(const SheetData &row, const std::vector<PrintColumn> &columns)
{
    const QStringList cells = row.Text().split(u'\t');
    QStringList printed;
    for (const PrintColumn &c : columns)
        printed << cellText(cells.value(c.index - 1));
    if (row.Indent > 0 && !printed.isEmpty())
        printed.front().prepend(QStringLiteral("!T") + QString::number(row.Indent * indentCm, 'f', 1) + u' ');
    QString line;
    // A row starting like a command, a comment or a repeat line keeps its text through
    // an explicit white background.
    Color back = row.BackColor;
    const QString joined = printed.join(u';');
    if (back == NoColor && (joined.startsWith(u'$') || joined.startsWith(u'\'') || joined.startsWith(u'{')))
        back = 0xFFFFFF;
    if (back != NoColor && !isSystemColor(back))
        line = QStringLiteral("!RGB:") + QStringLiteral("%1").arg(back & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper() + u' ';
    return line + joined;
}

QString defaultHeader()
{
    static const char *const lines[] = {"$Head", "$Border 2 2 3", "$Font Arial", "$Top 1.6", "$Size 24", "#TITLE",
                                        "$Top 2.6", "$Size 12", "#DATE", "$Size 8", "$Top 28",
                                        "Seite %PAGE von %PAGES Seiten, %DATUM", "$Top 4", "$Space 0.3", "$/Head"};
    QString header;
    for (const char *line : lines)
        header += QLatin1String(line) + crlf;
    return header;
}

} // namespace

PageText SheetPageText(const velkSheet &sheet, const QString &title, const QString &date, const QString &header,
                       const QString &columns)
{
    const std::vector<PrintColumn> shown = shownColumns(columns.isEmpty() ? sheet.Columns() : columns);
    QString text = header.isEmpty() ? defaultHeader() : header;
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += crlf;
    text += QStringLiteral("$Table 0.05 ") + columnList(shown) + crlf;
    text += QStringLiteral("$TableHead") + crlf;
    QStringList captions;
    for (const PrintColumn &c : shown)
        captions << cellText(c.caption);
    text += QStringLiteral("!RGB:C0C0C0 ") + captions.join(u';') + crlf;
    const int count = sheet.Count();
    for (int pos = 1; pos <= count; ++pos) {
        const auto row = sheet.ListItem(pos);
        if (row && row->Visible())
            text += rowLine(*row, shown) + crlf;
    }
    text += QStringLiteral("$/Table") + crlf;
    return {text, QStringLiteral("TITLE=") + title + crlf + QStringLiteral("DATE=") + date};
}

} // namespace velk
