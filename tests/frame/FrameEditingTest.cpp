#include <velk/frame/velkFrameControl.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/Input.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/xml/StdXML.h>

#include "TestSnapIns.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velk;

namespace {

class FrameEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerTestSnapIns();
        frame.resize(405, 300);
        QGuiApplication::clipboard()->clear();
    }

    StdXMLNodePtr init(const QString &xml, bool configMode = true)
    {
        doc.LoadXML(xml);
        frame.Init(doc.Root);
        frame.setConfigMode(configMode);
        return doc.Root;
    }
    QMenu *menu() const { return frame.findChild<QMenu *>(QStringLiteral("menu_popup")); }
    bool menuIsOpen() const { return menu() && menu()->isVisible(); }
    // Right press at (x, y) and the entry `caption` (in the submenu `sub` when given).
    void run(int x, int y, const QString &caption, const QString &sub = QString())
    {
        frame.MouseDown(MouseButton::Right, 0, float(x), float(y));
        ASSERT_TRUE(menuIsOpen());
        QMenu *in = menu();
        if (!sub.isEmpty()) {
            in = nullptr;
            for (QAction *a : menu()->actions())
                if (a->text() == sub)
                    in = a->menu();
            ASSERT_NE(in, nullptr) << sub.toStdString();
        }
        QAction *entry = nullptr;
        for (QAction *a : in->actions())
            if (a->text() == caption)
                entry = a;
        ASSERT_NE(entry, nullptr) << caption.toStdString();
        ASSERT_TRUE(entry->isEnabled()) << caption.toStdString();
        menu()->hide();
        entry->trigger();
    }
    QString tagsOf(const StdXMLNodePtr &node) const
    {
        QStringList tags;
        for (const StdXMLNodePtr &child : node->SubElements())
            tags << child->Tag;
        return tags.join(u',');
    }
    RecordingSnapIn *recorder(int nr) const { return qobject_cast<RecordingSnapIn *>(frame.snapin(nr)); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScopedDialogs dialogs;
    StdXML doc;
    velkFrameControl frame;
};

} // namespace

