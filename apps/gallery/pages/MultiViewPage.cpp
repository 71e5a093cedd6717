#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/date/DateRange.h>
#include <velk/views/velkDBView.h>
#include <velk/views/velkMultiView.h>

#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

// The views the page offers, with the name Show takes.
const std::pair<const char *, const char *> kViews[] = {
    {"Tabelle", "Table"}, {"Liste", "List"}, {"Grafik", "Graph"}, {"Datenansicht", "DBView"},
    {"Bearbeiten", "DB"}, {"Gruppiert", "Sheet"}, {"Vorschau", "View"},
};

QString isoDate(const QString &ddmmyyyy)
{
    return QDate::fromString(ddmmyyyy, QStringLiteral("dd.MM.yyyy")).toString(Qt::ISODate);
}

/// Fills the multi view from the archive for the shown view, the chosen topic and the
/// date range: what a host does in its Refresh handler.
class MultiViewHost : public QObject
{
public:
    MultiViewHost(SampleArchive &archive, velkMultiView *view, QLabel *status)
        : QObject(view)
        , m_archive(archive)
        , m_view(view)
        , m_status(status)
    {
    }

    void refresh()
    {
        const QString view = m_view->SelectedView();
        m_view->setHeader2(QStringLiteral("Zeitraum: ") + (m_view->DatumText().isEmpty() ? QStringLiteral("alle") : m_view->DatumText()));
        if (view == u"List")
            fillList();
        else if (view == u"Graph")
            fillGraph();
        else if (view == u"DBView")
            fillDBView();
        else if (view == u"View")
            fillPreview();
        else if (view == u"Sheet")
            fillGrouped();
        else
            m_view->GridDatabase(m_archive.path(), QStringLiteral("SELECT Titel, Datum, Absender, Betrag FROM Dokumente WHERE ")
                                                        + where() + QStringLiteral(" ORDER BY Datum DESC LIMIT 300"));
    }

    // Only numbers and dates from the controls reach the SQL text.
    QString where() const
    {
        QString sql = QStringLiteral("Datum BETWEEN '%1' AND '%2'")
                          .arg(isoDate(DateRangeStart(m_view->DatumText())), isoDate(DateRangeEnd(m_view->DatumText())));
        if (const int topic = m_view->ComboIndex(1); topic > 1)
            sql += QStringLiteral(" AND ThemaID = %1").arg(topic - 1);
        return sql;
    }

    void fillList()
    {
        m_view->Clear();
        QSqlQuery q(m_archive.database());
        q.exec(QStringLiteral("SELECT DokumentID, Titel, Datum FROM Dokumente WHERE ") + where()
               + QStringLiteral(" ORDER BY Datum DESC LIMIT 200"));
        while (q.next())
            m_view->ListAdd(q.value(1).toString() + QStringLiteral(" (") + q.value(2).toString() + u')', q.value(0).toInt());
    }

    void fillGraph()
    {
        QSqlQuery q(m_archive.database());
        q.exec(QStringLiteral("SELECT strftime('%m.%Y', Datum), SUM(Betrag), COUNT(*) FROM Dokumente WHERE ") + where()
               + QStringLiteral(" GROUP BY strftime('%Y-%m', Datum) ORDER BY strftime('%Y-%m', Datum) LIMIT 24"));
        std::vector<std::tuple<QString, double, double>> months;
        while (q.next())
            months.emplace_back(q.value(0).toString(), q.value(1).toDouble() / 1000, q.value(2).toDouble());
        m_view->GraphInit(2, int(months.size()), false, QStringLiteral("Beträge und Anzahl je Monat"));
        m_view->GraphSetRowLabel(1, QStringLiteral("Summe (Tsd.)"));
        m_view->GraphSetRowLabel(2, QStringLiteral("Anzahl"));
        for (int i = 0; i < int(months.size()); ++i) {
            m_view->GraphSetColLabel(std::get<0>(months[size_t(i)]));
            m_view->GraphSetData(1, i + 1, std::get<1>(months[size_t(i)]));
            m_view->GraphSetData(2, i + 1, std::get<2>(months[size_t(i)]));
        }
    }

