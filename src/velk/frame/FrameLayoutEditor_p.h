#pragma once

#include <velk/frame/FrameLayout_p.h>
#include <velk/velk_export.h>
#include <velk/xml/StdXMLNode.h>

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace velk {

/// The layout editing of a frame in configuration mode, without any window: which element
/// or boundary a press takes, the commands of the context menu on the layout tree, the
/// sizes a dragged boundary writes, and the rows of the property dialog. The frame does
/// what needs widgets (building snap-ins, the clipboard, questions) around it.
class VELK_TESTS_EXPORT FrameLayoutEditor
{
public:
    /// The element types offered for adding, in menu order.
    static const QStringList &elementTypes();
    /// The first line of the clipboard text of a layout element.
    static QString clipboardMark();

    /// One row of the property dialog: the attribute it edits and its label (without ":").
    struct PropertyRow
    {
        QString attribute;
        QString label;
        QStringList choices; ///< a choice row offers exactly these; empty: free text
        bool isColor = false;
    };

    /// The editor of the tree whose laid-out element is `layout`; `questions` supply the
    /// subtrees of containers.
    FrameLayoutEditor(const FrameLayoutQuestions &questions);

    void setLayoutElement(const StdXMLNodePtr &layout);
    const StdXMLNodePtr &layoutElement() const { return m_layout; }

    // --- selection --------------------------------------------------------------------

    /// A press at (x, y) on the plan: selects the innermost element there and, for the
    /// left button over a boundary, starts dragging it. Returns the selected element.
    StdXMLNodePtr press(const FramePlan &plan, int button, int x, int y);
    const StdXMLNodePtr &selected() const { return m_selected; }
    void select(const StdXMLNodePtr &element) { m_selected = element; }
    /// Whether sibling and removal commands apply to the selection (it is not the
    /// layout element and has a parent).
    bool canChangeSiblings() const;

    // --- boundaries -------------------------------------------------------------------

    /// The smallest size a neighbour is left with by a drag (unless it was smaller).
    static constexpr int MinNeighbourPx = 20;

    bool isDragging() const { return m_dragging.has_value(); }
    /// The provisional sizes for a mouse at (x, y); false when nothing is dragged or
    /// nothing changed since the last move.
    bool moveTo(int x, int y);
    /// The provisional sizes while dragging, or nullptr.
    const FrameLayoutQuestions::ProvisionalSizes *provisionalSizes() const;
    /// Ends the drag at (x, y) and writes the two sizes; false when nothing was dragged.
    bool release(int x, int y, bool configMode);
    /// Ends a drag without writing anything.
    void cancelDrag();

    /// The sizes of the two neighbours when their boundary moves by `deltaPx`: each keeps
    /// at least MinNeighbourPx (or what it had, when less).
    static std::pair<int, int> draggedSizes(const FrameBoundary &boundary, int deltaPx);
    /// Writes the neighbours' new sizes: percentages of the room (at most two decimals)
    /// when both had percentages, else pixels less the configuration-mode extra. Sizes
    /// equal to the laid-out ones leave the texts as they are.
    static void writeSizes(const FrameBoundary &boundary, int firstPx, int secondPx, bool configMode);
    /// `value` with at most two decimals and a "." ("33.33", "50").
    static QString percentText(double value);

    // --- commands on the selection ----------------------------------------------------

    /// A new element of `type` before the selection; nullptr when the selection has no parent.
    StdXMLNodePtr addElement(const QString &type);
    /// The node that receives sub-elements of `element`: the element itself, or for a
    /// CONTAINER the node its host supplied (nullptr when there is none).
    StdXMLNodePtr subElementTarget(const StdXMLNodePtr &element) const;
    /// A new element of `type` at the end of the selection's sub-element target; nullptr
    /// when there is none.
    StdXMLNodePtr addSubElement(const QString &type);
    /// The element a clipboard text describes (its first line dropped, the rest read as
    /// XML) as a fresh copy, or nullptr when the text makes no element.
    static StdXMLNodePtr elementFromText(const QString &text);
    /// The element of `text` inserted before the selection; nullptr when nothing was added.
    StdXMLNodePtr paste(const QString &text);
    /// The element of `text` appended to the selection's sub-element target.
    StdXMLNodePtr pasteSub(const QString &text);
    /// The clipboard text of `element`: the mark, CR LF, its XML.
    static QString copyText(const StdXMLNode &element);
    /// Removes the selection from its parent and clears the selection; false when it
    /// cannot be removed.
    bool removeSelected();

    // --- property dialog --------------------------------------------------------------

    /// The rows the dialog shows for `element`, in order.
    static std::vector<PropertyRow> propertyRows(const StdXMLNode &element);
    /// Writes the values (attribute, text) back: a non-empty text is set, an empty one
    /// removes the attribute. Returns the attributes whose value changed.
    static QStringList applyProperties(StdXMLNode &element, const std::vector<std::pair<QString, QString>> &values);
    /// Whether a change of `attribute` on `element` needs the element built again (a
    /// snap-in's class or parameters, a container's name, tab bar colours, a generic type).
    static bool needsRebuild(const StdXMLNode &element, const QString &attribute);

private:
    const FrameLayoutQuestions &m_questions;
    StdXMLNodePtr m_layout;
    StdXMLNodePtr m_selected;
    int m_pressX = 0;
    int m_pressY = 0;
    std::optional<FrameBoundary> m_dragging;
    FrameLayoutQuestions::ProvisionalSizes m_provisional;
};

} // namespace velk
