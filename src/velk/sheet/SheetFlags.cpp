#include "SheetFlags_p.h"

#include <velk/common/StringHelpers.h>

namespace velk {

SheetFlags::SheetFlags(const QString &text)
    : m_padded(QLatin1Char(' ') + TrimBlanks(text) + QLatin1Char(' '))
{
    // Later words of this order win, so "singleselect multiselect" is multi-select.
    if (has(u"singleselect"))
        m_selectionMode = SingleSelect;
    if (has(u"multiselect"))
        m_selectionMode = MultiSelect;
    if (has(u"multiselectsimple"))
        m_selectionMode = MultiSelectSimple;

    if (has(u"maxspace"))
        m_spacing = 1.6;
    else if (has(u"space"))
        m_spacing = 1.3;
    else if (has(u"compact"))
        m_spacing = 1.1;

    m_grid = has(u"grid");
    m_requestData = has(u"requestdata");
    m_selectColumn = has(u"selectcolumn");
    m_richText = has(u"richtext");
    m_alwaysSelect = has(u"alwaysselect");
}

QString SheetFlags::text() const
{
    return TrimBlanks(m_padded);
}

bool SheetFlags::has(QStringView word) const
{
    if (word.isEmpty())
        return false;
    if (word == u"grid" || word == u"noarrowkeys")
        return m_padded.contains(word);
    QString needle;
    needle.reserve(word.size() + 2);
    needle += u' ';
    needle += word;
    needle += u' ';
    return m_padded.contains(needle);
}

} // namespace velk
