#include "ArchiveSnapIns.h"

#include "GalleryMenus.h"

#include "SampleArchive.h"

#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ControlFactory.h>
#include <velk/sheet/SheetData.h>
#include <velk/sheet/velkSheet.h>

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <vector>

using namespace velk;

namespace {

SampleArchive *g_archive = nullptr;

QString germanAmount(double value)
{
    return QLocale(QLocale::German).toString(value, 'f', 2);
}

} // namespace

// --- the common part --------------------------------------------------------------------

void ArchiveSnapIn::setArchive(SampleArchive *archive)
{
    g_archive = archive;
}

SampleArchive *ArchiveSnapIn::archive()
{
    return g_archive && g_archive->isOpen() ? g_archive : nullptr;
}

void ArchiveSnapIn::registerClasses()
{
    static const bool done = [] {
        ControlFactory::registerClass<ArchiveTopics>();
        ControlFactory::registerClass<ArchiveDocuments>();
        ControlFactory::registerClass<ArchiveDetails>();
        ControlFactory::registerClass<ArchiveKeywords>();
        return true;
    }();
    (void)done;
}

ArchiveSnapIn::ArchiveSnapIn(QWidget *parent)
    : QWidget(parent)
    , m_sheet(new velkSheet(this))
{
    m_sheet->setObjectName(QStringLiteral("velkSheet1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sheet);
}

void ArchiveSnapIn::setBackColor(Color color)
{
    m_backColor = color;
}

QString ArchiveSnapIn::selectedTag() const
{
    const int row = m_sheet->SelectedIndex();
    const velkSheet::RowPtr item = row > 0 ? m_sheet->ListItem(row) : nullptr;
    return item ? item->Tag : QString();
}

void ArchiveSnapIn::sendCommand(const QString &cmd, const QString &value)
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *frame = qobject_cast<velkFrameControl *>(w)) {
            frame->SendCommand(cmd, value);
            return;
        }
    }
}

// --- topics ----------------------------------------------------------------------------------

namespace {
enum TopicTool { TopicRefresh = 1, TopicOpenAll = 3, TopicCloseAll = 4 };
}

ArchiveTopics::ArchiveTopics(QWidget *parent)
    : ArchiveSnapIn(parent)
{
    sheet()->setColumns(QStringLiteral("Thema:2300,Dokumente:1000r"));
    sheet()->setFlags(QStringLiteral("singleselect"));
    sheet()->setLeftMargin(250);
    connect(sheet()->events(), &velkSheetEvents::Click, this, [this] {
        const QString topic = selectedTag();
        if (topic.isEmpty())
            return;
        sendCommand(QStringLiteral("thema"), topic);
        emit statustext(QStringLiteral("Thema: %1").arg(sheet()->ListItem(sheet()->SelectedIndex())->GetSubText(1)));
    });
    fill();
}

QString ArchiveTopics::Toolbar() const
{
    return QStringLiteral("refresh#Aktualisieren,-,plus#Öffnen,minus#Schließen");
}

void ArchiveTopics::clicked(int id)
{
    if (id == TopicRefresh)
        fill();
    else if (id == TopicOpenAll || id == TopicCloseAll)
        setAllExpanded(id == TopicOpenAll);
}

// Topics come parent first (their numbers grow with depth in the archive), so one pass
// that places each child after its parent's last descendant keeps the tree in order.
void ArchiveTopics::fill()
{
    struct Topic
    {
        int id, parent, documents;
        QString name;
    };
    std::vector<Topic> topics;
    if (SampleArchive *a = archive()) {
        QSqlQuery query(a->database());
        query.exec(QStringLiteral("SELECT t.ThemaID, IFNULL(t.ParentID, 0), t.Name, "
                                  "(SELECT COUNT(*) FROM Dokumente d WHERE d.ThemaID = t.ThemaID) "
                                  "FROM Themen t ORDER BY t.ThemaID"));
        while (query.next())
            topics.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(3).toInt(),
                              query.value(2).toString()});
    }
    sheet()->setRedraw(false);
    sheet()->Clear();
    const auto addBelow = [&](auto &self, int parent, int indent) -> void {
        for (const Topic &t : topics) {
            if (t.parent != parent)
                continue;
            sheet()->AddItem(t.name + u'\t' + QString::number(t.documents), indent == 0 ? QStringLiteral("topic")
                                                                                        : QStringLiteral("topicpath"),
                             indent, true, 0, QString::number(t.id));
            if (indent < 8)
                self(self, t.id, indent + 1);
        }
    };
    addBelow(addBelow, 0, 0);
    sheet()->setRedraw(true);
    emit statustext(QStringLiteral("%1 Themen geladen").arg(sheet()->Count()));
}

