#pragma once

#include <velk/common/Color.h>
#include <velk/frame/FrameRect.h>
#include <velk/velk_export.h>
#include <velk/xml/StdXMLNode.h>

#include <QString>

#include <functional>

namespace velk {

/// What a layout pass asks of the frame and what it tells it. The pass itself knows no
/// widgets: it reads the layout tree, asks for the state of bars and snap-ins, and reports
/// every rectangle, so the same geometry serves the widgets, the drawing surface and tests.
class VELK_TESTS_EXPORT FrameLayoutHost
{
public:
    struct TabBarState
    {
        int widthPx = 0;   ///< the bar's own width (used when it stands on the left)
        int heightPx = 0;  ///< the bar's own height (used when it stands on top)
        int selected = 0;  ///< the selected tab, 1-based
    };
    struct SnapinState
    {
        bool exists = false;     ///< a control "Ctl" + nr is there
        bool hasToolbar = false; ///< it has its record and toolbar
        int toolbarHeightPx = 0;
    };
    struct SnapinPlacement
    {
        int nr = 0;
        bool hasToolbar = false;
        FrameRect toolbar;
        FrameRect control;
        Color backColor = 0;
        bool visible = true;
    };
    struct TabBarPlacement
    {
        StdXMLNodePtr element; ///< the TABS or MULTI element
        FrameRect rect;
        QString menu;          ///< the tab captions joined by ","
        int style = 4;
        Color backColor = 0;
        int selected = 0;      ///< after clamping and ShowElement
        bool visible = true;
    };

    virtual ~FrameLayoutHost();

    virtual bool configMode() const = 0;
    /// The `message` that ShowElement looks for; empty outside that call.
    virtual QString requestedElement() const = 0;
    /// The subtree the host supplied for a container's `layout` name, or nullptr.
    virtual StdXMLNodePtr containerNode(const QString &layout) = 0;
    /// The element holding the three copies a MULTI's bar shows, or nullptr.
    virtual StdXMLNodePtr multiCopies(const StdXMLNodePtr &multi) = 0;
    virtual TabBarState tabBar(const StdXMLNodePtr &element) = 0;
    virtual SnapinState snapin(int nr) = 0;

    // Results, in drawing order. Drawing is reported only for what is visible.
    virtual void fillBackground(const FrameRect &rect, Color color) = 0;
    virtual void drawBorder(const FrameRect &rect) = 0;
    virtual void drawHeader(const FrameRect &strip, const QString &text) = 0;
    virtual void drawCaption(const FrameRect &bar, const QString &text) = 0;
    /// A cell whose snap-in does not exist; `text` is the message to show 3 pixels in.
    virtual void drawNotFound(const FrameRect &rect, const QString &text) = 0;
    virtual void placeSnapin(const SnapinPlacement &placement) = 0;
    virtual void placeTabBar(const TabBarPlacement &placement) = 0;
};

/// The frame's layout pass and its walks over the layout tree.
class VELK_TESTS_EXPORT FrameLayout
{
public:
    static constexpr int CaptionHeightPx = 16;
    /// Where a captioned child starts below the caption bar's top.
    static constexpr int CaptionOffsetPx = 18;
    static constexpr int HeaderHeightPx = 16;
    static constexpr int BorderIndentPx = 4;
    /// Space between a tab bar and its page.
    static constexpr int TabPageGapPx = 2;
    static constexpr int NotFoundInsetPx = 3;
    /// Elements nested deeper than this are left out: a host tree that contains itself
    /// (through a container) must not exhaust the stack.
    static constexpr int MaxDepth = 200;

    /// Lays out `element` in `rect` with `backColor` as the colour it inherits.
    static void layout(const StdXMLNodePtr &element, const FrameRect &rect, Color backColor,
                       FrameLayoutHost &host);

    /// The element kind: the tag, or for GENERIC its `type`.
    static QString kindOf(const StdXMLNode &element);
    /// The text of the not-found box: Control "name" nicht gefunden.
    static QString notFoundText(const QString &className);
    /// A tab bar's menu: the captions joined by ","; a child without caption shows "#" and
    /// its position.
    static QString tabMenu(const StdXMLNode &tabs);

    /// Visits `element` and everything below it the way commands travel: ROWS, COLS, TABS,
    /// CELL and GENERIC into their children, MULTI (and a GENERIC acting as one) into its
    /// copies, CONTAINER into the children of its supplied node; nothing else is entered.
    /// The visitor returns false to stop the walk; walk then returns false.
    using Visitor = std::function<bool(const StdXMLNodePtr &element)>;
    static bool walk(const StdXMLNodePtr &element, FrameLayoutHost &host, const Visitor &visitor);
};

} // namespace velk
