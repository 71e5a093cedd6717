#include "velkFrameControl.h"

#include "FrameClass.h"
#include "FrameLayout.h"
#include "FrameSizes.h"
#include "FrameSurface.h"

#include <velk/common/ColorHelpers.h>
#include <velk/common/Error.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Dialogs.h>
#include <velk/xml/StdXML.h>

#include <QHash>
#include <QPointer>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>

namespace velk {
namespace {

const QString kIndex = QStringLiteral("Index");
const QString kTabs = QStringLiteral("TABS");
const QString kMulti = QStringLiteral("MULTI");
const QString kGeneric = QStringLiteral("GENERIC");

QRect toQRect(const FrameRect &r)
{
    return QRect(r.left, r.top, std::max(1, r.width()), std::max(1, r.height()));
}

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

// Removes a widget that may be on the call stack right now (a snap-in closing itself
// from inside its own call): hidden and nameless at once, deleted when control returns.
void retire(QWidget *widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->setObjectName(QString());
    widget->deleteLater();
}

} // namespace

struct velkFrameControl::Private final : FrameLayoutHost
{
    struct TabBarEntry
    {
        StdXMLNodePtr element; ///< TABS, MULTI or a GENERIC acting as one
        StdXMLNodePtr pages;   ///< the node whose children are the tabs
        QPointer<velkMenuBar> bar;
    };

    velkFrameControl *q;
    velkFrameControlEvents *events;
    FrameSurface surface;
    Color backColor = SystemColor::ButtonFace;
    StdXMLNodePtr layoutElement;
    int counter = 0;
    std::vector<std::unique_ptr<FrameClass>> records;
    QHash<int, FrameClass *> recordByNr;
    QHash<int, QPointer<QWidget>> controls;
    QHash<int, QPointer<velkMenuBar>> toolbars;
    QStringList containerNames;
    std::vector<StdXMLNodePtr> containerNodes;
    QHash<QString, StdXMLNodePtr> containerByName;
    bool containerIndexStale = false;
    std::vector<TabBarEntry> tabBars;
    QHash<const StdXMLNode *, size_t> tabBarByElement;
    int tabBarCounter = 0;
    bool isConfigMode = false;
    QString requested;
    bool inLayout = false;
    bool destroying = false;
    QSet<int> placedSnapins;
    QSet<const velkMenuBar *> placedBars;

    explicit Private(velkFrameControl *frame)
        : q(frame)
        , events(new velkFrameControlEvents(frame))
        , surface(frame)
    {
        events->setObjectName(QStringLiteral("events"));
        surface.setBackColor(backColor);
    }

    // --- build ---------------------------------------------------------------------

    void build(const StdXMLNodePtr &element, int depth)
    {
        if (!element || depth > FrameLayout::MaxDepth)
            return;
        const QString kind = FrameLayout::kindOf(*element);
        if (element->Tag == QStringLiteral("ITEM")) {
            buildItem(element);
        } else if (kind == kTabs) {
            addTabBar(element, element);
            buildChildren(element, depth);
        } else if (kind == kMulti) {
            const StdXMLNodePtr copies = addMulti(element);
            buildChildren(copies, depth);
        } else if (element->Tag == QStringLiteral("CONTAINER")) {
            buildContainer(element, depth);
        } else {
            buildChildren(element, depth);
        }
    }

    void buildChildren(const StdXMLNodePtr &element, int depth)
    {
        std::vector<StdXMLNodePtr> children;
        for (const StdXMLNodePtr &child : element->SubElements())
            children.push_back(child);
        for (const StdXMLNodePtr &child : children)
            build(child, depth + 1);
    }

    void buildItem(const StdXMLNodePtr &item)
    {
        const int nr = ++counter;
        const QString className = item->GetAttribute(QStringLiteral("control"));
        if (className.isEmpty())
            return;
        QWidget *control = nullptr;
        try {
            control = ControlFactory::create(className, q);
        } catch (...) {
            control = nullptr;
        }
        item->Comment = QString::number(nr);
        if (!control)
            return; // the cell shows the missing control
        control->setObjectName(QStringLiteral("Ctl") + QString::number(nr));
        control->hide();
        controls.insert(nr, control);
        auto record = std::make_unique<FrameClass>(nr, control, item);
        FrameClass *r = record.get();
        records.push_back(std::move(record));
        recordByNr.insert(nr, r);
        new SnapinRelay(control, [this, nr](const QString &name, QVariantList &args) { snapinEvent(nr, name, args); });
        bindParameters(*r);
        addToolbar(*r);
    }

