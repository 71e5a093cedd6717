#include "SheetTestSupport.h"

#include <velk/sheet/SheetState_p.h>

#include "support/TestSupport.h"

using namespace velk;
using namespace sheettest;

TEST(SheetState, GeometryIsWorkedOutOncePerChangeAndOnlyReadOtherwise)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Betrag:1500r,Rest:*"), QStringLiteral("singleselect"));
    for (int k = 1; k <= 200; ++k)
        sheet->AddItem(QStringLiteral("Zeile %1\t%2").arg(k).arg(k * 10));
    const SheetState &state = SheetInternals::state(*sheet);

    sheet->TopIndex();
    const quint64 settled = state.layoutCount();
    for (int k = 0; k < 1000; ++k) {
        sheet->TopIndex();
        sheet->VisibleLines();
    }
    paintList(*sheet);
    paintHeader(*sheet);
    EXPECT_EQ(state.layoutCount(), settled); // reads and paints lay nothing out

    sheet->setTopIndex(40);
    EXPECT_EQ(sheet->TopIndex(), 40);
    sheet->TopIndex();
    EXPECT_LE(state.layoutCount(), settled + 2); // the clamp before the change, the read after

    // Changes the state cannot miss: rows, the window's size, the margin.
    const int pageBefore = sheet->VisibleLines();
    sheet->resize(400, 600);
    EXPECT_GT(sheet->VisibleLines(), pageBefore);
    sheet->AddItem(QStringLiteral("neu"), QString(), 0, false, 1);
    EXPECT_EQ(SheetInternals::layout(*sheet).rows().front().pos, sheet->TopIndex());
    sheet->setLeftMargin(300);
    EXPECT_EQ(SheetInternals::layout(*sheet).columnEdge(1).x2, 2300);
}

TEST(SheetState, HostsSeeColumnEdgesInTheColumnsAfterEveryChange)
{
    auto sheet = makeSheet(QStringLiteral("Name:2000,Betrag:1500r,Rest:*"));
    EXPECT_EQ(sheet->GetColumnData(2)->x1, 2050);
    EXPECT_EQ(sheet->GetColumnData(2)->x2, 3550);
    // A width set directly counts after RecalculateColumns, and the edges follow.
    sheet->GetColumnData(1)->Width = 1000;
    sheet->RecalculateColumns();
    EXPECT_EQ(sheet->GetColumnData(2)->x1, 1050);
    EXPECT_EQ(SheetInternals::layout(*sheet).columnEdge(2).x1, 1050);
    // Hiding a column takes it out of the layout and out of the host's view of it.
    sheet->GetColumnData(2)->Enabled = false;
    sheet->RecalculateColumns();
    EXPECT_EQ(sheet->GetColumnData(2)->x1, -1);
    EXPECT_EQ(sheet->GetColumnData(3)->x1, 1050);
}
