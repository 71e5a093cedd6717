#include "SheetTestSupport.h"

#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetPainter_p.h>

#include "support/TestSupport.h"


using namespace velk;
using namespace sheettest;

namespace {

constexpr Color grey240 = rgbColor(240, 240, 240);

// Filled boxes whose top left lies at (x, y), with their colours.
std::vector<Color> fillsAt(const std::vector<DrawOp> &ops, double x, double y)
{
    std::vector<Color> colors;
    for (const DrawOp &op : ops) {
        if (op.kind == DrawOp::FilledBox && qAbs(op.rect.left() - x) < 1 && qAbs(op.rect.top() - y) < 1)
            colors.push_back(op.fillColor);
    }
    return colors;
}

int countOps(const std::vector<DrawOp> &ops, DrawOp::Kind kind, Color color)
{
    return int(std::count_if(ops.begin(), ops.end(),
                             [&](const DrawOp &op) { return op.kind == kind && op.foreColor == color; }));
}

} // namespace

TEST(SheetPainter, TextStartsAfterTheMarginAndRightAlignedTextEndsAtTheCellEdge)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Summe:1500r,Rest:*"));
    sheet->AddItem(QStringLiteral("Hallo\t12,50\tx"));
    const auto ops = paintList(*sheet);
    const SheetLayout layout = SheetInternals::layout(*sheet);
    const DrawOp *name = findText(ops, QStringLiteral("Hallo"));
    const DrawOp *sum = findText(ops, QStringLiteral("12,50"));
    ASSERT_TRUE(name && sum);
    EXPECT_EQ(name->rect.left(), 50);
    EXPECT_EQ(name->rect.top(), layout.textTop(layout.rowBox(1)->y1));
    EXPECT_NEAR(sum->rect.right(), sheet->GetColumnData(2)->x2 - 50, 0.01);
    EXPECT_EQ(name->foreColor, SystemColor::WindowText);
    EXPECT_FALSE(name->bold);

    sheet->ListItem(1)->Format = 2;
    EXPECT_TRUE(findText(paintList(*sheet), QStringLiteral("Hallo"))->bold);
}

TEST(SheetPainter, TextsThatDoNotFitEndInDotsAndNeverReachTheNextColumn)
{
    auto sheet = makeSheet(QStringLiteral("Name:1200,Rest:*"));
    sheet->AddItem(QStringLiteral("Ein sehr langer Titel, der nicht passt\tx"));
    sheet->AddItem(QStringLiteral("kurz"));
    sheet->AddItem(QStringLiteral("Erste Zeile ist auch viel zu lang\nzwei"));
    const auto ops = paintList(*sheet);
    const QStringList texts = printed(ops);
    ASSERT_GE(texts.size(), 5);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("Ein sehr")));
    EXPECT_TRUE(texts[0].endsWith(QStringLiteral("...")));
    EXPECT_LE(findText(ops, texts[0])->rect.right(), sheet->GetColumnData(1)->x2 - 50);
    EXPECT_TRUE(texts.contains(QStringLiteral("kurz")));
    // A text with a line break is drawn line by line, uncut.
    const DrawOp *first = findText(ops, QStringLiteral("Erste Zeile ist auch viel zu lang"));
    const DrawOp *second = findText(ops, QStringLiteral("zwei"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->rect.top() - first->rect.top(), sheet->lineHeight());

    Canvas measure;
    const struct
    {
        const char *name;
        double room;
        QString expected;
    } cases[] = {{"fits", 5000, QStringLiteral("Archiv")},
                 {"cut", measure.TextWidth(QStringLiteral("Ar...")), QStringLiteral("Ar...")},
                 {"only dots", measure.TextWidth(QStringLiteral("...")), QStringLiteral("...")},
                 {"two dots", measure.TextWidth(QStringLiteral("..")), QStringLiteral("..")},
                 {"nothing fits", 0, QString()}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SheetPainter::shortened(measure, QStringLiteral("Archiv"), c.room), c.expected);
    }
}

