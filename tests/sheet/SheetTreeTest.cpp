#include <velk/sheet/SheetModel_p.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

// 1 Archiv            (0)
// 2   Briefe          (1)
// 3     2023          (2)
// 4     2024          (2)
// 5   Rechnungen      (1)
// 6 Vorlagen          (0)
// 7       verwaist    (2)  jumps a level: the upward scan finds row 5 for it
void fillTree(SheetModel &model)
{
    const struct
    {
        const char *text;
        int indent;
    } rows[] = {{"Archiv\tx", 0}, {"Briefe", 1}, {"2023", 2}, {"2024", 2},
                {"Rechnungen", 1}, {"Vorlagen", 0}, {"verwaist", 2}};
    for (const auto &r : rows)
        model.addItem(QString::fromLatin1(r.text), QString(), r.indent, true);
}

} // namespace

TEST(SheetTree, QueryFirstAndQueryNext)
{
    SheetModel model;
    fillTree(model);
    const struct
    {
        int pos;
        int parent, groupStart, nextSibling, firstChild;
    } cases[] = {
        {1, 0, 1, 6, 2}, {2, 1, 2, 5, 3}, {3, 2, 3, 4, 0}, {4, 2, 3, 0, 0},
        {5, 1, 2, 0, 0}, {6, 0, 1, 0, 0}, {7, 5, 6, 0, 0},
        {0, 0, 0, 0, 0}, {8, 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pos);
        EXPECT_EQ(model.queryFirst(0, c.pos), c.parent);
        EXPECT_EQ(model.queryFirst(1, c.pos), c.groupStart);
        EXPECT_EQ(model.queryNext(1, c.pos), c.nextSibling);
        EXPECT_EQ(model.queryNext(0, c.pos), c.firstChild);
    }
}

TEST(SheetTree, FullTextVisibilityAndPlaceholders)
{
    SheetModel model;
    fillTree(model);
    EXPECT_EQ(model.fullText(4, QStringLiteral("\\")), QStringLiteral("Archiv\\Briefe\\2024"));
    EXPECT_EQ(model.fullText(1, QStringLiteral("/")), QStringLiteral("Archiv"));
    EXPECT_EQ(model.fullText(9, QStringLiteral("/")), QString());

    EXPECT_TRUE(model.rows().at(4)->Visible());
    model.rows().at(2)->Expanded = false;
    EXPECT_FALSE(model.rows().at(4)->Visible());
    EXPECT_TRUE(model.rows().at(2)->Visible());
    EXPECT_TRUE(model.rows().at(5)->Visible());

    model.addItem(QStringLiteral("..."), QString(), 1, false, 7);
    EXPECT_TRUE(model.hasUninitializedChilds(6));
    EXPECT_FALSE(model.hasUninitializedChilds(5)); // "..." is not one level deeper
    EXPECT_FALSE(model.hasUninitializedChilds(model.count()));
    EXPECT_FALSE(model.hasUninitializedChilds(0));
}

TEST(SheetTree, SetIndentRelinks)
{
    SheetModel model;
    fillTree(model);
    EXPECT_EQ(model.rows().at(5)->Parent(), model.rows().at(1));
    EXPECT_TRUE(model.setIndent(5, 3));
    EXPECT_EQ(model.rows().at(5)->Parent(), model.rows().at(4));
    EXPECT_EQ(model.rows().at(4)->FirstChild(), model.rows().at(5));
    EXPECT_FALSE(model.setIndent(8, 1));
}