TEST_F(FrameEditingTest, RightPressOpensTheEditingMenuOnlyInConfigurationMode)
{
    const StdXMLNodePtr root = init(QStringLiteral("<COLS><ITEM control=\"Test.Recorder\"/><SPACE/></COLS>"), false);
    frame.MouseDown(MouseButton::Right, 0, 300, 100);
    EXPECT_FALSE(menuIsOpen());
    EXPECT_EQ(frame.selectedElement(), nullptr);

    frame.setConfigMode(true);
    frame.MouseDown(MouseButton::Right, 0, 300, 100);
    ASSERT_TRUE(menuIsOpen());
    EXPECT_EQ(frame.selectedElement(), root->Item(2));
    QStringList captions;
    for (QAction *a : menu()->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_EQ(captions, (QStringList{"Element einfügen", "Unterelement einfügen", "Einfügen", "Als Unterelement einfügen",
                                     "Ausschneiden", "Kopieren", "Löschen", "Eigenschaften…", "Konfiguration beenden"}));
    for (int k : {0, 1}) {
        QStringList types;
        for (QAction *a : menu()->actions().at(k)->menu()->actions())
            types << a->text();
        EXPECT_EQ(types.join(u','), QStringLiteral("ITEM,ROWS,COLS,TABS,CELL,CONTAINER,SPACE,MULTI,GENERIC"));
    }
    const auto enabled = [this](const QString &caption) {
        for (QAction *a : menu()->actions())
            if (a->text() == caption)
                return a->isEnabled();
        return false;
    };
    EXPECT_TRUE(enabled(QStringLiteral("Löschen")));
    menu()->hide();

    // The laid-out element offers nothing beside or instead of itself.
    frame.MouseDown(MouseButton::Right, 0, 202, 100);
    EXPECT_EQ(frame.selectedElement(), root);
    for (const char *caption : {"Element einfügen", "Einfügen", "Ausschneiden", "Löschen"})
        EXPECT_FALSE(enabled(QString::fromUtf8(caption))) << caption;
    for (const char *caption : {"Unterelement einfügen", "Als Unterelement einfügen", "Kopieren", "Eigenschaften…"})
        EXPECT_TRUE(enabled(QString::fromUtf8(caption))) << caption;
    menu()->hide();

    QSignalSpy changed(&frame, &velkFrameControl::ConfigModeChanged);
    run(300, 100, QStringLiteral("Konfiguration beenden"));
    EXPECT_FALSE(frame.ConfigMode());
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(FrameEditingTest, RightPressOnASnapinOrItsToolbarSelectsItsItem)
{
    const StdXMLNodePtr root = init(QStringLiteral("<COLS><SPACE/><ITEM control=\"Test.Recorder\"/></COLS>"));
    QTest::mousePress(frame.snapin(1), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(menuIsOpen());
    EXPECT_EQ(frame.selectedElement(), root->Item(2));
    menu()->hide();

    frame.MouseDown(MouseButton::Right, 0, 10, 100);
    menu()->hide();
    QTest::mousePress(frame.toolbar(1), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(frame.selectedElement(), root->Item(2));
    menu()->hide();

    // The menu key on a snap-in opens the menu for its element.
    frame.MouseDown(MouseButton::Right, 0, 10, 100);
    menu()->hide();
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(frame.snapin(1), &key);
    EXPECT_TRUE(menuIsOpen());
    EXPECT_EQ(frame.selectedElement(), root->Item(2));
    menu()->hide();

    // Left presses belong to the snap-in; outside configuration mode right presses too.
    frame.MouseDown(MouseButton::Right, 0, 10, 100);
    menu()->hide();
    QTest::mousePress(frame.snapin(1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(frame.selectedElement(), root->Item(1));
    frame.setConfigMode(false);
    QTest::mousePress(frame.snapin(1), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_FALSE(menuIsOpen());
}

TEST_F(FrameEditingTest, CopyPullsParametersAndPasteBuildsTheCopy)
{
    const StdXMLNodePtr root = init(QStringLiteral("<COLS><ITEM control=\"Test.Recorder\"/><SPACE/></COLS>"));
    recorder(1)->text = QStringLiteral("<MERK a=\"1\"/>");
    recorder(1)->dirty = true;
    run(50, 100, QStringLiteral("Kopieren"));
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[LAYOUT]\r\n<ITEM control=\"Test.Recorder\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("<MERK a=\"1\"")));

    run(300, 100, QStringLiteral("Einfügen"));
    EXPECT_EQ(tagsOf(root), QStringLiteral("ITEM,ITEM,SPACE"));
    const StdXMLNodePtr pasted = root->Item(2);
    EXPECT_EQ(pasted->xml(), root->Item(1)->xml());
    ASSERT_NE(recorder(2), nullptr) << "the copy got its own snap-in";
    EXPECT_EQ(pasted->Comment, QStringLiteral("2"));
    EXPECT_TRUE(recorder(2)->text.contains(QStringLiteral("MERK")));
    EXPECT_TRUE(recorder(2)->isVisible) << "placed by the refresh";

    run(300, 100, QStringLiteral("Als Unterelement einfügen"));
    EXPECT_EQ(tagsOf(root->Item(3)), QStringLiteral("ITEM"));
    EXPECT_NE(recorder(3), nullptr);
}

TEST_F(FrameEditingTest, CutAndDeleteTearDownTheSnapins)
{
    const StdXMLNodePtr root =
        init(QStringLiteral("<COLS><ITEM control=\"Test.Recorder\"/><ITEM control=\"Test.Recorder\"/><SPACE/></COLS>"));
    dialogs->answerMsgBox(MsgBoxResult::No);
    run(50, 100, QStringLiteral("Löschen"));
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions().front().prompt, QStringLiteral("Wirklich löschen?"));
    EXPECT_EQ(dialogs->questions().front().title, QStringLiteral("Löschen"));
    EXPECT_EQ(dialogs->questions().front().flags & MsgBoxStyle::ButtonsMask, MsgBoxStyle::YesNo);
    EXPECT_EQ(tagsOf(root), QStringLiteral("ITEM,ITEM,SPACE"));

    dialogs->answerMsgBox(MsgBoxResult::Yes);
    run(50, 100, QStringLiteral("Löschen"));
    flushDeletes();
    EXPECT_EQ(tagsOf(root), QStringLiteral("ITEM,SPACE"));
    EXPECT_EQ(frame.snapin(1), nullptr);
    EXPECT_EQ(frame.snapinCount(), 1);

    recorder(2)->text = QStringLiteral("<GERETTET/>");
    recorder(2)->dirty = true;
    run(50, 100, QStringLiteral("Ausschneiden"));
    flushDeletes();
    EXPECT_EQ(tagsOf(root), QStringLiteral("SPACE"));
    EXPECT_EQ(frame.snapinCount(), 0);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("<GERETTET")));
    EXPECT_EQ(frame.selectedElement(), nullptr);
}

TEST_F(FrameEditingTest, SubElementsOfAContainerGoToItsNode)
{
    StdXML supplied;
    supplied.LoadXML(QStringLiteral("<X/>"));
    QObject::connect(frame.events(), &velkFrameControlEvents::LayoutNode, [&](const QString &layout, StdXMLNodePtr &nde) {
        if (layout == QStringLiteral("da"))
            nde = supplied.Root;
    });
    const StdXMLNodePtr root =
        init(QStringLiteral("<COLS><CONTAINER layout=\"da\"/><CONTAINER layout=\"fehlt\"/></COLS>"));
    run(300, 100, QStringLiteral("ITEM"), QStringLiteral("Unterelement einfügen"));
    EXPECT_EQ(tagsOf(root->Item(2)), QString());
    ASSERT_EQ(dialogs->questions().size(), 1u);
    EXPECT_EQ(dialogs->questions().front().prompt, QStringLiteral("Container-Sub-Knoten nicht definiert"));

    run(50, 100, QStringLiteral("MULTI"), QStringLiteral("Unterelement einfügen"));
    EXPECT_EQ(tagsOf(supplied.Root), QStringLiteral("MULTI"));
    EXPECT_EQ(tagsOf(root), QStringLiteral("CONTAINER,CONTAINER"));
    // The new element is laid out in the container's cell: a press there selects it.
    frame.MouseDown(MouseButton::Right, 0, 50, 100);
    EXPECT_EQ(frame.selectedElement(), supplied.Root->Item(1));
    menu()->hide();

    run(50, 100, QStringLiteral("TABS"), QStringLiteral("Element einfügen"));
    EXPECT_EQ(tagsOf(supplied.Root), QStringLiteral("TABS,MULTI"));
    EXPECT_NE(frame.tabBar(2), nullptr) << "the new TABS got its bar";
}

TEST_F(FrameEditingTest, PropertyDialogEditsAttributesAndRebuildsTheSnapin)
{
    const StdXMLNodePtr root = init(QStringLiteral("<COLS><ITEM control=\"Keine.Klasse\" caption=\"alt\"/><SPACE/></COLS>"));
    QStringList labels;
    QString title;
    dialogs->answerColor(QColor(1, 2, 3));
    dialogs->answerForm([&](QDialog &form) {
        title = form.windowTitle();
        for (QLabel *label : form.findChildren<QLabel *>())
            labels << label->text();
        form.findChild<QLineEdit *>(QStringLiteral("control"))->setText(QStringLiteral("Test.Recorder"));
        form.findChild<QLineEdit *>(QStringLiteral("caption"))->setText(QStringLiteral("Zitat \"<neu>\""));
        form.findChild<QComboBox *>(QStringLiteral("resizable"))->setCurrentText(QStringLiteral("false"));
        form.findChild<QPushButton *>(QStringLiteral("backcolorButton"))->click();
        form.accept();
    });
    run(50, 100, QStringLiteral("Eigenschaften…"));
    EXPECT_EQ(title, QStringLiteral("ITEM Eigenschaften"));
    EXPECT_TRUE(labels.contains(QStringLiteral("Control:")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Größe veränderbar:")));
    const StdXMLNodePtr item = root->Item(1);
    EXPECT_EQ(item->GetAttribute(QStringLiteral("caption")), QStringLiteral("Zitat \"<neu>\""));
    EXPECT_EQ(item->GetAttribute(QStringLiteral("resizable")), QStringLiteral("false"));
    EXPECT_EQ(item->GetAttribute(QStringLiteral("backcolor")), QStringLiteral("1,2,3"));
    EXPECT_FALSE(item->HasAttribute(QStringLiteral("parameter"))) << "empty rows write nothing";
    ASSERT_NE(recorder(2), nullptr) << "the new class was built";
    EXPECT_EQ(recorder(2)->backColor, rgbColor(1, 2, 3));

    dialogs->answerForm([](QDialog &form) {
        form.findChild<QLineEdit *>(QStringLiteral("caption"))->clear();
        form.reject();
    });
    run(50, 100, QStringLiteral("Eigenschaften…"));
    EXPECT_EQ(item->GetAttribute(QStringLiteral("caption")), QStringLiteral("Zitat \"<neu>\""));
    EXPECT_TRUE(dialogs->unanswered().empty());
}

TEST_F(FrameEditingTest, DraggingABoundaryMovesTheSnapinsLiveAndWritesOnRelease)
{
    const StdXMLNodePtr root = init(
        QStringLiteral("<COLS><ITEM control=\"Test.Recorder\" width=\"50%\"/><ITEM control=\"Test.Recorder\" width=\"50%\"/></COLS>"));
    EXPECT_EQ(frame.snapin(2)->x(), 205);
    frame.MouseMove(0, 0, 202, 150);
    EXPECT_EQ(frame.findChild<QWidget *>(QStringLiteral("Picture1"))->cursor().shape(), Qt::SizeHorCursor);

    frame.MouseDown(MouseButton::Left, 0, 202, 150);
    frame.MouseMove(MouseButton::Left, 0, 152, 150);
    EXPECT_EQ(frame.snapin(1)->width(), 150);
    EXPECT_EQ(frame.snapin(2)->x(), 155);
    EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("50%"));
    frame.MouseUp(MouseButton::Left, 0, 152, 150);
    EXPECT_EQ(root->Item(1)->GetAttribute(QStringLiteral("width")), QStringLiteral("37.5%"));
    EXPECT_EQ(root->Item(2)->GetAttribute(QStringLiteral("width")), QStringLiteral("62.5%"));
    EXPECT_EQ(frame.snapin(2)->x(), 155);

    // Away from any gap the pointer is the ordinary one, and a drag does nothing.
    frame.MouseMove(0, 0, 300, 150);
    EXPECT_EQ(frame.findChild<QWidget *>(QStringLiteral("Picture1"))->cursor().shape(), Qt::ArrowCursor);
    frame.MouseDown(MouseButton::Left, 0, 300, 150);
    frame.MouseMove(MouseButton::Left, 0, 250, 150);
    frame.MouseUp(MouseButton::Left, 0, 250, 150);
    EXPECT_EQ(frame.snapin(2)->x(), 155);
}

TEST_F(FrameEditingTest, EscapeCancelsABoundaryDragAndWritesNothing)
{
    const StdXMLNodePtr root = init(
        QStringLiteral("<COLS><ITEM control=\"Test.Recorder\" width=\"50%\"/><ITEM control=\"Test.Recorder\" width=\"50%\"/></COLS>"));
    const QString before = root->xml();
    frame.MouseDown(MouseButton::Left, 0, 202, 150);
    frame.MouseMove(MouseButton::Left, 0, 152, 150);
    ASSERT_EQ(frame.snapin(2)->x(), 155);

    QTest::keyClick(frame.snapin(1), Qt::Key_Escape); // wherever the focus is in the window
    EXPECT_EQ(frame.snapin(1)->width(), 200);
    EXPECT_EQ(frame.snapin(2)->x(), 205);
    // The button is still held: moving and releasing it change nothing.
    frame.MouseMove(MouseButton::Left, 0, 100, 150);
    frame.MouseUp(MouseButton::Left, 0, 100, 150);
    EXPECT_EQ(frame.snapin(2)->x(), 205);
    EXPECT_EQ(root->xml(), before);

    // Without a drag Escape stays with the widget that has it.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    escape.ignore();
    QCoreApplication::sendEvent(frame.snapin(1), &escape);
    EXPECT_FALSE(escape.isAccepted());
}
