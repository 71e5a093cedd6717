#pragma once

#include <velk/platform/DesignMode.h>
#include <velk/platform/Screen.h>

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace velk {

/// Tells a control when the cursor has left it. The cursor can leave without any event
/// reaching the control (another window on top, a fast move), so while the control shows
/// a hover state it polls every 100 ms whether the cursor is still inside its window
/// rectangle. The control connects the timer (child "Timer1") to its own tick handler,
/// which calls poll(). A control in a form designer draws its hover look but never polls.
class HoverTracker
{
public:
    static constexpr int IntervalMs = 100;

    /// `left` runs once the cursor is found outside `control`.
    HoverTracker(QWidget *control, std::function<void()> left)
        : m_control(control)
        , m_timer(new QTimer(control))
        , m_left(std::move(left))
    {
        m_timer->setObjectName(QStringLiteral("Timer1"));
        m_timer->setInterval(IntervalMs);
    }

    QTimer *timer() const { return m_timer; }
    /// Whether the control follows the cursor at all (not in a form designer).
    bool active() const { return !isDesignMode(m_control); }
    /// The cursor is over the control: poll until it leaves.
    void start()
    {
        if (active())
            m_timer->start();
    }
    void stop() { m_timer->stop(); }

    /// One poll: when the cursor is no longer over the control, stops polling and runs
    /// `left`. Returns whether it did.
    bool poll()
    {
        if (Screen::isCursorOver(m_control))
            return false;
        m_timer->stop();
        m_left();
        return true;
    }

private:
    QWidget *m_control;
    QTimer *m_timer;
    std::function<void()> m_left;
};

} // namespace velk
