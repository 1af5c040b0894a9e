#include "app/QtHost.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QProgressBar>
#include <QStringDecoder>

#include "app/Answers.h"
#include "app/InfoLabel.h"
#include "core/Strings.h"

namespace zq {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

namespace box {

namespace {
int run(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    Answer queued;
    if (buttons & QMessageBox::Yes) {
        if (answers::take(text, {Answer::Yes, Answer::No}, queued))
            return queued == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    } else if (answers::take(text, {Answer::Ok}, queued)) {
        return QMessageBox::Ok;
    }
    QMessageBox mb(icon, QString::fromUtf8(str::kAppTitle), text, buttons, parent);
    mb.setDefaultButton(defaultButton);
    // Questions are answered with the normal pointer even during a long
    // operation that shows the wait cursor.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = mb.exec();
    if (busy) QApplication::restoreOverrideCursor();
    return result;
}
} // namespace

void plain(QWidget* parent, const QString& text) {
    run(parent, QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

void warning(QWidget* parent, const QString& text) {
    run(parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool yesNo(QWidget* parent, const QString& question, bool exclamation) {
    return run(parent, exclamation ? QMessageBox::Warning : QMessageBox::Question, question,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace box

namespace {
bool isUtf8(const std::string& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text =
        decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}
} // namespace

QString textFromBytes(const std::string& bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    return isUtf8(bytes) ? QString::fromUtf8(bytes.data(), size)
                         : QString::fromLatin1(bytes.data(), size);
}

std::string bytesFromText(const QString& text, const std::string& replaced) {
    bool latin1 = !isUtf8(replaced);
    for (const QChar c : text)
        if (c.unicode() > 0xFF) latin1 = false;
    return latin1 ? text.toLatin1().toStdString() : text.toUtf8().toStdString();
}

void QtUserInterface::message(const std::string& text) {
    box::warning(parent_, QString::fromUtf8(text));
}

bool QtUserInterface::askYesNo(const std::string& question) {
    return box::yesNo(parent_, QString::fromUtf8(question));
}

void QtUserInterface::beginBusy() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
void QtUserInterface::endBusy() {
    QApplication::restoreOverrideCursor();
}

void paintNow(QWidget* widget) {
    if (!widget) return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    widget->repaint();
}

void ProgressBarSink::setRange(int maximum) {
    if (!bar_) return;
    bar_->setRange(0, maximum > 0 ? maximum : 1);
    shownPixels_ = -1;
}

void ProgressBarSink::setPosition(int position) {
    if (!bar_) return;
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
    // Repaint only when the bar grows by a visible amount: the loader reports
    // far more often than the bar has pixels.
    const int span = bar_->maximum() - bar_->minimum();
    const int pixels = span > 0 ? (bar_->value() - bar_->minimum()) * bar_->width() / span : 0;
    if (pixels != shownPixels_) {
        shownPixels_ = pixels;
        if (bar_->isVisible()) bar_->repaint();
    }
}

void ProgressBarSink::hide() {
    if (bar_) bar_->hide();
}

void StatusLineSink::setText(const std::string& text) {
    if (!label_) return;
    label_->setText(QString::fromUtf8(text));
    if (label_->isVisible()) paintNow(label_);
}

void StatusLineSink::show() {
    if (label_) label_->show();
}

void StatusLineSink::hide() {
    if (label_) label_->hide();
}

} // namespace zq
