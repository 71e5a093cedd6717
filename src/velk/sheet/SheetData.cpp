#include "SheetData.h"

#include "SheetRows_p.h"

#include <limits>

namespace velk {

namespace {

// Cells beyond this cannot be addressed: a column number is a signed 16-bit number, and a
// larger number would only pad the text with millions of tabs.
constexpr int MaxColumn = std::numeric_limits<qint16>::max();

// Lines of one cell, as a loop that takes LF-ended tokens while text remains counts
// them: "a" and "a\n" are one line, "a\n\nb" three, "" none.
int linesOfCell(QStringView cell)
{
    if (cell.isEmpty())
        return 0;
    const int feeds = int(cell.count(u'\n'));
    return cell.endsWith(u'\n') ? feeds : feeds + 1;
}

} // namespace

SheetExpanded &SheetExpanded::operator=(bool on)
{
    if (m_on != on) {
        m_on = on;
        if (m_owner)
            m_owner->expansionWritten();
    }
    return *this;
}

int SheetData::Index() const
{
    if (!owner())
        return 0;
    owner()->ensureIndexes();
    return m_index;
}

SheetData *SheetData::Parent() const
{
    if (!owner())
        return nullptr;
    owner()->ensureLinks();
    return owner()->at(m_parent + 1);
}

SheetData *SheetData::FirstChild() const
{
    if (!owner())
        return nullptr;
    owner()->ensureLinks();
    return owner()->at(m_firstChild + 1);
}

SheetData *SheetData::NextSibling() const
{
    if (!owner())
        return nullptr;
    owner()->ensureLinks();
    return owner()->at(m_nextSibling + 1);
}

SheetData *SheetData::PrevSibling() const
{
    if (!owner())
        return nullptr;
    owner()->ensureLinks();
    return owner()->at(m_prevSibling + 1);
}

bool SheetData::Visible() const
{
    for (const SheetData *p = Parent(); p; p = p->Parent()) {
        if (!p->Expanded)
            return false;
    }
    return true;
}

int SheetData::Lines() const
{
    int most = 0;
    qsizetype start = 0;
    while (start <= m_text.size()) {
        qsizetype end = m_text.indexOf(u'\t', start);
        if (end < 0)
            end = m_text.size();
        most = std::max(most, linesOfCell(QStringView(m_text).mid(start, end - start)));
        start = end + 1;
    }
    return most;
}

QStringView SheetData::subTextView(int col) const
{
    if (col < 1)
        return {};
    qsizetype start = 0;
    for (int field = 1; field < col; ++field) {
        const qsizetype tab = m_text.indexOf(u'\t', start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    qsizetype end = m_text.indexOf(u'\t', start);
    if (end < 0)
        end = m_text.size();
    return QStringView(m_text).mid(start, end - start);
}

QString SheetData::GetSubText(int col) const
{
    return subTextView(col).toString();
}

void SheetData::SetSubText(int col, const QString &txt)
{
    if (col < 1 || col > MaxColumn)
        return;
    QString result;
    result.reserve(m_text.size() + txt.size() + col + 1);
    qsizetype start = 0;
    bool more = true; // whether the old text has a field at `start`
    for (int field = 1; field < col; ++field) {
        if (more) {
            qsizetype tab = m_text.indexOf(u'\t', start);
            const qsizetype end = tab < 0 ? m_text.size() : tab;
            result += QStringView(m_text).mid(start, end - start);
            more = tab >= 0;
            start = end + 1;
        }
        result += u'\t';
    }
    result += txt;
    result += u'\t';
    if (more) {
        // Skip the old field `col`; what follows its tab is kept as it was.
        const qsizetype tab = m_text.indexOf(u'\t', start);
        if (tab >= 0)
            result += QStringView(m_text).mid(tab + 1);
    }
    m_text = result;
}

} // namespace velk
