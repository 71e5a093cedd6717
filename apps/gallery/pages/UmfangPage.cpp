#include "GalleryPage.h"

#include <velk/editors/velkUmfang.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace velk;

namespace {

QWidget *createUmfangPage(SampleArchive &, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral(
        "<b>velkUmfang</b>: welche Dateien der Archivordner übernommen werden. Hinzufügen und Bearbeiten öffnen "
        "das Regelformular, Löschen fragt nach.")));
    auto *umfang = new velkUmfang;
    umfang->setObjectName(QStringLiteral("velkUmfang1"));
    umfang->setInclude(QStringLiteral("doc *.pdf|par archiv/2026|size < 20 MB\r\n"
                                      "doc *.doc|par archiv/2025|age < 1 Jahre\r\n"
                                      "par archiv/Verträge|attr -H\r\n"
                                      "doc Rechnung*.xls|subject Rechnung\r\n"));
    umfang->setExclude(QStringLiteral("doc *.tmp\r\n"
                                      "doc ~*|size < 1 KB\r\n"
                                      "par archiv/Papierkorb|attr +S|attr +H\r\n"));
    umfang->setSubPath(true);
    umfang->setMinimumHeight(360);
    layout->addWidget(umfang, 1);

    auto *show = new QPushButton(QStringLiteral("Regeltexte anzeigen"));
    auto *rules = new QLabel;
    rules->setObjectName(QStringLiteral("rules"));
    rules->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto update = [umfang, rules] {
        auto lines = [](QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>")); };
        rules->setText(QStringLiteral("<b>Include</b><br><tt>%1</tt><b>Exclude</b><br><tt>%2</tt>"
                                      "<b>SubPath</b>: %3")
                           .arg(lines(umfang->Include().toHtmlEscaped()), lines(umfang->Exclude().toHtmlEscaped()),
                                umfang->SubPath() ? QStringLiteral("ja") : QStringLiteral("nein")));
    };
    QObject::connect(show, &QPushButton::clicked, rules, update);
    update();
    layout->addWidget(show, 0, Qt::AlignLeft);
    layout->addWidget(rules);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Umfang", 71, createUmfangPage, "velkUmfang",
                  "Regeln für einen Umfang zusammenstellen",
                  "Hinzufügen, Ändern und Löschen bearbeiten die Regeln; darunter stehen die Regeln für Include und Exclude als Text.");
