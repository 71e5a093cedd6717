#include "velkMenuBar_p.h"

#include "MenuBarPainter_p.h"
#include "MenuField_p.h"
#include "MenuLayout_p.h"
#include "MenuModel_p.h"

#include <velk/common/SetIfChanged_p.h>
#include <velk/controls/FramePainter_p.h>
#include <velk/controls/HoverTracker_p.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ControlFactory.h>
#include <velk/platform/Input.h>
#include <velk/platform/Screen.h>

#include <QDragEnterEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

#include <map>
#include <vector>
#include <memory>

namespace velk {

namespace {

constexpr int kFieldHeightPx = 20;
constexpr QSize kPreferredSizePx(200, 26);

enum DropEffect { DropNone = 0, DropCopy = 1, DropMove = 2, DropLink = 4 };

int dropEffectsOf(Qt::DropActions actions)
{
    return (actions & Qt::CopyAction ? DropCopy : 0) | (actions & Qt::MoveAction ? DropMove : 0)
         | (actions & Qt::LinkAction ? DropLink : 0);
}

Qt::DropAction dropActionOf(int effect)
{
    if (effect & DropCopy)
        return Qt::CopyAction;
    if (effect & DropMove)
        return Qt::MoveAction;
    if (effect & DropLink)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

QStringList localFilesOf(const QMimeData *mime)
{
    QStringList files;
    if (!mime->hasUrls())
        return files;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

// A caption shown only as an icon, "(Speichern)", gives its text as a tool tip.
QString toolTipOf(const MenuEntry &e)
{
    if (!e.isCaptionHidden())
        return QString();
    QString tip = e.caption.mid(1);
    if (tip.endsWith(u')'))
        tip.chop(1);
    return tip;
}

} // namespace

struct velkMenuBar::Private
{
    velkMenuBar *q;
    velkMenuBarEvents *events;
    velkIcon *icon;
    HoverTracker tracker;
    // Replaced as a whole on every change, never edited in place: painting and the cached
    // layout keep the items they started with while an event handler sets a new menu.
    std::shared_ptr<const MenuModel> model = std::make_shared<MenuModel>();
    mutable std::shared_ptr<const MenuLayout> cachedLayout;
    std::map<int, MenuField *> fields;
    short style = 0;
    short selected = 0;
    Color backColor = SystemColor::ButtonFace;
    Color buttonColor = AutomaticColor;
    Color foreColor = SystemColor::ButtonText;
    Color inactiveColor = SystemColor::ButtonFace;
    int keyboardFocus = 1;
    bool hover = false;
    int pressedButton = 0;
    int hotItem = 0;
    int pressedItem = 0;
    bool keyHandled = false;

    explicit Private(velkMenuBar *owner)
        : q(owner)
        , events(new velkMenuBarEvents(owner))
        , icon(new velkIcon(owner))
        , tracker(owner, [owner] { owner->MouseMove(0, 0, -1, -1); })
    {
        events->setObjectName(QStringLiteral("events"));
        icon->setObjectName(QStringLiteral("velkIcon1"));
    }

    bool isTabStyle() const { return MenuLayout::isTabStyle(style); }
    bool isListStyle() const { return style == 2 || style == 3; }
    Color automaticButtonColor() const { return style == 2 ? FramePainter::White : SystemColor::ButtonFace; }
    Color effectiveButtonColor() const { return buttonColor == AutomaticColor ? automaticButtonColor() : buttonColor; }

    bool askEnabled(int id)
    {
        bool enabled = true;
        emit events->CheckState(id, enabled);
        return enabled;
    }

    bool askSelected(int id)
    {
        bool enable = false;
        emit events->CheckSelected(id, enable);
        return enable;
    }

    void setModel(const QString &menu)
    {
        auto fresh = std::make_shared<MenuModel>();
        fresh->setMenu(menu);
        model = std::move(fresh);
        cachedLayout.reset();
    }

    // Computed on first use after a change of items, style, size or font; painting,
    // hit-testing and the fields share it.
    std::shared_ptr<const MenuLayout> layout() const
    {
        if (!cachedLayout)
            cachedLayout = layoutOf(model);
        return cachedLayout;
    }

    std::shared_ptr<const MenuLayout> layoutOf(const std::shared_ptr<const MenuModel> &items) const
    {
        MenuLayoutOptions options;
        options.style = style;
        options.size = q->size();
        if (q->height() > q->width()) {
            const QFontMetricsF turned(MenuBarPainter::turnedCaptionFont());
            options.textWidth = [turned](const QString &s) { return turned.horizontalAdvance(s); };
        } else {
            // Measured as the painter will draw them.
            auto measure = std::make_shared<Canvas>(nullptr, ScaleMode::Pixels);
            measure->setFont(q->font());
            options.textWidth = [measure](const QString &s) { return measure->TextWidth(s); };
        }
        // The layout refers to its items; the deleter keeps them alive as long as it is.
        auto *made = new MenuLayout(*items, options);
        return std::shared_ptr<const MenuLayout>(made, [items](const MenuLayout *l) { delete l; });
    }

    // --- fields ---------------------------------------------------------------------

    MenuField *makeField(int id)
    {
        auto *field = new MenuField(id, model->entry(id).fieldType, q);
        QObject::connect(field, &MenuField::activated, q, [this](int fieldId) { clickFromKeyboard(fieldId, 0); });
        field->show();
        return field;
    }

    void dropAllFields()
    {
        for (auto &[id, field] : fields)
            delete field;
        fields.clear();
    }

    // Keeps the boxes of fields whose item text and number are unchanged.
    void syncFields(const MenuModel &before)
    {
        std::map<int, MenuField *> kept;
        for (int id = 1; id <= model->Count(); ++id) {
            if (model->entry(id).kind != MenuEntry::Field)
                continue;
            auto old = fields.find(id);
            if (old != fields.end() && before.GetItem(id) == model->GetItem(id)) {
                kept[id] = old->second;
                fields.erase(old);
            } else {
                kept[id] = makeField(id);
            }
        }
        dropAllFields();
        fields = std::move(kept);
        placeFields();
    }

    // A field's box is enabled as its item: the bar asks CheckState when the items
    // change and on Refresh.
    void enableFields()
    {
        // By number: a CheckState handler may set a new menu, and with it new fields.
        std::vector<int> ids;
        for (const auto &[id, field] : fields)
            ids.push_back(id);
        for (int id : ids) {
            const bool enabled = askEnabled(id);
            if (const auto it = fields.find(id); it != fields.end())
                it->second->setEnabled(enabled);
        }
    }

    void placeFields()
    {
        if (fields.empty())
            return;
        const std::shared_ptr<const MenuLayout> current = layout();
        const MenuLayout &l = *current;
        for (auto &[id, field] : fields) {
            const QRect r = l.itemRect(id);
            if (l.isVertical())
                field->setGeometry(1, r.top(), q->width() - 2, std::min(r.height(), kFieldHeightPx));
            else
                field->setGeometry(r.left(), (q->height() - kFieldHeightPx) / 2, r.width(),
                                   std::min(q->height(), kFieldHeightPx));
        }
    }

    // --- actions --------------------------------------------------------------------

    // Where a drop-down for the item should open, in twips: below the item, or to the
    // right of it in a vertical bar.
    QPointF dropDownPoint(int id) const
    {
        const std::shared_ptr<const MenuLayout> current = layout();
        const MenuLayout &l = *current;
        const QRect r = l.itemRect(id);
        const QPointF px = l.isVertical() ? QPointF(q->width(), r.top()) : QPointF(r.left(), q->height());
        return px * TwipsPerPixel;
    }

    void raiseForPart(MenuPart part, int id, int shift)
    {
        const QPointF at = dropDownPoint(id);
        float x = float(at.x());
        float y = float(at.y());
        switch (part) {
        case MenuPart::Icon: emit events->ClickIcon(id, shift, x, y); break;
        case MenuPart::Caption: emit events->Click(id, shift, x, y); break;
        case MenuPart::Arrow: emit events->ClickMenu(id, shift, x, y); break;
        case MenuPart::None: break;
        }
    }

    void act(const MenuHit &hit, int shift)
    {
        if (isTabStyle() || style == 5) {
            q->setSelected(short(hit.id));
            raiseForPart(hit.part, hit.id, shift);
            return;
        }
        // The item looks selected only while its event runs.
        const short saved = selected;
        selected = short(hit.id);
        q->repaint();
        raiseForPart(hit.part, hit.id, shift);
        selected = saved;
        q->update();
    }

    void clickFromKeyboard(int id, int shift)
    {
        if (id < 1 || id > model->Count() || !askEnabled(id))
            return;
        float x = 0;
        float y = 0;
        emit events->Click(id, shift, x, y);
    }

    // --- keyboard -------------------------------------------------------------------

    int nextFocus(int step) const
    {
        for (int id = keyboardFocus + step; id >= 1 && id <= model->Count(); id += step) {
            if (model->entry(id).kind != MenuEntry::Separator)
                return id;
        }
        return keyboardFocus;
    }

    bool handleKey(int keyCode, int shift)
    {
        const bool vertical = q->height() > q->width();
        const int back = vertical ? KeyCode::Up : KeyCode::Left;
        const int forward = vertical ? KeyCode::Down : KeyCode::Right;
        const int step = keyCode == back ? -1 : keyCode == forward ? 1 : 0;
        if (isTabStyle()) {
            if (step == 0 || (step < 0 && selected <= 1) || (step > 0 && selected >= model->Count()))
                return false;
            selected = short(selected + step);
            clickFromKeyboard(selected, shift);
            return true;
        }
        if (!isListStyle())
            return false;
        if (step != 0) {
            keyboardFocus = nextFocus(step);
            return true;
        }
        if (keyCode == KeyCode::Return || keyCode == KeyCode::Space) {
            clickFromKeyboard(keyboardFocus, shift);
            return true;
        }
        return false;
    }

    void updateFocusPolicy()
    {
        // Toolbars leave the focus where it is; tabs and lists take it for their keys.
        q->setFocusPolicy(isTabStyle() || isListStyle() ? Qt::StrongFocus : Qt::NoFocus);
    }
};

velkMenuBar::velkMenuBar(QWidget *parent)
    : QWidget(parent)
    , d(std::make_unique<Private>(this))
{
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    d->updateFocusPolicy();
    connect(d->tracker.timer(), &QTimer::timeout, this, &velkMenuBar::HoverTimerTick);
}

velkMenuBar::~velkMenuBar() = default;

velkMenuBarEvents *velkMenuBar::events() const { return d->events; }

QString velkMenuBar::Menu() const { return d->model->menu(); }

void velkMenuBar::setMenu(const QString &menu)
{
    d->dropAllFields();
    d->setModel(menu);
    d->keyboardFocus = 1;
    d->hotItem = 0;
    d->pressedItem = 0;
    for (int id = 1; id <= d->model->Count(); ++id) {
        if (d->model->entry(id).kind == MenuEntry::Field)
            d->fields[id] = d->makeField(id);
    }
    d->placeFields();
    d->enableFields();
    updateGeometry();
    update();
}

short velkMenuBar::styleNumber() const { return d->style; }

void velkMenuBar::setStyleNumber(short style)
{
    if (d->style == style)
        return;
    d->style = style;
    d->cachedLayout.reset();
    d->updateFocusPolicy();
    d->placeFields();
    update();
}

short velkMenuBar::Selected() const { return d->selected; }

void velkMenuBar::setSelected(short selected)
{
    if (setIfChanged(d->selected, selected))
        update();
}

Color velkMenuBar::BackColor() const { return d->backColor; }

void velkMenuBar::setBackColor(Color color)
{
    if (setIfChanged(d->backColor, color))
        update();
}

Color velkMenuBar::ButtonColor() const { return d->effectiveButtonColor(); }

void velkMenuBar::setButtonColor(Color color)
{
    const Color stored = color == d->automaticButtonColor() ? AutomaticColor : color;
    if (setIfChanged(d->buttonColor, stored))
        update();
}

Color velkMenuBar::ForeColor() const { return d->foreColor; }

void velkMenuBar::setForeColor(Color color)
{
    if (setIfChanged(d->foreColor, color))
        update();
}

Color velkMenuBar::InactiveColor() const { return d->inactiveColor; }

void velkMenuBar::setInactiveColor(Color color)
{
    if (setIfChanged(d->inactiveColor, color))
        update();
}

short velkMenuBar::Count() const { return short(d->model->Count()); }
QString velkMenuBar::MenuItem(int pos) const { return d->model->MenuItem(pos); }
QString velkMenuBar::GetItem(int id) const { return d->model->GetItem(id); }

void velkMenuBar::SetItem(int id, const QString &par)
{
    const std::shared_ptr<const MenuModel> before = d->model;
    d->setModel(MenuModel::withItemReplaced(before->menu(), id, par));
    d->hotItem = 0;
    d->pressedItem = 0;
    d->syncFields(*before);
    d->enableFields();
    updateGeometry();
    update();
}

QString velkMenuBar::GetValue(const QString &key) const
{
    const QLineEdit *box = fieldBox(d->model->fieldWithKey(key));
    return box ? box->text() : QString();
}

int velkMenuBar::MenuWidth() const { return d->layout()->MenuWidth(); }

void velkMenuBar::Refresh()
{
    d->enableFields();
    repaint();
}

QLineEdit *velkMenuBar::fieldBox(int id) const
{
    const auto it = d->fields.find(id);
    return it == d->fields.end() ? nullptr : it->second;
}

std::shared_ptr<const MenuLayout> MenuBarAccess::layout(const velkMenuBar &bar)
{
    return bar.d->layout();
}

void MenuBarAccess::paintOn(velkMenuBar &bar, Canvas &canvas)
{
    bar.paintOn(canvas);
}

void velkMenuBar::paintOn(Canvas &canvas)
{
    // Held, not copied: a CheckState handler may set a new menu while this one is drawn.
    const std::shared_ptr<const MenuModel> items = d->model;
    const std::shared_ptr<const MenuLayout> current = d->layout();
    MenuBarLook look;
    look.backColor = d->backColor;
    look.buttonColor = d->effectiveButtonColor();
    look.foreColor = d->foreColor;
    look.inactiveColor = d->inactiveColor;
    look.hotItem = d->hotItem;
    look.pressedItem = d->pressedItem;
    look.selected = d->selected;
    look.keyboardFocus = d->isListStyle() && hasFocus() ? d->keyboardFocus : 0;
    look.font = font();
    look.isEnabled = [this](int id) { return d->askEnabled(id); };
    look.isSelected = [this](int id) { return d->askSelected(id); };
    MenuBarPainter(canvas, *items, *current, look, *d->icon).paint();
}

void velkMenuBar::MouseDown(int button, int shift, float x, float y)
{
    d->pressedButton = button;
    if (button != MouseButton::Left)
        return;
    const MenuHit hit = d->layout()->hitTest(QPointF(x, y));
    if (hit.id == 0 || !d->askEnabled(hit.id))
        return;
    if (d->isTabStyle()) {
        d->act(hit, shift);
        return;
    }
    d->pressedItem = hit.id;
    d->hotItem = hit.id;
    d->tracker.start();
    update();
}

void velkMenuBar::MouseMove(int, int, float x, float y)
{
    d->hover = false;
    d->tracker.stop();
    if (d->isTabStyle())
        return;
    const MenuHit hit = d->layout()->hitTest(QPointF(x, y));
    const int hot = hit.id != 0 && d->askEnabled(hit.id) ? hit.id : 0;
    d->hover = hot != 0;
    if (hot != d->hotItem) {
        d->hotItem = hot;
        setToolTip(toolTipOf(d->model->entry(hot)));
        update();
    }
    if (d->hotItem != 0 || d->pressedItem != 0)
        d->tracker.start();
}

void velkMenuBar::MouseUp(int button, int shift, float x, float y)
{
    const MenuHit hit = d->layout()->hitTest(QPointF(x, y));
    if (button == MouseButton::Right) {
        int id = hit.id;
        emit d->events->ContextMenu(id);
        return;
    }
    if (button != MouseButton::Left)
        return;
    const bool wasPressed = d->pressedItem != 0;
    d->pressedItem = 0;
    d->pressedButton = 0;
    if (!d->isTabStyle() && wasPressed && hit.id != 0 && d->askEnabled(hit.id))
        d->act(hit, shift);
    update();
}

void velkMenuBar::KeyDown(int keyCode, int shift)
{
    d->keyHandled = d->handleKey(keyCode, shift);
    if (d->keyHandled)
        update();
}

void velkMenuBar::HoverTimerTick()
{
    // One look per move: a move restarts the polling while an item is hot or pressed.
    if (d->hover)
        d->tracker.poll();
    d->tracker.stop();
}

QSize velkMenuBar::sizeHint() const
{
    return QSize(std::max(kPreferredSizePx.width(), MenuWidth()), kPreferredSizePx.height());
}

void velkMenuBar::paintEvent(QPaintEvent *)
{
    Canvas canvas(this, ScaleMode::Pixels);
    paintOn(canvas);
}

void velkMenuBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    d->cachedLayout.reset();
    d->placeFields();
    update();
}

void velkMenuBar::mousePressEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseDown(m.button, m.shift, m.x, m.y);
}

void velkMenuBar::mouseMoveEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseMove(m.button, m.shift, m.x, m.y);
}

