#include "KeywordList_p.h"

#include <QStringTokenizer>

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
    m_texts.clear();
    m_lowered.clear();
    m_sorted = true;
}

namespace {
// Makes room for `more` at the end of `text`, growing geometrically so that many small
// additions stay linear.
void growFor(QString &text, qsizetype more)
{
    const qsizetype need = text.size() + more;
    if (need > text.capacity())
        text.reserve(std::max(need, 2 * text.capacity()));
}
} // namespace

void KeywordList::add(QStringView entry)
{
    if (entry.isEmpty())
        return;
    Item item{m_texts.size(), m_lowered.size(), int(entry.size()), 0, -1};
    growFor(m_texts, entry.size());
    m_texts.append(entry);
    const bool ascii = std::all_of(entry.begin(), entry.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        growFor(m_lowered, entry.size());
        m_lowered.resize(item.loweredFrom + entry.size());
        std::transform(entry.begin(), entry.end(), m_lowered.data() + item.loweredFrom,
                       [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c; });
    } else {
        m_lowered.append(entry.toString().toLower());
    }
    item.loweredLength = int(m_lowered.size() - item.loweredFrom);
    item.loweredEquals = int(lowered(item).indexOf(u'='));
    // Appending keeps the order as long as nothing greater than the new entry is last.
    if (m_sorted && !m_entries.empty() && lowered(m_entries.back()) > lowered(item))
        m_sorted = false;
    m_entries.push_back(item);
}

void KeywordList::addAll(QStringView text)
{
    growFor(m_texts, text.size());
    growFor(m_lowered, text.size());
    for (const QStringView part : QStringTokenizer(text, u','))
        add(part);
}

bool KeywordList::remove(QStringView entry)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Item &item) { return text(item) == entry; });
    if (it == m_entries.end())
        return false;
    m_entries.erase(it); // removing keeps the order; the texts stay in the buffers until clear()
    return true;
}

bool KeywordList::contains(QStringView entry) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const Item &item) { return text(item) == entry; });
}

// Sorting by topic first: the entries of a topic "t" share the key "t=" (lower-cased),
// and as a topic holds no "=", no such key is the beginning of another key or of an entry
// without a topic. So ordering the keys (one per topic, one per entry without a topic) and
// then the keywords within each topic gives exactly the order of the whole texts, with
// far fewer comparisons than sorting all entries together.
void KeywordList::ensureSorted() const
{
    if (m_sorted)
        return;
    struct Group
    {
        QStringView key;
        int count = 0;
    };
    std::vector<Group> groups;
    std::vector<int> groupOf(m_entries.size());
    QHash<QStringView, int> topics; // views into m_lowered, which does not change here
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Item &item = m_entries[i];
        const QStringView all = lowered(item);
        int g = int(groups.size());
        if (item.loweredEquals >= 0) {
            const auto it = topics.constFind(all.left(item.loweredEquals + 1));
            if (it != topics.constEnd())
                g = it.value();
            else
                topics.insert(all.left(item.loweredEquals + 1), g);
        }
        if (g == int(groups.size()))
            groups.push_back(Group{item.loweredEquals >= 0 ? all.left(item.loweredEquals + 1) : all});
        ++groups[size_t(g)].count;
        groupOf[i] = g;
    }
    std::vector<int> order(groups.size());
    for (size_t g = 0; g < order.size(); ++g)
        order[g] = int(g);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return groups[size_t(a)].key < groups[size_t(b)].key; });
    // Each group's first place in the result, then the entries placed in the order they came.
    std::vector<int> start(groups.size());
    int at = 0;
    for (int g : order) {
        start[size_t(g)] = at;
        at += groups[size_t(g)].count;
    }
    std::vector<Item> sorted(m_entries.size());
    std::vector<int> next = start;
    for (size_t i = 0; i < m_entries.size(); ++i)
        sorted[size_t(next[size_t(groupOf[i])]++)] = m_entries[i];
    const auto keyword = [this](const Item &item) { return lowered(item).mid(item.loweredEquals + 1); };
    for (size_t g = 0; g < groups.size(); ++g) {
        if (groups[g].count > 1) {
            const auto first = sorted.begin() + start[g];
            std::stable_sort(first, first + groups[g].count,
                             [&](const Item &a, const Item &b) { return keyword(a) < keyword(b); });
        }
    }
    m_entries.swap(sorted);
    m_sorted = true;
}

QStringView KeywordList::at(int i) const
{
    ensureSorted();
    return text(m_entries[size_t(i)]);
}

QStringList KeywordList::entries() const
{
    ensureSorted();
    QStringList list;
    list.reserve(count());
    for (const Item &item : m_entries)
        list.append(text(item).toString());
    return list;
}

// --- KeywordTicks ---------------------------------------------------------------------------

namespace {
// A hash of UTF-16 text that can be continued, so that "=" + entry hashes without being
// put together.
constexpr size_t kHashStart = 1469598103934665603ull;

size_t hashOn(size_t h, QStringView text)
{
    for (QChar c : text)
        h = (h ^ c.unicode()) * 1099511628211ull;
    return h;
}

// Spreads the bits so that the low bits pick a slot well.
size_t mixed(size_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}
} // namespace

void KeywordTicks::clear()
{
    for (Table &table : m_tables) {
        table.cells.clear();
        table.used = 0;
    }
    m_byRow.clear();
    m_rows.clear();
    m_indexed[ByEntry] = m_indexed[ByKeyword] = 0;
}

