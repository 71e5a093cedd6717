#pragma once

#include <velk/xml/StdXMLNode.h>

#include <QString>

namespace velk {

/// Writes elements in the dialect's layout: three spaces per level, CR LF after every
/// line, a childless element on one line. Walks the tree with an explicit stack.
class XmlWriter
{
public:
    /// Appends `node` written at `level` to `out`.
    static void write(QString &out, const StdXMLNode &node, int level);

private:
    static void writeStartLine(QString &out, const StdXMLNode &node, int level);
    static void writeLeaf(QString &out, const StdXMLNode &node, int level);
    static void writeEndLine(QString &out, const StdXMLNode &node, int level);
    static void appendPad(QString &out, int level);
    static void appendOpening(QString &out, const StdXMLNode &node, int level);
};

} // namespace velk
