#include "GalleryMenus.h"

#include <velk/menu/velkMenuBar.h>
#include <velk/menu/velkMenuPopup.h>

#include <QFrame>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

using namespace velk;

namespace {

constexpr float TwipsPerPixel = 15.0f;

QPointer<QWidget> lastPopup;

} // namespace

namespace GalleryMenus {

QWidget *open(QWidget *anchor, float xTwips, float yTwips, const QList<GalleryMenuEntry> &entries)
{
    if (entries.isEmpty())
        return nullptr;
    if (lastPopup)
        lastPopup->close();
    auto *window = new QFrame(anchor, Qt::Popup);
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
    QObject::connect(list->events(), &velkMenuPopupEvents::Click, window, [window, list, actions] {
        const int line = list->Selected();
        window->close();
        if (line >= 1 && line <= actions.size() && actions[line - 1])
            actions[line - 1]();
    });
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

QWidget *openPopup()
{
    return lastPopup && lastPopup->isVisible() ? lastPopup.data() : nullptr;
}

} // namespace GalleryMenus
