#include "GalleryMenus.h"
#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/menu/velkMenuBar.h>
#include <velk/menu/velkMenuPopup.h>
#include <velk/sheet/velkSheet.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QVBoxLayout>

using namespace velk;

namespace {

const char *const kToolbar = "newfile#Neu,open#Öffnen,save#Speichern#|v,-,print#(Drucken),preview#Vorschau,-,"
                             "cut#,copy#,paste#,>,help#Hilfe#v";
const char *const kTabs = "Allgemein,topic#Themen,keyword#Schlagwörter,date#Termine#v";
const char *const kList = "home#Start,db#Archiv,-,topic#Themen,person#Personen,letter#Post,books#Berichte";

struct BarSample
{
    const char *title;
    short style;
    const char *menu;
    short selected;
};

const BarSample kHorizontal[] = {
    {"Stil 0: Werkzeugleiste", 0, kToolbar, 0},
    {"Stil 1: Register", 1, kTabs, 2},
    {"Stil 2: weiße Schaltflächen", 2, "home#Start,db#Archiv,-,find#Suchen,$text:suche,filter#Filter", 0},
    {"Stil 3: Menü", 3, "Datei,Bearbeiten,Ansicht,-,#Extras#v,Hilfe", 0},
    {"Stil 4: Register, breite Icons", 4, kTabs, 1},
    {"Stil 5: Auswahl bleibt", 5, "table#Liste,excel#Tabelle,image#Bilder,preview#Vorschau", 3},
    {"Stil 6: feste Breite", 6, "ok#Fertig,undo#Zurück,delete#Löschen", 0},
    {"Felder", 0, "find#Suche,$text:name,-,date#ab,$date:von,-,Bewertung,$eval:flags,>,refresh#(Aktualisieren)", 0},
};

// The flags of an "$eval" field in words: "?" marks a question, each "x" a chosen level.
QString evalFlagsText(const QString &flags)
{
    QStringList parts;
    if (flags.startsWith(u'?'))
        parts << QStringLiteral("Rückfrage");
    QStringList levels;
    for (int i = 1; i < flags.size(); ++i) {
        if (flags[i] == u'x')
            levels << QString::number(i);
    }
    if (!levels.isEmpty())
        parts << QStringLiteral("Stufe %1").arg(levels.join(QStringLiteral(", ")));
    return parts.isEmpty() ? QStringLiteral("keine Markierung") : parts.join(QStringLiteral(", "));
}

/// The menu bars in every style, answered the way a host answers them: items with a
/// drop-down marker, split arrows and the menu-style bar open menus whose commands act on
/// the document list below.
class MenuBarPage : public QWidget
{
public:
    MenuBarPage(SampleArchive &archive, QWidget *parent)
        : QWidget(parent)
        , m_archive(archive)
    {
        auto *layout = new QVBoxLayout(this);
        m_log = new QLabel(QStringLiteral("Klicken Sie ein Element an, oder ziehen Sie Dateien auf eine Leiste."));
        m_log->setObjectName(QStringLiteral("eventLog"));
        m_log->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        layout->addWidget(new QLabel(QStringLiteral("<b>velkMenuBar</b> in den Stilen 0 bis 6, waagrecht und senkrecht; "
                                                    "Einträge mit ▾ öffnen ein Menü")));
        layout->addWidget(horizontalBars());
        auto *lower = new QHBoxLayout;
        lower->addWidget(verticalBars());
        auto *documents = new QVBoxLayout;
        m_sheet = new velkSheet;
        m_sheet->setObjectName(QStringLiteral("velkSheet1"));
        m_sheet->setColumns(QStringLiteral("Titel:3600,Datum:1300,Bewertung:1200r"));
        m_sheet->setFlags(QStringLiteral("singleselect zebra"));
        m_sheet->setMinimumSize(280, 200);
        documents->addWidget(m_sheet, 1);
        m_details = new QLabel(QStringLiteral("Die Befehle der Menüs wirken auf diese Liste."));
        m_details->setObjectName(QStringLiteral("details"));
        m_details->setWordWrap(true);
        m_details->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        m_details->setMinimumHeight(m_details->fontMetrics().height() * 2);
        documents->addWidget(m_details);
        lower->addLayout(documents, 1);
        layout->addLayout(lower, 1);
        layout->addWidget(m_log);
        load();
    }

private:
    velkMenuBar *makeBar(short style, const QString &menu, short selected)
    {
        auto *bar = new velkMenuBar;
        bar->setStyleNumber(style);
        bar->setMenu(menu);
        bar->setSelected(selected);
        auto *events = bar->events();
        QLabel *log = m_log;
        auto report = [log, bar](const char *event) {
            return [log, bar, event](int &id, int &shift, float &x, float &y) {
                log->setText(QStringLiteral("%1(id=%2 „%3“, Shift=%4, x=%5, y=%6)")
                                 .arg(QString::fromLatin1(event)).arg(id).arg(bar->MenuItem(id)).arg(shift).arg(x).arg(y));
            };
        };
        QObject::connect(events, &velkMenuBarEvents::Click, log, report("Click"));
        QObject::connect(events, &velkMenuBarEvents::ClickIcon, log, report("ClickIcon"));
        QObject::connect(events, &velkMenuBarEvents::ClickMenu, log, report("ClickMenu"));
        QObject::connect(events, &velkMenuBarEvents::ContextMenu, log,
                         [log](int &id) { log->setText(QStringLiteral("ContextMenu(id=%1)").arg(id)); });
        // "Vorschau" stands for an item the host has disabled.
        QObject::connect(events, &velkMenuBarEvents::CheckState, bar, [bar](int &id, bool &enabled) {
            if (bar->MenuItem(id) == u"Vorschau" && bar->styleNumber() == 0)
                enabled = false;
        });
        QObject::connect(events, &velkMenuBarEvents::DropFileEnabled, bar, [](int &effect) { effect = 1; });
        QObject::connect(events, &velkMenuBarEvents::DropFile, log, [log](QString &file, int &id) {
            log->setText(QStringLiteral("DropFile(%1, id=%2)").arg(file).arg(id));
        });
        QObject::connect(events, &velkMenuBarEvents::DropText, log, [log](QString &text, int &id) {
            log->setText(QStringLiteral("DropText(%1, id=%2)").arg(text).arg(id));
        });
        GalleryMenus::attach(bar, [this, bar](int id, bool arrow) { return menuFor(*bar, id, arrow); });
        return bar;
    }

