#include "FrameBuilder_p.h"

#include "FrameClass_p.h"
#include "FrameLayout_p.h"
#include "FrameTabBars_p.h"
#include "FrameTags_p.h"

#include <velk/common/Error.h>
#include "FrameSizes_p.h"
#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/Dialogs.h>

#include <QSet>

#include <algorithm>

namespace velk {
namespace {

// Delivers only the snap-in's own signals. A hosted library control also has a companion
// event object; its events are that control's dealings with whoever drives it, not
// reports to the frame, and would otherwise all end as "ungültiger Event".
class SnapinRelay : public GenericEventRelay
{
public:
    SnapinRelay(QWidget *snapin, Handler handler)
        : GenericEventRelay(
              snapin,
              [this, snapin, handler = std::move(handler)](const QString &name, QVariantList &args) {
                  if (sender() == snapin)
                      handler(name, args);
              },
              snapin)
    {
    }
};

} // namespace

FrameBuilder::FrameBuilder(QWidget *frame, velkFrameControlEvents *events, FrameSnapins &snapins,
                           FrameTabBars &tabBars, SnapinSignal snapinSignal)
    : m_frame(frame)
    , m_events(events)
    , m_snapins(snapins)
    , m_tabBars(tabBars)
    , m_snapinSignal(std::move(snapinSignal))
{
}

void FrameBuilder::reset(const StdXMLNodePtr &layout)
{
    m_layout = layout;
    m_counter = 0;
    m_hasGeneric = false;
    m_containerNames.clear();
    m_containerNodes.clear();
    m_containerIndexStale = true;
}

void FrameBuilder::build(const StdXMLNodePtr &element)
{
    build(element, 0);
}

void FrameBuilder::build(const StdXMLNodePtr &element, int depth)
{
    if (!element || depth > FrameLayout::MaxDepth)
        return;
    const QString kind = FrameLayout::kindOf(*element);
    m_hasGeneric = m_hasGeneric || element->Tag == FrameTag::Generic;
    if (element->Tag == FrameTag::Item) {
        buildItem(element);
    } else if (kind == FrameTag::Tabs) {
        m_tabBars.add(element, element);
        buildChildren(element, depth);
    } else if (kind == FrameTag::Multi) {
        buildChildren(m_tabBars.addMulti(element), depth);
    } else if (element->Tag == FrameTag::Container) {
        buildContainer(element, depth);
    } else {
        buildChildren(element, depth);
    }
}

void FrameBuilder::buildChildren(const StdXMLNodePtr &element, int depth)
{
    // A copy of the list: creating a snap-in hands it its parameters, and it may answer
    // by changing the tree.
    std::vector<StdXMLNodePtr> children;
    for (const StdXMLNodePtr &child : element->SubElements())
        children.push_back(child);
    for (const StdXMLNodePtr &child : children)
        build(child, depth + 1);
}

void FrameBuilder::buildItem(const StdXMLNodePtr &item)
{
    const int nr = ++m_counter;
    const QString className = item->GetAttribute(QStringLiteral("control"));
    if (className.isEmpty())
        return;
    if (isDesignMode(m_frame)) {
        // A form designer shows the layout only: the cell gets a labelled box.
        item->Comment = QString::number(nr);
        return;
    }
    QWidget *control = nullptr;
    try {
        control = ControlFactory::create(className, m_frame);
    } catch (...) {
        control = nullptr;
    }
    item->Comment = QString::number(nr);
    if (!control)
        return; // the cell shows the missing control
    control->setObjectName(QStringLiteral("Ctl") + QString::number(nr));
    control->hide();
    FrameClass *record = m_snapins.add(std::make_unique<FrameClass>(nr, control, item));
    new SnapinRelay(control, [this, nr](const QString &name, QVariantList &args) { m_snapinSignal(nr, name, args); });
    bindParameters(*record);
    addToolbar(*record);
}

void FrameBuilder::bindParameters(FrameClass &record)
{
    QString path = record.itemNode()->GetAttribute(QStringLiteral("parameter"));
    emit m_events->Parameter(path);
    record.setParameterNode(path.isEmpty() ? record.itemNode() : querySingle(path));
}

StdXMLNodePtr FrameBuilder::querySingle(const QString &path) const
{
    if (!m_layout)
        return nullptr;
    try {
        return m_layout->QuerySingle(path);
    } catch (const Error &) {
        return nullptr;
    }
}

void FrameBuilder::addToolbar(FrameClass &record)
{
    const int nr = record.nr();
    auto *bar = new velkMenuBar(m_frame);
    bar->setObjectName(QStringLiteral("velkMenuBarITEM"));
    bar->setProperty("Index", nr);
    bar->resize(velkFrameControl::TabBarWidthPx, velkFrameControl::ToolbarHeightPx);
    bar->hide();
    const LateBoundResult menu = FrameClass::get(record.control(), QStringLiteral("Toolbar"));
    if (menu.ok)
        bar->setMenu(menu.value.toString());
    FrameSnapins &snapins = m_snapins;
    QObject::connect(bar->events(), &velkMenuBarEvents::Click, m_frame, [&snapins, nr](int &id, int &, float &x, float &y) {
        FrameClass *r = snapins.find(nr);
        if (!r || !r->control())
            return;
        const LateBoundResult result = r->toolbarClick(id, x, y);
        if (!result.ok)
            Dialogs::instance().MsgBox(result.error, MsgBoxStyle::Exclamation, QStringLiteral("Fehler im Plugin!"));
    });
    QObject::connect(bar->events(), &velkMenuBarEvents::CheckState, m_frame, [&snapins, nr](int &id, bool &enabled) {
        if (FrameClass *r = snapins.find(nr); r && r->control())
            r->askToolbarEnabled(id, enabled);
    });
    record.setToolbar(bar);
}

void FrameBuilder::buildContainer(const StdXMLNodePtr &container, int depth)
{
    const QString name = container->GetAttribute(QStringLiteral("layout"));
    StdXMLNodePtr node;
    emit m_events->LayoutNode(name, node);
    if (!node)
        return;
    m_containerNames.push_back(name);
    m_containerNodes.push_back(node);
    m_containerIndexStale = true;
    build(node, depth + 1);
}

void FrameBuilder::addMissingTabBars(const FrameLayoutQuestions &questions)
{
    // Only a GENERIC changes its kind after the build.
    if (!m_hasGeneric)
        return;
    std::vector<StdXMLNodePtr> missing;
    FrameLayout::walk(m_layout, questions, [&](const StdXMLNodePtr &e) {
        if (FrameLayout::hasTabBar(*e) && !m_tabBars.find(e.get()))
            missing.push_back(e);
        return true;
    });
    for (const StdXMLNodePtr &element : missing) {
        if (FrameLayout::kindOf(*element) == FrameTag::Multi)
            buildChildren(m_tabBars.addMulti(element), 0);
        else
            m_tabBars.add(element, element);
    }
}

StdXMLNodePtr FrameBuilder::containerNode(const QString &layout) const
{
    if (m_containerIndexStale) {
        m_containerByName.clear();
        for (qsizetype i = 0; i < m_containerNames.size(); ++i) {
            if (!m_containerByName.contains(m_containerNames[i]))
                m_containerByName.insert(m_containerNames[i], m_containerNodes[size_t(i)]);
        }
        m_containerIndexStale = false;
    }
    return m_containerByName.value(layout);
}

std::vector<StdXMLNodePtr> FrameBuilder::reloadContainers(const FrameLayoutQuestions &questions)
{
    std::vector<StdXMLNodePtr> fresh;
    for (qsizetype i = m_containerNames.size(); i-- > 0;) {
        if (i >= m_containerNames.size())
            continue; // dropped with an outer container torn down just before
        StdXMLNodePtr node;
        emit m_events->LayoutNode(m_containerNames[i], node);
        const StdXMLNodePtr old = m_containerNodes[size_t(i)];
        if (node == old)
            continue;
        std::vector<StdXMLNodePtr> children;
        for (const StdXMLNodePtr &child : old->SubElements())
            children.push_back(child);
        tearDown(children, questions, true);
        const auto at = std::find(m_containerNodes.begin(), m_containerNodes.end(), old);
        if (at != m_containerNodes.end()) {
            if (node) {
                *at = node;
            } else {
                m_containerNames.removeAt(at - m_containerNodes.begin());
                m_containerNodes.erase(at);
            }
        }
        if (node)
            fresh.push_back(node);
        m_containerIndexStale = true;
    }
    // New subtrees are built in the order of the container list.
    std::vector<StdXMLNodePtr> ordered;
    for (const StdXMLNodePtr &node : m_containerNodes) {
        if (std::find(fresh.begin(), fresh.end(), node) != fresh.end())
            ordered.push_back(node);
    }
    return ordered;
}

void FrameBuilder::tearDownElement(const StdXMLNodePtr &element, const FrameLayoutQuestions &questions, bool save)
{
    if (element)
        tearDown({element}, questions, save);
}

void FrameBuilder::saveParameters(const StdXMLNodePtr &element, const FrameLayoutQuestions &questions)
{
    std::vector<int> numbers;
    FrameLayout::walk(element, questions, [&](const StdXMLNodePtr &e) {
        if (e->Tag == FrameTag::Item)
            numbers.push_back(FrameSizes::wholeValue(e->Comment));
        return true;
    });
    // By number: a snap-in asked for its parameters may close itself.
    for (int nr : numbers) {
        if (FrameClass *record = m_snapins.find(nr))
            record->save();
    }
}

// Removes what was built for `roots`: snap-ins, tab bars and the entries of containers
// nested in them.
void FrameBuilder::tearDown(const std::vector<StdXMLNodePtr> &roots, const FrameLayoutQuestions &questions, bool save)
{
    std::vector<int> snapins;
    QSet<const StdXMLNode *> bars;
    QSet<const StdXMLNode *> nested;
    for (const StdXMLNodePtr &child : roots) {
        FrameLayout::walk(child, questions, [&](const StdXMLNodePtr &e) {
            if (e->Tag == FrameTag::Item)
                snapins.push_back(FrameSizes::wholeValue(e->Comment));
            else if (e->Tag == FrameTag::Container)
                nested.insert(containerNode(e->GetAttribute(QStringLiteral("layout"))).get());
            if (m_tabBars.find(e.get()))
                bars.insert(e.get());
            return true;
        });
    }
    for (int nr : snapins)
        m_snapins.remove(nr, save);
    m_tabBars.remove(bars);
    for (size_t i = m_containerNodes.size(); i-- > 0;) {
        if (nested.contains(m_containerNodes[i].get())) {
            m_containerNodes.erase(m_containerNodes.begin() + qsizetype(i));
            m_containerNames.removeAt(qsizetype(i));
        }
    }
    m_containerIndexStale = true;
}

} // namespace velk
