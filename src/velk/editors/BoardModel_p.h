#pragma once

#include <velk/common/Collection.h>
#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>
#include <velk/velk_export.h>

#include <QHash>
#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

namespace velk {

/// The boxes and links of a board, without pixels: their order, the board numbers `nr`,
/// every box's own list of links and the configuration text.
class VELK_TESTS_EXPORT BoardModel
{
public:
    using ItemPtr = std::shared_ptr<BoardData>;
    using LinkPtr = std::shared_ptr<BoardLink>;

    const Collection<ItemPtr> &items() const { return m_items; }
    const Collection<LinkPtr> &links() const { return m_links; }
    /// The box at 1-based position `nr`; nullptr out of range.
    BoardData *item(int nr) const;

    void clear();
    /// Appends `b` and numbers it; nullptr and a box already on the board are ignored.
    bool addItem(ItemPtr b);
    /// Takes `b` off the board and renumbers the boxes after it; links stay as they are.
    bool removeItem(const BoardData *b);
    /// Appends `l`; nullptr and a link already on the board are ignored.
    bool addLink(LinkPtr l);
    bool removeLink(const BoardLink *l);
    /// Whether a link joins `a` and `b`, in either direction.
    bool hasLink(const BoardData *a, const BoardData *b) const;
    bool isOnBoard(const BoardData *b) const
    {
        // Usually the box's number says where it is; the hash settles the rest.
        if (b && b->nr >= 1 && b->nr <= m_items.Count() && m_items.Item(b->nr)->get() == b)
            return true;
        if (!b)
            return false;
        ensureTables();
        return m_onBoard.contains(b);
    }
    /// A link is drawn and hit only while both its ends are boxes on the board.
    bool isShown(const BoardLink &l) const { return isOnBoard(l.Location1.get()) && isOnBoard(l.Location2.get()); }
    /// The links that end at `b` (each once, also when both ends are `b`).
    const std::vector<BoardLink *> &linksOf(const BoardData *b) const;
    /// Reads the link ends again after the host changed them.
    void rebuildLinkLists();
    int selectedCount() const;

    /// "[Location]" and the box's Config for every box, then "[Link]" and the link's
    /// Config for every link; "" for an empty board.
    QString config() const;
    /// Replaces the board by the one `text` describes (see BoardModel.cpp for the rules).
    void setConfig(QStringView text);

private:
    void listLink(BoardLink *l);
    void unlistLink(BoardLink *l);
    void renumberFrom(int nr);

    Collection<ItemPtr> m_items;
    Collection<LinkPtr> m_links;
    // Which boxes and links are on the board, for adding and removing single records.
    // Loading a whole board leaves them to be built on their first use.
    void ensureTables() const;
    mutable QHash<const BoardData *, int> m_onBoard; // box → nr
    mutable QHash<const BoardLink *, bool> m_linked;
    mutable bool m_tablesStale = false;
    QHash<const BoardData *, std::vector<BoardLink *>> m_linksOf;
};

} // namespace velk
