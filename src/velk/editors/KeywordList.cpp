#include "KeywordList_p.h"

#include <algorithm>

namespace velk {

KeywordEntry KeywordEntry::parse(const QString &entry)
{
    const qsizetype eq = entry.indexOf(u'=');
    if (eq < 0)
        return {false, QString(), entry};
    return {true, entry.left(eq), entry.mid(eq + 1)};
}

// --- KeywordList ----------------------------------------------------------------------------

void KeywordList::clear()
{
    m_entries.clear();
    m_lowered.clear();
    m_sorted = true;
}

void KeywordList::add(const QString &entry)
{
    if (entry.isEmpty())
        return;
    const qsizetype from = m_lowered.size();
    const bool ascii = std::all_of(entry.cbegin(), entry.cend(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        m_lowered.resize(from + entry.size());
        QChar *out = m_lowered.data() + from;
        for (QChar c : entry)
            *out++ = c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c;
    } else {
        m_lowered.append(entry.toLower());
    }
    Item item{entry, from, m_lowered.size() - from};
    // Appending keeps the order as long as nothing greater than the new entry is last.
    if (m_sorted && !m_entries.empty() && lowered(m_entries.back()) > lowered(item))
        m_sorted = false;
    m_entries.push_back(std::move(item));
}

void KeywordList::addAll(const QString &text)
{
    const QStringList parts = text.split(u',');
    // Room for all parts at once, growing geometrically so that many small calls stay linear.
    const size_t entries = m_entries.size() + size_t(parts.size());
    if (entries > m_entries.capacity())
        m_entries.reserve(std::max(entries, 2 * m_entries.capacity()));
    const qsizetype chars = m_lowered.size() + text.size();
    if (chars > m_lowered.capacity())
        m_lowered.reserve(std::max(chars, 2 * m_lowered.capacity()));
    for (const QString &part : parts)
        add(part);
}

bool KeywordList::remove(const QString &entry)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Item &item) { return item.text == entry; });
    if (it == m_entries.end())
        return false;
    m_entries.erase(it); // removing keeps the order
    return true;
}

void KeywordList::ensureSorted() const
{
    if (m_sorted)
        return;
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [this](const Item &a, const Item &b) { return lowered(a) < lowered(b); });
    m_sorted = true;
}

const QString &KeywordList::at(int i) const
{
    ensureSorted();
    return m_entries[size_t(i)].text;
}

QStringList KeywordList::entries() const
{
    ensureSorted();
    QStringList list;
    list.reserve(count());
    for (const Item &item : m_entries)
        list.append(item.text);
    return list;
}

// --- KeywordTicks ---------------------------------------------------------------------------

void KeywordTicks::clear()
{
    m_byEntry.clear();
    m_byKeyword.clear();
    m_byRow.clear();
    m_rows.clear();
}

void KeywordTicks::reserve(int rows)
{
    m_byEntry.reserve(rows);
    m_byKeyword.reserve(rows);
    m_byRow.reserve(size_t(rows) * 2 + 1);
    m_rows.reserve(size_t(rows));
}

void KeywordTicks::addRow(int pos, const QString &entry, const QString &keyword)
{
    if (m_byRow.size() <= size_t(pos))
        m_byRow.resize(size_t(pos) + 1);
    m_byRow[size_t(pos)].entry = entry;
    const auto append = [&](Chain &chain, int Row::*next) {
        if (chain.last >= 0)
            m_byRow[size_t(chain.last)].*next = pos;
        else
            chain.first = pos;
        chain.last = pos;
    };
    append(m_byEntry[entry.contains(u'=') ? entry : u'=' + entry], &Row::nextSameEntry);
    append(m_byKeyword[keyword], &Row::nextSameKeyword);
    m_rows.push_back(pos);
}

std::vector<int> KeywordTicks::rowsOf(const QString &selected) const
{
    if (!selected.contains(u'='))
        return rowsOfKeyword(selected);
    std::vector<int> rows;
    for (int pos = m_byEntry.value(selected).first; pos >= 0; pos = m_byRow[size_t(pos)].nextSameEntry)
        rows.push_back(pos);
    return rows;
}

std::vector<int> KeywordTicks::rowsOfKeyword(const QString &keyword) const
{
    std::vector<int> rows;
    for (int pos = m_byKeyword.value(keyword).first; pos >= 0; pos = m_byRow[size_t(pos)].nextSameKeyword)
        rows.push_back(pos);
    return rows;
}

QString KeywordTicks::rebuilt(const QString &selected, const std::function<bool(int)> &isTicked) const
{
    QStringList out;
    QSet<int> covered;
    for (const QString &entry : selected.split(u';', Qt::SkipEmptyParts)) {
        const std::vector<int> rows = rowsOf(entry);
        if (rows.empty()) {
            out.append(entry);
            continue;
        }
        const bool allTicked = std::all_of(rows.begin(), rows.end(), isTicked);
        if (allTicked) {
            out.append(entry);
            covered.unite(QSet<int>(rows.begin(), rows.end()));
            continue;
        }
        if (entry.contains(u'='))
            continue;
        for (int pos : rows)
            appendRow(pos, isTicked, out, covered);
    }
    for (int pos : m_rows)
        appendRow(pos, isTicked, out, covered);
    return out.join(u';');
}

void KeywordTicks::appendRow(int pos, const std::function<bool(int)> &isTicked, QStringList &out,
                             QSet<int> &covered) const
{
    if (!isTicked(pos) || covered.contains(pos))
        return;
    const QString entry = entryOf(pos);
    if (entry.contains(u'=')) {
        out.append(entry);
        covered.insert(pos);
        return;
    }
    // The keyword alone would tick it in every topic as well.
    const std::vector<int> everywhere = rowsOfKeyword(entry);
    if (std::all_of(everywhere.begin(), everywhere.end(), isTicked)) {
        out.append(entry);
        covered.unite(QSet<int>(everywhere.begin(), everywhere.end()));
    } else {
        out.append(u'=' + entry);
        covered.insert(pos);
    }
}

// --- KeywordQuery ---------------------------------------------------------------------------

KeywordQuery::KeywordQuery(const QString &query)
    : m_framed(u'/' + query + u'/')
{
    const QStringList parts = query.split(u'/');
    m_parts = QSet<QString>(parts.begin(), parts.end());
}

bool KeywordQuery::matches(const QString &entry) const
{
    // An entry holding "/" can span several parts; only those need the text search.
    if (entry.contains(u'/'))
        return m_framed.contains(u'/' + entry + u'/');
    return m_parts.contains(entry);
}

} // namespace velk
