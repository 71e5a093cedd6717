#include "velkFrameControl.h"

#include "FrameBuilder_p.h"
#include "FrameClass_p.h"
#include "FrameEditing_p.h"
#include "FrameLayout_p.h"
#include "FrameSizes_p.h"
#include "FrameSurface_p.h"
#include "FrameTabBars_p.h"
#include "FrameTags_p.h"

#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/DesignMode.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/PictureBox.h>

#include <QResizeEvent>
#include <QScopeGuard>
#include <QSet>

#include <algorithm>

namespace velk {
namespace {

QRect toQRect(const FrameRect &r)
{
    return QRect(r.left, r.top, std::max(1, r.width()), std::max(1, r.height()));
}

} // namespace

struct velkFrameControl::Private final : FrameLayoutQuestions, FrameEditHost
{
    velkFrameControl *q;
    velkFrameControlEvents *events;
    FrameSurface surface;
    FrameSnapins snapins;
    FrameTabBars tabBars;
    FrameBuilder builder;
    Color backColor = SystemColor::ButtonFace;
    StdXMLNodePtr layoutElement;
    bool isConfigMode = false;
    QString requested;
    bool applying = false;
    bool sizingToLayout = false;
    bool destroying = false;
    FramePlan plan; ///< the last layout pass's, for finding what is under the mouse
    std::unique_ptr<FrameEditing> editing;

    explicit Private(velkFrameControl *frame)
        : q(frame)
        , events(new velkFrameControlEvents(frame))
        , surface(frame)
        , tabBars(frame, [frame] { frame->Refresh(); })
        , builder(frame, events, snapins, tabBars,
                  [this](int nr, const QString &name, QVariantList &args) { snapinSignal(nr, name, args); })
    {
        events->setObjectName(QStringLiteral("events"));
        surface.setBackColor(backColor);
        editing = std::make_unique<FrameEditing>(*this);
        auto *picture = static_cast<PictureBox *>(surface.widget());
        QObject::connect(picture, &PictureBox::MouseDown, frame, &velkFrameControl::MouseDown);
        QObject::connect(picture, &PictureBox::MouseMove, frame, &velkFrameControl::MouseMove);
        QObject::connect(picture, &PictureBox::MouseUp, frame, &velkFrameControl::MouseUp);
    }

    // --- signals from snap-ins ----------------------------------------------------

