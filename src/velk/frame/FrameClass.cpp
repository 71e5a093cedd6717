#include "FrameClass_p.h"

#include <velk/menu/velkMenuBar.h>
#include <velk/xml/StdXML.h>

#include <algorithm>

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

void retireFrameChild(QWidget *widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->setObjectName(QString());
    widget->deleteLater();
}

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

velkMenuBar *FrameClass::toolbar() const
{
    return m_toolbar;
}

void FrameClass::setToolbar(velkMenuBar *bar)
{
    m_toolbar = bar;
}

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

LateBoundResult FrameClass::toolbarClick(int id, float x, float y)
{
    LateBoundResult result = call(m_control, QStringLiteral("Click"), {id});
    if (!result.ok)
        result = call(m_control, QStringLiteral("Click"), {id, x, y});
    return result;
}

void FrameClass::askToolbarEnabled(int id, bool &enabled)
{
    const LateBoundResult answer = call(m_control, QStringLiteral("ToolbarEnabled"), {id});
    if (answer.ok && answer.value.isValid())
        enabled = answer.value.toBool();
}

// --- the registry ----------------------------------------------------------------------

FrameClass *FrameSnapins::add(std::unique_ptr<FrameClass> record)
{
    FrameClass *r = record.get();
    m_records.push_back(std::move(record));
    m_byNr.insert(r->nr(), r);
    return r;
}

FrameClass *FrameSnapins::find(int nr) const
{
    return m_byNr.value(nr);
}

QWidget *FrameSnapins::control(int nr) const
{
    const FrameClass *record = find(nr);
    return record ? record->control() : nullptr;
}

velkMenuBar *FrameSnapins::toolbar(int nr) const
{
    const FrameClass *record = find(nr);
    return record ? record->toolbar() : nullptr;
}

std::vector<int> FrameSnapins::numbers() const
{
    std::vector<int> result;
    result.reserve(m_records.size());
    for (const auto &record : m_records)
        result.push_back(record->nr());
    return result;
}

void FrameSnapins::remove(int nr, bool save)
{
    FrameClass *record = m_byNr.take(nr);
    if (!record)
        return;
    if (save)
        record->save();
    retireFrameChild(record->control());
    retireFrameChild(record->toolbar());
    const auto it = std::find_if(m_records.begin(), m_records.end(),
                                 [record](const auto &r) { return r.get() == record; });
    if (it != m_records.end())
        m_records.erase(it);
}

void FrameSnapins::removeAll()
{
    // By number: a snap-in asked to save may close itself.
    for (int nr : numbers()) {
        if (FrameClass *record = find(nr))
            record->save();
    }
    for (const auto &record : m_records) {
        retireFrameChild(record->control());
        retireFrameChild(record->toolbar());
    }
    m_records.clear();
    m_byNr.clear();
}

} // namespace velk
