#pragma once

#include <velk/platform/ControlFactory.h>
#include <velk/xml/StdXMLNode.h>

#include <QPointer>
#include <QWidget>

namespace velk {

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

    // Late-bound access that also turns an exception thrown inside the snap-in into a
    // failed result: a snap-in's fault never takes the frame down.
    static LateBoundResult get(QObject *snapin, const QString &name);
    static LateBoundResult set(QObject *snapin, const QString &name, const QVariant &value);
    static LateBoundResult call(QObject *snapin, const QString &method, const QVariantList &args = {});

private:
    int m_nr;
    QPointer<QWidget> m_control;
    StdXMLNodePtr m_item;
    StdXMLNodePtr m_parameterNode;
};

} // namespace velk