    void fillDBView()
    {
        m_view->DBViewInit(QStringLiteral("sqlite://") + m_archive.path(), QStringLiteral("Dokumente"), where());
        m_view->DBViewInitFields(QStringLiteral("Titel|3000|Titel|no|,Absender|2200|Absender|yes|,Datum|1300|Datum|no|,Betrag|1300|Betrag|no|"));
        m_view->DBViewInitSelections(QStringLiteral("Absender,Monat=#MONTH(Datum)"));
        m_view->DBViewInitDatas(QStringLiteral("Betrag;Summe|SUM(Betrag)|0.00,Anzahl|COUNT(*)|#"));
        m_view->DBViewSetTextValue(QStringLiteral("[Titel] vom [Datum]"));
        if (auto *dbview = m_view->findChild<velkDBView *>(QStringLiteral("DBView1")))
            dbview->Refresh();
    }

    void fillPreview()
    {
        QSqlQuery q(m_archive.database());
        q.exec(QStringLiteral("SELECT COUNT(*), SUM(Betrag) FROM Dokumente WHERE ") + where());
        q.next();
        m_view->PreviewInit(QStringLiteral("$Font Arial\r\n$Size 18\r\n$Top 2\r\n!B #TITEL\r\n$Size 11\r\n$Top 3.2\r\n#ZEITRAUM\r\n"
                                           "$Top 4.5\r\nDokumente: #ANZAHL\r\nSumme der Beträge: #SUMME €"),
                            QStringLiteral("TITEL=Auswertung des Archivs\r\nZEITRAUM=") + m_view->Header2()
                                + QStringLiteral("\r\nANZAHL=") + q.value(0).toString() + QStringLiteral("\r\nSUMME=")
                                + QString::number(q.value(1).toDouble(), 'f', 2));
    }

    // Topics as parents, their documents below.
    void fillGrouped()
    {
        m_view->SheetInit(QStringLiteral("Thema / Titel:4000,Datum:1400,Betrag:1400,"));
        m_view->setSheetRedraw(false);
        QSqlQuery q(m_archive.database());
        q.exec(QStringLiteral("SELECT t.Name, d.Titel, d.Datum, d.Betrag FROM Dokumente d JOIN Themen t ON t.ThemaID = d.ThemaID WHERE ")
               + where() + QStringLiteral(" ORDER BY t.Name, d.Datum DESC LIMIT 300"));
        QString topic;
        while (q.next()) {
            if (q.value(0).toString() != topic) {
                topic = q.value(0).toString();
                m_view->SheetAdd(u'^' + topic + u'\t', QStringLiteral("topicpath"), 0, true);
            }
            m_view->SheetAdd(q.value(1).toString() + u'\t' + q.value(2).toString() + u'\t' + q.value(3).toString() + u'\t',
                             QString(), 1);
        }
        m_view->setSheetRedraw(true);
    }

    void connectEvents()
    {
        velkMultiViewEvents *ev = m_view->events();
        connect(ev, &velkMultiViewEvents::Refresh, this, [this] { refresh(); });
        connect(ev, &velkMultiViewEvents::ComboClick, this, [this](int) { refresh(); });
        connect(ev, &velkMultiViewEvents::DatumGetFullRange, this, [this](QString &dat) {
            QSqlQuery q(m_archive.database());
            q.exec(QStringLiteral("SELECT strftime('%m.%Y', MIN(Datum)), strftime('%m.%Y', MAX(Datum)) FROM Dokumente"));
            if (q.next())
                dat = q.value(0).toString() + QStringLiteral(" - ") + q.value(1).toString();
        });
        connect(ev, &velkMultiViewEvents::MenuCheckState, this, [this](const QString &par, bool &, bool &Enabled, bool &) {
            Enabled = par != u"del" || m_view->SelectedView() == u"DB";
        });
        connect(ev, &velkMultiViewEvents::MenuClick, this,
                [this] { m_status->setText(QStringLiteral("Menü gewählt: ") + m_view->Selected()); });
        connect(ev, &velkMultiViewEvents::InputNewText, this, [this](const QString &txt) {
            m_status->setText(QStringLiteral("Neuer Eintrag: ") + txt);
            m_view->InputNewClear();
        });
        connect(ev, &velkMultiViewEvents::InputNewClick, this,
                [this] { m_status->setText(QStringLiteral("Neuer Eintrag angefordert")); });
        connect(ev, &velkMultiViewEvents::RowSelect, this, [this](int row, bool) {
            m_status->setText(QStringLiteral("Zeile %1 gewählt").arg(row));
        });
        connect(ev, &velkMultiViewEvents::Sort, this,
                [this](const QString &field) { m_status->setText(QStringLiteral("Sortieren nach ") + field); });
        connect(ev, &velkMultiViewEvents::Update, this, [this](int row, int col, const QString &value) {
            m_status->setText(QStringLiteral("Zeile %1, Spalte %2: \"%3\"").arg(row).arg(col).arg(value));
        });
    }

private:
    SampleArchive &m_archive;
    velkMultiView *m_view;
    QLabel *m_status;
};