    QWidget *horizontalBars()
    {
        auto *box = new QWidget;
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setVerticalSpacing(4);
        int row = 0;
        for (const BarSample &sample : kHorizontal) {
            grid->addWidget(new QLabel(QString::fromUtf8(sample.title)), row, 0);
            auto *bar = makeBar(sample.style, QString::fromUtf8(sample.menu), sample.selected);
            bar->setFixedHeight(sample.style == 1 || sample.style == 4 ? 24 : 26);
            bar->setMinimumWidth(bar->MenuWidth() + 8);
            if (QLineEdit *flags = bar->fieldBox(bar->Count() - 2)) {
                flags->setText(QStringLiteral("?x x   "));
                auto *value = new QLabel;
                value->setObjectName(QStringLiteral("evalValue"));
                const auto show = [value](const QString &text) {
                    value->setText(QStringLiteral("Bewertung: %1").arg(evalFlagsText(text)));
                };
                show(flags->text());
                QObject::connect(flags, &QLineEdit::textChanged, value, show);
                grid->addWidget(value, row, 2);
            }
            grid->addWidget(bar, row++, 1);
        }
        grid->setColumnStretch(1, 1);
        return box;
    }

    QWidget *verticalBars()
    {
        auto *box = new QWidget;
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        struct Vertical { const char *title; short style; const char *menu; short selected; int width; int height; };
        const Vertical samples[] = {
            {"Stil 2", 2, kList, 2, 90, 340},
            {"Stil 3", 3, kList, 0, 120, 200},
            {"Stil 1", 1, kTabs, 1, 24, 300},
            {"Stil 0", 0, "newfile#Neu,open#Öffnen,-,print#Drucken", 0, 24, 120},
        };
        for (const Vertical &s : samples) {
            auto *column = new QVBoxLayout;
            column->addWidget(new QLabel(QString::fromUtf8(s.title)));
            auto *bar = makeBar(s.style, QString::fromUtf8(s.menu), s.selected);
            bar->setFixedSize(s.width, s.height);
            column->addWidget(bar);
            column->addStretch(1);
            row->addLayout(column);
        }
        auto *column = new QVBoxLayout;
        column->addWidget(new QLabel(QStringLiteral("velkMenuPopup")));
        auto *popup = new velkMenuPopup;
        popup->setMenu(QStringLiteral("Öffnen,Umbenennen,-,Kopieren,Verschieben,-,Löschen"));
        popup->setFixedSize(150, 150);
        popup->setSelected(2);
        QLabel *log = m_log;
        QObject::connect(popup->events(), &velkMenuPopupEvents::Click, log,
                         [log, popup] { log->setText(QStringLiteral("Popup: Zeile %1").arg(popup->Selected())); });
        column->addWidget(popup);
        column->addStretch(1);
        row->addLayout(column);
        return box;
    }