void ArchiveTopics::setAllExpanded(bool expanded)
{
    for (int pos = 1; pos <= sheet()->Count(); ++pos)
        sheet()->ListItem(pos)->Expanded = expanded;
    sheet()->Refresh();
}

// --- documents ---------------------------------------------------------------------------------

namespace {
enum DocumentTool { DocumentRefresh = 1, DocumentSort = 3 };
enum DocumentColumn { DocTitle = 1, DocDate, DocAmount };
}

QWidget *ArchiveSnapIn::toolbar() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *frame = qobject_cast<velk::velkFrameControl *>(w)) {
            for (int nr = 1; nr <= frame->snapinCount(); ++nr) {
                if (frame->snapin(nr) == this)
                    return frame->toolbar(nr);
            }
        }
    }
    return nullptr;
}

ArchiveDocuments::ArchiveDocuments(QWidget *parent)
    : ArchiveSnapIn(parent)
{
    sheet()->setColumns(QStringLiteral("Titel:3600,Datum:1300,Betrag:1400r"));
    sheet()->setFlags(QStringLiteral("singleselect zebra"));
    connect(sheet()->events(), &velkSheetEvents::Click, this, [this] {
        const QString document = selectedTag();
        if (!document.isEmpty())
            sendCommand(QStringLiteral("dokument"), document);
    });
    connect(sheet()->events(), &velkSheetEvents::ColumnClick, this, [this](int col) { sortBy(col); });
    fill();
}

QString ArchiveDocuments::Toolbar() const
{
    return QStringLiteral("refresh#Aktualisieren#v,-,sort#Sortieren");
}

// "Aktualisieren ▾" offers what refreshing can mean here.
void ArchiveDocuments::clicked(int id)
{
    if (id == DocumentSort) {
        sortBy(DocTitle);
        return;
    }
    if (id != DocumentRefresh)
        return;
    QWidget *bar = toolbar();
    GalleryMenus::open(bar ? bar : this, bar ? float(clickAt().x()) : 0.0f, bar ? float(clickAt().y()) : 0.0f,
                       {{QStringLiteral("Nach Datum sortieren"), [this] { sortBy(DocDate); }},
                        {QStringLiteral("Nach Betrag sortieren"), [this] { sortBy(DocAmount); }},
                        {QStringLiteral("-"), {}},
                        {QStringLiteral("Neu laden"), [this] { fill(); }}});
}

void ArchiveDocuments::received(const QString &cmd, const QString &value)
{
    if (cmd != QStringLiteral("thema"))
        return;
    m_topic = value.toInt();
    fill();
}

void ArchiveDocuments::fill()
{
    sheet()->setRedraw(false);
    sheet()->Clear();
    if (SampleArchive *a = archive()) {
        QSqlQuery query(a->database());
        query.prepare(QStringLiteral("SELECT DokumentID, Titel, Datum, Betrag FROM Dokumente "
                                     "WHERE ThemaID = ? OR ? = 0 ORDER BY DokumentID LIMIT 500"));
        query.addBindValue(m_topic);
        query.addBindValue(m_topic);
        query.exec();
        while (query.next())
            sheet()->AddItem(query.value(1).toString() + u'\t' + query.value(2).toString() + u'\t'
                                 + germanAmount(query.value(3).toDouble()),
                             QStringLiteral("file"), 0, false, 0, query.value(0).toString());
    }
    sheet()->setRedraw(true);
    emit statustext(QStringLiteral("%1 Dokumente").arg(sheet()->Count()));
}

