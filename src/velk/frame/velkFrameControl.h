#pragma once

#include <velk/common/Color.h>
#include <velk/velk_export.h>
#include <velk/xml/StdXMLNode.h>

#include <QObject>
#include <QString>
#include <QWidget>

#include <memory>

namespace velk {

class velkMenuBar;

/// The events of a velkFrameControl.
class VELK_EXPORT velkFrameControlEvents : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    /// Before a snap-in's parameters are bound: `par` holds its `parameter` path (empty:
    /// the ITEM itself); the host may replace it.
    void Parameter(QString &par);
    /// A snap-in reported "statustext".
    void StatusText(const QString &txt);
    /// A snap-in reported "parameterchanged"; its parameters are already back in the tree.
    void ParameterChanged();
    /// A CONTAINER needs its content: set `nde` to the subtree for `layout` (its children
    /// are laid out in the container's cell), or leave it empty.
    void LayoutNode(const QString &layout, velk::StdXMLNodePtr &nde);
    /// A snap-in closed itself and is gone.
    void CloseSnapin();
    /// A snap-in asked to show `file` at (l, t) with size (W, H).
    void ShowOLE(const QString &file, int l, int t, int W, int H);
};

/// A screen composed from a layout tree of StdXMLNode elements: ROWS, COLS, TABS, MULTI,
/// CELL, CONTAINER, SPACE and GENERIC split the area, and every ITEM hosts a snap-in, a
/// control created by its class name (`control`) through ControlFactory, with a toolbar
/// above it and parameters bound to a node of the tree.
///
/// Snap-ins are reached late-bound: `Parameter`, `IsDirty`, `Toolbar`, `BackColor`,
/// `IsVisible`, `ToolbarEnabled(id)`, `Click(id)` or `Click(id, x, y)`,
/// `ReceiveCommand(cmd, value)` and `SaveParameter()` are all optional. A snap-in reports
/// by emitting signals of its own (not of its companion event object) named, in any
/// case, "statustext", "toolbarchanged", "closeplugin"/"closesnapin", "parameterchanged",
/// "parameterrefresh" or "showole".
///
/// Snap-ins are children named "Ctl" + number; their toolbars are velkMenuBars named
/// "velkMenuBarITEM" and the tab bars "velkMenuBarTABS", each with the dynamic property
/// "Index". Captions, borders and missing-control boxes are drawn on the child picture
/// box "Picture1" behind them. All sizes are pixels.
class VELK_EXPORT velkFrameControl : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool ConfigMode READ ConfigMode WRITE setConfigMode NOTIFY ConfigModeChanged STORED false)
    Q_PROPERTY(QString GenericType READ GenericType WRITE setGenericType STORED false)
    Q_PROPERTY(velk::Color BackColor READ BackColor WRITE setBackColor)

public:
    /// The toolbars' and tab bars' own height; a tab bar on the left is TabBarWidthPx wide.
    static constexpr int ToolbarHeightPx = 24;
    static constexpr int TabBarHeightPx = 24;
    static constexpr int TabBarWidthPx = 150;

    Q_INVOKABLE explicit velkFrameControl(QWidget *parent = nullptr);
    ~velkFrameControl() override;

    velkFrameControlEvents *events() const;

    /// Builds the screen for `xmlnode` (after tearing down a previous one) and lays it out;
    /// nullptr clears the drawing surface and builds nothing.
    Q_INVOKABLE void Init(const velk::StdXMLNodePtr &xmlnode);
    /// Saves every snap-in's parameters into the tree, then removes all snap-ins and bars.
    Q_INVOKABLE void Disconnect();
    /// Lays the tree out again: a layout pass plans where everything goes and what is drawn,
    /// then the plan is applied (moving, showing and hiding what exists). Asked again while
    /// a plan is applied (by a snap-in being placed), it does nothing: that plan is current.
    Q_INVOKABLE void Refresh();
    /// Asks the host again for every container's subtree, rebuilds what changed, binds the
    /// parameters again and refreshes.
    Q_INVOKABLE void Reload();
    /// Refreshes with every tab bar selecting the first tab whose `message` is `element`.
    Q_INVOKABLE void ShowElement(const QString &element);
    /// Calls ReceiveCommand(cmd, value) on every snap-in of the layout.
    Q_INVOKABLE void SendCommand(const QString &cmd, const QString &value);

    /// In configuration mode every cell shows an editing header, fixed sizes count 26
    /// pixels more, and the layout is edited with the mouse: a right press on the surface,
    /// a snap-in, a toolbar or a tab bar selects the innermost element there and opens the
    /// editing menu "menu_popup"; the gaps between rows and columns can be dragged.
    bool ConfigMode() const;
    void setConfigMode(bool on);

    /// Mouse input on the frame in pixels (button 1 left, 2 right; shift: Shift 1 + Ctrl 2
    /// + Alt 4), as the drawing surface passes it on. Only configuration mode acts on it.
    Q_INVOKABLE void MouseDown(int button, int shift, float x, float y);
    Q_INVOKABLE void MouseMove(int button, int shift, float x, float y);
    Q_INVOKABLE void MouseUp(int button, int shift, float x, float y);
    /// The element the last press in configuration mode selected, or nullptr.
    StdXMLNodePtr selectedElement() const;
    /// The `type` of the first GENERIC element; setting it changes every GENERIC element.
    QString GenericType() const;
    void setGenericType(const QString &type);
    /// The colour the layout's elements inherit (button face unless set).
    Color BackColor() const;
    void setBackColor(Color color);

    /// The layout element given to Init.
    StdXMLNodePtr layoutElement() const;
    /// The snap-in control number `nr`, or nullptr.
    QWidget *snapin(int nr) const;
    /// The toolbar of snap-in `nr`, or nullptr.
    velkMenuBar *toolbar(int nr) const;
    /// Tab bar `nr` (1-based, in build order), or nullptr.
    velkMenuBar *tabBar(int nr) const;
    /// The number of snap-ins with a record.
    int snapinCount() const;

signals:
    /// ConfigMode changed (also when the editing menu ended it).
    void ConfigModeChanged(bool on);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace velk
