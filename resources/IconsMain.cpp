// Writes the application icon as PNG files for the desktop's icon theme:
// FOLDER/NxN/apps/zendraquil.png for each size, drawn by the same code as the
// icon the program shows. Run at build time, without a display.
//
//   zendraquil-icons FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "resources/Artwork.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zendraquil-icons FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = folder + QStringLiteral("/zendraquil.png");
        if (!QDir().mkpath(folder) || !zq::res::appIconImage(side).save(file, "PNG")) {
            std::fprintf(stderr, "zendraquil-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
