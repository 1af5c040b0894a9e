#include "app/MessageStrip.h"

#include <QApplication>
#include <QPushButton>

#include "app/Answers.h"
#include "app/InfoLabel.h"

namespace zq {

CMessageStrip::CMessageStrip(QWidget* parent) : CAppDialog(res::kMessageStripTemplate, parent) {}

int CMessageStrip::run(const QString& text) {
    setText(text);
    Answer queued;
    if (answers::take(text, {Answer::Continue}, queued)) return QDialog::Accepted;
    return exec();
}

CInfoLabel* CMessageStrip::label() const {
    return control<CInfoLabel>(res::kIdStripLabel);
}

void CMessageStrip::setText(const QString& text) {
    if (CInfoLabel* l = label()) l->setText(text);
}

QWidget* CMessageStrip::owner() const {
    if (QWidget* p = parentWidget()) return p->window();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) return modal;
    return nullptr;
}

void CMessageStrip::initDialog() {
    CAppDialog::initDialog();
    QWidget* o = owner();
    if (!o) return;
    // Bottom edge 2 pixels above the owner's bottom edge, both as windows on
    // the screen, and the left edges together: the strip lies along the
    // bottom of its owner wherever the window system first put it.
    const QRect ownerFrame = o->frameGeometry();
    const QRect own = frameGeometry();
    const int bottom = ownerFrame.y() + ownerFrame.height() - 2;
    move(ownerFrame.x(), bottom - own.height());
    update();
}

} // namespace zq
