#include "SheetTestSupport.h"

#include <velk/platform/DragDrop.h>
#include <velk/sheet/SheetDrag_p.h>
#include <velk/sheet/SheetDrop_p.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetState_p.h>

#include "support/TestSupport.h"

#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

using namespace velk;
using namespace sheettest;

namespace {

// A sheet of rows "Zeile 1" .. "Zeile n" with a DragCheck handler choosing `dragType`.
std::unique_ptr<velkSheet> dragSheet(int rows, int dragType, const QString &flags = QStringLiteral("singleselect"))
{
    auto sheet = makeSheet(QString(), flags);
    for (int k = 1; k <= rows; ++k)
        sheet->AddItem(QStringLiteral("Zeile %1\tx").arg(k));
    QObject::connect(sheet->events(), &velkSheetEvents::DragCheck,
                     [dragType](std::shared_ptr<SheetData>, int &type) { type = dragType; });
    return sheet;
}

// Presses on row `pos` and moves the mouse by (dx, dy) twips with the button held.
void pressAndMove(velkSheet &sheet, int pos, int dx, int dy, int shift = 0)
{
    const QPoint at = cellPoint(sheet, pos);
    SheetInput &input = SheetInternals::input(sheet);
    input.MouseDown(1, shift, at.x(), at.y());
    input.MouseMove(1, shift, at.x() + dx, at.y() + dy);
}

struct DropLog
{
    explicit DropLog(velkSheet &sheet)
    {
        auto *events = sheet.events();
        const auto place = [](int drop, int before, int indent) { return QStringLiteral("%1 %2 %3").arg(drop).arg(before).arg(indent); };
        QObject::connect(events, &velkSheetEvents::DropTextEnabled,
                         [=, this](const QString &txt, int &effect, int drop, int before, int indent) {
                             lines << QStringLiteral("TextEnabled %1 %2 ").arg(txt).arg(effect) + place(drop, before, indent);
                             effect = answer;
                         });
        QObject::connect(events, &velkSheetEvents::DropFileEnabled,
                         [=, this](const QStringList &files, int &effect, int drop, int before, int indent) {
                             lines << QStringLiteral("FileEnabled %1 %2 ").arg(files.join(u'|')).arg(effect) + place(drop, before, indent);
                             effect = answer;
                         });
        QObject::connect(events, &velkSheetEvents::DropText,
                         [=, this](const QString &txt, int &effect, int drop, int before, int indent) {
                             lines << QStringLiteral("Text %1 %2 ").arg(txt).arg(effect) + place(drop, before, indent);
                         });
        QObject::connect(events, &velkSheetEvents::DropFile,
                         [=, this](const QStringList &files, int &effect, int drop, int before, int indent) {
                             lines << QStringLiteral("File %1 %2 ").arg(files.join(u'|')).arg(effect) + place(drop, before, indent);
                         });
    }
    QStringList lines;
    int answer = DropEffect::Copy;
};

// Drags `data` over the list to `yTwips` (enter and move); returns the accepted effect, 0 when refused.
int dragOver(velkSheet &sheet, const QMimeData &data, int yTwips, Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
{
    QWidget *list = sheet.findChild<QWidget *>(QStringLiteral("Picture1"));
    const QPoint at(20, yTwips / 15);
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
    if (!enter.isAccepted())
        return 0;
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &move);
    return move.isAccepted() ? int(move.dropAction()) : 0;
}

int dropAt(velkSheet &sheet, const QMimeData &data, int yTwips)
{
    QDropEvent drop(QPointF(20, yTwips / 15), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet.findChild<QWidget *>(QStringLiteral("Picture1")), &drop);
    return drop.isAccepted() ? int(drop.dropAction()) : 0;
}

} // namespace

TEST(SheetDrag, AMoveOfFiftyTwipsChecksOncePerPressAndAZeroTypeStartsNoDrag)
{
    ScriptedDragDropScope seam([](QMimeData &, int) { return DropEffect::Copy; });
    auto sheet = dragSheet(3, SheetDragType::None);
    QSignalSpy checks(sheet->events(), &velkSheetEvents::DragCheck);
    pressAndMove(*sheet, 2, 49, -49);
    EXPECT_EQ(checks.count(), 0);
    SheetInternals::input(*sheet).MouseMove(1, 0, cellPoint(*sheet, 2).x() + 50, cellPoint(*sheet, 2).y());
    EXPECT_EQ(checks.count(), 1);
    EXPECT_EQ(sheet->DragKeyword(), QStringLiteral("Zeile 2"));
    SheetInternals::input(*sheet).MouseMove(1, 0, 0, 0);
    EXPECT_EQ(checks.count(), 1); // once per press
    EXPECT_EQ(seam->drags(), 0);  // the handler left the type at 0
    pressAndMove(*sheet, 1, 0, 80);
    EXPECT_EQ(checks.count(), 2);
}

