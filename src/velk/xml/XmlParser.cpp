#include "XmlParser_p.h"

#include "XmlScan_p.h"
#include "XmlText_p.h"

#include <velk/common/StringHelpers.h>

#include <algorithm>

namespace velk {

XmlParser::XmlParser(StdXMLNodePtr &root, QString &version)
    : m_root(root)
    , m_version(version)
{
}

XmlParser::~XmlParser()
{
    closeAll();
    for (auto &entry : m_names)
        entry.second.giveBackRefs();
}

void XmlParser::parse(const QString &text)
{
    m_buffer = text; // shared, not copied
    run(true);
    closeAll();
}

void XmlParser::feed(QStringView piece)
{
    compactBuffer();
    m_buffer.append(piece);
    run(false);
}

void XmlParser::finish()
{
    run(true);
    closeAll();
}

// Drops the consumed front of the buffer once it is at least half of it, so each
// character is moved a bounded number of times however the text is cut.
void XmlParser::compactBuffer()
{
    if (m_tagStart == 0 || m_tagStart * 2 < m_buffer.size())
        return;
    m_buffer.remove(0, m_tagStart);
    m_scanFrom -= m_tagStart;
    if (m_tagEnd >= 0)
        m_tagEnd -= m_tagStart;
    m_tagStart = 0;
}

bool XmlParser::findFirstTag()
{
    const qsizetype lt = m_buffer.indexOf(u'<', m_scanFrom);
    if (lt < 0) {
        m_buffer.clear();
        m_scanFrom = 0;
        return false;
    }
    m_hasStarted = true;
    m_tagStart = m_scanFrom = lt + 1;
    return true;
}

void XmlParser::run(bool isFinal)
{
    if (!m_hasStarted && !findFirstTag())
        return;
    const QStringView text = m_buffer;
    const char16_t *const chars = text.utf16();
    for (;;) {
        if (m_tagEnd < 0) {
            m_tagEnd = XmlScan::indexOf(chars, text.size(), m_scanFrom, u'>');
            if (m_tagEnd < 0) {
                m_scanFrom = text.size();
                return;
            }
            m_scanFrom = m_tagEnd + 1;
        }
        qsizetype followingEnd = XmlScan::indexOf(chars, text.size(), m_scanFrom, u'<');
        if (followingEnd < 0) {
            m_scanFrom = text.size();
            if (!isFinal)
                return; // the following text may go on in the next piece
            followingEnd = text.size();
        }
        handleTag(text.sliced(m_tagStart, m_tagEnd - m_tagStart),
                  text.sliced(m_tagEnd + 1, followingEnd - m_tagEnd - 1));
        m_tagStart = m_scanFrom = qMin(followingEnd + 1, text.size());
        m_tagEnd = -1;
    }
}

void XmlParser::handleTag(QStringView tagText, QStringView following)
{
    tagText = TrimBlanks(tagText);
    if (tagText.startsWith(u'?')) {
        m_version = tagText.toString();
    } else if (tagText.startsWith(u'/')) {
        // End tags are not matched against the open element: they only move up.
        if (m_depth > 0)
            closeElement();
    } else {
        openElement(tagText, following);
    }
}

void XmlParser::openElement(QStringView tagText, QStringView following)
{
    const bool isEmptyElement = tagText.endsWith(u'/');
    if (isEmptyElement)
        tagText.chop(1);
    StdXMLNodePtr node = m_arena.make<StdXMLNode>(StdXMLNode::Passkey());
    // The name ends at the first blank; tabs and line breaks belong to it.
    const qsizetype blank = XmlScan::indexOf(tagText.utf16(), tagText.size(), 0, u' ');
    if (blank < 0) {
        node->Tag = sharedName(tagText);
    } else {
        node->Tag = sharedName(TrimBlanks(tagText.first(blank)));
        node->Parameter = m_texts.copy(TrimBlanks(tagText.sliced(blank + 1)));
    }
    if (!isEmptyElement) {
        const QStringView body = XmlText::trimWhite(following);
        node->Body = m_texts.take(XmlText::decodeEntitiesInto(body, m_texts.room(body.size())));
    }

    StdXMLNode *element = node.get();
    if (m_depth > 0)
        m_open[m_depth - 1].children.push_back(std::move(node));
    else
        m_root = std::move(node); // a later top-level element replaces an earlier one
    if (!isEmptyElement) {
        if (m_open.size() == m_depth)
            m_open.emplace_back();
        m_open[m_depth++].node = element;
    }
}

void XmlParser::closeElement()
{
    OpenElement &open = m_open[--m_depth];
    if (!open.children.empty()) {
        auto children = m_arena.make<StdXMLNodes>();
        children->reserve(int(open.children.size()));
        const std::weak_ptr<StdXMLNode> parent = open.node->weak_from_this();
        for (StdXMLNodePtr &child : open.children) {
            child->m_parent = parent;
            children->Add(std::move(child));
        }
        open.children.clear();
        open.node->m_children = std::move(children);
    }
    open.node = nullptr;
}

// Elements left open at the end of the text end there, innermost first.
void XmlParser::closeAll()
{
    if (m_depth > 0)
        m_leftOpen = true;
    while (m_depth > 0)
        closeElement();
}

// Element names are handed out as shares of one string per name. As with the texts, the
// name's reference count is raised in advance for many elements at a time, and what is
// left unused is given back when the parser ends.
QString XmlParser::SharedName::share()
{
    QString::DataPointer &d = text.data_ptr();
    if (!d.d_ptr())
        return text; // the empty name shares nothing
    if (unusedRefs == 0) {
        unusedRefs = kRefsAtOnce;
        d.d_ptr()->ref_.fetchAndAddOrdered(kRefsAtOnce);
    }
    --unusedRefs;
    return QString(QString::DataPointer(d.d_ptr(), d.data(), d.size));
}

void XmlParser::SharedName::giveBackRefs()
{
    if (unusedRefs > 0)
        text.data_ptr().d_ptr()->ref_.fetchAndAddOrdered(-unusedRefs);
    unusedRefs = 0;
}

QString XmlParser::sharedName(QStringView name)
{
    // A slot chosen by the name's length and outer characters answers most look-ups
    // without hashing the whole name; the map settles the rest.
    const qsizetype n = name.size();
    const size_t slot = n == 0 ? 0
        : (size_t(n) * 7 + name.front().unicode() * 3 + name.back().unicode()) % m_recentNames.size();
    SharedName *&recent = m_recentNames[slot];
    if (recent && recent->text.size() == n && std::equal(name.begin(), name.end(), recent->text.constBegin()))
        return recent->share();
    auto known = m_names.find(name);
    if (known == m_names.end()) {
        if (m_names.size() >= kMaxSharedNames)
            return name.toString();
        QString text = name.toString();
        const QStringView key = text; // views the value's own text, which the entry keeps
        known = m_names.emplace(key, SharedName{std::move(text)}).first;
    }
    recent = &known->second;
    return recent->share();
}

} // namespace velk
