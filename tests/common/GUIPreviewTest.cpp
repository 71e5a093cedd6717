#include <velk/common/GUI.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

#include <QDialog>

using namespace velk;

TEST(GUI, ReplaceVariablesExpandsThePageText)
{
    GUI gui;
    QString text = QStringLiteral("Hallo #NAME, #NAME(2)!");
    gui.ReplaceVariables(text, QStringLiteral("NAME=Welt;Mond\r\nX=1"));
    EXPECT_EQ(text, QStringLiteral("Hallo Welt, Mond!"));
}

TEST(GUI, PreviewsRunThePreviewFormWithItsHiddenFileSelector)
{
    ScopedDialogs dialogs;
    GUI gui;
    QStringList captions;
    const auto answer = [&captions](QDialog &form) {
        captions << form.windowTitle();
        EXPECT_EQ(form.objectName(), QStringLiteral("PreView"));
        QWidget *files = form.findChild<QWidget *>(QStringLiteral("velkFileSelect1"));
        ASSERT_NE(files, nullptr);
        EXPECT_FALSE(files->isVisibleTo(&form));
        form.reject();
    };
    dialogs->answerForm(answer);
    gui.ShowPreView(QStringLiteral("Vorschau"), QStringLiteral("Text #A"), QStringLiteral("A=1"));
    velkSheet sheet;
    sheet.AddItem(QStringLiteral("Zeile"));
    dialogs->answerForm(answer);
    gui.ShowPreView_Auswertung(QStringLiteral("Auswertung"), &sheet, QString(), QStringLiteral("01.01.2026"));
    gui.ShowPreView_Auswertung(QStringLiteral("ohne Liste"), nullptr, QString(), QString());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Vorschau"), QStringLiteral("Auswertung")}));
    EXPECT_EQ(dialogs->pendingAnswers(), 0);
}