TEST(SheetDrag, TextIsRequestedAtOnceAndFilesAtEveryFourthAskOrOnADrop)
{
    QStringList requests;
    int effect = 0;
    for (const int type : {SheetDragType::Text, SheetDragType::Files}) {
        auto sheet = dragSheet(3, type);
        QObject::connect(sheet->events(), &velkSheetEvents::DragRequest, [&](QVariant &data, int format) {
            requests << QString::number(format);
            data = format == 1 ? QVariant(QStringList({"a", "b"})) : QVariant(QStringList({"/tmp/a.pdf"}));
        });
        QObject::connect(sheet->events(), &velkSheetEvents::DragAllowedEffects, [](int &effects) { effects = 1; });
        QObject::connect(sheet->events(), &velkSheetEvents::DragComplete, [&](int e) { effect = e; });
        ScriptedDragDropScope seam([&](QMimeData &data, int allowed) {
            EXPECT_EQ(allowed, 1);
            if (type == SheetDragType::Text) {
                EXPECT_EQ(data.formats(), QStringList({"text/plain"}));
                EXPECT_EQ(data.text(), QStringLiteral("a\r\nb"));
                EXPECT_EQ(data.text(), QStringLiteral("a\r\nb"));
                return DropEffect::Copy;
            }
            EXPECT_EQ(data.formats(), QStringList({"text/uri-list"}));
            for (int ask = 1; ask <= 4; ++ask)
                EXPECT_EQ(data.urls().size(), ask < 4 ? 0 : 1);
            // The count starts again after the host was asked; asks between get its last answer.
            EXPECT_EQ(data.urls(), QList<QUrl>({QUrl::fromLocalFile(QStringLiteral("/tmp/a.pdf"))}));
            // A drop on a widget of this process always asks (entering counts as an ask).
            auto target = makeSheet();
            QWidget *list = target->findChild<QWidget *>(QStringLiteral("Picture1"));
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list, &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list, &drop);
            return DropEffect::Move;
        });
        pressAndMove(*sheet, 1, 60, 0);
        EXPECT_EQ(seam->drags(), 1);
    }
    EXPECT_EQ(requests, QStringList({"1", "1", "15", "15"}));
    EXPECT_EQ(effect, DropEffect::Move);
}

TEST(SheetDrag, FileUrlsAreTheOnesQtMakesForLocalFiles)
{
    const QStringList paths = {"/srv/archiv/brief 1.pdf", "/a/100%.pdf", "/a/%41.txt", "/a#b?c;d=e.pdf",
                               "/[x]/ä ö/ß€.txt", "//server/freigabe/x.pdf", "relativ/datei.txt",
                               "C:/Daten/x.pdf", "/a\\b", "/"};
    const QList<QUrl> urls = SheetDragData::urlsOf(paths);
    ASSERT_EQ(urls.size(), paths.size());
    for (int k = 0; k < paths.size(); ++k) {
        SCOPED_TRACE(paths[k].toStdString());
        const QUrl expected = QUrl::fromLocalFile(paths[k]);
        EXPECT_EQ(urls[k], expected);
        EXPECT_EQ(urls[k].toEncoded(), expected.toEncoded());
    }
}

TEST(SheetDrag, BadHostDataAndASheetClearedMidDragGiveDefinedResults)
{
    EXPECT_EQ(SheetDragData::textOf(QVariant()), QString());
    EXPECT_EQ(SheetDragData::textOf(QVariant(42)), QStringLiteral("42"));
    EXPECT_EQ(SheetDragData::urlsOf(QVariant(42)).size(), 0);
    EXPECT_EQ(SheetDragData::urlsOf(QStringLiteral("/a\r\n\r\n/b")),
              QList<QUrl>({QUrl::fromLocalFile("/a"), QUrl::fromLocalFile("/b")}));

    auto sheet = dragSheet(3, SheetDragType::TextAndFiles);
    QObject::connect(sheet->events(), &velkSheetEvents::DragRequest, [&](QVariant &data, int) {
        sheet->Clear();
        data = QVariant::fromValue(QSize(1, 2));
    });
    ScriptedDragDropScope seam([](QMimeData &data, int) {
        EXPECT_EQ(data.text(), QString());
        EXPECT_TRUE(data.urls().isEmpty());
        return DropEffect::Copy;
    });
    pressAndMove(*sheet, 3, 0, 60);
    EXPECT_EQ(seam->drags(), 1);
    EXPECT_EQ(sheet->Count(), 0);
}

TEST(SheetDrag, APressOnASelectedRowKeepsAMultiSelectionForTheDrag)
{
    auto sheet = dragSheet(5, SheetDragType::Text, QStringLiteral("multiselect"));
    int dragged = 0;
    QObject::connect(sheet->events(), &velkSheetEvents::DragRequest,
                     [&](QVariant &, int) { dragged = sheet->SelectedCount(); });
    ScriptedDragDropScope seam([](QMimeData &data, int) { return data.text().isNull() ? 0 : DropEffect::Copy; });
    sheet->setSelectedIndex(2);
    sheet->ListItem(3)->Selected = true;
    sheet->ListItem(4)->Selected = true;
    pressAndMove(*sheet, 3, 0, 60);
    EXPECT_EQ(dragged, 3);
    SheetInternals::input(*sheet).MouseUp(1, 0, 0, 0);
    EXPECT_EQ(sheet->SelectedCount(), 3);

    const QPoint at = cellPoint(*sheet, 3); // a click without a drag selects the row alone
    SheetInternals::input(*sheet).MouseDown(1, 0, at.x(), at.y());
    EXPECT_EQ(sheet->SelectedCount(), 3);
    SheetInternals::input(*sheet).MouseUp(1, 0, at.x(), at.y());
    EXPECT_EQ(sheet->SelectedCount(), 1);
    EXPECT_EQ(sheet->SelectedIndex(), 3);
}

