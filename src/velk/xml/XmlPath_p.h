#pragma once

#include <velk/xml/StdXMLNode.h>

#include <QStringView>

namespace velk {

/// The query-path and filter evaluators of StdXMLNode. A path is split into its steps
/// once and then evaluated with an explicit stack, so neither a long path nor a deep
/// tree grows the call stack.
class XmlPath
{
public:
    /// Appends the matches of path `q` at `start` to `c` (see StdXMLNode::QueryAdd).
    static void queryAdd(StdXMLNode &start, StdXMLNodes &c, QStringView q, bool addall, int isnr);
    /// Evaluates filter `q` at `node` (see StdXMLNode::Filter).
    static bool filter(StdXMLNode &node, QStringView q, int &nr);
    /// The children of `node` without creating its collection; nullptr when it has none.
    static const StdXMLNodes *childrenOf(const StdXMLNode &node) { return node.children(); }
};

} // namespace velk
