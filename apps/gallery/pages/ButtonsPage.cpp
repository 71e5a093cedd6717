#include "GalleryPage.h"

#include <velk/controls/velkButton.h>
#include <velk/controls/velkLabel.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace velk;

namespace {

struct Look
{
    const char *title;
    short state;
    bool enabled;
    bool isDefault;
};

const Look kLooks[] = {
    {"normal", 0, true, false},
    {"heiß (Maus darüber)", 1, true, false},
    {"gedrückt", 2, true, false},
    {"deaktiviert", 0, false, false},
    {"Standardschaltfläche", 0, true, true},
};

struct Content
{
    const char *caption;
    const char *icon;
};

const Content kContents[] = {
    {"Speichern", "save"},
    {">Drucken", "print"},
    {"Optionen", "v"},
    {"Abbrechen", ""},
};

velkButton *makeButton(const Content &content, const Look &look, short style, QLabel *log)
{
    auto *button = new velkButton;
    button->setCaption(QString::fromUtf8(content.caption));
    button->setIcon(QString::fromLatin1(content.icon));
    button->setStyleNumber(style);
    button->setState(look.state);
    button->setEnabled(look.enabled);
    button->setDefault(look.isDefault);
    button->setFixedSize(120, 26);
    QObject::connect(button->events(), &velkButtonEvents::Click, log, [log, button](int shift, int x, int y) {
        log->setText(QStringLiteral("Click(Shift=%1, x=%2, y=%3) auf „%4“").arg(shift).arg(x).arg(y).arg(button->caption()));
    });
    return button;
}

QWidget *buttonGrid(QLabel *log)
{
    auto *grid = new QWidget;
    auto *layout = new QGridLayout(grid);
    layout->setHorizontalSpacing(10);
    int column = 1;
    for (const Look &look : kLooks)
        layout->addWidget(new QLabel(QString::fromUtf8(look.title)), 0, column++);
    int row = 1;
    for (short style = 0; style <= 2; ++style) {
        for (const Content &content : kContents) {
            layout->addWidget(new QLabel(QStringLiteral("Stil %1").arg(style)), row, 0);
            column = 1;
            for (const Look &look : kLooks)
                layout->addWidget(makeButton(content, look, style, log), row, column++);
            ++row;
        }
    }
    layout->setColumnStretch(column, 1); // spare width goes right of the buttons
    return grid;
}

velkLabel *makeLabel(const QString &caption, short style, Color from, Color to, const QString &menu, QLabel *log)
{
    auto *label = new velkLabel;
    label->setCaption(caption);
    label->setStyleNumber(style);
    label->setBackColor1(from);
    label->setBackColor2(to);
    label->setMenu(menu);
    label->setBold(true);
    label->setFixedHeight(20);
    QObject::connect(label->events(), &velkLabelEvents::Click, log, [log, caption](int id) {
        log->setText(QStringLiteral("Click(%1) auf der Leiste „%2“").arg(id).arg(caption));
    });
    return label;
}

QWidget *createButtonsPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *log = new QLabel(QStringLiteral("Klicken Sie eine Schaltfläche oder eine Leiste an."));
    log->setObjectName(QStringLiteral("eventLog"));
    layout->addWidget(new QLabel(QStringLiteral("<b>velkButton</b> in den Stilen 0 (plastisch), 1 (flach) und 2 (abgerundet)")));
    layout->addWidget(buttonGrid(log));
    layout->addWidget(new QLabel(QStringLiteral("<b>velkLabel</b> mit Schaltflächen am rechten Rand")));
    layout->addWidget(makeLabel(QStringLiteral("Themen"), 1, 0x800000, 0xFF8080, QStringLiteral("refresh,help,delete"), log));
    layout->addWidget(makeLabel(QStringLiteral("Dokumente"), 0, 0x800000, 0x800000, QStringLiteral("plus,minus"), log));
    auto *bordered = makeLabel(QStringLiteral("Eigenschaften"), 2, 0x808000, 0x404000, QStringLiteral("x"), log);
    bordered->setBorderStyle(1);
    bordered->setFixedHeight(24);
    layout->addWidget(bordered);
    layout->addWidget(log);
    layout->addStretch(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Schaltflächen", 41, createButtonsPage, "velkButton,velkLabel",
                  "Schaltflächen und Beschriftungen mit Icons und Hervorhebung",
                  "Schaltflächen und Beschriftungen in ihren Stilen: mit Icon, ohne Rahmen, als Verweis. Überfahren hebt sie hervor, ein Klick löst Click aus.");
