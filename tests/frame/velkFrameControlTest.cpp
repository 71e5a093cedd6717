#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/PictureBox.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/velkSheet.h>
#include <velk/xml/StdXML.h>

#include "TestSnapIns.h"
#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QSignalSpy>

using namespace velk;

namespace {

class FrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerTestSnapIns();
        frame.resize(400, 300);
    }

    StdXMLNodePtr init(const QString &xml)
    {
        doc.LoadXML(xml);
        frame.Init(doc.Root);
        return doc.Root;
    }
    RecordingSnapIn *recorder(int nr) const { return qobject_cast<RecordingSnapIn *>(frame.snapin(nr)); }
    Canvas &surface() { return frame.findChild<PictureBox *>(QStringLiteral("Picture1"))->canvas(); }
    QStringList drawnTexts() { return test::textsOf(surface().recording()); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static bool shown(QWidget *w) { return w && !w->isHidden(); }

    StdXML doc;
    velkFrameControl frame;
};

} // namespace

TEST_F(FrameTest, BuildCreatesNamedSnapinsWithToolbarsAndMarksTheirItems)
{
    surface().setRecording(true, false);
    const StdXMLNodePtr root = init(QStringLiteral(
        "<ROWS><ITEM control=\"Test.Recorder\"/><ITEM/><ITEM control=\"Keine.Klasse\"/><ITEM control=\"Test.Bare\"/></ROWS>"));

    EXPECT_NE(frame.findChild<RecordingSnapIn *>(QStringLiteral("Ctl1")), nullptr);
    EXPECT_NE(frame.findChild<BareSnapIn *>(QStringLiteral("Ctl4")), nullptr);
    EXPECT_EQ(frame.snapin(2), nullptr);
    EXPECT_EQ(frame.snapin(3), nullptr);
    EXPECT_EQ(frame.snapinCount(), 2);
    QStringList comments;
    for (const StdXMLNodePtr &item : root->SubElements())
        comments << item->Comment;
    EXPECT_EQ(comments, (QStringList{"1", "", "3", "4"}));

    ASSERT_NE(frame.toolbar(1), nullptr);
    EXPECT_EQ(frame.toolbar(1)->Menu(), recorder(1)->toolbar);
    EXPECT_EQ(frame.toolbar(4)->Menu(), QString());
    EXPECT_EQ(frame.toolbar(3), nullptr);

    // Four rows of 71 pixels: toolbar on top, control one pixel below it.
    EXPECT_EQ(frame.toolbar(1)->geometry(), QRect(0, 0, 400, velkFrameControl::ToolbarHeightPx));
    EXPECT_EQ(frame.snapin(1)->geometry(), QRect(0, 25, 400, 46));
    EXPECT_EQ(frame.snapin(4)->geometry(), QRect(0, 228 + 25, 400, 46));
    EXPECT_TRUE(shown(frame.snapin(1)));
    EXPECT_TRUE(recorder(1)->isVisible);
    EXPECT_EQ(recorder(1)->backColor, SystemColor::ButtonFace);

    const QStringList texts = drawnTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Control \"Keine.Klasse\" nicht gefunden")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Control \"\" nicht gefunden")));
    const auto &ops = surface().recording();
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(),
                            [](const DrawOp &op) { return op.kind == DrawOp::Box && op.foreColor == rgbColor(255, 0, 0); }),
              2);
}

TEST_F(FrameTest, RefreshMovesExistingControlsAndHonoursTheLayoutSize)
{
    // A layout element inside a document sets the control's width.
    doc.LoadXML(QStringLiteral(
        "<SCREEN><COLS width=\"300\"><ITEM control=\"Test.Recorder\"/><ITEM control=\"Test.Recorder\"/></COLS></SCREEN>"));
    frame.Init(doc.Root->Item(1));
    EXPECT_EQ(frame.width(), 300);
    QWidget *first = frame.snapin(1);
    const int made = int(RecordingSnapIn::alive().size());
    EXPECT_EQ(first->geometry(), QRect(0, 25, 148, 275));

    doc.Root->Item(1)->RemoveAttribute(QStringLiteral("width"));
    frame.resize(505, 200);
    frame.Refresh();
    EXPECT_EQ(frame.snapin(1), first);
    EXPECT_EQ(int(RecordingSnapIn::alive().size()), made);
    EXPECT_EQ(first->geometry(), QRect(0, 25, 250, 175));
    EXPECT_EQ(frame.snapin(2)->geometry(), QRect(255, 25, 250, 175));

    frame.Init(nullptr);
    flushDeletes();
    EXPECT_EQ(frame.snapinCount(), 0);
    EXPECT_EQ(frame.findChild<PictureBox *>(QStringLiteral("Picture1"))->size(), QSize(0, 0));
}

