#include <velk/controls/velkButton.h>
#include <velk/editors/KeywordBar_p.h>
#include <velk/editors/velkKeyword.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/platform/SettingsStore.h>

#include "support/TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

using namespace velk;

namespace {

struct BarFixture
{
    ScopedDialogs dialogs;
    velkKeyword bar;
    QStringList picks;

    explicit BarFixture(const QString &words = QStringLiteral("Berlin,Bonn,Köln,Hamburg,München"))
    {
        QObject::connect(bar.events(), &velkKeywordEvents::SetKeyword, [this](const QString &k) { picks << k; });
        for (const QString &word : words.split(u',', Qt::SkipEmptyParts))
            bar.AddItem(word);
        bar.Refresh();
    }
    QString order() const
    {
        QStringList out;
        for (const auto &data : bar.Keywords())
            out << data->Text;
        return out.join(u',');
    }
    QString counts() const
    {
        QStringList out;
        for (const auto &data : bar.Keywords())
            out << QStringLiteral("%1/%2").arg(data->Clicks).arg(data->ClicksOther);
        return out.join(u' ');
    }
    velkButton *button(int index) const
    {
        for (auto *b : bar.findChildren<velkButton *>(QStringLiteral("velkButton1"))) {
            if (b->property("Index").toInt() == index)
                return b;
        }
        return nullptr;
    }
    QAction *menuEntry(int index) const
    {
        for (auto *a : bar.findChildren<QAction *>(QStringLiteral("menu_kw"))) {
            if (a->property("Index").toInt() == index)
                return a;
        }
        return nullptr;
    }
    void clickButton(int index) { Q_EMIT button(index)->events()->Click(0, 3, 3); }
};

} // namespace

TEST(velkKeyword, PicksReportTheCaptionAndCountForAndAgainst)
{
    BarFixture f;
    f.bar.setCaption(QStringLiteral("Ort"));
    f.clickButton(0);
    f.bar.setCaption(QString());
    f.clickButton(0);
    EXPECT_EQ(f.picks, (QStringList{"Ort=Berlin", "Berlin"}));
    EXPECT_EQ(f.counts(), QStringLiteral("2/0 0/2 0/2 0/2 0/2"));
    EXPECT_EQ(f.bar.Keywords().Item(2)->get()->Ranking(), -2);
}

TEST(velkKeyword, PopupPickOfTheFifthRanksItButAButtonPickKeepsTheOrder)
{
    BarFixture f;
    f.clickButton(4); // München by its button: counted, not moved
    EXPECT_EQ(f.counts(), QStringLiteral("0/1 0/1 0/1 0/1 1/2"));
    EXPECT_EQ(f.order(), QStringLiteral("Berlin,Bonn,Köln,Hamburg,München"));
    EXPECT_EQ(f.button(4)->caption(), QStringLiteral("München"));
    f.menuEntry(4)->trigger(); // München from the popup list
    EXPECT_EQ(f.counts(), QStringLiteral("2/2 0/2 0/2 0/2 0/2"));
    EXPECT_EQ(f.order(), QStringLiteral("München,Berlin,Bonn,Köln,Hamburg"));
    EXPECT_EQ(f.button(0)->caption(), QStringLiteral("München"));
    EXPECT_EQ(f.button(0)->Tag(), QStringLiteral("1"));
    EXPECT_EQ(f.menuEntry(0)->text(), QStringLiteral("München"));
    f.bar.PickKeyword(0, true); // out of range: ignored
    f.bar.PickKeyword(6, false);
    EXPECT_EQ(f.picks.size(), 2);
}

