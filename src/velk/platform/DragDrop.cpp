#include "DragDrop.h"

#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

namespace velk {

namespace {

class QtDragDrop : public DragDrop
{
public:
    int exec(QWidget *source, QMimeData *data, int allowed) override
    {
        if (!source) {
            delete data;
            return DropEffect::None;
        }
        // The drag owns its data and ends with the drop; a source destroyed meanwhile
        // takes the drag with it, which QPointer notices.
        QPointer<QDrag> drag = new QDrag(source);
        drag->setMimeData(data);
        const Qt::DropActions actions = Qt::DropActions(allowed & (DropEffect::Copy | DropEffect::Move | DropEffect::Link));
        const Qt::DropAction result = drag->exec(actions ? actions : Qt::CopyAction);
        if (drag)
            drag->deleteLater();
        return int(result) & (DropEffect::Copy | DropEffect::Move | DropEffect::Link);
    }
};

std::unique_ptr<DragDrop> &current()
{
    static std::unique_ptr<DragDrop> seam;
    if (!seam)
        seam = std::make_unique<QtDragDrop>();
    return seam;
}

} // namespace

namespace Drag {

int exec(QWidget *source, QMimeData *data, int allowed)
{
    return current()->exec(source, data, allowed);
}

std::unique_ptr<DragDrop> setDragDrop(std::unique_ptr<DragDrop> dragDrop)
{
    std::unique_ptr<DragDrop> previous = std::move(current());
    current() = dragDrop ? std::move(dragDrop) : std::make_unique<QtDragDrop>();
    return previous;
}

} // namespace Drag

ScriptedDragDrop::ScriptedDragDrop(Target target)
    : m_target(std::move(target))
{
}

int ScriptedDragDrop::exec(QWidget *source, QMimeData *data, int allowed)
{
    const std::unique_ptr<QMimeData> owned(data);
    ++m_drags;
    m_lastSource = source;
    m_lastAllowed = allowed;
    return m_target && data ? m_target(*data, allowed) : DropEffect::None;
}

ScriptedDragDropScope::ScriptedDragDropScope(ScriptedDragDrop::Target target)
{
    auto seam = std::make_unique<ScriptedDragDrop>(std::move(target));
    m_dragDrop = seam.get();
    m_previous = Drag::setDragDrop(std::move(seam));
}

ScriptedDragDropScope::~ScriptedDragDropScope()
{
    Drag::setDragDrop(std::move(m_previous));
}

} // namespace velk