TEST_F(FrameTest, ParametersArePushedPulledAndSaved)
{
    QStringList asked;
    QObject::connect(frame.events(), &velkFrameControlEvents::Parameter, [&](QString &par) {
        asked << par;
        if (par == QStringLiteral("ALT"))
            par = QStringLiteral("CELL/OPT");
    });
    QSignalSpy changed(frame.events(), &velkFrameControlEvents::ParameterChanged);
    const StdXMLNodePtr root = init(QStringLiteral(
        "<ROWS><ITEM control=\"Test.Recorder\">Text<KEY name=\"a\"/></ITEM><ITEM control=\"Test.Recorder\" parameter=\"ALT\"/>"
        "<CELL><OPT>eins</OPT></CELL></ROWS>"));
    EXPECT_EQ(asked, (QStringList{"", "ALT"}));
    EXPECT_TRUE(recorder(1)->text.contains(QStringLiteral("<KEY name=\"a\"/>")));
    EXPECT_TRUE(recorder(1)->text.endsWith(QStringLiteral("Text")));
    EXPECT_EQ(recorder(2)->text, QStringLiteral("eins"));

    // An edit inside the snap-in comes back into the tree on "parameterchanged".
    const StdXMLNodePtr item = root->Item(1);
    recorder(1)->text = QStringLiteral("Neu<KEY name=\"b\"/><NEU/>");
    recorder(1)->dirty = true;
    emit recorder(1)->parameterchanged();
    ASSERT_EQ(item->Count(), 2);
    EXPECT_EQ(item->Item(1)->GetAttribute(QStringLiteral("name")), QStringLiteral("b"));
    EXPECT_EQ(item->Item(2)->Tag, QStringLiteral("NEU"));
    EXPECT_EQ(item->Body, QStringLiteral("Neu"));
    EXPECT_FALSE(recorder(1)->dirty);
    EXPECT_EQ(changed.count(), 1);

    // The tree changed by the host goes out again on "parameterrefresh".
    item->Body = QStringLiteral("Anders");
    emit recorder(1)->parameterrefresh();
    EXPECT_TRUE(recorder(1)->text.endsWith(QStringLiteral("Anders")));

    // Disconnect pulls only what is dirty, then everything is gone.
    recorder(2)->text = QStringLiteral("<Y/>");
    recorder(2)->dirty = true;
    recorder(1)->text = QStringLiteral("verworfen");
    frame.Disconnect();
    flushDeletes();
    const StdXMLNodePtr opt = root->Item(3)->Item(1);
    ASSERT_EQ(opt->Count(), 1);
    EXPECT_EQ(opt->Item(1)->Tag, QStringLiteral("Y"));
    EXPECT_EQ(opt->Body, QString());
    EXPECT_EQ(item->Body, QStringLiteral("Anders"));
    EXPECT_EQ(frame.snapinCount(), 0);
    EXPECT_TRUE(RecordingSnapIn::alive().isEmpty());
    EXPECT_EQ(frame.layoutElement(), nullptr);
}

