#include "SheetMarkup_p.h"

#include <velk/platform/Canvas.h>

namespace velk {

namespace {

bool isTag(QStringView name, QLatin1String wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

// The leading whole number of a TAB's content; 0 when there is none.
int tabPosition(QStringView content)
{
    content = content.trimmed();
    qsizetype end = 0;
    if (end < content.size() && (content[end] == u'-' || content[end] == u'+'))
        ++end;
    while (end < content.size() && content[end].isDigit() && end < 10)
        ++end;
    bool ok = false;
    const int value = content.left(end).toInt(&ok);
    return ok ? value : 0;
}

// Reads `line` from a moving position; every search starts where the last one ended,
// so the line is read once whatever it holds.
class MarkupReader
{
public:
    MarkupReader(QStringView line, bool bold) : m_line(line), m_bold(bold) {}

    std::vector<SheetMarkupRun> read()
    {
        while (m_pos < m_line.size()) {
            const qsizetype open = m_line.indexOf(u'<', m_pos);
            if (open < 0) {
                addText(m_line.mid(m_pos));
                break;
            }
            addText(m_line.mid(m_pos, open - m_pos));
            readTag(open);
        }
        return std::move(m_runs);
    }

private:
    void readTag(qsizetype open)
    {
        const qsizetype close = m_line.indexOf(u'>', open + 1);
        const qsizetype tagEnd = close < 0 ? m_line.size() : close;
        const QStringView tag = m_line.mid(open + 1, tagEnd - open - 1);
        m_pos = close < 0 ? m_line.size() : close + 1;
        const qsizetype blank = tag.indexOf(u' ');
        const QStringView name = blank < 0 ? tag : tag.left(blank);
        const QStringView attributes = blank < 0 ? QStringView() : tag.mid(blank + 1).trimmed();
        if (isTag(name, QLatin1String("B")))
            m_bold = true;
        else if (isTag(name, QLatin1String("/B")))
            m_bold = false;
        else if (isTag(name, QLatin1String("TAB")))
            addTab(enclosed(QLatin1String("</TAB>")));
        else if (isTag(name, QLatin1String("A")))
            addEnclosed(SheetMarkupRun::Link, enclosed(QLatin1String("</A>")), attributes);
        else if (isTag(name, QLatin1String("BUTTON")))
            addEnclosed(SheetMarkupRun::Button, enclosed(QLatin1String("</BUTTON>")), attributes);
        else
            addText(name);
    }

    // The text up to the closing tag `closing`; the position moves past it.
    QStringView enclosed(QLatin1String closing)
    {
        const qsizetype end = m_line.indexOf(closing, m_pos, Qt::CaseInsensitive);
        const QStringView content = m_line.mid(m_pos, (end < 0 ? m_line.size() : end) - m_pos);
        m_pos = end < 0 ? m_line.size() : end + closing.size();
        return content;
    }

    void addText(QStringView text)
    {
        if (text.isEmpty())
            return;
        SheetMarkupRun run;
        run.text = text.toString();
        run.bold = m_bold;
        m_runs.push_back(std::move(run));
    }

    void addTab(QStringView content)
    {
        SheetMarkupRun run;
        run.kind = SheetMarkupRun::Tab;
        run.tabX = tabPosition(content);
        run.bold = m_bold;
        m_runs.push_back(std::move(run));
    }

    void addEnclosed(SheetMarkupRun::Kind kind, QStringView text, QStringView attributes)
    {
        SheetMarkupRun run;
        run.kind = kind;
        run.text = text.toString();
        run.bold = m_bold;
        run.attributes = attributes.toString();
        m_runs.push_back(std::move(run));
    }

    QStringView m_line;
    qsizetype m_pos = 0;
    bool m_bold = false;
    std::vector<SheetMarkupRun> m_runs;
};

} // namespace

QStringView SheetMarkup::stripPrefixes(QStringView text, bool *bold, bool *underline)
{
    *bold = text.startsWith(u'^');
    if (*bold)
        text = text.mid(1);
    *underline = text.startsWith(u'_');
    if (*underline)
        text = text.mid(1);
    return text;
}

std::vector<SheetMarkupRun> SheetMarkup::parse(QStringView line, bool bold)
{
    return MarkupReader(line, bold).read();
}

std::vector<SheetPlacedRun> SheetMarkup::place(const std::vector<SheetMarkupRun> &runs, Canvas &measure,
                                               double startX, double cellLeft)
{
    const bool wasBold = measure.FontBold();
    std::vector<SheetPlacedRun> placed;
    placed.reserve(runs.size());
    double x = startX;
    for (const SheetMarkupRun &run : runs) {
        if (run.kind == SheetMarkupRun::Tab) {
            x = cellLeft + run.tabX;
            continue;
        }
        if (measure.FontBold() != run.bold)
            measure.setFontBold(run.bold);
        SheetPlacedRun piece{run, x, measure.TextWidth(run.text), 0};
        if (run.kind == SheetMarkupRun::Button) {
            piece.padding = measure.TextWidth(QStringLiteral(" "));
            piece.width += 2 * piece.padding;
        }
        x += piece.width;
        placed.push_back(std::move(piece));
    }
    if (measure.FontBold() != wasBold)
        measure.setFontBold(wasBold);
    return placed;
}

} // namespace velk
