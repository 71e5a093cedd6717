#include "PreView.h"

#include "PageText.h"
#include "velkPreView.h"

#include <velk/common/StdRegistry.h>
#include <velk/controls/velkButton.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/Dialogs.h>

#include <QAction>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace velk {

namespace {

enum CommandId { Print = 1, CopyPage, First, Previous, GoTo, Next, Last };

const QString placementValue = QStringLiteral("PreviewPosition");

QString commandBar(int page, int pages)
{
    return QStringLiteral("print#Drucken,copy#Kopieren,playstart#(Erste Seite,playback#(Vorherige Seite,")
        + QString::number(page) + u'/' + QString::number(pages)
        + QStringLiteral(",play#(Nächste Seite,playend#(Letzte Seite");
}

} // namespace

struct PreView::Private
{
    velkPreView *view = nullptr;
    velkMenuBar *bar = nullptr;
    velkButton *previous = nullptr;
    velkButton *next = nullptr;
    QAction *first = nullptr, *prev = nullptr, *nextAction = nullptr, *last = nullptr, *goTo = nullptr;
    bool placementRestored = false;

    bool isEnabled(int id) const
    {
        const int page = view->page(), pages = view->Pages();
        switch (id) {
        case First:
        case Previous:
            return page >= 2;
        case GoTo:
            return pages >= 2;
        case Next:
        case Last:
            return page < pages;
        default:
            return true;
        }
    }
};

