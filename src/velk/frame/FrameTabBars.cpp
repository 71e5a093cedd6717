#include "FrameTabBars_p.h"

#include "FrameClass_p.h"
#include "FrameTags_p.h"

#include <velk/common/ColorHelpers.h>
#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/xml/StdXML.h>

#include <algorithm>

namespace velk {
namespace {

const char *const kIndex = "Index";
const QString kSelected = QStringLiteral("selected");

// The tab shown first: one marked "start", else one marked "true", else the first.
int initialTab(StdXMLNode &pages)
{
    int marked = 0;
    int k = 0;
    for (const StdXMLNodePtr &child : pages.SubElements()) {
        ++k;
        const QString selected = child->GetAttribute(kSelected);
        if (selected == QStringLiteral("start"))
            return k;
        if (selected == QStringLiteral("true") && marked == 0)
            marked = k;
    }
    return marked > 0 ? marked : 1;
}

} // namespace

FrameTabBars::FrameTabBars(QWidget *frame, std::function<void()> selectionChanged)
    : m_frame(frame)
    , m_selectionChanged(std::move(selectionChanged))
{
}

FrameTabBars::Entry &FrameTabBars::add(const StdXMLNodePtr &element, const StdXMLNodePtr &pages)
{
    auto *bar = new velkMenuBar(m_frame);
    bar->setObjectName(QStringLiteral("velkMenuBarTABS"));
    bar->setProperty(kIndex, ++m_counter);
    bar->resize(velkFrameControl::TabBarWidthPx, velkFrameControl::TabBarHeightPx);
    bar->hide();
    const QString active = element->GetAttribute(QStringLiteral("activetabcolor"));
    if (!active.isEmpty())
        bar->setButtonColor(ColorFromText(active));
    const QString inactive = element->GetAttribute(QStringLiteral("inactivetabcolor"));
    if (!inactive.isEmpty())
        bar->setInactiveColor(ColorFromText(inactive));
    bar->setSelected(short(initialTab(*pages)));
    QPointer<velkMenuBar> guard(bar);
    QObject::connect(bar->events(), &velkMenuBarEvents::Click, m_frame,
                     [this, guard](int &id, int &, float &, float &) { clicked(guard, id); });
    m_byElement.insert(element.get(), m_entries.size());
    m_entries.push_back({element, pages, bar});
    return m_entries.back();
}

StdXMLNodePtr FrameTabBars::addMulti(const StdXMLNodePtr &multi)
{
    StdXML document;
    StdXMLNodePtr root = document.SetRoot(FrameTag::Multi, QString());
    if (multi->Count() > 0) {
        const StdXMLNodePtr first = multi->Item(1);
        for (int k = 1; k <= 3; ++k) {
            StdXMLNodePtr copy = first->Clone(true);
            QString caption = copy->GetAttribute(QStringLiteral("caption"));
            caption = caption.isEmpty() ? QString::number(k) : caption.replace(u'#', QString::number(k));
            copy->SetAttribute(QStringLiteral("caption"), caption);
            root->AddChild(copy);
        }
    }
    add(multi, root);
    return root;
}

const FrameTabBars::Entry *FrameTabBars::find(const StdXMLNode *element) const
{
    const auto it = m_byElement.constFind(element);
    return it == m_byElement.constEnd() ? nullptr : &m_entries[it.value()];
}

velkMenuBar *FrameTabBars::numbered(int nr) const
{
    for (const Entry &entry : m_entries) {
        if (entry.bar && entry.bar->property(kIndex).toInt() == nr)
            return entry.bar;
    }
    return nullptr;
}

void FrameTabBars::remove(const QSet<const StdXMLNode *> &elements)
{
    if (elements.isEmpty())
        return;
    std::vector<Entry> kept;
    for (Entry &entry : m_entries) {
        if (elements.contains(entry.element.get()))
            retireFrameChild(entry.bar);
        else
            kept.push_back(std::move(entry));
    }
    m_entries = std::move(kept);
    reindex();
}

void FrameTabBars::removeAll()
{
    for (const Entry &entry : m_entries)
        retireFrameChild(entry.bar);
    m_entries.clear();
    m_byElement.clear();
    m_counter = 0;
}

void FrameTabBars::reindex()
{
    m_byElement.clear();
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byElement.insert(m_entries[i].element.get(), i);
}

// The clicked tab is marked "true" in the tree, so a rebuilt frame shows it again.
void FrameTabBars::clicked(const QPointer<velkMenuBar> &bar, int id)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.bar == bar; });
    if (!bar || it == m_entries.end())
        return;
    StdXMLNodes &tabs = it->pages->SubElements();
    for (const StdXMLNodePtr &child : tabs) {
        if (child->GetAttribute(kSelected) == QStringLiteral("true"))
            child->RemoveAttribute(kSelected);
    }
    // A tab marked "start" keeps that mark; it is the one shown first anyway.
    if (id >= 1 && id <= tabs.Count()) {
        const StdXMLNodePtr clicked = *tabs.Item(id);
        if (clicked->GetAttribute(kSelected) != QStringLiteral("start"))
            clicked->SetAttribute(kSelected, QStringLiteral("true"));
    }
    m_selectionChanged();
}

} // namespace velk
