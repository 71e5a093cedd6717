#include <velk/frame/FrameLayout_p.h>
#include <velk/xml/StdXML.h>

#include "support/TestSupport.h"

#include <QHash>

using namespace velk;

namespace {

QString rectText(const FrameRect &r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

// Answers the pass from tables; `lines` writes every step of a plan as one line.
class TableQuestions : public FrameLayoutQuestions
{
public:
    bool config = false;
    QString requested;
    QHash<QString, StdXMLNodePtr> containers;
    QHash<const StdXMLNode *, StdXMLNodePtr> copies;
    TabBarState bar{80, 24, 1};
    QList<int> missing;    // snap-in numbers without a control
    QList<int> noToolbar;  // snap-in numbers without record and toolbar

    bool configMode() const override { return config; }
    QString requestedElement() const override { return requested; }
    StdXMLNodePtr containerNode(const QString &layout) const override { return containers.value(layout); }
    StdXMLNodePtr multiCopies(const StdXMLNodePtr &multi) const override { return copies.value(multi.get()); }
    TabBarState tabBar(const StdXMLNodePtr &) const override { return bar; }
    SnapinState snapin(int nr) const override { return {!missing.contains(nr), !noToolbar.contains(nr), 20}; }
};

struct StepText
{
    QString operator()(const FrameFill &f) const { return QStringLiteral("fill %1 %2").arg(rectText(f.rect)).arg(f.color); }
    QString operator()(const FrameBorder &b) const { return QStringLiteral("border ") + rectText(b.rect); }
    QString operator()(const FrameHeader &h) const { return QStringLiteral("header %1 %2").arg(rectText(h.strip), h.text); }
    QString operator()(const FrameCaption &c) const { return QStringLiteral("caption %1 %2").arg(rectText(c.bar), c.text); }
    QString operator()(const FrameNotFound &n) const { return QStringLiteral("missing %1 %2").arg(rectText(n.rect), n.text); }
    QString operator()(const FrameSnapinPlacement &p) const
    {
        return QStringLiteral("snapin %1 %2 ctl %3 %4%5")
            .arg(p.nr)
            .arg(p.hasToolbar ? QStringLiteral("tb ") + rectText(p.toolbar) : QStringLiteral("-"))
            .arg(rectText(p.control))
            .arg(p.backColor)
            .arg(p.visible ? QString() : QStringLiteral(" hidden"));
    }
    QString operator()(const FrameTabBarPlacement &p) const
    {
        return QStringLiteral("tabs %1 [%2] style %3 sel %4 %5%6")
            .arg(rectText(p.rect), p.menu)
            .arg(p.style)
            .arg(p.selected)
            .arg(p.backColor)
            .arg(p.visible ? QString() : QStringLiteral(" hidden"));
    }
};

QStringList lines(const FramePlan &plan)
{
    QStringList result;
    for (const FrameStep &step : plan.steps)
        result << std::visit(StepText{}, step);
    return result;
}

// Parses `xml` and numbers its ITEMs in document order, as the build does.
StdXMLNodePtr layoutOf(const QString &xml)
{
    StdXML doc;
    doc.LoadXML(xml);
    int nr = 0;
    std::function<void(const StdXMLNodePtr &)> number = [&](const StdXMLNodePtr &e) {
        if (e->Tag == QStringLiteral("ITEM"))
            e->Comment = QString::number(++nr);
        for (const StdXMLNodePtr &child : e->SubElements())
            number(child);
    };
    number(doc.Root);
    return doc.Root;
}

constexpr Color kFace = SystemColor::ButtonFace;
const QString face = QString::number(kFace);

QStringList run(const TableQuestions &host, const QString &xml, FrameRect r)
{
    return lines(FrameLayout::layout(layoutOf(xml), r, kFace, host));
}

} // namespace

TEST(FrameLayout, RowsAndColumnsShareTheirBandWithGapsAndCaptions)
{
    struct Row
    {
        const char *name;
        QString xml;
        FrameRect rect;
        QStringList expected;
    };
    const Row rows[] = {
        {"fixed column and two shares", QStringLiteral("<COLS><ITEM width=\"100\"/><ITEM/><ITEM/></COLS>"), {0, 0, 410, 300},
         {"snapin 1 tb 0,0,100,20 ctl 0,21,100,300 " + face, "snapin 2 tb 105,0,255,20 ctl 105,21,255,300 " + face,
          "snapin 3 tb 260,0,410,20 ctl 260,21,410,300 " + face}},
        {"rows with caption bars", QStringLiteral("<ROWS><ITEM height=\"100\" caption=\"Oben\"/><ITEM caption=\"Unten\"/></ROWS>"),
         {10, 0, 210, 305},
         {"caption 10,0,210,16 Oben", "snapin 1 tb 10,18,210,38 ctl 10,39,210,100 " + face, "caption 10,105,210,121 Unten",
          "snapin 2 tb 10,123,210,143 ctl 10,144,210,305 " + face}},
        {"captions sit on top of columns", QStringLiteral("<COLS><ITEM width=\"50%\" caption=\"L\"/><ITEM width=\"50%\"/></COLS>"),
         {0, 0, 205, 100},
         {"caption 0,0,100,16 L", "snapin 1 tb 0,18,100,38 ctl 0,39,100,100 " + face,
          "snapin 2 tb 105,0,205,20 ctl 105,21,205,100 " + face}},
        {"generic acting as columns", QStringLiteral("<GENERIC type=\"COLS\"><ITEM width=\"300\"/><ITEM width=\"300\"/></GENERIC>"),
         {0, 0, 405, 50},
         {"snapin 1 tb 0,0,200,20 ctl 0,21,200,50 " + face, "snapin 2 tb 205,0,405,20 ctl 205,21,405,50 " + face}},
        {"generic without type lays out nothing", QStringLiteral("<GENERIC><ITEM/></GENERIC>"), {0, 0, 100, 100}, {}},
        {"empty rows", QStringLiteral("<ROWS/>"), {0, 0, 100, 100}, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TableQuestions host;
        EXPECT_EQ(run(host, row.xml, row.rect), row.expected);
    }
}

TEST(FrameLayout, ItemsCellsSpacesAndContainers)
{
    const QString red = QString::number(rgbColor(255, 0, 0));
    struct Row
    {
        const char *name;
        QString xml;
        QList<int> missing;
        QList<int> noToolbar;
        QStringList expected;
    };
    const Row rows[] = {
        {"missing control shows its class", QStringLiteral("<ITEM control=\"Archiv.Liste\"/>"), {1}, {},
         {"missing 0,0,200,100 Control \"Archiv.Liste\" nicht gefunden"}},
        {"control without toolbar fills the cell", QStringLiteral("<ITEM/>"), {}, {1}, {"snapin 1 - ctl 0,0,200,100 " + face}},
        {"cell: first caption only, children overlap",
         QStringLiteral("<CELL><ITEM caption=\"Kopf\"/><ITEM caption=\"nie\"/></CELL>"), {}, {},
         {"caption 0,0,200,16 Kopf", "snapin 1 tb 0,18,200,38 ctl 0,39,200,100 " + face,
          "snapin 2 tb 0,18,200,38 ctl 0,39,200,100 " + face}},
        {"own colour fills and is inherited", QStringLiteral("<ROWS backcolor=\"255,0,0\"><SPACE height=\"45\"/><ITEM/></ROWS>"),
         {}, {}, {"fill 0,0,200,100 " + red, "snapin 1 tb 0,50,200,70 ctl 0,71,200,100 " + red}},
        {"border 2 indents by 4", QStringLiteral("<CELL border=\"2,0\"><ITEM/></CELL>"), {}, {},
         {"border 0,0,200,100", "snapin 1 tb 4,4,196,24 ctl 4,25,196,96 " + face}},
        {"other borders draw nothing", QStringLiteral("<CELL border=\"1,2\"><ITEM/></CELL>"), {}, {},
         {"snapin 1 tb 0,0,200,20 ctl 0,21,200,100 " + face}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TableQuestions host;
        host.missing = row.missing;
        host.noToolbar = row.noToolbar;
        EXPECT_EQ(run(host, row.xml, {0, 0, 200, 100}), row.expected);
    }

    TableQuestions host;
    host.containers.insert(QStringLiteral("unten"),
                           layoutOf(QStringLiteral("<L><ITEM caption=\"a\"/><SPACE backcolor=\"0,0,255\"/></L>")));
    EXPECT_EQ(run(host, QStringLiteral("<ROWS><CONTAINER layout=\"unten\"/><CONTAINER layout=\"fehlt\"/></ROWS>"),
                  {0, 0, 200, 105}),
              (QStringList{"caption 0,0,200,16 a", "snapin 1 tb 0,18,200,38 ctl 0,39,200,50 " + face,
                           "fill 0,0,200,50 " + QString::number(rgbColor(0, 0, 255))}));
}

TEST(FrameLayout, TabBarsShowOnlyTheSelectedPage)
{
    const QString tabs = QStringLiteral("<TABS %1><ITEM caption=\"Eins\"/><ITEM message=\"zwei\"/></TABS>");
    const QString blue = QString::number(rgbColor(0, 0, 255));
    struct Row
    {
        const char *name;
        QString attributes;
        int selected;
        QString requested;
        QStringList expected;
    };
    const Row rows[] = {
        {"bar on top, first page", {}, 1, {},
         {"tabs 0,0,300,24 [Eins,#2] style 4 sel 1 " + face, "snapin 1 tb 0,26,300,46 ctl 0,47,300,200 " + face,
          "snapin 2 tb 0,26,300,46 ctl 0,47,300,200 " + face + " hidden"}},
        {"selection beyond the pages is clamped", {}, 5, {},
         {"tabs 0,0,300,24 [Eins,#2] style 4 sel 2 " + face, "snapin 1 tb 0,26,300,46 ctl 0,47,300,200 " + face + " hidden",
          "snapin 2 tb 0,26,300,46 ctl 0,47,300,200 " + face}},
        {"bar on the left in the bar look", QStringLiteral("align=\"left\" type=\"bar\""), 1, {},
         {"tabs 0,0,80,200 [Eins,#2] style 5 sel 1 " + face, "snapin 1 tb 82,0,300,20 ctl 82,21,300,200 " + face,
          "snapin 2 tb 82,0,300,20 ctl 82,21,300,200 " + face + " hidden"}},
        {"border takes the element's own colour for the bar", QStringLiteral("border=\"2\" backcolor=\"0,0,255\""), 1, {},
         {"fill 0,0,300,200 " + blue, "border 0,0,300,200", "tabs 4,4,296,28 [Eins,#2] style 4 sel 1 " + blue,
          "snapin 1 tb 4,30,296,50 ctl 4,51,296,196 " + blue, "snapin 2 tb 4,30,296,50 ctl 4,51,296,196 " + blue + " hidden"}},
        {"a message selects its page", {}, 1, QStringLiteral("zwei"),
         {"tabs 0,0,300,24 [Eins,#2] style 4 sel 2 " + face, "snapin 1 tb 0,26,300,46 ctl 0,47,300,200 " + face + " hidden",
          "snapin 2 tb 0,26,300,46 ctl 0,47,300,200 " + face}},
        {"an unknown message changes nothing", {}, 1, QStringLiteral("drei"),
         {"tabs 0,0,300,24 [Eins,#2] style 4 sel 1 " + face, "snapin 1 tb 0,26,300,46 ctl 0,47,300,200 " + face,
          "snapin 2 tb 0,26,300,46 ctl 0,47,300,200 " + face + " hidden"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TableQuestions host;
        host.bar.selected = row.selected;
        host.requested = row.requested;
        EXPECT_EQ(run(host, tabs.arg(row.attributes), {0, 0, 300, 200}), row.expected);
    }

    // Pages of a hidden page stay hidden and draw nothing.
    TableQuestions nested;
    nested.bar.selected = 2;
    const QStringList drawn = run(nested,
                                  QStringLiteral("<TABS><ROWS><ITEM caption=\"x\"/></ROWS><SPACE/></TABS>"), {0, 0, 100, 100});
    EXPECT_EQ(drawn, (QStringList{"tabs 0,0,100,24 [#1,#2] style 4 sel 2 " + face,
                                  "snapin 1 tb 0,44,100,64 ctl 0,65,100,100 " + face + " hidden"}));
}

TEST(FrameLayout, MultiShowsItsCopiesAndConfigModeAddsHeaders)
{
    TableQuestions host;
    const StdXMLNodePtr multi = layoutOf(QStringLiteral("<MULTI><ITEM/></MULTI>"));
    const StdXMLNodePtr copies = layoutOf(QStringLiteral(
        "<MULTI><ITEM caption=\"A 1\"/><ITEM caption=\"A 2\"/><ITEM caption=\"A 3\"/></MULTI>"));
    host.copies.insert(multi.get(), copies);
    host.bar.selected = 3;
    EXPECT_EQ(lines(FrameLayout::layout(multi, {0, 0, 100, 100}, kFace, host)), (QStringList{"tabs 0,0,100,24 [A 1,A 2,A 3] style 4 sel 3 " + face,
                                       "snapin 1 tb 0,26,100,46 ctl 0,47,100,100 " + face + " hidden",
                                       "snapin 2 tb 0,26,100,46 ctl 0,47,100,100 " + face + " hidden",
                                       "snapin 3 tb 0,26,100,46 ctl 0,47,100,100 " + face}));

    TableQuestions config;
    config.config = true;
    EXPECT_EQ(run(config, QStringLiteral("<COLS><ITEM width=\"100\" control=\"A\"/><SPACE/></COLS>"), {0, 0, 305, 100}),
              (QStringList{"header 0,0,305,16 COLS", "header 0,16,126,32 ITEM A",
                           "snapin 1 tb 0,32,126,52 ctl 0,53,126,100 " + face, "header 131,16,305,32 SPACE"}));
}

TEST(FrameLayout, WalkFollowsCommandsIntoPagesCopiesAndContainers)
{
    TableQuestions host;
    const StdXMLNodePtr root = layoutOf(QStringLiteral(
        "<ROWS><TABS><ITEM><ITEM/></ITEM></TABS><MULTI><SPACE/></MULTI><CONTAINER layout=\"c\"/>"
        "<GENERIC type=\"MULTI\"><CELL/></GENERIC><OTHER><ITEM/></OTHER></ROWS>"));
    host.containers.insert(QStringLiteral("c"), layoutOf(QStringLiteral("<L><COLS><ITEM/></COLS></L>")));
    host.copies.insert(root->Item(2).get(), layoutOf(QStringLiteral("<MULTI><ITEM/><ITEM/></MULTI>")));
    QStringList visited;
    FrameLayout::walk(root, host, [&](const StdXMLNodePtr &e) {
        visited << e->Tag;
        return true;
    });
    // ITEM children, MULTI's own child, a GENERIC-as-MULTI without copies and unknown
    // elements are not entered.
    EXPECT_EQ(visited, (QStringList{"ROWS", "TABS", "ITEM", "MULTI", "ITEM", "ITEM", "CONTAINER", "COLS", "ITEM",
                                    "GENERIC", "OTHER"}));

    int seen = 0;
    EXPECT_FALSE(FrameLayout::walk(root, host, [&](const StdXMLNodePtr &) { return ++seen < 3; }));
    EXPECT_EQ(seen, 3);
}