    // The host's menus, by the caption of the item clicked.
    QList<GalleryMenuEntry> menuFor(const velkMenuBar &bar, int id, bool arrow)
    {
        const QString caption = bar.MenuItem(id);
        const QString marker = bar.GetItem(id).section(u'#', 2);
        const bool dropDown = arrow || marker == u"v" || bar.styleNumber() == 3;
        if (!dropDown)
            return {};
        if (caption == u"Datei")
            return {{QStringLiteral("Neu"), [this] { addDocument(); }},
                    {QStringLiteral("Eigenschaften"), [this] { showProperties(); }},
                    {QStringLiteral("-"), {}},
                    {QStringLiteral("Aktualisieren"), [this] { load(); }}};
        if (caption == u"Bearbeiten")
            return {{QStringLiteral("Zeile entfernen"), [this] { removeDocument(); }},
                    {QStringLiteral("Alle markieren"), [this] { m_sheet->SelectAll(); }},
                    {QStringLiteral("Markierung aufheben"), [this] { m_sheet->Unselect(); }}};
        if (caption == u"Ansicht")
            return {{QStringLiteral("Größere Schrift"), [this] { m_sheet->setFontSize(m_sheet->FontSize() + 2); }},
                    {QStringLiteral("Kleinere Schrift"), [this] { m_sheet->setFontSize(qMax(6.0, m_sheet->FontSize() - 2)); }},
                    {QStringLiteral("Gitterlinien ein/aus"), [this] { toggleFlag(QStringLiteral("grid")); }}};
        if (caption == u"Extras")
            return {{QStringLiteral("Nach Titel sortieren"), [this] { sortBy(QStringLiteral("Titel")); }},
                    {QStringLiteral("Nach Datum sortieren"), [this] { sortBy(QStringLiteral("Datum DESC")); }},
                    {QStringLiteral("Nach Bewertung sortieren"), [this] { sortBy(QStringLiteral("Bewertung DESC")); }}};
        if (caption == u"Hilfe")
            return {{QStringLiteral("Kurzhilfe"), [this] { showText(pageHelp()); }},
                    {QStringLiteral("Über velkGUI"), [this] { showText(QStringLiteral("velkGUI: Steuerelemente für das Dokumentenarchiv")); }}};
        if (caption == u"Speichern")
            return {{QStringLiteral("Eigenschaften anzeigen"), [this] { showProperties(); }},
                    {QStringLiteral("Zeile als Text"), [this] { showRowText(); }}};
        if (caption == u"Termine")
            return {{QStringLiteral("Neueste zuerst"), [this] { sortBy(QStringLiteral("Datum DESC")); }},
                    {QStringLiteral("Älteste zuerst"), [this] { sortBy(QStringLiteral("Datum")); }},
                    {QStringLiteral("Nur bewertete"), [this] { m_where = QStringLiteral("Bewertung >= 3"); load(); }},
                    {QStringLiteral("Alle"), [this] { m_where.clear(); load(); }}};
        if (bar.styleNumber() == 3)
            return {{caption + QStringLiteral(" (keine Befehle)"), {}}};
        return {};
    }

