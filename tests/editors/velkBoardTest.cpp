#include <velk/editors/BoardPainter_p.h>
#include <velk/editors/velkBoard.h>
#include <velk/editors/velkConnector.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/Input.h>
#include <velk/platform/PictureBox.h>

#include "support/TestSupport.h"

#include <QtTest>

using namespace velk;

namespace {

using ItemPtr = std::shared_ptr<BoardData>;
using LinkPtr = std::shared_ptr<BoardLink>;

struct BoardFixture
{
    velkBoard board;
    ItemPtr a, b, c;
    LinkPtr ab;
    QStringList log;

    BoardFixture()
    {
        board.resize(640, 400);
        board.setMenuString(QStringLiteral("Öffnen,Info"));
        a = box(QStringLiteral("Archiv"), 300, 300);
        b = box(QStringLiteral("Rechnungen"), 6300, 300);
        c = box(QStringLiteral("Verträge"), 300, 3300);
        ab = std::make_shared<BoardLink>();
        ab->Location1 = a;
        ab->Location2 = b;
        board.AddLink(ab);
        QObject::connect(board.events(), &velkBoardEvents::ClickMenu, [this](int id, ItemPtr item) {
            log << QStringLiteral("ClickMenu(%1,%2)").arg(id).arg(item->caption);
        });
        QObject::connect(board.events(), &velkBoardEvents::ClickLink, [this](LinkPtr l) {
            log << QStringLiteral("ClickLink(%1)").arg(l == ab ? QStringLiteral("ab") : l->id);
        });
        QObject::connect(board.events(), &velkBoardEvents::Changed, [this](ItemPtr item) {
            log << QStringLiteral("Changed(%1,%2/%3)").arg(item->caption).arg(item->x).arg(item->y);
        });
    }
    ItemPtr box(const QString &caption, int x, int y)
    {
        auto item = std::make_shared<BoardData>();
        item->caption = caption;
        item->Description = caption + QStringLiteral(" Beschreibung");
        item->x = x;
        item->y = y;
        board.AddItem(item);
        return item;
    }
    void click(QPoint p, int shift = 0)
    {
        board.MouseDown(MouseButton::Left, shift, float(p.x()), float(p.y()));
        board.MouseUp(MouseButton::Left, shift, float(p.x()), float(p.y()));
    }
    QString selection() const
    {
        QString s;
        for (const ItemPtr &item : board.Items())
            s += item->Selected ? u'1' : u'0';
        return s;
    }
};

std::vector<const DrawOp *> opsOf(const Canvas &canvas, DrawOp::Kind kind)
{
    std::vector<const DrawOp *> ops;
    for (const DrawOp &op : canvas.recording()) {
        if (op.kind == kind)
            ops.push_back(&op);
    }
    return ops;
}

const DrawOp *textOp(const Canvas &canvas, const QString &text)
{
    for (const DrawOp *op : opsOf(canvas, DrawOp::Text)) {
        if (op->text == text)
            return op;
    }
    return nullptr;
}

} // namespace

TEST(velkBoard, PressTestsMenuThenBoxThenLinkThenEmptyBoard)
{
    BoardFixture f;
    const QPoint menuEntry1 = QPoint(f.a->x + 80, f.a->y + 830);
    f.click(menuEntry1);
    EXPECT_EQ(f.log, QStringList{QStringLiteral("ClickMenu(1,Archiv)")});
    EXPECT_EQ(f.selection(), QStringLiteral("000"));

    f.click(QPoint(f.b->x + 100, f.b->y + 100));
    EXPECT_EQ(f.selection(), QStringLiteral("010"));
    f.click(QPoint(f.c->x + 100, f.c->y + 100));
    EXPECT_EQ(f.selection(), QStringLiteral("001"));
    f.click(QPoint(f.a->x + 100, f.a->y + 100), ShiftState::Shift);
    EXPECT_EQ(f.selection(), QStringLiteral("101"));
    EXPECT_EQ(f.board.SelectedCount(), 2);
    f.click(QPoint(f.c->x + 100, f.c->y + 100), ShiftState::Ctrl);
    EXPECT_EQ(f.selection(), QStringLiteral("100"));

    // The link runs from centre (1500,800) to centre (7500,800).
    f.log.clear();
    f.click(QPoint(4000, 800 + 40));
    EXPECT_EQ(f.log, QStringList{QStringLiteral("ClickLink(ab)")});
    EXPECT_EQ(f.selection(), QStringLiteral("100"));
    f.click(QPoint(4000, 800 + 60));
    EXPECT_EQ(f.selection(), QStringLiteral("000"));
    EXPECT_EQ(f.log.size(), 1);
}

