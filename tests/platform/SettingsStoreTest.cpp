#include <velk/platform/SettingsStore.h>
#include <velk/platform/SettingsTree_p.h>

#include <support/TestSupport.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace velk;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Sets (or, for a null text, removes) an environment variable for one scope.
struct ScopedEnv
{
    const char *name;
    std::optional<QByteArray> old;
    ScopedEnv(const char *n, const QString &value) : name(n)
    {
        if (qEnvironmentVariableIsSet(name))
            old = qgetenv(name);
        value.isNull() ? qunsetenv(name) : qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { old ? qputenv(name, *old) : qunsetenv(name); }
};

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    return bytes;
}

} // namespace

TEST(SettingsStore, EveryValueTypeAndOddTextSurvivesTheFile)
{
    struct Row
    {
        const char *name;
        QString key;
        QString valueName;
        SettingsValue value;
    };
    const QString odd = QStringLiteral("Grüße = [x] \"q\" C:\\temp\\ € 5\tTab\r\nZeile 2\nZeile 3\x01 ;");
    const Row rows[] = {
        {"umlauts, =, [, quotes, backslash, €, newlines", QStringLiteral("Software\\velk"), QStringLiteral("Text"), SettingsValue::fromString(odd)},
        {"empty string", QStringLiteral("Software\\velk"), QStringLiteral("Leer"), SettingsValue::fromString(QString())},
        {"text outside Windows-1252", QStringLiteral("Software\\velk"), QStringLiteral("Japanisch"), SettingsValue::fromString(QStringLiteral("日本 😀"))},
        {"unpaired surrogate", QStringLiteral("Software\\velk"), QStringLiteral("Halb"), SettingsValue::fromString(QString(QChar(0xD800)) + u'x')},
        {"all 256 bytes", QStringLiteral("Software\\velk"), QStringLiteral("Roh"), SettingsValue::fromBinary(allBytes())},
        {"no bytes", QStringLiteral("Software\\velk"), QStringLiteral("RohLeer"), SettingsValue::fromBinary(QByteArray())},
        {"zero", QStringLiteral("Software\\velk"), QStringLiteral("Null"), SettingsValue::fromNumber(0)},
        {"largest number", QStringLiteral("Software\\velk"), QStringLiteral("Max"), SettingsValue::fromNumber(0xFFFFFFFFu)},
        {"multi-string", QStringLiteral("Software\\velk"), QStringLiteral("Liste"), SettingsValue::fromStrings({QStringLiteral("a,b"), QStringLiteral("\"c\""), odd})},
        {"empty multi-string", QStringLiteral("Software\\velk"), QStringLiteral("ListeLeer"), SettingsValue::fromStrings({})},
        {"multi-string of one empty text", QStringLiteral("Software\\velk"), QStringLiteral("ListeEins"), SettingsValue::fromStrings({QString()})},
        {"odd value name", QStringLiteral("Software\\velk"), QStringLiteral("Größe=\"[1]\"\\n"), SettingsValue::fromString(QStringLiteral("v"))},
        {"odd key names", QStringLiteral("Software\\Ümlaut [1] 100%\\a=b \"c\"\\Zeile\nUmbruch"), QStringLiteral("x"), SettingsValue::fromNumber(7)},
        {"value of the root key", QString(), QStringLiteral("Wurzel"), SettingsValue::fromString(QStringLiteral("r"))},
    };
    QTemporaryDir dir;
    SettingsStore writer(dir.path());
    for (const Row &row : rows)
        ASSERT_TRUE(writer.writeValue(1, row.key, row.valueName, row.value)) << row.name;

    SettingsStore reader(dir.path()); // nothing cached: everything comes from the file
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(reader.readValue(1, row.key, row.valueName), row.value);
    }
    EXPECT_TRUE(reader.valueNames(1, QStringLiteral("Software\\Ümlaut [1] 100%")).isEmpty());
    EXPECT_EQ(reader.subKeys(1, QStringLiteral("Software\\Ümlaut [1] 100%")),
              QStringList{QStringLiteral("a=b \"c\"")});
}

