#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "core/RegistryNames.h"

int main(int argc, char** argv) {
    // Test discovery runs this binary without the test environment: without a
    // display the application could not start.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
    QApplication::setQuitOnLastWindowClosed(false); // as the program does
    // Nothing a test does may touch the user's own settings.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    return RUN_ALL_TESTS();
}
