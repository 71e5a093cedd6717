#include <velk/platform/QtDialogs.h>
#include <velk/platform/ScriptedDialogs.h>

#include <support/TestSupport.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace velk;

TEST(ScriptedDialogs, AnswersEachKindFromItsOwnQueueInOrder)
{
    ScriptedDialogs dialogs;
    dialogs.answerMsgBox(MsgBoxResult::Yes);
    dialogs.answerMsgBox(MsgBoxResult::No);
    dialogs.answerInputBox(QStringLiteral("Müller"));
    dialogs.answerInputBox(std::nullopt);
    dialogs.answerOpenFile(QStringLiteral("/tmp/a.doc"));
    dialogs.answerSaveFile(QStringLiteral("/tmp/b.xls"));
    dialogs.answerDirectory(QStringLiteral("/tmp"));
    dialogs.answerColor(QColor(10, 20, 30));
    EXPECT_EQ(dialogs.pendingAnswers(), 8);

    // Asked in another order than queued: each kind keeps its own order.
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Name?")), QStringLiteral("Müller"));
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Sicher?"), MsgBoxStyle::YesNo + MsgBoxStyle::Question,
                             QStringLiteral("Löschen")), MsgBoxResult::Yes);
    EXPECT_EQ(dialogs.getSaveFileName(nullptr, {}, {}, {}), QStringLiteral("/tmp/b.xls"));
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Wirklich?"), MsgBoxStyle::YesNo), MsgBoxResult::No);
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Name?")), std::nullopt);
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}, {}, {}), QStringLiteral("/tmp/a.doc"));
    EXPECT_EQ(dialogs.getExistingDirectory(nullptr, {}, {}), QStringLiteral("/tmp"));
    bool ok = false;
    EXPECT_EQ(dialogs.getColor(nullptr, Qt::white, ok), QColor(10, 20, 30));
    EXPECT_TRUE(ok);

    EXPECT_EQ(dialogs.pendingAnswers(), 0);
    EXPECT_TRUE(dialogs.unanswered().empty());
    ASSERT_EQ(dialogs.questions().size(), 8u);
    const ScriptedDialogs::Question &q = dialogs.questions()[1];
    EXPECT_EQ(q.kind, Dialogs::Kind::MsgBox);
    EXPECT_EQ(q.prompt, QStringLiteral("Sicher?"));
    EXPECT_EQ(q.title, QStringLiteral("Löschen"));
    EXPECT_EQ(q.flags, 36);
}

TEST(ScriptedDialogs, QuestionWithoutAnswerCancelsAndIsReported)
{
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Löschen?"), MsgBoxStyle::YesNo), MsgBoxResult::Cancel);
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Wert?"), {}, QStringLiteral("vorgabe")), std::nullopt);
    EXPECT_EQ(dialogs.getOpenFileName(nullptr, {}, {}, {}), QString());
    bool ok = true;
    EXPECT_EQ(dialogs.getColor(nullptr, QColor(1, 2, 3), ok), QColor(1, 2, 3));
    EXPECT_FALSE(ok);
    QDialog form;
    form.setObjectName(QStringLiteral("DateForm"));
    EXPECT_EQ(dialogs.exec(form), QDialog::Rejected);

    const auto missing = dialogs.unanswered();
    ASSERT_EQ(missing.size(), 5u);
    EXPECT_EQ(missing[0].prompt, QStringLiteral("Löschen?"));
    EXPECT_EQ(missing[1].text, QStringLiteral("vorgabe"));
    EXPECT_EQ(missing[4].kind, Dialogs::Kind::Form);
    EXPECT_EQ(missing[4].prompt, QStringLiteral("DateForm"));
}

TEST(ScriptedDialogs, FormHandlerFillsAndClosesTheForm)
{
    ScriptedDialogs dialogs;
    QDialog form;
    form.setWindowTitle(QStringLiteral("Anmeldung"));
    auto *edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("User"));
    int acceptedSignals = 0;
    QObject::connect(&form, &QDialog::accepted, [&] { ++acceptedSignals; });

    dialogs.answerForm([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("User"))->setText(QStringLiteral("anna"));
        d.accept();
    });
    dialogs.answerForm([](QDialog &d) { d.reject(); });
    dialogs.answerForm([](QDialog &) {}); // leaves the form open: counts as cancelled

    EXPECT_EQ(dialogs.exec(form), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("anna"));
    EXPECT_EQ(acceptedSignals, 1);
    EXPECT_EQ(dialogs.exec(form), QDialog::Rejected);
    EXPECT_EQ(dialogs.exec(form), QDialog::Rejected);
    EXPECT_EQ(dialogs.questions().back().title, QStringLiteral("Anmeldung"));
    EXPECT_TRUE(dialogs.unanswered().empty());
}