    void bindParameters(FrameClass &record)
    {
        QString path = record.itemNode()->GetAttribute(QStringLiteral("parameter"));
        emit events->Parameter(path);
        record.setParameterNode(path.isEmpty() ? record.itemNode() : querySingle(path));
    }

    StdXMLNodePtr querySingle(const QString &path) const
    {
        if (!layoutElement)
            return nullptr;
        try {
            return layoutElement->QuerySingle(path);
        } catch (const Error &) {
            return nullptr;
        }
    }

    void addToolbar(const FrameClass &record)
    {
        const int nr = record.nr();
        auto *bar = new velkMenuBar(q);
        bar->setObjectName(QStringLiteral("velkMenuBarITEM"));
        bar->setProperty(kIndex.toLatin1().constData(), nr);
        bar->resize(TabBarWidthPx, ToolbarHeightPx);
        bar->hide();
        const LateBoundResult menu = FrameClass::get(record.control(), QStringLiteral("Toolbar"));
        if (menu.ok)
            bar->setMenu(menu.value.toString());
        QObject::connect(bar->events(), &velkMenuBarEvents::Click, q,
                         [this, nr](int &id, int &, float &x, float &y) { toolbarClick(nr, id, x, y); });
        QObject::connect(bar->events(), &velkMenuBarEvents::CheckState, q,
                         [this, nr](int &id, bool &enabled) { toolbarEnabled(nr, id, enabled); });
        toolbars.insert(nr, bar);
    }

    TabBarEntry &addTabBar(const StdXMLNodePtr &element, const StdXMLNodePtr &pages)
    {
        auto *bar = new velkMenuBar(q);
        bar->setObjectName(QStringLiteral("velkMenuBarTABS"));
        bar->setProperty(kIndex.toLatin1().constData(), ++tabBarCounter);
        bar->resize(TabBarWidthPx, TabBarHeightPx);
        bar->hide();
        const QString active = element->GetAttribute(QStringLiteral("activetabcolor"));
        if (!active.isEmpty())
            bar->setButtonColor(ColorFromText(active));
        const QString inactive = element->GetAttribute(QStringLiteral("inactivetabcolor"));
        if (!inactive.isEmpty())
            bar->setInactiveColor(ColorFromText(inactive));
        bar->setSelected(short(initialTab(*pages)));
        QPointer<velkMenuBar> guard(bar);
        QObject::connect(bar->events(), &velkMenuBarEvents::Click, q,
                         [this, guard](int &id, int &, float &, float &) { tabClicked(guard, id); });
        tabBarByElement.insert(element.get(), tabBars.size());
        tabBars.push_back({element, pages, bar});
        return tabBars.back();
    }

    // The tab shown first: one marked "start", else one marked "true", else the first.
    static int initialTab(StdXMLNode &pages)
    {
        int marked = 0;
        int k = 0;
        for (const StdXMLNodePtr &child : pages.SubElements()) {
            ++k;
            const QString selected = child->GetAttribute(QStringLiteral("selected"));
            if (selected == QStringLiteral("start"))
                return k;
            if (selected == QStringLiteral("true") && marked == 0)
                marked = k;
        }
        return marked > 0 ? marked : 1;
    }

    // A MULTI shows three numbered copies of its first child in a document of their own.
    StdXMLNodePtr addMulti(const StdXMLNodePtr &multi)
    {
        StdXML document;
        StdXMLNodePtr root = document.SetRoot(kMulti, QString());
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
        addTabBar(multi, root);
        return root;
    }

    void buildContainer(const StdXMLNodePtr &container, int depth)
    {
        const QString name = container->GetAttribute(QStringLiteral("layout"));
        StdXMLNodePtr node;
        emit events->LayoutNode(name, node);
        if (!node)
            return;
        containerNames.push_back(name);
        containerNodes.push_back(node);
        containerIndexStale = true;
        build(node, depth + 1);
    }

    // --- tear-down -----------------------------------------------------------------

