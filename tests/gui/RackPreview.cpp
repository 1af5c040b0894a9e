// A window with the tile racks on their own, for the README's screenshots
// until the quiz and the word tools that hold them are part of the program:
// the quiz's pair (letters e a t s r x q, and the answer) and a free-typing
// rack of 15. What is typed goes to the answer rack first.

#include <QApplication>
#include <QLabel>

#include "app/AppDialog.h"
#include "core/RegistryNames.h"
#include "quiz/TileRack.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(zq::reg::kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(zq::reg::kApplication));
    zq::CAppDialog dialog(0);
    dialog.setWindowTitle(QStringLiteral("Zendraquil tile racks"));
    dialog.setFixedSize(420, 250);
    const auto caption = [&](const char* text, int y) {
        auto* l = new QLabel(QString::fromUtf8(text), &dialog);
        l->setGeometry(12, y, 396, 18);
    };
    caption("The quiz's letters and answer:", 6);
    auto* letters = new zq::CTileRack(7, &dialog);
    auto* answer = new zq::CTileRack(7, &dialog);
    letters->link(0, answer, 0);
    answer->link(1, letters, 0);
    letters->setGeometry(12, 26, 266, 50);
    answer->setGeometry(12, 80, 266, 50);
    caption("Free typing, as the word tools use it:", 146);
    auto* free = new zq::CTileRack(15, &dialog);
    free->link(1, nullptr, 1);
    free->setGeometry(12, 166, 396, 40);
    free->setRackText(QStringLiteral("builder s"));
    letters->setRackText(QStringLiteral("eatsrxq"));
    answer->setRackText(QString());
    dialog.show();
    answer->setFocus();
    dialog.exec();
    return 0;
}
