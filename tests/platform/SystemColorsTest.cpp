#include <velk/platform/SystemColors.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(SystemColors, PlainColoursAndOddValues)
{
    EXPECT_EQ(resolveColor(rgbColor(255, 128, 1)), QColor(255, 128, 1));
    EXPECT_EQ(resolveColor(0x7F0000FF), QColor(255, 0, 0)) << "bits above the blue byte are ignored";
    EXPECT_EQ(resolveColor(0x80000019), QColor(Qt::black)) << "an unused index";
    EXPECT_EQ(resolveColor(0x80001000), QColor(Qt::black)) << "an index out of range";
    QPalette translucent;
    translucent.setColor(QPalette::Base, QColor(1, 2, 3, 100));
    EXPECT_EQ(resolveColor(SystemColor::WindowBackground, translucent).alpha(), 255);

    EXPECT_EQ(colorFromQColor(QColor(1, 2, 3)), rgbColor(1, 2, 3));
    EXPECT_EQ(colorFromQColor(QColor::fromHsv(0, 255, 255, 10)), rgbColor(255, 0, 0));
    EXPECT_EQ(colorFromQColor(QColor()), 0u);
}
