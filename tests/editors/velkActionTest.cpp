#include <velk/editors/ActionString_p.h>
#include <velk/editors/velkAction.h>
#include <velk/platform/ScriptedDialogs.h>

#include "support/TestSupport.h"

using namespace velk;

namespace {

struct ActionFixture
{
    ScopedDialogs dialogs;
    velkAction action;

    QRadioButton *option(int index) const
    {
        for (QRadioButton *b : action.findChildren<QRadioButton *>(QStringLiteral("O_Aktion")))
            if (b->property("Index").toInt() == index)
                return b;
        return nullptr;
    }
    QCheckBox *box(const char *name) const { return action.findChild<QCheckBox *>(QString::fromLatin1(name)); }
    // Which of the eight boxes are enabled, as a string of 0 and 1.
    QString enabled() const
    {
        QString s;
        for (const char *name : {"Check1_1", "Check1_2", "Check1_3", "Check1_4", "Check2_1", "Check3_1", "Check3_2", "Check3_3"})
            s += box(name)->isEnabled() ? u'1' : u'0';
        return s;
    }
};

} // namespace

TEST(velkAction, CreatedWithCaptionsFoldersAndGroupOne)
{
    ActionFixture f;
    ASSERT_NE(f.option(4), nullptr);
    EXPECT_EQ(f.option(4)->text(), QStringLiteral("falls Datei: an der Originalstelle belassen und nur verlinken"));
    EXPECT_TRUE(f.box("Check2_1")->text().endsWith(QStringLiteral("-Datei umbenennen (*_ARCHIVIERT.*)")));
    EXPECT_EQ(f.box("Check1_1")->text(), QStringLiteral("falls Datei: Shortcut erstellen"));
    EXPECT_EQ(f.box("Check3_3")->text(), QStringLiteral("falls Datei: Quell-Verzeichnis löschen, falls leer"));
    EXPECT_EQ(f.box("Check1_3")->property("Tag").toString(), QDir::currentPath());
    EXPECT_EQ(f.box("Check3_2")->property("Tag").toString(), QDir::currentPath());
    EXPECT_EQ(f.enabled(), QStringLiteral("11110000"));
    EXPECT_EQ(f.action.Aktion(), QString());

    f.action.show();
    f.action.resize(700, 400);
    QApplication::processEvents();
    EXPECT_EQ(f.box("Check1_3")->geometry().right() + 1, 700) << "the backup boxes reach the right edge";
    EXPECT_EQ(f.box("Check3_2")->geometry().right() + 1, 700);
}

TEST(velkAction, ActionStringsRoundTrip)
{
    ActionFixture f;
    f.option(1)->click();
    f.box("Check1_1")->setChecked(true);
    f.box("Check1_2")->setChecked(true);
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("move|shortcut|recyclebin"));

    f.action.setAktion(QStringLiteral("delete|save:C:\\Archiv\\Alt|removepath"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("delete|save:C:\\Archiv\\Alt|removepath"));
    EXPECT_EQ(f.box("Check3_2")->text(), QStringLiteral("falls Datei: Sicherheitskopie in C:\\Archiv\\Alt"));
    EXPECT_EQ(f.enabled(), QStringLiteral("00000111"));
    EXPECT_TRUE(f.dialogs->questions().empty()) << "showing a choice opens no dialog";

    f.action.setAktion(QStringLiteral("copy"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("copy"));
    EXPECT_FALSE(f.box("Check2_1")->isChecked());
    EXPECT_EQ(f.enabled(), QStringLiteral("00001000"));
    EXPECT_TRUE(f.box("Check1_1")->isChecked()) << "only the chosen group's boxes are set";

    for (const char *other : {"", "archive|save:x", "Move"}) {
        f.action.setAktion(QString::fromLatin1(other));
        EXPECT_EQ(f.action.Aktion(), QString()) << other;
        EXPECT_EQ(f.enabled(), QStringLiteral("00000000"));
        EXPECT_FALSE(f.option(1)->isChecked() || f.option(2)->isChecked() || f.option(3)->isChecked()
                     || f.option(4)->isChecked());
    }
    // Ticks come from a substring test; the folder follows the first ":" even when empty.
    f.action.setAktion(QStringLiteral("move|removepathX|saveit"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("move|save:|removepath"));
    f.action.setAktion(QStringLiteral("link|rename"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("link"));
}

TEST(velkAction, OptionClicksEnableTheirGroup)
{
    ActionFixture f;
    f.option(2)->click();
    EXPECT_EQ(f.enabled(), QStringLiteral("00001000"));
    f.option(3)->click();
    EXPECT_EQ(f.enabled(), QStringLiteral("00000111"));
    f.option(4)->click();
    EXPECT_EQ(f.enabled(), QStringLiteral("00000000"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("link"));
    f.option(1)->setChecked(true); // a choice made in code counts as a click
    EXPECT_EQ(f.enabled(), QStringLiteral("11110000"));
}

TEST(velkAction, BackupBoxAsksForItsFolder)
{
    ActionFixture f;
    f.action.setAktion(QStringLiteral("move"));
    f.dialogs->answerDirectory(QStringLiteral("/srv/sicherung"));
    f.box("Check1_3")->click();
    ASSERT_EQ(f.dialogs->questions().size(), 1u);
    EXPECT_EQ(f.dialogs->questions()[0].title, QStringLiteral("Sicherheitskopie"));
    EXPECT_EQ(f.dialogs->questions()[0].text, QString()) << "the folder of the last \"move\" put";
    EXPECT_EQ(f.box("Check1_3")->text(), QStringLiteral("falls Datei: Sicherheitskopie in /srv/sicherung"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("move|save:/srv/sicherung"));

    f.box("Check1_3")->click();
    EXPECT_EQ(f.box("Check1_3")->text(), QStringLiteral("falls Datei: Sicherheitskopie"));

    f.dialogs->answerDirectory(QString()); // cancelled
    f.box("Check1_3")->click();
    EXPECT_EQ(f.dialogs->questions().back().text, QStringLiteral("/srv/sicherung"));
    EXPECT_FALSE(f.box("Check1_3")->isChecked());
    EXPECT_EQ(f.box("Check1_3")->text(), QStringLiteral("falls Datei: Sicherheitskopie"));
    EXPECT_EQ(f.action.Aktion(), QStringLiteral("move"));
}

TEST(ActionString, PutGetPutIsStable)
{
    const char *inputs[] = {"move|save:a:b|x", "move|save:shortcut", "delete|q:|save", "delete||save:|recyclebin",
                            "copy|renamed", "move|", "|move"};
    for (const char *input : inputs) {
        SCOPED_TRACE(input);
        ActionState state = ActionString::initial(QStringLiteral("/tmp"));
        ActionString::putAction(state, QString::fromLatin1(input));
        const QString first = ActionString::actionOf(state);
        ActionString::putAction(state, first);
        EXPECT_EQ(ActionString::actionOf(state), first);
    }
}
