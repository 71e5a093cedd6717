#include <velk/controls/FramePainter_p.h>
#include <velk/menu/MenuLayout_p.h>
#include <velk/menu/velkMenuBar_p.h>
#include <velk/platform/Canvas.h>
#include <velk/platform/ScriptedScreen.h>

#include "support/RecordingCanvas.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QtTest>

using namespace velk;

namespace {

struct Raised
{
    QString event;
    int id = 0;
    int shift = 0;
    float x = -1, y = -1;
    QString text;
};

// A bar with every event recorded; items listed in `disabled` are refused by CheckState.
struct BarFixture
{
    velkMenuBar bar;
    std::vector<Raised> raised;
    std::set<int> disabled;
    std::set<int> markedSelected;
    short selectedDuringEvent = -1;

    explicit BarFixture(const QString &menu, short style = 0, QSize size = {400, 24})
    {
        bar.resize(size);
        bar.setStyleNumber(style);
        bar.setMenu(menu);
        auto *e = bar.events();
        auto click = [this](const char *name) {
            return [this, name](int &id, int &shift, float &x, float &y) {
                selectedDuringEvent = bar.Selected();
                raised.push_back({QString::fromLatin1(name), id, shift, x, y, {}});
            };
        };
        QObject::connect(e, &velkMenuBarEvents::Click, click("Click"));
        QObject::connect(e, &velkMenuBarEvents::ClickIcon, click("ClickIcon"));
        QObject::connect(e, &velkMenuBarEvents::ClickMenu, click("ClickMenu"));
        QObject::connect(e, &velkMenuBarEvents::ContextMenu,
                         [this](int &id) { raised.push_back({QStringLiteral("ContextMenu"), id}); });
        QObject::connect(e, &velkMenuBarEvents::CheckState, [this](int &id, bool &enabled) {
            if (disabled.count(id))
                enabled = false;
        });
        QObject::connect(e, &velkMenuBarEvents::CheckSelected, [this](int &id, bool &enable) {
            if (markedSelected.count(id))
                enable = true;
        });
    }

    QPoint centreOf(int id, MenuPart part = MenuPart::Caption) const
    {
        const MenuLayout &l = *MenuBarAccess::layout(bar);
        const QRect r = part == MenuPart::Icon ? l.iconRect(id) : part == MenuPart::Arrow ? l.arrowRect(id)
                                                                                          : l.captionRect(id);
        return r.center();
    }
    std::vector<QString> names() const
    {
        std::vector<QString> n;
        for (const Raised &r : raised)
            n.push_back(r.event);
        return n;
    }
    std::vector<DrawOp> paint()
    {
        return test::recordPainting(ScaleMode::Pixels, [this](Canvas &c) { MenuBarAccess::paintOn(bar, c); });
    }
    bool hasFace(Color fill)
    {
        const auto ops = paint();
        return std::any_of(ops.begin(), ops.end(),
                           [fill](const DrawOp &op) { return op.kind == DrawOp::Polygon && op.fillColor == fill; });
    }
};

std::vector<QString> list(std::initializer_list<const char *> names)
{
    std::vector<QString> v;
    for (const char *n : names)
        v.push_back(QString::fromLatin1(n));
    return v;
}

} // namespace

TEST(velkMenuBar, DefinitionStringAnswersCountItemsAndSetItem)
{
    velkMenuBar bar;
    EXPECT_EQ(bar.Count(), 0);
    EXPECT_EQ(bar.GetItem(1), QString());
    bar.setMenu(QStringLiteral("a,,b"));
    EXPECT_EQ(bar.Count(), 3);
    EXPECT_EQ(bar.GetItem(2), QString());
    bar.setMenu(QStringLiteral("open#Öffnen,save#Speichern#v"));
    EXPECT_EQ(bar.MenuItem(2), QStringLiteral("Speichern"));
    EXPECT_EQ(bar.GetItem(2), QStringLiteral("save#Speichern#v"));
    bar.SetItem(4, QStringLiteral("x"));
    EXPECT_EQ(bar.Menu(), QStringLiteral("open#Öffnen,save#Speichern#v,,x"));
    bar.SetItem(4, QString());
    EXPECT_EQ(bar.Menu(), QStringLiteral("open#Öffnen,save#Speichern#v,"));
    EXPECT_EQ(bar.Count(), 2);
}