void ArchiveDocuments::sortBy(int column)
{
    const int direction = sheet()->QuickSortDirection() == 1 ? -1 : 1;
    sheet()->QuickSort(column, direction);
    sheet()->SortSetMarker(column, direction);
    sheet()->Refresh();
}

// --- details ---------------------------------------------------------------------------------------

namespace {
enum DetailTool { DetailCopy = 1 };
}

ArchiveDetails::ArchiveDetails(QWidget *parent)
    : ArchiveSnapIn(parent)
{
    sheet()->setColumns(QStringLiteral("Feld:1300,Wert:*"));
    sheet()->AddItem(QStringLiteral("Dokument\tbitte links ein Dokument wählen"));
}

QString ArchiveDetails::Toolbar() const
{
    return QStringLiteral("copy#Kopieren");
}

void ArchiveDetails::clicked(int id)
{
    if (id != DetailCopy)
        return;
    QStringList lines;
    for (int pos = 1; pos <= sheet()->Count(); ++pos)
        lines << sheet()->ListItem(pos)->GetSubText(1) + QStringLiteral(": ") + sheet()->ListItem(pos)->GetSubText(2);
    QApplication::clipboard()->setText(lines.join(u'\n'));
    emit statustext(QStringLiteral("Details kopiert"));
}

void ArchiveDetails::received(const QString &cmd, const QString &value)
{
    if (cmd != QStringLiteral("dokument") || !archive())
        return;
    QSqlQuery query(archive()->database());
    query.prepare(QStringLiteral("SELECT d.Titel, t.Name, d.Datum, d.Betrag, d.Bewertung, d.Datei "
                                 "FROM Dokumente d JOIN Themen t ON t.ThemaID = d.ThemaID WHERE d.DokumentID = ?"));
    query.addBindValue(value.toInt());
    if (!query.exec() || !query.next())
        return;
    const QStringList labels{QStringLiteral("Titel"), QStringLiteral("Thema"), QStringLiteral("Datum"),
                             QStringLiteral("Betrag"), QStringLiteral("Bewertung"), QStringLiteral("Datei")};
    sheet()->setRedraw(false);
    sheet()->Clear();
    for (int k = 0; k < labels.size(); ++k) {
        QString text = query.value(k).toString();
        if (k == 3)
            text = germanAmount(query.value(k).toDouble()) + QStringLiteral(" €");
        else if (k == 4)
            text = QStringLiteral("%1 von 5").arg(query.value(k).toInt());
        sheet()->AddItem(labels[k] + u'\t' + text);
    }
    sheet()->setRedraw(true);
    emit statustext(QStringLiteral("Dokument %1").arg(query.value(0).toString()));
}

// --- keywords ------------------------------------------------------------------------------------

ArchiveKeywords::ArchiveKeywords(QWidget *parent)
    : ArchiveSnapIn(parent)
{
    sheet()->setColumns(QStringLiteral("Schlagwort:*"));
}

QString ArchiveKeywords::Toolbar() const
{
    return QStringLiteral("keyword#Schlagworte");
}

void ArchiveKeywords::received(const QString &cmd, const QString &value)
{
    if (cmd != QStringLiteral("dokument") || !archive())
        return;
    QSqlQuery query(archive()->database());
    query.prepare(QStringLiteral("SELECT Keywords FROM Dokumente WHERE DokumentID = ?"));
    query.addBindValue(value.toInt());
    if (!query.exec() || !query.next())
        return;
    sheet()->setRedraw(false);
    sheet()->Clear();
    for (const QString &word : query.value(0).toString().split(u';', Qt::SkipEmptyParts))
        sheet()->AddItem(word, QStringLiteral("keyword"));
    sheet()->setRedraw(true);
}