    void removeSnapin(int nr, bool save)
    {
        FrameClass *record = recordByNr.take(nr);
        if (record && save)
            record->save();
        retire(controls.take(nr));
        retire(toolbars.take(nr));
        if (record) {
            const auto it = std::find_if(records.begin(), records.end(),
                                         [record](const auto &r) { return r.get() == record; });
            if (it != records.end())
                records.erase(it);
        }
    }

    void removeAll()
    {
        for (const auto &record : records)
            record->save();
        for (const QPointer<QWidget> &control : std::as_const(controls))
            retire(control);
        for (const QPointer<velkMenuBar> &bar : std::as_const(toolbars))
            retire(bar);
        for (const TabBarEntry &entry : tabBars)
            retire(entry.bar);
        records.clear();
        recordByNr.clear();
        controls.clear();
        toolbars.clear();
        tabBars.clear();
        tabBarByElement.clear();
        tabBarCounter = 0;
    }

    // Removes what was built for the children of a container's old node: snap-ins (saved
    // first), tab bars and the entries of containers nested in it.
    void tearDown(const StdXMLNodePtr &node)
    {
        std::vector<int> snapins;
        QSet<const StdXMLNode *> bars;
        QSet<const StdXMLNode *> nested;
        for (const StdXMLNodePtr &child : node->SubElements()) {
            FrameLayout::walk(child, *this, [&](const StdXMLNodePtr &e) {
                if (e->Tag == QStringLiteral("ITEM"))
                    snapins.push_back(FrameSizes::wholeValue(e->Comment));
                else if (e->Tag == QStringLiteral("CONTAINER"))
                    nested.insert(containerNode(e->GetAttribute(QStringLiteral("layout"))).get());
                if (tabBarByElement.contains(e.get()))
                    bars.insert(e.get());
                return true;
            });
        }
        for (int nr : snapins)
            removeSnapin(nr, true);
        removeTabBars(bars);
        for (size_t i = containerNodes.size(); i-- > 0;) {
            if (nested.contains(containerNodes[i].get())) {
                containerNodes.erase(containerNodes.begin() + qsizetype(i));
                containerNames.removeAt(qsizetype(i));
            }
        }
        containerIndexStale = true;
    }

    void removeTabBars(const QSet<const StdXMLNode *> &elements)
    {
        if (elements.isEmpty())
            return;
        std::vector<TabBarEntry> kept;
        for (TabBarEntry &entry : tabBars) {
            if (elements.contains(entry.element.get()))
                retire(entry.bar);
            else
                kept.push_back(std::move(entry));
        }
        tabBars = std::move(kept);
        tabBarByElement.clear();
        for (size_t i = 0; i < tabBars.size(); ++i)
            tabBarByElement.insert(tabBars[i].element.get(), i);
    }

    // --- events from snap-ins and bars ---------------------------------------------

    void snapinEvent(int nr, const QString &name, QVariantList &args)
    {
        if (destroying)
            return;
        FrameClass *record = recordByNr.value(nr);
        if (!record)
            return;
        const QString event = name.toLower();
        if (event == QStringLiteral("statustext")) {
            emit events->StatusText(args.value(0).toString());
        } else if (event == QStringLiteral("toolbarchanged")) {
            const LateBoundResult menu = FrameClass::get(record->control(), QStringLiteral("Toolbar"));
            if (velkMenuBar *bar = toolbars.value(nr); bar && menu.ok)
                bar->setMenu(menu.value.toString());
        } else if (event == QStringLiteral("closeplugin") || event == QStringLiteral("closesnapin")) {
            removeSnapin(nr, false);
            q->Refresh();
            emit events->CloseSnapin();
        } else if (event == QStringLiteral("parameterchanged")) {
            record->pull();
            emit events->ParameterChanged();
        } else if (event == QStringLiteral("parameterrefresh")) {
            record->push();
        } else if (event == QStringLiteral("showole")) {
            emit events->ShowOLE(args.value(0).toString(), args.value(1).toInt(), args.value(2).toInt(),
                                 args.value(3).toInt(), args.value(4).toInt());
        } else {
            Dialogs::instance().MsgBox(name, MsgBoxStyle::Exclamation, QStringLiteral("ungültiger Event"));
        }
    }

