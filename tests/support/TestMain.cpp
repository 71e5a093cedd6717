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
    QApplication app(argc, argv);
    velk::registerBuiltinControls();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
