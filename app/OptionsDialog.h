#pragma once

#include "app/AppDialog.h"

namespace zq {

// The four options. Constructing one reads them; that is also how the rest of
// the program reads them without showing the dialog.
class COptionsDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit COptionsDialog(QWidget* parent = nullptr);

    int noLogon = 0;
    int noSound = 0;
    int noTimer = 0;
    int expurged = 0;

  public slots:
    void accept() override;

  protected:
    void initDialog() override;
};

} // namespace zq