    void toolbarClick(int nr, int id, float x, float y)
    {
        FrameClass *record = recordByNr.value(nr);
        if (!record || !record->control())
            return;
        LateBoundResult result = FrameClass::call(record->control(), QStringLiteral("Click"), {id});
        if (!result.ok)
            result = FrameClass::call(record->control(), QStringLiteral("Click"), {id, x, y});
        if (!result.ok)
            Dialogs::instance().MsgBox(result.error, MsgBoxStyle::Exclamation, QStringLiteral("Fehler im Plugin!"));
    }

    void toolbarEnabled(int nr, int id, bool &enabled)
    {
        FrameClass *record = recordByNr.value(nr);
        if (!record || !record->control())
            return;
        const LateBoundResult answer = FrameClass::call(record->control(), QStringLiteral("ToolbarEnabled"), {id});
        if (answer.ok && answer.value.isValid())
            enabled = answer.value.toBool();
    }

    void tabClicked(const QPointer<velkMenuBar> &bar, int id)
    {
        const auto it = std::find_if(tabBars.begin(), tabBars.end(),
                                     [&](const TabBarEntry &e) { return e.bar == bar; });
        if (!bar || it == tabBars.end())
            return;
        StdXMLNodes &tabs = it->pages->SubElements();
        for (const StdXMLNodePtr &child : tabs) {
            if (child->GetAttribute(QStringLiteral("selected")) == QStringLiteral("true"))
                child->RemoveAttribute(QStringLiteral("selected"));
        }
        // A tab marked "start" keeps that mark; it is the one shown first anyway.
        if (id >= 1 && id <= tabs.Count()) {
            const StdXMLNodePtr clicked = *tabs.Item(id);
            if (clicked->GetAttribute(QStringLiteral("selected")) != QStringLiteral("start"))
                clicked->SetAttribute(QStringLiteral("selected"), QStringLiteral("true"));
        }
        q->Refresh();
    }

    // --- the layout pass's questions -----------------------------------------------

    bool configMode() const override { return isConfigMode; }
    QString requestedElement() const override { return requested; }

    StdXMLNodePtr containerNode(const QString &layout) override
    {
        if (containerIndexStale) {
            containerByName.clear();
            for (qsizetype i = 0; i < containerNames.size(); ++i) {
                if (!containerByName.contains(containerNames[i]))
                    containerByName.insert(containerNames[i], containerNodes[size_t(i)]);
            }
            containerIndexStale = false;
        }
        return containerByName.value(layout);
    }

    // A GENERIC switched to TABS or MULTI after the build gets its bar when it is first
    // laid out as one.
    TabBarEntry *tabBarFor(const StdXMLNodePtr &element)
    {
        const auto it = tabBarByElement.constFind(element.get());
        if (it != tabBarByElement.constEnd())
            return &tabBars[it.value()];
        if (!inLayout)
            return nullptr;
        if (FrameLayout::kindOf(*element) == kMulti) {
            const StdXMLNodePtr copies = addMulti(element);
            buildChildren(copies, 0);
            return &tabBars[tabBarByElement.value(element.get())];
        }
        return &addTabBar(element, element);
    }

    StdXMLNodePtr multiCopies(const StdXMLNodePtr &multi) override
    {
        TabBarEntry *entry = tabBarFor(multi);
        return entry ? entry->pages : nullptr;
    }

    TabBarState tabBar(const StdXMLNodePtr &element) override
    {
        TabBarState state;
        state.widthPx = TabBarWidthPx;
        state.heightPx = TabBarHeightPx;
        if (TabBarEntry *entry = tabBarFor(element); entry && entry->bar)
            state.selected = entry->bar->Selected();
        return state;
    }

    SnapinState snapin(int nr) override
    {
        SnapinState state;
        state.exists = !controls.value(nr).isNull();
        state.hasToolbar = recordByNr.contains(nr) && !toolbars.value(nr).isNull();
        state.toolbarHeightPx = ToolbarHeightPx;
        return state;
    }

    // --- the layout pass's results -------------------------------------------------

    void fillBackground(const FrameRect &r, Color color) override { surface.fill(r, color); }
    void drawBorder(const FrameRect &r) override { surface.drawBorder(r); }
    void drawHeader(const FrameRect &strip, const QString &text) override { surface.drawHeader(strip, text); }
    void drawCaption(const FrameRect &bar, const QString &text) override { surface.drawCaption(bar, text); }
    void drawNotFound(const FrameRect &r, const QString &text) override { surface.drawNotFound(r, text); }

