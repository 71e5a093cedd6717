#include <velk/sheet/SheetModel_p.h>

#include "support/TestSupport.h"

#include <random>

using namespace velk;

namespace {

// The links every row should have, worked out from the Indents alone: a row's parent is
// the nearest row above with a smaller Indent, and siblings share a parent.
struct Links
{
    int parent = 0, firstChild = 0, next = 0, prev = 0;
};

std::vector<Links> expectedLinks(const std::vector<int> &indents)
{
    const int n = int(indents.size());
    std::vector<Links> links(size_t(n) + 1);
    for (int p = 1; p <= n; ++p) {
        for (int q = p - 1; q >= 1; --q) {
            if (indents[q - 1] < indents[p - 1]) {
                links[p].parent = q;
                break;
            }
        }
    }
    for (int p = 1; p <= n; ++p) {
        for (int q = p + 1; q <= n; ++q) {
            if (links[q].parent == p && links[p].firstChild == 0)
                links[p].firstChild = q;
            if (links[q].parent == links[p].parent && links[p].next == 0) {
                links[p].next = q;
                links[q].prev = p;
            }
        }
    }
    return links;
}

int positionOf(const SheetData *row)
{
    return row ? row->Index() : 0;
}

void expectLinksMatch(const SheetModel &model)
{
    std::vector<int> indents;
    for (const auto &row : model.rows().all())
        indents.push_back(row->Indent);
    const std::vector<Links> expected = expectedLinks(indents);
    for (int p = 1; p <= model.count(); ++p) {
        const SheetData *row = model.rows().at(p);
        SCOPED_TRACE(p);
        ASSERT_EQ(row->Index(), p);
        ASSERT_EQ(positionOf(row->Parent()), expected[p].parent);
        ASSERT_EQ(positionOf(row->FirstChild()), expected[p].firstChild);
        ASSERT_EQ(positionOf(row->NextSibling()), expected[p].next);
        ASSERT_EQ(positionOf(row->PrevSibling()), expected[p].prev);
    }
}

} // namespace

TEST(SheetRows, LinksStayRightThroughMixedChangesAndReads)
{
    std::mt19937 random(7);
    SheetModel model;
    for (int step = 0; step < 600; ++step) {
        const int n = model.count();
        const int pick = int(random() % 10);
        const int pos = n ? int(random() % n) + 1 : 0;
        const int indent = int(random() % 4);
        if (pick < 4)
            model.addItem(QStringLiteral("a"), QString(), indent);
        else if (pick < 6)
            model.addItem(QStringLiteral("i"), QString(), indent, false, pos);
        else if (pick < 8)
            model.removeItem(pos);
        else
            model.setIndent(pos, indent);
        // Reading only sometimes leaves several changes for one catch-up.
        if (random() % 3 == 0) {
            SCOPED_TRACE(step);
            expectLinksMatch(model);
        }
    }
    expectLinksMatch(model);
}

TEST(SheetRows, AddingKeepsIndexNewIndexAndCurrentRow)
{
    SheetModel model;
    for (const char *t : {"a", "b", "c"})
        model.addItem(QString::fromLatin1(t));
    EXPECT_EQ(model.newIndex(), 3);
    model.setSelectedIndex(2);

    auto inserted = model.addItem(QStringLiteral("x"), QString(), 0, false, 2);
    EXPECT_EQ(model.newIndex(), 2);
    EXPECT_EQ(inserted->Index(), 2);
    EXPECT_EQ(model.rows().at(4)->Text(), QStringLiteral("c"));
    EXPECT_EQ(model.rows().at(4)->Index(), 4);
    EXPECT_EQ(model.selectedIndex(), 3); // still row "b"

    for (int pos : {0, -3, 99}) {
        SCOPED_TRACE(pos);
        model.addItem(QStringLiteral("end"), QString(), 0, false, pos);
        EXPECT_EQ(model.newIndex(), model.count());
        EXPECT_EQ(model.rows().at(model.count())->Text(), QStringLiteral("end"));
    }
    EXPECT_EQ(inserted->BackColor, NoColor);
    EXPECT_EQ(inserted->ForeColor, SystemColor::WindowText);
    EXPECT_TRUE(inserted->Init);
}

TEST(SheetRows, RemovingMovesTheCurrentRowAndIgnoresBadPositions)
{
    SheetModel model;
    for (int k = 1; k <= 6; ++k)
        model.addItem(QString::number(k));
    model.setSelectedIndex(5);

    EXPECT_FALSE(model.removeItem(0));
    EXPECT_FALSE(model.removeItem(7));
    auto removed = model.rows().ptr(2);
    EXPECT_TRUE(model.removeItem(2));
    EXPECT_EQ(model.selectedIndex(), 4);
    EXPECT_EQ(removed->Index(), 0);
    EXPECT_EQ(removed->NextSibling(), nullptr);

    // Removing the current row hands its place to the row that follows it...
    model.addItem(QStringLiteral("7"));
    EXPECT_TRUE(model.removeItem(4));
    EXPECT_EQ(model.selected()->Text(), QStringLiteral("6"));
    // ...and with nothing following there is no current row.
    EXPECT_EQ(model.removeItems(3, 10), 3);
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(model.selectedIndex(), 0);
    EXPECT_EQ(model.removeItems(1, 0), 0);
}