TEST(velkBoard, DraggingMovesTheSelectionAndReportsEachBoxOnRelease)
{
    BoardFixture f;
    f.click(QPoint(f.a->x + 100, f.a->y + 100));
    f.click(QPoint(f.c->x + 100, f.c->y + 100), ShiftState::Shift);
    f.board.MouseDown(MouseButton::Left, 0, 400, 400);
    f.board.MouseMove(MouseButton::Left, 0, 700, 500);
    f.board.MouseMove(MouseButton::Left, 0, 1400, 1400);
    EXPECT_TRUE(f.log.isEmpty());
    f.board.MouseUp(MouseButton::Left, 0, 1400, 1400);
    EXPECT_EQ(f.log, (QStringList{QStringLiteral("Changed(Archiv,1300/1300)"), QStringLiteral("Changed(Verträge,1300/4300)")}));
    EXPECT_EQ(f.selection(), QStringLiteral("101"));

    // The moved box is hit at its new place and the link follows it.
    f.log.clear();
    f.click(QPoint(1350, 1350));
    EXPECT_EQ(f.selection(), QStringLiteral("100")); // a press on the selection without a drag selects that box alone
    EXPECT_TRUE(f.log.isEmpty());
    f.click(QPoint(4000, 800 + 40)); // where the line ran before
    EXPECT_TRUE(f.log.isEmpty());
    f.click(QPoint(5000, 1300)); // its new middle, (2500,1800)-(7500,800)
    EXPECT_EQ(f.log, QStringList{QStringLiteral("ClickLink(ab)")});
}

TEST(velkBoard, RealMouseClicksArriveThroughThePicture)
{
    BoardFixture f;
    auto *picture = f.board.findChild<PictureBox *>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint((f.b->x + 150) / 15, (f.b->y + 150) / 15));
    EXPECT_EQ(f.selection(), QStringLiteral("010"));
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint((f.a->x + 80) / 15, (f.a->y + 830) / 15));
    EXPECT_EQ(f.log, QStringList{QStringLiteral("ClickMenu(1,Archiv)")});
}

