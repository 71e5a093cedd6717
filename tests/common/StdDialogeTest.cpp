#include <velk/common/StdDialoge.h>
#include <velk/platform/Input.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/platform/ScriptedScreen.h>

#include <support/TestSupport.h>

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPalette>

using namespace velk;

TEST(StdDialoge, BuildFileFilterTurnsExtensionListsIntoCaptionsAndPatterns)
{
    struct Row { const char *name; QString filter; QString built; };
    const Row rows[] = {
        {"table rows", QStringLiteral("#doc#xls"), QStringLiteral("Word-Dateien|*.doc|Excel-Dateien|*.xls")},
        {"every file", QStringLiteral("#*"), QStringLiteral("Alle Dateien|*.*")},
        {"caption with a hyphen", QStringLiteral("#mdb#dat"), QStringLiteral("Access-Datenbank-Dateien|*.mdb|Morvai-Daten-Dateien|*.dat")},
        {"extension without a row", QStringLiteral("#pdf"), QStringLiteral("pdf-Dateien|*.pdf")},
        {"table is case-sensitive", QStringLiteral("#DOC"), QStringLiteral("DOC-Dateien|*.DOC")},
        {"empty extensions skipped", QStringLiteral("#txt##*#"), QStringLiteral("Text-Dateien|*.txt|Alle Dateien|*.*")},
        {"only the mark", QStringLiteral("#"), QString()},
        {"ready-made filter", QStringLiteral("Bilder|*.bmp;*.jpg"), QStringLiteral("Bilder|*.bmp;*.jpg")},
        {"empty", QString(), QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(BuildFileFilter(row.filter), row.built);
    }
}

TEST(StdDialoge, QtFileFilterTranslatesCaptionPatternPairs)
{
    struct Row { const char *name; QString filter; QString qt; };
    const Row rows[] = {
        {"two entries", QStringLiteral("Word-Dateien|*.doc|Alle Dateien|*.*"), QStringLiteral("Word-Dateien (*.doc);;Alle Dateien (*)")},
        {"several patterns", QStringLiteral("Bilder|*.bmp; *.jpg"), QStringLiteral("Bilder (*.bmp *.jpg)")},
        {"caption already names its pattern", QStringLiteral("Text (*.txt)|*.txt"), QStringLiteral("Text (*.txt)")},
        {"caption names other words", QStringLiteral("Bilder (bmp)|*.bmp"), QStringLiteral("Bilder (bmp) (*.bmp)")},
        {"caption without pattern dropped", QStringLiteral("Text|*.txt|Rest"), QStringLiteral("Text (*.txt)")},
        {"empty pattern dropped", QStringLiteral("Leer||Text|*.txt"), QStringLiteral("Text (*.txt)")},
        {"empty", QString(), QString()},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(QtFileFilter(row.filter), row.qt);
    }
}

TEST(StdDialoge, FileDialogAsksWithTheModesOptionsAndSplitsTheAnswer)
{
    using namespace FileDialogOption;
    struct Row { const char *name; int mode; Dialogs::Kind kind; int options; };
    const Row rows[] = {
        {"open", 0, Dialogs::Kind::OpenFile, PathMustExist | FileMustExist | HideReadOnly},
        {"save with prompt", 1, Dialogs::Kind::SaveFile, OverwritePrompt | PathMustExist | HideReadOnly},
        {"save without prompt", 2, Dialogs::Kind::SaveFile, PathMustExist | HideReadOnly},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScopedDialogs dialogs;
        dialogs->answerOpenFile(QStringLiteral("/daten/briefe/brief.doc"));
        dialogs->answerSaveFile(QStringLiteral("/daten/briefe/brief.doc"));
        QString dir = QStringLiteral("/start");
        EXPECT_EQ(FileDialog(nullptr, QStringLiteral("alt.doc"), dir, QStringLiteral("Öffnen"),
                             QStringLiteral("#doc#*"), QStringLiteral("doc"), row.mode),
                  QStringLiteral("brief.doc"));
        EXPECT_EQ(dir, QStringLiteral("/daten/briefe"));
        ASSERT_EQ(dialogs->questions().size(), 1u);
        const ScriptedDialogs::Question &q = dialogs->questions().front();
        EXPECT_EQ(q.kind, row.kind);
        EXPECT_EQ(q.flags, row.options);
        EXPECT_EQ(q.title, QStringLiteral("Öffnen"));
        EXPECT_EQ(q.text, QStringLiteral("/start/alt.doc"));
        EXPECT_EQ(q.filter, QStringLiteral("Word-Dateien (*.doc);;Alle Dateien (*)"));
        EXPECT_EQ(q.suffix, QStringLiteral("doc"));
    }
}

TEST(StdDialoge, FileDialogWithoutFolderStartsInTheCurrentOneAndGivesTheFullPath)
{
    ScopedDialogs dialogs;
    dialogs->answerSaveFile(QStringLiteral("/daten/x.txt"));
    dialogs->answerOpenFile(QString()); // cancelled
    QString dir;
    EXPECT_EQ(FileDialog(nullptr, QString(), dir, {}, {}, {}, 1), QStringLiteral("/daten/x.txt"));
    EXPECT_EQ(dir, QString());
    EXPECT_EQ(dialogs->questions()[0].text, QDir::currentPath());

    dir = QStringLiteral("/bleibt");
    EXPECT_EQ(FileDialog(nullptr, QStringLiteral("a.txt"), dir), QString());
    EXPECT_EQ(dir, QStringLiteral("/bleibt"));
}

TEST(StdDialoge, ChooseColorDialogPreselectsAndSetsOnlyOnConfirm)
{
    ScopedDialogs dialogs;
    dialogs->answerColor(QColor(10, 20, 30));
    dialogs->answerColor(std::nullopt);
    dialogs->answerColor(QColor(1, 2, 3));

    Color color = rgbColor(255, 128, 0);
    EXPECT_TRUE(ChooseColorDialog(nullptr, color));
    EXPECT_EQ(color, rgbColor(10, 20, 30));
    EXPECT_EQ(dialogs->questions()[0].text, QStringLiteral("#ff8000"));

    EXPECT_FALSE(ChooseColorDialog(nullptr, color));
    EXPECT_EQ(color, rgbColor(10, 20, 30));

    color = SystemColor::ButtonFace;
    EXPECT_TRUE(ChooseColorDialog(nullptr, color));
    EXPECT_EQ(dialogs->questions()[2].text, QGuiApplication::palette().color(QPalette::Button).name());
    EXPECT_EQ(color, rgbColor(1, 2, 3));
}

TEST(StdDialoge, BusyPointerDoesNotPileUpAndLeavesOtherOverridesAlone)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    SetBusyPointer(false);
    SetBusyPointer(false);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetBusyPointer(true);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    SetBusyPointer(true); // not busy: nothing of ours to take away
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    SetBusyPointer(false);
    SetBusyPointer(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
}

TEST(StdDialoge, GetShiftStateReadsShiftAndCtrlOnly)
{
    ScriptedScreenScope screen;
    struct Row { const char *name; std::vector<int> held; int state; };
    const Row rows[] = {
        {"nothing", {}, 0},
        {"shift", {KeyCode::Shift}, 1},
        {"ctrl", {KeyCode::Control}, 2},
        {"shift and ctrl", {KeyCode::Shift, KeyCode::Control}, 3},
        {"alt is not counted", {KeyCode::Menu, KeyCode::Shift}, 1},
        {"mouse buttons are not counted", {MouseButton::Left, KeyCode::Control}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        screen->releaseAllKeys();
        for (int key : row.held)
            screen->setKeyDown(key);
        EXPECT_EQ(GetShiftState(), row.state);
    }
}