TEST_F(FrameTest, ContainersAreFilledByTheHostAndReloadReplacesOrDropsThem)
{
    StdXML supplied;
    supplied.LoadXML(QStringLiteral("<S><L1><ITEM control=\"Test.Recorder\"/></L1><R1><ITEM control=\"Test.Recorder\"/></R1>"
                                    "<R2><ITEM control=\"Test.Recorder\"/><ITEM control=\"Test.Recorder\"/></R2></S>"));
    QHash<QString, StdXMLNodePtr> nodes{{"links", supplied.Root->Item(1)}, {"rechts", supplied.Root->Item(2)}};
    QStringList asked;
    QObject::connect(frame.events(), &velkFrameControlEvents::LayoutNode, [&](const QString &layout, StdXMLNodePtr &nde) {
        asked << layout;
        nde = nodes.value(layout);
    });
    init(QStringLiteral("<COLS><CONTAINER layout=\"links\"/><CONTAINER layout=\"rechts\"/><CONTAINER layout=\"leer\"/></COLS>"));
    EXPECT_EQ(asked, (QStringList{"links", "rechts", "leer"}));
    EXPECT_EQ(frame.snapinCount(), 2);
    EXPECT_EQ(frame.snapin(2)->x(), 135);

    asked.clear();
    QWidget *left = frame.snapin(1);
    frame.Reload();
    EXPECT_EQ(asked, (QStringList{"rechts", "links"}));
    EXPECT_EQ(frame.snapin(1), left);
    EXPECT_EQ(frame.snapinCount(), 2);
    EXPECT_TRUE(recorder(1)->calls.contains(QStringLiteral("SaveParameter")));

    // A different node replaces the old subtree; its snap-in is saved before it goes.
    recorder(2)->text = QStringLiteral("<GEMERKT/>");
    recorder(2)->dirty = true;
    nodes.insert(QStringLiteral("rechts"), supplied.Root->Item(3));
    frame.Reload();
    flushDeletes();
    EXPECT_EQ(supplied.Root->Item(2)->Item(1)->Item(1)->Tag, QStringLiteral("GEMERKT"));
    EXPECT_EQ(frame.snapin(2), nullptr);
    ASSERT_NE(frame.snapin(3), nullptr);
    ASSERT_NE(frame.snapin(4), nullptr);
    EXPECT_EQ(frame.snapin(3)->x(), 135);
    EXPECT_EQ(frame.snapinCount(), 3);

    // Nothing for a container drops it: it is not asked for again.
    nodes.remove(QStringLiteral("links"));
    frame.Reload();
    flushDeletes();
    EXPECT_EQ(frame.snapin(1), nullptr);
    asked.clear();
    frame.Reload();
    EXPECT_EQ(asked, (QStringList{"rechts"}));
}

