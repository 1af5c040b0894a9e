// Zendraquil: a study tool for players of the tile word game. It works in the
// current folder (word.lst and the *.wordset files) and takes no arguments.

#include <QApplication>

#include "app/MainWindow.h"
#include "app/StartupProbe.h"
#include "core/RegistryNames.h"
#include "resources/Artwork.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
    QApplication::setWindowIcon(zq::res::appIcon());
    // The picture menu hides while printing runs; closing the print dialog or
    // the preview then must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    {
        zq::CMainWindow window;
        zq::StartupProbe probe(window);
        window.exec();
    }
    return 0;
}
