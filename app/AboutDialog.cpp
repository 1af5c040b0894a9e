#include "app/AboutDialog.h"

#include <QPushButton>

namespace zq {

CAboutDialog::CAboutDialog(QWidget* parent) : CAppDialog(res::kAboutTemplate, parent) {
    paintBackground = 0;
    if (auto* ok = control<QPushButton>(res::kIdOk))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace zq
