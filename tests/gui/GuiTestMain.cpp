#include <gtest/gtest.h>
#include "core/RegistryNames.h"

#include "core/RegistryNames.h"
#include <QApplication>
#include "core/RegistryNames.h"
#include <QSettings>
#include "core/RegistryNames.h"
#include <QTemporaryDir>
#include "core/RegistryNames.h"

#include "core/RegistryNames.h"
int main(int argc, char** argv) {
#include "core/RegistryNames.h"
    // Test discovery runs this binary without the test environment: without a
#include "core/RegistryNames.h"
    // display the application could not start.
#include "core/RegistryNames.h"
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#include "core/RegistryNames.h"
    ::testing::InitGoogleTest(&argc, argv);
#include "core/RegistryNames.h"
    QApplication app(argc, argv);
#include "core/RegistryNames.h"
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
#include "core/RegistryNames.h"
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
#include "core/RegistryNames.h"
    // Nothing a test does may touch the user's own settings.
#include "core/RegistryNames.h"
    QTemporaryDir settingsDir;
#include "core/RegistryNames.h"
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
#include "core/RegistryNames.h"
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
#include "core/RegistryNames.h"
    return RUN_ALL_TESTS();
#include "core/RegistryNames.h"
}
#include "core/RegistryNames.h"
