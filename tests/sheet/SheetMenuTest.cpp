#include "SheetTestSupport.h"

#include <velk/sheet/SheetEditor_p.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetState_p.h>

#include "support/TestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

// The popup menu and its header marker, and the smaller additions around them: the
// "background" flag, Expanded written directly, saving on focus loss, the fit width.

using namespace velk;
using namespace sheettest;

namespace {

QStringList entryTexts(velkSheet &sheet)
{
    QStringList texts;
    for (QAction *action : sheet.findChild<QMenu *>(QStringLiteral("menu_popup"))->actions())
        texts << action->objectName() + u'=' + action->text() + (action->isChecked() ? QStringLiteral("*") : QString());
    return texts;
}

const DrawOp *markerGlyph(const std::vector<DrawOp> &ops)
{
    for (const DrawOp &op : ops) {
        if (op.kind == DrawOp::Text && op.text == QLatin1String("6") && op.fontName == QLatin1String("Marlett"))
            return &op;
    }
    return nullptr;
}

} // namespace

TEST(SheetMenu, HostEntriesFollowTheColumnEntriesAndRaiseMenu)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,!Datum:1000"));
    sheet->AddMenu(QStringLiteral("checked:Fett"), QStringLiteral("bold"));
    sheet->AddMenu(QStringLiteral("Fett"), QStringLiteral("plain"));
    sheet->AddMenu(QStringLiteral("checked:"), QStringLiteral("bold"));
    EXPECT_EQ(entryTexts(*sheet), QStringList({"menu_column=Name*", "menu_column=Datum", "menu_item=Fett*",
                                               "menu_item=Fett", "menu_item=*"}));
    QSignalSpy menu(sheet->events(), &velkSheetEvents::Menu);
    const QList<QAction *> items = sheet->findChildren<QAction *>(QStringLiteral("menu_item"));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[1]->property("Index").toInt(), 2);
    items[0]->trigger();
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu[0][0].toString(), QStringLiteral("bold"));
    EXPECT_TRUE(items[0]->isChecked()); // the host decides the mark

    sheet->RemoveMenu(QStringLiteral("unknown"));
    EXPECT_EQ(sheet->findChildren<QAction *>(QStringLiteral("menu_item")).size(), 3);
    sheet->RemoveMenu(QStringLiteral("bold"));
    EXPECT_EQ(entryTexts(*sheet).mid(2), QStringList({"menu_item=Fett"}));
    sheet->AddMenu(QStringLiteral("Neu"), QStringLiteral("new"));
    EXPECT_EQ(sheet->findChildren<QAction *>(QStringLiteral("menu_item")).last()->property("Index").toInt(), 3);

    sheet->setColumns(QStringLiteral("Titel:*")); // the host entries stay behind the new columns
    EXPECT_EQ(entryTexts(*sheet), QStringList({"menu_column=Titel*", "menu_item=Fett", "menu_item=Neu"}));
    sheet->ClearMenu();
    EXPECT_EQ(entryTexts(*sheet), QStringList({"menu_column=Titel*"}));
}

TEST(SheetMenu, TheHeaderMarkerShowsWhileTheMenuIsOfferedAndOpensIt)
{
    auto sheet = makeSheet(QStringLiteral("Name:*"));
    EXPECT_EQ(markerGlyph(paintHeader(*sheet)), nullptr); // one column, no host entry
    sheet->AddMenu(QStringLiteral("Öffnen"), QStringLiteral("open"));
    const auto ops = paintHeader(*sheet);
    const DrawOp *glyph = markerGlyph(ops);
    ASSERT_NE(glyph, nullptr);
    const QRect marker = SheetInternals::state(*sheet).frame().headerMarker;
    EXPECT_EQ(marker.right() + 1, 400 * 15 - 2 * 15); // the right end, inside the border
    EXPECT_GE(glyph->rect.left(), marker.left());
    EXPECT_LE(glyph->rect.right(), marker.right() + 1);

    auto *popup = sheet->findChild<QMenu *>(QStringLiteral("menu_popup"));
    SheetInput &input = SheetInternals::input(*sheet);
    input.HeaderMouseDown(1, 0, marker.left() - 300, 60); // a caption: no menu
    EXPECT_FALSE(popup->isVisible());
    input.HeaderMouseDown(1, 0, marker.center().x(), 60);
    EXPECT_TRUE(popup->isVisible());
    popup->close();
    input.HeaderMouseDown(2, 0, 500, 60);
    EXPECT_TRUE(popup->isVisible());
    popup->close();

    sheet->setFlags(QStringLiteral("nopulldown"));
    EXPECT_EQ(markerGlyph(paintHeader(*sheet)), nullptr);
    input.HeaderMouseDown(2, 0, 500, 60);
    EXPECT_FALSE(popup->isVisible());
}

