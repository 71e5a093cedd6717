#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/editors/velkKeywords.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSqlQuery>
#include <QVariant>

using namespace velk;

namespace {

// The archive's keywords as "Gruppe=Keyword" entries, for AddTopics.
QString archiveKeywords(SampleArchive &archive)
{
    QStringList entries;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT Gruppe, Keyword FROM Keywords ORDER BY KeywordID"));
    while (query.next())
        entries << query.value(0).toString() + u'=' + query.value(1).toString();
    return entries.join(u',');
}

int documentsWith(SampleArchive &archive, const QString &keyword)
{
    const QString bare = keyword.section(u'=', -1);
    QSqlQuery query(archive.database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM Dokumente WHERE ';' || Keywords || ';' LIKE ?"));
    query.addBindValue(QStringLiteral("%;") + bare + QStringLiteral(";%"));
    query.exec();
    return query.next() ? query.value(0).toInt() : 0;
}

QWidget *createKeywordsPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QGridLayout(page);
    auto *documents = new QComboBox;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT DokumentID, Titel FROM Dokumente ORDER BY DokumentID LIMIT 40"));
    while (query.next())
        documents->addItem(query.value(1).toString(), query.value(0));

    auto *keywords = new velkKeywords;
    keywords->AddTopics(archiveKeywords(archive));
    keywords->Refresh();
    auto *status = new QLabel;
    status->setWordWrap(true);

    // The document's keywords are ticked; a tick writes them back to the document.
    auto showDocument = [&archive, documents, keywords, status] {
        QSqlQuery read(archive.database());
        read.prepare(QStringLiteral("SELECT Keywords FROM Dokumente WHERE DokumentID = ?"));
        read.addBindValue(documents->currentData());
        read.exec();
        keywords->setSelectedKeywords(read.next() ? read.value(0).toString() : QString());
        status->setText(QStringLiteral("SelectedKeywords: ") + keywords->SelectedKeywords());
    };
    QObject::connect(documents, &QComboBox::currentIndexChanged, page, showDocument);
    QObject::connect(keywords->events(), &velkKeywordsEvents::SetKeyword, page,
                     [&archive, documents, keywords, status](const QString &keyword, bool on) {
                         QSqlQuery write(archive.database());
                         write.prepare(QStringLiteral("UPDATE Dokumente SET Keywords = ? WHERE DokumentID = ?"));
                         write.addBindValue(keywords->SelectedKeywords());
                         write.addBindValue(documents->currentData());
                         write.exec();
                         status->setText(QStringLiteral("SetKeyword(%1, %2) \u2013 gespeichert: %3")
                                             .arg(keyword, on ? QStringLiteral("True") : QStringLiteral("False"),
                                                  keywords->SelectedKeywords()));
                     });
    QObject::connect(keywords->events(), &velkKeywordsEvents::Query, page, [&archive, status](const QString &q) {
        status->setText(QStringLiteral("Query(%1): %2 Dokumente").arg(q).arg(documentsWith(archive, q)));
    });

    layout->addWidget(new QLabel(QStringLiteral("Dokument:")), 0, 0);
    layout->addWidget(documents, 0, 1);
    layout->addWidget(keywords, 1, 0, 1, 2);
    layout->addWidget(status, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);
    showDocument();
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Keywords", 74, createKeywordsPage, "velkKeywords",
                  "Keywords nach Themen, angekreuzt für ein Dokument",
                  "Wählen Sie ein Dokument: seine Keywords sind angekreuzt. Ein Häkchen ändert die Keywords des Dokuments; "
                  "die letzte Zeile legt ein neues Keyword an.");
