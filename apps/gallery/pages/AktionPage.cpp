#include "GalleryPage.h"

#include <velk/editors/velkAction.h>

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velk;

namespace {

QWidget *createAktionPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "<b>velkAction</b>: was beim Archivieren mit dem Dokument geschieht. Die Aktion darunter folgt jeder Wahl.")));
    auto *action = new velkAction;
    action->setObjectName(QStringLiteral("velkAction1"));
    layout->addWidget(action);

    auto *shown = new QLabel;
    shown->setObjectName(QStringLiteral("aktion"));
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto update = [action, shown] {
        shown->setText(QStringLiteral("Aktion: <tt>%1</tt>").arg(action->Aktion().toHtmlEscaped()));
    };
    // Buttons report after the control's own handlers, which were connected first.
    for (QAbstractButton *button : action->findChildren<QAbstractButton *>())
        QObject::connect(button, &QAbstractButton::toggled, shown, update);
    layout->addWidget(shown);

    auto *row = new QHBoxLayout;
    auto *edit = new QLineEdit(QStringLiteral("delete|save:/srv/archiv/alt|removepath"));
    auto *put = new QPushButton(QStringLiteral("Aktion setzen"));
    row->addWidget(new QLabel(QStringLiteral("Aktion:")));
    row->addWidget(edit, 1);
    row->addWidget(put);
    layout->addLayout(row);
    QObject::connect(put, &QPushButton::clicked, action, [action, edit, update] {
        action->setAktion(edit->text());
        update();
    });
    action->setAktion(QStringLiteral("move|shortcut|save:/srv/archiv/sicherung|recyclebin"));
    update();
    layout->addStretch(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Aktion", 73, createAktionPage, "velkAction",
                  "Was beim Archivieren mit dem Dokument geschieht: löschen, ablegen, Pfad entfernen",
                  "Die Wahl im Steuerelement ergibt einen Aktionstext wie \"delete|save:/srv/archiv/alt|removepath\", der darunter angezeigt wird. Ein eigener Text lässt sich mit \"Aktion setzen\" zurückgeben.");