TEST(SheetMenu, TheMenuKeyAndShiftF10OpenTheMenuBelowTheCurrentRowOrTheHeader)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Datum:1000"), QStringLiteral("singleselect"));
    for (const char *name : {"Rechnung", "Brief", "Notiz"})
        sheet->AddItem(QString::fromLatin1(name));
    sheet->setSelectedIndex(2);
    auto *popup = sheet->findChild<QMenu *>(QStringLiteral("menu_popup"));
    QWidget *list = sheet->findChild<QWidget *>(QStringLiteral("Picture1"));
    QWidget *header = sheet->findChild<QWidget *>(QStringLiteral("P_Header"));

    QTest::keyClick(sheet.get(), Qt::Key_Menu);
    ASSERT_TRUE(popup->isVisible());
    const int rowBottom = SheetInternals::layout(*sheet).rowBox(2)->y2 / 15;
    EXPECT_EQ(popup->pos(), list->mapToGlobal(QPoint(0, rowBottom)));
    EXPECT_EQ(entryTexts(*sheet), QStringList({"menu_column=Name*", "menu_column=Datum*"}));
    popup->close();
    EXPECT_EQ(sheet->SelectedIndex(), 2); // the key changes no row

    sheet->setSelectedIndex(0);
    QTest::keyClick(sheet.get(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->pos(), header->mapToGlobal(QPoint(0, header->height())));
    popup->close();
    QTest::keyClick(sheet.get(), Qt::Key_F10);
    EXPECT_FALSE(popup->isVisible());

    // Without an offered menu the key is left to others.
    sheet->setFlags(QStringLiteral("singleselect nopulldown"));
    EXPECT_FALSE(SheetInternals::input(*sheet).KeyDown(KeyCode::Apps, 0));
    EXPECT_FALSE(popup->isVisible());
}

TEST(SheetPainter, BackgroundFillsRightOfTheColumnsAndBelowTheRows)
{
    auto sheet = makeSheet(QStringLiteral("Name:1500,Datum:1000"), QStringLiteral("background singleselect"));
    sheet->AddItem(QStringLiteral("a\tb"));
    sheet->AddItem(QStringLiteral("c\td"));
    sheet->setSelectedIndex(1);
    const SheetLayout layout = SheetInternals::layout(*sheet);
    const int right = layout.columns().rightEdge();
    const int rowsEnd = layout.rowBox(2)->y2;
    bool rightFilled = false;
    bool belowFilled = false;
    for (const DrawOp &op : paintList(*sheet)) {
        if (op.kind != DrawOp::FilledBox)
            continue;
        if (op.fillColor == SystemColor::ButtonFace) {
            rightFilled = rightFilled || (op.rect.left() == right && op.rect.top() <= layout.rowBox(1)->y1);
            belowFilled = belowFilled || (op.rect.left() == 0 && op.rect.top() == rowsEnd);
        } else if (op.fillColor == SystemColor::Highlight) {
            EXPECT_LE(op.rect.right(), right); // the selection stops at the columns
        }
    }
    EXPECT_TRUE(rightFilled);
    EXPECT_TRUE(belowFilled);

    sheet->setFlags(QStringLiteral("singleselect"));
    for (const DrawOp &op : paintList(*sheet))
        EXPECT_FALSE(op.kind == DrawOp::FilledBox && op.fillColor == SystemColor::ButtonFace);
}

