#pragma once

#include "app/AppDialog.h"

namespace zq {

// The picture, the icon and the credits.
class CAboutDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

} // namespace zq
