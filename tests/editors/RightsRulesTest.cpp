#include <velk/editors/RightsRules_p.h>

#include "support/TestSupport.h"

using namespace velk;
using namespace velk::RightsRules;

namespace {
const QString kAll = QStringLiteral("rekw");

QString roundTrip(const QString &p)
{
    return writeParameter(readParameter(p, kAll), kAll);
}
} // namespace

TEST(RightsRules, ParameterReadsBackInItsShortestForm)
{
    struct Row { const char *name; const char *in; const char *out; };
    const Row rows[] = {
        {"defaults, letters and all rights", "anna,ben:r,carl:*", "anna,ben:r,carl:*"},
        {"rek written as the bare name", "anna:rek,ben:rekw", "anna,ben:*"},
        {"denials kept as they are", "anna:rE,ben:W", "anna:rE,ben:W"},
        {"empty entries and nameless entries skipped", ",anna,,:r,ben:", "anna,ben"},
        {"inherit-only users left out", "anna\r\ndora:r,anna:w", "anna"},
        {"empty text", "", ""},
        {"tabs in names become blanks", "an\tna:r", "an na:r"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(roundTrip(QString::fromUtf8(row.in)), QString::fromUtf8(row.out));
    }
}

TEST(RightsRules, InheritedLineGoesToTheFirstUserOfThatName)
{
    bool inherited = false;
    const auto users = readParameter(QStringLiteral("anna:r,anna:w,ben\ndora:e,anna:k,dora:*\r\n"), kAll, &inherited);
    EXPECT_TRUE(inherited);
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[0].inherited, QStringLiteral("k"));
    EXPECT_EQ(users[1].inherited, QString());
    EXPECT_EQ(users[3].name, QStringLiteral("dora"));
    EXPECT_EQ(users[3].own, QString());
    EXPECT_EQ(users[3].inherited, kAll); // the later entry wins, trailing line break dropped
    readParameter(QStringLiteral("anna\n"), kAll, &inherited);
    EXPECT_FALSE(inherited);
}

TEST(RightsRules, CheckStatesFollowTheirPriority)
{
    struct Row { const char *t; bool selected; const char *own; const char *inh; int state; };
    const Row rows[] = {
        {"r", false, "r", "", 1}, {"r", true, "rk", "", 2}, {"r", true, "Rk", "r", 1}, {"r", true, "k", "re", 12},
        {"r", true, "k", "", 1},  {"r", true, "k", "e", 11}, {"", true, "rk", "r", 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.t) + "/" + row.own + "/" + row.inh);
        EXPECT_EQ(checkState(QString::fromLatin1(row.t), row.selected, QString::fromLatin1(row.own),
                             QString::fromLatin1(row.inh)),
                  row.state);
    }
}

TEST(RightsRules, TogglingCyclesThroughGrantDenialAndInheritance)
{
    // With inheritance: grant → denial → back to inheritance → grant in registration order.
    QString own = QStringLiteral("rk");
    const QString inh = QStringLiteral("rek");
    own = toggled(QStringLiteral("r"), own, inh, kAll);
    EXPECT_EQ(own, QStringLiteral("Rk"));
    own = toggled(QStringLiteral("r"), own, inh, kAll);
    EXPECT_EQ(own, QStringLiteral("k"));
    own = toggled(QStringLiteral("r"), own, inh, kAll);
    EXPECT_EQ(own, QStringLiteral("rk"));

    struct Row { const char *t; const char *own; const char *inh; const char *result; };
    const Row rows[] = {
        {"r", "rek", "", "ek"},     // without inheritance a grant just goes
        {"e", "rW", "", "reW"},     // a denial counts by its letter
        {"w", "rek", "", "rekw"},   // nothing registered after it
        {"x", "rek", "", "rekx"},   // not registered
        {"k", "", "", "k"},
        {"e", "Kr", "", "eKr"},     // before the first later letter, a denial too
        {"", "rek", "r", "rek"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.t) + "/" + row.own);
        EXPECT_EQ(toggled(QString::fromLatin1(row.t), QString::fromLatin1(row.own), QString::fromLatin1(row.inh), kAll),
                  QString::fromLatin1(row.result));
    }
}

TEST(RightsRules, LayoutSharesTheHeightOrGivesTheRightListWhatItNeeds)
{
    struct Row { const char *name; int H; int full; int upper; int lower; };
    const Row rows[] = {
        {"shared evenly", 6000, 9999, 2700, 2700},
        {"half twips round to even", 6001, 9999, 2700, 2700},
        {"half twips round to even, up", 6003, 9999, 2702, 2702},
        {"right list needs less", 6000, 1000, 4400, 1000},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const Layout l = layoutOf(7000, row.H, 1650, row.full);
        EXPECT_EQ(l.users, QRect(0, 240, 7000 - 1650 - 120, row.upper));
        EXPECT_EQ(l.label.top(), row.upper + 360);
        EXPECT_EQ(l.rights, QRect(0, row.upper + 600, 7000 - 1650 - 120, row.lower));
        EXPECT_EQ(l.buttonLeft, 7000 - 1650);
    }
}