TEST(SheetTree, ExpandedWrittenDirectlyIsSeenByKeysAndPaintingWithoutRefresh)
{
    auto sheet = makeSheet();
    sheet->AddItem(QStringLiteral("Akten"), QString(), 0, true);
    sheet->AddItem(QStringLiteral("2024"), QString(), 1);
    sheet->AddItem(QStringLiteral("2025"), QString(), 1);
    sheet->AddItem(QStringLiteral("Briefe"));
    sheet->setSelectedIndex(1);
    EXPECT_EQ(SheetInternals::layout(*sheet).rows().size(), 4u);
    sheet->ListItem(1)->Expanded = false;
    EXPECT_EQ(SheetInternals::layout(*sheet).rows().size(), 2u);
    EXPECT_FALSE(sheet->ListItem(2)->Visible());
    SheetInternals::input(*sheet).KeyDown(40, 0);
    EXPECT_EQ(sheet->SelectedIndex(), 4);
    sheet->ListItem(1)->Expanded = true;
    const QStringList texts = printed(paintList(*sheet));
    EXPECT_TRUE(texts.contains(QStringLiteral("2025")));
    // A copy of the flag is only a value: writing it leaves the row alone.
    SheetExpanded copy = sheet->ListItem(1)->Expanded;
    copy = false;
    EXPECT_TRUE(sheet->ListItem(1)->Expanded);
}

TEST(SheetEditor, SavesOnceWhenTheFocusMovesToAnotherWidget)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *sheet = new velkSheet(&window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(sheet);
    layout->addWidget(other);
    sheet->setFlags(QStringLiteral("singleselect edit lightedit"));
    sheet->AddItem(QStringLiteral("Rechnung"));
    sheet->setSelectedIndex(1);
    window.resize(400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy saves(sheet->events(), &velkSheetEvents::SaveEdit);

    ASSERT_TRUE(SheetInternals::editor(*sheet).start(QString(), true)); // the light editor has buttons
    auto *text = sheet->findChild<QLineEdit *>(QStringLiteral("T_Edit"));
    QTest::keyClicks(text, QStringLiteral("en"));
    sheet->findChild<QWidget *>(QStringLiteral("B_LightCancel"))->setFocus(); // inside the editor
    EXPECT_TRUE(sheet->EditMode());
    other->setFocus();
    EXPECT_FALSE(sheet->EditMode());
    EXPECT_EQ(saves.count(), 1);
    EXPECT_EQ(sheet->ListItem(1)->Text(), QStringLiteral("Rechnungen"));
    EXPECT_TRUE(other->hasFocus()); // the focus stays where it went
    sheet->setFocus();
    EXPECT_EQ(saves.count(), 1);
}

TEST(SheetInput, FitWidthMeasuresSmallListsWhollyAndFindsOneLongRowInAMillion)
{
    auto sheet = makeSheet(QStringLiteral("Name:500,Rest:*"));
    sheet->AddItem(QStringLiteral("kurz"), QString(), 0, true);
    sheet->AddItem(QStringLiteral("etwas länger"), QString(), 3);
    SheetInput &input = SheetInternals::input(*sheet);
    input.fitColumnWidth(1);
    Canvas measure;
    measure.setFont(sheet->font());
    const int expected = 3 * 300 + int(measure.TextWidth(QStringLiteral("etwas länger"))) + 50;
    EXPECT_EQ(sheet->GetColumnData(1)->Width, expected);

    sheet->Clear();
    sheet->setRedraw(false);
    const QString longText = QStringLiteral("Ein Titel, der viel länger ist als alle anderen");
    for (int k = 1; k <= 1000000; ++k)
        sheet->AddItem(k == 700000 ? longText : QStringLiteral("Zeile %1").arg(k % 100));
    sheet->setRedraw(true);
    input.fitColumnWidth(1);
    EXPECT_EQ(sheet->GetColumnData(1)->Width, int(measure.TextWidth(longText)) + 50);
}
