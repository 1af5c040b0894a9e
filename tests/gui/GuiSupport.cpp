#include "tests/gui/GuiSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QWizard>

#include <algorithm>

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
    // A progress window comes and goes by itself; no test answers it.
    if (!modal || qobject_cast<QProgressDialog*>(modal)) return;
    for (const QPointer<QWidget>& w : seen_)
        if (w == modal) return;
    seen_.push_back(modal);
    titles.push_back(modal->windowTitle());
    classNames.push_back(QString::fromLatin1(modal->metaObject()->className()));
    if (next_ < handlers_.size()) {
        // The handler runs from an event of its own, so that the polling goes
        // on while it runs a modal window of its own (a button that opens a
        // dialog from within a dialog).
        Handler handler = handlers_[next_++];
        QPointer<QWidget> window(modal);
        QTimer::singleShot(0, modal, [this, handler, window] {
            handler(window);
            // A window that the handler closed is new when it is shown again
            // (a dialog run once more).
            if (window && !window->isVisible())
                seen_.erase(std::remove(seen_.begin(), seen_.end(), window), seen_.end());
        });
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

void finishOnSet(QWidget* window, int set) {
    auto* wizard = qobject_cast<QWizard*>(window);
    ASSERT_NE(wizard, nullptr);
    QTest::mouseClick(wizard->button(QWizard::NextButton), Qt::LeftButton);
    for (auto* list : wizard->findChildren<QListWidget*>())
        if (list->isVisible()) list->setCurrentRow(set);
    QTest::mouseClick(wizard->button(QWizard::FinishButton), Qt::LeftButton);
}

} // namespace zq::test
