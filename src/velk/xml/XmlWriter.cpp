#include "XmlWriter_p.h"

#include "XmlText_p.h"

#include <vector>

namespace velk {

namespace {

constexpr QStringView kLineEnd = u"\r\n";

bool hasChildren(const StdXMLNode &node)
{
    return node.Count() > 0;
}

} // namespace

void XmlWriter::appendPad(QString &out, int level)
{
    out.resize(out.size() + 3 * qsizetype(level), u' ');
}

void XmlWriter::appendOpening(QString &out, const StdXMLNode &node, int level)
{
    appendPad(out, level);
    out.append(u'<');
    out.append(node.Tag);
    if (!node.Parameter.isEmpty()) {
        out.append(u' ');
        out.append(node.Parameter);
    }
}

void XmlWriter::writeLeaf(QString &out, const StdXMLNode &node, int level)
{
    appendOpening(out, node, level);
    // "</>" would read back as an end tag: an element without name is always closed.
    if (node.Body.isEmpty() && !node.Tag.isEmpty()) {
        out.append(u"/>");
    } else {
        out.append(u'>');
        XmlText::appendEncoded(out, node.Body);
        out.append(u"</");
        out.append(node.Tag);
        out.append(u'>');
    }
    out.append(kLineEnd);
}

void XmlWriter::writeStartLine(QString &out, const StdXMLNode &node, int level)
{
    appendOpening(out, node, level);
    out.append(u'>');
    out.append(kLineEnd);
    if (!node.Body.isEmpty()) {
        appendPad(out, level + 1);
        XmlText::appendEncoded(out, node.Body);
        out.append(kLineEnd);
    }
}

void XmlWriter::writeEndLine(QString &out, const StdXMLNode &node, int level)
{
    appendPad(out, level);
    out.append(u"</");
    out.append(node.Tag);
    out.append(u'>');
    out.append(kLineEnd);
}

void XmlWriter::write(QString &out, const StdXMLNode &node, int level)
{
    if (!hasChildren(node)) {
        writeLeaf(out, node, level);
        return;
    }
    struct Open
    {
        const StdXMLNode *node;
        int nextChild;
    };
    std::vector<Open> open;
    writeStartLine(out, node, level);
    node.m_isBusy = true;
    open.push_back({&node, 1});
    while (!open.empty()) {
        Open &top = open.back();
        const StdXMLNodes &children = *top.node->children();
        if (top.nextChild > children.Count()) {
            const StdXMLNode *done = top.node;
            open.pop_back();
            done->m_isBusy = false;
            writeEndLine(out, *done, level + int(open.size()));
            continue;
        }
        const StdXMLNode *child = children.Item(top.nextChild++)->get();
        const int childLevel = level + int(open.size());
        if (!child || child->m_isBusy)
            continue;
        if (!hasChildren(*child)) {
            writeLeaf(out, *child, childLevel);
        } else {
            writeStartLine(out, *child, childLevel);
            child->m_isBusy = true;
            open.push_back({child, 1});
        }
    }
}

} // namespace velk