TEST(SheetPainter, RichTextMarkupIsDrawnPieceByPiece)
{
    auto sheet = makeSheet(QStringLiteral("Text:3000,Mehr:*"), QStringLiteral("richtext"));
    sheet->AddItem(QStringLiteral("<B>a</B>b\t<TAB>2000</TAB>weit"));
    sheet->AddItem(QStringLiteral("^_Titel\t<XY z>"));
    sheet->AddItem(QStringLiteral("<A open:7>Dok</A> <BUTTON go 1>Knopf</BUTTON>"));
    auto ops = paintList(*sheet);
    const DrawOp *a = findText(ops, QStringLiteral("a"));
    const DrawOp *b = findText(ops, QStringLiteral("b"));
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->bold);
    EXPECT_FALSE(b->bold);
    EXPECT_NEAR(b->rect.left(), a->rect.right(), 0.01);
    EXPECT_EQ(findText(ops, QStringLiteral("weit"))->rect.left(), sheet->GetColumnData(2)->x1 + 2000);
    const DrawOp *title = findText(ops, QStringLiteral("Titel"));
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->bold && title->underline);
    EXPECT_NE(findText(ops, QStringLiteral("XY")), nullptr); // an unknown tag shows its name
    const DrawOp *link = findText(ops, QStringLiteral("Dok"));
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->underline);
    EXPECT_EQ(link->foreColor, rgbColor(0, 0, 255));
    const DrawOp *button = findText(ops, QStringLiteral("Knopf"));
    ASSERT_TRUE(button);
    EXPECT_EQ(countOps(ops, DrawOp::Box, rgbColor(128, 128, 128)), 1);
    const auto face = std::find_if(ops.begin(), ops.end(), [](const DrawOp &op) {
        return op.kind == DrawOp::FilledBox && op.fillColor == rgbColor(220, 220, 220);
    });
    ASSERT_NE(face, ops.end());
    EXPECT_LT(face->rect.left(), button->rect.left()); // padded by a blank

    sheet->setFlags(QString());
    ops = paintList(*sheet);
    EXPECT_NE(findText(ops, QStringLiteral("<B>a</B>b")), nullptr);
    EXPECT_NE(findText(ops, QStringLiteral("^_Titel")), nullptr);
}

TEST(SheetPainter, RowBackgroundFollowsItsPriorities)
{
    SheetModel model;
    auto row = [&](int indent) { return model.addItem(QStringLiteral("x"), QString(), indent); };
    const auto first = row(0), second = row(0), child = row(1), own = row(0);
    own->BackColor = rgbColor(1, 2, 3);
    const Color list = SystemColor::WindowBackground;
    const Color cyan = rgbColor(200, 255, 255);
    const struct
    {
        const char *name;
        std::shared_ptr<SheetData> row;
        int art;
        bool zebra;
        Color listBack, expected;
    } cases[] = {
        {"odd position, even indent", first, 0, true, list, list},
        {"zebra on an even position", second, 0, true, list, grey240},
        {"no zebra", second, 0, false, list, list},
        {"odd indent without zebra", child, 0, false, list, grey240},
        {"odd indent ANDed with a plain list colour", child, 0, false, cyan, rgbColor(192, 240, 240)},
        {"own colour beats zebra", own, 0, true, list, rgbColor(1, 2, 3)},
        {"art 1 highlights", own, 1, true, list, SystemColor::Highlight},
        {"art 2 is grey", first, 2, false, list, rgbColor(160, 160, 160)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SheetPainter::backgroundOf(*c.row, c.art, c.zebra, c.listBack), c.expected);
    }
    first->Selected = true;
    EXPECT_EQ(SheetPainter::backgroundOf(*first, 2, false, list), SystemColor::Highlight);
}

TEST(SheetPainter, SelectedAndRefreshedRowsAreHighlighted)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect"));
    for (const char *text : {"eins", "zwei", "drei"})
        sheet->AddItem(QString::fromLatin1(text));
    sheet->setSelectedIndex(2);
    sheet->RefreshItem(3, 1);
    auto ops = paintList(*sheet);
    EXPECT_EQ(findText(ops, QStringLiteral("zwei"))->foreColor, SystemColor::HighlightText);
    EXPECT_EQ(findText(ops, QStringLiteral("drei"))->foreColor, SystemColor::HighlightText);
    EXPECT_EQ(findText(ops, QStringLiteral("eins"))->foreColor, SystemColor::WindowText);
    const int y3 = SheetInternals::layout(*sheet).rowBox(3)->y1;
    EXPECT_EQ(fillsAt(ops, 0, y3), std::vector<Color>{SystemColor::Highlight});

    sheet->RefreshItem(3, 2);
    EXPECT_EQ(fillsAt(paintList(*sheet), 0, y3), std::vector<Color>{rgbColor(160, 160, 160)});
    sheet->Refresh(); // a full repaint forgets the art
    EXPECT_EQ(fillsAt(paintList(*sheet), 0, y3), std::vector<Color>{SystemColor::WindowBackground});
}

