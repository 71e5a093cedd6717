#pragma once

#include <velk/sheet/SheetMouse_p.h>
#include <velk/velk_export.h>

#include <QString>
#include <QStringList>

class QEvent;
class QMimeData;

namespace velk {

class SheetState;
class SheetView;
class velkSheetEvents;

/// What a drag brings to a sheet: local files win over text; neither means nothing to drop.
struct SheetDropPayload
{
    enum Kind { Nothing, Text, Files };
    Kind kind = Nothing;
    QString text;      ///< lines separated by CR LF
    QStringList files; ///< local paths

    /// Reads `data`: its local files, else its text with CR LF line ends.
    static SheetDropPayload of(const QMimeData *data);
};

/// The list as a drop target: while text or files are dragged over it, raises
/// DropTextEnabled or DropFileEnabled with the place under the mouse (sheetDropPlace) and
/// shows where the drop would go (scrolling when the mouse nears the top or bottom edge);
/// on the drop raises DropText or DropFile. `dropeffect` arrives 0 and the host sets it.
class VELK_TESTS_EXPORT SheetDropTarget
{
public:
    SheetDropTarget(SheetState &state, SheetView &view, velkSheetEvents &events);

    /// Handles a drag event of the list surface (enter, move, leave, drop).
    void handle(QEvent *event);

    /// The effect a host's `dropeffect` gives with the drag's `possible` effects and the
    /// user's `proposed` one: 0 (refused) for 0, for bits other than copy, move and link,
    /// or for effects the drag does not allow; the proposed one when the host's include
    /// it, else the lowest the host's and the drag's share.
    static int acceptedEffect(int dropeffect, int possible, int proposed);

private:
    int ask(const SheetDropPayload &payload, const SheetDropPlace &place, bool drop);
    void setMark(const SheetDropMark &mark);
    void scrollNearEdges(int y);

    SheetState &m_state;
    SheetView &m_view;
    velkSheetEvents &m_events;
    SheetDropPayload m_payload; ///< read when the drag entered
    int m_lastEffect = 0;       ///< the effect accepted at the last move
};

} // namespace velk
