#include <velk/editors/BoardModel_p.h>

#include <velk/editors/BoardValues_p.h>

#include <velk/common/TextBlocks_p.h>

#include <algorithm>
#include <string_view>

namespace velk {

namespace {
const std::vector<BoardLink *> noLinks;

// Whether `text` is `word`, compared in place.
bool is(QStringView text, std::u16string_view word)
{
    return text.size() == qsizetype(word.size()) && std::equal(word.begin(), word.end(), text.utf16());
}

// How far ahead `config` asks for records, for their texts, and for the ids a link's ends
// hold (which needs the ends themselves first).
constexpr int kRecordsAhead = 16;
constexpr int kTextsAhead = 8;
constexpr int kEndIdsAhead = 4;

void prefetchBox(const void *p)
{
    if (p)
        __builtin_prefetch(p);
}

void prefetchTexts(const BoardData &b)
{
    prefetchBox(b.id.constData());
    prefetchBox(b.caption.constData());
    prefetchBox(b.Description.constData());
    if (b.data.Count() > 0)
        prefetchBox(b.data.Item(1));
}
} // namespace

BoardData *BoardModel::item(int nr) const
{
    const ItemPtr *b = m_items.Item(nr);
    return b ? b->get() : nullptr;
}

void BoardModel::clear()
{
    m_items.Clear();
    m_links.Clear();
    m_onBoard.clear();
    m_linked.clear();
    m_tablesStale = false;
    m_linksOf.clear();
}

void BoardModel::ensureTables() const
{
    if (!m_tablesStale)
        return;
    m_tablesStale = false;
    m_onBoard.clear();
    m_onBoard.reserve(m_items.Count());
    for (const ItemPtr &b : m_items)
        m_onBoard.insert(b.get(), b->nr);
    m_linked.clear();
    m_linked.reserve(m_links.Count());
    for (const LinkPtr &l : m_links)
        m_linked.insert(l.get(), true);
}

bool BoardModel::addItem(ItemPtr b)
{
    if (!b)
        return false;
    ensureTables();
    if (m_onBoard.contains(b.get()))
        return false;
    b->nr = m_items.Count() + 1;
    m_onBoard.insert(b.get(), b->nr);
    m_items.Add(std::move(b));
    return true;
}

bool BoardModel::removeItem(const BoardData *b)
{
    ensureTables();
    const auto it = m_onBoard.constFind(b);
    if (it == m_onBoard.constEnd())
        return false;
    const int nr = it.value();
    m_onBoard.erase(it);
    m_items.Remove(nr);
    renumberFrom(nr);
    return true;
}

void BoardModel::renumberFrom(int nr)
{
    for (int i = nr; i <= m_items.Count(); ++i) {
        BoardData *b = item(i);
        b->nr = i;
        m_onBoard[b] = i;
    }
}

bool BoardModel::addLink(LinkPtr l)
{
    if (!l)
        return false;
    ensureTables();
    if (m_linked.contains(l.get()))
        return false;
    m_linked.insert(l.get(), true);
    listLink(l.get());
    m_links.Add(std::move(l));
    return true;
}

bool BoardModel::removeLink(const BoardLink *l)
{
    ensureTables();
    if (!m_linked.remove(l))
        return false;
    int pos = 1;
    for (const LinkPtr &each : m_links) {
        if (each.get() == l)
            break;
        ++pos;
    }
    unlistLink(m_links.Item(pos)->get());
    m_links.Remove(pos);
    return true;
}

void BoardModel::listLink(BoardLink *l)
{
    const auto listAt = [&](const BoardData *end) {
        std::vector<BoardLink *> &list = m_linksOf[end];
        if (list.empty())
            list.reserve(4); // a box usually has a few links: room for them comes with the first
        list.push_back(l);
    };
    if (l->Location1)
        listAt(l->Location1.get());
    if (l->Location2 && l->Location2 != l->Location1)
        listAt(l->Location2.get());
}

void BoardModel::unlistLink(BoardLink *l)
{
    for (const BoardData *end : {l->Location1.get(), l->Location2.get()}) {
        const auto it = m_linksOf.find(end);
        if (it == m_linksOf.end())
            continue;
        std::erase(it.value(), l);
        // An emptied list goes, so no entry outlives the box it names.
        if (it.value().empty())
            m_linksOf.erase(it);
    }
}

void BoardModel::rebuildLinkLists()
{
    m_linksOf.clear();
    for (const LinkPtr &l : m_links)
        listLink(l.get());
}

bool BoardModel::hasLink(const BoardData *a, const BoardData *b) const
{
    if (!a || !b)
        return false;
    for (const BoardLink *l : linksOf(a)) {
        if ((l->Location1.get() == a && l->Location2.get() == b) || (l->Location1.get() == b && l->Location2.get() == a))
            return true;
    }
    return false;
}

const std::vector<BoardLink *> &BoardModel::linksOf(const BoardData *b) const
{
    const auto it = m_linksOf.constFind(b);
    return it == m_linksOf.constEnd() ? noLinks : it.value();
}

int BoardModel::selectedCount() const
{
    int n = 0;
    for (const ItemPtr &b : m_items)
        n += b->Selected ? 1 : 0;
    return n;
}

QString BoardModel::config() const
{
    QString out;
    out.reserve(m_items.Count() * 160 + m_links.Count() * 160);
    // A large board does not fit in the cache, and its records and texts lie scattered:
    // each step asks early for what a step a few records on will read.
    const int boxes = m_items.Count();
    for (int i = 1; i <= boxes; ++i) {
        if (i + kRecordsAhead <= boxes)
            prefetchBox(m_items.Item(i + kRecordsAhead)->get());
        if (i + kTextsAhead <= boxes)
            prefetchTexts(*m_items.Item(i + kTextsAhead)->get());
        out += QLatin1StringView("[Location]\r\n");
        BoardValues::appendConfig(out, **m_items.Item(i));
    }
    const int links = m_links.Count();
    for (int i = 1; i <= links; ++i) {
        if (i + kRecordsAhead <= links)
            prefetchBox(m_links.Item(i + kRecordsAhead)->get());
        if (i + kTextsAhead <= links) {
            const BoardLink &ahead = **m_links.Item(i + kTextsAhead);
            prefetchBox(ahead.id.constData());
            prefetchBox(ahead.Location1.get());
            prefetchBox(ahead.Location2.get());
        }
        if (i + kEndIdsAhead <= links) {
            const BoardLink &ahead = **m_links.Item(i + kEndIdsAhead);
            if (ahead.Location1)
                prefetchBox(ahead.Location1->id.constData());
            if (ahead.Location2)
                prefetchBox(ahead.Location2->id.constData());
        }
        out += QLatin1StringView("[Link]\r\n");
        BoardValues::appendConfig(out, **m_links.Item(i));
    }
    return out;
}

// Reading a board: "[Location]" starts a box and "[Link]" a link, each added at once;
// every other line is split at its first "=" (no "=": the whole line is the key, the value
// empty) and goes to the current box or link. A link's "Location1"/"Location2" name a box
// loaded before it; ids are looked up through a hash that keeps the first box of an id.
// Lines end in LF or CR LF; blank lines and lines before the first section are skipped.
// A record gets a new id only when its section holds no "ID" line.
void BoardModel::setConfig(QStringView text)
{
    clear();
    // Every section starts with "[": their number, or a little more, sizes the tables once.
    const qsizetype sections = std::count(text.utf16(), text.utf16() + text.size(), u'[');
    QHash<QStringView, ItemPtr> byId; // views into the boxes' own ids, fixed once read
    byId.reserve(sections);
    m_linksOf.reserve(sections);
    TextBlocks texts; // the board's texts share a few blocks instead of one allocation each
    ItemPtr box;
    LinkPtr link;
    bool hasId = false;
    const auto finishSection = [&] {
        if (box && !hasId)
            box->id = BoardValues::newId();
        if (link && !hasId)
            link->id = BoardValues::newId();
        if (box && !byId.contains(box->id))
            byId.insert(box->id, box);
        if (link)
            listLink(link.get()); // its ends are known now
        box.reset();
        link.reset();
        hasId = false;
    };
    const auto endOf = [&](QStringView id) {
        const auto it = byId.constFind(id);
        return it == byId.constEnd() ? ItemPtr() : it.value();
    };

    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0)
            end = text.size();
        QStringView line = text.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (is(line, u"[Location]")) {
            finishSection();
            box = std::make_shared<BoardData>(BoardData::WithoutId{});
            box->nr = m_items.Count() + 1;
            m_items.Add(box);
            continue;
        }
        if (is(line, u"[Link]")) {
            finishSection();
            link = std::make_shared<BoardLink>(BoardLink::WithoutId{});
            m_links.Add(link); // listed with its ends when its section is done
            continue;
        }
        if (!box && !link)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq < 0 ? line : line.left(eq);
        const QStringView value = eq < 0 ? QStringView() : line.mid(eq + 1);
        if (is(key, u"ID")) {
            (box ? box->id : link->id) = texts.copy(value);
            hasId = true;
        } else if (link && (is(key, u"Location1") || is(key, u"Location2"))) {
            (key.back() == u'1' ? link->Location1 : link->Location2) = endOf(value);
        } else if (box && is(key, u"Caption")) {
            box->caption = texts.copy(value);
        } else if (box && is(key, u"Description")) {
            box->Description = texts.copy(value);
        } else if (box && is(key, u"Pos")) {
            BoardValues::readPosition(value, box->x, box->y);
        } else {
            // Any other key is kept as its line: key "=" value.
            char16_t *out = std::copy_n(line.utf16(), line.size(), texts.room(line.size() + 1));
            if (eq < 0)
                *out++ = u'=';
            (box ? box->data : link->data).Add(texts.take(line.size() + (eq < 0 ? 1 : 0)));
        }
    }
    finishSection();
    m_tablesStale = true; // the tables follow on first use
}

} // namespace velk
