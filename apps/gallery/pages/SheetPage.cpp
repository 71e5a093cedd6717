#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/sheet/velkSheet.h>

#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using namespace velk;

namespace {

// The archive's 2,400 documents, repeated for earlier years, fill the list to this many
// rows: enough to show that a long list scrolls, sorts and paints as fast as a short one.
constexpr int TargetRows = 100000;

enum Column { Title = 1, Date, Amount, Rating, Status, File };
const QString Columns = QStringLiteral("Titel:4300,Datum:1300,Betrag:1400r,Bewertung:1100e,Status:1300,Datei:*");
const QString StatusWords = QStringLiteral("offen,erledigt,in Prüfung");

struct Topic
{
    int id = 0;
    int parent = 0;
    QString name;
};

struct Document
{
    int id = 0;
    int topic = 0;
    QString title;
    QString file;
    QString date;
    double amount = 0;
    int rating = 0;
    QString keywords;
};

std::vector<Topic> readTopics(const SampleArchive &archive)
{
    std::vector<Topic> topics;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT ThemaID, IFNULL(ParentID, 0), Name FROM Themen ORDER BY ThemaID"));
    while (query.next())
        topics.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString()});
    return topics;
}

std::vector<Document> readDocuments(const SampleArchive &archive)
{
    std::vector<Document> documents;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT DokumentID, ThemaID, Titel, Datei, strftime('%d.%m.%Y', Datum), Betrag, Bewertung, Keywords "
                              "FROM Dokumente ORDER BY DokumentID"));
    while (query.next()) {
        documents.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString(),
                             query.value(3).toString(), query.value(4).toString(), query.value(5).toDouble(),
                             query.value(6).toInt(), query.value(7).toString()});
    }
    return documents;
}

QString statusOf(const QString &keywords)
{
    for (const QString &word : keywords.split(u';')) {
        if (StatusWords.split(u',').contains(word))
            return word;
    }
    return QString();
}

QString iconOf(const QString &file)
{
    if (file.endsWith(QLatin1String(".doc")))
        return QStringLiteral("word");
    if (file.endsWith(QLatin1String(".xls")))
        return QStringLiteral("excel");
    return QStringLiteral("file");
}

// The document as a row of cells; copy `c` is the same document `c` years earlier.
QString rowText(const Document &doc, int copy)
{
    static const QLocale german(QLocale::German, QLocale::Germany);
    const int number = doc.id + copy * 2400;
    QString date = doc.date;
    date.replace(6, 4, QString::number(date.mid(6, 4).toInt() - copy));
    const QString file = doc.file.section(u'/', -1).replace(QString::number(doc.id), QString::number(number));
    return doc.title + u'\t' + date + u'\t' + german.toString(doc.amount * (1 + copy % 7), 'f', 2) + u'\t'
        + QString::number(doc.rating * 20) + u'\t' + statusOf(doc.keywords) + u'\t'
        + QStringLiteral("<A open:%1>%2</A>").arg(number).arg(file);
}

class ArchiveList : public QWidget
{
public:
    ArchiveList(SampleArchive &archive, QWidget *parent)
        : QWidget(parent)
        , m_sheet(new velkSheet(this))
        , m_status(new QLabel(this))
    {
        m_sheet->setObjectName(QStringLiteral("velkSheet1"));
        m_status->setObjectName(QStringLiteral("status"));
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(8, 8, 8, 8);
        layout->addWidget(m_sheet, 1);
        layout->addWidget(m_status);
        m_sheet->setColumns(Columns);
        m_sheet->setFlags(QStringLiteral("multiselect selectcolumn selectcolumn1 edit zebra richtext"));
        m_sheet->AddMenu(QStringLiteral("Alle Gruppen aufklappen"), QStringLiteral("expand"));
        m_sheet->AddMenu(QStringLiteral("Alle Gruppen zuklappen"), QStringLiteral("collapse"));
        m_sheet->AddMenu(QStringLiteral("checked:Streifen"), QStringLiteral("zebra"));
        m_sheet->setLeftMargin(250);
        connectEvents();
        fill(archive);
        m_sheet->setSelectedIndex(4);
        m_sheet->setSelectedCol(Title);
    }

private:
    void fill(const SampleArchive &archive)
    {
        m_folder = QFileInfo(archive.path()).absolutePath();
        const std::vector<Topic> topics = readTopics(archive);
        m_documents = readDocuments(archive);
        // Every top-level topic shows its own documents under "Allgemein", so documents
        // always sit two levels deep. The archive's documents (and their copies from
        // earlier years) are dealt to the groups in order, so every group holds a mix.
        std::vector<std::pair<const Topic *, QString>> groups;
        for (const Topic &top : topics) {
            if (top.parent != 0)
                continue;
            groups.emplace_back(&top, QStringLiteral("Allgemein"));
            for (const Topic &sub : topics) {
                if (sub.parent == top.id)
                    groups.emplace_back(nullptr, sub.name);
            }
        }
        const int tops = int(std::count_if(groups.begin(), groups.end(), [](const auto &g) { return g.first; }));
        const int documents = m_documents.empty() ? 0 : TargetRows - tops - int(groups.size());

        m_sheet->setRedraw(false);
        int next = 0;
        for (size_t g = 0; g < groups.size(); ++g) {
            if (const Topic *top = groups[g].first)
                m_sheet->AddItem(QStringLiteral("^") + top->name, QStringLiteral("topic"), 0, g == 0);
            const int count = documents / int(groups.size()) + (int(g) < documents % int(groups.size()) ? 1 : 0);
            addGroup(groups[g].second, next, count, g == 0);
            next += count;
        }
        m_sheet->setRedraw(true);
        m_status->setText(QStringLiteral("%1 Zeilen aus dem Beispielarchiv. Spaltenköpfe sortieren, F2 bearbeitet "
                                         "Titel und Status, Zeilen lassen sich heraus- und hineinziehen, das Dreieck "
                                         "rechts im Kopf öffnet das Menü.")
                              .arg(QLocale(QLocale::German).toString(m_sheet->Count())));
    }

