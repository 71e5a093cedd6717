#pragma once

#include <velk/xml/StdXMLNode.h>

#include <QHash>
#include <QPointer>
#include <QSet>

#include <functional>
#include <vector>

class QWidget;

namespace velk {

class velkMenuBar;

/// The frame's tab bars: one velkMenuBar "velkMenuBarTABS" per TABS or MULTI element
/// (or GENERIC acting as one), numbered by the dynamic property "Index" in build order.
class FrameTabBars
{
public:
    struct Entry
    {
        StdXMLNodePtr element; ///< TABS, MULTI or a GENERIC acting as one
        StdXMLNodePtr pages;   ///< the node whose children are the tabs
        QPointer<velkMenuBar> bar;
    };

    /// Bars are children of `frame`; `selectionChanged` runs after a click chose a tab.
    FrameTabBars(QWidget *frame, std::function<void()> selectionChanged);

    /// Adds a bar for `element` whose tabs are the children of `pages`.
    Entry &add(const StdXMLNodePtr &element, const StdXMLNodePtr &pages);
    /// Adds the bar of a MULTI: it shows three numbered copies of the MULTI's first child,
    /// kept in a document of their own. Returns the node holding the copies.
    StdXMLNodePtr addMulti(const StdXMLNodePtr &multi);

    /// The entry of `element`, or nullptr.
    const Entry *find(const StdXMLNode *element) const;
    /// Bar number `nr` (its "Index"), or nullptr.
    velkMenuBar *numbered(int nr) const;
    const std::vector<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }

    /// Removes the bars of `elements`.
    void remove(const QSet<const StdXMLNode *> &elements);
    void removeAll();

private:
    void clicked(const QPointer<velkMenuBar> &bar, int id);
    void reindex();

    QWidget *m_frame;
    std::function<void()> m_selectionChanged;
    std::vector<Entry> m_entries;
    QHash<const StdXMLNode *, size_t> m_byElement;
    int m_counter = 0;
};

} // namespace velk
