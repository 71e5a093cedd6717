#pragma once

#include <velk/platform/ControlFactory.h>
#include <velk/xml/StdXMLNode.h>

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace velk {

class velkMenuBar;

/// Removes a frame child that may be on the call stack right now (a snap-in closing
/// itself from inside its own call): hidden and nameless at once, deleted when control
/// returns to the event loop.
void retireFrameChild(QWidget *widget);

/// The frame's record of one snap-in: its control, its number, the layout ITEM it was
/// made for and the node that holds its parameters. Every call on the control is
/// late-bound and a missing member is simply skipped.
class FrameClass
{
public:
    FrameClass(int nr, QWidget *control, StdXMLNodePtr item);
    ~FrameClass();
    FrameClass(const FrameClass &) = delete;
    FrameClass &operator=(const FrameClass &) = delete;

    int nr() const { return m_nr; }
    QWidget *control() const { return m_control; }
    velkMenuBar *toolbar() const;
    void setToolbar(velkMenuBar *bar);
    const StdXMLNodePtr &itemNode() const { return m_item; }
    const StdXMLNodePtr &parameterNode() const { return m_parameterNode; }

    /// Stores `node` (may be nullptr) and pushes it.
    void setParameterNode(StdXMLNodePtr node);
    /// Hands the parameter node's children (as XML text) and its body to the snap-in's
    /// `Parameter`.
    void push();
    /// Reads the snap-in's `Parameter` back into the parameter node; a failed read
    /// changes nothing. Clears the snap-in's `IsDirty` afterwards.
    void pull();
    /// Pulls when the snap-in says it `IsDirty`.
    void save();

    /// Passes a toolbar click on: `Click(id)`, or else `Click(id, x, y)`.
    LateBoundResult toolbarClick(int id, float x, float y);
    /// Lets the snap-in's `ToolbarEnabled(id)` decide `enabled`, if it has one.
    void askToolbarEnabled(int id, bool &enabled);

    // Late-bound access that also turns an exception thrown inside the snap-in into a
    // failed result: a snap-in's fault never takes the frame down.
    static LateBoundResult get(QObject *snapin, const QString &name);
    static LateBoundResult set(QObject *snapin, const QString &name, const QVariant &value);
    static LateBoundResult call(QObject *snapin, const QString &method, const QVariantList &args = {});

private:
    int m_nr;
    QPointer<QWidget> m_control;
    QPointer<velkMenuBar> m_toolbar;
    StdXMLNodePtr m_item;
    StdXMLNodePtr m_parameterNode;
};

/// The frame's snap-ins by number, in build order.
class FrameSnapins
{
public:
    FrameClass *add(std::unique_ptr<FrameClass> record);
    /// The record of snap-in `nr`, or nullptr.
    FrameClass *find(int nr) const;
    QWidget *control(int nr) const;
    velkMenuBar *toolbar(int nr) const;
    /// The numbers of every record, in build order.
    std::vector<int> numbers() const;
    int count() const { return int(m_records.size()); }

    /// Removes snap-in `nr` with its toolbar, saving its parameters first when `save`.
    void remove(int nr, bool save);
    /// Saves every snap-in's parameters, then removes them all.
    void removeAll();

private:
    std::vector<std::unique_ptr<FrameClass>> m_records;
    QHash<int, FrameClass *> m_byNr;
};

} // namespace velk
