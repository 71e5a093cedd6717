#include "FrameEditing_p.h"

#include "FrameBuilder_p.h"
#include "FrameControlEdit_p.h"
#include "FrameTags_p.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/platform/Dialogs.h>
#include <velk/platform/Input.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

namespace velk {

FrameEditHost::~FrameEditHost() = default;

FrameEditing::FrameEditing(FrameEditHost &host)
    : m_host(host)
    , m_editor(host.layoutQuestions())
{
}

FrameEditing::~FrameEditing()
{
    setActive(false);
}

void FrameEditing::setLayoutElement(const StdXMLNodePtr &layout)
{
    m_editor.setLayoutElement(layout);
}

void FrameEditing::setActive(bool on)
{
    if (on == m_isActive)
        return;
    m_isActive = on;
    // The snap-ins' own children get the presses first; only an application filter sees them.
    if (on) {
        qApp->installEventFilter(this);
        return;
    }
    qApp->removeEventFilter(this);
    m_editor.cancelDrag();
    m_swallowRightRelease = false;
    if (m_menu)
        m_menu->hide();
    if (QWidget *surface = m_host.surfaceWidget())
        surface->unsetCursor();
}

// --- mouse ---------------------------------------------------------------------------------

void FrameEditing::mouseDown(int button, int, int x, int y)
{
    if (!m_host.inConfigMode() || !m_editor.layoutElement())
        return;
    m_editor.press(m_host.currentPlan(), button, x, y);
    if (button == MouseButton::Right)
        showMenu(x, y);
}

void FrameEditing::mouseMove(int button, int, int x, int y)
{
    if (!m_host.inConfigMode())
        return;
    if (m_editor.isDragging()) {
        if ((button & MouseButton::Left) && m_editor.moveTo(x, y))
            m_host.refreshLayout();
        return;
    }
    showPointer(x, y);
}

void FrameEditing::mouseUp(int, int, int x, int y)
{
    if (!m_editor.isDragging())
        return;
    m_editor.release(x, y, m_host.inConfigMode());
    m_host.refreshLayout();
    showPointer(x, y);
}

bool FrameEditing::keyDown(int keyCode, int)
{
    if (keyCode != KeyCode::Escape || !m_editor.isDragging())
        return false;
    m_editor.cancelDrag();
    m_host.refreshLayout();
    return true;
}

void FrameEditing::showPointer(int x, int y)
{
    QWidget *surface = m_host.surfaceWidget();
    if (!surface)
        return;
    const FrameBoundary *boundary = m_host.currentPlan().boundaryAt(x, y);
    if (!boundary)
        surface->unsetCursor();
    else
        surface->setCursor(boundary->isBetweenRows ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

bool FrameEditing::isWatched(QWidget *widget) const
{
    QWidget *frame = m_host.frameWidget();
    if (!widget || widget == m_host.surfaceWidget() || !frame->isAncestorOf(widget))
        return false;
    // A frame nested in a snap-in that edits its own layout answers for itself.
    for (QWidget *w = widget; w && w != frame; w = w->parentWidget()) {
        if (auto *inner = qobject_cast<velkFrameControl *>(w); inner && inner->ConfigMode())
            return false;
        if (qobject_cast<QMenu *>(w))
            return false;
    }
    return true;
}

bool FrameEditing::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride)
        return escapeKey(watched, static_cast<QKeyEvent *>(event));
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::MouseButtonRelease && type != QEvent::ContextMenu)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->isWidgetType() || !isWatched(widget) || !m_host.inConfigMode())
        return false;
    if (type == QEvent::ContextMenu) {
        // The editing menu stands in for the snap-in's own; from the keyboard it opens
        // for the element under the widget's middle.
        if (static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
            const QPoint at = widget->mapTo(m_host.frameWidget(), widget->rect().center());
            mouseDown(MouseButton::Right, 0, at.x(), at.y());
        }
        return true;
    }
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::RightButton)
        return false;
    if (type == QEvent::MouseButtonRelease) {
        const bool swallow = m_swallowRightRelease;
        m_swallowRightRelease = false;
        return swallow;
    }
    const QPoint at = widget->mapTo(m_host.frameWidget(), mouse->position().toPoint());
    m_swallowRightRelease = true;
    mouseDown(MouseButton::Right, shiftStateFromQt(mouse->modifiers()), at.x(), at.y());
    return true;
}

// Escape cancels a boundary drag wherever the focus is in the frame's window. It is taken
// before shortcuts (a dialog's Escape, an action's) see it.
bool FrameEditing::escapeKey(QObject *watched, QKeyEvent *key)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!m_editor.isDragging() || key->key() != Qt::Key_Escape || !widget
        || widget->window() != m_host.frameWidget()->window())
        return false;
    key->accept();
    return key->type() == QEvent::ShortcutOverride || keyDown(keyCodeOf(key), shiftStateFromQt(key->modifiers()));
}

// --- menu ------------------------------------------------------------------------------------

QMenu *FrameEditing::menu()
{
    if (!m_menu)
        m_menu = makeMenu();
    return m_menu;
}