TEST(SheetDrop, QuartersOfARowChooseBeforeChildOrAfterItsHiddenDescendants)
{
    auto sheet = makeSheet();
    sheet->AddItem(QStringLiteral("Akten"));                     // collapsed, with a child
    sheet->AddItem(QStringLiteral("2024"), QString(), 1);
    sheet->AddItem(QStringLiteral("Briefe"), QString(), 0, true); // expanded
    sheet->AddItem(QStringLiteral("privat"), QString(), 1);
    DropLog log(*sheet);
    QMimeData text;
    text.setText(QStringLiteral("eins\nzwei"));
    const SheetLayout layout = SheetInternals::layout(*sheet);
    const SheetLayout::RowBox akten = *layout.rowBox(1);
    const int quarter = (akten.y2 - akten.y1) / 4;

    EXPECT_EQ(dragOver(*sheet, text, akten.y1 + 15), DropEffect::Copy);
    EXPECT_EQ(SheetInternals::state(*sheet).dropMark(), (SheetDropMark{SheetDropMark::Line, akten.y1, 0}));
    dragOver(*sheet, text, akten.y1 + 2 * quarter);
    EXPECT_EQ(SheetInternals::state(*sheet).dropMark(), (SheetDropMark{SheetDropMark::Frame, 0, 1}));
    dragOver(*sheet, text, akten.y2 - 15);
    dragOver(*sheet, text, layout.rowBox(3)->y2 - 15); // "Briefe" shows its child
    dragOver(*sheet, text, layout.rowBox(4)->y2 + 300);
    EXPECT_EQ(log.lines, QStringList({"TextEnabled eins\r\nzwei 0 1 1 0", "TextEnabled eins\r\nzwei 0 1 2 1",
                                      "TextEnabled eins\r\nzwei 0 1 3 0", "TextEnabled eins\r\nzwei 0 3 4 0",
                                      "TextEnabled eins\r\nzwei 0 0 5 0"}));
    log.lines.clear();
    EXPECT_EQ(dropAt(*sheet, text, akten.y1 + 2 * quarter), DropEffect::Copy); // the move's answer stands
    EXPECT_EQ(log.lines, QStringList({"Text eins\r\nzwei 0 1 2 1"}));
    EXPECT_EQ(SheetInternals::state(*sheet).dropMark().kind, SheetDropMark::None);
}

TEST(SheetDrop, FilesWinOverTextAndEffectsTheDragDoesNotAllowRefuse)
{
    auto sheet = makeSheet();
    sheet->AddItem(QStringLiteral("Akten"));
    DropLog log(*sheet);
    QMimeData both;
    both.setText(QStringLiteral("Text"));
    both.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.pdf")), QUrl(QStringLiteral("https://example.org/b"))});
    const int below = SheetInternals::layout(*sheet).rowBox(1)->y2 + 300;
    EXPECT_EQ(dragOver(*sheet, both, below), DropEffect::Copy);
    EXPECT_EQ(log.lines, QStringList({"FileEnabled /tmp/a.pdf 0 0 2 0"}));

    log.answer = DropEffect::Move;
    EXPECT_EQ(dragOver(*sheet, both, below, Qt::CopyAction), 0);
    log.answer = 99;
    EXPECT_EQ(dragOver(*sheet, both, below), 0);
    log.answer = 0;
    EXPECT_EQ(dragOver(*sheet, both, below), 0);
    EXPECT_EQ(SheetDropTarget::acceptedEffect(3, 3, 2), 2);
    EXPECT_EQ(SheetDropTarget::acceptedEffect(3, 2, 1), 2);

    log.lines.clear();
    QMimeData nothing;
    nothing.setData(QStringLiteral("application/x-other"), "x");
    EXPECT_EQ(dragOver(*sheet, nothing, below), 0);
    EXPECT_EQ(dropAt(*sheet, nothing, below), 0);
    EXPECT_TRUE(log.lines.isEmpty());
}

TEST(SheetDrop, DraggingNearTheBottomEdgeScrollsTheList)
{
    auto sheet = dragSheet(100, SheetDragType::None);
    QMimeData text;
    text.setText(QStringLiteral("neu"));
    const int bottom = SheetInternals::layout(*sheet).viewport().height;
    EXPECT_EQ(sheet->TopIndex(), 1);
    dragOver(*sheet, text, bottom - 30);
    dragOver(*sheet, text, bottom - 30);
    EXPECT_EQ(sheet->TopIndex(), 3);
    dragOver(*sheet, text, 30);
    EXPECT_EQ(sheet->TopIndex(), 2);
}
