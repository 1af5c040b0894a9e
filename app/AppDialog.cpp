#include "app/AppDialog.h"

#include <QPainter>
#include <QPushButton>

#include "app/DialogBuilder.h"
#include "app/MainWindow.h"
#include "core/Host.h"
#include "core/Strings.h"

namespace zq {

CAppDialog::CAppDialog(int templateId, QWidget* parent) : QDialog(parent), templateId_(templateId) {
    if (const res::DialogTemplate* t = res::findTemplate(templateId))
        controls_ = buildDialog(*this, *t);
    // OK (id 1) accepts and Cancel (id 2) cancels, through the dialog's own
    // accept and reject, which a dialog overrides to check and store what
    // it shows.
    if (auto* ok = control<QPushButton>(res::kIdOk))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    if (auto* cancel = control<QPushButton>(res::kIdCancel))
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CAppDialog::onRackChanged(int) {}

QString CAppDialog::rebuildCaption(const QString& caption) {
    // Captions start with the product name; it is replaced by the application
    // title so that both come from one place. A caption without the name is
    // left as it is.
    const QString title = QString::fromUtf8(str::kAppTitle);
    const qsizetype at = caption.indexOf(title);
    if (at < 0) return caption;
    return caption.left(at) + title + caption.mid(at + title.size());
}

SystemColours CAppDialog::colours() const {
    if (brushSource) return brushSource->colours();
    return app::colours();
}

void CAppDialog::paintEvent(QPaintEvent* event) {
    if (!paintBackground) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.fillRect(rect().adjusted(-1, -1, 1, 1), colours().infoBackground);
}

void CAppDialog::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        initDialog();
    }
    QDialog::showEvent(event);
}

void CAppDialog::initDialog() {
    if (!windowTitle().isEmpty()) setWindowTitle(rebuildCaption(windowTitle()));
}

} // namespace zq
