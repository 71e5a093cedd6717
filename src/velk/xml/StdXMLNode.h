#pragma once

#include <velk/common/Collection.h>
#include <velk/velk_export.h>

#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QTextStream;
QT_END_NAMESPACE

namespace velk {

class StdXMLNode;
using StdXMLNodePtr = std::shared_ptr<StdXMLNode>;
/// Children and query results: 1-based, in document order.
using StdXMLNodes = Collection<StdXMLNodePtr>;

/// One element of the library's small XML model: a name, its raw attribute text, a
/// decoded text body and its children. Nodes live in `std::shared_ptr`s (make them with
/// `create()`); a node owns its children, and `Parent()` is a non-owning back link.
///
/// Errors are raised (as velk::Error) only by `Item` out of range and by a ".." step or
/// filter at a node without parent; every other member reports through its result.
class VELK_EXPORT StdXMLNode : public std::enable_shared_from_this<StdXMLNode>
{
    struct Passkey
    {
        explicit Passkey() = default;
    };

public:
    /// A new, unattached node with an empty tag.
    static StdXMLNodePtr create();

    explicit StdXMLNode(Passkey);
    ~StdXMLNode();
    StdXMLNode(const StdXMLNode &) = delete;
    StdXMLNode &operator=(const StdXMLNode &) = delete;

    /// Element name.
    QString Tag;
    /// Raw attribute text of the start tag, e.g. `name="a" typ="b"`; written back unchanged.
    QString Parameter;
    /// Decoded text content.
    QString Body;

    /// The children in document order; created empty on first use. `Clone(false)` copies
    /// share this very collection object.
    StdXMLNodes &SubElements();
    /// Makes `children` this node's child collection (shared, not copied).
    void setSubElements(std::shared_ptr<StdXMLNodes> children);

    /// The element that holds this one, or nullptr.
    StdXMLNodePtr Parent() const;
    void setParent(const StdXMLNodePtr &parent);

    /// Free text kept with the node and copied by `Clone`; never part of the XML text.
    QString Comment;

    /// Appends `child` and makes this node its parent; returns `child` (nullptr is ignored).
    StdXMLNodePtr AddChild(const StdXMLNodePtr &child);
    /// Number of children.
    int Count() const;
    /// Child at 1-based `pos`; raises velk::Error outside 1..Count().
    StdXMLNodePtr Item(int pos) const;
    /// The element as text: three spaces per level starting at `Indent`, CR LF after
    /// every line.
    QString xml(int Indent = 0) const;
    /// Writes the text of `xml(Indent)` to an output the caller has opened.
    void Save(QTextStream &out, int Indent = 0) const;

    /// All matches of the path "*/" + `q` evaluated from this node (so `q` starts at the
    /// children).
    StdXMLNodes Query(const QString &q);
    /// First match: `q` beginning with "/" is used unchanged, any other gets "*/" in front.
    /// nullptr when nothing matches.
    StdXMLNodePtr QuerySingle(const QString &q);
    /// The path evaluator: appends the matches of `q` at this node to `c`. `addall` false
    /// stops after the first match; `isnr` is this node's 1-based position among its
    /// parent's children when the evaluation came from the parent, else 0.
    void QueryAdd(StdXMLNodes &c, const QString &q, bool addall, int isnr);
    /// The filter evaluator: whether this node passes the filter `q` (the text of a "[...]");
    /// `nr` receives a 0-based position for a position filter, else -1.
    bool Filter(const QString &q, int &nr);

    /// Appends a new child: Tag = first space-separated word of `xmltag`, Parameter = the
    /// rest (both trimmed), Body = `xmldata`.
    StdXMLNodePtr AddItem(const QString &xmltag, const QString &xmldata);
    /// A copy of Tag, Parameter, Body, Comment and Parent (not added to that parent). With
    /// `clonesubnodes` the children are deep copies whose parent is the copy; without, the
    /// copy shares this node's child collection.
    StdXMLNodePtr Clone(bool clonesubnodes);
    /// Inserts `child` in front of the first child that is `before` (same object), or
    /// appends it; makes this node its parent. Returns `child`.
    StdXMLNodePtr InsertBefore(const StdXMLNodePtr &child, const StdXMLNodePtr &before);
    /// Removes the first child that is `child` (same object); its Parent is left as it was.
    void Remove(const StdXMLNodePtr &child);

    /// Decoded value of attribute `key`; "" when absent.
    QString GetAttribute(const QString &key) const;
    /// Sets or adds attribute `key`, rebuilding Parameter as `name="value"` pairs.
    void SetAttribute(const QString &key, const QString &par);
    /// Removes every pair named `key`.
    void RemoveAttribute(const QString &key);
    /// Whether a pair named `key` exists.
    bool HasAttribute(const QString &key) const;

    /// Finds or creates the element path `pfd` (steps separated by "/") below this node and
    /// returns its last element. A leading "/" drops the first step (the root's name).
    StdXMLNodePtr Create(const QString &pfd);

private:
    friend class XmlParser;
    friend class XmlWriter;
    friend class XmlPath;

    StdXMLNode *parentNode() const { return m_parent.lock().get(); }
    const StdXMLNodes *children() const { return m_children.get(); }
    StdXMLNodePtr shallowCopy() const;
    void moveChildrenInto(std::vector<StdXMLNodePtr> &pending);

    std::shared_ptr<StdXMLNodes> m_children;
    std::weak_ptr<StdXMLNode> m_parent;
    // Set while the writer or a deep copy is inside this node, so that a tree a host has
    // made cyclic is cut at the repeat instead of running forever.
    mutable bool m_isBusy = false;
};

} // namespace velk
