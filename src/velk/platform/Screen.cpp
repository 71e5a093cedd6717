#include "Screen.h"

#include "Input.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <set>

namespace velk {

namespace {

// Qt answers "is this key down now" only for modifiers and mouse buttons; other keys are
// followed by watching every key event of the application.
class KeyTracker : public QObject
{
public:
    explicit KeyTracker(QObject *parent)
        : QObject(parent)
    {
    }

    bool isDown(int keyCode) const { return m_down.count(keyCode) > 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->isAutoRepeat())
                break;
            if (const int code = keyCodeOf(key)) {
                if (event->type() == QEvent::KeyPress)
                    m_down.insert(code);
                else
                    m_down.erase(code);
            }
            break;
        }
        case QEvent::ApplicationDeactivate:
            // Releases happen elsewhere while another application has the keyboard.
            m_down.clear();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::set<int> m_down;
};

class DesktopScreen : public ScreenSource
{
public:
    QPoint cursorPos() const override { return QCursor::pos(); }

    bool isKeyDown(int keyCode) const override
    {
        switch (keyCode) {
        case MouseButton::Left:
            return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
        case MouseButton::Right:
            return QGuiApplication::mouseButtons().testFlag(Qt::RightButton);
        case MouseButton::Middle:
            return QGuiApplication::mouseButtons().testFlag(Qt::MiddleButton);
        case KeyCode::Shift:
            return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
        case KeyCode::Control:
            return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
        case KeyCode::Menu:
            return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
        default:
            break;
        }
        const KeyTracker *tracker = keyTracker();
        return tracker && tracker->isDown(keyCode);
    }

private:
    // Installed on first use and owned by the application, so a test binary that creates
    // several applications gets a fresh tracker with each.
    static KeyTracker *keyTracker()
    {
        static QPointer<KeyTracker> tracker;
        if (!tracker && QCoreApplication::instance()) {
            tracker = new KeyTracker(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(tracker);
        }
        return tracker;
    }
};

std::unique_ptr<ScreenSource> &currentSource()
{
    static std::unique_ptr<ScreenSource> source;
    if (!source)
        source = std::make_unique<DesktopScreen>();
    return source;
}

} // namespace

namespace Screen {

QPoint cursorPos()
{
    return currentSource()->cursorPos();
}

QRect windowRect(const QWidget *window)
{
    if (!window)
        return {};
    return QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
}

bool isCursorOver(const QWidget *widget)
{
    return widget && windowRect(widget).contains(cursorPos());
}

bool isKeyDown(int keyCode)
{
    return currentSource()->isKeyDown(keyCode);
}

int shiftState()
{
    const ScreenSource &source = *currentSource();
    return (source.isKeyDown(KeyCode::Shift) ? ShiftState::Shift : 0)
        | (source.isKeyDown(KeyCode::Control) ? ShiftState::Ctrl : 0)
        | (source.isKeyDown(KeyCode::Menu) ? ShiftState::Alt : 0);
}

std::unique_ptr<ScreenSource> setSource(std::unique_ptr<ScreenSource> source)
{
    std::unique_ptr<ScreenSource> previous = std::move(currentSource());
    currentSource() = source ? std::move(source) : std::make_unique<DesktopScreen>();
    return previous;
}

} // namespace Screen

} // namespace velk