    // The documents `first` .. `first` + `count` - 1 of the archive repeated year by year.
    void addGroup(const QString &name, int first, int count, bool expanded)
    {
        m_sheet->AddItem(QStringLiteral("%1 (%2)").arg(name).arg(count), QStringLiteral("openpath"), 1, expanded);
        const int size = int(m_documents.size());
        for (int n = first; n < first + count; ++n) {
            const Document &doc = m_documents[size_t(n % size)];
            const bool done = statusOf(doc.keywords) == QLatin1String("erledigt");
            m_sheet->AddItem(rowText(doc, n / size), iconOf(doc.file), 2, false, 0, doc.file, done ? 2 : 1);
        }
    }

    void connectEvents()
    {
        velkSheetEvents *events = m_sheet->events();
        connect(events, &velkSheetEvents::ColumnClick, this, [this](int col) { sortBy(col); });
        connect(events, &velkSheetEvents::Click, this, [this] { showCurrent(); });
        // The path line shows the edited title once the edit is stored.
        connect(events, &velkSheetEvents::SaveEdit, this, [this] { showCurrent(); }, Qt::QueuedConnection);
        connect(events, &velkSheetEvents::Menu, this, [this](const QString &cmd) { runCommand(cmd); });
        connectDragAndDrop();
        connect(events, &velkSheetEvents::IsEditable, this, [this](int row, int col, bool &enable) {
            enable = m_sheet->ListItem(row)->Indent == 2 && (col == Title || col == Status);
            m_sheet->setEditItems(col == Status ? StatusWords : QString());
        });
        connect(events, &velkSheetEvents::Checked, this, [this](int row, int, int &state) {
            m_sheet->ListItem(row)->SetSubText(Status, state == 2 ? QStringLiteral("erledigt") : QStringLiteral("offen"));
        });
        connect(events, &velkSheetEvents::SetEval, this, [this](int row, int value) {
            m_sheet->ListItem(row)->SetSubText(Rating, QString::number(value));
            m_sheet->RefreshItem(row);
        });
        connect(events, &velkSheetEvents::DblClick, this, [this](int row, int) {
            const auto item = m_sheet->ListItem(row);
            if (item && item->FirstChild()) {
                item->Expanded = !item->Expanded;
                m_sheet->Refresh();
            }
        });
    }

    void runCommand(const QString &cmd)
    {
        if (cmd.startsWith(QLatin1String("open:"))) {
            m_status->setText(QStringLiteral("Öffnen: Dokument %1").arg(cmd.section(u':', 1)));
        } else if (cmd == QLatin1String("expand") || cmd == QLatin1String("collapse")) {
            for (int pos = 1; pos <= m_sheet->Count(); ++pos) {
                const auto row = m_sheet->ListItem(pos);
                if (row->Indent < 2)
                    row->Expanded = cmd == QLatin1String("expand");
            }
            m_sheet->Refresh();
        } else if (cmd == QLatin1String("zebra")) {
            const bool on = !m_sheet->flags().contains(QLatin1String("zebra"));
            QString words = m_sheet->flags().remove(QStringLiteral("zebra")).simplified();
            m_sheet->setFlags(on ? words + QStringLiteral(" zebra") : words);
            m_sheet->RemoveMenu(cmd);
            m_sheet->AddMenu(on ? QStringLiteral("checked:Streifen") : QStringLiteral("Streifen"), cmd);
        }
    }

