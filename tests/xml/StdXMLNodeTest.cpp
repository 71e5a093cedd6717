#include "support/TestSupport.h"

#include <velk/common/Error.h>
#include <velk/xml/StdXML.h>

using namespace velk;

namespace {

// The Tag of each node, with its "id" attribute when it has one: "item#2".
QString names(const StdXMLNodes &nodes)
{
    QStringList out;
    for (const StdXMLNodePtr &node : nodes) {
        const QString id = node->GetAttribute(QStringLiteral("id"));
        out << (id.isEmpty() ? node->Tag : node->Tag + u'#' + id);
    }
    return out.join(u' ');
}

class StdXMLQuery : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.LoadXML(QStringLiteral(
            "<doc><a id=\"1\"/>"
            "<item id=\"2\" name=\"x\"><sub id=\"3\"/></item>"
            "<item id=\"4\" name=\"y\"><b id=\"5\"><sub id=\"6\"/></b></item>"
            "<item id=\"7\" name=\"x\" v=\"a b\"/></doc>")));
    }
    StdXML doc;
};

} // namespace

TEST_F(StdXMLQuery, PathsAndFilters)
{
    struct Row
    {
        const char *path;
        const char *expected;
    };
    const Row rows[] = {
        {"doc/item", "item#2 item#4 item#7"},
        {"*/item/sub", "sub#3"},
        {"doc/*/*/sub", "sub#6"},
        {"other/item", ""},
        {"/doc/a", "a#1"},
        {"doc/./a", "a#1"},
        {"doc/item/..", "item#2 item#4"},          // ".." runs at each child of an item
        {"doc/item/../../*/a", "a#1 a#1"},         // once per child climbed from
        {"doc/item//doc/a", "a#1 a#1"},
        {"doc/item[1]", "item#2"},                 // positions count over all children
        {"doc/item[0]", ""},                       // position 0 is the a element
        {"doc/*[0]", "a#1"},
        {"doc/item[2.5]", "item#4"},               // halves round to even: 2
        {"doc/item[1.5]", "item#4"},
        {"doc/item[1]/sub", "item#2"},             // a position ends the path
        {"doc/item[@name=x]", "item#2 item#7"},
        {"doc/item[@name=\"x\"]", "item#2 item#7"},
        {"doc/item[@v=\"a b\"]", "item#7"},
        {"doc/item[@v=a b]", ""},                  // unquoted values end at a blank
        {"doc/item[sub]", "item#2"},
        {"doc/item[b/sub]", "item#4"},
        {"doc/item[b/sub/@id=6]", "item#4"},
        {"doc/item[../a]", "item#2 item#4 item#7"},
        {"doc/item[/item/sub]", "item#2 item#4 item#7"},
        {"doc/item[./sub]", "item#2"},
        {"doc/item[-1]", ""},                      // a child named "-1"
        {"doc/item[sub]junk/sub", "sub#3"},        // text after "]" is ignored
        {"doc/item[sub", "item#2"},                // unclosed filter runs to the end
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(names(doc.Query(QString::fromUtf8(row.path))), QString::fromUtf8(row.expected));
    }
    EXPECT_EQ(names(doc.Root->Query(QStringLiteral("item[@name=x]"))), QStringLiteral("item#2 item#7"));
    EXPECT_EQ(names(doc.Root->Query(QString())), QStringLiteral("doc"));
}

