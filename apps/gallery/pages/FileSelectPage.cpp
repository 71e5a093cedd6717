#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/common/GUI.h>
#include <velk/editors/velkFileSelect.h>

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>

using namespace velk;

namespace {

const QString kScheme = QStringLiteral("archiv://");

// The archive as a folder tree: topics are folders, their documents files.
void listArchive(SampleArchive &archive, const QString &pfd, Collection<QString> &files, Collection<QString> &folders)
{
    const QString topic = pfd.mid(kScheme.size()).section(u'/', -1);
    QSqlQuery query(archive.database());
    if (topic.isEmpty()) {
        query.exec(QStringLiteral("SELECT Name FROM Themen WHERE ParentID IS NULL ORDER BY Name"));
    } else {
        query.prepare(QStringLiteral("SELECT Name FROM Themen WHERE ParentID = (SELECT ThemaID FROM Themen WHERE Name = ?) ORDER BY Name"));
        query.addBindValue(topic);
        query.exec();
    }
    while (query.next())
        folders.Add(query.value(0).toString());
    if (topic.isEmpty())
        return;
    QSqlQuery documents(archive.database());
    documents.prepare(QStringLiteral("SELECT Titel FROM Dokumente WHERE ThemaID = (SELECT ThemaID FROM Themen WHERE Name = ?) ORDER BY DokumentID LIMIT 200"));
    documents.addBindValue(topic);
    documents.exec();
    while (documents.next())
        files.Add(documents.value(0).toString());
}

QWidget *createFileSelectPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QGridLayout(page);

    auto *files = new velkFileSelect;
    files->setFlags(QStringLiteral("shellfolders"));
    files->setPattern(QStringLiteral("*.png;*.jpg;*.pdf;*.txt;*.xml;*.md"));
    files->Register(QStringLiteral("db"), QStringLiteral("Archiv"), kScheme);
    QObject::connect(files->events(), &velkFileSelectEvents::Extension, page,
                     [&archive](const QString &pfd, Collection<QString> &lstfiles, Collection<QString> &lstpaths) {
                         if (pfd.startsWith(kScheme))
                             listArchive(archive, pfd, lstfiles, lstpaths);
                     });
    auto *log = new QLabel;
    log->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QObject::connect(files->events(), &velkFileSelectEvents::Click, log,
                     [log](const QString &file) { log->setText(QStringLiteral("Click: ") + file); });
    QObject::connect(files->events(), &velkFileSelectEvents::ClickPath, log,
                     [log](const QString &path) { log->setText(QStringLiteral("ClickPath: ") + path); });
    QObject::connect(files->events(), &velkFileSelectEvents::DblClick, log,
                     [log](const QString &file) { log->setText(QStringLiteral("DblClick: ") + file); });

    auto *path = new QLineEdit(QDir::homePath());
    auto *choose = new QPushButton(QStringLiteral("Ordner w\u00e4hlen \u2026"));
    QObject::connect(choose, &QPushButton::clicked, page, [page, path] {
        GUI gui;
        const QString chosen = gui.SelectPath(page->window(), QStringLiteral("Ordner w\u00e4hlen"), path->text());
        if (!chosen.isEmpty())
            path->setText(chosen);
    });
    auto *go = new QPushButton(QStringLiteral("Im Baum zeigen"));
    QObject::connect(go, &QPushButton::clicked, files, [files, path, log] {
        const QString found = files->SelectPath(path->text());
        log->setText(found.isEmpty() ? QStringLiteral("Kein Stamm passt zu diesem Pfad.") : QStringLiteral("SelectPath: ") + found);
    });

    layout->addWidget(files, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Pfad:")), 1, 0);
    layout->addWidget(path, 1, 1);
    layout->addWidget(choose, 1, 2);
    layout->addWidget(go, 2, 2);
    layout->addWidget(log, 2, 0, 1, 2);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(1, 1);
    files->SelectPath(kScheme + QStringLiteral("Vertr\u00e4ge"));
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Dateiauswahl", 72, createFileSelectPage, "velkFileSelect",
                  "Dateien und Ordner in einer Liste wählen",
                  "Die Liste zeigt Ordner und Dateien mit Icons; Klick, Doppelklick und die Wahl eines Pfads werden unten gemeldet.");
