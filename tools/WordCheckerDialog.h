#pragma once

#include "app/AppDialog.h"

namespace zq {

class CInfoLabel;
class CTileRack;
class CWordDatabase;

// Judges the typed letters as they change: valid or not, with part of speech,
// definition and alternates. In editor mode ("EditWords" non-zero) Edit,
// Update and Backup edit and back up the lexicon. The texts and the walk are
// in tools/WordChecker.
class CWordCheckerDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CWordCheckerDialog(QWidget* parent = nullptr);

    CWordDatabase* database = nullptr;
    // "Settings"\"EditWords", read when the dialog is made.
    int editWordsEnabled = 0;

    void onRackChanged(int code) override;
    void lookupWord();

    CTileRack* input() const;
    CInfoLabel* resultLabel() const;
    CInfoLabel* alternatesLabel() const;

  public slots:
    // Edit: the dialog's OK command (the Edit button and Enter). It never
    // closes the dialog.
    void accept() override;
    void update();
    void backup();

  protected:
    void initDialog() override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zq
