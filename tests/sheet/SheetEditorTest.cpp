#include "SheetTestSupport.h"

#include <velk/sheet/SheetEditor_p.h>

#include "support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace velk;
using namespace sheettest;

namespace {

// Records the editing events in order.
struct EditLog
{
    explicit EditLog(velkSheet &sheet)
    {
        auto *events = sheet.events();
        QObject::connect(events, &velkSheetEvents::IsEditable, [this](int row, int col, bool &enable) {
            lines << QStringLiteral("IsEditable %1 %2").arg(row).arg(col);
            enable = allow;
        });
        QObject::connect(events, &velkSheetEvents::StartEdit, [this] { lines << QStringLiteral("StartEdit"); });
        QObject::connect(events, &velkSheetEvents::SaveEdit, [this] { lines << QStringLiteral("SaveEdit"); });
        QObject::connect(events, &velkSheetEvents::CancelEdit, [this] { lines << QStringLiteral("CancelEdit"); });
        QObject::connect(events, &velkSheetEvents::ShowLightEdit, [this](int row, int modus) {
            lines << QStringLiteral("ShowLightEdit %1 %2").arg(row).arg(modus);
        });
        QObject::connect(events, &velkSheetEvents::DropTreeEdit, [this](const QString &txt, int ind, int pos, int, int) {
            lines << QStringLiteral("DropTreeEdit %1 %2 %3").arg(txt).arg(ind).arg(pos);
        });
    }
    QStringList lines;
    bool allow = true;
};

QLineEdit *textBox(velkSheet &sheet)
{
    return sheet.findChild<QLineEdit *>(QStringLiteral("T_Edit"));
}

} // namespace

TEST(SheetEditor, F2EditsTheRowAndEnterSavesItWithTheFocusBackOnTheList)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect edit"));
    sheet->AddItem(QStringLiteral("Rechnung"));
    sheet->AddItem(QStringLiteral("Brief"));
    sheet->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
    sheet->setFocus();
    sheet->setSelectedIndex(2);
    EditLog log(*sheet);
    QTest::keyClick(sheet.get(), Qt::Key_F2);
    ASSERT_TRUE(sheet->EditMode());
    QLineEdit *edit = textBox(*sheet);
    EXPECT_EQ(edit->text(), QStringLiteral("Brief"));
    EXPECT_EQ(edit->cursorPosition(), 5);
    EXPECT_TRUE(edit->hasFocus());
    const QWidget *box = sheet->findChild<QWidget *>(QStringLiteral("P_Edit"));
    EXPECT_EQ(box->geometry().top(), int(std::lround(SheetInternals::layout(*sheet).rowBox(2)->y1 / 15.0)));

    QTest::keyClicks(edit, QStringLiteral("e"));
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier); // Shift+Enter does not save
    EXPECT_TRUE(sheet->EditMode());
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(sheet->EditMode());
    EXPECT_EQ(sheet->ListItem(2)->Text(), QStringLiteral("Briefe"));
    EXPECT_TRUE(sheet->findChild<QWidget *>(QStringLiteral("Picture1"))->hasFocus());
    EXPECT_EQ(log.lines, QStringList({"IsEditable 2 0", "StartEdit", "SaveEdit"}));

    QTest::keyClick(sheet.get(), Qt::Key_F2);
    QTest::keyClicks(textBox(*sheet), QStringLiteral("xyz"));
    QTest::keyClick(textBox(*sheet), Qt::Key_Escape);
    EXPECT_FALSE(sheet->EditMode());
    EXPECT_EQ(sheet->ListItem(2)->Text(), QStringLiteral("Briefe"));
    sheet->CancelEdit(); // nothing to cancel: no event
    sheet->SaveEdit();
    EXPECT_EQ(log.lines.mid(3), QStringList({"IsEditable 2 0", "StartEdit", "CancelEdit"}));
}

TEST(SheetEditor, TypingStartsEditingOnlyWhereTheFlagsAllow)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect"));
    sheet->AddItem(QStringLiteral("alt"));
    sheet->setSelectedIndex(1);
    QTest::keyClick(sheet.get(), Qt::Key_X);
    EXPECT_FALSE(sheet->EditMode()); // no "edit"
    QTest::keyClick(sheet.get(), Qt::Key_F2);
    EXPECT_FALSE(sheet->EditMode());

    sheet->setFlags(QStringLiteral("singleselect edit editonlyF2"));
    QTest::keyClick(sheet.get(), Qt::Key_X);
    EXPECT_FALSE(sheet->EditMode());
    QTest::keyClick(sheet.get(), Qt::Key_F2);
    EXPECT_TRUE(sheet->EditMode());
    sheet->CancelEdit();

    sheet->setFlags(QStringLiteral("singleselect edit"));
    QTest::keyClick(sheet.get(), 'N');
    ASSERT_TRUE(sheet->EditMode());
    EXPECT_EQ(textBox(*sheet)->text(), QStringLiteral("N")); // the typed character replaces the text
    sheet->SaveEdit();
    EXPECT_EQ(sheet->ListItem(1)->Text(), QStringLiteral("N"));

    EditLog log(*sheet);
    log.allow = false;
    sheet->StartEdit();
    EXPECT_FALSE(sheet->EditMode());
    EXPECT_EQ(log.lines, QStringList({"IsEditable 1 0"}));
    sheet->setSelectedIndex(0);
    sheet->StartEdit(); // no current row: nothing to edit
    EXPECT_EQ(log.lines.size(), 1);
}

