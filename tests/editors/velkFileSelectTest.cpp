#include <velk/common/GUI.h>
#include <velk/common/StdRegistry.h>
#include <velk/editors/FileListing_p.h>
#include <velk/editors/StdSelectPath.h>
#include <velk/editors/velkFileSelect.h>
#include <velk/platform/ScriptedDialogs.h>
#include <velk/sheet/SheetModel_p.h>
#include <velk/sheet/SheetState_p.h>
#include <velk/sheet/velkSheet_p.h>
#include <velk/sheet/velkSheet.h>

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace velk;

namespace {

// A temporary tree: Akten/{Briefe/{alt/, Brief1.TXT, Antwort.pdf}, Rechnung.txt, .versteckt/},
// Bilder/, notiz.md, .hidden, and a link "schleife" in Briefe that points back to Akten.
struct Tree
{
    QTemporaryDir dir;
    QString root;

    Tree()
    {
        root = QDir(dir.path()).canonicalPath();
        QDir base(root);
        base.mkpath(QStringLiteral("Akten/Briefe/alt"));
        base.mkpath(QStringLiteral("Akten/.versteckt"));
        base.mkpath(QStringLiteral("Bilder"));
        for (const char *file : {"Akten/Briefe/Brief1.TXT", "Akten/Briefe/Antwort.pdf", "Akten/Rechnung.txt",
                                 "notiz.md", ".hidden"}) {
            QFile f(base.filePath(QString::fromLatin1(file)));
            f.open(QIODevice::WriteOnly);
        }
        QFile::link(base.filePath(QStringLiteral("Akten")), base.filePath(QStringLiteral("Akten/Briefe/schleife")));
    }
    QString path(const QString &rel) const { return root + u'/' + rel; }
};

// The first-column texts of the children of row `pos`.
QStringList childTexts(velkFileSelect &files, int pos)
{
    const SheetModel &model = SheetInternals::state(*files.sheet()).model();
    QStringList texts;
    for (int child = model.queryNext(0, pos); child; child = model.queryNext(1, child))
        texts << model.rows().at(child)->GetSubText(1);
    return texts;
}

int rowOf(velkFileSelect &files, const QString &text)
{
    const SheetModel &model = SheetInternals::state(*files.sheet()).model();
    for (int pos = 1; pos <= model.count(); ++pos) {
        if (model.rows().at(pos)->GetSubText(1) == text)
            return pos;
    }
    return 0;
}

} // namespace

TEST(FilePattern, MatchesWildcardListsWithoutRegardToCase)
{
    const FilePattern all(QStringLiteral("*.*"));
    EXPECT_TRUE(all.matches(QStringLiteral("README")));
    const FilePattern some(QStringLiteral("*.txt; *.PDF;brief?.doc"));
    EXPECT_TRUE(some.matches(QStringLiteral("a.TXT")));
    EXPECT_TRUE(some.matches(QStringLiteral("b.pdf")));
    EXPECT_TRUE(some.matches(QStringLiteral("Brief1.doc")));
    EXPECT_FALSE(some.matches(QStringLiteral("Brief12.doc")));
    EXPECT_FALSE(some.matches(QStringLiteral("a.txt.bak")));
    EXPECT_FALSE(FilePattern(QString()).matches(QStringLiteral("a")));
    EXPECT_FALSE(FilePattern(QStringLiteral("[")).matches(QStringLiteral("a")));
}

