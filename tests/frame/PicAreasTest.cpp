#include <velk/frame/PicAreas_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(PicAreas, ReadsLinesAndKeepsThoseItCannotReadInTheirPlace)
{
    struct Row { const char *name; const char *line; bool valid; QRect rect; const char *link; };
    const Row rows[] = {
        {"linked", "10,10,50,40 [a]", true, QRect(QPoint(10, 10), QPoint(50, 40)), "a"},
        {"no link", "60,10,90,40 []", true, QRect(QPoint(60, 10), QPoint(90, 40)), ""},
        {"corners swapped", "50,40,10,10 [b]", true, QRect(QPoint(10, 10), QPoint(50, 40)), "b"},
        {"fourth number ends at [", "1,2,3,4[x]", true, QRect(QPoint(1, 2), QPoint(3, 4)), "x"},
        {"link ends at ]", "1,2,3,4 [x]y]", true, QRect(QPoint(1, 2), QPoint(3, 4)), "x"},
        {"link without ]", "1,2,3,4 [open", true, QRect(QPoint(1, 2), QPoint(3, 4)), "open"},
        {"three numbers", "1,2,3 [x]", false, {}, ""},
        {"five numbers", "1,2,3,4,5 [x]", false, {}, ""},
        {"no [", "1,2,3,4", false, {}, ""},
        {"not a number", "1,b,3,4 [x]", false, {}, ""},
        {"beyond 32 bits", "1,2,99999999999,4 [x]", false, {}, ""},
        {"too far apart for a width", "-2000000000,0,2000000000,4 [x]", false, {}, ""},
        {"empty", "", false, {}, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const PicArea a = PicAreas::parseLine(QString::fromLatin1(row.line));
        EXPECT_EQ(a.valid, row.valid);
        if (row.valid) {
            EXPECT_EQ(a.rect(), row.rect);
            EXPECT_EQ(a.link, QString::fromLatin1(row.link));
        }
    }
}

TEST(PicAreas, RewritesOnlyTheLineItChanges)
{
    PicAreas areas;
    const QString text = QStringLiteral("10,10,50,40 [a]\r\n garbage \r\n 60 ,10,90,40  []");
    areas.setText(text);
    ASSERT_EQ(areas.count(), 3);
    EXPECT_EQ(areas.text(), text);
    EXPECT_EQ(areas.hitTest(QPointF(70, 20)), 3) << "numbers follow the lines, bad ones included";
    EXPECT_EQ(areas.hitTest(QPointF(55, 20)), 0);
    EXPECT_EQ(areas.hitTest(QPointF(52, 20), 2), 1);
    areas.replace(1, QRect(QPoint(12, 10), QPoint(52, 40)), QStringLiteral("x]y\r\nz"));
    EXPECT_EQ(areas.text(), QStringLiteral("12,10,52,40 [xy  z]\r\n garbage \r\n 60 ,10,90,40  []"));
    EXPECT_EQ(areas.add(QRect(QPoint(1, 1), QPoint(5, 5))), 4);
    areas.remove(2);
    areas.remove(0);
    areas.remove(9);
    EXPECT_EQ(areas.text(), QStringLiteral("12,10,52,40 [xy  z]\r\n 60 ,10,90,40  []\r\n1,1,5,5 []"));
    areas.setText(QString());
    EXPECT_EQ(areas.count(), 0);
    EXPECT_FALSE(areas.area(1).valid);
}