TEST(Dialogs, ScopedDialogsInstallsAndRestores)
{
    Dialogs *before = &Dialogs::instance();
    {
        ScopedDialogs scripted;
        EXPECT_EQ(&Dialogs::instance(), &*scripted);
        scripted->answerMsgBox(MsgBoxResult::Retry);
        EXPECT_EQ(Dialogs::instance().MsgBox(QStringLiteral("x")), MsgBoxResult::Retry);
        {
            ScopedDialogs inner;
            EXPECT_EQ(&Dialogs::instance(), &*inner);
        }
        EXPECT_EQ(&Dialogs::instance(), &*scripted);
    }
    EXPECT_EQ(&Dialogs::instance(), before);
    EXPECT_NE(dynamic_cast<QtDialogs *>(before), nullptr);
}

namespace {

// Clicks the button with `text` on the message box once it is open and records the
// texts of all its buttons and of its default button.
struct MsgBoxClicker
{
    QString click;
    QStringList texts;
    QString defaultText;
    QString title;

    void arm()
    {
        QTimer::singleShot(0, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            for (QAbstractButton *b : box->buttons())
                texts << b->text();
            if (box->defaultButton())
                defaultText = box->defaultButton()->text();
            for (QAbstractButton *b : box->buttons()) {
                if (b->text() == click) {
                    b->click();
                    return;
                }
            }
            box->reject(); // as if closed
        });
    }
};

} // namespace

TEST(QtDialogs, MsgBoxShowsGermanButtonsAndReturnsTheirAnswerCodes)
{
    struct Row
    {
        const char *name;
        int style;
        QString click;
        QStringList texts;
        QString defaultText;
        int result;
    };
    const QString ok = QStringLiteral("OK"), abbrechen = QStringLiteral("Abbrechen"),
                  ja = QStringLiteral("Ja"), nein = QStringLiteral("Nein"),
                  wiederholen = QStringLiteral("Wiederholen"), ignorieren = QStringLiteral("Ignorieren");
    const Row rows[] = {
        {"OK only", 0, ok, {ok}, ok, MsgBoxResult::Ok},
        {"OK/Cancel, cancel", 1, abbrechen, {ok, abbrechen}, ok, MsgBoxResult::Cancel},
        {"Abort/Retry/Ignore, ignore", 2 + 512, ignorieren, {abbrechen, wiederholen, ignorieren}, ignorieren, MsgBoxResult::Ignore},
        {"Abort/Retry/Ignore, abort", 2, abbrechen, {abbrechen, wiederholen, ignorieren}, abbrechen, MsgBoxResult::Abort},
        {"Yes/No/Cancel, no, second default", 3 + 256 + 32, nein, {ja, nein, abbrechen}, nein, MsgBoxResult::No},
        {"Yes/No, yes", 4 + 48, ja, {ja, nein}, ja, MsgBoxResult::Yes},
        {"Yes/No closed", 4, QString(), {ja, nein}, ja, MsgBoxResult::No},
        {"Retry/Cancel, retry", 5 + 16, wiederholen, {wiederholen, abbrechen}, wiederholen, MsgBoxResult::Retry},
        {"Retry/Cancel closed", 5, QString(), {wiederholen, abbrechen}, wiederholen, MsgBoxResult::Cancel},
        {"default past the last button", 4 + 512, ja, {ja, nein}, ja, MsgBoxResult::Yes},
    };
    QtDialogs dialogs;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        MsgBoxClicker clicker{row.click};
        clicker.arm();
        EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Frage"), row.style, QStringLiteral("Titel")), row.result);
        QStringList sortedTexts = clicker.texts, expected = row.texts;
        sortedTexts.sort();
        expected.sort();
        EXPECT_EQ(sortedTexts, expected);
        EXPECT_EQ(clicker.defaultText, row.defaultText);
        EXPECT_EQ(clicker.title, QStringLiteral("Titel"));
    }
}