TEST(SheetPainter, TreeRowsAreIndentedWithExpandBoxCheckBoxAndIcon)
{
    auto sheet = makeSheet();
    sheet->setLeftMargin(250);
    sheet->AddItem(QStringLiteral("Archiv"), QString(), 0, true, 0, QString(), 2);
    sheet->AddItem(QStringLiteral("Briefe"), QStringLiteral("file"), 1);
    auto ops = paintList(*sheet);
    const int y1 = SheetInternals::layout(*sheet).rowBox(1)->y1;
    EXPECT_EQ(fillsAt(ops, 40, y1 + 30), std::vector<Color>{rgbColor(255, 255, 255)});
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(0, 0, 0)), 1 + 2); // minus, and the check box's tick
    const DrawOp *child = findText(ops, QStringLiteral("Briefe"));
    ASSERT_TRUE(child);
    EXPECT_EQ(child->rect.left(), 250 + 300 + 240 + 45); // indentation, icon, gap
    EXPECT_TRUE(std::any_of(ops.begin(), ops.end(), [](const DrawOp &op) {
        return op.kind == DrawOp::Picture && qAbs(op.rect.left() - 550) < 15; // on a whole pixel
    }));

    sheet->ListItem(1)->Expanded = false;
    sheet->ListItem(1)->CheckState = 1;
    sheet->Refresh();
    ops = paintList(*sheet);
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(0, 0, 0)), 2); // the plus
    EXPECT_EQ(findText(ops, QStringLiteral("Briefe")), nullptr);
}

TEST(SheetPainter, HeaderShowsCaptionsAndTheSortMarker)
{
    // Without the popup menu's marker, which SheetMenuTest looks at.
    auto sheet = makeSheet(QStringLiteral("Name:2000,Betrag:1500r,Datum:*"), QStringLiteral("nopulldown"));
    sheet->setLeftMargin(250);
    sheet->AddItem(QStringLiteral("b\t2\t01.01.2024"));
    sheet->AddItem(QStringLiteral("a\t1\t02.01.2024"));
    auto ops = paintHeader(*sheet);
    EXPECT_EQ(printed(ops), QStringList({"Name", "Betrag", "Datum"}));
    EXPECT_EQ(findText(ops, QStringLiteral("Name"))->rect.left(), 250); // over the texts
    EXPECT_NEAR(findText(ops, QStringLiteral("Betrag"))->rect.right(), sheet->GetColumnData(2)->x2 - 50, 0.01);
    EXPECT_EQ(ops.front().fillColor, SystemColor::ButtonFace);

    const struct
    {
        const char *name;
        std::function<void()> change;
        QString glyph;
    } cases[] = {
        {"ascending", [&] { sheet->QuickSort(1); }, QStringLiteral("6")},
        {"descending", [&] { sheet->QuickSort(1); }, QStringLiteral("5")},
        {"column's own direction wins", [&] { sheet->GetColumnData(1)->SortDirection = 1; }, QStringLiteral("6")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        ops = paintHeader(*sheet);
        const QStringList texts = printed(ops);
        ASSERT_EQ(texts.size(), 4);
        EXPECT_EQ(texts[1], c.glyph);
        EXPECT_EQ(findText(ops, c.glyph)->fontName, QStringLiteral("Marlett"));
    }

    sheet->setFlags(QStringLiteral("headerleft"));
    ops = paintHeader(*sheet);
    EXPECT_EQ(findText(ops, QStringLiteral("Name"))->rect.left(), 50); // the cell padding
    EXPECT_EQ(findText(ops, QStringLiteral("Betrag"))->rect.left(), sheet->GetColumnData(2)->x1 + 50);
}

TEST(SheetPainter, RatingCellsShowFiveBarsAndTheSecondValue)
{
    auto sheet = makeSheet(QStringLiteral("Name:1000,Wert:1000e,Rest:*"));
    sheet->AddItem(QStringLiteral("x\t60"));
    sheet->AddItem(QStringLiteral("y\t40/50"));
    const auto ops = paintList(*sheet);
    const int x1 = sheet->GetColumnData(2)->x1;
    std::vector<std::pair<double, Color>> bars;
    for (const DrawOp &op : ops) {
        if (op.kind == DrawOp::FilledBox && op.rect.left() >= x1 && op.rect.left() < x1 + 1000)
            bars.emplace_back(op.rect.left() - x1, op.fillColor);
    }
    const Color red = rgbColor(255, 0, 0), off = rgbColor(192, 192, 192);
    const std::vector<std::pair<double, Color>> expected = {
        {180, off}, {300, off}, {420, red}, {540, off}, {660, off},
        {180, off}, {300, red}, {420, off}, {540, off}, {660, off}, {120, rgbColor(255, 160, 160)}};
    EXPECT_EQ(bars, expected);
    const auto mark = std::find_if(ops.begin(), ops.end(),
                                   [](const DrawOp &op) { return op.fillColor == rgbColor(255, 160, 160); });
    EXPECT_NEAR(mark->rect.width(), 50 * 6 - 15 - 15, 0.01); // the box's last pixel is inclusive
}

TEST(SheetPainter, GridLinesAndCheckCells)
{
    auto sheet = makeSheet(QStringLiteral("Name:1000,Ok:500b,Rest:*"), QStringLiteral("lightgrid"));
    sheet->AddItem(QStringLiteral("a\t2"));
    sheet->AddItem(QStringLiteral("b\t1"));
    auto ops = paintList(*sheet);
    // Per row: three column edges and the bottom line.
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(200, 200, 200)), 8);
    EXPECT_EQ(countOps(ops, DrawOp::Box, rgbColor(128, 128, 128)), 2); // two check boxes
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(0, 0, 0)), 2);      // one tick
    EXPECT_EQ(findText(ops, QStringLiteral("2")), nullptr);

    sheet->setFlags(QStringLiteral("grid"));
    ops = paintList(*sheet);
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(200, 200, 200)), 0);
    EXPECT_EQ(countOps(ops, DrawOp::Line, rgbColor(0, 0, 0)), 8 + 2);
}

