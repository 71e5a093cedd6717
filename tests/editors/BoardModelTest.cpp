#include <velk/editors/BoardData.h>
#include <velk/editors/BoardLink.h>
#include <velk/editors/BoardModel_p.h>

#include "support/TestSupport.h"

#include <QRegularExpression>

using namespace velk;

namespace {

const QString kBoard = QStringLiteral(
    "[Location]\r\nID={A}\r\nCaption=Rechnungen\r\nDescription=Eingang 2024\r\nPos=120/340\r\ncolor=rot\r\n"
    "[Location]\r\nID={B}\r\nCaption=Verträge\r\nDescription=\r\nPos=-15/0\r\n"
    "[Link]\r\nID={L}\r\nLocation1={A}\r\nLocation2={B}\r\nArt=Ablage\r\n");

} // namespace

TEST(BoardData, NewRecordsGetDistinctUpperCaseIdsWithBraces)
{
    const BoardData a;
    const BoardData b;
    const BoardLink l;
    const QRegularExpression uuid(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));
    EXPECT_TRUE(uuid.match(a.id).hasMatch()) << a.id.toStdString();
    EXPECT_TRUE(uuid.match(l.id).hasMatch());
    EXPECT_NE(a.id, b.id);

    // A loaded section without an "ID" line gets a fresh one too.
    BoardModel model;
    model.setConfig(QStringLiteral("[Location]\nCaption=ohne\n[Link]\nLocation1=\n"));
    EXPECT_TRUE(uuid.match(model.item(1)->id).hasMatch());
    EXPECT_TRUE(uuid.match((*model.links().Item(1))->id).hasMatch());
}