void fillHeadStrip(SampleArchive &archive, velkMultiView *view)
{
    view->setHeader1(QStringLiteral("Dokumente"));
    view->ComboAddControl(QStringLiteral("Thema"));
    view->ComboAddItem(1, QStringLiteral("(alle Themen)"));
    QSqlQuery q(archive.database());
    q.exec(QStringLiteral("SELECT Name FROM Themen ORDER BY ThemaID"));
    while (q.next())
        view->ComboAddItem(1, q.value(0).toString());
    view->ComboSetIndex(1, 1);
    view->setDatumVisible(true);
    view->setDatumText(QString::number(QDate::currentDate().year() - 1));
    view->setInputNewVisible(true);
    view->setMenu(QStringLiteral("Öffnen|open,Als erledigt markieren|done,-,Löschen|del"));
    QStringList keywords;
    q.exec(QStringLiteral("SELECT Gruppe, Keyword FROM Keywords ORDER BY KeywordID"));
    while (q.next())
        keywords << q.value(0).toString() + u'=' + q.value(1).toString();
    view->AddKeywords(keywords.join(u','));
    view->RefreshKeywords();
}

QWidget *createMultiViewPage(SampleArchive &archive, QWidget *parent)
{
    ScrollingPage scrolling(parent, QStringLiteral(
        "<b>velkMultiView</b> zeigt die Dokumente des Beispielarchivs wahlweise als Tabelle, Liste, Grafik, "
        "Datenansicht, bearbeitbare Liste, gruppierte Liste oder Druckvorschau. Thema und Zeitraum (▾) filtern; "
        "ein Rechtsklick öffnet das Kontextmenü."));
    QVBoxLayout *layout = scrolling.layout;

    auto *bar = new QHBoxLayout;
    auto *choice = new QComboBox;
    choice->setObjectName(QStringLiteral("Ansicht"));
    choice->setToolTip(QStringLiteral("Ansicht"));
    for (const auto &[caption, name] : kViews)
        choice->addItem(QString::fromUtf8(caption), QString::fromLatin1(name));
    auto *copy = new QPushButton(QStringLiteral("&Kopieren"));
    auto *print = new QPushButton(QStringLiteral("&Drucken"));
    auto *status = new QLabel;
    status->setObjectName(QStringLiteral("status"));
    bar->addWidget(new QLabel(QStringLiteral("Ansicht:")));
    bar->addWidget(choice);
    bar->addWidget(copy);
    bar->addWidget(print);
    bar->addWidget(status, 1);
    layout->addLayout(bar);

    auto *view = new velkMultiView;
    view->setObjectName(QStringLiteral("MultiAnsicht"));
    view->setMinimumSize(560, 280);
    layout->addWidget(view, 1);
    auto *host = new MultiViewHost(archive, view, status);
    host->connectEvents();
    fillHeadStrip(archive, view);

    auto show = [view, choice, host] {
        view->Show(choice->currentData().toString());
        host->refresh();
    };
    QObject::connect(choice, &QComboBox::currentIndexChanged, view, show);
    QObject::connect(copy, &QPushButton::clicked, view, [view] { view->Copy(); });
    QObject::connect(print, &QPushButton::clicked, view, [view] { view->PrintOut(QStringLiteral("Dokumente")); });
    show();

    return scrolling.finish();
}

} // namespace

VELK_GALLERY_PAGE("Multi-Ansicht", 63, createMultiViewPage, "velkMultiView",
                  "Ein Datenbereich als Tabelle, Liste, Grafik, Datenansicht oder Druckvorschau",
                  "Oben wählt die Ansicht, wie das Archiv gezeigt wird; Kopieren und Drucken wirken auf die gezeigte Ansicht. "
                  "In der Kopfleiste filtern Thema und Zeitraum (▾ bietet Vorgaben wie \"Aktueller Monat\"), das Feld rechts "
                  "nimmt neue Einträge an. Der Tabellenkopf bietet \"Keywords\" für die Schlagwortliste daneben.");
