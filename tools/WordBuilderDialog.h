#pragma once

#include "app/AppDialog.h"

class QListWidget;

namespace zq {

class CInfoLabel;
class CTileRack;
class CWordDatabase;

// Lists what a rack with blanks and a positional filter can make, best score
// first, and shows the definition of the selected line. The search and the
// texts are in tools/WordBuilderSearch.
class CWordBuilderDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CWordBuilderDialog(QWidget* parent = nullptr);

    CWordDatabase* database = nullptr;

    CTileRack* letters() const;
    CTileRack* filter() const;
    QListWidget* results() const;
    CInfoLabel* info() const;

  public slots:
    // Find: the dialog's OK command (the Find button and Enter). The dialog
    // stays open.
    void accept() override;

  private:
    void selectionChanged();
};

} // namespace zq
