#include <velk/frame/FrameLayoutEditor_p.h>
#include <velk/platform/Input.h>
#include <velk/xml/StdXML.h>

#include "support/TestSupport.h"

#include <QHash>

using namespace velk;

namespace {

// Snap-ins all exist with a 20-pixel toolbar; containers come from a table.
class Questions : public FrameLayoutQuestions
{
public:
    bool config = false;
    QHash<QString, StdXMLNodePtr> containers;
    const FrameLayoutEditor *editor = nullptr;

    bool configMode() const override { return config; }
    QString requestedElement() const override { return {}; }
    StdXMLNodePtr containerNode(const QString &layout) const override { return containers.value(layout); }
    StdXMLNodePtr multiCopies(const StdXMLNodePtr &) const override { return nullptr; }
    TabBarState tabBar(const StdXMLNodePtr &) const override { return {80, 24, 1}; }
    SnapinState snapin(int) const override { return {true, true, 20}; }
    const ProvisionalSizes *provisionalSizes() const override { return editor ? editor->provisionalSizes() : nullptr; }
};

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override { questions.editor = &editor; }

    StdXMLNodePtr load(const QString &xml)
    {
        doc.LoadXML(xml);
        editor.setLayoutElement(doc.Root);
        return doc.Root;
    }
    FramePlan plan(int width = 405, int height = 300)
    {
        return FrameLayout::layout(doc.Root, {0, 0, width, height}, 0, questions);
    }
    QString tagsOf(const StdXMLNodePtr &node) const
    {
        QStringList tags;
        for (const StdXMLNodePtr &child : node->SubElements())
            tags << child->Tag;
        return tags.join(u',');
    }

    StdXML doc;
    Questions questions;
    FrameLayoutEditor editor{questions};
};

} // namespace

TEST_F(EditorTest, PressSelectsTheInnermostElementAndCaptionBarsBelongToTheirChild)
{
    const StdXMLNodePtr root = load(QStringLiteral(
        "<COLS><ITEM control=\"A\" width=\"100\"/><ROWS><SPACE caption=\"oben\" height=\"50\"/><CELL/></ROWS></COLS>"));
    const FramePlan p = plan();
    const StdXMLNodePtr rows = root->Item(2);

    EXPECT_EQ(editor.press(p, MouseButton::Right, 50, 150), root->Item(1));
    EXPECT_EQ(editor.press(p, MouseButton::Right, 200, 5), rows->Item(1)) << "on the caption bar";
    EXPECT_EQ(editor.press(p, MouseButton::Right, 200, 200), rows->Item(2));
    EXPECT_EQ(editor.press(p, MouseButton::Right, 200, 52), rows) << "in the gap between the rows";
    EXPECT_EQ(editor.press(p, MouseButton::Right, 500, 500), root) << "outside everything: the layout element";
    EXPECT_FALSE(editor.canChangeSiblings());
    EXPECT_FALSE(editor.isDragging()) << "a right press never drags";
}

TEST_F(EditorTest, PressInAMultisPagesSelectsTheMulti)
{
    const StdXMLNodePtr root = load(QStringLiteral("<ROWS><MULTI><ITEM control=\"A\"/></MULTI></ROWS>"));
    StdXML copies;
    copies.LoadXML(QStringLiteral("<MULTI><ITEM caption=\"1\"/><ITEM caption=\"2\"/><ITEM caption=\"3\"/></MULTI>"));
    struct : Questions
    {
        StdXMLNodePtr pages;
        StdXMLNodePtr multiCopies(const StdXMLNodePtr &) const override { return pages; }
    } multiQuestions;
    multiQuestions.pages = copies.Root;
    const FramePlan p = FrameLayout::layout(root, {0, 0, 400, 300}, 0, multiQuestions);
    EXPECT_EQ(editor.press(p, MouseButton::Right, 100, 200), root->Item(1));
}

