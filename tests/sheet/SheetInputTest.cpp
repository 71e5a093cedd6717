#include "SheetTestSupport.h"

#include <velk/common/StdRegistry.h>
#include <velk/platform/Input.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/SheetKeys_p.h>
#include <velk/sheet/SheetModel_p.h>

#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

using namespace velk;
using namespace sheettest;

namespace {

QWidget *listOf(velkSheet &sheet)
{
    return sheet.findChild<QWidget *>(QStringLiteral("Picture1"));
}

void click(velkSheet &sheet, int pos, int col = 1, Qt::KeyboardModifiers modifiers = {},
           Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(listOf(sheet), button, modifiers, cellPixel(sheet, pos, col));
}

QList<int> selectedRows(velkSheet &sheet)
{
    QList<int> rows;
    for (int pos = 1; pos <= sheet.Count(); ++pos) {
        if (sheet.ListItem(pos)->Selected)
            rows << pos;
    }
    return rows;
}

// 1 Akten (collapsed)  2 Briefe (hidden)  3 2024 (hidden)  4 Rechnungen  5 offen  6 Vorlagen (collapsed)  7 leer (hidden)
std::unique_ptr<velkSheet> treeSheet(const QString &flags = QStringLiteral("singleselect"))
{
    auto sheet = makeSheet(QString(), flags);
    const struct
    {
        const char *text;
        int indent;
        bool expanded;
    } rows[] = {{"Akten", 0, false},      {"Briefe", 1, true}, {"2024", 2, false}, {"Rechnungen", 0, true},
                {"offen", 1, false}, {"Vorlagen", 0, false}, {"leer", 1, false}};
    for (const auto &r : rows)
        sheet->AddItem(QString::fromLatin1(r.text), QString(), r.indent, r.expanded);
    return sheet;
}

std::unique_ptr<velkSheet> flatSheet(int rows, const QString &flags = QStringLiteral("singleselect"))
{
    auto sheet = makeSheet(QString(), flags);
    for (int k = 1; k <= rows; ++k)
        sheet->AddItem(QStringLiteral("Zeile %1").arg(k));
    return sheet;
}

} // namespace

TEST(SheetInput, ArrowKeysWalkTheShownRowsAndStopAtTheEnds)
{
    auto sheet = treeSheet();
    QSignalSpy clicks(sheet->events(), &velkSheetEvents::Click);
    sheet->setSelectedIndex(1);
    QList<int> visited;
    for (int k = 0; k < 4; ++k) {
        QTest::keyClick(sheet.get(), Qt::Key_Down);
        visited << sheet->SelectedIndex();
    }
    EXPECT_EQ(visited, QList<int>({4, 5, 6, 6}));
    EXPECT_EQ(clicks.count(), 1 + 3); // nothing happens at the end

    QTest::keyClick(sheet.get(), Qt::Key_Up);
    EXPECT_EQ(sheet->SelectedIndex(), 5);
    QTest::keyClick(sheet.get(), Qt::Key_Home);
    EXPECT_EQ(sheet->SelectedIndex(), 1);
    QTest::keyClick(sheet.get(), Qt::Key_Up);
    EXPECT_EQ(sheet->SelectedIndex(), 1);
    QTest::keyClick(sheet.get(), Qt::Key_End); // the last shown row, not the hidden one under it
    EXPECT_EQ(sheet->SelectedIndex(), 6);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({6}));

    QSignalSpy expands(sheet->events(), &velkSheetEvents::expand);
    QTest::keyClick(sheet.get(), Qt::Key_Right);
    EXPECT_TRUE(sheet->ListItem(6)->Expanded);
    QTest::keyClick(sheet.get(), Qt::Key_Down);
    EXPECT_EQ(sheet->SelectedIndex(), 7);
    QTest::keyClick(sheet.get(), Qt::Key_Up);
    QTest::keyClick(sheet.get(), Qt::Key_Left);
    EXPECT_FALSE(sheet->ListItem(6)->Expanded);
    EXPECT_EQ(expands.count(), 0); // the keyboard path raises no expand
}