TEST(velkMenuBar, EmptyMenuDrawsOnlyTheBackground)
{
    BarFixture f{QString()};
    const auto ops = f.paint();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, DrawOp::FilledBox);
    EXPECT_EQ(ops[0].fillColor, SystemColor::ButtonFace);
}

TEST(velkMenuBar, ToolbarActsOnReleaseByThePartUnderThePointer)
{
    BarFixture f(QStringLiteral("save#Speichern#|v,-,open#Öffnen"));
    struct Row { const char *name; int id; MenuPart part; const char *event; };
    const Row rows[] = {
        {"icon", 1, MenuPart::Icon, "ClickIcon"},
        {"caption", 1, MenuPart::Caption, "Click"},
        {"split arrow", 1, MenuPart::Arrow, "ClickMenu"},
        {"second item", 3, MenuPart::Caption, "Click"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        f.raised.clear();
        const QPoint at = f.centreOf(row.id, row.part);
        QTest::mousePress(&f.bar, Qt::LeftButton, Qt::ShiftModifier, at);
        EXPECT_TRUE(f.raised.empty()) << "a press only draws the item pressed";
        QTest::mouseRelease(&f.bar, Qt::LeftButton, Qt::ShiftModifier, at);
        ASSERT_EQ(f.raised.size(), 1u);
        EXPECT_EQ(f.raised[0].event, QString::fromLatin1(row.event));
        EXPECT_EQ(f.raised[0].id, row.id);
        EXPECT_EQ(f.raised[0].shift, 1);
        const QRect item = MenuBarAccess::layout(f.bar)->itemRect(row.id);
        EXPECT_EQ(f.raised[0].x, item.left() * 15.0f) << "the item's lower left corner in twips";
        EXPECT_EQ(f.raised[0].y, 24 * 15.0f);
        EXPECT_EQ(f.selectedDuringEvent, row.id) << "drawn selected while the event runs";
        EXPECT_EQ(f.bar.Selected(), 0) << "and restored afterwards";
    }
    f.raised.clear();
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, f.centreOf(1));
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, f.centreOf(3));
    ASSERT_EQ(f.raised.size(), 1u);
    EXPECT_EQ(f.raised[0].id, 3) << "the release decides the item";
    f.raised.clear();
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, f.centreOf(3));
    EXPECT_TRUE(f.raised.empty()) << "a release without a press does nothing";
}

TEST(velkMenuBar, TabsActOnPressAndKeepTheSelection)
{
    for (short style : {short(1), short(4)}) {
        SCOPED_TRACE(style);
        BarFixture f(QStringLiteral("Allgemein,Details,Verlauf"), style);
        QTest::mousePress(&f.bar, Qt::LeftButton, {}, f.centreOf(2));
        EXPECT_EQ(f.names(), list({"Click"}));
        EXPECT_EQ(f.bar.Selected(), 2);
        QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, f.centreOf(2));
        EXPECT_EQ(f.raised.size(), 1u) << "the release does nothing";
    }
    BarFixture style5(QStringLiteral("Liste,Karten"), 5);
    QTest::mouseClick(&style5.bar, Qt::LeftButton, {}, style5.centreOf(2));
    EXPECT_EQ(style5.bar.Selected(), 2) << "style 5 keeps the clicked item selected";
}