TEST_F(EditorTest, BoundariesAreFoundWithinTwoPixelsAndNotAfterAFixedChild)
{
    load(QStringLiteral("<COLS><SPACE width=\"100\"/><SPACE resizable=\"false\" width=\"100\"/><SPACE/></COLS>"));
    const FramePlan p = plan();
    ASSERT_EQ(p.boundaries.size(), 1u) << "the second child forbids its boundary";
    const FrameBoundary &b = p.boundaries.front();
    EXPECT_EQ(b.gap, (FrameRect{100, 0, 105, 300}));
    EXPECT_FALSE(b.isBetweenRows);
    EXPECT_EQ(b.roomPx, 395);
    struct Case
    {
        int x;
        bool hits;
    };
    for (const Case &c : {Case{97, false}, Case{98, true}, Case{102, true}, Case{106, true}, Case{107, false},
                          Case{208, false}}) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(p.boundaryAt(c.x, 150) != nullptr, c.hits);
    }
}

TEST_F(EditorTest, DraggingMovesTwoNeighboursLiveAndKeepsTwentyPixels)
{
    const StdXMLNodePtr root = load(QStringLiteral("<COLS><SPACE width=\"50%\"/><SPACE width=\"50%\"/></COLS>"));
    FramePlan p = plan();
    editor.press(p, MouseButton::Left, 201, 10);
    ASSERT_TRUE(editor.isDragging());
    EXPECT_TRUE(editor.moveTo(231, 40));
    EXPECT_FALSE(editor.moveTo(231, 80)) << "moving along the gap changes nothing";
    p = plan();
    ASSERT_EQ(p.elements.size(), 3u);
    EXPECT_EQ(p.elements[1].area.width(), 230);
    EXPECT_EQ(p.elements[2].area.left, 235);
    EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("50%")) << "nothing written yet";

    EXPECT_TRUE(editor.moveTo(1000, 40));
    EXPECT_EQ(editor.provisionalSizes()->firstPx, 380);
    EXPECT_EQ(editor.provisionalSizes()->secondPx, 20);
    EXPECT_TRUE(editor.release(-1000, 40, false));
    EXPECT_FALSE(editor.isDragging());
    EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("5%"));
    EXPECT_EQ(root->Item(2)->GetAttribute(QStringLiteral("width")), QStringLiteral("95%"));

    // A cancelled drag drops its provisional sizes and writes nothing.
    editor.press(plan(), MouseButton::Left, 21, 10);
    ASSERT_TRUE(editor.isDragging());
    EXPECT_TRUE(editor.moveTo(200, 10));
    editor.cancelDrag();
    EXPECT_EQ(editor.provisionalSizes(), nullptr);
    EXPECT_EQ(plan().elements[1].area.width(), 20);
    EXPECT_FALSE(editor.moveTo(250, 10));
    EXPECT_FALSE(editor.release(250, 10, false));
    EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("5%"));
}

TEST_F(EditorTest, ReleaseWritesPercentagesOrPixelsAndNothingChangesWithoutMovement)
{
    struct Case
    {
        const char *name;
        QString first, second;
        bool config;
        int delta;
        QString wantFirst, wantSecond;
    };
    // Room 405 - 5 = 400 across two columns.
    const Case cases[] = {
        {"percentages", "50%", "50%", false, 31, "57.75%", "42.25%"},
        {"pixels", "150", "", false, -50, "100", "300"},
        {"pixels less the header extra", "150", "100", true, 10, "160", "90"},
        {"percent and pixels write pixels", "50%", "100", false, 10, "210", "90"},
        {"no movement, percentages", "33.3%", "", false, 0, "33.3%", ""},
        {"no movement, pixels in configuration mode", "150", "100", true, 0, "150", "100"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        questions.config = c.config;
        const StdXMLNodePtr root = load(QStringLiteral("<COLS><SPACE width=\"%1\"/><SPACE width=\"%2\"/></COLS>")
                                            .arg(c.first, c.second));
        const FramePlan p = plan();
        ASSERT_EQ(p.boundaries.size(), 1u);
        const int x = p.boundaries.front().gap.left + 2;
        editor.press(p, MouseButton::Left, x, 100);
        editor.release(x + c.delta, 100, c.config);
        EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), c.wantFirst);
        EXPECT_EQ(root->Item(2)->GetAttribute(QStringLiteral("width")), c.wantSecond);
        // What was written lays out where the mouse let go.
        if (c.delta != 0)
            EXPECT_EQ(plan().boundaries.front().gap.left, x - 2 + c.delta);
    }
}

