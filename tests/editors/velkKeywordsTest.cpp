#include <velk/common/Translate.h>
#include <velk/editors/KeywordList_p.h>
#include <velk/editors/velkKeywords.h>
#include <velk/menu/velkMenuBar.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/SheetInput_p.h>
#include <velk/sheet/SheetMouse_p.h>
#include <velk/sheet/velkSheet.h>
#include <velk/sheet/velkSheet_p.h>

#include "support/TestSupport.h"

#include <QSignalSpy>

#include <random>

using namespace velk;

namespace {

struct KeywordsFixture
{
    ScopedDialogs dialogs;
    velkKeywords keywords;
    velkSheet *sheet = keywords.findChild<velkSheet *>(QStringLiteral("velkSheet1"));
    QStringList reported;

    KeywordsFixture()
    {
        keywords.resize(300, 400);
        QObject::connect(keywords.events(), &velkKeywordsEvents::SetKeyword, [this](const QString &k, bool on) {
            reported << (on ? QStringLiteral("+") : QStringLiteral("-")) + k;
        });
    }

    // Each row as indent, text, icon and check state: "0 Ort topicpath 0".
    QStringList rows() const
    {
        QStringList out;
        for (const auto &row : sheet->ListItems())
            out << QStringLiteral("%1 %2 %3 %4").arg(row->Indent).arg(row->GetSubText(1), row->Icon()).arg(row->CheckState);
        return out;
    }
    int rowOf(const QString &text, int after = 0) const
    {
        for (int pos = after + 1; pos <= sheet->Count(); ++pos) {
            if (sheet->ListItem(pos)->GetSubText(1) == text)
                return pos;
        }
        return 0;
    }
    QString ticked() const
    {
        QStringList out;
        for (const auto &row : sheet->ListItems()) {
            if (row->CheckState == 2)
                out << QString::number(row->Index());
        }
        return out.join(u',');
    }
    // A click into the row's check box, as the sheet's mouse handling carries it out.
    void tick(int pos)
    {
        SheetMouseIntent intent;
        intent.action = SheetMouseIntent::ToggleCheckBox;
        intent.row = pos;
        SheetInternals::input(*sheet).apply(intent, 0, 0, 0);
    }
};

const QString kNewRow = QStringLiteral("[ ") + Translate(3139) + QStringLiteral(" ]");

} // namespace

TEST(KeywordList, KeepsTheCaseInsensitiveOrderWithEqualEntriesInAddedOrder)
{
    KeywordList list;
    list.addAll(QStringLiteral("b,A=x,,a=y,B,c"));
    list.add(QStringLiteral("a=X"));
    EXPECT_EQ(list.entries(), (QStringList{"A=x", "a=X", "a=y", "b", "B", "c"}));
    EXPECT_TRUE(list.remove(QStringLiteral("B")));
    EXPECT_FALSE(list.remove(QStringLiteral("nichts")));
    EXPECT_EQ(list.count(), 5);
}

TEST(KeywordList, LowersTextsBeyondAscii)
{
    KeywordList list;
    list.addAll(QStringLiteral("\u00f6l,Zoo,\u00d6l,apfel"));
    EXPECT_EQ(list.entries(), (QStringList{"apfel", "Zoo", "\u00f6l", "\u00d6l"}));
    EXPECT_TRUE(list.contains(QStringLiteral("\u00d6l")));
    EXPECT_FALSE(list.contains(QStringLiteral("\u00d6")));
}

TEST(KeywordList, SortsLikeAStableSortOfTheLowerCasedTexts)
{
    // Topics that begin other topics or texts without a topic, "=" and ">" around them,
    // case variants and repeats.
    const QStringList parts{"a", "A", "a b", "ab", "a>", "", "x", "X", "y", "=", "b=", "\u00c4", "\u00e4"};
    std::mt19937 random(5);
    KeywordList list;
    QStringList added;
    for (int i = 0; i < 400; ++i) {
        QString entry = parts[random() % parts.size()];
        if (random() % 3)
            entry += u'=' + parts[random() % parts.size()];
        if (entry.isEmpty())
            continue;
        list.add(entry);
        added << entry;
    }
    std::stable_sort(added.begin(), added.end(), [](const QString &a, const QString &b) { return a.toLower() < b.toLower(); });
    EXPECT_EQ(list.entries(), added);
}

