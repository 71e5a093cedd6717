#include <velk/common/TextFile.h>
#include <velk/common/Translate.h>

#include "support/TestSupport.h"

#include <QTemporaryDir>

using namespace velk;

namespace {
class TranslateTest : public ::testing::Test
{
protected:
    void TearDown() override { UnloadLanguage(); }
    QString writeLanguage(const QString &text)
    {
        const QString path = m_dir.filePath(QStringLiteral("lang.txt"));
        EXPECT_TRUE(TextFile::write(path, text));
        return path;
    }
    QTemporaryDir m_dir;
};
}

TEST_F(TranslateTest, BuiltInGermanTexts)
{
    ASSERT_FALSE(IsLanguageActive());
    const std::pair<int, const char *> rows[] = {
        {2014, "keine Aktion"}, {2017, "Löschen"}, {2033, "Keywords"},
        {3051, "Das Keyword von allen Items umbenennen?"}, {3104, "Keyword"},
        {3105, "Keyword umbenennen"}, {3137, "neu"}, {3139, "neues Keyword"}, {3279, "Vorschlag"},
        {3280, "automatisch durchführen"}, {3052, "Datei aktualisieren"},
        {3053, "Datei aus dem Sync-Folder laden"}, {3054, "Datei aus Liste entfernen"},
        {3056, "Datei im Sync-Folder löschen"}, {3057, "Datei in den Sync-Folder laden"},
        {3058, "Datei lokal löschen"}, {3202, "wird nicht synchonisiert"},
        {3299, "Datei von Verz.2 nach Verz.1 kopieren"}, {3300, "Datei von Verz.1 nach Verz.2 kopieren"},
        {3301, "Datei in Verz.2 löschen"}, {3302, "Datei in Verz.1 löschen"},
        {1076, ""}, {9021, ""}, {0, ""}, {-1, ""},
    };
    for (const auto &[id, text] : rows)
        EXPECT_EQ(Translate(id), QString::fromUtf8(text)) << id;
}

TEST_F(TranslateTest, LoadedLanguageReplacesEveryText)
{
    const QString path = writeLanguage(QStringLiteral(
        "# English\r\n"
        "\r\n"
        "1076 = Rename keyword\r\n"
        "2033=Keywords\r\n"
        "2033=Key words\r\n"
        "3051=Rename in all items?\\nReally?\r\n"
        "9021=Größe \\\\ Ä\r\n"
        "02014=No action\r\n"
        "x=ignored\r\n"
        "70000=ignored\r\n"
        "no equals sign"));
    ASSERT_TRUE(LoadLanguage(path));
    ASSERT_TRUE(IsLanguageActive());
    EXPECT_EQ(Translate(1076), QStringLiteral("Rename keyword"));
    EXPECT_EQ(Translate(2033), QStringLiteral("Key words"));
    EXPECT_EQ(Translate(3051), QStringLiteral("Rename in all items?\r\nReally?"));
    EXPECT_EQ(Translate(9021), QStringLiteral("Größe \\ Ä"));
    EXPECT_EQ(Translate(2014), QStringLiteral("No action"));
    EXPECT_EQ(Translate(2017), QStringLiteral("???"));
    EXPECT_EQ(Translate(4464), QStringLiteral("???")); // 70000 does not wrap onto a 16-bit number

    UnloadLanguage();
    EXPECT_FALSE(IsLanguageActive());
    EXPECT_EQ(Translate(2017), QStringLiteral("Löschen"));
    EXPECT_EQ(Translate(1076), QString());
}

TEST_F(TranslateTest, UnreadableFileKeepsTheCurrentLanguage)
{
    ASSERT_TRUE(LoadLanguage(writeLanguage(QStringLiteral("2017=Delete\n"))));
    EXPECT_FALSE(LoadLanguage(m_dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_TRUE(IsLanguageActive());
    EXPECT_EQ(Translate(2017), QStringLiteral("Delete"));
}
