#include "GalleryPage.h"
#include "SampleArchive.h"

#include <velk/editors/velkBoard.h>

#include <QHash>
#include <QLabel>
#include <QSqlQuery>
#include <QVBoxLayout>

#include <map>
#include <vector>

using namespace velk;

namespace {

constexpr int kColumnPitch = 3000; // twips between the columns of top-level topics
constexpr int kRowPitch = 1500;
constexpr int kMargin = 300;

struct Topic
{
    int id = 0;
    int parent = 0;
    QString name;
    int documents = 0;
};

std::vector<Topic> readTopics(const SampleArchive &archive)
{
    std::vector<Topic> topics;
    QSqlQuery query(archive.database());
    query.exec(QStringLiteral("SELECT t.ThemaID, IFNULL(t.ParentID, 0), t.Name, "
                              "(SELECT COUNT(*) FROM Dokumente d WHERE d.ThemaID = t.ThemaID) "
                              "FROM Themen t ORDER BY t.ThemaID"));
    while (query.next())
        topics.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toString(), query.value(3).toInt()});
    return topics;
}

// Top-level topics side by side, their subtopics below them, each linked to its parent.
void fillBoard(velkBoard &board, const std::vector<Topic> &topics)
{
    board.setRedraw(false);
    QHash<int, std::shared_ptr<BoardData>> boxes;
    std::map<int, int> childrenOf;
    int column = 0;
    for (const Topic &topic : topics) {
        auto box = std::make_shared<BoardData>();
        box->caption = topic.name;
        box->Description = QStringLiteral("%1 Dokumente").arg(topic.documents);
        box->SetData(QStringLiteral("ThemaID"), QString::number(topic.id));
        const auto parent = boxes.constFind(topic.parent);
        if (parent == boxes.constEnd()) {
            box->x = kMargin + column++ * kColumnPitch;
            box->y = kMargin;
        } else {
            const int row = ++childrenOf[topic.parent];
            box->x = (*parent)->x + 300 * (row % 2);
            box->y = (*parent)->y + row * kRowPitch;
        }
        board.AddItem(box);
        if (parent != boxes.constEnd()) {
            auto link = std::make_shared<BoardLink>();
            link->Location1 = *parent;
            link->Location2 = box;
            link->SetData(QStringLiteral("Art"), QStringLiteral("Unterthema"));
            board.AddLink(link);
        }
        boxes.insert(topic.id, box);
    }
    board.setRedraw(true);
}

QWidget *createBoardPage(SampleArchive &archive, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    auto *intro = new QLabel(QStringLiteral("<b>velkBoard</b>: die Themen des Archivs als Kästen, jedes "
                                                "Unterthema mit seinem Oberthema verbunden. Kästen lassen sich "
                                                "auswählen (Umschalt/Strg erweitert) und verschieben."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *board = new velkBoard;
    board->setMenuString(QStringLiteral("Öffnen,Info,delete"));
    layout->addWidget(board, 1);
    auto *log = new QLabel(QStringLiteral("Klicken Sie einen Kasten, einen Menüeintrag oder eine Verbindung an."));
    log->setObjectName(QStringLiteral("eventLog"));
    layout->addWidget(log);

    const auto events = board->events();
    QObject::connect(events, &velkBoardEvents::ClickMenu, log, [log](int id, std::shared_ptr<BoardData> b) {
        log->setText(QStringLiteral("ClickMenu(%1) auf „%2“ (ThemaID %3)").arg(id).arg(b->caption, b->GetData(QStringLiteral("ThemaID"))));
    });
    QObject::connect(events, &velkBoardEvents::ClickLink, log, [log](std::shared_ptr<BoardLink> l) {
        const QString from = l->Location1 ? l->Location1->caption : QString();
        const QString to = l->Location2 ? l->Location2->caption : QString();
        log->setText(QStringLiteral("ClickLink: „%1“ → „%2“").arg(from, to));
    });
    QObject::connect(events, &velkBoardEvents::Changed, log, [log](std::shared_ptr<BoardData> b) {
        log->setText(QStringLiteral("Changed: „%1“ steht jetzt bei %2/%3").arg(b->caption).arg(b->x).arg(b->y));
    });
    fillBoard(*board, readTopics(archive));
    if (board->Items().Count() >= 1)
        (*board->Items().Item(1))->Selected = true;
    board->Refresh();
    return page;
}

} // namespace

VELK_GALLERY_PAGE("Board", 60, createBoardPage, "velkBoard",
                  "Die Themen des Archivs als Kästen mit Verbindungen",
                  "Kästen lassen sich ziehen; ein Klick auf einen Kasten, einen Menüeintrag oder eine Verbindung wird unten gemeldet.");
