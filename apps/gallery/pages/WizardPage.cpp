#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/controls/velkButton.h>
#include <velk/sheet/velkSheet.h>
#include <velk/wizard/Wizard.h>

#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

// Topic rows for a sheet field: "+" in front of topics that have sub-topics.
QString topicLines(SampleArchive &archive, const QString &parentId)
{
    QSqlQuery query(archive.database());
    query.prepare(QStringLiteral("SELECT t.ThemaID, t.Name, EXISTS(SELECT 1 FROM Themen c WHERE c.ParentID = t.ThemaID) "
                                 "FROM Themen t WHERE t.ParentID IS ? ORDER BY t.Name"));
    query.addBindValue(parentId.isEmpty() ? QVariant() : QVariant(parentId.toInt()));
    query.exec();
    QStringList lines;
    while (query.next()) {
        const QString line = query.value(1).toString() + u'=' + query.value(0).toString();
        lines << (query.value(2).toBool() ? u'+' + line : line);
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString statusLines(SampleArchive &archive)
{
    QSqlQuery query(QStringLiteral("SELECT Keyword FROM Keywords WHERE Gruppe = 'Status' ORDER BY KeywordID"),
                    archive.database());
    QStringList lines;
    while (query.next())
        lines << query.value(0).toString();
    return lines.join(QStringLiteral("\r\n"));
}

// The three pages that describe a new document.
void defineDocumentWizard(Wizard &w, SampleArchive &archive)
{
    w.AddText(QStringLiteral("titel"), QString(), QStringLiteral("Titel"), 1,
              QStringLiteral("help=Der Titel erscheint in allen Listen des Archivs.\\nBeispiel: Rechnung Nr. 12345"));
    w.AddText(QStringLiteral("datei"), QString(), QStringLiteral("Datei"), 1, QStringLiteral("file"));
    w.AddText(QStringLiteral("datum"), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")),
              QStringLiteral("Datum"), 1);
    w.AddSheet(QStringLiteral("thema"), QString(), topicLines(archive, QString()), QStringLiteral("Thema"), 2,
               QStringLiteral("leftmargin=260"));
    w.AddCombo(QStringLiteral("status"), QStringLiteral("offen"), statusLines(archive), QStringLiteral("Status"), 2);
    for (int stars = 1; stars <= 5; ++stars)
        w.AddOption(QStringLiteral("bewertung%1").arg(stars), stars == 3 ? QStringLiteral("true") : QStringLiteral("false"),
                    QString(stars, QChar(0x2605)), 3);
    w.AddLabel(QStringLiteral("-"), 3);
}

// The summary on the last page is built when that page loads.
void connectSummary(Wizard &w)
{
    QObject::connect(w.events(), &WizardEvents::LoadPage, &w, [&w](int page) {
        if (page != 3)
            return;
        w.ClearPage(3);
        for (int stars = 1; stars <= 5; ++stars) {
            const QString key = QStringLiteral("bewertung%1").arg(stars);
            w.AddOption(key, w.GetValue(key) == u"???" ? QStringLiteral("false") : w.GetValue(key),
                        QString(stars, QChar(0x2605)), 3);
        }
        w.AddLabel(QStringLiteral("Neu: „%1“ vom %2, Status %3").arg(w.GetValue(QStringLiteral("titel")),
                                                                    w.GetValue(QStringLiteral("datum")),
                                                                    w.GetValue(QStringLiteral("status"))),
                   3);
    });
}

int chosenRating(const Wizard &w)
{
    for (int stars = 1; stars <= 5; ++stars) {
        if (w.GetValue(QStringLiteral("bewertung%1").arg(stars)) == u"true")
            return stars;
    }
    return 0;
}

void fillLatest(velkSheet &list, SampleArchive &archive)
{
    list.setRedraw(false);
    list.Clear();
    QSqlQuery query(QStringLiteral("SELECT d.Titel, t.Name, d.Datum, d.Bewertung FROM Dokumente d "
                                   "JOIN Themen t ON t.ThemaID = d.ThemaID ORDER BY d.DokumentID DESC LIMIT 12"),
                    archive.database());
    while (query.next()) {
        list.AddItem(query.value(0).toString() + u'\t' + query.value(1).toString() + u'\t' + query.value(2).toString()
                     + u'\t' + QString(query.value(3).toInt(), QChar(0x2605)));
    }
    list.setRedraw(true);
}

QWidget *createWizardPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);

    auto *start = new velkButton;
    start->setCaption(QStringLiteral("Dokument hinzufügen …"));
    start->setIcon(QStringLiteral("newfile"));
    start->setFixedSize(200, 28);
    layout->addWidget(start);

    // The first page of the same wizard, shown in place so the page shows what the
    // button opens without a modal loop.
    auto *preview = new Wizard(page);
    defineDocumentWizard(*preview, archive);
    QDialog *form = preview->WizardForm();
    form->setParent(page, Qt::Widget);
    form->setMinimumHeight(260);
    form->setWindowTitle(QStringLiteral("Neues Dokument"));
    layout->addWidget(form, 1); // shown with the page, it opens at page 1
    // Finishing or cancelling the embedded copy starts it again instead of hiding it.
    QObject::connect(form, &QDialog::finished, form, [form] { form->show(); });

    auto *caption = new QLabel(QStringLiteral("Zuletzt abgelegt:"));
    layout->addWidget(caption);
    auto *latest = new velkSheet;
    latest->setObjectName(QStringLiteral("Dokumente"));
    latest->setColumns(QStringLiteral("Titel:3600,Thema:2400,Datum:1400,Bewertung:1200"));
    latest->setMinimumHeight(160);
    layout->addWidget(latest, 1);
    fillLatest(*latest, archive);

    auto *wizard = new Wizard(page);
    defineDocumentWizard(*wizard, archive);
    connectSummary(*wizard);
    connectSummary(*preview);
    for (Wizard *w : {wizard, preview}) {
        QObject::connect(w->events(), &WizardEvents::expand, w, [w, &archive](const QString &key, const QString &topic) {
            w->AddSheetItem(key, topic, topicLines(archive, topic));
        });
    }
    QObject::connect(start->events(), &velkButtonEvents::Click, page, [wizard, latest, &archive] {
        if (!wizard->Show(QStringLiteral("Neues Dokument")))
            return;
        QSqlQuery insert(archive.database());
        insert.prepare(QStringLiteral("INSERT INTO Dokumente (ThemaID, Titel, Datei, Datum, Bewertung, Keywords) "
                                      "VALUES (?, ?, ?, ?, ?, ?)"));
        const QString topic = wizard->GetValue(QStringLiteral("thema"));
        insert.addBindValue(topic.isEmpty() ? 1 : topic.toInt());
        insert.addBindValue(wizard->GetValue(QStringLiteral("titel")));
        insert.addBindValue(wizard->GetValue(QStringLiteral("datei")));
        insert.addBindValue(wizard->GetValue(QStringLiteral("datum")));
        insert.addBindValue(chosenRating(*wizard));
        insert.addBindValue(wizard->GetValue(QStringLiteral("status")));
        insert.exec();
        fillLatest(*latest, archive);
    });
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Assistent", 80, createWizardPage, "",
                  "Ein Assistent aus einer Felderbeschreibung in XML",
                  "Der Assistent baut seine Schritte aus einem Felddokument; Weiter und Zurück blättern, am Ende stehen die Antworten als Text.");
