// Zendraquil: a study tool for players of the tile word game. It takes no
// arguments. It works in the current folder when that holds a word.lst, else
// in the user's own working folder ($ZENDRAQUIL_HOME, else
// $XDG_DATA_HOME/Zendraquil), which the first start seeds from the installed
// copy of the lexicon and the sample word sets.

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "app/MainWindow.h"
#include "app/StartupProbe.h"
#include "core/RegistryNames.h"
#include "core/WorkingFolder.h"
#include "resources/Artwork.h"

namespace {

// The installed copy lies beside the program's folder: PREFIX/bin and
// PREFIX/share/zendraquil, in an installation and in the build tree alike.
zq::FolderPlaces startPlaces() {
    zq::FolderPlaces places;
    places.current = QDir::currentPath().toStdString();
    places.zendraquilHome = qEnvironmentVariable("ZENDRAQUIL_HOME").toStdString();
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    places.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME").toStdString();
#else
    // Where the platform keeps a user's program data: %LOCALAPPDATA% on
    // Windows, ~/Library/Application Support on macOS.
    places.xdgDataHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
#endif
    places.home = QDir::homePath().toStdString();
    places.installedData =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/zendraquil")
            .toStdString();
    return places;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
    QApplication::setWindowIcon(zq::res::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("net.tarnwick.Zendraquil"));
    // The picture menu hides while printing runs; closing the print dialog or
    // the preview then must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    const zq::WorkingFolder work = zq::chooseWorkingFolder(startPlaces());
    QDir::setCurrent(QString::fromStdString(work.folder));
    {
        zq::CMainWindow window;
        if (!work.found) window.missingListMessage = zq::missingWordListMessage(work);
        zq::StartupProbe probe(window);
        window.exec();
    }
    return 0;
}