TEST(SheetInput, PageKeysMoveAPageAndClampToTheList)
{
    auto sheet = flatSheet(200);
    const int page = sheet->VisibleLines();
    ASSERT_GT(page, 3);
    QTest::keyClick(sheet.get(), Qt::Key_PageDown); // no current row: row 1
    EXPECT_EQ(sheet->SelectedIndex(), 1);
    QTest::keyClick(sheet.get(), Qt::Key_PageDown);
    EXPECT_EQ(sheet->SelectedIndex(), 1 + page);
    EXPECT_EQ(sheet->TopIndex(), 2); // made visible at the bottom
    sheet->setSelectedIndex(198);
    QTest::keyClick(sheet.get(), Qt::Key_PageDown);
    EXPECT_EQ(sheet->SelectedIndex(), 200);
    sheet->setSelectedIndex(3);
    QTest::keyClick(sheet.get(), Qt::Key_PageUp);
    EXPECT_EQ(sheet->SelectedIndex(), 1);
    EXPECT_EQ(sheet->TopIndex(), 1);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({1}));
}

TEST(SheetInput, ShiftArrowsGrowAndShrinkAMultiSelection)
{
    auto sheet = flatSheet(6, QStringLiteral("multiselect"));
    sheet->setSelectedIndex(2);
    QTest::keyClick(sheet.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(sheet.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({2, 3, 4}));
    QTest::keyClick(sheet.get(), Qt::Key_Up, Qt::ShiftModifier); // back onto a selected row
    EXPECT_EQ(selectedRows(*sheet), QList<int>({2, 3}));
    QTest::keyClick(sheet.get(), Qt::Key_Down);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({4}));
}

TEST(SheetInput, CellCursorMovesOverShownColumns)
{
    auto sheet = makeSheet(QStringLiteral("A:1500,B:1500,!C:1500,D:1500,E:*"), QStringLiteral("selectcolumn"));
    sheet->AddItem(QStringLiteral("a\tb\tc\td\te"));
    sheet->setSelectedIndex(1);
    QSignalSpy columns(sheet->events(), &velkSheetEvents::ClickCol);
    sheet->setSelectedCol(2);
    QTest::keyClick(sheet.get(), Qt::Key_Right);
    EXPECT_EQ(sheet->SelectedCol(), 4); // C is hidden
    QTest::keyClick(sheet.get(), Qt::Key_End);
    EXPECT_EQ(sheet->SelectedCol(), 5);
    QTest::keyClick(sheet.get(), Qt::Key_Left);
    QTest::keyClick(sheet.get(), Qt::Key_Left);
    EXPECT_EQ(sheet->SelectedCol(), 2); // column 1 only with "selectcolumn1"
    QTest::keyClick(sheet.get(), Qt::Key_Left);
    EXPECT_EQ(sheet->SelectedCol(), 2);
    QTest::keyClick(sheet.get(), Qt::Key_Home);
    EXPECT_EQ(sheet->SelectedCol(), 1);
    EXPECT_EQ(columns.count(), 5);
    EXPECT_EQ(columns.last().at(0).toInt(), 1);
}

TEST(SheetInput, NoArrowKeysLeavesTheListKeysAlone)
{
    auto sheet = flatSheet(5, QStringLiteral("singleselect"));
    sheet->setSelectedIndex(2);
    QSignalSpy deletes(sheet->events(), &velkSheetEvents::Delete);
    QTest::keyClick(sheet.get(), Qt::Key_Delete);
    EXPECT_EQ(deletes.count(), 1);
    sheet->setFlags(QStringLiteral("singleselect noarrowkeys edit"));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Delete})
        QTest::keyClick(sheet.get(), key);
    EXPECT_EQ(sheet->SelectedIndex(), 2);
    EXPECT_EQ(deletes.count(), 1);
    QTest::keyClick(sheet.get(), Qt::Key_F2);
    EXPECT_TRUE(sheet->EditMode());
}

TEST(SheetInput, MouseSelectsWithAnchorShiftRangesAndCtrl)
{
    auto sheet = flatSheet(8, QStringLiteral("multiselect"));
    QSignalSpy clicks(sheet->events(), &velkSheetEvents::Click);
    click(*sheet, 3);
    EXPECT_EQ(clicks.count(), 1);
    click(*sheet, 6, 1, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({3, 4, 5, 6}));
    click(*sheet, 1, 1, Qt::ShiftModifier); // the anchor stays at 3
    EXPECT_EQ(selectedRows(*sheet), QList<int>({1, 2, 3}));
    EXPECT_EQ(sheet->SelectedIndex(), 1);
    click(*sheet, 7, 1, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({1, 2, 3, 7}));
    click(*sheet, 5);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({5}));
    EXPECT_EQ(clicks.count(), 5);

    sheet->setFlags(QStringLiteral("multiselectsimple"));
    click(*sheet, 2);
    click(*sheet, 5); // toggles off
    EXPECT_EQ(selectedRows(*sheet), QList<int>({2}));

    sheet->setFlags(QStringLiteral("singleselect"));
    click(*sheet, 4);
    click(*sheet, 4, 1, Qt::ShiftModifier);
    EXPECT_EQ(selectedRows(*sheet), QList<int>({4}));
}