TEST(KeywordTicks, FindsTheRowsOfEveryKeyAsAScanWould)
{
    // No reserve: the tables grow while rows come in; row positions leave gaps.
    const QStringList entries{"x", "=x", "A=x", "B=y", "A=xx", "y"};
    KeywordTicks ticks;
    std::vector<std::pair<int, QString>> rows;
    for (int i = 0; i < 60; ++i) {
        rows.emplace_back(3 * i + 1, entries[(i * 7) % entries.size()]);
        ticks.addRow(rows.back().first, rows.back().second);
    }
    const auto scan = [&](const QString &selected) {
        std::vector<int> found;
        for (const auto &[pos, entry] : rows) {
            const QString keyword = entry.mid(entry.indexOf(u'=') + 1);
            const bool hit = !selected.contains(u'=') ? keyword == selected
                             : entry.contains(u'=')   ? entry == selected
                                                      : u'=' + entry == selected;
            if (hit)
                found.push_back(pos);
        }
        return found;
    };
    for (const QString &selected : {"x", "=x", "A=x", "B=y", "y", "=y", "xx", "A=xx", "C=x", "", "="})
        EXPECT_EQ(ticks.rowsOf(selected), scan(selected)) << selected.toStdString();
    EXPECT_EQ(ticks.entryOf(4), rows[1].second);
    EXPECT_EQ(ticks.entryOf(5), QString());
}

TEST(KeywordQuery, MatchesWholeEntriesBetweenSlashes)
{
    const KeywordQuery query(QStringLiteral("Ort=Berlin/a/b/hoch"));
    EXPECT_TRUE(query.matches(QStringLiteral("Ort=Berlin")));
    EXPECT_TRUE(query.matches(QStringLiteral("a/b"))); // spans two parts
    EXPECT_FALSE(query.matches(QStringLiteral("Berlin")));
    EXPECT_FALSE(query.matches(QStringLiteral("hoc")));
    EXPECT_FALSE(KeywordQuery(QString()).matches(QStringLiteral("x")));
}

TEST(velkKeywords, RefreshGroupsKeywordsUnderTopicsAndEndsWithTheNewRow)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("Status=offen,Jahr=2026,,lose,Status=erledigt"));
    f.keywords.setQuery(QStringLiteral("Status=offen/lose"));
    f.keywords.Refresh();
    EXPECT_EQ(f.sheet->flags(), QStringLiteral("multiselectsimple richtext"));
    EXPECT_EQ(f.rows(), (QStringList{"0 Jahr topicpath 0", "1 2026 # 1", "0 lose # 1", "0 Status topicpath 0",
                                     "1 erledigt # 1", "1 offen # 1", "0 " + kNewRow + " newfile 1"}));
    EXPECT_FALSE(f.sheet->ListItem(5)->Selected);
    EXPECT_TRUE(f.sheet->ListItem(3)->Selected);
    EXPECT_TRUE(f.sheet->ListItem(6)->Selected);

    // A row kept by the host outlives refills and the control itself.
    std::shared_ptr<SheetData> kept = f.sheet->ListItem(2);
    f.keywords.Clear();
    f.keywords.AddTopics(QStringLiteral("Ort=Bonn"));
    f.keywords.Refresh();
    EXPECT_EQ(f.sheet->ListItem(2)->Text(), QStringLiteral("Bonn"));
    EXPECT_EQ(kept->Text(), QStringLiteral("2026"));
}

TEST(velkKeywords, SelectedKeywordsTickByTopicOrEverywhere)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("A=x,B=x,B=y,x"));
    f.keywords.Refresh(); // 1 A, 2 x, 3 B, 4 x, 5 y, 6 x, 7 new
    f.keywords.setSelectedKeywords(QStringLiteral("B=x"));
    EXPECT_EQ(f.ticked(), QStringLiteral("4"));
    f.keywords.setSelectedKeywords(QStringLiteral("x;unbekannt;C=y"));
    EXPECT_EQ(f.ticked(), QStringLiteral("2,4,6"));
    f.keywords.setSelectedKeywords(QString());
    EXPECT_EQ(f.ticked(), QString());
    // Set before filling: Refresh applies it.
    f.keywords.setSelectedKeywords(QStringLiteral("B=y"));
    f.keywords.Refresh();
    EXPECT_EQ(f.ticked(), QStringLiteral("5"));
}

TEST(velkKeywords, UserTicksRebuildSelectedKeywordsInTheHostsOrder)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("A=x,B=x,B=y,x"));
    f.keywords.setSelectedKeywords(QStringLiteral("fremd;x"));
    f.keywords.Refresh();
    f.tick(4); // clear B=x: the bare x gives way to the rows still ticked
    // ("=x" names the x without a topic alone).
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("fremd;A=x;=x"));
    EXPECT_EQ(f.ticked(), QStringLiteral("2,6"));
    f.tick(5);
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("fremd;A=x;=x;B=y"));
    f.tick(2);
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("fremd;=x;B=y"));
    f.tick(4);
    f.tick(2);
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("fremd;=x;B=y;B=x;A=x"));
    EXPECT_EQ(f.reported, (QStringList{"-B=x", "+B=y", "-A=x", "+B=x", "+A=x"}));
    f.tick(1); // a topic row has no box: nothing happens
    EXPECT_EQ(f.reported.size(), 5);
    // Round trip: the text gives the same ticks back.
    const QString before = f.ticked();
    f.keywords.setSelectedKeywords(f.keywords.SelectedKeywords());
    EXPECT_EQ(f.ticked(), before);
}