    void snapinSignal(int nr, const QString &name, QVariantList &args)
    {
        if (destroying)
            return;
        FrameClass *record = snapins.find(nr);
        if (!record)
            return;
        const QString event = name.toLower();
        if (event == QStringLiteral("statustext")) {
            emit events->StatusText(args.value(0).toString());
        } else if (event == QStringLiteral("toolbarchanged")) {
            const LateBoundResult menu = FrameClass::get(record->control(), QStringLiteral("Toolbar"));
            if (velkMenuBar *bar = record->toolbar(); bar && menu.ok)
                bar->setMenu(menu.value.toString());
        } else if (event == QStringLiteral("closeplugin") || event == QStringLiteral("closesnapin")) {
            snapins.remove(nr, false);
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

    // --- the layout pass's questions ------------------------------------------------

    bool configMode() const override { return isConfigMode; }
    QString requestedElement() const override { return requested; }
    StdXMLNodePtr containerNode(const QString &layout) const override { return builder.containerNode(layout); }

    StdXMLNodePtr multiCopies(const StdXMLNodePtr &multi) const override
    {
        const FrameTabBars::Entry *entry = tabBars.find(multi.get());
        return entry ? entry->pages : nullptr;
    }

    TabBarState tabBar(const StdXMLNodePtr &element) const override
    {
        TabBarState state;
        state.widthPx = TabBarWidthPx;
        state.heightPx = TabBarHeightPx;
        if (const FrameTabBars::Entry *entry = tabBars.find(element.get()); entry && entry->bar)
            state.selected = entry->bar->Selected();
        return state;
    }

    const ProvisionalSizes *provisionalSizes() const override { return editing->editor().provisionalSizes(); }

    SnapinState snapin(int nr) const override
    {
        SnapinState state;
        const FrameClass *record = snapins.find(nr);
        state.exists = record && record->control();
        state.hasToolbar = record && record->toolbar();
        state.toolbarHeightPx = ToolbarHeightPx;
        state.placeholder = !state.exists && isDesignMode(q);
        return state;
    }

    // --- what the editing asks -------------------------------------------------------

    QWidget *frameWidget() const override { return q; }
    QWidget *surfaceWidget() const override { return surface.widget(); }
    const FramePlan &currentPlan() const override { return plan; }
    const FrameLayoutQuestions &layoutQuestions() const override { return *this; }
    FrameBuilder &frameBuilder() override { return builder; }
    bool inConfigMode() const override { return isConfigMode; }
    void leaveConfigMode() override { q->setConfigMode(false); }
    void refreshLayout() override { q->Refresh(); }

    void buildElement(const StdXMLNodePtr &element) override
    {
        const bool drawing = q->updatesEnabled();
        q->setUpdatesEnabled(false);
        builder.build(element);
        q->setUpdatesEnabled(drawing);
    }

    // --- applying a plan ------------------------------------------------------------

    // Widgets are looked up step by step: a snap-in placed earlier may have closed itself
    // or another one.
    void apply(const FramePlan &plan)
    {
        applying = true;
        const auto done = qScopeGuard([this] { applying = false; });
        surface.clear();
        QSet<int> placedSnapins;
        QSet<const velkMenuBar *> placedBars;
        for (const FrameStep &step : plan.steps) {
            if (const auto *s = std::get_if<FrameSnapinPlacement>(&step)) {
                placedSnapins.insert(s->nr);
                if (velkMenuBar *bar = placeSnapin(*s))
                    placedBars.insert(bar);
            } else if (const auto *t = std::get_if<FrameTabBarPlacement>(&step)) {
                if (velkMenuBar *bar = placeTabBar(*t))
                    placedBars.insert(bar);
            } else {
                draw(step);
            }
        }
        hideUnplaced(placedSnapins, placedBars);
    }

    void draw(const FrameStep &step)
    {
        if (const auto *f = std::get_if<FrameFill>(&step))
            surface.fill(f->rect, f->color);
        else if (const auto *b = std::get_if<FrameBorder>(&step))
            surface.drawBorder(b->rect);
        else if (const auto *h = std::get_if<FrameHeader>(&step))
            surface.drawHeader(h->strip, h->text);
        else if (const auto *c = std::get_if<FrameCaption>(&step))
            surface.drawCaption(c->bar, c->text);
        else if (const auto *n = std::get_if<FrameNotFound>(&step))
            surface.drawNotFound(n->rect, n->text, n->placeholder);
    }

    // Returns the toolbar it placed, if any.
    velkMenuBar *placeSnapin(const FrameSnapinPlacement &p)
    {
        FrameClass *record = snapins.find(p.nr);
        QWidget *control = record ? record->control() : nullptr;
        if (!control)
            return nullptr;
        QPointer<velkMenuBar> bar = p.hasToolbar ? record->toolbar() : nullptr;
        if (bar) {
            bar->setGeometry(toQRect(p.toolbar));
            bar->setButtonColor(p.backColor);
            bar->setBackColor(p.backColor);
            bar->setVisible(p.visible);
        }
        QPointer<QWidget> alive(control);
        control->setGeometry(toQRect(p.control));
        FrameClass::set(control, QStringLiteral("BackColor"), QVariant::fromValue(p.backColor));
        if (alive)
            control->setVisible(p.visible);
        if (alive)
            FrameClass::set(control, QStringLiteral("IsVisible"), p.visible);
        return bar;
    }

    velkMenuBar *placeTabBar(const FrameTabBarPlacement &p)
    {
        const FrameTabBars::Entry *entry = tabBars.find(p.element.get());
        const QPointer<velkMenuBar> bar = entry ? entry->bar : nullptr;
        if (!bar)
            return nullptr;
        bar->setGeometry(toQRect(p.rect));
        bar->setStyleNumber(short(p.style));
        bar->setBackColor(p.backColor);
        if (bar->Menu() != p.menu)
            bar->setMenu(p.menu);
        bar->setSelected(short(p.selected));
        bar->setVisible(p.visible);
        if (p.visible)
            bar->Refresh();
        return bar;
    }

    // What the plan did not reach (a tree changed under the frame) is not left standing
    // at an old place.
    void hideUnplaced(const QSet<int> &placedSnapins, const QSet<const velkMenuBar *> &placedBars)
    {
        for (int nr : snapins.numbers()) {
            if (placedSnapins.contains(nr))
                continue;
            if (QWidget *control = snapins.control(nr))
                control->hide();
            if (velkMenuBar *bar = snapins.toolbar(nr))
                bar->hide();
        }
        for (const FrameTabBars::Entry &entry : tabBars.entries()) {
            if (entry.bar && !placedBars.contains(entry.bar))
                entry.bar->hide();
        }
    }

    // A layout element inside a larger document gives the frame its width or height.
    FrameRect sizeToLayout()
    {
        FrameRect r{0, 0, q->width(), q->height()};
        if (!layoutElement->Parent())
            return r;
        const int w = FrameSizes::wholeValue(layoutElement->GetAttribute(QStringLiteral("width")));
        const int h = FrameSizes::wholeValue(layoutElement->GetAttribute(QStringLiteral("height")));
        sizingToLayout = true;
        const auto done = qScopeGuard([this] { sizingToLayout = false; });
        if (w >= 1) {
            q->resize(w, q->height());
            r = {0, 0, w, q->height()};
        } else if (h >= 1) {
            q->resize(q->width(), h);
            r = {0, 0, q->width(), h};
        }
        return r;
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
    d->editing->setActive(false);
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
    if (d->layoutElement || d->snapins.count() > 0 || !d->tabBars.isEmpty())
        Disconnect();
    d->layoutElement = xmlnode;
    d->builder.reset(xmlnode);
    d->editing->setLayoutElement(xmlnode);
    if (!xmlnode) {
        d->surface.clear();
        d->surface.widget()->resize(0, 0);
        return;
    }
    // Drawing waits for the whole build: switching it back on visits every child, so
    // doing that per snap-in would cost the square of their number.
    const bool drawing = updatesEnabled();
    setUpdatesEnabled(false);
    d->builder.build(xmlnode);
    setUpdatesEnabled(drawing);
    Refresh();
}

void velkFrameControl::Disconnect()
{
    d->snapins.removeAll();
    d->tabBars.removeAll();
    d->layoutElement.reset();
    d->builder.reset(nullptr);
    d->editing->setLayoutElement(nullptr);
    d->plan = {};
    d->surface.clear();
}

void velkFrameControl::Refresh()
{
    // A Refresh asked for while a plan is being applied (a snap-in answering BackColor or
    // IsVisible) is answered by that plan.
    if (d->applying)
        return;
    FramePlan plan;
    d->surface.fitTo(this);
    if (d->layoutElement) {
        d->builder.addMissingTabBars(*d);
        const FrameRect r = d->sizeToLayout();
        d->surface.fitTo(this);
        plan = FrameLayout::layout(d->layoutElement, r, d->backColor, *d);
    } else if (isDesignMode(this)) {
        // A form designer shows where the frame goes before a host gives it a layout.
        plan.steps.push_back(FrameNotFound{{0, 0, width(), height()}, QStringLiteral("velkFrameControl"), true});
    }
    d->apply(plan);
    d->plan = std::move(plan);
}

void velkFrameControl::Reload()
{
    const std::vector<StdXMLNodePtr> fresh = d->builder.reloadContainers(*d);
    // By number, not by reference: a snap-in may close itself while it is bound again.
    for (int nr : d->snapins.numbers()) {
        if (FrameClass *record = d->snapins.find(nr)) {
            FrameClass::call(record->control(), QStringLiteral("SaveParameter"));
            d->builder.bindParameters(*record);
        }
    }
    const bool drawing = updatesEnabled();
    setUpdatesEnabled(false);
    for (const StdXMLNodePtr &node : fresh)
        d->builder.build(node);
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
    // The numbers first: a snap-in receiving the command may change the tree.
    std::vector<int> numbers;
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag == FrameTag::Item)
            numbers.push_back(FrameSizes::wholeValue(e->Comment));
        return true;
    });
    for (int nr : numbers) {
        if (FrameClass *record = d->snapins.find(nr))
            FrameClass::call(record->control(), QStringLiteral("ReceiveCommand"), {cmd, value});
    }
}

bool velkFrameControl::ConfigMode() const
{
    return d->isConfigMode;
}

void velkFrameControl::setConfigMode(bool on)
{
    const bool changed = d->isConfigMode != on;
    d->isConfigMode = on;
    d->editing->setActive(on);
    Refresh();
    if (changed)
        emit ConfigModeChanged(on);
}

void velkFrameControl::MouseDown(int button, int shift, float x, float y)
{
    d->editing->mouseDown(button, shift, qRound(x), qRound(y));
}

void velkFrameControl::MouseMove(int button, int shift, float x, float y)
{
    d->editing->mouseMove(button, shift, qRound(x), qRound(y));
}

void velkFrameControl::MouseUp(int button, int shift, float x, float y)
{
    d->editing->mouseUp(button, shift, qRound(x), qRound(y));
}

StdXMLNodePtr velkFrameControl::selectedElement() const
{
    return d->editing->editor().selected();
}

QString velkFrameControl::GenericType() const
{
    QString type;
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag != FrameTag::Generic)
            return true;
        type = e->GetAttribute(QStringLiteral("type"));
        return false;
    });
    return type;
}

void velkFrameControl::setGenericType(const QString &type)
{
    // Set as the walk goes: an element's new type decides where the walk goes below it.
    bool changed = false;
    FrameLayout::walk(d->layoutElement, *d, [&](const StdXMLNodePtr &e) {
        if (e->Tag == FrameTag::Generic) {
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
    return d->snapins.control(nr);
}

velkMenuBar *velkFrameControl::toolbar(int nr) const
{
    return d->snapins.toolbar(nr);
}

velkMenuBar *velkFrameControl::tabBar(int nr) const
{
    return d->tabBars.numbered(nr);
}

int velkFrameControl::snapinCount() const
{
    return d->snapins.count();
}

void velkFrameControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!d->layoutElement) {
        d->surface.widget()->setGeometry(rect());
        return;
    }
    if (!d->sizingToLayout)
        Refresh();
}

namespace {
// Frames nest: a layout may host another frame by class name.
[[maybe_unused]] const bool registered =
    (ControlFactory::registerClass<velkFrameControl>(QStringLiteral("velkFrameControl")), true);
} // namespace

} // namespace velk