TEST(SettingsStore, FileFollowsTheTextFileRule)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("Software\\velk"), QStringLiteral("Ort"),
                                 SettingsValue::fromString(QStringLiteral("Köln €"))));
    const QByteArray ansi = fileBytes(store.filePath(1));
    EXPECT_FALSE(ansi.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(ansi.contains("[Software\\velk]\r\n\"Ort\"=\"K\xF6ln \x80\"\r\n")) << ansi.constData();
    EXPECT_FALSE(ansi.contains("\n\n")) << "every line ends in CR LF";
}

TEST(SettingsStore, MissingRootsKeysAndValuesReadAsNothing)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("Software\\velk"), QStringLiteral("A"),
                                 SettingsValue::fromString(QStringLiteral("1"))));
    struct Row { const char *name; int root; QString key; QString value; };
    const Row rows[] = {
        {"no file for this root yet", 2, QStringLiteral("Software\\velk"), QStringLiteral("A")},
        {"root -1", -1, QStringLiteral("Software\\velk"), QStringLiteral("A")},
        {"root 7", 7, QStringLiteral("Software\\velk"), QStringLiteral("A")},
        {"missing key", 1, QStringLiteral("Software\\andere"), QStringLiteral("A")},
        {"missing value", 1, QStringLiteral("Software\\velk"), QStringLiteral("B")},
        {"parent key has no values", 1, QStringLiteral("Software"), QStringLiteral("A")},
        {"no default value", 1, QStringLiteral("Software\\velk"), QStringLiteral("@")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(store.readValue(row.root, row.key, row.value), std::nullopt);
    }
    EXPECT_FALSE(store.keyExists(1, QStringLiteral("Software\\andere")));
    EXPECT_TRUE(store.subKeys(1, QStringLiteral("Software\\andere")).isEmpty());
    EXPECT_FALSE(store.writeValue(7, QStringLiteral("x"), QStringLiteral("y"), SettingsValue()));
    EXPECT_FALSE(store.deleteValue(1, QStringLiteral("Software\\velk"), QStringLiteral("B")));
    EXPECT_FALSE(store.deleteKey(1, QStringLiteral("Software\\andere")));
    EXPECT_FALSE(store.deleteKey(1, QString())) << "the root key cannot be deleted";
}

TEST(SettingsStore, NamesMatchWithoutCaseAndKeepTheirFirstCase)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("Software\\Velk"), QStringLiteral("FontSize"),
                                 SettingsValue::fromString(QStringLiteral("8"))));
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("SOFTWARE\\velk\\Neu"), QStringLiteral("FONTSIZE"),
                                 SettingsValue::fromString(QStringLiteral("9"))));
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("software\\VELK"), QStringLiteral("fontsize"),
                                 SettingsValue::fromString(QStringLiteral("10"))));
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("\\Software\\\\Velk\\"), QStringLiteral("Ümlaut"),
                                 SettingsValue::fromNumber(1)));

    SettingsStore reader(dir.path());
    EXPECT_EQ(reader.readValue(1, QStringLiteral("sOfTwArE\\vElK"), QStringLiteral("fOnTsIzE"))->text, QStringLiteral("10"));
    EXPECT_EQ(reader.readValue(1, QStringLiteral("Software\\Velk"), QStringLiteral("ÜMLAUT"))->number, 1u);
    EXPECT_EQ(reader.subKeys(1, QString()), QStringList{QStringLiteral("Software")});
    EXPECT_EQ(reader.subKeys(1, QStringLiteral("software")), QStringList{QStringLiteral("Velk")});
    EXPECT_EQ(reader.subKeys(1, QStringLiteral("software\\velk")), QStringList{QStringLiteral("Neu")});
    EXPECT_EQ(reader.valueNames(1, QStringLiteral("software\\velk")),
              (QStringList{QStringLiteral("FontSize"), QStringLiteral("Ümlaut")}));
    EXPECT_EQ(reader.valueNames(1, QStringLiteral("software\\velk\\neu")), QStringList{QStringLiteral("FONTSIZE")});

    // "@" and the empty name are both the default value.
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("d"), QStringLiteral("@"), SettingsValue::fromNumber(1)));
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("d"), QString(), SettingsValue::fromNumber(2)));
    EXPECT_EQ(reader.readValue(1, QStringLiteral("d"), QStringLiteral("@"))->number, 2u);
    EXPECT_EQ(reader.valueNames(1, QStringLiteral("d")), QStringList{QStringLiteral("@")});
}