TEST(velkMenuBar, DisabledItemsAndRightButtonFollowTheirRules)
{
    BarFixture f(QStringLiteral("Eins,Zwei"));
    f.disabled = {2};
    QTest::mouseClick(&f.bar, Qt::LeftButton, {}, f.centreOf(2));
    EXPECT_TRUE(f.raised.empty()) << "the host disabled the item";

    QTest::mousePress(&f.bar, Qt::RightButton, {}, f.centreOf(1));
    EXPECT_TRUE(f.raised.empty()) << "a right press is ignored";
    QTest::mouseRelease(&f.bar, Qt::RightButton, {}, f.centreOf(1));
    QTest::mouseRelease(&f.bar, Qt::RightButton, {}, QPoint(390, 10));
    QTest::mouseRelease(&f.bar, Qt::RightButton, {}, f.centreOf(2));
    ASSERT_EQ(f.names(), list({"ContextMenu", "ContextMenu", "ContextMenu"}));
    EXPECT_EQ(f.raised[0].id, 1);
    EXPECT_EQ(f.raised[1].id, 0) << "away from all items";
    EXPECT_EQ(f.raised[2].id, 2);
}

TEST(velkMenuBar, HoverLooksLastUntilTheCursorLeavesTheBar)
{
    ScriptedScreenScope screen;
    BarFixture f(QStringLiteral("Eins,Zwei"));
    auto *timer = f.bar.findChild<QTimer *>(QStringLiteral("Timer1"));
    ASSERT_TRUE(timer);
    const QPoint over = f.centreOf(1);
    f.bar.MouseMove(0, 0, over.x(), over.y());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(f.hasFace(FramePainter::HotFace));

    screen->setCursorPos(f.bar.mapToGlobal(over));
    f.bar.HoverTimerTick();
    EXPECT_FALSE(timer->isActive()) << "every tick switches the timer off";
    EXPECT_TRUE(f.hasFace(FramePainter::HotFace)) << "still over the bar";

    f.bar.MouseMove(0, 0, over.x(), over.y());
    screen->setCursorPos(f.bar.mapToGlobal(QPoint(over.x(), 200)));
    QTRY_VERIFY_WITH_TIMEOUT(!f.hasFace(FramePainter::HotFace), 1000);

    f.disabled = {1};
    f.bar.MouseMove(0, 0, over.x(), over.y());
    EXPECT_FALSE(f.hasFace(FramePainter::HotFace)) << "a disabled item is never hot";
    EXPECT_FALSE(timer->isActive());

    BarFixture tabs(QStringLiteral("Eins,Zwei"), 1);
    tabs.bar.MouseMove(0, 0, over.x(), over.y());
    EXPECT_FALSE(tabs.bar.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive()) << "tabs have no hover";
}

