#include "GalleryPage.h"
#include "SampleArchive.h"

#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

int countRows(const SampleArchive &archive, const QString &table)
{
    QSqlQuery query(archive.database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !query.next())
        return 0;
    return query.value(0).toInt();
}

QWidget *createOverview(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *title = new QLabel(QStringLiteral("<h2>velkGUI</h2>"
                                            "<p>Steuerelemente für das Dokumentenarchiv.</p>"));
    layout->addWidget(title);
    const QString status = archive.isOpen()
        ? QStringLiteral("Beispielarchiv: %1 Themen, %2 Dokumente, %3 Keywords")
              .arg(countRows(archive, QStringLiteral("Themen")))
              .arg(countRows(archive, QStringLiteral("Dokumente")))
              .arg(countRows(archive, QStringLiteral("Keywords")))
        : QStringLiteral("Beispielarchiv nicht verfügbar: %1").arg(archive.errorText());
    auto *info = new QLabel(status);
    info->setObjectName(QStringLiteral("archiveStatus"));
    layout->addWidget(info);
    layout->addStretch(1);
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Übersicht", 0, createOverview);