TEST_F(EditorTest, PercentTextsHaveAtMostTwoDecimals)
{
    EXPECT_EQ(FrameLayoutEditor::percentText(50), QStringLiteral("50"));
    EXPECT_EQ(FrameLayoutEditor::percentText(100.0 / 3), QStringLiteral("33.33"));
    EXPECT_EQ(FrameLayoutEditor::percentText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(FrameLayoutEditor::percentText(0.001), QStringLiteral("0"));
}

TEST_F(EditorTest, CommandsChangeTheTreeAroundTheSelection)
{
    const StdXMLNodePtr root = load(QStringLiteral("<ROWS><ITEM control=\"A\"/><CONTAINER layout=\"x\"/><CONTAINER layout=\"y\"/></ROWS>"));
    const StdXMLNodePtr supplied = StdXMLNode::create();
    supplied->Tag = QStringLiteral("X");
    questions.containers.insert(QStringLiteral("x"), supplied);

    editor.select(root->Item(1));
    ASSERT_NE(editor.addElement(QStringLiteral("TABS")), nullptr);
    EXPECT_EQ(tagsOf(root), QStringLiteral("TABS,ITEM,CONTAINER,CONTAINER"));

    const QString text = FrameLayoutEditor::copyText(*root->Item(2));
    EXPECT_TRUE(text.startsWith(QStringLiteral("[LAYOUT]\r\n<ITEM control=\"A\""))) << text.toStdString();
    editor.select(root->Item(1));
    const StdXMLNodePtr pasted = editor.paste(text);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->xml(), root->Item(3)->xml());
    EXPECT_NE(pasted, root->Item(3));
    EXPECT_EQ(pasted->Parent(), root);
    EXPECT_EQ(tagsOf(root), QStringLiteral("ITEM,TABS,ITEM,CONTAINER,CONTAINER"));

    editor.select(root->Item(4));
    EXPECT_EQ(editor.addSubElement(QStringLiteral("SPACE"))->Parent(), supplied) << "into the supplied node";
    EXPECT_NE(editor.pasteSub(text), nullptr);
    EXPECT_EQ(tagsOf(supplied), QStringLiteral("SPACE,ITEM"));
    editor.select(root->Item(5));
    EXPECT_EQ(editor.addSubElement(QStringLiteral("SPACE")), nullptr) << "a container without node";
    EXPECT_EQ(editor.pasteSub(text), nullptr);

    editor.select(root->Item(2));
    EXPECT_EQ(editor.pasteSub(QStringLiteral("no line break")), nullptr);
    EXPECT_EQ(editor.pasteSub(QStringLiteral("[LAYOUT]\r\njust text")), nullptr);
    EXPECT_NE(editor.pasteSub(QStringLiteral("anything\n<COLS><SPACE/>")), nullptr) << "the first line is not checked";
    EXPECT_EQ(tagsOf(root->Item(2)), QStringLiteral("COLS"));

    EXPECT_TRUE(editor.removeSelected());
    EXPECT_EQ(editor.selected(), nullptr);
    EXPECT_EQ(tagsOf(root), QStringLiteral("ITEM,ITEM,CONTAINER,CONTAINER"));

    editor.select(root);
    EXPECT_EQ(editor.addElement(QStringLiteral("ITEM")), nullptr) << "the layout element has no siblings";
    EXPECT_EQ(editor.paste(text), nullptr);
    EXPECT_FALSE(editor.removeSelected());
    EXPECT_NE(editor.addSubElement(QStringLiteral("ITEM")), nullptr);
}