void velkMenuBar::mouseReleaseEvent(QMouseEvent *event)
{
    const MouseInput m = mouseInputOf(event);
    MouseUp(m.button, m.shift, m.x, m.y);
}

void velkMenuBar::keyPressEvent(QKeyEvent *event)
{
    KeyDown(keyCodeOf(event), shiftStateFromQt(event->modifiers()));
    if (!d->keyHandled)
        QWidget::keyPressEvent(event);
}

void velkMenuBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        d->cachedLayout.reset();
        d->placeFields();
        updateGeometry();
    }
}

void velkMenuBar::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void velkMenuBar::dragMoveEvent(QDragMoveEvent *event)
{
    const QMimeData *mime = event->mimeData();
    int effect = dropEffectsOf(event->possibleActions());
    if (!localFilesOf(mime).isEmpty()) {
        emit d->events->DropFileEnabled(effect);
    } else if (mime->hasText()) {
        QString text = mime->text();
        emit d->events->DropTextEnabled(text, effect);
    } else {
        event->ignore();
        return;
    }
    const Qt::DropAction action = dropActionOf(effect);
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void velkMenuBar::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    const int target = d->layout()->hitTest(event->position()).id;
    const QStringList files = localFilesOf(mime);
    if (!files.isEmpty()) {
        for (QString file : files) {
            int id = target;
            emit d->events->DropFile(file, id);
        }
    } else if (mime->hasText()) {
        QString text = mime->text();
        int id = target;
        emit d->events->DropText(text, id);
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void velkMenuBar::leaveEvent(QEvent *event)
{
    // Leaving between two timer ticks would otherwise keep the last item hot.
    QWidget::leaveEvent(event);
    MouseMove(0, 0, -1, -1);
}

void velkMenuBar::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void velkMenuBar::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

namespace {
[[maybe_unused]] const bool registered = (ControlFactory::registerClass<velkMenuBar>(QStringLiteral("velkMenuBar")), true);
}

} // namespace velk