TEST(SheetRows, DeleteRemovesMarkedRowsAndKeepsTheCurrentRow)
{
    SheetModel model;
    for (int k = 1; k <= 8; ++k)
        model.addItem(QString::number(k));
    model.setSelectedIndex(6);
    for (int pos : {1, 3, 7, 8})
        model.rows().at(pos)->Deleted = true;
    EXPECT_EQ(model.deleteMarked(), 4);
    EXPECT_EQ(model.count(), 4);
    EXPECT_EQ(model.selected()->Text(), QStringLiteral("6"));
    EXPECT_EQ(model.deleteMarked(), 0);
}

TEST(SheetRows, RemovingAParentKeepsItsChildren)
{
    SheetModel model;
    model.addItem(QStringLiteral("root"));
    model.addItem(QStringLiteral("parent"), QString(), 1);
    model.addItem(QStringLiteral("child"), QString(), 2);
    model.removeItem(2);
    ASSERT_EQ(model.count(), 2);
    EXPECT_EQ(model.rows().at(2)->Parent(), model.rows().at(1));
}

TEST(SheetData, CellsLinesAndSubTextEdits)
{
    SheetData row;
    row.setText(QStringLiteral("a\tb"));
    EXPECT_EQ(row.GetSubText(2), QStringLiteral("b"));
    EXPECT_EQ(row.GetSubText(5), QString());
    EXPECT_EQ(row.GetSubText(0), QString());

    const struct
    {
        const char *name;
        QString before;
        int col;
        QString after;
    } edits[] = {
        {"middle cell", "a\tb\tc", 2, "a\tX\tc"},
        {"last cell gains a trailing tab", "a\tb", 2, "a\tX\t"},
        {"missing cells are padded", "a", 3, "a\t\tX\t"},
        {"empty row", "", 1, "X\t"},
        {"column 0 is ignored", "a", 0, "a"},
        {"a column past the Integer range is ignored", "a", 40000, "a"},
    };
    for (const auto &e : edits) {
        SCOPED_TRACE(e.name);
        row.setText(e.before);
        row.SetSubText(e.col, QStringLiteral("X"));
        EXPECT_EQ(row.Text(), e.after);
    }

    const struct
    {
        QString text;
        int lines;
    } lines[] = {{"", 0}, {"\t\t", 0}, {"a", 1}, {"a\n", 1}, {"a\r\nb\r\nc", 3}, {"x\ta\n\nb", 3}, {"\n", 1}};
    for (const auto &l : lines) {
        SCOPED_TRACE(l.text.toStdString());
        row.setText(l.text);
        EXPECT_EQ(row.Lines(), l.lines);
    }
}

TEST(SheetModel, InsertItemsPutsABatchInPlaceAndKeepsTheCurrentRow)
{
    SheetModel model;
    model.setFlags(QStringLiteral("singleselect"));
    for (const char *text : {"a", "b", "c"})
        model.addItem(QString::fromLatin1(text));
    model.setSelectedIndex(3);
    const auto row = [](const char *text, int indent) {
        auto r = std::make_shared<SheetData>();
        r->setText(QString::fromLatin1(text));
        r->Indent = short(indent);
        return r;
    };
    auto taken = row("x", 0);
    SheetModel other;
    other.rows().append(taken); // a row of another sheet is left out
    auto twice = row("b2", 1);  // and a row given twice goes in once
    EXPECT_EQ(model.insertItems(2, {row("b1", 1), taken, twice, twice}), 2);
    EXPECT_EQ(model.newIndex(), 2);
    EXPECT_EQ(model.selectedIndex(), 5);
    EXPECT_EQ(model.selected()->Text(), QStringLiteral("c"));
    QStringList texts;
    for (int pos = 1; pos <= model.count(); ++pos) {
        texts << model.rows().at(pos)->Text();
        EXPECT_EQ(model.rows().at(pos)->Index(), pos);
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("a"), QStringLiteral("b1"), QStringLiteral("b2"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(model.rows().at(1)->FirstChild(), model.rows().at(2));
    EXPECT_EQ(model.insertItems(0, {row("z", 0)}), 1);
    EXPECT_EQ(model.newIndex(), 6);
}

TEST(SheetRows, ClearingLetsHostDataSeeAnEmptyStoreAndFreesRowsNobodyHolds)
{
    SheetRows rows;
    auto kept = std::make_shared<SheetData>();
    rows.append(kept);
    std::weak_ptr<SheetData> dropped;
    {
        auto row = std::make_shared<SheetData>();
        dropped = row;
        // A host object that looks at the store when the row lets it go.
        int seen = -1;
        row->TagObject = std::shared_ptr<void>(nullptr, [&rows, &seen](void *) { seen = rows.count(); });
        rows.append(row);
        row.reset();
        rows.clear();
        EXPECT_EQ(seen, 0);
    }
    EXPECT_TRUE(dropped.expired());
    EXPECT_EQ(kept->Index(), 0);
    EXPECT_EQ(kept->Parent(), nullptr);
    EXPECT_TRUE(rows.append(kept)); // released, so it may join again
    EXPECT_EQ(kept->Index(), 1);
}
