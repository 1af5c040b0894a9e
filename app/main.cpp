// Zendraquil: a study tool for players of the tile word game. It works in the
// current folder (word.lst and the *.wordset files) and takes no arguments.

#include <QApplication>

#include "app/MainWindow.h"
#include "app/StartupProbe.h"
#include "resources/Artwork.h"
#include "core/RegistryNames.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
    QApplication::setWindowIcon(zq::res::appIcon());
    {
        zq::CMainWindow window;
        zq::StartupProbe probe(window);
        window.exec();
    }
    return 0;
}