TEST(SheetInput, ClicksOnCellsRaiseTheirEvents)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Wert:1000e,Ok:600b,Text:*"),
                           QStringLiteral("singleselect selectcolumn richtext"));
    sheet->AddItem(QStringLiteral("eins\t40\t1\t<A open:7>Dok</A>"));
    sheet->AddItem(QStringLiteral("zwei\t\t2"));
    QStringList seen;
    auto *events = sheet->events();
    QObject::connect(events, &velkSheetEvents::Click, [&] { seen << QStringLiteral("Click %1").arg(sheet->SelectedIndex()); });
    QObject::connect(events, &velkSheetEvents::ClickCol, [&](int col) { seen << QStringLiteral("ClickCol %1").arg(col); });
    QObject::connect(events, &velkSheetEvents::SetEval, [&](int row, int value) { seen << QStringLiteral("SetEval %1 %2").arg(row).arg(value); });
    QObject::connect(events, &velkSheetEvents::Menu, [&](const QString &cmd) { seen << QStringLiteral("Menu ") + cmd; });
    QObject::connect(events, &velkSheetEvents::DblClick, [&](int row, int col) { seen << QStringLiteral("DblClick %1 %2").arg(row).arg(col); });
    QObject::connect(events, &velkSheetEvents::ContextMenu, [&](int row) { seen << QStringLiteral("ContextMenu %1").arg(row); });
    QObject::connect(events, &velkSheetEvents::SetCheck, [&](int row, int col, bool &enable) {
        seen << QStringLiteral("SetCheck %1 %2 %3").arg(row).arg(col).arg(enable);
        enable = row == 1;
    });

    click(*sheet, 1, 1); // column 1 is not a cell to select without "selectcolumn1"
    const int x1 = sheet->GetColumnData(2)->x1;
    const int y = cellPixel(*sheet, 1, 2).y();
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, QPoint((x1 + 60 + 480 + 40) / 15, y));
    click(*sheet, 1, 3);
    click(*sheet, 2, 3);
    click(*sheet, 1, 4);
    click(*sheet, 2, 4);
    QTest::mouseDClick(listOf(*sheet), Qt::LeftButton, {}, cellPixel(*sheet, 2, 1));
    click(*sheet, 1, 1, {}, Qt::RightButton);
    EXPECT_EQ(seen, QStringList({"Click 1", "SetEval 1 80", "SetCheck 1 3 1", "SetCheck 2 3 0", "Menu open:7",
                                 "ClickCol 4", "Click 2", "DblClick 2 1", "Click 1", "ContextMenu 1"}));
    EXPECT_EQ(sheet->ListItem(1)->GetSubText(3), QStringLiteral("2"));
    EXPECT_EQ(sheet->ListItem(2)->GetSubText(3), QStringLiteral("1")); // the host's answer counts
}