PreView::PreView(QWidget *parent)
    : QDialog(parent)
    , d(std::make_unique<Private>())
{
    setObjectName(QStringLiteral("PreView"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    resize(640, 800);

    d->view = new velkPreView(this);
    d->view->setObjectName(QStringLiteral("View1"));
    d->bar = new velkMenuBar(this);
    d->bar->setObjectName(QStringLiteral("velkMenuBar1"));
    d->bar->setMinimumHeight(26);
    d->bar->setMenu(commandBar(1, 0));
    d->previous = new velkButton(this);
    d->previous->setObjectName(QStringLiteral("velkButton1"));
    d->previous->setCaption(QStringLiteral("Zurück"));
    d->previous->setIcon(QStringLiteral("playback"));
    d->next = new velkButton(this);
    d->next->setObjectName(QStringLiteral("velkButton2"));
    d->next->setCaption(QStringLiteral("Weiter"));
    d->next->setIcon(QStringLiteral("play"));
    for (velkButton *b : {d->previous, d->next})
        b->setFixedSize(90, 26);

    auto *menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("menuBar"));
    auto action = [this](QMenu *menu, const char *name, const QString &text, const QKeySequence &key, auto slot) {
        QAction *a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menus->addMenu(QStringLiteral("&Datei"));
    action(file, "menu_drucken", QStringLiteral("&Drucken"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { Command(Print); });
    action(file, "menu_kopieren", QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { Command(CopyPage); });
    file->addSeparator();
    action(file, "menu_close", QStringLiteral("&Schließen"), QKeySequence(), [this] { reject(); });
    QMenu *pages = menus->addMenu(QStringLiteral("&Seite"));
    d->first = action(pages, "menu_first", QStringLiteral("&Erste Seite\tPos1"), QKeySequence(Qt::Key_Home), [this] { Command(First); });
    d->prev = action(pages, "menu_previous", QStringLiteral("&Vorherige Seite\tBild auf"), QKeySequence(Qt::Key_PageUp), [this] { Command(Previous); });
    d->nextAction = action(pages, "menu_next", QStringLiteral("&Nächste Seite\tBild ab"), QKeySequence(Qt::Key_PageDown), [this] { Command(Next); });
    d->last = action(pages, "menu_last", QStringLiteral("&Letzte Seite\tEnde"), QKeySequence(Qt::Key_End), [this] { Command(Last); });
    pages->addSeparator();
    d->goTo = action(pages, "menu_page", QStringLiteral("&Gehe zu Seite..."), QKeySequence(Qt::CTRL | Qt::Key_G), [this] { Command(GoTo); });
    action(pages, "menu_refresh", QStringLiteral("&Aktualisieren"), QKeySequence(Qt::Key_F5), [this] { d->view->Refresh(); });

    auto *strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(d->bar, 1);
    strip->addWidget(d->previous);
    strip->addWidget(d->next);
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(strip);
    layout->addWidget(d->view, 1);

    connect(d->bar->events(), &velkMenuBarEvents::CheckState, this, [this](int &id, bool &enabled) {
        enabled = d->isEnabled(id);
    });
    connect(d->bar->events(), &velkMenuBarEvents::Click, this, [this](int &id, int &, float &, float &) { Command(id); });
    connect(d->previous->events(), &velkButtonEvents::Click, this, [this](int, int, int) { Command(Previous); });
    connect(d->next->events(), &velkButtonEvents::Click, this, [this](int, int, int) { Command(Next); });
    connect(d->view->events(), &velkPreViewEvents::PageChanged, this, &PreView::pageChanged);
    pageChanged();
}

PreView::~PreView() = default;

velkPreView *PreView::View1() const { return d->view; }
velkMenuBar *PreView::velkMenuBar1() const { return d->bar; }

void PreView::Command(int id)
{
    if (!d->isEnabled(id))
        return;
    switch (id) {
    case Print:
        d->view->PrintOut();
        break;
    case CopyPage:
        d->view->Copy();
        break;
    case First:
        d->view->GotoPage(1);
        break;
    case Previous:
        d->view->GotoPage(d->view->page() - 1);
        break;
    case GoTo:
        AskPage();
        break;
    case Next:
        d->view->GotoPage(d->view->page() + 1);
        break;
    case Last:
        d->view->GotoPage(d->view->Pages());
        break;
    default:
        break;
    }
}

void PreView::AskPage()
{
    const auto answer = Dialogs::instance().InputBox(QStringLiteral("Seite"), windowTitle(), QString::number(d->view->page()));
    if (!answer)
        return;
    bool ok = false;
    const int page = answer->trimmed().toInt(&ok);
    if (ok && page >= 1 && page <= d->view->Pages())
        d->view->GotoPage(page);
}

// After every page change: the page commands follow the page, the fifth entry shows
// "page/Pages".
void PreView::pageChanged()
{
    const int page = d->view->page(), pages = d->view->Pages();
    d->first->setEnabled(page >= 2);
    d->prev->setEnabled(page >= 2);
    d->nextAction->setEnabled(page < pages);
    d->last->setEnabled(page < pages);
    d->goTo->setEnabled(pages >= 2);
    d->previous->setEnabled(page >= 2);
    d->next->setEnabled(page < pages);
    d->bar->SetItem(GoTo, QString::number(page) + u'/' + QString::number(pages));
    d->bar->Refresh();
}

void PreView::showEvent(QShowEvent *event)
{
    if (!d->placementRestored) {
        d->placementRestored = true;
        RestoreWindowPlacement(this, placementValue);
    }
    QDialog::showEvent(event);
}

void PreView::done(int result)
{
    if (d->placementRestored)
        SaveWindowPlacement(this, placementValue);
    QDialog::done(result);
}

int PreView::Show(const QString &caption, const QString &txt, const QString &repl, QWidget *parent)
{
    PreView form(parent);
    form.setWindowTitle(caption);
    form.View1()->Init(txt, repl);
    return Dialogs::instance().exec(form);
}

int PreView::ShowSheet(const velkSheet &sheet, const QString &title, const QString &date, const QString &header,
                       const QString &columns, QWidget *parent)
{
    const PageText page = SheetPageText(sheet, title, date, header, columns);
    return Show(QStringLiteral("Druckvorschau ") + title, page.text, page.repl, parent);
}

void PreView::PrintSheet(const velkSheet &sheet, const QString &title, const QString &date, const QString &header,
                         const QString &columns)
{
    const PageText page = SheetPageText(sheet, title, date, header, columns);
    PreView form;
    form.View1()->Init(page.text, page.repl);
    form.View1()->PrintOut();
}

} // namespace velk