TEST(velkBoard, PaintsLinksUnderBoxesWithTextsAndSelection)
{
    BoardFixture f;
    f.b->caption = QStringLiteral("Ein sehr langer Titel, der nicht in den Kasten passt");
    f.b->Selected = true;
    auto outside = f.box(QStringLiteral("Außerhalb"), 60000, 60000);
    QImage image(640, 400, QImage::Format_RGB32);
    Canvas canvas(&image);
    canvas.setRecording(true, false);
    f.board.paintOn(canvas);

    const auto lines = opsOf(canvas, DrawOp::Line);
    const auto link = std::find_if(lines.begin(), lines.end(), [](const DrawOp *op) { return op->foreColor == BoardPainter::kLinkColor; });
    ASSERT_NE(link, lines.end());
    EXPECT_EQ((*link)->rect.topLeft(), QPointF(1500, 800));
    EXPECT_EQ((*link)->rect.bottomRight(), QPointF(7500, 800));
    const auto fills = opsOf(canvas, DrawOp::FilledBox);
    ASSERT_EQ(fills.size(), 3u); // the outside box is not painted
    EXPECT_EQ(fills[1]->fillColor, SystemColor::Highlight);
    EXPECT_EQ(fills[0]->fillColor, SystemColor::WindowBackground);
    EXPECT_LT(link - lines.begin(), 1) << "links are drawn first";

    const DrawOp *caption = textOp(canvas, QStringLiteral("Archiv"));
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->bold);
    EXPECT_EQ(caption->rect.topLeft(), QPointF(360, 330));
    EXPECT_NE(textOp(canvas, QStringLiteral("Archiv Beschreibung")), nullptr);
    EXPECT_NE(textOp(canvas, QStringLiteral("Öffnen")), nullptr);
    EXPECT_EQ(textOp(canvas, QStringLiteral("Außerhalb")), nullptr);
    bool cut = false;
    for (const DrawOp *op : opsOf(canvas, DrawOp::Text))
        cut = cut || (op->text.startsWith(QStringLiteral("Ein sehr")) && op->text.endsWith(QStringLiteral("...")));
    EXPECT_TRUE(cut);

    // A link whose end left the board is neither drawn nor hit.
    f.board.RemoveItem(f.b);
    canvas.clearRecording();
    f.board.paintOn(canvas);
    for (const DrawOp *op : opsOf(canvas, DrawOp::Line))
        EXPECT_NE(op->foreColor, BoardPainter::kLinkColor);
    f.click(QPoint(4000, 800));
    EXPECT_TRUE(f.log.isEmpty());
    EXPECT_TRUE(f.board.Config().contains(QStringLiteral("Location2=") + f.b->id));
}

TEST(velkBoard, HostMembersKeepTheBoardConsistent)
{
    BoardFixture f;
    EXPECT_TRUE(f.board.HasLink(f.a, f.b));
    EXPECT_TRUE(f.board.HasLink(f.b, f.a));
    EXPECT_FALSE(f.board.HasLink(f.a, f.c));
    EXPECT_FALSE(f.board.HasLink(f.a, nullptr));
    f.board.AddItem(f.a); // already there
    EXPECT_EQ(f.board.Items().Count(), 3);

    const QString config = f.board.Config();
    velkBoard other;
    other.setProperty("Config", config);
    EXPECT_EQ(other.Config(), config);
    EXPECT_EQ(other.Items().Count(), 3);
    EXPECT_TRUE(other.HasLink(*other.Items().Item(1), *other.Items().Item(2)));

    // The host moves a box and refreshes: hits follow.
    f.c->x = 20000;
    f.board.Refresh();
    f.click(QPoint(20100, f.c->y + 100));
    EXPECT_EQ(f.selection(), QStringLiteral("001"));

    f.board.RemoveLink(f.ab);
    EXPECT_FALSE(f.board.HasLink(f.a, f.b));
    f.board.Clear();
    EXPECT_EQ(f.board.Config(), QString());
    f.click(QPoint(400, 400)); // nothing left to hit
    EXPECT_TRUE(f.log.isEmpty());
}

namespace {
struct ArchiveSource : velk::velkConnector
{
    bool Connect(const QString &pfd) override { return pfd == QStringLiteral("Archiv"); }
};
} // namespace

TEST(velkConnector, BaseConnectsToNothingAndSourcesAnswerLateBound)
{
    velkConnector base;
    EXPECT_FALSE(base.Connect(QStringLiteral("Archiv")));
    EXPECT_TRUE(base.ListItems(QStringLiteral("Archiv")).isEmpty());
    EXPECT_TRUE(base.ListFolders(QStringLiteral("Archiv")).isEmpty());
    ArchiveSource source;
    bool ok = false;
    ASSERT_TRUE(QMetaObject::invokeMethod(&source, "Connect", Q_RETURN_ARG(bool, ok), Q_ARG(QString, QStringLiteral("Archiv"))));
    EXPECT_TRUE(ok);
}
