#pragma once

#include "app/AppDialog.h"

class QTreeWidget;

namespace zq {

// The current user's last twenty completed passes, newest first. With none
// stored it says how statistics come about and closes at once.
class CStatisticsDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CStatisticsDialog(QWidget* parent = nullptr);

    QTreeWidget* list() const;
    // Fills the list; with no record, the message and Cancel without showing.
    int exec() override;

  private:
    int fill();
};

} // namespace zq
