#include <velk/common/StdRegistry.h>
#include <velk/controls/velkIcon.h>
#include <velk/platform/ControlFactory.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

#include <QSignalSpy>

using namespace velk;

// SelectedItems sees Selected however it was set, also written directly on the rows.
TEST(velkSheet, SelectedItemsHoldTheSelectedRowsInOrder)
{
    velkSheet sheet;
    sheet.setFlags(QStringLiteral("multiselect"));
    for (int k = 1; k <= 10; ++k)
        sheet.AddItem(QString::number(k));
    const auto texts = [&sheet] {
        QStringList list;
        for (const velkSheet::RowPtr &row : sheet.SelectedItems())
            list << row->Text();
        return list;
    };
    sheet.SelectAll();
    EXPECT_EQ(texts().size(), 10);
    for (int k : {1, 2, 4, 5, 6, 7, 9, 10})
        sheet.ListItem(k)->Selected = false;
    EXPECT_EQ(texts(), QStringList({"3", "8"}));
    sheet.ListItem(5)->Selected = true;
    EXPECT_EQ(texts(), QStringList({"3", "5", "8"}));
    sheet.Unselect();
    sheet.ListItem(10)->Selected = true;
    sheet.ListItem(2)->Selected = true;
    EXPECT_EQ(texts(), QStringList({"2", "10"}));
    EXPECT_EQ(sheet.SelectedItems().Count(), sheet.SelectedCount());
}

TEST(velkSheet, SelectedIndexRaisesClickAsTheModeAllows)
{
    velkSheet sheet;
    for (int k = 1; k <= 3; ++k)
        sheet.AddItem(QString::number(k));
    QSignalSpy clicks(sheet.events(), &velkSheetEvents::Click);

    sheet.setSelectedIndex(2);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(sheet.Selected()->Selected); // mode 0 selects nothing
    sheet.setSelectedIndex(2);
    EXPECT_EQ(clicks.count(), 2);

    sheet.setFlags(QStringLiteral("singleselect"));
    sheet.setSelectedIndex(3);
    EXPECT_EQ(clicks.count(), 3);
    sheet.setSelectedIndex(3); // the same row again in mode 1 does nothing
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(sheet.SelectedCount(), 1);
    ASSERT_EQ(sheet.SelectedItems().Count(), 1);
    EXPECT_EQ((*sheet.SelectedItems().Item(1))->Text(), QStringLiteral("3"));

    sheet.setSelectedIndex(9); // out of range: no current row
    EXPECT_EQ(sheet.SelectedIndex(), 0);
    EXPECT_EQ(sheet.Selected(), nullptr);
    EXPECT_EQ(sheet.SelectedCount(), 0);

    sheet.setFlags(QStringLiteral("singleselect alwaysselect"));
    sheet.setSelectedIndex(1);
    const int before = clicks.count();
    sheet.setSelectedIndex(0);
    sheet.setSelectedIndex(4);
    EXPECT_EQ(sheet.SelectedIndex(), 1);
    EXPECT_EQ(clicks.count(), before);
}

TEST(velkSheet, RequestedRowsAreFilledWhenMadeCurrent)
{
    velkSheet sheet;
    sheet.setCount(5); // without "requestdata" nothing happens
    EXPECT_EQ(sheet.Count(), 0);

    sheet.setFlags(QStringLiteral("requestdata"));
    sheet.AddItem(QStringLiteral("old"));
    sheet.setCount(4);
    ASSERT_EQ(sheet.Count(), 4);
    const auto third = sheet.ListItem(3);
    EXPECT_EQ(third->Text(), QStringLiteral("."));
    EXPECT_FALSE(third->Init);
    EXPECT_EQ(third->y1(), -1);
    EXPECT_EQ(third->PrevSibling(), sheet.ListItem(2).get());
    EXPECT_EQ(third->NextSibling(), sheet.ListItem(4).get());

    QStringList order;
    QObject::connect(sheet.events(), &velkSheetEvents::RequestData, [&](int pos) {
        order << QStringLiteral("request %1").arg(pos);
        sheet.ListItem(pos)->setText(QStringLiteral("Zeile %1").arg(pos));
    });
    QObject::connect(sheet.events(), &velkSheetEvents::Click,
                     [&] { order << QStringLiteral("click ") + sheet.Selected()->Text(); });
    sheet.setSelectedIndex(3);
    sheet.setSelectedIndex(1);
    sheet.setSelectedIndex(3);
    EXPECT_EQ(order, QStringList({"request 3", "click Zeile 3", "request 1", "click Zeile 1", "click Zeile 3"}));
    EXPECT_TRUE(third->Init);
}