TEST(velkKeywords, TickingTheNewRowAsksForAKeywordAndTicksIt)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("Ort=Berlin"));
    f.keywords.Refresh();
    f.sheet->setSelectedIndex(2); // within the topic "Ort": the box starts with "Ort="
    f.dialogs->answerInputBox(QStringLiteral("Ort=Bonn"));
    f.tick(f.rowOf(kNewRow));
    ASSERT_EQ(f.dialogs->questions().size(), 1u);
    EXPECT_EQ(f.dialogs->questions()[0].title, QStringLiteral("neues Keyword"));
    EXPECT_EQ(f.dialogs->questions()[0].text, QStringLiteral("Ort="));
    EXPECT_EQ(f.keywords.Entries(), (QStringList{"Ort=Berlin", "Ort=Bonn"}));
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("Ort=Bonn"));
    EXPECT_EQ(f.ticked(), QString::number(f.rowOf(QStringLiteral("Bonn"))));
    EXPECT_EQ(f.sheet->ListItem(f.rowOf(kNewRow))->CheckState, 1);
    EXPECT_EQ(f.reported, QStringList{"+Ort=Bonn"});

    // Cancelled, empty or only a topic: nothing changes.
    for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(" "),
                                                 std::optional<QString>("Ort=")}) {
        f.dialogs->answerInputBox(answer);
        f.tick(f.rowOf(kNewRow));
    }
    EXPECT_EQ(f.keywords.Entries().size(), 2);
    EXPECT_EQ(f.reported.size(), 1);
    EXPECT_EQ(f.sheet->ListItem(f.rowOf(kNewRow))->CheckState, 1);
}

TEST(velkKeywords, MenuBarRenamesAndDeletesTheCurrentKeyword)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("Ort=Berlin,Ort=Bonn"));
    f.keywords.setSelectedKeywords(QStringLiteral("Ort=Bonn"));
    f.keywords.Refresh();
    velkMenuBar *bar = f.keywords.findChild<velkMenuBar *>(QStringLiteral("velkMenuBar1"));
    ASSERT_TRUE(bar);
    auto click = [bar](int id) {
        int shift = 0;
        float x = 0, y = 0;
        Q_EMIT bar->events()->Click(id, shift, x, y);
    };
    f.sheet->setSelectedIndex(f.rowOf(QStringLiteral("Bonn")));
    f.dialogs->answerInputBox(QStringLiteral("Ort=Köln"));
    click(2);
    EXPECT_EQ(f.keywords.Entries(), (QStringList{"Ort=Berlin", "Ort=Köln"}));
    EXPECT_EQ(f.keywords.SelectedKeywords(), QStringLiteral("Ort=Köln"));
    EXPECT_EQ(f.ticked(), QString::number(f.rowOf(QStringLiteral("Köln"))));

    f.sheet->setSelectedIndex(f.rowOf(QStringLiteral("Köln")));
    f.dialogs->answerMsgBox(MsgBoxResult::No);
    click(3);
    EXPECT_EQ(f.keywords.Entries().size(), 2);
    f.dialogs->answerMsgBox(MsgBoxResult::Yes);
    click(3);
    EXPECT_EQ(f.keywords.Entries(), QStringList{"Ort=Berlin"});
    EXPECT_EQ(f.keywords.SelectedKeywords(), QString());
    EXPECT_EQ(f.reported, (QStringList{"-Ort=Bonn", "+Ort=Köln", "-Ort=Köln"}));
}

TEST(velkKeywords, DoubleClickQueriesAndClickPassesThrough)
{
    KeywordsFixture f;
    f.keywords.AddTopics(QStringLiteral("Ort=Berlin"));
    f.keywords.Refresh();
    QSignalSpy query(f.keywords.events(), &velkKeywordsEvents::Query);
    QSignalSpy click(f.keywords.events(), &velkKeywordsEvents::Click);
    Q_EMIT f.sheet->events()->DblClick(2, 1);
    Q_EMIT f.sheet->events()->DblClick(1, 1); // the topic row asks nothing
    ASSERT_EQ(query.count(), 1);
    EXPECT_EQ(query.at(0).at(0).toString(), QStringLiteral("Ort=Berlin"));
    f.sheet->setSelectedIndex(2);
    EXPECT_EQ(click.count(), 1);
    f.keywords.Clear();
    EXPECT_EQ(f.sheet->Count(), 0);
    EXPECT_TRUE(f.keywords.SelectedKeywords().isEmpty());
}
