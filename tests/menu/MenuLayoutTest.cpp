#include <velk/menu/MenuLayout_p.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

// Captions 6 pixels per character, so sizes are easy to follow.
MenuLayoutOptions options(short style, QSize size = {400, 24})
{
    return {style, size, [](const QString &s) { return 6.0 * s.size(); }};
}

} // namespace

TEST(MenuLayout, ItemSizesFollowStyleAndKind)
{
    struct Row { const char *name; short style; QSize size; const char *item; int margin, content, spacing; };
    const Row rows[] = {
        {"toolbar caption", 0, {400, 24}, "Speichern", 6, 54, 1},
        {"toolbar icon and caption", 0, {400, 24}, "save#Speichern", 6, 70, 1},
        {"marker adds 12", 0, {400, 24}, "save#Speichern#v", 6, 82, 1},
        {"icon without caption", 0, {400, 24}, "save#", 6, 12, 1},
        {"empty item", 0, {400, 24}, ",", 6, -4, 1},
        {"hidden caption with icon", 0, {400, 24}, "save#(Speichern)", 6, 12, 1},
        {"hidden caption without icon", 0, {400, 24}, "(Speichern)", 6, 0, 1},
        {"separator", 0, {400, 24}, "-", 4, 2, 0},
        {"text field", 0, {400, 24}, "$text:a", 0, 100, 0},
        {"eval field", 3, {400, 24}, "$eval:a", 0, 55, 0},
        {"tab", 1, {400, 24}, "Allgemein", 12, 54, -6},
        {"tab with wide icon cell", 4, {400, 24}, "save#Allgemein", 12, 74, -6},
        {"tab with hidden caption", 1, {400, 24}, "save#(x)", 12, 12, -6},
        {"fixed buttons", 6, {400, 24}, "save#Speichern", 4, 80, 5},
        {"fixed buttons keep separators", 6, {400, 24}, "-", 4, 2, 0},
        {"vertical list", 2, {100, 400}, "save#Speichern", 6, 40, 0},
        {"vertical list separator", 2, {100, 400}, "-", 6, 10, 0},
        {"vertical list field", 2, {100, 400}, "$text:a", 6, 40, 0},
        {"vertical rows", 3, {100, 400}, "Speichern", 6, 15, 0},
        {"vertical toolbar", 0, {30, 400}, "Speichern", 6, 54, 1},
        {"far-end mark", 0, {400, 24}, ">", 0, 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const MenuModel model(QString::fromUtf8(row.item));
        ASSERT_EQ(model.Count(), 1);
        const MenuLayout layout(model, options(row.style, row.size));
        EXPECT_EQ(layout.box(1).margin, row.margin);
        EXPECT_EQ(layout.box(1).size, row.content);
        EXPECT_EQ(layout.box(1).spacing, row.spacing);
    }
}

TEST(MenuLayout, ItemsFollowEachOtherAndTheFarEnd)
{
    const MenuModel model(QStringLiteral("a,b,>,c,d"));
    const MenuLayout toolbar(model, options(0));
    EXPECT_EQ(toolbar.box(1).start, 0);
    EXPECT_EQ(toolbar.box(2).start, 19) << "6 + 6 + 6, then 1 spacing";
    EXPECT_EQ(toolbar.box(5).end(), 400) << "items after > end at the far end";
    EXPECT_EQ(toolbar.box(4).end() + 1, toolbar.box(5).start);
    EXPECT_EQ(toolbar.MenuWidth(), 4 * 19);

    const MenuLayout style5(model, options(5));
    EXPECT_EQ(style5.box(1).start, 1);
    EXPECT_EQ(style5.MenuWidth(), 1 + 4 * 19);

    const MenuModel tabs(QStringLiteral("Eins,Zwei"));
    const MenuLayout tabLayout(tabs, options(1));
    EXPECT_EQ(tabLayout.box(2).start, tabLayout.box(1).end() - 6) << "tabs overlap by 6 pixels";
    EXPECT_EQ(tabLayout.MenuWidth(), 2 * (24 + 24 - 6));

    const MenuLayout vertical(model, options(0, {30, 300}));
    EXPECT_TRUE(vertical.isVertical());
    EXPECT_EQ(vertical.itemRect(2), QRect(0, 19, 30, 18));
    EXPECT_EQ(vertical.box(5).end(), 300);
}

TEST(MenuLayout, HitTestFindsIconCaptionAndSplitArrow)
{
    // "save#Speichern#|v": margin 6, icon 16, caption 54, arrow 12, margin 6: 0..94.
    const MenuModel model(QStringLiteral("save#Speichern#|v,-,Neu#v"));
    const MenuLayout layout(model, options(0));
    ASSERT_EQ(layout.box(1).end(), 94);
    struct Row { const char *name; QPointF at; int id; MenuPart part; };
    const Row rows[] = {
        {"icon margin", {2, 10}, 1, MenuPart::Icon},
        {"icon cell", {21.5, 10}, 1, MenuPart::Icon},
        {"caption", {22, 10}, 1, MenuPart::Caption},
        {"caption end", {75.9, 10}, 1, MenuPart::Caption},
        {"split arrow", {76, 10}, 1, MenuPart::Arrow},
        {"split arrow margin", {93, 3}, 1, MenuPart::Arrow},
        {"spacing after the item", {94, 10}, 0, MenuPart::None},
        {"separator", {98, 10}, 0, MenuPart::None},
        {"a plain drop-down marker is caption", {layout.box(3).end() - 3.0, 10}, 3, MenuPart::Caption},
        {"past the items", {300, 10}, 0, MenuPart::None},
        {"above the bar", {30, -1}, 0, MenuPart::None},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const MenuHit hit = layout.hitTest(row.at);
        EXPECT_EQ(hit.id, row.id);
        EXPECT_EQ(hit.part, row.part);
    }
}

TEST(MenuLayout, VerticalRowsSplitTheirPartsAcross)
{
    const MenuModel model(QStringLiteral("save#Speichern#|v,Neu"));
    const MenuLayout rows(model, options(3, {120, 300}));
    ASSERT_TRUE(rows.isRowList());
    EXPECT_EQ(rows.hitTest({5, 10}).part, MenuPart::Icon);
    EXPECT_EQ(rows.hitTest({60, 10}).part, MenuPart::Caption);
    EXPECT_EQ(rows.hitTest({110, 10}).part, MenuPart::Arrow);
    EXPECT_EQ(rows.hitTest({5, 30}).id, 2);
    EXPECT_EQ(rows.hitTest({5, 30}).part, MenuPart::Caption) << "no icon: the whole row is caption";

    const MenuLayout stacked(model, options(2, {120, 300}));
    EXPECT_EQ(stacked.hitTest({60, 10}).part, MenuPart::Icon) << "icon on top in style 2";
    EXPECT_EQ(stacked.hitTest({60, 40}).part, MenuPart::Caption);
}
