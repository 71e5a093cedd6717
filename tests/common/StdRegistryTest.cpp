#include <velk/common/StdRegistry.h>
#include <velk/platform/SettingsStore.h>

#include <support/TestSupport.h>

#include <QWidget>

using namespace velk;

TEST(StdRegistry, RootFromNameKnowsTheUpperCaseNamesOnly)
{
    const std::pair<const char *, int> rows[] = {
        {"HKCR", 0}, {"HKEY_CURRENT_USER", 1}, {"HKLM", 2}, {"HKEY_USERS", 3}, {"HKEY_DYN_DATA", 6},
        {"hklm", -1}, {"HKU", -1}, {"HKEY_Current_User", -1}, {"", -1}, {" HKCU", -1},
    };
    for (const auto &[name, root] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RootFromName(QString::fromLatin1(name)), root);
    }
}

TEST(StdRegistry, RootFromPathResolvesNumbersAndNamedRoots)
{
    struct Row { const char *name; int root; QString path; quint32 handle; QString rest; };
    const Row rows[] = {
        {"named with backslashes", -1, QStringLiteral("HKEY_CURRENT_USER\\Software\\velk"), 0x80000001, QStringLiteral("Software\\velk")},
        {"short name with slashes", -1, QStringLiteral("HKCU/Software/velk"), 0x80000001, QStringLiteral("Software\\velk")},
        {"drive-like colon", -1, QStringLiteral("HKLM:\\Software\\x"), 0x80000002, QStringLiteral("Software\\x")},
        {"colon form wins over the first backslash", -1, QStringLiteral("HKCU\\a:\\b"), 0, QStringLiteral("b")},
        {"root name alone", -1, QStringLiteral("HKEY_USERS"), 0x80000003, QString()},
        {"lower-case name", -1, QStringLiteral("hkcu\\Software"), 0, QStringLiteral("Software")},
        {"number keeps the path", 1, QStringLiteral("Software/velk"), 0x80000001, QStringLiteral("Software/velk")},
        {"highest number", 6, QStringLiteral("x"), 0x80000006, QStringLiteral("x")},
        {"number past the table", 7, QStringLiteral("x"), 0, QStringLiteral("x")},
        {"negative number", -2, QStringLiteral("HKCU\\x"), 0, QStringLiteral("HKCU\\x")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QString path = row.path;
        EXPECT_EQ(RootFromPath(row.root, path), row.handle);
        EXPECT_EQ(path, row.rest);
    }
}

TEST(StdRegistry, RegGetStringConvertsEveryValueType)
{
    const QString key = QStringLiteral("Software\\velk\\RegGetTest");
    SettingsStore &store = SettingsStore::instance();
    struct Row { const char *name; QString valueName; SettingsValue value; QString text; };
    const Row rows[] = {
        {"string", QStringLiteral("Text"), SettingsValue::fromString(QStringLiteral("Grüße")), QStringLiteral("Grüße")},
        {"string up to its NUL", QStringLiteral("Nul"), SettingsValue::fromString(QStringLiteral("vor") + QChar(0) + QStringLiteral("nach")), QStringLiteral("vor")},
        {"default value", QStringLiteral("@"), SettingsValue::fromString(QStringLiteral("standard")), QStringLiteral("standard")},
        {"binary, byte by byte", QStringLiteral("Roh"), SettingsValue::fromBinary(QByteArray("A\x80\xEF\xBB\xBF", 5)), QStringLiteral("A€ï»¿")},
        {"number", QStringLiteral("Zahl"), SettingsValue::fromNumber(42), QStringLiteral("42")},
        {"number with the top bit", QStringLiteral("Gross"), SettingsValue::fromNumber(0xFFFFFFFFu), QStringLiteral("-1")},
        {"multi-string", QStringLiteral("Liste"), SettingsValue::fromStrings({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a\r\nb")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(store.writeValue(1, key, row.valueName, row.value));
        bool found = false;
        EXPECT_EQ(RegGetString(1, key, row.valueName, &found), row.text);
        EXPECT_TRUE(found);
        EXPECT_EQ(RegGetString(-1, QStringLiteral("HKCU\\") + key, row.valueName), row.text);
    }
}

TEST(StdRegistry, MissingValuesReadEmptyAndNotFound)
{
    RegSetString(1, QStringLiteral("Software\\velk\\Vorhanden"), QStringLiteral("A"), QStringLiteral("1"));
    struct Row { const char *name; int root; QString path; QString value; };
    const Row rows[] = {
        {"missing value", 1, QStringLiteral("Software\\velk\\Vorhanden"), QStringLiteral("B")},
        {"missing key", 1, QStringLiteral("Software\\velk\\Fehlt"), QStringLiteral("A")},
        {"other root", 2, QStringLiteral("Software\\velk\\Vorhanden"), QStringLiteral("A")},
        {"unknown root name", -1, QStringLiteral("HKXX\\Software\\velk\\Vorhanden"), QStringLiteral("A")},
        {"no default value", 1, QStringLiteral("Software\\velk\\Vorhanden"), QStringLiteral("@")},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        bool found = true;
        EXPECT_EQ(RegGetString(row.root, row.path, row.value, &found), QString());
        EXPECT_FALSE(found);
    }
}

TEST(StdRegistry, RegSetStringCreatesTheKeysAlongThePath)
{
    RegSetString(-1, QStringLiteral("HKEY_CURRENT_USER/Software/velk/Neu/Tief"), QStringLiteral("Wert"), QStringLiteral("x=1|y"));
    SettingsStore &store = SettingsStore::instance();
    EXPECT_TRUE(store.keyExists(1, QStringLiteral("Software\\velk\\Neu")));
    EXPECT_EQ(store.readValue(1, QStringLiteral("software\\VELK\\neu\\tief"), QStringLiteral("wert")),
              SettingsValue::fromString(QStringLiteral("x=1|y")));

    RegSetString(-1, QStringLiteral("HKXX\\Software\\velk\\Verworfen"), QStringLiteral("A"), QStringLiteral("1"));
    for (int root = 0; root < SettingsStore::RootCount; ++root)
        EXPECT_FALSE(store.keyExists(root, QStringLiteral("Software\\velk\\Verworfen"))) << root;
}

TEST(StdRegistry, WindowPlacementRoundTrips)
{
    const QString name = QStringLiteral("TestPosition");
    QWidget saved;
    saved.move(30, 40);
    saved.resize(320, 200);
    SaveWindowPlacement(&saved, name);
    EXPECT_EQ(RegGetString(1, QStringLiteral("Software\\velk"), name), QStringLiteral("30,40,320,200"));
    QWidget restored;
    restored.setWindowState(Qt::WindowMaximized);
    RestoreWindowPlacement(&restored, name);
    EXPECT_EQ(restored.pos(), QPoint(30, 40));
    EXPECT_EQ(restored.size(), QSize(320, 200));
    EXPECT_FALSE(restored.isMaximized());

    for (const auto &[state, text] : {std::pair{Qt::WindowMaximized, "Maximized"}, std::pair{Qt::WindowMinimized, "Minimized"}}) {
        SCOPED_TRACE(text);
        QWidget window;
        window.setWindowState(state);
        SaveWindowPlacement(&window, name);
        EXPECT_EQ(RegGetString(1, QStringLiteral("Software\\velk"), name), QString::fromLatin1(text));
        QWidget other;
        RestoreWindowPlacement(&other, name);
        EXPECT_EQ(other.windowState(), state);
    }
}

TEST(StdRegistry, DamagedOrUnreachablePlacementIsNotApplied)
{
    const QString name = QStringLiteral("TestPositionKaputt");
    QWidget window;
    window.move(5, 6);
    window.resize(100, 80);
    for (const char *text : {"", "abc", "10,20", "10,20,0,50", "maximized"}) {
        SCOPED_TRACE(text);
        RegSetString(1, QStringLiteral("Software\\velk"), name, QString::fromLatin1(text));
        RestoreWindowPlacement(&window, name);
        EXPECT_EQ(window.geometry(), QRect(5, 6, 100, 80));
        EXPECT_EQ(window.windowState(), Qt::WindowNoState);
    }
    // Far outside every screen: the size comes back, the window stays reachable.
    RegSetString(1, QStringLiteral("Software\\velk"), name, QStringLiteral("50000,50000,300,200"));
    RestoreWindowPlacement(&window, name);
    EXPECT_EQ(window.pos(), QPoint(5, 6));
    EXPECT_EQ(window.size(), QSize(300, 200));
}
