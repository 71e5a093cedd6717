#pragma once

// Drags that the controls start. The real seam runs the platform's drag (QDrag::exec);
// tests install a scripted one whose callback plays the drop target: it reads the data
// and answers with the effect of the drop.

#include <velk/velk_export.h>

#include <functional>
#include <memory>

class QMimeData;
class QWidget;

namespace velk {

/// Drop effects, as drags and drop targets exchange them (the same bits as Qt::DropAction).
namespace DropEffect {
inline constexpr int None = 0;
inline constexpr int Copy = 1;
inline constexpr int Move = 2;
inline constexpr int Link = 4;
} // namespace DropEffect

class VELK_EXPORT DragDrop
{
public:
    virtual ~DragDrop() = default;
    /// Drags `data` (taken over) out of `source`, allowing the effects `allowed`. Returns
    /// the effect the drop target chose; 0 when the drag was cancelled or refused.
    virtual int exec(QWidget *source, QMimeData *data, int allowed) = 0;
};

namespace Drag {
/// Runs a drag through the installed seam (see DragDrop::exec).
VELK_EXPORT int exec(QWidget *source, QMimeData *data, int allowed);
/// Replaces the seam (nullptr restores the real one); returns the previous one.
VELK_EXPORT std::unique_ptr<DragDrop> setDragDrop(std::unique_ptr<DragDrop> dragDrop);
} // namespace Drag

/// A drag seam for tests: every drag hands its data to `target`, which returns the effect
/// (it may read the data, send drop events to widgets, or change the source meanwhile).
class VELK_EXPORT ScriptedDragDrop : public DragDrop
{
public:
    using Target = std::function<int(QMimeData &data, int allowed)>;

    explicit ScriptedDragDrop(Target target = {});
    int exec(QWidget *source, QMimeData *data, int allowed) override;

    void setTarget(Target target) { m_target = std::move(target); }
    /// How many drags ran.
    int drags() const { return m_drags; }
    /// The source widget and allowed effects of the last drag.
    QWidget *lastSource() const { return m_lastSource; }
    int lastAllowed() const { return m_lastAllowed; }

private:
    Target m_target;
    int m_drags = 0;
    QWidget *m_lastSource = nullptr;
    int m_lastAllowed = 0;
};

/// Installs a ScriptedDragDrop for its lifetime and restores the previous seam afterwards.
class VELK_EXPORT ScriptedDragDropScope
{
public:
    explicit ScriptedDragDropScope(ScriptedDragDrop::Target target = {});
    ~ScriptedDragDropScope();
    ScriptedDragDropScope(const ScriptedDragDropScope &) = delete;
    ScriptedDragDropScope &operator=(const ScriptedDragDropScope &) = delete;

    ScriptedDragDrop *operator->() { return m_dragDrop; }
    ScriptedDragDrop &dragDrop() { return *m_dragDrop; }

private:
    ScriptedDragDrop *m_dragDrop; ///< owned by the installed seam
    std::unique_ptr<DragDrop> m_previous;
};

} // namespace velk