TEST(BoardData, AddDataSetsFieldsAndKeepsOtherKeysInOrder)
{
    struct Row { const char *pos; int x; int y; };
    const Row rows[] = {{"10/20", 10, 20}, {"7", 7, 0}, {"abc/x", 0, 0}, {" 12.5/-3", 12, -3},
                        {"13.5/4x", 14, 4}, {"", 0, 0}, {"99999999999/1", 1'000'000'000, 1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.pos);
        BoardData b;
        b.AddData(QStringLiteral("Pos"), QString::fromLatin1(row.pos));
        EXPECT_EQ(b.x, row.x);
        EXPECT_EQ(b.y, row.y);
    }
    BoardData b;
    b.AddData(QStringLiteral("ID"), QStringLiteral("{X}"));
    b.AddData(QStringLiteral("Caption"), QStringLiteral("a=b"));
    b.AddData(QStringLiteral("Description"), QStringLiteral("Text"));
    b.AddData(QStringLiteral("color"), QStringLiteral("rot"));
    b.AddData(QStringLiteral("caption"), QStringLiteral("klein"));  // keys of fields are matched exactly
    EXPECT_EQ(b.id, QStringLiteral("{X}"));
    EXPECT_EQ(b.caption, QStringLiteral("a=b"));
    EXPECT_EQ(b.Datas(), QStringLiteral("color=rot\r\ncaption=klein"));
    EXPECT_EQ(b.Config(), QStringLiteral("ID={X}\r\nCaption=a=b\r\nDescription=Text\r\nPos=0/0\r\ncolor=rot\r\ncaption=klein\r\n"));
}

TEST(BoardData, GetAndSetDataIgnoreCaseOfTheKey)
{
    BoardLink l;
    l.AddData(QStringLiteral("color"), QStringLiteral("rot"));
    l.AddData(QStringLiteral("Color"), QStringLiteral("blau"));
    EXPECT_EQ(l.GetData(QStringLiteral("Color")), QStringLiteral("rot"));
    EXPECT_EQ(l.GetData(QStringLiteral("COLOR")), QStringLiteral("rot"));
    EXPECT_EQ(l.GetData(QStringLiteral("fehlt")), QString());
    l.SetData(QStringLiteral("COLOR"), QStringLiteral("grün"));
    l.SetData(QStringLiteral("Breite"), QStringLiteral("2"));
    EXPECT_EQ(l.Datas(), QStringLiteral("color=grün\r\nColor=blau\r\nBreite=2"));
    EXPECT_EQ(l.Config().section(QStringLiteral("\r\n"), 1, 2), QStringLiteral("Location1=\r\nLocation2="));
}

TEST(BoardModel, ConfigLoadsAndWritesBackByteForByte)
{
    BoardModel model;
    model.setConfig(kBoard);
    ASSERT_EQ(model.items().Count(), 2);
    ASSERT_EQ(model.links().Count(), 1);
    const BoardData &a = *model.item(1);
    EXPECT_EQ(a.caption, QStringLiteral("Rechnungen"));
    EXPECT_EQ(a.x, 120);
    EXPECT_EQ(a.nr, 1);
    EXPECT_EQ(model.item(2)->nr, 2);
    EXPECT_EQ(a.GetData(QStringLiteral("Color")), QStringLiteral("rot"));
    const BoardLink &l = **model.links().Item(1);
    EXPECT_EQ(l.Location1.get(), model.item(1));
    EXPECT_EQ(l.Location2.get(), model.item(2));
    EXPECT_TRUE(model.hasLink(model.item(2), model.item(1)));
    EXPECT_EQ(model.config(), kBoard);

    BoardModel again;
    again.setConfig(model.config());
    EXPECT_EQ(again.config(), kBoard);
    again.setConfig(QString());
    EXPECT_EQ(again.config(), QString());
}

TEST(BoardModel, LoadingToleratesLooseText)
{
    struct Row { const char *name; const char *text; const char *config; };
    const Row rows[] = {
        {"LF line ends, blank lines, text before the first section",
         "vorher=1\n\n[Location]\nID=a\n\nPos=1/2\n", "[Location]\r\nID=a\r\nCaption=\r\nDescription=\r\nPos=1/2\r\n"},
        {"a line without = is a key with an empty value",
         "[Location]\nID=a\nNotiz\n", "[Location]\r\nID=a\r\nCaption=\r\nDescription=\r\nPos=0/0\r\nNotiz=\r\n"},
        {"an unknown id leaves the end empty",
         "[Location]\nID=a\n[Link]\nID=l\nLocation1=zz\nLocation2=a\n",
         "[Location]\r\nID=a\r\nCaption=\r\nDescription=\r\nPos=0/0\r\n[Link]\r\nID=l\r\nLocation1=\r\nLocation2=a\r\n"},
        {"a link names only boxes loaded before it",
         "[Link]\nID=l\nLocation1=a\n[Location]\nID=a\n",
         "[Location]\r\nID=a\r\nCaption=\r\nDescription=\r\nPos=0/0\r\n[Link]\r\nID=l\r\nLocation1=\r\nLocation2=\r\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BoardModel model;
        model.setConfig(QString::fromUtf8(row.text));
        EXPECT_EQ(model.config(), QString::fromUtf8(row.config));
    }
}

TEST(BoardModel, TheFirstBoxOfAnIdWinsAndRemovedEndsKeepTheirId)
{
    BoardModel model;
    model.setConfig(QStringLiteral("[Location]\nID=a\nCaption=eins\n[Location]\nID=a\nCaption=zwei\n"
                                   "[Link]\nID=l\nLocation1=a\nLocation2=a\n"));
    const BoardLink &l = **model.links().Item(1);
    EXPECT_EQ(l.Location1->caption, QStringLiteral("eins"));
    EXPECT_EQ(model.linksOf(model.item(1)).size(), 1u);
    EXPECT_TRUE(model.isShown(l));

    const auto first = *model.items().Item(1);
    EXPECT_TRUE(model.removeItem(first.get()));
    EXPECT_FALSE(model.removeItem(first.get()));
    EXPECT_EQ(model.item(1)->nr, 1);
    EXPECT_FALSE(model.isShown(l));
    EXPECT_TRUE(model.config().endsWith(QStringLiteral("Location1=a\r\nLocation2=a\r\n")));
    EXPECT_FALSE(model.addItem(*model.items().Item(1))); // already on the board
    EXPECT_TRUE(model.removeLink(&l));
    EXPECT_TRUE(model.linksOf(first.get()).empty());
}
