#include "app/AboutDialog.h"

#include <QPushButton>

namespace zq {

CAboutDialog::CAboutDialog(QWidget* parent) : CAppDialog(res::kAboutTemplate, parent) {
    paintBackground = 0;
}

} // namespace zq