TEST(SettingsStore, DeletingAKeyTakesItsSubtreeAndNothingElse)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    for (const char *key : {"a", "a\\b", "a\\b\\c", "a b", "ab", "a]", "a\\b2"})
        ASSERT_TRUE(store.writeValue(1, QString::fromLatin1(key), QStringLiteral("v"), SettingsValue::fromNumber(1)));

    EXPECT_TRUE(store.deleteKey(1, QStringLiteral("A\\B")));
    SettingsStore reader(dir.path());
    EXPECT_FALSE(reader.keyExists(1, QStringLiteral("a\\b")));
    EXPECT_FALSE(reader.keyExists(1, QStringLiteral("a\\b\\c")));
    for (const char *key : {"a", "a b", "ab", "a]", "a\\b2"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(reader.readValue(1, QString::fromLatin1(key), QStringLiteral("v")).has_value());
    }
    EXPECT_EQ(reader.subKeys(1, QStringLiteral("a")), QStringList{QStringLiteral("b2")});

    EXPECT_TRUE(store.deleteValue(1, QStringLiteral("ab"), QStringLiteral("V")));
    EXPECT_TRUE(reader.keyExists(1, QStringLiteral("ab"))) << "the key stays without its value";
    EXPECT_TRUE(reader.valueNames(1, QStringLiteral("ab")).isEmpty());
    EXPECT_TRUE(store.createKey(1, QStringLiteral("leer\\auch leer")));
    EXPECT_TRUE(reader.keyExists(1, QStringLiteral("Leer\\Auch Leer")));
}

TEST(SettingsStore, SeesAndKeepsWhatAnotherProcessWrote)
{
    QTemporaryDir dir;
    SettingsStore mine(dir.path());
    SettingsStore theirs(dir.path()); // another process: its own cache, same file
    ASSERT_TRUE(mine.writeValue(1, QStringLiteral("k"), QStringLiteral("mine"), SettingsValue::fromNumber(1)));
    EXPECT_EQ(mine.readValue(1, QStringLiteral("k"), QStringLiteral("mine"))->number, 1u); // now cached

    ASSERT_TRUE(theirs.writeValue(1, QStringLiteral("k"), QStringLiteral("theirs"), SettingsValue::fromNumber(2)));
    ASSERT_TRUE(theirs.writeValue(1, QStringLiteral("k"), QStringLiteral("mine"), SettingsValue::fromNumber(3)));
    EXPECT_EQ(mine.readValue(1, QStringLiteral("k"), QStringLiteral("mine"))->number, 3u);

    // A write of ours merges into their latest file instead of restoring our old view.
    ASSERT_TRUE(theirs.writeValue(1, QStringLiteral("k"), QStringLiteral("spät"), SettingsValue::fromNumber(4)));
    ASSERT_TRUE(mine.writeValue(1, QStringLiteral("k"), QStringLiteral("eigen"), SettingsValue::fromNumber(5)));
    EXPECT_EQ(theirs.valueNames(1, QStringLiteral("k")),
              (QStringList{QStringLiteral("eigen"), QStringLiteral("mine"), QStringLiteral("spät"), QStringLiteral("theirs")}));
}