TEST_F(FrameTest, TabsSelectByMessageAndByClick)
{
    const StdXMLNodePtr tabs = init(QStringLiteral(
        "<TABS><ITEM caption=\"A\" control=\"Test.Recorder\" message=\"a\"/>"
        "<ITEM caption=\"B\" control=\"Test.Recorder\" message=\"b\" selected=\"true\"/>"
        "<ITEM control=\"Test.Recorder\" selected=\"start\"/></TABS>"));
    velkMenuBar *bar = frame.findChild<velkMenuBar *>(QStringLiteral("velkMenuBarTABS"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, frame.tabBar(1));
    EXPECT_EQ(bar->Menu(), QStringLiteral("A,B,#3"));
    EXPECT_EQ(bar->styleNumber(), 4);
    EXPECT_EQ(bar->Selected(), 3); // "start" wins over "true"
    EXPECT_FALSE(recorder(1)->isVisible);
    EXPECT_FALSE(shown(frame.snapin(2)));
    EXPECT_TRUE(shown(frame.snapin(3)));

    frame.ShowElement(QStringLiteral("a"));
    EXPECT_EQ(bar->Selected(), 1);
    EXPECT_TRUE(recorder(1)->isVisible);
    EXPECT_FALSE(recorder(3)->isVisible);
    frame.ShowElement(QStringLiteral("zz"));
    EXPECT_EQ(bar->Selected(), 1);

    bar->setSelected(9);
    frame.Refresh();
    EXPECT_EQ(bar->Selected(), 3);

    // A click on tab 2 moves the "true" mark to it; "start" stays where it is.
    int id = 2, shift = 0;
    float x = 0, y = 0;
    bar->setSelected(2);
    emit bar->events()->Click(id, shift, x, y);
    EXPECT_EQ(tabs->Item(2)->GetAttribute(QStringLiteral("selected")), QStringLiteral("true"));
    EXPECT_EQ(tabs->Item(3)->GetAttribute(QStringLiteral("selected")), QStringLiteral("start"));
    EXPECT_TRUE(recorder(2)->isVisible);
    id = 1;
    bar->setSelected(1);
    emit bar->events()->Click(id, shift, x, y);
    EXPECT_EQ(tabs->Item(1)->GetAttribute(QStringLiteral("selected")), QStringLiteral("true"));
    EXPECT_FALSE(tabs->Item(2)->HasAttribute(QStringLiteral("selected")));
}

TEST_F(FrameTest, MultiBuildsThreeNumberedCopies)
{
    const StdXMLNodePtr multi = init(QStringLiteral("<MULTI><ITEM caption=\"Ansicht #\" control=\"Test.Recorder\"/></MULTI>"));
    EXPECT_EQ(frame.tabBar(1)->Menu(), QStringLiteral("Ansicht 1,Ansicht 2,Ansicht 3"));
    EXPECT_EQ(frame.snapinCount(), 3);
    EXPECT_EQ(multi->Item(1)->Comment, QString()); // the MULTI's own child is only the pattern
    EXPECT_TRUE(shown(frame.snapin(1)));
    EXPECT_FALSE(shown(frame.snapin(2)));

    init(QStringLiteral("<MULTI><ITEM control=\"Test.Recorder\"/></MULTI>"));
    EXPECT_EQ(frame.tabBar(1)->Menu(), QStringLiteral("1,2,3"));
}

TEST_F(FrameTest, GenericTypeSwitchesEveryGenericElement)
{
    const StdXMLNodePtr root = init(QStringLiteral(
        "<ROWS><GENERIC type=\"COLS\"><ITEM control=\"Test.Recorder\" width=\"100\"/><ITEM control=\"Test.Recorder\"/></GENERIC>"
        "<TABS><GENERIC type=\"COLS\"/></TABS></ROWS>"));
    EXPECT_EQ(frame.GenericType(), QStringLiteral("COLS"));
    EXPECT_EQ(frame.snapin(2)->x(), 105);

    frame.setGenericType(QStringLiteral("ROWS"));
    EXPECT_EQ(root->Item(2)->Item(1)->GetAttribute(QStringLiteral("type")), QStringLiteral("ROWS"));
    EXPECT_EQ(frame.GenericType(), QStringLiteral("ROWS"));
    EXPECT_EQ(frame.snapin(2)->x(), 0);
    EXPECT_GT(frame.snapin(2)->y(), frame.snapin(1)->y());

    frame.setGenericType(QStringLiteral("TABS"));
    ASSERT_NE(frame.tabBar(3), nullptr); // made when first laid out as tabs
    EXPECT_TRUE(shown(frame.snapin(1)));
    EXPECT_FALSE(shown(frame.snapin(2)));

    init(QStringLiteral("<ROWS><ITEM/></ROWS>"));
    EXPECT_EQ(frame.GenericType(), QString());
}

TEST_F(FrameTest, SendCommandReachesEverySnapin)
{
    StdXML supplied;
    supplied.LoadXML(QStringLiteral("<L><CELL><ITEM control=\"Test.Recorder\"/></CELL></L>"));
    QObject::connect(frame.events(), &velkFrameControlEvents::LayoutNode,
                     [&](const QString &, StdXMLNodePtr &nde) { nde = supplied.Root; });
    init(QStringLiteral("<ROWS><TABS><ITEM control=\"Test.Recorder\"/><COLS><ITEM control=\"Test.Recorder\"/>"
                        "<ITEM control=\"Test.Bare\"/></COLS></TABS><MULTI><ITEM control=\"Test.Recorder\"/></MULTI>"
                        "<CONTAINER layout=\"x\"/><GENERIC type=\"CELL\"><ITEM control=\"Test.Recorder\"/></GENERIC></ROWS>"));
    ASSERT_EQ(RecordingSnapIn::alive().size(), 7);
    frame.SendCommand(QStringLiteral("drucken"), QStringLiteral("1"));
    for (RecordingSnapIn *snapin : RecordingSnapIn::alive()) {
        SCOPED_TRACE(snapin->objectName().toStdString());
        EXPECT_EQ(snapin->calls.count(QStringLiteral("ReceiveCommand(drucken,1)")), 1);
    }
}

TEST_F(FrameTest, ToolbarClicksAndQueriesTolerateMissingMembers)
{
    ScopedDialogs dialogs;
    dialogs->answerMsgBox(MsgBoxResult::Ok);
    init(QStringLiteral("<COLS><ITEM control=\"Test.Bare\"/><ITEM control=\"Test.PositionClick\"/>"
                        "<ITEM control=\"Test.Recorder\"/></COLS>"));
    // Nothing a bare control lacks stops the frame.
    frame.ShowElement(QStringLiteral("x"));
    frame.SendCommand(QStringLiteral("a"), QStringLiteral("b"));
    frame.Reload();
    EXPECT_TRUE(shown(frame.snapin(1)));

    const auto click = [&](int nr, int id) {
        int shift = 0;
        float x = 10, y = 20;
        emit frame.toolbar(nr)->events()->Click(id, shift, x, y);
    };
    click(2, 3);
    click(3, 3);
    EXPECT_EQ(qobject_cast<PositionClickSnapIn *>(frame.snapin(2))->clicks, QStringList{"3@10,20"});
    EXPECT_TRUE(recorder(3)->calls.contains(QStringLiteral("Click(3)")));
    EXPECT_TRUE(dialogs->questions().empty());

    click(1, 1);
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("Fehler im Plugin!"));
    EXPECT_EQ(dialogs->questions()[0].flags & MsgBoxStyle::IconMask, MsgBoxStyle::Exclamation);
    EXPECT_FALSE(dialogs->questions()[0].prompt.isEmpty());

    const auto enabled = [&](int nr, int id) {
        bool on = true;
        emit frame.toolbar(nr)->events()->CheckState(id, on);
        return on;
    };
    EXPECT_TRUE(enabled(3, 1));
    EXPECT_FALSE(enabled(3, 2));
    EXPECT_TRUE(enabled(1, 2));

    frame.Disconnect();
    flushDeletes();
    EXPECT_EQ(frame.findChild<BareSnapIn *>(), nullptr);
}