TEST_F(StdXMLQuery, SingleMatchesAndFilterPositions)
{
    EXPECT_EQ(doc.QuerySingle(QStringLiteral("doc/item/sub"))->GetAttribute(QStringLiteral("id")), QStringLiteral("3"));
    EXPECT_EQ(doc.QuerySingle(QStringLiteral("doc/nothing")), nullptr);
    StdXMLNodePtr b = doc.QuerySingle(QStringLiteral("doc/item/b"));
    EXPECT_EQ(b->QuerySingle(QStringLiteral("sub"))->GetAttribute(QStringLiteral("id")), QStringLiteral("6"));
    EXPECT_EQ(b->QuerySingle(QStringLiteral("/doc/a"))->GetAttribute(QStringLiteral("id")), QStringLiteral("1"));

    // QueryAdd with addall false stops after the first child once the collection has
    // something, even when it was filled before.
    StdXMLNodes c;
    c.Add(b);
    doc.Root->QueryAdd(c, QStringLiteral("doc/item"), false, 0);
    EXPECT_EQ(names(c), QStringLiteral("b#5"));

    struct Row
    {
        const char *filter;
        bool passes;
        int nr;
    };
    const Row rows[] = {{"", true, -1}, {"0", true, 0}, {"3", true, 3}, {"2.5", true, 2}, {"3.5", true, 4},
                        {" 1 2", true, 12}, {"0.0", false, -1}, {"item", true, -1}, {"item/2", true, 2},
                        {"item/b/x", false, -1}, {"@x", true, -1}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.filter);
        int nr = 99;
        EXPECT_EQ(doc.Root->Filter(QString::fromUtf8(row.filter), nr), row.passes);
        EXPECT_EQ(nr, row.nr);
    }
    int nr = 0;
    EXPECT_THROW(doc.Root->Filter(QStringLiteral(".."), nr), Error);
    EXPECT_THROW(doc.Query(QStringLiteral("../x")), Error);
}

TEST_F(StdXMLQuery, ClimbingPathsStayBoundedOnWideTrees)
{
    StdXML wide;
    wide.SetRoot(QStringLiteral("r"), QString());
    for (int i = 0; i < 200; ++i)
        wide.Root->AddItem(QStringLiteral("c"), QString());
    // Every c climbs back to r, which fans out again: each round multiplies the matches
    // by 200, so evaluated literally the long path would never end.
    EXPECT_EQ(wide.Query(QStringLiteral("r/./../r/c")).Count(), 200 * 200);
    const QString path = QStringLiteral("r") + QStringLiteral("/./../r").repeated(40) + QStringLiteral("/c");
    const int count = wide.Query(path).Count();
    EXPECT_GT(count, 200 * 200);
    EXPECT_LE(count, 1 << 20);
    EXPECT_EQ(wide.QuerySingle(path + QStringLiteral("/x")), nullptr);
}

TEST(StdXMLNode, ChildrenCloneAndCreate)
{
    StdXML doc;
    StdXMLNodePtr root = doc.SetRoot(QStringLiteral("r"), QString());
    StdXMLNodePtr a = root->AddItem(QStringLiteral("a"), QStringLiteral("x"));
    StdXMLNodePtr c = doc.CreateElement(QStringLiteral("c d"));
    EXPECT_EQ(c->Tag, QStringLiteral("c d"));
    EXPECT_EQ(c->Parent(), nullptr);
    root->InsertBefore(c, a);
    StdXMLNodePtr stranger = StdXMLNode::create();
    root->InsertBefore(StdXMLNode::create(), stranger); // not a child: appended
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Item(1), c);
    EXPECT_EQ(c->Parent(), root);
    root->Remove(stranger);
    root->Remove(root->Item(3));
    EXPECT_EQ(root->Count(), 2);
    a->Comment = QStringLiteral("note");
    a->AddItem(QStringLiteral("b"), QString());

    StdXMLNodePtr shallow = a->Clone(false);
    EXPECT_EQ(&shallow->SubElements(), &a->SubElements());
    EXPECT_EQ(shallow->Parent(), root);
    EXPECT_EQ(shallow->Comment, QStringLiteral("note"));
    EXPECT_EQ(root->Count(), 2); // the copy is not added to the parent
    shallow->AddItem(QStringLiteral("shared"), QString());
    EXPECT_EQ(a->Count(), 2);

    StdXMLNodePtr deep = a->Clone(true);
    EXPECT_NE(&deep->SubElements(), &a->SubElements());
    EXPECT_EQ(deep->xml(), a->xml());
    EXPECT_EQ(deep->Item(1)->Parent(), deep);
    deep->Item(1)->Tag = QStringLiteral("changed");
    EXPECT_EQ(a->Item(1)->Tag, QStringLiteral("b"));

    StdXMLNodePtr made = root->Create(QStringLiteral("x/y"));
    EXPECT_EQ(root->Create(QStringLiteral("/r/x/y")), made);
    EXPECT_EQ(root->Create(QStringLiteral("x/y")), made);
    EXPECT_EQ(root->Query(QStringLiteral("x")).Count(), 1);
    EXPECT_EQ(made->Parent()->Parent(), root);
    EXPECT_EQ(root->Create(QStringLiteral("a[b]")), a);
    EXPECT_EQ(root->Create(QStringLiteral("q name=\"v\""))->Parameter, QStringLiteral("name=\"v\""));
}