TEST(velkSheet, DeleteRepaintsOnceAndOnlyWhenRowsWent)
{
    velkSheet sheet;
    for (int k = 1; k <= 4; ++k)
        sheet.AddItem(QString::number(k))->Deleted = k % 2 == 0;
    QSignalSpy refreshes(sheet.events(), &velkSheetEvents::Refresh);
    sheet.Delete();
    EXPECT_EQ(refreshes.count(), 1);
    EXPECT_EQ(sheet.Count(), 2);
    sheet.Delete();
    EXPECT_EQ(refreshes.count(), 1);

    sheet.setRedraw(false);
    sheet.Clear();
    EXPECT_EQ(refreshes.count(), 1);
    sheet.setRedraw(true);
    EXPECT_EQ(refreshes.count(), 2);
}

TEST(velkSheet, ColumnsHeaderAndPropertiesByName)
{
    velkSheet sheet;
    EXPECT_EQ(sheet.Columns(), QString());
    EXPECT_EQ(sheet.headerHeight(), 0);
    EXPECT_GT(sheet.lineHeight(), 0);
    EXPECT_EQ(sheet.LeftMargin(), 50);
    EXPECT_EQ(sheet.BackColor(), SystemColor::WindowBackground);

    EXPECT_TRUE(sheet.setProperty("Columns", QStringLiteral("Name:*,Summe:800r")));
    EXPECT_EQ(sheet.property("Columns").toString(), QStringLiteral("Name:1600,Summe:800R"));
    EXPECT_EQ(sheet.headerHeight(), sheet.lineHeight() + 45);
    EXPECT_TRUE(sheet.GetColumnData(2)->IsValue());
    EXPECT_EQ(sheet.GetColumnData(3), nullptr);
    sheet.setColumns(QStringLiteral(":*"));
    EXPECT_EQ(sheet.headerHeight(), sheet.lineHeight() + 45); // once shown, the header stays

    EXPECT_TRUE(sheet.setProperty("flags", QStringLiteral(" grid ")));
    EXPECT_EQ(sheet.flags(), QStringLiteral("grid"));
    EXPECT_NE(sheet.findChild<velkSheetEvents *>(QStringLiteral("events")), nullptr);
    EXPECT_NE(sheet.findChild<velkIcon *>(QStringLiteral("velkIcon1")), nullptr);
}

TEST(velkSheet, ColumnLayoutIsReadFromTheSettingsStore)
{
    RegSetString(1, QStringLiteral("Software\\velk\\Test"), QStringLiteral("Spalten"),
                 QStringLiteral("Name:2500,!Datum:900"));
    velkSheet sheet;
    sheet.setColumns(QStringLiteral("Name:1000,Datum:800,Betrag:*"));
    EXPECT_EQ(sheet.Columns(), QStringLiteral("Name:1000,Datum:800,Betrag:*"));

    sheet.setColumnsRegistry(QStringLiteral("Software\\velk\\Test\\Spalten"));
    sheet.setColumns(QStringLiteral("Name:1000,Datum:800,Betrag:*"));
    EXPECT_EQ(sheet.Columns(), QStringLiteral("Name:2500,!Datum:900,Betrag:*"));
}

TEST(velkSheet, FontSizeFromTheSettingsStoreSetsTheLineHeight)
{
    const int normal = velkSheet().lineHeight();
    RegSetString(1, QStringLiteral("Software\\velk"), QStringLiteral("FontSize"), QStringLiteral("30"));
    velkSheet large;
    RegSetString(1, QStringLiteral("Software\\velk"), QStringLiteral("FontSize"), QStringLiteral("kein"));
    velkSheet unchanged;
    RegSetString(1, QStringLiteral("Software\\velk"), QStringLiteral("FontSize"), QString());
    EXPECT_EQ(large.font().pointSizeF(), 30.0);
    EXPECT_GT(large.lineHeight(), normal);
    EXPECT_EQ(unchanged.lineHeight(), normal);
}

TEST(velkSheet, EventsReachAGenericHostWithReferenceArgumentsWrittenBack)
{
    velkSheet sheet;
    QStringList seen;
    GenericEventRelay relay(&sheet, [&](const QString &name, QVariantList &args) {
        seen << name;
        if (name == QLatin1String("Checked"))
            args[2] = 1;
        if (name == QLatin1String("IsEditable"))
            args[2] = false;
    });
    EXPECT_EQ(relay.eventNames().size(), 30);

    int newState = 2;
    Q_EMIT sheet.events()->Checked(3, 1, newState);
    EXPECT_EQ(newState, 1);
    bool enable = true;
    Q_EMIT sheet.events()->IsEditable(1, 2, enable);
    EXPECT_FALSE(enable);
    sheet.AddItem(QStringLiteral("a"));
    sheet.setSelectedIndex(1);
    EXPECT_EQ(seen, QStringList({"Checked", "IsEditable", "Click"}));
}
