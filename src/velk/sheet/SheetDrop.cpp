#include "SheetDrop_p.h"

#include "SheetState_p.h"
#include "SheetView_p.h"
#include "velkSheet.h"

#include <velk/platform/DragDrop.h>
#include <velk/platform/Units.h>

#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include <cmath>

namespace velk {

namespace {

constexpr int knownEffects = DropEffect::Copy | DropEffect::Move | DropEffect::Link;

QString withCrLf(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

} // namespace

SheetDropPayload SheetDropPayload::of(const QMimeData *data)
{
    SheetDropPayload payload;
    if (!data)
        return payload;
    if (data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                payload.files << url.toLocalFile();
        }
        if (!payload.files.isEmpty()) {
            payload.kind = Files;
            return payload;
        }
    }
    if (data->hasText()) {
        payload.kind = Text;
        payload.text = withCrLf(data->text());
    }
    return payload;
}

SheetDropTarget::SheetDropTarget(SheetState &state, SheetView &view, velkSheetEvents &events)
    : m_state(state)
    , m_view(view)
    , m_events(events)
{
}

int SheetDropTarget::acceptedEffect(int dropeffect, int possible, int proposed)
{
    if (dropeffect <= 0 || (dropeffect & ~knownEffects))
        return DropEffect::None;
    const int shared = dropeffect & possible;
    if (shared == 0)
        return DropEffect::None;
    if (shared & proposed)
        return proposed & shared & -(proposed & shared);
    return shared & -shared;
}

void SheetDropTarget::handle(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        // Accepted whenever there is something to drop: the move that always follows asks
        // the host about the place.
        auto *enter = static_cast<QDragEnterEvent *>(event);
        m_payload = SheetDropPayload::of(enter->mimeData());
        m_lastEffect = 0;
        if (m_payload.kind == SheetDropPayload::Nothing)
            enter->ignore();
        else
            enter->acceptProposedAction();
        break;
    }
    case QEvent::DragMove: {
        auto *move = static_cast<QDragMoveEvent *>(event);
        if (m_payload.kind == SheetDropPayload::Nothing) {
            move->ignore();
            break;
        }
        const int y = int(std::lround(move->position().y() * twipsPerPixel));
        scrollNearEdges(y);
        const SheetDropPlace place = sheetDropPlace(y, m_state.layout(), m_state.model());
        const int effect = acceptedEffect(ask(m_payload, place, false), int(move->possibleActions()),
                                          int(move->proposedAction()));
        m_lastEffect = effect;
        setMark(effect ? place.mark : SheetDropMark());
        if (effect) {
            move->setDropAction(Qt::DropAction(effect));
            move->accept();
        } else {
            move->ignore();
        }
        break;
    }
    case QEvent::DragLeave:
        m_payload = {};
        setMark({});
        break;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        setMark({});
        // Read again: the source hands out its data for the drop itself.
        const SheetDropPayload payload = SheetDropPayload::of(drop->mimeData());
        m_payload = {};
        if (payload.kind == SheetDropPayload::Nothing) {
            drop->ignore();
            break;
        }
        const int y = int(std::lround(drop->position().y() * twipsPerPixel));
        const SheetDropPlace place = sheetDropPlace(y, m_state.layout(), m_state.model());
        const int asked = ask(payload, place, true);
        // A handler that takes the drop without naming an effect keeps the one its
        // move answer chose.
        const int effect = asked == 0 ? m_lastEffect
                                      : acceptedEffect(asked, int(drop->possibleActions()), int(drop->proposedAction()));
        if (effect) {
            drop->setDropAction(Qt::DropAction(effect));
            drop->accept();
        } else {
            drop->ignore();
        }
        break;
    }
    default:
        break;
    }
}

int SheetDropTarget::ask(const SheetDropPayload &payload, const SheetDropPlace &place, bool drop)
{
    int dropeffect = 0;
    if (payload.kind == SheetDropPayload::Files) {
        if (drop)
            Q_EMIT m_events.DropFile(payload.files, dropeffect, place.posdrop, place.posbefore, place.posindent);
        else
            Q_EMIT m_events.DropFileEnabled(payload.files, dropeffect, place.posdrop, place.posbefore, place.posindent);
    } else {
        if (drop)
            Q_EMIT m_events.DropText(payload.text, dropeffect, place.posdrop, place.posbefore, place.posindent);
        else
            Q_EMIT m_events.DropTextEnabled(payload.text, dropeffect, place.posdrop, place.posbefore, place.posindent);
    }
    return dropeffect;
}

// Within a row's pitch of the top or bottom edge the list scrolls a row per move, so a
// drop can reach rows off the screen.
void SheetDropTarget::scrollNearEdges(int y)
{
    const int edge = m_state.model().rowPitch();
    if (y < edge)
        m_view.scrollRows(-1);
    else if (y > m_state.layout().viewport().height - edge)
        m_view.scrollRows(1);
}

void SheetDropTarget::setMark(const SheetDropMark &mark)
{
    if (m_state.setDropMark(mark))
        m_view.repaint();
}

} // namespace velk
