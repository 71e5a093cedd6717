#include <velk/platform/Input.h>
#include <velk/sheet/SheetLayout_p.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetMouse_p.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

// Rows of 240 twips from y = 20; columns Name 0 .. 3050, Note (rating) 3050 .. 4050,
// Ok (check cells) 4050 .. 4650, Text to 6000.
struct MouseFixture
{
    SheetModel model;
    SheetViewport view{6000, 20 + 5 * 240, 50, 20, 1};

    MouseFixture()
    {
        model.setColumns(QStringLiteral("Name:3000,Note:1000e,Ok:600b,Text:*"));
        model.setLineHeight(195);
        model.addItem(QStringLiteral("Eltern\t60\t2"), QString(), 0, true, 0, QString(), 1);
        model.addItem(QStringLiteral("Kind"), QStringLiteral("##"), 1);
    }
    SheetLayout layout() const { return SheetLayout(model, model.columns().layout(view.width, 1, 50), view); }
};

} // namespace

TEST(SheetMouse, PressesBecomeIntentsByWhatLiesUnderThePointer)
{
    MouseFixture f;
    const SheetLayout layout = f.layout();
    const int row1 = 20 + 120;
    const int row2 = 20 + 240 + 120;
    const SheetFirstColumn parent = layout.firstColumn(*f.model.rows().at(1), 20);
    const SheetFirstColumn child = layout.firstColumn(*f.model.rows().at(2), 260);
    using I = SheetMouseIntent;
    const struct
    {
        const char *name;
        int button, x, y;
        I::Action action;
        int row, col;
    } cases[] = {
        {"text of a cell", MouseButton::Left, 2000, row1, I::ClickCell, 1, 1},
        {"check box of the row", MouseButton::Left, parent.checkBox.center().x(), parent.checkBox.center().y(),
         I::ToggleCheckBox, 1, 1},
        {"drop-down button", MouseButton::Left, child.dropDown.center().x(), child.dropDown.center().y(),
         I::DropDownMenu, 2, 1},
        {"rating cell", MouseButton::Left, 3050 + 60 + 360 + 40, row1, I::SetRating, 1, 2},
        {"check cell", MouseButton::Left, 4300, row1, I::ToggleCheckCell, 1, 3},
        {"empty check cell is a plain cell", MouseButton::Left, 4300, row2, I::ClickCell, 2, 3},
        {"right button anywhere on a row", MouseButton::Right, 4300, row1, I::ContextMenu, 1, 3},
        {"middle button", MouseButton::Middle, 2000, row1, I::None, 0, 0},
        {"below the last row", MouseButton::Left, 2000, 20 + 3 * 240, I::None, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const I intent = sheetMouseIntent(c.button, c.x, c.y, layout, false);
        EXPECT_EQ(intent.action, c.action);
        EXPECT_EQ(intent.row, c.row);
        EXPECT_EQ(intent.col, c.col);
    }
    // The rating a click gives is the nearest bar: bar 60 starts at x1 + 60 + 360.
    EXPECT_EQ(sheetMouseIntent(MouseButton::Left, 3050 + 60 + 360 + 40, row1, layout, false).value, 60);
}

TEST(SheetMouse, OwnerDrawAreaOpensTheLightEditorOnlyWithTheFlag)
{
    MouseFixture f;
    f.model.setFlags(QStringLiteral("singleselect"));
    f.model.setOwnerDraw(600);
    f.model.setSelectedIndex(1);
    const SheetLayout layout = f.layout();
    const int inArea = 20 + 195 + 300;
    EXPECT_EQ(sheetMouseIntent(MouseButton::Left, 2000, inArea, layout, true).action, SheetMouseIntent::LightEdit);
    const SheetMouseIntent plain = sheetMouseIntent(MouseButton::Left, 2000, inArea, layout, false);
    EXPECT_EQ(plain.action, SheetMouseIntent::ClickCell);
    EXPECT_FALSE(plain.onText); // no markup is hit in the owner-drawn area
}

TEST(SheetMouse, HeaderPressesSortOrOpenTheColumnMenu)
{
    MouseFixture f;
    const SheetLayout layout = f.layout();
    EXPECT_EQ(sheetHeaderIntent(MouseButton::Left, 3500, layout, false).action, SheetMouseIntent::ColumnClick);
    EXPECT_EQ(sheetHeaderIntent(MouseButton::Left, 3500, layout, false).col, 2);
    // A press on a marked edge starts resizing and sorts nothing.
    EXPECT_EQ(sheetHeaderIntent(MouseButton::Left, 3040, layout, true).action, SheetMouseIntent::None);
    EXPECT_EQ(sheetHeaderIntent(MouseButton::Right, 3040, layout, true).action, SheetMouseIntent::ColumnMenu);
}
