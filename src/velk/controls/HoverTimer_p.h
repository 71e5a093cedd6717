#pragma once

#include <QTimer>

namespace velk {

/// The timer a control polls while the cursor is over it: the cursor can leave the window
/// without any event reaching the control (another window on top, a fast move), so the
/// control asks every 100 ms whether the cursor is still inside its window rectangle.
inline QTimer *makeHoverTimer(QObject *owner)
{
    auto *timer = new QTimer(owner);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(100);
    return timer;
}

} // namespace velk
