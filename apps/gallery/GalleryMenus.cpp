#include "GalleryMenus.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/menu/velkMenuPopup.h>

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

using namespace velk;

namespace {

constexpr float TwipsPerPixel = 15.0f;

QPointer<QWidget> lastPopup;

// The popup window: Up and Down move the highlight, Enter chooses, Escape closes.
class MenuWindow : public QFrame
{
public:
    MenuWindow(QWidget *parent, int lines)
        : QFrame(parent, Qt::Popup)
        , m_lines(lines)
    {
    }

    velkMenuPopup *list = nullptr;
    std::function<void(int line)> choose;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const int line = list->Selected();
        switch (event->key()) {
        case Qt::Key_Down:
            list->setSelected(short(line >= m_lines ? 1 : line + 1));
            break;
        case Qt::Key_Up:
            list->setSelected(short(line <= 1 ? m_lines : line - 1));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (line >= 1)
                choose(line);
            break;
        default:
            QFrame::keyPressEvent(event);
        }
    }

private:
    int m_lines;
};

} // namespace

namespace GalleryMenus {

QWidget *open(QWidget *anchor, float xTwips, float yTwips, const QList<GalleryMenuEntry> &entries)
{
    if (entries.isEmpty())
        return nullptr;
    if (lastPopup)
        lastPopup->close();
    int commands = 0;
    for (const GalleryMenuEntry &entry : entries)
        commands += entry.caption != u"-" ? 1 : 0;
    auto *window = new MenuWindow(anchor, commands);
    window->setObjectName(QStringLiteral("galleryMenu"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFrameShape(QFrame::Box);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *list = new velkMenuPopup;
    list->setObjectName(QStringLiteral("velkMenuPopup1"));
    QStringList lines;
    QList<std::function<void()>> actions; // one per line that is not a separator
    for (const GalleryMenuEntry &entry : entries) {
        lines << entry.caption;
        if (entry.caption != u"-")
            actions << entry.action;
    }
    list->setMenu(lines.join(u','));
    int widest = 0;
    for (const QString &line : lines)
        widest = qMax(widest, list->fontMetrics().horizontalAdvance(line));
    list->setMinimumWidth(widest + 32);
    list->setSelected(0);
    layout->addWidget(list);
    window->list = list;
    window->choose = [window, actions](int line) {
        window->close();
        if (line >= 1 && line <= actions.size() && actions[line - 1])
            actions[line - 1]();
    };
    QObject::connect(list->events(), &velkMenuPopupEvents::Click, window, [window, list] { window->choose(list->Selected()); });
    window->adjustSize();
    QPoint at = anchor->mapToGlobal(QPoint(qRound(xTwips / TwipsPerPixel), qRound(yTwips / TwipsPerPixel)));
    if (const QScreen *screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - window->width())));
        at.setY(qBound(room.top(), at.y(), qMax(room.top(), room.bottom() - window->height())));
    }
    window->move(at);
    window->show();
    lastPopup = window;
    return window;
}

void attach(velkMenuBar *bar, GalleryMenuProvider provider)
{
    QObject::connect(bar->events(), &velkMenuBarEvents::Click, bar, [bar, provider](int &id, int &, float &x, float &y) {
        open(bar, x, y, provider(id, false));
    });
    QObject::connect(bar->events(), &velkMenuBarEvents::ClickMenu, bar, [bar, provider](int &id, int &, float &x, float &y) {
        open(bar, x, y, provider(id, true));
    });
}

void attachToolbars(velkFrameControl *frame, std::function<QList<GalleryMenuEntry>(int nr, int id, bool arrow)> provider)
{
    for (int nr = 1; nr <= frame->snapinCount(); ++nr) {
        if (velkMenuBar *bar = frame->toolbar(nr))
            attach(bar, [nr, provider](int id, bool arrow) { return provider(nr, id, arrow); });
    }
}

QWidget *openPopup()
{
    return lastPopup && lastPopup->isVisible() ? lastPopup.data() : nullptr;
}

} // namespace GalleryMenus