TEST(SheetPainter, OnlyPaintedRowsAreRequestedAndTheOwnerDrawnAreaGoesToTheHost)
{
    auto sheet = makeSheet(QString(), QStringLiteral("requestdata singleselect"));
    sheet->setCount(100000);
    QList<int> requested;
    QObject::connect(sheet->events(), &velkSheetEvents::RequestData, [&](int pos) {
        requested << pos;
        sheet->ListItem(pos)->setText(QStringLiteral("Zeile %1").arg(pos));
    });
    const auto ops = paintList(*sheet);
    const int shown = int(SheetInternals::layout(*sheet).rows().size());
    ASSERT_GT(shown, 5);
    ASSERT_EQ(requested.size(), shown);
    EXPECT_EQ(requested.front(), 1);
    EXPECT_NE(findText(ops, QStringLiteral("Zeile 2")), nullptr);
    EXPECT_EQ(sheet->ListItem(2)->y1(), SheetInternals::layout(*sheet).rowBox(2)->y1);
    paintList(*sheet);
    EXPECT_EQ(requested.size(), shown); // asked once

    sheet->setOwnerDraw(600);
    sheet->setSelectedIndex(2);
    std::vector<std::vector<int>> drawn;
    QObject::connect(sheet->events(), &velkSheetEvents::DrawItem,
                     [&](Canvas *canvas, std::shared_ptr<SheetData> itm, int x1, int y1, int x2, int y2) {
                         EXPECT_NE(canvas, nullptr);
                         drawn.push_back({sheet->GetPosition(itm), x1, y1, x2, y2});
                     });
    paintList(*sheet);
    ASSERT_EQ(drawn.size(), 1u);
    const auto box = *SheetInternals::layout(*sheet).rowBox(2);
    EXPECT_EQ(drawn[0], std::vector<int>({2, 50, box.y1 + sheet->lineHeight(), SheetInternals::layout(*sheet).viewport().width - 45, box.y2}));
    EXPECT_GE(box.y2 - box.y1, 600);
}