TEST(SheetInput, CheckBoxesAndExpandBoxesAnswerClicks)
{
    auto sheet = makeSheet(QString(), QStringLiteral("singleselect"));
    sheet->setLeftMargin(250);
    sheet->AddItem(QStringLiteral("Akten"), QString(), 0, true, 0, QString(), 1);
    sheet->AddItem(QStringLiteral("Brief"), QString(), 1, false, 0, QString(), 2);
    sheet->AddItem(QStringLiteral("ohne"));
    QList<QList<int>> checked;
    bool overrule = false;
    QObject::connect(sheet->events(), &velkSheetEvents::Checked, [&](int row, int pre, int &state) {
        checked << QList<int>{row, pre, state};
        if (overrule)
            state = pre;
    });
    QSignalSpy clicks(sheet->events(), &velkSheetEvents::Click);
    QSignalSpy expands(sheet->events(), &velkSheetEvents::expand);
    auto boxPixel = [&](int pos) {
        const SheetLayout layout = SheetInternals::layout(*sheet);
        const QRect box = layout.firstColumn(*sheet->ListItem(pos), layout.rowBox(pos)->y1).checkBox;
        return QPoint(box.center().x() / 15, box.center().y() / 15);
    };
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, boxPixel(1));
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, boxPixel(2));
    overrule = true;
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, boxPixel(2));
    EXPECT_EQ(checked, QList<QList<int>>({{1, 1, 2}, {2, 2, 1}, {2, 1, 2}}));
    EXPECT_EQ(sheet->ListItem(1)->CheckState, 2);
    EXPECT_EQ(sheet->ListItem(2)->CheckState, 1);
    EXPECT_EQ(clicks.count(), 0);
    const QPoint noBox = boxPixel(2) + QPoint(0, SheetInternals::layout(*sheet).rowBox(3)->y1 / 15 - SheetInternals::layout(*sheet).rowBox(2)->y1 / 15);
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, noBox); // CheckState 0: a plain row click
    EXPECT_EQ(sheet->SelectedIndex(), 3);
    EXPECT_EQ(checked.size(), 3);

    const SheetLayout layout = SheetInternals::layout(*sheet);
    const QRect expander = layout.firstColumn(*sheet->ListItem(1), layout.rowBox(1)->y1).expandBox;
    QTest::mouseClick(listOf(*sheet), Qt::LeftButton, {}, expander.center() / 15);
    EXPECT_FALSE(sheet->ListItem(1)->Expanded);
    EXPECT_EQ(expands.count(), 1);
    EXPECT_EQ(expands.last().at(0).toInt(), 1);
    EXPECT_EQ(SheetInternals::layout(*sheet).rowBox(2), nullptr);
}

TEST(SheetInput, HeaderEdgesResizeColumnsWithoutDrift)
{
    RegSetString(1, QStringLiteral("Software\\velk\\Test"), QStringLiteral("Breiten"), QString());
    auto sheet = makeSheet(QStringLiteral("Name:2000,Betrag:1000,Rest:*"));
    sheet->setColumnsRegistry(QStringLiteral("Software\\velk\\Test\\Breiten"));
    SheetInput &input = SheetInternals::input(*sheet);
    QWidget *header = sheet->findChild<QWidget *>(QStringLiteral("P_Header"));
    const int y = sheet->headerHeight() / 2;
    const int edge = sheet->GetColumnData(2)->x2; // 3050

    input.HeaderMouseMove(0, 0, edge + 150, y);
    EXPECT_EQ(input.resizeColumn(), 0);
    input.HeaderMouseMove(0, 0, edge + 90, y);
    EXPECT_EQ(input.resizeColumn(), 2);
    EXPECT_EQ(header->cursor().shape(), Qt::SizeHorCursor);

    QSignalSpy widths(sheet->events(), &velkSheetEvents::SetColumnWidth);
    input.HeaderMouseDown(1, 0, edge + 90, y); // starts a resize: no ColumnClick
    input.HeaderMouseMove(1, 0, edge + 390, y);
    EXPECT_EQ(sheet->GetColumnData(2)->Width, 1300);
    input.HeaderMouseMove(1, 0, edge - 2000, y);
    EXPECT_EQ(sheet->GetColumnData(2)->Width, 100);
    input.HeaderMouseMove(1, 0, edge - 1800, y);
    EXPECT_EQ(sheet->GetColumnData(2)->Width, 100);
    // The pointer keeps its place 90 right of the edge: no drift from the narrowest width.
    const int x1 = sheet->GetColumnData(2)->x1;
    input.HeaderMouseMove(1, 0, x1 + 300 + 90, y);
    EXPECT_EQ(sheet->GetColumnData(2)->Width, 300);
    input.HeaderMouseUp(1, 0, x1 + 300 + 90, y);
    EXPECT_EQ(widths.count(), 1);
    EXPECT_EQ(RegGetString(1, QStringLiteral("Software\\velk\\Test"), QStringLiteral("Breiten")),
              QStringLiteral("Name:2000,Betrag:300,Rest:*"));

    const int restEdge = sheet->GetColumnData(3)->x2;
    input.HeaderMouseMove(0, 0, restEdge - 10, y);
    input.HeaderMouseMove(1, 0, restEdge - 500, y);
    EXPECT_EQ(sheet->GetColumnData(3)->Width, -1); // "*" is never dragged

    sheet->setFlags(QStringLiteral("fixedcolsize"));
    input.HeaderMouseMove(0, 0, edge, y);
    EXPECT_EQ(input.resizeColumn(), 0);
    EXPECT_NE(header->cursor().shape(), Qt::SizeHorCursor);
}

