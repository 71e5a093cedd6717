#include "StdXMLNode.h"

#include "XmlPath_p.h"
#include "XmlText_p.h"
#include "XmlWriter_p.h"

#include <velk/common/Error.h>
#include <velk/common/StringHelpers.h>

#include <QTextStream>

#include <vector>

namespace velk {

namespace {

// Reads `Parameter` pair by pair: the name up to "=", then the value between the next
// two double quotes.
class AttributePairs
{
public:
    explicit AttributePairs(QStringView parameter) : m_rest(parameter) {}

    bool next(QStringView &name, QStringView &value)
    {
        if (XmlText::isBlank(m_rest))
            return false;
        const qsizetype equals = m_rest.indexOf(u'=');
        name = TrimBlanks(equals < 0 ? m_rest : m_rest.first(equals));
        m_rest = equals < 0 ? QStringView() : m_rest.sliced(equals + 1);
        skipPast(u'"');
        const qsizetype closing = m_rest.indexOf(u'"');
        value = closing < 0 ? m_rest : m_rest.first(closing);
        m_rest = closing < 0 ? QStringView() : m_rest.sliced(closing + 1);
        return true;
    }

private:
    void skipPast(QChar c)
    {
        const qsizetype at = m_rest.indexOf(c);
        m_rest = at < 0 ? QStringView() : m_rest.sliced(at + 1);
    }

