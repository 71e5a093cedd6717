#include "PageScript_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace velk {

namespace {

PageCommand commandOf(const QString &word)
{
    static const QHash<QString, PageCommand> words = {
        {QStringLiteral("paper"), PageCommand::Paper},
        {QStringLiteral("font"), PageCommand::Font},
        {QStringLiteral("size"), PageCommand::Size},
        {QStringLiteral("border"), PageCommand::Border},
        {QStringLiteral("space"), PageCommand::Space},
        {QStringLiteral("top"), PageCommand::Top},
        {QStringLiteral("gap"), PageCommand::Gap},
        {QStringLiteral("line"), PageCommand::Line},
        {QStringLiteral("point"), PageCommand::Point},
        {QStringLiteral("fett"), PageCommand::Bold},
        {QStringLiteral("unterstreichen"), PageCommand::Underline},
        {QStringLiteral("summe"), PageCommand::Sum},
        {QStringLiteral("page"), PageCommand::Page},
        {QStringLiteral("printpage"), PageCommand::PrintPage},
        {QStringLiteral("head"), PageCommand::Head},
        {QStringLiteral("/head"), PageCommand::EndHead},
        {QStringLiteral("logo"), PageCommand::Logo},
        {QStringLiteral("table"), PageCommand::Table},
        {QStringLiteral("tablehead"), PageCommand::TableHead},
        {QStringLiteral("/table"), PageCommand::EndTable},
        {QStringLiteral("if"), PageCommand::If},
        {QStringLiteral("elseif"), PageCommand::ElseIf},
        {QStringLiteral("else"), PageCommand::Else},
        {QStringLiteral("endif"), PageCommand::EndIf},
        {QStringLiteral("loop"), PageCommand::Loop},
    };
    return words.value(word.toLower(), PageCommand::Unknown);
}

PageLine parseLine(QStringView line)
{
    PageLine parsed;
    if (line.startsWith(u'\'')) {
        parsed.kind = PageLine::Comment;
    } else if (line.startsWith(u'$')) {
        parsed.kind = PageLine::Command;
        const qsizetype blank = line.indexOf(u' ');
        parsed.command = commandOf(line.mid(1, blank < 0 ? -1 : blank - 1).toString());
        parsed.text = blank < 0 ? QString() : line.mid(blank + 1).trimmed().toString();
    } else if (line.startsWith(u'{') && line.indexOf(u'}') > 0) {
        // "{n}text": the text n times
        const qsizetype close = line.indexOf(u'}');
        parsed.kind = PageLine::Repeat;
        parsed.repeat = std::clamp(int(pageNumber(line.mid(1, close - 1))), 0, PageDocument::maxRepeat);
        parsed.text = line.mid(close + 1).toString();
    } else {
        parsed.text = line.toString();
    }
    return parsed;
}

double paperSide(QStringView text, double fallback)
{
    const double v = pageNumber(text);
    return v >= 1 ? std::min(v, 1000.0) : fallback;
}

} // namespace

PageDocument::PageDocument(const QString &expandedText)
{
    const QStringView text(expandedText);
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype end = text.indexOf(u'\n', from);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(from, end - from);
        if (line.endsWith(u'\r'))
            line.chop(1);
        m_lines.push_back(parseLine(line));
        // The paper size is read before drawing, from any "$paper " line.
        if (line.size() > 7 && line.left(7).compare(u"$paper ", Qt::CaseInsensitive) == 0) {
            const QStringList parts = line.mid(7).toString().split(u' ', Qt::SkipEmptyParts);
            m_paper = QSizeF(paperSide(parts.value(0), defaultWidthCm), paperSide(parts.value(1), defaultHeightCm));
        }
        from = end + 1;
    }
    // A text ending in a line end has no further line.
    if (!m_lines.empty() && m_lines.back().kind == PageLine::Text && m_lines.back().text.isEmpty()
        && (text.endsWith(u'\n')))
        m_lines.pop_back();
}

const QImage &PageDocument::logo(const QString &file) const
{
    auto it = m_logos.find(file);
    if (it == m_logos.end()) {
        QString path = file;
        if (QFileInfo(file).isRelative() && QCoreApplication::instance())
            path = QDir(QCoreApplication::applicationDirPath()).filePath(file);
        it = m_logos.insert(file, QImage(path));
    }
    return *it;
}

} // namespace velk