    void load()
    {
        const int keep = m_sheet->SelectedIndex();
        QSqlQuery query(m_archive.database());
        query.exec(QStringLiteral("SELECT Titel, Datum, Bewertung FROM Dokumente%1 ORDER BY %2, DokumentID LIMIT 60")
                       .arg(m_where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + m_where, m_order));
        m_sheet->setRedraw(false);
        m_sheet->Clear();
        while (query.next())
            m_sheet->AddItem(query.value(0).toString() + u'\t' + query.value(1).toString() + u'\t'
                             + query.value(2).toString());
        for (const QString &title : m_added)
            m_sheet->AddItem(title + QStringLiteral("\t\t"));
        if (m_sheet->Count() > 0)
            m_sheet->setSelectedIndex(qBound(1, keep, m_sheet->Count()));
        m_sheet->setRedraw(true);
    }

    void sortBy(const QString &order)
    {
        m_order = order;
        load();
        showText(QStringLiteral("Sortiert: %1").arg(order));
    }

    void addDocument()
    {
        m_added << QStringLiteral("Neues Dokument %1").arg(m_added.size() + 1);
        load();
        m_sheet->setSelectedIndex(m_sheet->Count());
        m_sheet->EnsureVisible(m_sheet->Count());
        showText(QStringLiteral("„%1“ angelegt").arg(m_added.last()));
    }

    void removeDocument()
    {
        const int row = m_sheet->SelectedIndex();
        if (row >= 1 && row <= m_sheet->Count()) {
            showText(QStringLiteral("Zeile %1 entfernt").arg(row));
            m_sheet->RemoveItem(row);
        }
    }

    void toggleFlag(const QString &word)
    {
        QStringList flags = m_sheet->flags().split(u' ', Qt::SkipEmptyParts);
        if (!flags.removeAll(word))
            flags << word;
        m_sheet->setFlags(flags.join(u' '));
    }

    QStringList selectedFields() const
    {
        const int row = m_sheet->SelectedIndex();
        if (row < 1 || row > m_sheet->Count())
            return {};
        return m_sheet->ListItem(row)->Text().split(u'\t');
    }

    void showProperties()
    {
        const QStringList fields = selectedFields();
        if (fields.isEmpty())
            return showText(QStringLiteral("Kein Dokument gewählt"));
        showText(QStringLiteral("Eigenschaften: Titel „%1“, Datum %2, Bewertung %3")
                     .arg(fields.value(0), fields.value(1).isEmpty() ? QStringLiteral("–") : fields.value(1),
                          fields.value(2).isEmpty() ? QStringLiteral("–") : fields.value(2)));
    }

    void showRowText()
    {
        showText(QStringLiteral("Zeile: %1").arg(selectedFields().join(QStringLiteral(" | "))));
    }

    static QString pageHelp()
    {
        const auto page = GalleryPages::pageOf(QStringLiteral("velkMenuBar"));
        return page ? page->helpText() : QString();
    }

    void showText(const QString &text) { m_details->setText(text); }

    SampleArchive &m_archive;
    velkSheet *m_sheet = nullptr;
    QLabel *m_details = nullptr;
    QLabel *m_log = nullptr;
    QString m_order = QStringLiteral("DokumentID");
    QString m_where;
    QStringList m_added;
};

QWidget *createMenuBarPage(SampleArchive &archive, QWidget *parent)
{
    return new MenuBarPage(archive, parent);
}

} // namespace

VELK_GALLERY_PAGE("Menüleisten", 42, createMenuBarPage, "velkMenuBar,velkMenuPopup",
                  "Werkzeugleisten, Register und Menüs aus einer Definitionszeile",
                  "Jede Leiste entsteht aus einer Zeile wie \"save#Speichern#|v,-,help#Hilfe#v\". Einträge mit ▾ "
                  "und der Pfeil neben \"Speichern\" öffnen ein Menü, dessen Befehle die Dokumentliste sortieren, "
                  "filtern oder ihre Eigenschaften zeigen. Die unterste Zeile protokolliert die Ereignisse.");
