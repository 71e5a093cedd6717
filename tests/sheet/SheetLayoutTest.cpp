#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/SheetModel_p.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

// A line of 195 twips (13 pixels): rows of 1.2 lines are 240 twips (16 pixels) high.
constexpr int LineHeight = 195;
constexpr int Row = 240;

SheetViewport viewport(int rows, int scrollValue = 1)
{
    return {6000, 20 + rows * Row, 50, 20, scrollValue};
}

SheetLayout layoutFor(const SheetModel &model, const SheetViewport &view)
{
    return SheetLayout(model, model.columns().layout(view.width, 1, view.leftMargin), view);
}

// 1 A (0, collapsed)   2 a1 (1)   3 a2 (1, expanded)   4 a2x (2)
// 5 B (0, expanded)    6 b1 (1)   7 C (0)
void fillTree(SheetModel &model)
{
    model.setLineHeight(LineHeight);
    model.addItem(QStringLiteral("A"), QString(), 0, false);
    model.addItem(QStringLiteral("a1"), QString(), 1);
    model.addItem(QStringLiteral("a2"), QString(), 1, true);
    model.addItem(QStringLiteral("a2x"), QString(), 2);
    model.addItem(QStringLiteral("B"), QString(), 0, true);
    model.addItem(QStringLiteral("b1"), QString(), 1);
    model.addItem(QStringLiteral("C"));
}

} // namespace

TEST(SheetLayout, ColumnsScrolledPastOrHiddenTakeNoRoom)
{
    SheetModel model;
    model.setColumns(QStringLiteral("A:1000,B:800,!C:500,D:*"));
    SheetColumnEdges laidOut = model.columns().layout(6000, 1, 50);
    auto edges = [&](int col) { return std::pair(laidOut.at(col).x1, laidOut.at(col).x2); };
    EXPECT_EQ(edges(1), std::pair(0, 1050)); // column 1 is LeftMargin wider
    EXPECT_EQ(edges(2), std::pair(1050, 1850));
    EXPECT_EQ(edges(3), std::pair(-1, -1));
    EXPECT_EQ(edges(4), std::pair(1850, 6000)); // "*" takes the rest

    laidOut = model.columns().layout(6000, 2, 50);
    EXPECT_EQ(edges(1), std::pair(-1, -1));
    EXPECT_EQ(edges(2), std::pair(0, 800));
    EXPECT_EQ(model.columns().lastShown(), 4);
    EXPECT_EQ(model.columns().nearestShown(4, -1), 2);

    model.setColumns(QStringLiteral("A:3000,B:3000,C:3000"));
    EXPECT_EQ(model.columns().firstColumnFitting(6500, 50), 2);
}

TEST(SheetLayout, RowsUnderCollapsedParentsAreNotShown)
{
    SheetModel model;
    fillTree(model);
    const SheetShownRows &shown = model.shownRows();
    EXPECT_EQ(model.shownCount(), 4); // A, B, b1, C
    EXPECT_EQ(shown.position(model.rows(), 2), 5);
    EXPECT_EQ(shown.countUpTo(model.rows(), 4), 1); // a2x lies under A
    EXPECT_EQ(shown.firstAtOrAfter(model.rows(), 2), 2);

    model.setExpanded(1, true);
    EXPECT_EQ(model.shownCount(), 7);
    model.setExpanded(3, false);
    EXPECT_EQ(model.shownCount(), 6);
    model.removeItem(1); // rows changing are seen without being told
    EXPECT_EQ(model.shownCount(), 5);
}

TEST(SheetLayout, OnlyTheRowsOnThePageAreLaidOut)
{
    SheetModel model;
    model.setLineHeight(LineHeight);
    for (int k = 1; k <= 1000; ++k)
        model.addItem(QString::number(k));
    model.addItem(QStringLiteral("zwei\nZeilen"));
    const SheetLayout top = layoutFor(model, viewport(10));
    ASSERT_EQ(top.rows().size(), 10u);
    EXPECT_EQ(top.rows().front().y1, 20);
    EXPECT_EQ(top.rows()[1].y1, 20 + Row);
    EXPECT_EQ(top.visibleLines(), (10 * Row + 20 - 30) / model.rowPitch());

    const SheetLayout end = layoutFor(model, viewport(10, top.maxScrollValue()));
    EXPECT_EQ(top.maxScrollValue(), 1001 - 8); // the last page holds 8 single rows and one double
    EXPECT_EQ(end.rows().back().pos, 1001);
    EXPECT_EQ(end.rows().back().y2 - end.rows().back().y1, 2 * Row);
    EXPECT_EQ(end.rowBox(1000)->pos, 1000);
    EXPECT_EQ(end.rowBox(3), nullptr);
}

