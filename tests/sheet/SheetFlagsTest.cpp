#include <velk/sheet/SheetFlags_p.h>
#include <velk/sheet/SheetModel_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(SheetFlags, WordsSelectionModeAndSpacingPrecedence)
{
    struct Case
    {
        const char *flags;
        int mode;
        double spacing;
        bool grid;
    };
    const Case cases[] = {
        {"", 0, 1.2, false},
        {"singleselect", 1, 1.2, false},
        {"multiselectsimple", 3, 1.2, false},
        {"multiselect singleselect", 2, 1.2, false}, // the word order decides, not the text's
        {"singleselect multiselectsimple multiselect", 3, 1.2, false},
        {"SingleSelect", 0, 1.2, false},              // case-sensitive
        {"compact maxspace", 0, 1.6, false},
        {"compact space", 0, 1.3, false},
        {"compact", 0, 1.1, false},
        {"nospace", 0, 1.2, false},                   // whole words only
        {"lightgrid", 0, 1.2, true},                  // "grid" counts anywhere
        {"grid zebra", 0, 1.2, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.flags);
        const SheetFlags flags{QString::fromLatin1(c.flags)};
        EXPECT_EQ(flags.selectionMode(), c.mode);
        EXPECT_DOUBLE_EQ(flags.spacing(), c.spacing);
        EXPECT_EQ(flags.grid(), c.grid);
    }

    const SheetFlags flags(QStringLiteral("  lightgrid editonlyF2 xnoarrowkeysx  "));
    EXPECT_EQ(flags.text(), QStringLiteral("lightgrid editonlyF2 xnoarrowkeysx"));
    EXPECT_FALSE(flags.has(u"zebra"));
    EXPECT_FALSE(flags.has(u"edit"));
    EXPECT_TRUE(flags.has(u"editonlyF2"));
    EXPECT_TRUE(flags.has(u"noarrowkeys"));
    EXPECT_FALSE(flags.has(u""));
}

TEST(SheetFlags, RowPitchAndRowHeightsFollowSpacingAndGrid)
{
    SheetModel model;
    model.setLineHeight(200);
    EXPECT_EQ(model.rowPitch(), 240);
    model.setFlags(QStringLiteral("lightgrid"));
    EXPECT_EQ(model.rowPitch(), 270); // plus 2 pixels
    model.setFlags(QStringLiteral("maxspace compact"));
    EXPECT_EQ(model.rowPitch(), 320);

    // Row heights: a fixed Height wins; otherwise one spaced line per text line, at
    // least one; OwnerDraw is added only to the one selected row.
    model.setFlags(QString());
    auto threeLines = model.addItem(QStringLiteral("a\nb\tc\nd\ne"));
    auto empty = model.addItem(QString(), QStringLiteral("ordner"));
    EXPECT_EQ(model.rowHeight(*threeLines, false), 720);
    EXPECT_EQ(model.rowHeight(*empty, false), 240);
    empty->Height = 100;
    EXPECT_EQ(model.rowHeight(*empty, false), 100);
    model.setOwnerDraw(500);
    empty->Selected = true;
    EXPECT_EQ(model.rowHeight(*empty, true), 600);
    EXPECT_EQ(model.rowHeight(*empty, false), 100);
    EXPECT_EQ(model.rowHeight(*threeLines, true), 720);
}

TEST(SheetFlags, SettingFlagsAppliesTheSelectionMode)
{
    SheetModel model;
    for (int k = 0; k < 4; ++k)
        model.addItem(QStringLiteral("r%1").arg(k));
    model.setFlags(QStringLiteral("multiselect"));
    model.setSelectedIndex(2);
    model.setSelectedIndex(4);
    EXPECT_EQ(model.selectedCount(), 2);

    model.setFlags(QStringLiteral("singleselect"));
    EXPECT_EQ(model.selectedCount(), 1);
    EXPECT_TRUE(model.rows().at(4)->Selected);
    EXPECT_EQ(model.selectedIndex(), 4);

    model.setFlags(QString());
    EXPECT_EQ(model.selectedCount(), 0);
    EXPECT_EQ(model.selectedIndex(), 0);

    EXPECT_EQ(model.selectedCol(), 0);
    model.setFlags(QStringLiteral("selectcolumn"));
    EXPECT_EQ(model.selectedCol(), 1);
}