QMenu *FrameEditing::makeMenu()
{
    auto *menu = new QMenu(m_host.frameWidget());
    menu->setObjectName(QStringLiteral("menu_popup"));
    const auto addEntry = [this](QMenu *to, const QString &caption, const QString &name, auto slot) {
        QAction *action = to->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const auto addTypes = [&](const QString &caption, const QString &name, void (FrameEditing::*command)(const QString &)) {
        QMenu *types = menu->addMenu(caption);
        types->setObjectName(name);
        for (const QString &type : FrameLayoutEditor::elementTypes())
            addEntry(types, type, name + u'_' + type.toLower(), [this, command, type] { (this->*command)(type); });
        return types->menuAction();
    };
    m_addMenu = addTypes(QStringLiteral("Element einfügen"), QStringLiteral("menu_add"), &FrameEditing::addElement);
    addTypes(QStringLiteral("Unterelement einfügen"), QStringLiteral("menu_addsub"), &FrameEditing::addSubElement);
    menu->addSeparator();
    m_paste = addEntry(menu, QStringLiteral("Einfügen"), QStringLiteral("menu_paste"), &FrameEditing::paste);
    addEntry(menu, QStringLiteral("Als Unterelement einfügen"), QStringLiteral("menu_pastesub"), &FrameEditing::pasteSub);
    m_cut = addEntry(menu, QStringLiteral("Ausschneiden"), QStringLiteral("menu_cut"), &FrameEditing::cut);
    addEntry(menu, QStringLiteral("Kopieren"), QStringLiteral("menu_copy"), &FrameEditing::copy);
    m_delete = addEntry(menu, QStringLiteral("Löschen"), QStringLiteral("menu_delete"), &FrameEditing::remove);
    menu->addSeparator();
    addEntry(menu, QStringLiteral("Eigenschaften…"), QStringLiteral("menu_properties"), &FrameEditing::editProperties);
    addEntry(menu, QStringLiteral("Konfiguration beenden"), QStringLiteral("menu_endconfig"),
             [this] { m_host.leaveConfigMode(); });
    return menu;
}

// The laid-out element itself has no siblings to add and cannot go.
void FrameEditing::updateMenu()
{
    const bool canChangeSiblings = m_editor.canChangeSiblings();
    for (QAction *action : {m_addMenu, m_paste, m_cut, m_delete})
        action->setEnabled(canChangeSiblings);
}

void FrameEditing::showMenu(int x, int y)
{
    QMenu *m = menu();
    updateMenu();
    m->popup(m_host.frameWidget()->mapToGlobal(QPoint(x, y)));
}

// --- commands --------------------------------------------------------------------------------

void FrameEditing::addElement(const QString &type)
{
    if (const StdXMLNodePtr element = m_editor.addElement(type))
        built(element);
}

StdXMLNodePtr FrameEditing::subElementTarget()
{
    const StdXMLNodePtr target = m_editor.subElementTarget(m_editor.selected());
    if (!target && m_editor.selected())
        Dialogs::instance().MsgBox(QStringLiteral("Container-Sub-Knoten nicht definiert"), MsgBoxStyle::Exclamation);
    return target;
}

void FrameEditing::addSubElement(const QString &type)
{
    if (!subElementTarget())
        return;
    if (const StdXMLNodePtr element = m_editor.addSubElement(type))
        built(element);
}

void FrameEditing::paste()
{
    if (const StdXMLNodePtr element = m_editor.paste(QGuiApplication::clipboard()->text()))
        built(element);
}

void FrameEditing::pasteSub()
{
    if (!subElementTarget())
        return;
    if (const StdXMLNodePtr element = m_editor.pasteSub(QGuiApplication::clipboard()->text()))
        built(element);
}

void FrameEditing::copy()
{
    const StdXMLNodePtr element = m_editor.selected();
    if (!element)
        return;
    m_host.frameBuilder().saveParameters(element, m_host.layoutQuestions());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(FrameLayoutEditor::copyText(*element));
}

void FrameEditing::cut()
{
    const StdXMLNodePtr element = m_editor.selected();
    if (!m_editor.canChangeSiblings())
        return;
    copy();
    tearDown(element, false);
    m_editor.removeSelected();
    m_host.refreshLayout();
}

void FrameEditing::remove()
{
    const StdXMLNodePtr element = m_editor.selected();
    if (!m_editor.canChangeSiblings())
        return;
    const int answer = Dialogs::instance().MsgBox(QStringLiteral("Wirklich löschen?"),
                                                  MsgBoxStyle::YesNo + MsgBoxStyle::Question, QStringLiteral("Löschen"));
    if (answer != MsgBoxResult::Yes)
        return;
    tearDown(element, false);
    m_editor.removeSelected();
    m_host.refreshLayout();
}

void FrameEditing::editProperties()
{
    const StdXMLNodePtr element = m_editor.selected();
    if (!element)
        return;
    FrameControlEdit dialog(*element, m_host.frameWidget());
    if (Dialogs::instance().exec(dialog) != QDialog::Accepted)
        return;
    // What was built for the old values goes before they change: a container's old
    // subtree is found by its old name.
    const std::vector<std::pair<QString, QString>> values = dialog.values();
    const bool needsRebuild = std::any_of(values.begin(), values.end(), [&](const auto &row) {
        return element->GetAttribute(row.first) != row.second && FrameLayoutEditor::needsRebuild(*element, row.first);
    });
    if (needsRebuild)
        tearDown(element, true);
    FrameLayoutEditor::applyProperties(*element, values);
    if (needsRebuild)
        m_host.buildElement(element);
    m_host.refreshLayout();
}

// --- building ----------------------------------------------------------------------------------

void FrameEditing::built(const StdXMLNodePtr &element)
{
    // A MULTI shows copies of its first child, made when it was built.
    const StdXMLNodePtr parent = element->Parent();
    if (parent && FrameLayout::kindOf(*parent) == FrameTag::Multi)
        rebuild(parent);
    else
        m_host.buildElement(element);
    m_host.refreshLayout();
}

void FrameEditing::rebuild(const StdXMLNodePtr &element)
{
    tearDown(element, true);
    m_host.buildElement(element);
}

void FrameEditing::tearDown(const StdXMLNodePtr &element, bool save)
{
    m_host.frameBuilder().tearDownElement(element, m_host.layoutQuestions(), save);
}

} // namespace velk
