#include "tests/gui/GuiSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

namespace zq::test {

ModalDriver::ModalDriver() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start(10);
}

ModalDriver::~ModalDriver() {
    timer_.stop();
}

void ModalDriver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    for (const QPointer<QWidget>& w : seen_)
        if (w == modal) return;
    seen_.push_back(modal);
    titles.push_back(modal->windowTitle());
    classNames.push_back(QString::fromLatin1(modal->metaObject()->className()));
    if (next_ < handlers_.size()) {
        handlers_[next_++](modal);
    } else {
        ADD_FAILURE() << "unexpected modal window " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
}

QString messageText(QWidget* widget) {
    if (auto* box = qobject_cast<QMessageBox*>(widget)) return box->text();
    return {};
}

void clickButton(QWidget* window, const QString& text) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->text().remove(QLatin1Char('&')) == text) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
}

} // namespace zq::test
