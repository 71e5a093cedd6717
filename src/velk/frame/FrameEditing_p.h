#pragma once

#include <velk/frame/FrameLayoutEditor_p.h>

#include <QObject>
#include <QPointer>

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace velk {

class FrameBuilder;

/// What the editing of a frame needs of the frame itself.
class FrameEditHost
{
public:
    virtual ~FrameEditHost();
    virtual QWidget *frameWidget() const = 0;
    /// The drawing surface, whose pointer shows the sizing shapes.
    virtual QWidget *surfaceWidget() const = 0;
    /// The plan of the last layout pass.
    virtual const FramePlan &currentPlan() const = 0;
    virtual const FrameLayoutQuestions &layoutQuestions() const = 0;
    virtual FrameBuilder &frameBuilder() = 0;
    virtual bool inConfigMode() const = 0;
    virtual void leaveConfigMode() = 0;
    virtual void refreshLayout() = 0;
    /// Builds `element` (Init's build, for one subtree) with drawing suspended.
    virtual void buildElement(const StdXMLNodePtr &element) = 0;
};

/// A frame's configuration mode on the screen: mouse presses on the surface and, through
/// an application event filter, right presses on snap-ins, toolbars and tab bars select
/// an element, and Escape anywhere in the frame's window cancels a boundary drag; the context menu "menu_popup" runs the commands of FrameLayoutEditor with
/// the clipboard, the questions and the property dialog around them; boundaries are
/// dragged with live layout.
class FrameEditing : public QObject
{
    Q_OBJECT
public:
    explicit FrameEditing(FrameEditHost &host);
    ~FrameEditing() override;

    FrameLayoutEditor &editor() { return m_editor; }
    const FrameLayoutEditor &editor() const { return m_editor; }

    void setLayoutElement(const StdXMLNodePtr &layout);
    /// Watches the snap-ins while on; ends a drag, closes the menu and resets the pointer
    /// when off.
    void setActive(bool on);

    // Mouse input in the frame's pixels (button 1 left, 2 right; shift as ShiftState).
    void mouseDown(int button, int shift, int x, int y);
    void mouseMove(int button, int shift, int x, int y);
    void mouseUp(int button, int shift, int x, int y);
    /// A key while editing: Escape during a boundary drag cancels it (the layout returns
    /// to what it was before the press, nothing is written). Returns whether it was used.
    bool keyDown(int keyCode, int shift);

    /// The context menu (made on first use).
    QMenu *menu();

    // The menu's commands, on the selected element.
    void addElement(const QString &type);
    void addSubElement(const QString &type);
    void paste();
    void pasteSub();
    void copy();
    void cut();
    void remove();
    void editProperties();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenu *makeMenu();
    void updateMenu();
    void showMenu(int x, int y);
    void showPointer(int x, int y);
    bool isWatched(QWidget *widget) const;
    bool escapeKey(QObject *watched, QKeyEvent *key);
    /// Where a new sub-element of the selection goes; asks for nothing and says so when
    /// a container has no node.
    StdXMLNodePtr subElementTarget();
    /// Builds what a command added and lays out: a MULTI whose pages depend on it is built
    /// again as a whole.
    void built(const StdXMLNodePtr &element);
    void rebuild(const StdXMLNodePtr &element);
    void tearDown(const StdXMLNodePtr &element, bool save);

    FrameEditHost &m_host;
    FrameLayoutEditor m_editor;
    QPointer<QMenu> m_menu;
    QAction *m_addMenu = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_cut = nullptr;
    QAction *m_delete = nullptr;
    bool m_isActive = false;
    bool m_swallowRightRelease = false;
};

} // namespace velk
