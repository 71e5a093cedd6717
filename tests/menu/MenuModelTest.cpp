#include <velk/menu/MenuField_p.h>
#include <velk/menu/MenuModel_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(MenuModel, ItemsAreCountedAsGetTokenTakesThem)
{
    struct Row { const char *menu; int count; int emptyId; };
    const Row rows[] = {
        {"", 0, 1},
        {"a,,b", 3, 2},
        {"a,", 1, 2},
        {",", 1, 1},
        {"a,b,", 2, 3},
        {"a,,", 2, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.menu);
        const MenuModel model(QString::fromUtf8(row.menu));
        EXPECT_EQ(model.Count(), row.count);
        EXPECT_EQ(model.GetItem(row.emptyId), QString());
        EXPECT_EQ(model.GetItem(model.Count() + 1), QString());
        EXPECT_EQ(model.GetItem(0), QString());
    }
}

TEST(MenuModel, ItemPartsFollowTheirMarks)
{
    struct Row { const char *text; MenuEntry::Kind kind; const char *icon, *caption, *marker, *type, *key; };
    const Row rows[] = {
        {"Speichern", MenuEntry::Normal, "", "Speichern", "", "", ""},
        {"save#Speichern", MenuEntry::Normal, "save", "Speichern", "", "", ""},
        {"save#Speichern#v", MenuEntry::Normal, "save", "Speichern", "v", "", ""},
        {"#Ohne Icon#|v", MenuEntry::Normal, "", "Ohne Icon", "|v", "", ""},
        {"a#b#c#d", MenuEntry::Normal, "a", "b", "c#d", "", ""},
        {"-", MenuEntry::Separator, "", "-", "", "", ""},
        {">", MenuEntry::FarEnd, "", ">", "", "", ""},
        {"$text:Suche", MenuEntry::Field, "", "$text:Suche", "", "$text", "Suche"},
        {"$eval:a:b", MenuEntry::Field, "", "$eval:a:b", "", "$eval", "a:b"},
        {"$date", MenuEntry::Field, "", "$date", "", "$date", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        const MenuEntry e = MenuEntry::parse(QString::fromUtf8(row.text));
        EXPECT_EQ(e.kind, row.kind);
        EXPECT_EQ(e.icon, QString::fromUtf8(row.icon));
        EXPECT_EQ(e.caption, QString::fromUtf8(row.caption));
        EXPECT_EQ(e.marker, QString::fromUtf8(row.marker));
        EXPECT_EQ(e.fieldType, QString::fromUtf8(row.type));
        EXPECT_EQ(e.fieldKey, QString::fromUtf8(row.key));
    }
    const MenuModel model(QStringLiteral("open#Öffnen,save#Speichern#v"));
    EXPECT_EQ(model.MenuItem(2), QStringLiteral("Speichern"));
    EXPECT_EQ(model.GetItem(2), QStringLiteral("save#Speichern#v"));
    EXPECT_TRUE(model.entry(2).hasMarker());
    EXPECT_FALSE(model.entry(2).isSplit());
}

TEST(MenuModel, SetItemBuildsTheNewString)
{
    struct Row { const char *name, *menu; int id; const char *par, *result; };
    const Row rows[] = {
        {"past the end adds empty items", "a", 3, "x", "a,,x"},
        {"empty last item is removed", "a,b", 2, "", "a"},
        {"empty first item stays", "a,b", 1, "", ",b"},
        {"middle item", "a,b,c", 2, "X", "a,X,c"},
        {"empty middle item stays", "a,b,c", 2, "", "a,,c"},
        {"into an empty list", "", 1, "x", "x"},
        {"empty into an empty list", "", 1, "", ""},
        {"rest is kept as it was", "a,b,", 1, "x", "x,b,"},
        {"empty past the end", "a", 2, "", "a"},
        {"far past the end, empty", "a", 4, "", "a,,"},
        {"replacing with a list", "a,b", 1, "x,y", "x,y,b"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MenuModel::withItemReplaced(QString::fromUtf8(row.menu), row.id, QString::fromUtf8(row.par)),
                  QString::fromUtf8(row.result));
    }
}

TEST(MenuModel, FieldsAreFoundByTheirExactKey)
{
    const MenuModel model(QStringLiteral("Suche,$text:name,$eval:Name,$date:name,$text"));
    EXPECT_EQ(model.fieldWithKey(QStringLiteral("name")), 2) << "the first field with the key";
    EXPECT_EQ(model.fieldWithKey(QStringLiteral("Name")), 3);
    EXPECT_EQ(model.fieldWithKey(QStringLiteral("NAME")), 0);
    EXPECT_EQ(model.fieldWithKey(QString()), 0) << "a field without \":\" has no key";
    EXPECT_EQ(model.fieldWithKey(QStringLiteral("Suche")), 0) << "plain items are no fields";
}

TEST(MenuModel, EvalPressTogglesOneFlag)
{
    struct Row { const char *name, *text; int x; const char *result; };
    const Row rows[] = {
        {"first flag on, text padded", "", 5, "?      "},
        {"first flag off", "?      ", 11, "       "},
        {"second flag at its first pixel", "       ", 12, " x     "},
        {"second flag at its last pixel", " x     ", 18, "       "},
        {"third flag", "       ", 19, "  x    "},
        {"seventh flag", "       ", 53, "      x"},
        {"past the seventh character", "       ", 54, "       "},
        {"longer texts have more flags", "        ", 54, "       x"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MenuModel::toggledEvalFlag(QString::fromUtf8(row.text), MenuField::flagAt(row.x)), QString::fromUtf8(row.result));
    }
}