TEST(SheetInput, HeaderClicksSortAndDoubleClicksFitTheWidth)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Betrag:600,Rest:*"), QStringLiteral("richtext"));
    sheet->AddItem(QStringLiteral("a\t1,00"));
    sheet->AddItem(QStringLiteral("b\t^1.234.567,00"));
    sheet->AddItem(QStringLiteral("c\t9.999.999.999,99"), QString(), 1); // hidden under "b"
    QWidget *header = sheet->findChild<QWidget *>(QStringLiteral("P_Header"));
    QSignalSpy columnClicks(sheet->events(), &velkSheetEvents::ColumnClick);
    const int y = sheet->headerHeight() / 30;
    QTest::mouseClick(header, Qt::LeftButton, {}, QPoint(2300 / 15, y));
    ASSERT_EQ(columnClicks.count(), 1);
    EXPECT_EQ(columnClicks[0][0].toInt(), 2);

    SheetInternals::input(*sheet).HeaderDblClick(2300, y * 15);
    Canvas measure;
    measure.setFont(sheet->font());
    measure.setFontBold(true);
    EXPECT_EQ(sheet->GetColumnData(2)->Width, int(measure.TextWidth(QStringLiteral("1.234.567,00"))) + 100);
}

TEST(SheetInput, ScrollingByTopIndexEnsureVisibleAndTheWheel)
{
    auto sheet = flatSheet(100);
    const int page = sheet->VisibleLines();
    sheet->setTopIndex(500);
    EXPECT_EQ(sheet->TopIndex(), SheetInternals::state(*sheet).scrollValue());
    EXPECT_EQ(SheetInternals::layout(*sheet).rows().back().pos, 100); // as far as the list scrolls
    sheet->setTopIndex(-3);
    EXPECT_EQ(sheet->TopIndex(), 1);
    sheet->EnsureVisible(50);
    EXPECT_EQ(SheetInternals::layout(*sheet).rowBox(50) != nullptr, true);
    const int top = sheet->TopIndex();
    sheet->EnsureVisible(top + 1);
    EXPECT_EQ(sheet->TopIndex(), top);
    sheet->EnsureVisible(10);
    EXPECT_EQ(sheet->TopIndex(), 10);
    EXPECT_GT(page, 5);

    sheet->ScrollWheel(0, -120, 0, 0);
    EXPECT_EQ(sheet->TopIndex(), 10 + QApplication::wheelScrollLines());
    sheet->ScrollWheel(0, 60, 0, 0); // half a notch waits for the other half
    EXPECT_EQ(sheet->TopIndex(), 10 + QApplication::wheelScrollLines());
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 60), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(listOf(*sheet), &wheel);
    EXPECT_EQ(sheet->TopIndex(), 10);

    sheet->Query(QStringLiteral("(x)"), 1);
    EXPECT_EQ(SheetInternals::state(*sheet).scrollValue(), 1);
}

TEST(SheetInput, EndOnALargeTreeLandsOnTheLastShownRow)
{
    auto sheet = makeSheet();
    SheetModel &model = SheetInternals::state(*sheet).model();
    for (int k = 0; k < 200000; ++k)
        model.addItem(QStringLiteral("x"), QString(), k % 100 == 0 ? 0 : 1, false);
    sheet->Refresh();
    sheet->setSelectedIndex(1);
    QTest::keyClick(sheet.get(), Qt::Key_End);
    EXPECT_EQ(sheet->SelectedIndex(), 199901);
    QTest::keyClick(sheet.get(), Qt::Key_Up);
    EXPECT_EQ(sheet->SelectedIndex(), 199801);
    QTest::keyClick(sheet.get(), Qt::Key_PageUp);
    EXPECT_EQ(sheet->SelectedIndex(), 199801 - 100 * sheet->VisibleLines());
    QTest::keyClick(sheet.get(), Qt::Key_End);
    EXPECT_EQ(SheetInternals::layout(*sheet).rows().back().pos, 199901);
}