TEST(velkFileSelect, RootsListNoFolderAndSelectPathListsOnePerLevel)
{
    Tree tree;
    const int before = FileListing::listCount();
    velkFileSelect files;
    EXPECT_EQ(FileListing::listCount(), before);
    const SheetModel &model = SheetInternals::state(*files.sheet()).model();
    ASSERT_GE(model.count(), 2);
    EXPECT_EQ(model.rows().at(1)->GetSubText(1), QStringLiteral("/"));
    EXPECT_EQ(model.rows().at(1)->Tag, QStringLiteral("drive|/"));
    EXPECT_EQ(model.rows().at(2)->GetSubText(1), QStringLiteral("..."));
    EXPECT_EQ(rowOf(files, QStringLiteral("Eigene Dateien")), 0);

    // One listing per part below the volume the tree lies on (the longest matching root).
    const QString volume = QStorageInfo(tree.root).rootPath();
    const QStringList parts = tree.path(QStringLiteral("akten/BRIEFE/alt")).mid(volume.size()).split(u'/', Qt::SkipEmptyParts);
    const QString found = files.SelectPath(tree.path(QStringLiteral("akten/BRIEFE/alt")));
    EXPECT_EQ(found, tree.path(QStringLiteral("Akten/Briefe/alt")));
    EXPECT_EQ(FileListing::listCount() - before, parts.size());
    EXPECT_EQ(files.FullPath(files.sheet()->SelectedIndex()), found);

    // Backslashes split too; a part that does not exist stops at the deepest match.
    EXPECT_EQ(files.SelectPath(QString(tree.path(QStringLiteral("Akten\\fehlt\\x"))).replace(u'/', u'\\')),
              tree.path(QStringLiteral("Akten")));
    EXPECT_EQ(files.SelectPath(QStringLiteral("nirgends://x")), QString());
}

TEST(velkFileSelect, ExpandingReadsOnceWithPatternFlagsAndHiddenEntriesLeftOut)
{
    Tree tree;
    velkFileSelect files;
    files.setPattern(QStringLiteral("*.txt"));
    files.SelectPath(tree.path(QStringLiteral("Akten/Briefe")));
    const int briefe = files.sheet()->SelectedIndex();
    const int before = FileListing::listCount();
    files.ExpandRow(briefe);
    EXPECT_EQ(childTexts(files, briefe), (QStringList{QStringLiteral("alt"), QStringLiteral("schleife"), QStringLiteral("Brief1.TXT")}));
    files.ExpandRow(briefe);
    EXPECT_EQ(FileListing::listCount() - before, 1);
    const int brief = rowOf(files, QStringLiteral("Brief1.TXT"));
    EXPECT_EQ(SheetInternals::state(*files.sheet()).model().rows().at(brief)->Tag, QStringLiteral("file"));
    EXPECT_EQ(files.FullPath(brief), tree.path(QStringLiteral("Akten/Briefe/Brief1.TXT")));

    // The link back to an ancestor expands to nothing.
    const int loop = rowOf(files, QStringLiteral("schleife"));
    files.ExpandRow(loop);
    EXPECT_EQ(childTexts(files, loop), QStringList());

    files.setFlags(QStringLiteral("onlypath multiselect"));
    EXPECT_EQ(files.sheet()->flags(), QStringLiteral("singleselect multiselect"));
    files.SelectPath(tree.root);
    const int top = files.sheet()->SelectedIndex();
    files.ExpandRow(top);
    EXPECT_EQ(childTexts(files, top), (QStringList{QStringLiteral("Akten"), QStringLiteral("Bilder")}));
}

TEST(velkFileSelect, RegisteredRootsAskTheHostAndClicksReportPaths)
{
    velkFileSelect files;
    files.Register(QStringLiteral("db"), QStringLiteral("Archiv"), QStringLiteral("archiv://"));
    QStringList asked;
    QObject::connect(files.events(), &velkFileSelectEvents::Extension, &files,
                     [&asked](const QString &pfd, Collection<QString> &lstfiles, Collection<QString> &lstpaths) {
                         asked << pfd;
                         if (pfd == u"archiv://") {
                             lstpaths.Add(QStringLiteral("Rechnungen"));
                             lstfiles.Add(QStringLiteral("Vertrag.pdf"));
                         }
                     });
    QSignalSpy clickPath(files.events(), &velkFileSelectEvents::ClickPath);
    QSignalSpy click(files.events(), &velkFileSelectEvents::Click);
    QSignalSpy dbl(files.events(), &velkFileSelectEvents::DblClick);

    EXPECT_EQ(files.SelectPath(QStringLiteral("ARCHIV://rechnungen")), QStringLiteral("archiv://Rechnungen"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("archiv://")}));
    EXPECT_EQ(clickPath.count(), 0);
    const int archiv = rowOf(files, QStringLiteral("Archiv"));
    EXPECT_EQ(SheetInternals::state(*files.sheet()).model().rows().at(archiv)->Tag, QStringLiteral("path|archiv://"));
    EXPECT_EQ(childTexts(files, archiv), (QStringList{QStringLiteral("Rechnungen"), QStringLiteral("Vertrag.pdf")}));

    const int vertrag = rowOf(files, QStringLiteral("Vertrag.pdf"));
    files.sheet()->setSelectedIndex(vertrag);
    ASSERT_EQ(click.count(), 1);
    EXPECT_EQ(click.at(0).at(0).toString(), QStringLiteral("archiv://Vertrag.pdf"));
    files.sheet()->setSelectedIndex(rowOf(files, QStringLiteral("Rechnungen")));
    ASSERT_EQ(clickPath.count(), 1);
    EXPECT_EQ(clickPath.at(0).at(0).toString(), QStringLiteral("archiv://Rechnungen"));
    files.sheet()->events()->DblClick(vertrag, 1);
    EXPECT_EQ(dbl.count(), 1);

    // The keyboard expands too: Right on the folder reads it.
    QTest::keyClick(files.sheet(), Qt::Key_Right);
    EXPECT_EQ(asked.last(), QStringLiteral("archiv://Rechnungen"));
}