TEST(SettingsStore, WriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    ASSERT_TRUE(store.writeValue(1, QStringLiteral("Software\\velk"), QStringLiteral("FontSize"),
                                 SettingsValue::fromString(QStringLiteral("10"))));
    const QByteArray before = fileBytes(store.filePath(1));

    // The disk "fills up" after 4 KB: the new file is cut off mid-write.
    struct rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = store.writeValue(1, QStringLiteral("Software\\velk"), QStringLiteral("Gross"),
                                          SettingsValue::fromBinary(QByteArray(100000, 'x')));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(store.filePath(1)), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("HKEY_CURRENT_USER.settings")}) << "no half-written file left behind";
    EXPECT_EQ(store.readValue(1, QStringLiteral("Software\\velk"), QStringLiteral("Gross")), std::nullopt)
        << "the cache must not show what never reached the disk";
    EXPECT_EQ(SettingsStore(dir.path()).readValue(1, QStringLiteral("Software\\velk"), QStringLiteral("FontSize"))->text,
              QStringLiteral("10"));
}

TEST(SettingsStore, DirectoryFollowsTheEnvironment)
{
    QTemporaryDir first, second, xdg;
    SettingsStore store; // follows the environment at every call
    {
        ScopedEnv env("VELK_CONFIG_DIR", first.path());
        ASSERT_TRUE(store.writeValue(1, QStringLiteral("k"), QStringLiteral("v"), SettingsValue::fromNumber(1)));
        EXPECT_TRUE(QFile::exists(first.path() + QStringLiteral("/HKEY_CURRENT_USER.settings")));
    }
    {
        ScopedEnv env("VELK_CONFIG_DIR", second.path());
        EXPECT_EQ(store.readValue(1, QStringLiteral("k"), QStringLiteral("v")), std::nullopt);
    }
    {
        ScopedEnv env("VELK_CONFIG_DIR", QString());
        ScopedEnv xdgEnv("XDG_CONFIG_HOME", xdg.path());
        EXPECT_EQ(SettingsStore::defaultDirectory(), xdg.path() + QStringLiteral("/velk"));
        ASSERT_TRUE(store.writeValue(3, QStringLiteral("k"), QStringLiteral("v"), SettingsValue::fromNumber(2)));
        EXPECT_TRUE(QFile::exists(xdg.path() + QStringLiteral("/velk/HKEY_USERS.settings")));
    }
}

TEST(SettingsTree, UnreadableLinesAreSkipped)
{
    const QString text = QStringLiteral(
        "; kommentar\n"
        "\"vor\"=\"allem\"\n"              // before any section: the root key
        "[gut]\n"
        "\"a\"=\"1\"\n"
        "\"b\"=\"offen\n"                  // no closing quote
        "\"c\"=hex:1,zz\n"                 // bad byte
        "\"d\"=dword:123456789\n"          // nine digits
        "\"e\"=multi:\"x\" \"y\"\n"        // no comma
        "\"f\"=\"\\q\"\n"                  // unknown escape
        "\"g\"=unbekannt:1\n"
        "\"h\" \"1\"\n"
        "[schlecht%zz]\n"
        "\"i\"=\"verloren\"\n"             // belongs to the unreadable section
        "[gut\\weiter]   \r\n"
        "  @ = \"nein\"\n"                 // blanks around "=" are not the format
        "@=dword:ff\r\n");
    const SettingsTree tree = SettingsTree::fromText(text);
    EXPECT_EQ(tree.valueNames(QString()), QStringList{QStringLiteral("vor")});
    EXPECT_EQ(tree.valueNames(QStringLiteral("gut")), QStringList{QStringLiteral("a")});
    EXPECT_EQ(tree.subKeys(QString()), QStringList{QStringLiteral("gut")});
    EXPECT_EQ(tree.valueNames(QStringLiteral("gut\\weiter")), QStringList{QStringLiteral("@")});
    EXPECT_EQ(tree.value(QStringLiteral("gut\\weiter"), QStringLiteral("@"))->number, 255u);
    EXPECT_EQ(SettingsTree::fromText(tree.toText()), tree);
}