    // Documents are dragged out as their titles and, where the file is at hand, as files;
    // texts and files dropped on the list become rows where the insertion line shows.
    void connectDragAndDrop()
    {
        velkSheetEvents *events = m_sheet->events();
        connect(events, &velkSheetEvents::DragCheck, this, [this](std::shared_ptr<SheetData> row, int &type) {
            if (row->Indent == 2)
                type = QFileInfo::exists(pathOf(*row)) ? 16 : 1;
        });
        connect(events, &velkSheetEvents::DragRequest, this, [this](QVariant &data, int format) {
            const Collection<velkSheet::RowPtr> rows = m_sheet->SelectedItems();
            QStringList values;
            for (int k = 1; k <= rows.Count(); ++k) {
                const SheetData &row = **rows.Item(k);
                if (row.Indent == 2)
                    values << (format == 1 ? row.GetSubText(Title) : pathOf(row));
            }
            data = format == 1 ? QVariant(values.join(QStringLiteral("\r\n"))) : QVariant(values);
        });
        connect(events, &velkSheetEvents::DragComplete, this, [this](int effect) {
            m_status->setText(effect ? QStringLiteral("Gezogen: %1").arg(m_sheet->DragKeyword())
                                     : QStringLiteral("Ziehen abgebrochen"));
        });
        const auto allow = [](const auto &, int &effect, int, int, int) { effect = 1; };
        connect(events, &velkSheetEvents::DropTextEnabled, this, allow);
        connect(events, &velkSheetEvents::DropFileEnabled, this, allow);
        connect(events, &velkSheetEvents::DropText, this,
                [this](const QString &txt, int &, int, int before, int indent) {
                    insertRows(txt.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts), QString(), before, indent);
                });
        connect(events, &velkSheetEvents::DropFile, this,
                [this](const QStringList &files, int &, int, int before, int indent) {
                    QStringList names;
                    for (const QString &file : files)
                        names << QFileInfo(file).fileName();
                    insertRows(names, QStringLiteral("file"), before, indent);
                });
    }

    QString pathOf(const SheetData &row) const { return m_folder + u'/' + row.Tag; }

    void insertRows(const QStringList &texts, const QString &icon, int before, int indent)
    {
        for (int k = 0; k < texts.size(); ++k)
            m_sheet->AddItem(texts[k], icon, indent, false, before + k);
        m_status->setText(QStringLiteral("%1 Zeilen eingefügt").arg(texts.size()));
    }

    // Sorts the documents inside every group, and the groups' order stays: a tree keeps
    // its shape, and every group is in the same order.
    void sortBy(int col)
    {
        m_sortDirection = col == m_sortColumn ? -m_sortDirection : 1;
        m_sortColumn = col;
        m_sheet->setRedraw(false);
        for (int pos = 1; pos <= m_sheet->Count(); ++pos) {
            const auto row = m_sheet->ListItem(pos);
            if (row->Indent != 1 || !row->FirstChild())
                continue;
            int last = pos + 1;
            while (last < m_sheet->Count() && m_sheet->ListItem(last + 1)->Indent > 1)
                ++last;
            m_sheet->QuickSort(col, m_sortDirection, pos + 1, last);
            pos = last;
        }
        m_sheet->SortSetMarker(col, m_sortDirection);
        m_sheet->setRedraw(true);
    }

    void showCurrent()
    {
        const int pos = m_sheet->SelectedIndex();
        if (pos < 1)
            return;
        QString path = m_sheet->GetFullText(pos, QStringLiteral(" › "));
        path.remove(u'^');
        m_status->setText(QStringLiteral("Zeile %1 von %2: %3")
                              .arg(QLocale(QLocale::German).toString(pos), QLocale(QLocale::German).toString(m_sheet->Count()), path));
    }

    velkSheet *m_sheet;
    QLabel *m_status;
    std::vector<Document> m_documents;
    QString m_folder;
    int m_sortColumn = 0;
    int m_sortDirection = 1;
};

QWidget *createSheetPage(SampleArchive &archive, QWidget *parent)
{
    return new ArchiveList(archive, parent);
}

} // namespace

VELK_GALLERY_PAGE("Liste", 20, createSheetPage, "velkSheet",
                  "Baumliste mit Spalten, Icons, Häkchen, Sortierung und Bearbeitung an Ort und Stelle",
                  "Themen und Jahresgruppen klappen per Doppelklick auf; ein Klick auf einen Spaltenkopf sortiert "
                  "innerhalb jeder Gruppe. F2 bearbeitet Titel und Status, das Häkchen setzt den Status, die "
                  "Bewertungsspalte nimmt einen Klick. Die Zeile unten zeigt den Pfad der gewählten Zeile.");
