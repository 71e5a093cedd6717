#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/platform/Dialogs.h>
#include <velk/preview/PageText.h>
#include <velk/preview/PreView.h>
#include <velk/preview/velkPreView.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

// The archive's documents by topic, as a sheet-based report prints them.
void fillDocuments(velkSheet &sheet, const SampleArchive &archive)
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    sheet.setColumns(QStringLiteral("Nr:700R,Titel:3600,Thema:2200,Datum:1300,Betrag:1400R"));
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT d.DokumentID, d.Titel, t.Name, strftime('%d.%m.%Y', d.Datum), d.Betrag FROM Dokumente d "
                              "JOIN Themen t ON t.ThemaID = d.ThemaID ORDER BY t.Name, d.Datum"));
    QString topic;
    while (query.next()) {
        if (query.value(2).toString() != topic) {
            topic = query.value(2).toString();
            auto head = sheet.AddItem(QStringLiteral("\t^") + topic);
            head->BackColor = 0xF0E0D0;
        }
        sheet.AddItem(query.value(0).toString() + u'\t' + query.value(1).toString() + u'\t' + topic + u'\t'
                      + query.value(3).toString() + u'\t' + german.toString(query.value(4).toDouble(), 'f', 2));
    }
}

// An invoice: one table row per article from the replacement list, amounts computed.
const char *const invoiceText =
    "$Font Arial\r\n$Size 20\r\n$Top 2\r\n!B Rechnung #NUMMER\r\n$Size 10\r\n$Top 3.2\r\n#KUNDE(1)\r\n#KUNDE(2)\r\n#KUNDE(3)\r\n"
    "$Top 3.2 19 R\r\nDatum: %DATUM\r\n$Top 6\r\n$summe 5\r\n$Table 0.08 1 1.5R;7.5;2R;2.5R;3.5R\r\n$TableHead\r\n"
    "!RGB:E0E0E0 Pos.;Artikel;Menge;Preis;Betrag\r\n$LOOP ARTIKEL\r\n{\r\n#POS(#);#ARTIKEL;#MENGE(#);#PREIS(#);=MULT:C3:C4\r\n}\r\n"
    "!RGB:F0F0F0 ;Nettobetrag;;;=SUMME\r\n;Umsatzsteuer 19 %;;;=MWST:#NETTO:19\r\n!RGB:C0FFC0 ;!B Rechnungsbetrag;;;=SUMME+:#BRUTTO\r\n$/Table\r\n"
    "$gap 1\r\n$if #BRUTTO > 1000\r\nBei Zahlung binnen 10 Tagen gewähren wir 2 % Skonto.\r\n$else\r\nZahlbar sofort ohne Abzug.\r\n$endif\r\n"
    "$line 2 y+0.5 19 y+0.5\r\n$Size 8\r\nKontor Velk · Beispielweg 1 · 12345 Musterstadt\r\n";

QString invoiceList()
{
    return QStringLiteral("NUMMER=2026-0815\r\nKUNDE=Muster GmbH;Frau Erika Beispiel;Lindenallee 5, 54321 Beispielstadt\r\n"
                          "POS=1;2;3;4\r\nARTIKEL=Ordner A4, blau;Archivkarton;Etiketten (500 Stück);Scannen je Seite\r\n"
                          "MENGE=20;12;3;1500\r\nPREIS=2,95;4,80;12,90;0,45\r\nNETTO=830,30\r\nBRUTTO=988,06");
}

class PreviewPage : public QWidget
{
public:
    PreviewPage(SampleArchive &archive, QWidget *parent)
        : QWidget(parent)
    {
        m_sheet = new velkSheet(this);
        m_sheet->hide();
        fillDocuments(*m_sheet, archive);
        m_view = new velkPreView(this);
        m_view->setObjectName(QStringLiteral("View1"));
        auto *status = new QLabel(this);
        QObject::connect(m_view->events(), &velkPreViewEvents::PageChanged, status, [status](int page, int pages) {
            status->setText(QStringLiteral("Seite %1 von %2 · Klick vergrößert, Ziehen verschiebt, Bild auf/ab blättert").arg(page).arg(pages));
        });

        auto *report = new QPushButton(QStringLiteral("Archivbericht"), this);
        auto *invoice = new QPushButton(QStringLiteral("Rechnung"), this);
        auto *open = new QPushButton(QStringLiteral("Druckvorschau öffnen…"), this);
        QObject::connect(report, &QPushButton::clicked, this, [this] { showReport(); });
        QObject::connect(invoice, &QPushButton::clicked, this, [this] {
            m_view->Init(QString::fromUtf8(invoiceText), invoiceList());
        });
        QObject::connect(open, &QPushButton::clicked, this, [this] {
            PreView::ShowSheet(*m_sheet, QStringLiteral("Dokumente nach Thema"), today(), {}, {}, this);
        });
        auto *buttons = new QHBoxLayout;
        buttons->addWidget(report);
        buttons->addWidget(invoice);
        buttons->addWidget(open);
        buttons->addStretch();
        buttons->addWidget(status);
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(buttons);
        layout->addWidget(m_view, 1);
        showReport();
        m_view->setZoom(0.75);
    }

private:
    static QString today() { return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")); }
    void showReport()
    {
        const PageText text = SheetPageText(*m_sheet, QStringLiteral("Dokumente nach Thema"), today());
        m_view->Init(text.text, text.repl);
    }

    velkSheet *m_sheet = nullptr;
    velkPreView *m_view = nullptr;
};

QWidget *createPreviewPage(SampleArchive &archive, QWidget *parent)
{
    return new PreviewPage(archive, parent);
}

} // namespace

VELK_GALLERY_PAGE("Druckvorschau", 60, createPreviewPage, "velkPreView",
                  "Druckvorschau für Text in der Seitenbeschreibungssprache",
                  "Ein Klick vergrößert, Ziehen verschiebt, Bild auf/ab blättert die Seiten.");