TEST(SheetLayout, ScrollValueShowingARow)
{
    SheetModel model;
    model.setLineHeight(LineHeight);
    for (int k = 1; k <= 100; ++k)
        model.addItem(QString::number(k));
    const SheetLayout layout = layoutFor(model, viewport(10, 30));
    const struct
    {
        const char *name;
        int pos, value;
    } cases[] = {{"on the page: unchanged", 35, 30}, {"last whole row: unchanged", 39, 30},
                 {"above: to the top", 12, 12},      {"below: to the bottom", 60, 51},
                 {"last row", 100, 91}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(layout.scrollValueShowing(c.pos), c.value);
    }
}

TEST(SheetLayout, ScrollValuesCountShownRowsOrPositionsWithSpeed)
{
    SheetModel model;
    fillTree(model);
    const SheetLayout counted = layoutFor(model, viewport(2, 2));
    EXPECT_EQ(counted.topRow(), 5);
    EXPECT_EQ(counted.scrollValueOf(6), 3);
    EXPECT_EQ(counted.maxScrollValue(), 3);

    model.setFlags(QStringLiteral("speed"));
    const SheetLayout speed = layoutFor(model, viewport(2, 2)); // row 2 is hidden: the page starts at B
    EXPECT_EQ(speed.topRow(), 5);
    EXPECT_EQ(speed.scrollValueOf(6), 6);
    EXPECT_EQ(speed.maxScrollValue(), 6);
}

TEST(SheetLayout, HitTestFindsThePartsOfTheFirstColumn)
{
    SheetModel model;
    model.setColumns(QStringLiteral("Name:3000,Note:1000e,Ok:600b,Text:*"));
    model.setLineHeight(LineHeight);
    model.addItem(QStringLiteral("Eltern\t60\t2"), QString(), 0, true, 0, QString(), 1);
    model.addItem(QStringLiteral("Kind"), QStringLiteral("##"), 1);
    model.addItem(QStringLiteral("ohne Box\t\t\tx"), QStringLiteral("file"));
    SheetViewport view = viewport(5);
    view.leftMargin = 250;
    const SheetLayout layout = layoutFor(model, view);

    const SheetFirstColumn parent = layout.firstColumn(*model.rows().at(1), 20);
    EXPECT_EQ(parent.start, 250);
    EXPECT_EQ(parent.expandBox, QRect(40, 50, 120, 120));
    EXPECT_EQ(parent.checkBox.x(), 300);
    EXPECT_GT(parent.textX, parent.checkBox.right());
    const SheetFirstColumn child = layout.firstColumn(*model.rows().at(2), 20 + Row);
    EXPECT_TRUE(child.expandBox.isEmpty()); // no children
    EXPECT_EQ(child.dropDown.x(), 550 + 15);
    EXPECT_TRUE(child.icon.isEmpty()); // "##" is the drop-down, not an icon

    const int y1 = 20 + Row / 2;
    const int y3 = 20 + 2 * Row + Row / 2;
    const struct
    {
        const char *name;
        int x, y;
        SheetHit hit;
    } cases[] = {
        {"expand box", 100, y1, {1, 1, SheetHitKind::ExpandBox}},
        {"check box", 370, y1, {1, 1, SheetHitKind::CheckBox}},
        {"text", 1500, y1, {1, 1, SheetHitKind::Cell}},
        {"rating cell", 3400, y1, {1, 2, SheetHitKind::RatingCell}},
        {"check cell", 4500, y1, {1, 3, SheetHitKind::CheckCell}},
        {"empty check cell is a cell", 4500, y3, {3, 3, SheetHitKind::Cell}},
        {"drop-down", 700, y1 + Row, {2, 1, SheetHitKind::DropDown}},
        {"no check box with CheckState 0", 370, y3, {3, 1, SheetHitKind::Cell}},
        {"below the rows", 1500, 20 + 4 * Row, {0, 0, SheetHitKind::None}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const SheetHit hit = layout.hitTest(c.x, c.y);
        EXPECT_EQ(hit.row, c.hit.row);
        EXPECT_EQ(hit.col, c.hit.col);
        EXPECT_EQ(int(hit.kind), int(c.hit.kind));
    }
}

TEST(SheetLayout, RatingValueOfAClickIsTheNearestBar)
{
    // Bars start at x1 + 60 + 6v: 180, 300, 420, 540, 660 for x1 = 0.
    const struct
    {
        int x, value;
    } cases[] = {{0, 0}, {100, 0}, {150, 20}, {220, 20}, {290, 40}, {460, 60}, {600, 80}, {700, 100}, {5000, 100}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(SheetLayout::ratingValueAt(c.x, 0), c.value);
        EXPECT_EQ(SheetLayout::ratingValueAt(c.x + 1000, 1000), c.value);
    }
}
