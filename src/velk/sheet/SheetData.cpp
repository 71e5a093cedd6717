#include "SheetData.h"

#include "SheetRows_p.h"

#include <algorithm>
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
    return owner() ? owner()->linked(*this, &SheetRows::Links::parent) : nullptr;
}

SheetData *SheetData::FirstChild() const
{
    return owner() ? owner()->linked(*this, &SheetRows::Links::firstChild) : nullptr;
}

SheetData *SheetData::NextSibling() const
{
    return owner() ? owner()->linked(*this, &SheetRows::Links::nextSibling) : nullptr;
}

SheetData *SheetData::PrevSibling() const
{
    return owner() ? owner()->linked(*this, &SheetRows::Links::prevSibling) : nullptr;
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
    // Cells are short: one plain scan finds the field's start and end without a library
    // call per tab, which is most of the cost when a handler reads a cell of every row.
    const auto *const begin = reinterpret_cast<const char16_t *>(m_text.constData());
    const char16_t *const end = begin + m_text.size();
    const char16_t *start = begin;
    for (int field = 1; field < col; ++field) {
        start = std::find(start, end, u'\t');
        if (start == end)
            return {};
        ++start;
    }
    const char16_t *const stop = std::find(start, end, u'\t');
    return QStringView(start, stop - start);
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
