#include <velk/common/Credentials_p.h>
#include <velk/common/GUI.h>
#include <velk/common/StdRegistry.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/platform/SettingsStore.h>

#include "support/TestSupport.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace velk;

namespace {

const QString kKey = QString::fromLatin1(Credentials::SettingsKey);

// Whether `needle` appears in any file of the settings folder.
bool settingsContain(const QString &needle)
{
    QDirIterator it(SettingsStore::defaultDirectory(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(needle.toUtf8()))
            return true;
    }
    return false;
}

// Answers the next credentials form with user and password (or cancels when `ok` is false),
// recording what the form showed.
void answerPrompt(ScriptedDialogs &dialogs, const QString &user, const QString &password, bool ok,
                  QStringList *shown = nullptr)
{
    dialogs.answerForm([=](QDialog &form) {
        auto *userField = form.findChild<QLineEdit *>(QStringLiteral("T_User"));
        auto *passwordField = form.findChild<QLineEdit *>(QStringLiteral("T_Password"));
        if (shown)
            *shown = {userField->text(), passwordField->text()};
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        userField->setText(user);
        passwordField->setText(password);
        form.findChild<QPushButton *>(ok ? QStringLiteral("C_OK") : QStringLiteral("C_Cancel"))->click();
    });
}

// Both credential paths: the answer comes back, the prompt is preset, the password never
// reaches the settings files, and cancelling changes nothing.
void checkRoundTrip(const QString &url)
{
    ScopedDialogs dialogs;
    GUI gui;
    QStringList shown;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    answerPrompt(*dialogs, QStringLiteral("anna"), QStringLiteral("ge:h:eim"), true, &shown);
    EXPECT_TRUE(gui.AskUserPassword(url));
    EXPECT_EQ(shown, (QStringList{QString(), QString()}));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(GUI::UserName(url), QStringLiteral("anna"));
    EXPECT_EQ(GUI::Password(url), QStringLiteral("ge:h:eim"));
    EXPECT_FALSE(settingsContain(QStringLiteral("ge:h:eim")));
    EXPECT_FALSE(settingsContain(QStringLiteral("anna")));
    EXPECT_TRUE(RegGetString(1, kKey, url).startsWith(QStringLiteral("~#")));

    answerPrompt(*dialogs, QStringLiteral("bert"), QStringLiteral("x"), false, &shown);
    EXPECT_FALSE(gui.AskUserPassword(url));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("anna"), QStringLiteral("ge:h:eim")}));
    EXPECT_EQ(Credentials::read(url), QStringLiteral("anna:ge:h:eim"));
    EXPECT_EQ(GUI::UserName(url), QStringLiteral("anna"));
}

} // namespace

TEST(Credentials, ScrambledAndEscapedValuesBothRead)
{
    for (const QString &plain : {QString(), QStringLiteral("a:b"), QStringLiteral("M\u00fcller:%~#\u20ac\U0001F511")}) {
        const QString stored = Credentials::scramble(plain);
        EXPECT_TRUE(stored.startsWith(QStringLiteral("~#")) && stored.endsWith(u'%'));
        EXPECT_EQ(stored.count(u'%'), 1);
        EXPECT_EQ(Credentials::unscramble(stored), plain);
    }
    EXPECT_EQ(Credentials::unscramble(QStringLiteral("user:pa\\058ss")), QStringLiteral("user:pa:ss"));
    EXPECT_EQ(Credentials::unscramble(QStringLiteral("~#zz")), QString());
}

TEST(Credentials, WithoutABusTheScrambledSettingsValueKeepsTheAnswer)
{
    if (qEnvironmentVariableIsSet("VELK_TEST_KEYRING"))
        GTEST_SKIP() << "this run has a keyring";
    RegSetString(1, kKey, QStringLiteral("https://alt.example"), QStringLiteral("alt:pass\\058wort"));
    EXPECT_EQ(Credentials::read(QStringLiteral("https://alt.example")), QStringLiteral("alt:pass:wort"));
    checkRoundTrip(QStringLiteral("https://archiv.example/dav"));
    EXPECT_FALSE(Credentials::keyringAnswered());
    EXPECT_EQ(Credentials::unscramble(RegGetString(1, kKey, QStringLiteral("https://archiv.example/dav"))),
              QStringLiteral("anna:ge:h:eim"));
}

TEST(CredentialsKeyring, TheKeyringKeepsTheAnswerAndSettingsOnlyTheUser)
{
    if (!qEnvironmentVariableIsSet("VELK_TEST_KEYRING"))
        GTEST_SKIP() << "needs the private keyring session (CTest entry velk_credentials_keyring)";
    checkRoundTrip(QStringLiteral("https://keyring.example/dav"));
    EXPECT_TRUE(Credentials::keyringAnswered());
    EXPECT_EQ(Credentials::unscramble(RegGetString(1, kKey, QStringLiteral("https://keyring.example/dav"))),
              QStringLiteral("anna"));
}
