#include <velk/common/ColorHelpers.h>
#include <velk/common/IconNames.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(ColorHelpers, NamesAndRgbTexts)
{
    struct Row { const char *name; int r, g, b; bool namedBack; };
    const Row table[] = {
        {"white", 255, 255, 255, true}, {"black", 0, 0, 0, true}, {"red", 255, 0, 0, true},
        {"green", 0, 255, 0, true}, {"blue", 0, 0, 255, true}, {"yellow", 255, 255, 0, true},
        {"lila", 255, 0, 255, true}, {"tuerkis", 0, 255, 255, true}, {"gray", 64, 64, 64, false},
        {"lightred", 255, 128, 128, true}, {"lightgreen", 128, 255, 128, true},
        {"lightblue", 128, 128, 255, true}, {"lightyellow", 255, 255, 128, true},
        {"lightlila", 255, 128, 255, true}, {"lighttuerkis", 128, 255, 255, true},
        {"lightgray", 128, 128, 128, false}, {"verylightred", 255, 192, 192, true},
        {"verylightgreen", 192, 255, 192, true}, {"verylightblue", 192, 192, 255, true},
        {"verylightyellow", 255, 255, 192, true}, {"verylightlila", 255, 192, 255, true},
        {"verylighttuerkis", 192, 255, 255, true}, {"verylightgray", 192, 192, 192, false},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(row.name);
        const Color c = ColorFromText(QString::fromUtf8(row.name));
        EXPECT_EQ(c, rgbColor(row.r, row.g, row.b));
        const QString rgb = QStringLiteral("%1,%2,%3").arg(row.r).arg(row.g).arg(row.b);
        EXPECT_EQ(ColorToText(c), row.namedBack ? QString::fromUtf8(row.name) : rgb);
    }
    EXPECT_EQ(ColorFromText(QStringLiteral("Lila")), SystemColor::ButtonFace);
    EXPECT_EQ(ColorFromText(QString()), SystemColor::ButtonFace);
    EXPECT_EQ(ColorFromText(QStringLiteral("10,20,30")), rgbColor(10, 20, 30));
    EXPECT_EQ(ColorFromText(QStringLiteral(" 10, 20 ,30")), rgbColor(10, 20, 30));
    EXPECT_EQ(ColorFromText(QStringLiteral("1.6,255")), rgbColor(2, 255, 0));
    EXPECT_EQ(ColorFromText(QStringLiteral("0,256,0")), rgbColor(0, 0, 1));
    EXPECT_EQ(ColorToText(rgbColor(255, 128, 0)), QStringLiteral("255,128,0"));
    EXPECT_EQ(ColorToText(0x1000000), QStringLiteral("0,0,256"));
    EXPECT_EQ(ColorToText(SystemColor::WindowText), QString());
}

TEST(IconNames, VocabularyNumbersFromOne)
{
    EXPECT_EQ(IconNames().size(), 91);
    EXPECT_EQ(IconNames().join(u' '), IconNameList());
    struct Row { const char *name; int number; };
    const Row rows[] = {{"right", 1}, {"up", 16}, {"down", 17}, {"sync", 50}, {"refresh", 52},
                        {"word", 68}, {"image", 91}, {"Up", 0}, {"", 0}, {"nope", 0}};
    for (const Row &r : rows)
        EXPECT_EQ(IconNumberOf(QString::fromUtf8(r.name)), r.number) << r.name;
    EXPECT_EQ(IconNames().at(50), QStringLiteral("up"));
}
