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
    m_sorted = true;
}

void KeywordList::add(const QString &entry)
{
    if (entry.isEmpty())
        return;
    Item item{entry, entry.toLower()};
    // Appending keeps the order as long as nothing greater than the new entry is last.
    if (m_sorted && !m_entries.empty() && m_entries.back().lowered > item.lowered)
        m_sorted = false;
    m_entries.push_back(std::move(item));
}

void KeywordList::addAll(const QString &text)
{
    for (const QString &part : text.split(u','))
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
                     [](const Item &a, const Item &b) { return a.lowered < b.lowered; });
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
    m_entryOfRow.clear();
    m_rows.clear();
}

void KeywordTicks::reserve(int rows)
{
    m_byEntry.reserve(rows);
    m_byKeyword.reserve(rows);
    m_entryOfRow.reserve(size_t(rows) * 2 + 1);
    m_rows.reserve(size_t(rows));
}

void KeywordTicks::addRow(int pos, const QString &entry)
{
    m_byEntry[entry].push_back(pos);
    if (!entry.contains(u'='))
        m_byEntry[u'=' + entry].push_back(pos);
    m_byKeyword[KeywordEntry::parse(entry).keyword].push_back(pos);
    if (m_entryOfRow.size() <= size_t(pos))
        m_entryOfRow.resize(size_t(pos) + 1);
    m_entryOfRow[size_t(pos)] = entry;
    m_rows.push_back(pos);
}

std::vector<int> KeywordTicks::rowsOf(const QString &selected) const
{
    const auto &index = selected.contains(u'=') ? m_byEntry : m_byKeyword;
    return index.value(selected);
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
    const std::vector<int> everywhere = m_byKeyword.value(entry);
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
