#include "PopupLayout_p.h"

namespace velk {

PopupLayout::PopupLayout(const QString &menu, double innerHeight, double twipsPerPixelY)
{
    int separators = 0;
    qsizetype pos = 0;
    while (pos < menu.size()) {
        const qsizetype comma = menu.indexOf(u',', pos);
        const qsizetype end = comma < 0 ? menu.size() : comma;
        PopupLine line;
        line.text = menu.mid(pos, end - pos);
        line.isSeparator = line.text == u"-";
        separators += line.isSeparator ? 1 : 0;
        m_lines.push_back(std::move(line));
        pos = comma < 0 ? menu.size() : comma + 1;
    }
    const int texts = int(m_lines.size()) - separators;
    if (texts > 0)
        m_lineHeight = (innerHeight - twipsPerPixelY - SeparatorHeight * separators) / texts;
    double top = 0;
    int number = 0;
    for (PopupLine &line : m_lines) {
        line.top = top;
        line.height = line.isSeparator ? SeparatorHeight : m_lineHeight;
        line.number = line.isSeparator ? 0 : ++number;
        top += line.height;
    }
}

int PopupLayout::lineAt(double y) const
{
    for (const PopupLine &line : m_lines) {
        if (y >= line.top && y < line.top + line.height)
            return line.number;
    }
    return 0;
}

const PopupLine *PopupLayout::line(int number) const
{
    for (const PopupLine &line : m_lines) {
        if (line.number == number && number > 0)
            return &line;
    }
    return nullptr;
}

} // namespace velk
