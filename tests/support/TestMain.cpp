#include <velk/velkgui.h>

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// One QApplication per test binary, always offscreen, and never the user's settings:
// VELK_CONFIG_DIR points at a folder that lives as long as the run.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VELK_CONFIG_DIR", configDir.path().toLocal8Bit());
    // No test reaches the user's keyring: without the private keyring session the bus
    // address leads nowhere (unset, the libraries would look for the user's own bus).
    if (!qEnvironmentVariableIsSet("VELK_TEST_KEYRING"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", (QStringLiteral("unix:path=") + configDir.path() + QStringLiteral("/no-bus")).toLocal8Bit());
    QApplication app(argc, argv);
    velk::registerBuiltinControls();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