    QStringView m_rest;
};

void appendPair(QString &out, QStringView name, QStringView escapedValue)
{
    out.append(u' ');
    out.append(name);
    out.append(u"=\"");
    out.append(escapedValue);
    out.append(u'"');
}

// The rebuilt pairs start with a blank that the stored text does not have.
QString withoutLeadingBlank(const QString &pairs)
{
    return pairs.isEmpty() ? pairs : pairs.sliced(1);
}

} // namespace

StdXMLNodePtr StdXMLNode::create()
{
    return std::make_shared<StdXMLNode>(Passkey());
}

StdXMLNode::StdXMLNode(Passkey)
{
}

// Children whose last owner is this node are taken apart here, one at a time, so that
// dropping a very deep tree never recurses as deep as the tree.
StdXMLNode::~StdXMLNode()
{
    std::vector<StdXMLNodePtr> pending;
    moveChildrenInto(pending);
    while (!pending.empty()) {
        StdXMLNodePtr node = std::move(pending.back());
        pending.pop_back();
        // A large tree does not fit in the cache: ask early for the nodes taken a few
        // steps on, and a little later for their child lists, so that the memory is there
        // when their turn comes.
        constexpr size_t kNodeAhead = 8;
        constexpr size_t kChildrenAhead = 4;
        if (pending.size() >= kNodeAhead) {
            if (const StdXMLNode *next = pending[pending.size() - kNodeAhead].get()) {
                const char *at = reinterpret_cast<const char *>(next);
                __builtin_prefetch(at - 32); // its reference counts, in front of it
                __builtin_prefetch(at + 32);
                __builtin_prefetch(at + 96);
            }
        }
        if (pending.size() >= kChildrenAhead) {
            const StdXMLNode *next = pending[pending.size() - kChildrenAhead].get();
            if (next && next->m_children)
                __builtin_prefetch(reinterpret_cast<const char *>(next->m_children.get()) - 16);
        }
        if (node && node.use_count() == 1)
            node->moveChildrenInto(pending);
    }
}

void StdXMLNode::moveChildrenInto(std::vector<StdXMLNodePtr> &pending)
{
    if (!m_children || m_children.use_count() != 1)
        return; // a Clone(false) copy still uses these children
    // Moved, not copied: a copy would cost two atomic count updates per node. Pushed last
    // first, so that the caller, taking from the back, walks the nodes in document order,
    // which is the order a parse laid them out in memory.
    for (int i = m_children->Count(); i >= 1; --i)
        pending.push_back(std::move(*m_children->Item(i)));
    m_children->Clear();
}

StdXMLNodes &StdXMLNode::SubElements()
{
    if (!m_children)
        m_children = std::make_shared<StdXMLNodes>();
    return *m_children;
}

void StdXMLNode::setSubElements(std::shared_ptr<StdXMLNodes> children)
{
    m_children = std::move(children);
}

StdXMLNodePtr StdXMLNode::Parent() const
{
    return m_parent.lock();
}

void StdXMLNode::setParent(const StdXMLNodePtr &parent)
{
    m_parent = parent;
}

StdXMLNodePtr StdXMLNode::AddChild(const StdXMLNodePtr &child)
{
    if (!child)
        return child;
    child->m_parent = weak_from_this();
    SubElements().Add(child);
    return child;
}

int StdXMLNode::Count() const
{
    return m_children ? m_children->Count() : 0;
}

StdXMLNodePtr StdXMLNode::Item(int pos) const
{
    if (pos < 1 || pos > Count())
        throw Error(ErrorNumber::SubscriptOutOfRange,
                    QStringLiteral("StdXMLNode.Item: Position %1 liegt außerhalb von 1 bis %2")
                        .arg(pos)
                        .arg(Count()));
    return *m_children->Item(pos);
}

QString StdXMLNode::xml(int Indent) const
{
    QString out;
    XmlWriter::write(out, *this, qMax(Indent, 0));
    return out;
}

void StdXMLNode::Save(QTextStream &out, int Indent) const
{
    out << xml(Indent);
}

StdXMLNodes StdXMLNode::Query(const QString &q)
{
    StdXMLNodes c;
    QueryAdd(c, QStringLiteral("*/") + q, true, 0);
    return c;
}

StdXMLNodePtr StdXMLNode::QuerySingle(const QString &q)
{
    StdXMLNodes c;
    QueryAdd(c, q.startsWith(u'/') ? q : QStringLiteral("*/") + q, false, 0);
    return c.value(1);
}

void StdXMLNode::QueryAdd(StdXMLNodes &c, const QString &q, bool addall, int isnr)
{
    XmlPath::queryAdd(*this, c, q, addall, isnr);
}

bool StdXMLNode::Filter(const QString &q, int &nr)
{
    return XmlPath::filter(*this, q, nr);
}

StdXMLNodePtr StdXMLNode::AddItem(const QString &xmltag, const QString &xmldata)
{
    StdXMLNodePtr node = create();
    std::tie(node->Tag, node->Parameter) = XmlText::splitTag(xmltag);
    node->Body = xmldata;
    return AddChild(node);
}

StdXMLNodePtr StdXMLNode::shallowCopy() const
{
    StdXMLNodePtr copy = create();
    copy->Tag = Tag;
    copy->Parameter = Parameter;
    copy->Body = Body;
    copy->Comment = Comment;
    copy->m_parent = m_parent;
    return copy;
}

StdXMLNodePtr StdXMLNode::Clone(bool clonesubnodes)
{
    StdXMLNodePtr copy = shallowCopy();
    if (!clonesubnodes) {
        copy->m_children = m_children ? m_children : (m_children = std::make_shared<StdXMLNodes>());
        return copy;
    }
    // Depth-first with an explicit stack: (source, copy, next child).
    struct Open
    {
        const StdXMLNode *source;
        StdXMLNode *copy;
        int nextChild;
    };
    std::vector<Open> open{{this, copy.get(), 1}};
    m_isBusy = true;
    while (!open.empty()) {
        Open &top = open.back();
        if (top.nextChild > top.source->Count()) {
            top.source->m_isBusy = false;
            open.pop_back();
            continue;
        }
        const StdXMLNode *child = top.source->m_children->Item(top.nextChild++)->get();
        if (!child || child->m_isBusy)
            continue;
        StdXMLNode *childCopy = top.copy->AddChild(child->shallowCopy()).get();
        child->m_isBusy = true;
        open.push_back({child, childCopy, 1});
    }
    return copy;
}

StdXMLNodePtr StdXMLNode::InsertBefore(const StdXMLNodePtr &child, const StdXMLNodePtr &before)
{
    if (!child)
        return child;
    child->m_parent = weak_from_this();
    StdXMLNodes &children = SubElements();
    int at = 0;
    for (int i = 1; i <= children.Count() && at == 0; ++i) {
        if (*children.Item(i) == before)
            at = i;
    }
    children.Add(child, QString(), at);
    return child;
}

void StdXMLNode::Remove(const StdXMLNodePtr &child)
{
    if (!m_children)
        return;
    for (int i = 1; i <= m_children->Count(); ++i) {
        if (*m_children->Item(i) == child) {
            m_children->Remove(i);
            return;
        }
    }
}

QString StdXMLNode::GetAttribute(const QString &key) const
{
    AttributePairs pairs(Parameter);
    QStringView name, value;
    while (pairs.next(name, value)) {
        if (name == key)
            return XmlText::decodeEntities(XmlText::unescapeValue(value));
    }
    return QString();
}

void StdXMLNode::SetAttribute(const QString &key, const QString &par)
{
    const QString escapedPar = XmlText::escapeValue(XmlText::encodeEntities(par));
    QString pairsText;
    pairsText.reserve(Parameter.size() + escapedPar.size() + key.size() + 4);
    bool hasMatched = false;
    AttributePairs pairs(Parameter);
    QStringView name, value;
    while (pairs.next(name, value)) {
        if (name == key) {
            hasMatched = true;
            appendPair(pairsText, name, escapedPar);
        } else {
            appendPair(pairsText, name, XmlText::escapeValue(XmlText::unescapeValue(value)));
        }
    }
    if (!hasMatched)
        appendPair(pairsText, key, escapedPar);
    Parameter = withoutLeadingBlank(pairsText);
}

void StdXMLNode::RemoveAttribute(const QString &key)
{
    QString pairsText;
    pairsText.reserve(Parameter.size());
    AttributePairs pairs(Parameter);
    QStringView name, value;
    while (pairs.next(name, value)) {
        if (name != key)
            appendPair(pairsText, name, value);
    }
    Parameter = withoutLeadingBlank(pairsText);
}

bool StdXMLNode::HasAttribute(const QString &key) const
{
    // Unlike the other attribute members this one reads values as words, so single
    // quotes and unquoted values are understood here.
    QStringView rest = Parameter;
    while (!XmlText::isBlank(rest)) {
        const qsizetype equals = rest.indexOf(u'=');
        const QStringView name = TrimBlanks(equals < 0 ? rest : rest.first(equals));
        rest = equals < 0 ? QStringView() : XmlText::trimLeadingSpaces(rest.sliced(equals + 1));
        XmlText::takeWord(rest);
        if (name == key)
            return true;
    }
    return false;
}

StdXMLNodePtr StdXMLNode::Create(const QString &pfd)
{
    QStringView rest = pfd;
    if (rest.startsWith(u'/')) {
        // "/root/a/b": the first step names the node Create starts at.
        const qsizetype slash = rest.indexOf(u'/', 1);
        rest = slash < 0 ? QStringView() : rest.sliced(slash + 1);
    }
    StdXMLNodePtr node = shared_from_this();
    while (!rest.isEmpty()) {
        const qsizetype slash = rest.indexOf(u'/');
        const QString step = (slash < 0 ? rest : rest.first(slash)).toString();
        rest = slash < 0 ? QStringView() : rest.sliced(slash + 1);
        StdXMLNodePtr found = node->QuerySingle(step);
        node = found ? found : node->AddItem(step, QString());
    }
    return node;
}

} // namespace velk