    void placeSnapin(const SnapinPlacement &p) override
    {
        QWidget *control = controls.value(p.nr);
        if (!control)
            return;
        placedSnapins.insert(p.nr);
        if (velkMenuBar *bar = toolbars.value(p.nr); bar && p.hasToolbar) {
            bar->setGeometry(toQRect(p.toolbar));
            bar->setButtonColor(p.backColor);
            bar->setBackColor(p.backColor);
            bar->setVisible(p.visible);
            placedBars.insert(bar);
        }
        control->setGeometry(toQRect(p.control));
        FrameClass::set(control, QStringLiteral("BackColor"), QVariant::fromValue(p.backColor));
        control->setVisible(p.visible);
        FrameClass::set(control, QStringLiteral("IsVisible"), p.visible);
    }

    void placeTabBar(const TabBarPlacement &p) override
    {
        TabBarEntry *entry = tabBarFor(p.element);
        velkMenuBar *bar = entry ? entry->bar.data() : nullptr;
        if (!bar)
            return;
        placedBars.insert(bar);
        bar->setGeometry(toQRect(p.rect));
        bar->setStyle(short(p.style));
        bar->setBackColor(p.backColor);
        if (bar->Menu() != p.menu)
            bar->setMenu(p.menu);
        bar->setSelected(short(p.selected));
        bar->setVisible(p.visible);
        if (p.visible)
            bar->Refresh();
    }

    // What the pass did not reach (a tree changed under the frame) is not left standing
    // at an old place.
    void hideUnplaced()
    {
        for (auto it = controls.constBegin(); it != controls.constEnd(); ++it) {
            if (!placedSnapins.contains(it.key()) && it.value()) {
                it.value()->hide();
                if (velkMenuBar *bar = toolbars.value(it.key()))
                    bar->hide();
            }
        }
        for (const TabBarEntry &entry : tabBars) {
            if (entry.bar && !placedBars.contains(entry.bar))
                entry.bar->hide();
        }
    }
};

velkFrameControl::velkFrameControl(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
}

velkFrameControl::~velkFrameControl()
{
    // Children go while the state their event handlers use is still here.
    d->destroying = true;
    const QList<QWidget *> children = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child != d->surface.widget())
            delete child;
    }
}

velkFrameControlEvents *velkFrameControl::events() const
{
    return d->events;
}

void velkFrameControl::Init(const StdXMLNodePtr &xmlnode)
{
    if (d->layoutElement || !d->records.empty() || !d->tabBars.empty())
        Disconnect();
    d->layoutElement = xmlnode;
    d->counter = 0;
    d->containerNames.clear();
    d->containerNodes.clear();
    d->containerIndexStale = true;
    if (!xmlnode) {
        d->surface.clear();
        d->surface.widget()->resize(0, 0);
        return;
    }
    // Drawing waits for the whole build: switching it back on visits every child, so
    // doing that per snap-in would cost the square of their number.
    const bool drawing = updatesEnabled();
    setUpdatesEnabled(false);
    d->build(xmlnode, 0);
    setUpdatesEnabled(drawing);
    Refresh();
}

void velkFrameControl::Disconnect()
{
    d->removeAll();
    d->layoutElement.reset();
    d->containerNames.clear();
    d->containerNodes.clear();
    d->containerIndexStale = true;
    d->surface.clear();
}

void velkFrameControl::Refresh()
{
    if (d->inLayout)
        return;
    d->inLayout = true;
    const auto done = qScopeGuard([this] { d->inLayout = false; });

    d->surface.fitTo(this);
    d->surface.clear();
    d->placedSnapins.clear();
    d->placedBars.clear();
    if (d->layoutElement) {
        FrameRect r{0, 0, width(), height()};
        if (d->layoutElement->Parent()) {
            const int w = FrameSizes::wholeValue(d->layoutElement->GetAttribute(QStringLiteral("width")));
            const int h = FrameSizes::wholeValue(d->layoutElement->GetAttribute(QStringLiteral("height")));
            if (w >= 1) {
                resize(w, height());
                r = {0, 0, w, height()};
            } else if (h >= 1) {
                resize(width(), h);
                r = {0, 0, width(), h};
            }
            d->surface.fitTo(this);
        }
        FrameLayout::layout(d->layoutElement, r, d->backColor, *d);
    }
    d->hideUnplaced();
}

