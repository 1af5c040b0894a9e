#pragma once

#include <QString>

#include "app/AppDialog.h"

namespace zq {

// Asks for the user name at start-up. The name selects the settings section
// of the user's options, word set and statistics; there is no password.
class CLogonDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CLogonDialog(QWidget* parent = nullptr);

    QString userName;
    int noLogon = 0;

  public slots:
    void accept() override;

  protected:
    void initDialog() override;
};

} // namespace zq
