#include "FrameClass.h"

#include <velk/xml/StdXML.h>

#include <exception>

namespace velk {
namespace {

template<typename Access> LateBoundResult guarded(Access access)
{
    try {
        return access();
    } catch (const std::exception &e) {
        LateBoundResult r;
        r.error = QString::fromLocal8Bit(e.what());
        return r;
    } catch (...) {
        LateBoundResult r;
        r.error = QStringLiteral("unknown error");
        return r;
    }
}

} // namespace

LateBoundResult FrameClass::get(QObject *snapin, const QString &name)
{
    return guarded([&] { return LateBound::get(snapin, name); });
}

LateBoundResult FrameClass::set(QObject *snapin, const QString &name, const QVariant &value)
{
    return guarded([&] { return LateBound::set(snapin, name, value); });
}

LateBoundResult FrameClass::call(QObject *snapin, const QString &method, const QVariantList &args)
{
    return guarded([&] { return LateBound::call(snapin, method, args); });
}

FrameClass::FrameClass(int nr, QWidget *control, StdXMLNodePtr item)
    : m_nr(nr)
    , m_control(control)
    , m_item(std::move(item))
{
}

FrameClass::~FrameClass() = default;

void FrameClass::setParameterNode(StdXMLNodePtr node)
{
    m_parameterNode = std::move(node);
    push();
}

void FrameClass::push()
{
    if (!m_parameterNode || !m_control)
        return;
    QString text;
    for (const StdXMLNodePtr &child : m_parameterNode->SubElements())
        text += child->xml();
    text += m_parameterNode->Body;
    set(m_control, QStringLiteral("Parameter"), text);
}

void FrameClass::pull()
{
    if (!m_parameterNode || !m_control)
        return;
    const LateBoundResult read = get(m_control, QStringLiteral("Parameter"));
    if (!read.ok)
        return;
    // A fresh collection rather than removing child by child: a parameter block may be
    // long, and removal by identity scans the list each time.
    m_parameterNode->setSubElements(std::make_shared<StdXMLNodes>());
    m_parameterNode->Body.clear();
    StdXML wrapper;
    wrapper.LoadXML(QStringLiteral("<P>") + read.value.toString() + QStringLiteral("</P>"));
    if (wrapper.Root) {
        for (const StdXMLNodePtr &child : wrapper.Root->SubElements())
            m_parameterNode->AddChild(child);
        m_parameterNode->Body = wrapper.Root->Body;
    }
    set(m_control, QStringLiteral("IsDirty"), false);
}

void FrameClass::save()
{
    const LateBoundResult dirty = get(m_control, QStringLiteral("IsDirty"));
    if (dirty.ok && dirty.value.toBool())
        pull();
}

} // namespace velk