TEST_F(EditorTest, PropertyRowsFollowTheElementAndItsParent)
{
    const StdXMLNodePtr root = load(QStringLiteral(
        "<COLS><TABS><ITEM/><CONTAINER/></TABS><GENERIC type=\"ROWS\"/><CELL><SPACE/></CELL></COLS>"));
    const auto rowsOf = [](const StdXMLNodePtr &e) {
        QStringList labels;
        for (const FrameLayoutEditor::PropertyRow &row : FrameLayoutEditor::propertyRows(*e))
            labels << row.attribute + u'=' + row.label + (row.isColor ? QStringLiteral(" (Farbe)") : QString())
                    + (row.choices.isEmpty() ? QString() : u'[' + row.choices.join(u'|') + u']');
        return labels.join(QStringLiteral(", "));
    };
    const StdXMLNodePtr tabs = root->Item(1);
    EXPECT_EQ(rowsOf(tabs),
              QStringLiteral("backcolor=Farbe Hintergrund (Farbe), activetabcolor=Farbe aktiver Tab (Farbe), "
                             "inactivetabcolor=Farbe inaktiver Tab (Farbe), width=Spalten-Breite, "
                             "resizable=Größe veränderbar[|false], caption=Beschriftung, align=Tab links[left|], border=Rand"));
    EXPECT_EQ(rowsOf(tabs->Item(1)),
              QStringLiteral("control=Control, parameter=Parameter, backcolor=Farbe Hintergrund (Farbe), "
                             "caption=Register-Text, location=Register-Location, message=Aktivierungsnachricht, border=Rand"));
    EXPECT_EQ(rowsOf(tabs->Item(2)).section(u',', 0, 0), QStringLiteral("layout=Layout"));
    EXPECT_EQ(rowsOf(root->Item(3)->Item(1)),
              QStringLiteral("backcolor=Farbe Hintergrund (Farbe), caption=Beschriftung, border=Rand"));
    EXPECT_FALSE(rowsOf(root->Item(3)).contains(QStringLiteral("resizable"))) << "the last child";
    EXPECT_TRUE(rowsOf(root->Item(2)).endsWith(QStringLiteral("generischer Type")));
    EXPECT_EQ(rowsOf(root), QStringLiteral("backcolor=Farbe Hintergrund (Farbe), border=Rand"));
}

TEST_F(EditorTest, PropertiesAreSetOrRemovedAndQuotesSurvive)
{
    const StdXMLNodePtr root = load(QStringLiteral("<ROWS><ITEM control=\"A\" caption=\"alt\"/></ROWS>"));
    const StdXMLNodePtr item = root->Item(1);
    const QStringList changed = FrameLayoutEditor::applyProperties(
        *item, {{QStringLiteral("control"), QStringLiteral("A")},
                {QStringLiteral("caption"), QString()},
                {QStringLiteral("parameter"), QStringLiteral("P[@a=\"<1>\"]")}});
    EXPECT_EQ(changed, (QStringList{QStringLiteral("caption"), QStringLiteral("parameter")}));
    EXPECT_FALSE(item->HasAttribute(QStringLiteral("caption")));
    EXPECT_EQ(item->GetAttribute(QStringLiteral("parameter")), QStringLiteral("P[@a=\"<1>\"]"));
    StdXML again;
    again.LoadXML(root->xml());
    EXPECT_EQ(again.Root->Item(1)->GetAttribute(QStringLiteral("parameter")), QStringLiteral("P[@a=\"<1>\"]"));

    EXPECT_TRUE(FrameLayoutEditor::needsRebuild(*item, QStringLiteral("control")));
    EXPECT_FALSE(FrameLayoutEditor::needsRebuild(*item, QStringLiteral("caption")));
}