TEST(velkMenuBar, ArrowKeysMoveTabsOrFocusByOrientation)
{
    struct Row { const char *name; short style; QSize size; std::vector<int> keys; std::vector<int> clicked; short selected; };
    const Row rows[] = {
        {"tabs forward and back", 1, {400, 24}, {39, 39, 37}, {2, 3, 2}, 2},
        {"tabs stop at the ends", 1, {400, 24}, {37, 39, 39, 39, 39}, {2, 3, 4}, 4},
        {"vertical tabs use up and down", 4, {60, 400}, {39, 40, 38}, {2, 1}, 1},
        {"list: focus skips separators", 3, {120, 400}, {40, 40, 13}, {4}, 0},
        {"list: space clicks, stops at the end", 2, {400, 60}, {39, 39, 39, 39, 32, 37, 32}, {4, 2}, 0},
        {"toolbars ignore keys", 0, {400, 24}, {39, 13, 32}, {}, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        BarFixture f(QStringLiteral("Eins,Zwei,-,Vier"), row.style, row.size);
        if (MenuLayout::isTabStyle(row.style)) {
            f.bar.setSelected(1);
            f.bar.SetItem(3, QStringLiteral("Drei"));
        }
        for (int key : row.keys)
            f.bar.KeyDown(key, 0);
        std::vector<int> clicked;
        for (const Raised &r : f.raised) {
            EXPECT_EQ(r.event, QStringLiteral("Click"));
            EXPECT_EQ(r.x, 0.0f);
            clicked.push_back(r.id);
        }
        EXPECT_EQ(clicked, row.clicked);
        EXPECT_EQ(f.bar.Selected(), row.selected);
    }
    BarFixture f(QStringLiteral("Eins,Zwei,Drei"), 3, {120, 400});
    f.bar.KeyDown(40, 0);
    f.bar.KeyDown(40, 0);
    f.bar.setMenu(f.bar.Menu());
    f.bar.KeyDown(13, 0);
    ASSERT_EQ(f.raised.size(), 1u);
    EXPECT_EQ(f.raised[0].id, 1) << "a new Menu puts the keyboard focus on item 1";
}

TEST(velkMenuBar, FieldsAreEditBoxesReadByKey)
{
    BarFixture f(QStringLiteral("Suche,$text:name,$eval:flags,$date:bis"));
    auto *name = f.bar.fieldBox(2);
    auto *flags = f.bar.fieldBox(3);
    ASSERT_TRUE(name && flags && f.bar.fieldBox(4));
    EXPECT_EQ(name->objectName(), QStringLiteral("Text1_2"));
    EXPECT_EQ(name->geometry().left(), MenuBarAccess::layout(f.bar)->itemRect(2).left());
    EXPECT_EQ(flags->width(), 55);

    name->setText(QStringLiteral("Meier"));
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("name")), QStringLiteral("Meier"));
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("Name")), QString());
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("flags")), QStringLiteral("       "));
    QTest::mouseClick(flags, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(flags, Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("flags")), QStringLiteral("? x    "));

    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_EQ(f.names(), list({"Click"}));
    EXPECT_EQ(f.raised[0].id, 2);

    f.bar.SetItem(1, QStringLiteral("Finden"));
    EXPECT_EQ(f.bar.fieldBox(2), name) << "an unchanged field keeps its box";
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("name")), QStringLiteral("Meier"));
    f.bar.setMenu(f.bar.Menu());
    EXPECT_EQ(f.bar.GetValue(QStringLiteral("name")), QString()) << "a new Menu brings new boxes";
    f.bar.setMenu(QStringLiteral("Suche"));
    EXPECT_TRUE(f.bar.findChildren<QLineEdit *>().isEmpty());
}

