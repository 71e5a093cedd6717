#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/platform/Dialogs.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>
#include <velk/views/velkDBView.h>

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

// The topics as a replacement list "id=name", one per line.
QString topicList(const SampleArchive &archive)
{
    QStringList lines;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT ThemaID, Name FROM Themen ORDER BY ThemaID"));
    while (query.next())
        lines << query.value(0).toString() + u'=' + query.value(1).toString();
    return lines.join(QStringLiteral("\r\n"));
}

// A view over the documents, set up in the order a host calls its members.
velkDBView *makeView(const SampleArchive &archive, const QString &name, bool grouped)
{
    auto *view = new velkDBView;
    view->setObjectName(name);
    view->setMinimumSize(420, 230);
    view->setDatabase(QStringLiteral("sqlite://") + archive.path());
    view->setTable(QStringLiteral("Dokumente"));
    view->setCondition(QString());
    view->setFieldCount(5);
    view->FieldAdd(QStringLiteral("Titel"), 3000, QStringLiteral("Titel"), false, QString());
    view->FieldAdd(QStringLiteral("Absender"), 2200, QStringLiteral("Absender"), true, QString());
    view->FieldAdd(QStringLiteral("Datum"), 1300, QStringLiteral("Datum"), true, QStringLiteral("2025"));
    view->FieldAdd(QStringLiteral("Betrag"), 1300, QStringLiteral("Betrag"), false, QString());
    view->FieldAdd(QStringLiteral("ThemaID"), 900, QStringLiteral("Thema"), false, QString());
    view->setDatacount(2);
    view->DataAdd(QStringLiteral("Summe"), QStringLiteral("SUM(Betrag)"), QStringLiteral("#,##0.00"));
    view->DataAdd(QStringLiteral("Anzahl"), QStringLiteral("COUNT(*)"), QStringLiteral("#"));
    view->SelectionClear();
    if (grouped) {
        view->SelectionAdd(QStringLiteral("Thema"), QStringLiteral("ThemaID"));
        view->SelectionAdd(QStringLiteral("Monat"), QStringLiteral("#MONTH(Datum)"));
        view->SelectionAdd(QStringLiteral("Absender"), QStringLiteral("Absender"));
        view->SetReplace(QStringLiteral("Thema"), topicList(archive));
    }
    view->setTextValue(QStringLiteral("[Titel] vom [Datum]"));
    view->setDataValue(QStringLiteral("Betrag"));
    view->setHeader1(QStringLiteral("Dokumente"));
    view->Refresh();
    return view;
}

// Buttons that drive a view the way a host's toolbar does.
QHBoxLayout *toolbarFor(velkDBView *view, const QString &caption)
{
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(caption));
    bar->addStretch(1);
    auto *ansicht = new QPushButton(QStringLiteral("Ansicht …"));
    auto *optionen = new QPushButton(QStringLiteral("Optionen …"));
    auto *export_ = new QPushButton(QStringLiteral("Export …"));
    for (QPushButton *b : {ansicht, optionen, export_})
        bar->addWidget(b);
    // Click takes twips relative to the view: open the menu under the button.
    auto clickAt = [view](QPushButton *b, int id) {
        const QPoint p = view->mapFromGlobal(b->mapToGlobal(QPoint(0, b->height())));
        view->Click(id, float(p.x() * 15), float(p.y() * 15));
    };
    QObject::connect(ansicht, &QPushButton::clicked, view, [=] { clickAt(ansicht, 1); });
    QObject::connect(optionen, &QPushButton::clicked, view, [=] { clickAt(optionen, 2); });
    QObject::connect(export_, &QPushButton::clicked, view, [view] {
        const QString file = Dialogs::instance().getSaveFileName(
            view, QStringLiteral("Export Excel"), QStringLiteral("Dokumente.csv"),
            QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"), FileDialogOption::OverwritePrompt, QStringLiteral("csv"));
        if (!file.isEmpty())
            view->ExportExcel(file);
    });
    return bar;
}

QWidget *createDBViewPage(SampleArchive &archive, QWidget *parent)
{
    ScrollingPage scrolling(parent, QStringLiteral(
        "<b>velkDBView</b> über den Dokumenten des Beispielarchivs: Absender und Datumsbereich filtern, "
        "Gruppierungen (Thema aus den Themen ersetzt, Monat) wählen, der Pfeil tauscht sie. "
        "Ansicht und Optionen schalten Liste/Grafik, Datenspalte, Sortierung und Vorzeichen."));
    QVBoxLayout *layout = scrolling.layout;

    // The list across the page; the grouped report with an open group beside the chart.
    auto *grid = new QGridLayout;
    velkDBView *list = makeView(archive, QStringLiteral("DBViewListe"), false);
    grid->addLayout(toolbarFor(list, QStringLiteral("Liste")), 0, 0, 1, 2);
    grid->addWidget(list, 1, 0, 1, 2);

    velkDBView *report = makeView(archive, QStringLiteral("DBViewBericht"), true);
    // Open the first group as a click on its box would.
    if (auto row = report->GetSheet()->ListItem(1)) {
        row->Expanded = true;
        Q_EMIT report->GetSheet()->events()->expand(1);
        report->GetSheet()->Refresh();
    }
    grid->addLayout(toolbarFor(report, QStringLiteral("Bericht")), 2, 0);
    grid->addWidget(report, 3, 0);

    velkDBView *chart = makeView(archive, QStringLiteral("DBViewGrafik"), true);
    if (auto *graph = chart->findChild<QAction *>(QStringLiteral("menu_graph")))
        graph->trigger();
    grid->addLayout(toolbarFor(chart, QStringLiteral("Grafik")), 2, 1);
    grid->addWidget(chart, 3, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3, 1);
    layout->addLayout(grid, 1);

    return scrolling.finish();
}

} // namespace

VELK_GALLERY_PAGE("Datenansicht", 62, createDBViewPage, "velkDBView",
                  "Abfragen, Berichte und Grafiken über die Dokumente des Archivs",
                  "Oben eine Liste, darunter ein Bericht nach Themen mit einer geöffneten Gruppe und eine Grafik. "
                  "Die Auswahlfelder und Datumsfelder schränken die Abfrage ein; die Leisten schalten Ansicht und Optionen um und exportieren.");
