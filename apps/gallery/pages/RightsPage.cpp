#include "GalleryPage.h"

#include <velk/editors/velkRights.h>
#include <velk/sheet/velkSheet.h>

#include <QLabel>
#include <QVBoxLayout>

using namespace velk;

namespace {

QWidget *createRightsPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral(
        "<b>velkRights</b>: eigene Rechte (Kleinbuchstabe erteilt, Großbuchstabe verweigert) und vom "
        "Oberthema geerbte Rechte (graues Häkchen). Ein Klick auf ein Kästchen schaltet das Recht um."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *rights = new velkRights;
    rights->AddRight(QStringLiteral("Lesen"), QStringLiteral("r"));
    rights->AddRight(QStringLiteral("Ändern"), QStringLiteral("e"));
    rights->AddRight(QStringLiteral("Kommentieren"), QStringLiteral("k"));
    rights->AddRight(QStringLiteral("Verwalten"), QStringLiteral("w"));
    rights->AddRight(QStringLiteral("Löschen"), QStringLiteral("d"));
    rights->setParameter(QStringLiteral("Anna Berger:rW,Bernd Kurz,Carla Dietz:*,Dieter Vogt:rk\n"
                                        "Anna Berger:rew,Erika Sommer:r,Frank Weiß:rek"));
    layout->addWidget(rights, 1);
    auto *log = new QLabel;
    log->setObjectName(QStringLiteral("eventLog"));
    log->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const auto showParameter = [log, rights] {
        log->setText(QStringLiteral("Parameter: %1").arg(rights->Parameter()));
    };
    QObject::connect(rights->events(), &velkRightsEvents::Changed, log, showParameter);
    showParameter();
    layout->addWidget(log);
    // Anna inherits, so the screenshot shows own, denied and inherited rights together.
    if (auto *users = rights->findChild<velkSheet *>(QStringLiteral("velkSheet1")))
        users->setSelectedIndex(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Rechte", 61, createRightsPage, "velkRights",
                  "Rechte von Benutzern und Gruppen bearbeiten",
                  "Zwei Listen zeigen Berechtigte und ihre Rechte; die Knöpfe fügen hinzu und entfernen. Das Ergebnis steht als Parametertext darunter.");
