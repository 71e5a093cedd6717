#pragma once

#include <velk/xml/StdXMLNode.h>

#include <QHash>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <vector>

class QWidget;

namespace velk {

class FrameClass;
class FrameLayoutQuestions;
class FrameSnapins;
class FrameTabBars;
class velkFrameControlEvents;

/// Builds what a layout tree asks for: a snap-in with its toolbar per ITEM, a tab bar
/// per TABS or MULTI, and the subtree of every CONTAINER, which it asks the host for.
/// Everything is built before a layout pass runs; the pass only looks things up.
class FrameBuilder
{
public:
    /// A signal a snap-in emitted: its number, the signal's name and arguments.
    using SnapinSignal = std::function<void(int nr, const QString &name, QVariantList &args)>;

    FrameBuilder(QWidget *frame, velkFrameControlEvents *events, FrameSnapins &snapins, FrameTabBars &tabBars,
                 SnapinSignal snapinSignal);

    /// Starts over for `layout` (nullptr: nothing): numbering from 1, no containers.
    void reset(const StdXMLNodePtr &layout);
    void build(const StdXMLNodePtr &element);
    /// Creates the bars of elements that lay out as tabs but have none yet: a GENERIC
    /// whose `type` became TABS or MULTI after the build.
    void addMissingTabBars(const FrameLayoutQuestions &questions);

    /// Asks the host for the snap-in's parameter path (the `Parameter` event) and binds it.
    void bindParameters(FrameClass &record);

    /// The subtree supplied for a container's `layout` name (the first one asked), or nullptr.
    StdXMLNodePtr containerNode(const QString &layout) const;
    /// Asks the host again for every container's subtree, innermost first; tears down what
    /// was built for a replaced subtree. Returns the new subtrees, in container order.
    std::vector<StdXMLNodePtr> reloadContainers(const FrameLayoutQuestions &questions);

    /// Removes what was built for `element` and everything below it: snap-ins (saving
    /// their parameters first when `save`), tab bars, and the containers' entries.
    void tearDownElement(const StdXMLNodePtr &element, const FrameLayoutQuestions &questions, bool save);
    /// Pulls the parameters of every snap-in below `element` that says it is dirty.
    void saveParameters(const StdXMLNodePtr &element, const FrameLayoutQuestions &questions);

private:
    void build(const StdXMLNodePtr &element, int depth);
    void buildChildren(const StdXMLNodePtr &element, int depth);
    void buildItem(const StdXMLNodePtr &item);
    void buildContainer(const StdXMLNodePtr &container, int depth);
    void addToolbar(FrameClass &record);
    void tearDown(const std::vector<StdXMLNodePtr> &roots, const FrameLayoutQuestions &questions, bool save);
    StdXMLNodePtr querySingle(const QString &path) const;

    QWidget *m_frame;
    velkFrameControlEvents *m_events;
    FrameSnapins &m_snapins;
    FrameTabBars &m_tabBars;
    SnapinSignal m_snapinSignal;
    StdXMLNodePtr m_layout;
    int m_counter = 0;
    bool m_hasGeneric = false; ///< a GENERIC element was built
    QStringList m_containerNames;
    std::vector<StdXMLNodePtr> m_containerNodes;
    mutable QHash<QString, StdXMLNodePtr> m_containerByName;
    mutable bool m_containerIndexStale = true;
};

} // namespace velk