void velkFrameControl::Reload()
{
    std::vector<StdXMLNodePtr> fresh;
    for (qsizetype i = d->containerNames.size(); i-- > 0;) {
        if (i >= d->containerNames.size())
            continue; // dropped with an outer container torn down just before
        StdXMLNodePtr node;
        emit d->events->LayoutNode(d->containerNames[i], node);
        const StdXMLNodePtr old = d->containerNodes[size_t(i)];
        if (node == old)
            continue;
        d->tearDown(old);
        if (!node) {
            const auto at = std::find(d->containerNodes.begin(), d->containerNodes.end(), old);
            if (at != d->containerNodes.end()) {
                d->containerNames.removeAt(at - d->containerNodes.begin());
                d->containerNodes.erase(at);
            }
        } else {
            const auto at = std::find(d->containerNodes.begin(), d->containerNodes.end(), old);
            if (at != d->containerNodes.end())
                *at = node;
            fresh.push_back(node);
        }
        d->containerIndexStale = true;
    }
    // By number, not by reference: a snap-in may close itself while it is bound again.
    std::vector<int> numbers;
    for (const auto &record : d->records)
        numbers.push_back(record->nr());
    for (int nr : numbers) {
        if (FrameClass *record = d->recordByNr.value(nr)) {
            FrameClass::call(record->control(), QStringLiteral("SaveParameter"));
            d->bindParameters(*record);
        }
    }
    // New subtrees are built in the order of the container list.
    const bool drawing = updatesEnabled();
    setUpdatesEnabled(false);
    for (const StdXMLNodePtr &node : d->containerNodes) {
        if (std::find(fresh.begin(), fresh.end(), node) != fresh.end())
            d->build(node, 0);
    }
    setUpdatesEnabled(drawing);
    Refresh();
}

void velkFrameControl::ShowElement(const QString &element)
{
    d->requested = element;
    const auto done = qScopeGuard([this] { d->requested.clear(); });
    Refresh();
}

void velkFrameControl::SendCommand(const QString &cmd, const QString &value)
{
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag == QStringLiteral("ITEM")) {
            if (FrameClass *record = d->recordByNr.value(FrameSizes::wholeValue(e->Comment)))
                FrameClass::call(record->control(), QStringLiteral("ReceiveCommand"), {cmd, value});
        }
        return true;
    });
}

bool velkFrameControl::ConfigMode() const
{
    return d->isConfigMode;
}

void velkFrameControl::setConfigMode(bool on)
{
    d->isConfigMode = on;
    Refresh();
}

QString velkFrameControl::GenericType() const
{
    QString type;
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag != kGeneric)
            return true;
        type = e->GetAttribute(QStringLiteral("type"));
        return false;
    });
    return type;
}

void velkFrameControl::setGenericType(const QString &type)
{
    bool changed = false;
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag == kGeneric) {
            e->SetAttribute(QStringLiteral("type"), type);
            changed = true;
        }
        return true;
    });
    if (changed)
        Refresh();
}

Color velkFrameControl::BackColor() const
{
    return d->backColor;
}

void velkFrameControl::setBackColor(Color color)
{
    if (d->backColor == color)
        return;
    d->backColor = color;
    d->surface.setBackColor(color);
    Refresh();
}

StdXMLNodePtr velkFrameControl::layoutElement() const
{
    return d->layoutElement;
}

QWidget *velkFrameControl::snapin(int nr) const
{
    return d->controls.value(nr);
}

velkMenuBar *velkFrameControl::toolbar(int nr) const
{
    return d->toolbars.value(nr);
}

velkMenuBar *velkFrameControl::tabBar(int nr) const
{
    for (const auto &entry : d->tabBars) {
        if (entry.bar && entry.bar->property(kIndex.toLatin1().constData()).toInt() == nr)
            return entry.bar;
    }
    return nullptr;
}

int velkFrameControl::snapinCount() const
{
    return int(d->records.size());
}

namespace {
// Frames nest: a layout may host another frame by class name.
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkFrameControl>(QStringLiteral("velkFrameControl")), true);
} // namespace

void velkFrameControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!d->layoutElement) {
        d->surface.widget()->setGeometry(rect());
        return;
    }
    Refresh();
}

} // namespace velk