TEST(velkMenuBar, DroppedFilesAndTextReachTheItemUnderThePoint)
{
    BarFixture f(QStringLiteral("Eins,Zwei"));
    std::vector<std::pair<QString, int>> drops;
    int offered = -1;
    QObject::connect(f.bar.events(), &velkMenuBarEvents::DropFile,
                     [&](QString &file, int &id) { drops.emplace_back(file, id); });
    QObject::connect(f.bar.events(), &velkMenuBarEvents::DropText,
                     [&](QString &text, int &id) { drops.emplace_back(text, id); });
    QObject::connect(f.bar.events(), &velkMenuBarEvents::DropFileEnabled, [&](int &effect) {
        offered = effect;
        effect = 1;
    });
    QObject::connect(f.bar.events(), &velkMenuBarEvents::DropTextEnabled, [&](QString &text, int &effect) {
        if (text != u"Notiz")
            effect = 0;
    });

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.pdf")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.txt"))});
    const QPointF onZwei = f.centreOf(2);
    QDragEnterEvent over(onZwei.toPoint(), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&f.bar, &over);
    EXPECT_EQ(offered, 3) << "copy and move offered";
    EXPECT_TRUE(over.isAccepted());
    EXPECT_EQ(over.dropAction(), Qt::CopyAction);
    QDropEvent drop(onZwei, Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&f.bar, &drop);
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_EQ(drops[0], std::make_pair(QStringLiteral("/tmp/a.pdf"), 2));
    EXPECT_EQ(drops[1], std::make_pair(QStringLiteral("/tmp/b.txt"), 2));
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);

    QMimeData refusedText;
    refusedText.setText(QStringLiteral("nein"));
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &refusedText, Qt::LeftButton, {});
    QApplication::sendEvent(&f.bar, &refused);
    EXPECT_FALSE(refused.isAccepted()) << "the host set the effect to 0";

    QMimeData text;
    text.setText(QStringLiteral("Notiz"));
    QDragEnterEvent enterText(QPoint(390, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&f.bar, &enterText);
    QDropEvent dropText(QPointF(390, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&f.bar, &dropText);
    ASSERT_EQ(drops.size(), 3u);
    EXPECT_EQ(drops[2], std::make_pair(QStringLiteral("Notiz"), 0));
}

TEST(velkMenuBar, HostMarksSelectedItemsAndButtonColorFollowsStyle)
{
    BarFixture f(QStringLiteral("Eins,Zwei"), 3);
    EXPECT_FALSE(f.hasFace(FramePainter::SelectedFace));
    f.markedSelected = {2};
    EXPECT_TRUE(f.hasFace(FramePainter::SelectedFace));

    velkMenuBar bar;
    EXPECT_EQ(bar.ButtonColor(), SystemColor::ButtonFace);
    bar.setStyleNumber(2);
    EXPECT_EQ(bar.ButtonColor(), 0xFFFFFFu);
    bar.setButtonColor(0xFFFFFF);
    bar.setStyleNumber(0);
    EXPECT_EQ(bar.ButtonColor(), SystemColor::ButtonFace) << "the automatic colour is stored as automatic";
    bar.setButtonColor(0x00FF00);
    bar.setStyleNumber(2);
    EXPECT_EQ(bar.ButtonColor(), 0x00FF00u);
}

TEST(velkMenuBar, EveryStyleDrawsItsCaptionsOnTheRecordingCanvas)
{
    for (short style = 0; style <= 6; ++style) {
        for (bool vertical : {false, true}) {
            SCOPED_TRACE(std::to_string(style) + (vertical ? " vertical" : " horizontal"));
            BarFixture f(QStringLiteral("save#Speichern#v,-,(Drucken),>,help#Hilfe"), style,
                         vertical ? QSize(120, 400) : QSize(500, 24));
            f.bar.setSelected(1);
            const auto ops = f.paint();
            const bool turned = vertical && style != 2 && style != 3;
            const long captions = std::count_if(ops.begin(), ops.end(), [](const DrawOp &op) {
                return op.kind == DrawOp::Text && (op.text == u"Speichern" || op.text == u"Hilfe");
            });
            // Turned captions go straight to the device, which a recording canvas lacks.
            EXPECT_EQ(captions, turned ? 0 : 2);
            EXPECT_FALSE(std::any_of(ops.begin(), ops.end(), [](const DrawOp &op) {
                return op.kind == DrawOp::Text && (op.text.contains(u'(') || op.text == u">");
            })) << "hidden captions and the far-end mark are not written";
            EXPECT_EQ(std::count_if(ops.begin(), ops.end(), [](const DrawOp &op) { return op.kind == DrawOp::Picture; }),
                      2) << "two icons";
        }
    }
}

TEST(velkMenuBar, PaintingAndMovingChangeNothingButTheirOwnDrawing)
{
    BarFixture f(QStringLiteral("Suche,$text:name,Drucken"));
    const std::shared_ptr<const MenuLayout> before = MenuBarAccess::layout(f.bar);
    f.bar.MouseMove(0, 0, float(MenuBarAccess::layout(f.bar)->captionRect(3).center().x()), 10);
    f.bar.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(MenuBarAccess::layout(f.bar), before) << "a move looks the item up in the same layout";

    // A field's box follows CheckState when asked to refresh, not when drawn.
    f.disabled.insert(2);
    f.paint();
    EXPECT_TRUE(f.bar.fieldBox(2)->isEnabled());
    f.bar.Refresh();
    EXPECT_FALSE(f.bar.fieldBox(2)->isEnabled());

    // A handler that sets a new menu while the bar is drawn: this drawing keeps its items.
    QObject::connect(f.bar.events(), &velkMenuBarEvents::CheckState, [&f](int &id, bool &) {
        if (id == 1)
            f.bar.setMenu(QStringLiteral("Neu"));
    });
    const QStringList texts = test::textsOf(f.paint());
    EXPECT_TRUE(texts.contains(QStringLiteral("Drucken")));
    EXPECT_EQ(f.bar.Menu(), QStringLiteral("Neu"));
    f.bar.resize(500, 24);
    EXPECT_NE(MenuBarAccess::layout(f.bar), before) << "a new size lays the bar out again";
}