TEST(velkKeyword, LaysOutEightButtonsInTwipsAndListsEveryKeyword)
{
    BarFixture f(QStringLiteral("a,b,c,d,e,f,g,h,i,j,a"));
    EXPECT_EQ(f.bar.Keywords().Count(), 10); // the repeated "a" adds nothing
    EXPECT_EQ(f.bar.findChildren<QAction *>(QStringLiteral("menu_kw")).size(), 10);
    for (int b = 0; b < 8; ++b)
        EXPECT_TRUE(f.button(b)->isVisibleTo(&f.bar)) << b;

    const auto plan = KeywordBarLayout::compute({300, 600, 90}, 0, 200);
    ASSERT_EQ(plan.buttons.size(), 3u);
    EXPECT_EQ(plan.buttons[0].width(), 420);
    EXPECT_EQ(plan.buttons[1].left(), 420 + 50);
    EXPECT_EQ(plan.buttons[2].left(), 420 + 50 + 720 + 50);
    EXPECT_EQ(plan.popup.left(), plan.buttons[2].right() + 1 + 50);
    EXPECT_GE(plan.buttons[0].top(), plan.label.bottom());
    EXPECT_EQ(KeywordBarLayout::compute(std::vector<int>(12, 100), 0, 200).buttons.size(), 8u);

    f.bar.Clear();
    EXPECT_EQ(f.bar.findChildren<QAction *>(QStringLiteral("menu_kw")).size(), 1);
    EXPECT_FALSE(f.menuEntry(0)->isVisible());
    EXPECT_FALSE(f.button(0)->isVisibleTo(&f.bar));
    EXPECT_TRUE(f.bar.caption().isEmpty());
}

TEST(velkKeyword, NewKeywordAddsOrPicksTheExistingOne)
{
    BarFixture f(QStringLiteral("Berlin,Bonn"));
    f.dialogs->answerInputBox(QStringLiteral("Bonn"));
    f.dialogs->answerInputBox(QStringLiteral("Köln"));
    f.dialogs->answerInputBox(std::nullopt);
    f.dialogs->answerInputBox(QStringLiteral("  "));
    for (int i = 0; i < 4; ++i)
        f.bar.findChild<QAction *>(QStringLiteral("menu_neu"))->trigger();
    EXPECT_EQ(f.dialogs->questions()[0].title, QStringLiteral("neues Keyword"));
    EXPECT_EQ(f.picks, (QStringList{"Bonn", "Köln"}));
    EXPECT_EQ(f.bar.Keywords().Count(), 3);
    EXPECT_EQ(f.order(), QStringLiteral("Köln,Bonn,Berlin"));
}

TEST(velkKeyword, LearningIsStoredPerPickAndReadBackByANewControl)
{
    const QString place = QStringLiteral("Software\\velk\\Test\\Orte");
    SettingsStore::instance().writeValue(1, QStringLiteral("Software\\velk\\Test"), QStringLiteral("Orte"),
                                         SettingsValue::fromStrings({"5,1,Hamburg", "kaputt", "x,1,Bonn", "7,0,Bremen"}));
    {
        BarFixture f{QString()};
        f.bar.setKeywordsRegistry(place);
        for (const QString &word : {"Berlin", "Bonn", "Köln", "Hamburg"})
            f.bar.AddItem(word);
        EXPECT_EQ(f.counts(), QStringLiteral("0/0 0/0 0/0 5/1")); // malformed texts skipped
        f.bar.Refresh();
        EXPECT_EQ(f.order(), QStringLiteral("Hamburg,Berlin,Bonn,Köln"));
        f.clickButton(3); // Köln
    }
    const auto stored = SettingsStore::instance().readValue(1, QStringLiteral("Software\\velk\\Test"), QStringLiteral("Orte"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->strings, (QStringList{"5,2,Hamburg", "0,1,Berlin", "0,1,Bonn", "1,2,Köln", "7,0,Bremen"}));

    BarFixture again{QString()};
    again.bar.setKeywordsRegistry(place);
    for (const QString &word : {"Köln", "Bonn", "Hamburg"})
        again.bar.AddItem(word);
    again.bar.Refresh();
    EXPECT_EQ(again.order(), QStringLiteral("Hamburg,Köln,Bonn"));

    BarFixture fresh; // without a place every control starts at 0
    EXPECT_EQ(fresh.counts(), QStringLiteral("0/0 0/0 0/0 0/0 0/0"));
}
