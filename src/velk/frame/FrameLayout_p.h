#pragma once

#include <velk/common/Color.h>
#include <velk/frame/FrameRect_p.h>
#include <velk/velk_export.h>
#include <velk/xml/StdXMLNode.h>

#include <QString>

#include <functional>
#include <variant>
#include <vector>

namespace velk {

/// What a layout pass asks of the frame. Every answer is a plain look-up: nothing is
/// created and no snap-in is called while a pass runs.
class VELK_TESTS_EXPORT FrameLayoutQuestions
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
        /// In a form designer no snap-in is created: a labelled box stands in for it.
        bool placeholder = false;
    };

    virtual ~FrameLayoutQuestions();

    virtual bool configMode() const = 0;
    /// The `message` that ShowElement looks for; empty outside that call.
    virtual QString requestedElement() const = 0;
    /// The subtree the host supplied for a container's `layout` name, or nullptr.
    virtual StdXMLNodePtr containerNode(const QString &layout) const = 0;
    /// The element holding the three copies a MULTI's bar shows, or nullptr.
    virtual StdXMLNodePtr multiCopies(const StdXMLNodePtr &multi) const = 0;
    virtual TabBarState tabBar(const StdXMLNodePtr &element) const = 0;
    virtual SnapinState snapin(int nr) const = 0;

    /// Sizes that stand in for two neighbours' own while their boundary is dragged.
    struct ProvisionalSizes
    {
        const StdXMLNode *parent = nullptr; ///< the ROWS or COLS (or GENERIC) they belong to
        int first = 0;                      ///< 0-based position of the first neighbour
        int firstPx = 0;
        int secondPx = 0;
    };
    /// The sizes of a boundary being dragged, or nullptr (the default).
    virtual const ProvisionalSizes *provisionalSizes() const;
};

/// The steps of a layout plan: drawing on the frame's surface and placing its widgets.
struct FrameFill
{
    FrameRect rect;
    Color color = 0;
};
struct FrameBorder
{
    FrameRect rect;
};
struct FrameHeader
{
    FrameRect strip;
    QString text;
};
struct FrameCaption
{
    FrameRect bar;
    QString text;
};
/// A cell whose snap-in does not exist; `text` is the message to show 3 pixels in. A
/// placeholder is the box a form designer shows instead of the snap-in.
struct FrameNotFound
{
    FrameRect rect;
    QString text;
    bool placeholder = false;
};
struct FrameSnapinPlacement
{
    int nr = 0;
    bool hasToolbar = false;
    FrameRect toolbar;
    FrameRect control;
    Color backColor = 0;
    bool visible = true;
};
struct FrameTabBarPlacement
{
    StdXMLNodePtr element; ///< the TABS or MULTI element
    FrameRect rect;
    QString menu;          ///< the tab captions joined by ","
    int style = 4;
    Color backColor = 0;
    int selected = 0;      ///< after clamping and ShowElement
    bool visible = true;
};
using FrameStep = std::variant<FrameFill, FrameBorder, FrameHeader, FrameCaption, FrameNotFound,
                               FrameSnapinPlacement, FrameTabBarPlacement>;

/// Where a shown element lies: the area it owns, its caption bar included.
struct FrameElementBox
{
    StdXMLNodePtr element;
    FrameRect area;
    int depth = 0; ///< nesting below the laid-out element (0)
};

/// The gap between two shown neighbours of a ROWS or COLS that may be dragged (the first
/// one's `resizable` is not "false").
struct FrameBoundary
{
    StdXMLNodePtr parent;
    StdXMLNodePtr first;
    StdXMLNodePtr second;
    int firstIndex = 0;       ///< 0-based position of `first` among the parent's children
    bool isBetweenRows = false;
    FrameRect gap;            ///< the GapPx-wide strip between the two
    int firstPx = 0;          ///< the two sizes as laid out
    int secondPx = 0;
    int roomPx = 0;           ///< the room the parent shares out (its size less the gaps)
};

/// The result of a layout pass, in drawing order; drawing is planned only for what is
/// visible. The frame applies it after the pass, so nothing a snap-in does while it is
/// placed can reach into a running pass. The same pass's geometry answers where the
/// mouse is in configuration mode.
struct VELK_TESTS_EXPORT FramePlan
{
    /// How far from a boundary's gap a press still takes the boundary.
    static constexpr int BoundaryTolerancePx = 2;

    std::vector<FrameStep> steps;
    /// Shown elements in layout order. The pages of a MULTI are copies and stand for the
    /// MULTI: they are not listed.
    std::vector<FrameElementBox> elements;
    /// Draggable boundaries in layout order.
    std::vector<FrameBoundary> boundaries;

    /// The innermost shown element at (x, y), or nullptr.
    StdXMLNodePtr elementAt(int x, int y) const;
    /// The boundary whose gap lies within BoundaryTolerancePx of (x, y) (the closest; of
    /// equally close ones the innermost), or nullptr.
    const FrameBoundary *boundaryAt(int x, int y) const;
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

    /// The plan for `element` in `rect` with `backColor` as the colour it inherits.
    static FramePlan layout(const StdXMLNodePtr &element, const FrameRect &rect, Color backColor,
                            const FrameLayoutQuestions &questions);

    /// The element kind: the tag, or for GENERIC its `type`.
    static QString kindOf(const StdXMLNode &element);
    /// True when the element lays out as a tab bar with pages (TABS, MULTI or a GENERIC
    /// acting as one of them).
    static bool hasTabBar(const StdXMLNode &element);
    /// The text of the not-found box: Control "name" nicht gefunden.
    static QString notFoundText(const QString &className);
    /// The text of a form designer's box for a snap-in: its class name, or the element's
    /// tag when it names none.
    static QString placeholderText(const StdXMLNode &item);
    /// A tab bar's menu: the captions joined by ","; a child without caption shows "#" and
    /// its position.
    static QString tabMenu(const StdXMLNode &tabs);

    /// Visits `element` and everything below it the way commands travel: ROWS, COLS, TABS,
    /// CELL and GENERIC into their children, MULTI (and a GENERIC acting as one) into its
    /// copies, CONTAINER into the children of its supplied node; nothing else is entered.
    /// The visitor returns false to stop the walk; walk then returns false. The visitor
    /// must not add or remove elements of the tree it walks.
    using Visitor = std::function<bool(const StdXMLNodePtr &element)>;
    static bool walk(const StdXMLNodePtr &element, const FrameLayoutQuestions &questions, const Visitor &visitor);
};

} // namespace velk