TEST_F(FrameTest, SnapinEventsAreDispatchedByName)
{
    ScopedDialogs dialogs;
    dialogs->answerMsgBox(MsgBoxResult::Ok);
    QSignalSpy status(frame.events(), &velkFrameControlEvents::StatusText);
    QSignalSpy ole(frame.events(), &velkFrameControlEvents::ShowOLE);
    QSignalSpy closed(frame.events(), &velkFrameControlEvents::CloseSnapin);
    init(QStringLiteral("<ROWS><ITEM control=\"Test.Recorder\"/><ITEM control=\"Test.Recorder\"/><ITEM control=\"velkMenuBar\"/>"
                        "<ITEM control=\"velkSheet\"/></ROWS>"));
    EXPECT_NE(qobject_cast<velkSheet *>(frame.snapin(4)), nullptr);

    emit recorder(1)->statustext(QStringLiteral("Bereit"));
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status[0][0].toString(), QStringLiteral("Bereit"));

    emit recorder(1)->showole(QStringLiteral("a.doc"), 1, 2, 3, 4);
    ASSERT_EQ(ole.count(), 1);
    EXPECT_EQ(ole[0], (QVariantList{QStringLiteral("a.doc"), 1, 2, 3, 4}));

    recorder(1)->toolbar = QStringLiteral("Neu");
    emit recorder(1)->toolbarchanged();
    EXPECT_EQ(frame.toolbar(1)->Menu(), QStringLiteral("Neu"));

    emit recorder(1)->somethingelse();
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions()[0].prompt, QStringLiteral("somethingelse"));
    EXPECT_EQ(dialogs->questions()[0].title, QStringLiteral("ungültiger Event"));

    // A hosted library control's own events are not reports to the frame.
    int item = 0;
    emit qobject_cast<velkMenuBar *>(frame.snapin(3))->events()->ContextMenu(item);
    EXPECT_EQ(dialogs->questions().size(), 1u);

    surface().setRecording(true, false);
    emit recorder(2)->CLOSEPLUGIN();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(frame.snapin(2), nullptr);
    EXPECT_EQ(frame.toolbar(2), nullptr);
    EXPECT_EQ(frame.snapinCount(), 3);
    EXPECT_TRUE(drawnTexts().contains(QStringLiteral("Control \"Test.Recorder\" nicht gefunden")));
    flushDeletes();
    EXPECT_EQ(RecordingSnapIn::alive().size(), 1);
}

TEST_F(FrameTest, APlanIsAppliedOnceWhenASnapinRefreshesTheFrameWhilePlaced)
{
    init(QStringLiteral("<ROWS><ITEM control=\"Test.Recorder\"/><ITEM control=\"Test.Recorder\"/></ROWS>"));
    int depth = 0;
    int deepest = 0;
    int reentered = 0;
    const auto refreshFromInside = [&] {
        ++reentered;
        ++depth;
        deepest = std::max(deepest, depth);
        frame.Refresh();
        --depth;
    };
    recorder(1)->onBackColor = refreshFromInside;
    recorder(2)->onIsVisible = refreshFromInside;
    recorder(1)->calls.clear();
    recorder(2)->calls.clear();
    frame.Refresh();
    EXPECT_EQ(reentered, 2);
    EXPECT_EQ(deepest, 1);
    for (int nr : {1, 2}) {
        SCOPED_TRACE(nr);
        EXPECT_EQ(recorder(nr)->calls, (QStringList{QStringLiteral("set BackColor=%1").arg(SystemColor::ButtonFace),
                                                    QStringLiteral("set IsVisible=1")}));
    }
    EXPECT_EQ(frame.snapin(2)->y(), frame.snapin(1)->y() + 153); // rows of 148 pixels, 5 apart

    // The frame's own changes still lay it out again.
    recorder(1)->onBackColor = nullptr;
    recorder(2)->onIsVisible = nullptr;
    frame.setBackColor(rgbColor(0, 128, 0));
    EXPECT_EQ(recorder(1)->backColor, rgbColor(0, 128, 0));
}
