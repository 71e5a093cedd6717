#include <velk/menu/PopupLayout_p.h>

#include "support/TestSupport.h"

using namespace velk;

TEST(PopupLayout, LinesShareTheHeightLeftBySeparators)
{
    const PopupLayout layout(QStringLiteral("a,-,b"), 1000, 15);
    EXPECT_DOUBLE_EQ(layout.lineHeight(), 452.5);
    struct Row { const char *name; double y; int line; };
    const Row rows[] = {
        {"top of the first line", 0, 1},
        {"end of the first line", 452.4, 1},
        {"separator band starts", 452.5, 0},
        {"inside the separator band", 500, 0},
        {"second line", 600, 2},
        {"last twip of the second line", 984.9, 2},
        {"below the last line", 985, 0},
        {"above the list", -1, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(layout.lineAt(row.y), row.line);
    }
    ASSERT_TRUE(layout.line(2));
    EXPECT_EQ(layout.line(2)->text, QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(layout.line(2)->top, 532.5);

    const PopupLayout separatorsOnly(QStringLiteral("-,-"), 1000, 15);
    EXPECT_EQ(separatorsOnly.lineHeight(), 0);
    EXPECT_EQ(separatorsOnly.lineAt(10), 0);
    EXPECT_EQ(PopupLayout(QString(), 1000, 15).lines().size(), 0u);
}
