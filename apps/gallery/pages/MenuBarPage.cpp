#include "GalleryPage.h"

#include <velk/menu/velkMenuBar.h>
#include <velk/menu/velkMenuPopup.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace velk;

namespace {

const char *const kToolbar = "newfile#Neu,open#Öffnen,save#Speichern#|v,-,print#(Drucken),preview#Vorschau,-,"
                             "cut#,copy#,paste#,>,help#Hilfe#v";
const char *const kTabs = "Allgemein,topic#Themen,keyword#Schlagwörter,date#Termine#v";
const char *const kList = "home#Start,db#Archiv,-,topic#Themen,person#Personen,letter#Post,books#Berichte";

struct BarSample
{
    const char *title;
    short style;
    const char *menu;
    short selected;
};

const BarSample kHorizontal[] = {
    {"Stil 0: Werkzeugleiste", 0, kToolbar, 0},
    {"Stil 1: Register", 1, kTabs, 2},
    {"Stil 2: weiße Schaltflächen", 2, "home#Start,db#Archiv,-,find#Suchen,$text:suche,filter#Filter", 0},
    {"Stil 3: Menü", 3, "Datei,Bearbeiten,Ansicht,-,#Extras#v,Hilfe", 0},
    {"Stil 4: Register, breite Icons", 4, kTabs, 1},
    {"Stil 5: Auswahl bleibt", 5, "table#Liste,excel#Tabelle,image#Bilder,preview#Vorschau", 3},
    {"Stil 6: feste Breite", 6, "ok#Übernehmen,undo#Verwerfen,delete#Löschen", 0},
    {"Felder", 0, "find#Suche,$text:name,-,date#ab,$date:von,-,Bewertung,$eval:flags,>,refresh#(Aktualisieren)", 0},
};

velkMenuBar *makeBar(short style, const QString &menu, short selected, QLabel *log)
{
    auto *bar = new velkMenuBar;
    bar->setStyleNumber(style);
    bar->setMenu(menu);
    bar->setSelected(selected);
    auto *events = bar->events();
    auto report = [log, bar](const char *event) {
        return [log, bar, event](int &id, int &shift, float &x, float &y) {
            log->setText(QStringLiteral("%1(id=%2 „%3“, Shift=%4, x=%5, y=%6)")
                             .arg(QString::fromLatin1(event)).arg(id).arg(bar->MenuItem(id)).arg(shift).arg(x).arg(y));
        };
    };
    QObject::connect(events, &velkMenuBarEvents::Click, log, report("Click"));
    QObject::connect(events, &velkMenuBarEvents::ClickIcon, log, report("ClickIcon"));
    QObject::connect(events, &velkMenuBarEvents::ClickMenu, log, report("ClickMenu"));
    QObject::connect(events, &velkMenuBarEvents::ContextMenu, log,
                     [log](int &id) { log->setText(QStringLiteral("ContextMenu(id=%1)").arg(id)); });
    // "Vorschau" stands for an item the host has disabled.
    QObject::connect(events, &velkMenuBarEvents::CheckState, bar, [bar](int &id, bool &enabled) {
        if (bar->MenuItem(id) == u"Vorschau" && bar->styleNumber() == 0)
            enabled = false;
    });
    QObject::connect(events, &velkMenuBarEvents::DropFileEnabled, bar, [](int &effect) { effect = 1; });
    QObject::connect(events, &velkMenuBarEvents::DropFile, log, [log](QString &file, int &id) {
        log->setText(QStringLiteral("DropFile(%1, id=%2)").arg(file).arg(id));
    });
    QObject::connect(events, &velkMenuBarEvents::DropText, log, [log](QString &text, int &id) {
        log->setText(QStringLiteral("DropText(%1, id=%2)").arg(text).arg(id));
    });
    return bar;
}

QWidget *horizontalBars(QLabel *log)
{
    auto *box = new QWidget;
    auto *grid = new QGridLayout(box);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const BarSample &sample : kHorizontal) {
        grid->addWidget(new QLabel(QString::fromUtf8(sample.title)), row, 0);
        auto *bar = makeBar(sample.style, QString::fromUtf8(sample.menu), sample.selected, log);
        bar->setFixedHeight(sample.style == 1 || sample.style == 4 ? 24 : 26);
        if (QLineEdit *flags = bar->fieldBox(bar->Count() - 2))
            flags->setText(QStringLiteral("?x x   "));
        grid->addWidget(bar, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget *verticalBars(QLabel *log)
{
    auto *box = new QWidget;
    auto *row = new QHBoxLayout(box);
    struct Vertical { const char *title; short style; const char *menu; short selected; int width; };
    const Vertical samples[] = {
        {"Stil 2", 2, kList, 2, 90},
        {"Stil 3", 3, kList, 0, 120},
        {"Stil 1", 1, kTabs, 1, 24},
        {"Stil 0", 0, "newfile#Neu,open#Öffnen,-,print#Drucken", 0, 24},
    };
    for (const Vertical &s : samples) {
        auto *column = new QVBoxLayout;
        column->addWidget(new QLabel(QString::fromUtf8(s.title)));
        auto *bar = makeBar(s.style, QString::fromUtf8(s.menu), s.selected, log);
        bar->setFixedSize(s.width, 300);
        column->addWidget(bar);
        column->addStretch(1);
        row->addLayout(column);
    }
    auto *column = new QVBoxLayout;
    column->addWidget(new QLabel(QStringLiteral("velkMenuPopup")));
    auto *popup = new velkMenuPopup;
    popup->setMenu(QStringLiteral("Öffnen,Umbenennen,-,Kopieren,Verschieben,-,Löschen"));
    popup->setFixedSize(150, 150);
    popup->setSelected(2);
    QObject::connect(popup->events(), &velkMenuPopupEvents::Click, log,
                     [log, popup] { log->setText(QStringLiteral("Popup: Zeile %1").arg(popup->Selected())); });
    column->addWidget(popup);
    column->addStretch(1);
    row->addLayout(column);
    row->addStretch(1);
    return box;
}

QWidget *createMenuBarPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *log = new QLabel(QStringLiteral("Klicken Sie ein Element an, oder ziehen Sie Dateien auf eine Leiste."));
    log->setObjectName(QStringLiteral("eventLog"));
    layout->addWidget(new QLabel(QStringLiteral("<b>velkMenuBar</b> in den Stilen 0 bis 6, waagrecht und senkrecht")));
    layout->addWidget(horizontalBars(log));
    layout->addWidget(verticalBars(log));
    layout->addWidget(log);
    layout->addStretch(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Menüleisten", 42, createMenuBarPage);
