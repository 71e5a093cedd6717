#include <velk/editors/BoardModel_p.h>

#include <velk/editors/BoardValues_p.h>

namespace velk {

namespace {
const std::vector<BoardLink *> noLinks;
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
    m_linksOf.clear();
}

bool BoardModel::addItem(ItemPtr b)
{
    if (!b || m_onBoard.contains(b.get()))
        return false;
    b->nr = m_items.Count() + 1;
    m_onBoard.insert(b.get(), b->nr);
    m_items.Add(std::move(b));
    return true;
}

bool BoardModel::removeItem(const BoardData *b)
{
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
    if (!l || m_linked.contains(l.get()))
        return false;
    m_linked.insert(l.get(), true);
    listLink(l.get());
    m_links.Add(std::move(l));
    return true;
}

bool BoardModel::removeLink(const BoardLink *l)
{
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
    if (l->Location1)
        m_linksOf[l->Location1.get()].push_back(l);
    if (l->Location2 && l->Location2 != l->Location1)
        m_linksOf[l->Location2.get()].push_back(l);
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
    for (const ItemPtr &b : m_items) {
        out += QLatin1StringView("[Location]\r\n");
        BoardValues::appendConfig(out, *b);
    }
    for (const LinkPtr &l : m_links) {
        out += QLatin1StringView("[Link]\r\n");
        BoardValues::appendConfig(out, *l);
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
    QHash<QStringView, ItemPtr> byId; // views into the boxes' own ids, fixed once read
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
        if (line == u"[Location]") {
            finishSection();
            box = std::make_shared<BoardData>(BoardData::WithoutId{});
            addItem(box);
            continue;
        }
        if (line == u"[Link]") {
            finishSection();
            link = std::make_shared<BoardLink>(BoardLink::WithoutId{});
            addLink(link);
            continue;
        }
        if (!box && !link)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const QStringView key = eq < 0 ? line : line.left(eq);
        const QStringView value = eq < 0 ? QStringView() : line.mid(eq + 1);
        if (key == u"ID") {
            (box ? box->id : link->id) = value.toString();
            hasId = true;
        } else if (link && (key == u"Location1" || key == u"Location2")) {
            unlistLink(link.get());
            (key == u"Location1" ? link->Location1 : link->Location2) = endOf(value);
            listLink(link.get());
        } else if (box && key == u"Caption") {
            box->caption = value.toString();
        } else if (box && key == u"Description") {
            box->Description = value.toString();
        } else if (box && key == u"Pos") {
            box->AddData(QStringLiteral("Pos"), value.toString());
        } else {
            // Any other key is kept as its line: key "=" value.
            (box ? box->data : link->data).Add(eq < 0 ? line.toString() + u'=' : line.toString());
        }
    }
    finishSection();
}

} // namespace velk
