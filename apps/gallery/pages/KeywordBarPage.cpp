#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/editors/velkKeyword.h>

#include <QGridLayout>
#include <QLabel>
#include <QSqlQuery>
#include <QVariant>

using namespace velk;

namespace {

void loadKeywords(SampleArchive &archive, velkKeyword *bar)
{
    bar->Clear();
    bar->setCaption(QStringLiteral("Keyword"));
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT Keyword FROM Keywords ORDER BY KeywordID"));
    while (query.next())
        bar->AddItem(query.value(0).toString());
    bar->Refresh();
}

QWidget *createKeywordBarPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QGridLayout(page);
    auto *bar = new velkKeyword;
    // The picks are counted in the user's settings, so the order survives a restart.
    bar->setKeywordsRegistry(QStringLiteral("Software\\velk\\Gallery\\Keywords"));
    auto *log = new QLabel(QStringLiteral("Die meistgewählten Keywords stehen vorn; "
                                          "die Reihenfolge bleibt über einen Neustart erhalten."));
    log->setWordWrap(true);
    QObject::connect(bar->events(), &velkKeywordEvents::SetKeyword, log,
                     [log](const QString &keyword) { log->setText(QStringLiteral("SetKeyword: ") + keyword); });
    QObject::connect(bar->events(), &velkKeywordEvents::Refresh, page, [&archive, bar] { loadKeywords(archive, bar); });
    loadKeywords(archive, bar);

    layout->addWidget(bar, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(log, 1, 0);
    layout->setRowStretch(2, 1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Keyword-Leiste", 75, createKeywordBarPage, "velkKeyword",
                  "Die meistgewählten Keywords als Schaltflächen",
                  "Ein Klick wählt ein Keyword; der Pfeil öffnet alle weiteren. Häufig gewählte Keywords rücken nach vorn, "
                  "und was die Leiste gelernt hat, bleibt bis zum nächsten Start erhalten.");
