#include <velk/platform/SystemColors.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(SystemColors, SystemIndicesTakeTheirPaletteRoles)
{
    // A palette in which every role has a colour of its own, so a wrong role shows.
    QPalette palette;
    const QPalette::ColorRole roles[] = {QPalette::Base, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText,
                                         QPalette::Button, QPalette::ButtonText, QPalette::Dark, QPalette::Light,
                                         QPalette::Shadow, QPalette::Midlight, QPalette::ToolTipText, QPalette::ToolTipBase};
    int shade = 10;
    for (QPalette::ColorRole role : roles) {
        palette.setColor(QPalette::Active, role, QColor(shade, 0, 0));
        palette.setColor(QPalette::Disabled, role, QColor(0, shade, 0));
        shade += 10;
    }
    struct Row
    {
        Color color;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    const Row rows[] = {
        {0x80000005, QPalette::Active, QPalette::Base},         {0x80000008, QPalette::Active, QPalette::Text},
        {0x8000000D, QPalette::Active, QPalette::Highlight},    {0x8000000E, QPalette::Active, QPalette::HighlightedText},
        {0x8000000F, QPalette::Active, QPalette::Button},       {0x80000010, QPalette::Active, QPalette::Dark},
        {0x80000011, QPalette::Disabled, QPalette::Text},       {0x80000012, QPalette::Active, QPalette::ButtonText},
        {0x80000014, QPalette::Active, QPalette::Light},        {0x80000015, QPalette::Active, QPalette::Shadow},
        {0x80000016, QPalette::Active, QPalette::Midlight},     {0x80000017, QPalette::Active, QPalette::ToolTipText},
        {0x80000018, QPalette::Active, QPalette::ToolTipBase},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(QString::number(row.color, 16).toStdString());
        EXPECT_EQ(resolveColor(row.color, palette), palette.color(row.group, row.role));
    }
}

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