TEST(StdXMLNode, AttributeEscapingBothWays)
{
    StdXMLNodePtr node = StdXMLNode::create();
    node->SetAttribute(QStringLiteral("k"), QStringLiteral("say \"hi\""));
    EXPECT_EQ(node->Parameter, QStringLiteral("k=\"say &quot;hi&quot;\""));
    node->SetAttribute(QStringLiteral("p"), QStringLiteral("a|b\\c<d>&"));
    node->SetAttribute(QStringLiteral("n"), QStringLiteral("one\r\ntwo\nthree"));
    EXPECT_EQ(node->Parameter, QStringLiteral("k=\"say &quot;hi&quot;\" p=\"a\\|b\\\\c&lt;d&gt;&amp;\" n=\"one\\ntwo\\nthree\""));
    EXPECT_EQ(node->GetAttribute(QStringLiteral("k")), QStringLiteral("say \"hi\""));
    EXPECT_EQ(node->GetAttribute(QStringLiteral("p")), QStringLiteral("a|b\\c<d>&"));
    EXPECT_EQ(node->GetAttribute(QStringLiteral("n")), QStringLiteral("one\r\ntwo\r\nthree"));
    EXPECT_EQ(node->GetAttribute(QStringLiteral("K")), QString());

    node->SetAttribute(QStringLiteral("k"), QStringLiteral("new"));
    EXPECT_TRUE(node->Parameter.startsWith(QStringLiteral("k=\"new\" p=")));

    // Values written by hand: digit codes, codes above 255, a trailing backslash, and
    // pairs in loose form that SetAttribute normalises.
    node->Parameter = QStringLiteral("a = \"x\\065y\\999\" b=\"c\\\" d=\"\\z\"");
    EXPECT_EQ(node->GetAttribute(QStringLiteral("a")), QStringLiteral("xAy\\999"));
    EXPECT_EQ(node->GetAttribute(QStringLiteral("b")), QStringLiteral("c\\"));
    node->SetAttribute(QStringLiteral("b"), QStringLiteral("2"));
    EXPECT_EQ(node->Parameter, QStringLiteral("a=\"xAy\\\\999\" b=\"2\" d=\"z\""));
    node->Parameter += QStringLiteral(" a=\"again\"");
    node->RemoveAttribute(QStringLiteral("a"));
    EXPECT_EQ(node->Parameter, QStringLiteral("b=\"2\" d=\"z\""));
    node->RemoveAttribute(QStringLiteral("b"));
    node->RemoveAttribute(QStringLiteral("d"));
    EXPECT_EQ(node->Parameter, QString());

    node->Parameter = QStringLiteral("a='x y' b=plain c=\"q\"\"q\" d");
    for (const char *key : {"a", "b", "c", "d"})
        EXPECT_TRUE(node->HasAttribute(QString::fromUtf8(key))) << key;
    EXPECT_FALSE(node->HasAttribute(QStringLiteral("y'")));
    EXPECT_FALSE(node->HasAttribute(QStringLiteral("q")));
}

TEST(StdXMLNode, TreesMadeCircularAreCutWhereTheyRepeat)
{
    StdXMLNodePtr a = StdXMLNode::create();
    a->Tag = QStringLiteral("a");
    StdXMLNodePtr b = a->AddItem(QStringLiteral("b"), QString());
    b->AddChild(a);
    b->AddItem(QStringLiteral("c"), QString());
    EXPECT_EQ(a->xml(), QStringLiteral("<a>\r\n   <b>\r\n      <c/>\r\n   </b>\r\n</a>\r\n"));
    EXPECT_EQ(a->Clone(true)->xml(), a->xml());
    b->Remove(a); // lets the nodes go
}