TEST(velkFileSelect, ShellFoldersComeFromSettingsElseStandardPaths)
{
    Tree tree;
    const QString key = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    RegSetString(1, key, QStringLiteral("Favorites"), tree.path(QStringLiteral("Akten")));
    RegSetString(1, key, QStringLiteral("AppData"), tree.root);
    EXPECT_EQ(velkFileSelect::ShellFolderPath(QStringLiteral("Morvai")), tree.path(QStringLiteral("Morvai")));
    EXPECT_EQ(velkFileSelect::ShellFolderPath(QStringLiteral("Favorites")), tree.path(QStringLiteral("Akten")));
    velkFileSelect files;
    files.setFlags(QStringLiteral("shellfolders"));
    const int favorites = rowOf(files, QStringLiteral("Favoriten"));
    ASSERT_GT(favorites, 0);
    EXPECT_EQ(SheetInternals::state(*files.sheet()).model().rows().at(favorites)->Tag, QStringLiteral("path|{Favorites}"));
    files.ExpandRow(favorites);
    EXPECT_EQ(childTexts(files, favorites), (QStringList{QStringLiteral("Briefe"), QStringLiteral("Rechnung.txt")}));
    RegSetString(1, key, QStringLiteral("Favorites"), QString());
    RegSetString(1, key, QStringLiteral("AppData"), QString());
    EXPECT_EQ(velkFileSelect::ShellFolderPath(QStringLiteral("Favorites")), QString());
}

TEST(GUI, SelectPathRunsTheFolderForm)
{
    Tree tree;
    ScopedDialogs dialogs;
    GUI gui;
    dialogs->answerForm([&](QDialog &form) {
        auto *text1 = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
        auto *files = form.findChild<velkFileSelect *>(QStringLiteral("velkFileSelect1"));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Ablage w\u00e4hlen"));
        EXPECT_EQ(text1->text(), tree.path(QStringLiteral("Akten")));
        EXPECT_GT(rowOf(*files, QStringLiteral("Outlook")), 0);
        files->ExpandRow(rowOf(*files, QStringLiteral("Akten")));
        EXPECT_EQ(rowOf(*files, QStringLiteral("Rechnung.txt")), 0); // folders only
        files->sheet()->setSelectedIndex(rowOf(*files, QStringLiteral("Briefe")));
        form.findChild<QPushButton *>(QStringLiteral("C_OK"))->click();
    });
    EXPECT_EQ(gui.SelectPath(nullptr, QStringLiteral("Ablage w\u00e4hlen"), tree.path(QStringLiteral("Akten"))),
              tree.path(QStringLiteral("Akten/Briefe")));
    dialogs->answerForm([](QDialog &form) { form.findChild<QPushButton *>(QStringLiteral("C_Cancel"))->click(); });
    EXPECT_EQ(gui.SelectPath(nullptr, QString(), tree.root), QString());
}