void KeywordTicks::reserve(int rows)
{
    for (Table &table : m_tables) {
        if (!fits(size_t(rows), table.cells.size()))
            grow(table, size_t(rows) * 10 / 7 + 1);
    }
    m_byRow.reserve(size_t(rows) * 2 + 1);
    m_rows.reserve(size_t(rows));
}

void KeywordTicks::grow(Table &table, size_t cells)
{
    size_t size = 16;
    while (size < cells)
        size *= 2;
    std::vector<Slot> old(size);
    old.swap(table.cells);
    const size_t mask = size - 1;
    for (const Slot &slot : old) {
        if (slot.first < 0)
            continue;
        size_t i = slot.hash & mask;
        while (table.cells[i].first >= 0)
            i = (i + 1) & mask;
        table.cells[i] = slot;
    }
}

bool KeywordTicks::Key::operator==(const Key &other) const
{
    if (withEquals == other.withEquals)
        return text == other.text;
    const Key &plain = withEquals ? other : *this;
    const Key &equals = withEquals ? *this : other;
    return plain.text.size() == equals.text.size() + 1 && plain.text.front() == u'=' && plain.text.mid(1) == equals.text;
}

quint32 KeywordTicks::Key::hash() const
{
    return quint32(mixed(hashOn(withEquals ? hashOn(kHashStart, u"=") : kHashStart, text)));
}

KeywordTicks::Key KeywordTicks::keyOf(Kind kind, int row) const
{
    const Row &r = m_byRow[size_t(row)];
    if (kind == ByKeyword)
        return Key{false, QStringView(r.entry).mid(r.keywordFrom)};
    return Key{r.keywordFrom == 0, r.entry};
}

const KeywordTicks::Slot *KeywordTicks::find(Kind kind, const Key &key, quint32 hash) const
{
    const Table &table = m_tables[kind];
    if (table.cells.empty())
        return nullptr;
    const size_t mask = table.cells.size() - 1;
    for (size_t i = hash & mask; table.cells[i].first >= 0; i = (i + 1) & mask) {
        const Slot &slot = table.cells[i];
        if (slot.hash == hash && keyOf(kind, slot.first) == key)
            return &slot;
    }
    return nullptr;
}

int KeywordTicks::candidate(Kind kind, quint32 hash) const
{
    const std::vector<Slot> &cells = m_tables[kind].cells;
    if (cells.empty())
        return -1;
    const size_t mask = cells.size() - 1;
    for (size_t i = hash & mask; cells[i].first >= 0; i = (i + 1) & mask) {
        if (cells[i].hash == hash)
            return cells[i].first;
    }
    return -1;
}

void KeywordTicks::index(Kind kind) const
{
    constexpr size_t kAhead = 8;
    const size_t count = m_rows.size();
    const size_t from = m_indexed[kind];
    if (from == count)
        return;
    Table &table = m_tables[kind];
    const size_t used = size_t(table.used) + (count - from);
    if (!fits(used, table.cells.size()))
        grow(table, std::max(used * 10 / 7 + 1, table.cells.size() * 2));
    const size_t mask = table.cells.size() - 1;
    // Each row's key is hashed a few rows ahead, and its cell asked for then.
    const auto hashAhead = [&](size_t i) {
        const int pos = m_rows[i];
        const quint32 hash = keyOf(kind, pos).hash();
        m_byRow[size_t(pos)].hashes[kind] = hash;
        __builtin_prefetch(&table.cells[hash & mask]);
    };
    for (size_t i = from; i < std::min(count, from + kAhead); ++i)
        hashAhead(i);
    for (size_t i = from; i < count; ++i) {
        if (i + kAhead < count)
            hashAhead(i + kAhead);
        append(kind, m_rows[i]);
    }
    m_indexed[kind] = count;
}

void KeywordTicks::append(Kind kind, int pos) const
{
    Table &table = m_tables[kind];
    const Key key = keyOf(kind, pos);
    const quint32 hash = m_byRow[size_t(pos)].hashes[kind];
    const size_t mask = table.cells.size() - 1;
    size_t i = hash & mask;
    for (; table.cells[i].first >= 0; i = (i + 1) & mask) {
        Slot &slot = table.cells[i];
        if (slot.hash == hash && keyOf(kind, slot.first) == key) {
            m_byRow[size_t(slot.last)].next[kind] = pos;
            slot.last = pos;
            return;
        }
    }
    table.cells[i] = Slot{hash, pos, pos};
    ++table.used;
}

void KeywordTicks::addRow(int pos, const QString &entry)
{
    if (m_byRow.size() <= size_t(pos))
        m_byRow.resize(size_t(pos) + 1);
    Row &row = m_byRow[size_t(pos)];
    row.entry = entry;
    row.keywordFrom = int(entry.indexOf(u'=') + 1);
    m_rows.push_back(pos);
}

std::vector<int> KeywordTicks::rowsOf(QStringView selected) const
{
    std::vector<int> rows;
    forEachRowOf(selected, [&rows](int pos) { rows.push_back(pos); });
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
    const std::vector<int> everywhere = rowsOf(entry); // a keyword alone
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
    , m_empty(query.isEmpty())
{
    const QStringList parts = query.split(u'/');
    m_parts = QSet<QString>(parts.begin(), parts.end());
}

bool KeywordQuery::matches(const QString &entry) const
{
    if (m_empty) // "//" holds only the empty entry
        return entry.isEmpty();
    // An entry holding "/" can span several parts; only those need the text search.
    if (entry.contains(u'/'))
        return m_framed.contains(u'/' + entry + u'/');
    return m_parts.contains(entry);
}

} // namespace velk