TEST(SheetEditor, CellEditingChangesOnlyTheCurrentColumnAndOffersEditItems)
{
    auto sheet = makeSheet(QStringLiteral("Name:1500,Status:1200,Rest:*"), QStringLiteral("singleselect selectcolumn edit"));
    sheet->AddItem(QStringLiteral("Vertrag\toffen\tx"));
    sheet->setSelectedIndex(1);
    sheet->setSelectedCol(2);
    EditLog log(*sheet);
    sheet->setEditItems(QStringLiteral("offen,erledigt,in Prüfung"));
    sheet->StartEdit();
    auto *combo = sheet->findChild<QComboBox *>(QStringLiteral("Cmb_Edit"));
    ASSERT_TRUE(sheet->EditMode());
    EXPECT_FALSE(combo->isHidden());
    EXPECT_TRUE(textBox(*sheet)->isHidden());
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("offen"));
    const QWidget *box = sheet->findChild<QWidget *>(QStringLiteral("P_Edit"));
    EXPECT_EQ(box->geometry().left(), int(std::lround(sheet->GetColumnData(2)->x1 / 15.0)));
    combo->setCurrentIndex(1);
    sheet->SaveEdit();
    EXPECT_EQ(sheet->ListItem(1)->Text(), QStringLiteral("Vertrag\terledigt\tx"));
    EXPECT_EQ(log.lines, QStringList({"IsEditable 1 2", "StartEdit", "SaveEdit"}));

    sheet->setEditItems(QString());
    sheet->StartEdit();
    EXPECT_FALSE(textBox(*sheet)->isHidden());
    EXPECT_EQ(textBox(*sheet)->text(), QStringLiteral("erledigt"));
    sheet->CancelEdit();
}

TEST(SheetEditor, DropDownRowsHandTheTextToTheHostsTreePicker)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect edit"));
    sheet->AddItem(QStringLiteral("Akten"), QString(), 0, true);
    sheet->AddItem(QStringLiteral("Schlagwort"), QStringLiteral("##"), 1);
    QSignalSpy menus(sheet->events(), &velkSheetEvents::DropDownMenu);
    const SheetLayout layout = SheetInternals::layout(*sheet);
    const QRect button = layout.firstColumn(*sheet->ListItem(2), layout.rowBox(2)->y1).dropDown;
    QTest::mouseClick(sheet->findChild<QWidget *>(QStringLiteral("Picture1")), Qt::LeftButton, {},
                      button.center() / 15);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus[0][0].toInt(), 2);

    EditLog log(*sheet);
    sheet->setSelectedIndex(2);
    sheet->StartEdit();
    EXPECT_EQ(SheetInternals::editor(*sheet).tag(), QStringLiteral("2"));
    textBox(*sheet)->setText(QStringLiteral("Steuer"));
    sheet->SaveEdit();
    EXPECT_EQ(sheet->ListItem(2)->Text(), QStringLiteral("Schlagwort")); // the host decides
    sheet->StartEdit();
    textBox(*sheet)->clear();
    sheet->SaveEdit(); // nothing chosen: nothing handed on
    EXPECT_EQ(log.lines, QStringList({"IsEditable 2 0", "StartEdit", "DropTreeEdit Steuer 1 2", "IsEditable 2 0",
                                      "StartEdit"}));
}

TEST(SheetEditor, LightEditorOpensInTheOwnerDrawnAreaWithItsButtons)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect lightedit"));
    sheet->setOwnerDraw(500);
    sheet->AddItem(QStringLiteral("Notiz"));
    sheet->AddItem(QStringLiteral("zweite"));
    sheet->setSelectedIndex(1);
    EditLog log(*sheet);
    const SheetLayout::RowBox box = *SheetInternals::layout(*sheet).rowBox(1);
    QWidget *list = sheet->findChild<QWidget *>(QStringLiteral("Picture1"));
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(100, (box.y2 - 100) / 15));
    ASSERT_TRUE(sheet->EditMode());
    EXPECT_TRUE(SheetInternals::editor(*sheet).isLight());
    auto *cancel = sheet->findChild<QPushButton *>(QStringLiteral("B_LightCancel"));
    EXPECT_FALSE(cancel->isHidden());
    const QWidget *editBox = sheet->findChild<QWidget *>(QStringLiteral("P_Edit"));
    EXPECT_GT(editBox->geometry().top(), box.y1 / 15);
    cancel->click();
    EXPECT_FALSE(sheet->EditMode());
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(100, (box.y2 - 100) / 15));
    textBox(*sheet)->setText(QStringLiteral("neu"));
    sheet->findChild<QPushButton *>(QStringLiteral("B_LightSave"))->click();
    EXPECT_EQ(sheet->ListItem(1)->Text(), QStringLiteral("neu"));
    EXPECT_EQ(log.lines, QStringList({"IsEditable 1 0", "StartEdit", "ShowLightEdit 1 1", "CancelEdit",
                                      "ShowLightEdit 1 0", "IsEditable 1 0", "StartEdit", "ShowLightEdit 1 1",
                                      "SaveEdit", "ShowLightEdit 1 0"}));
}
