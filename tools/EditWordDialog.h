#pragma once

#include "app/AppDialog.h"

namespace zq {

class CWordDatabase;
class CWordNode;

// Changes the definition, part of speech and synonym of one entry. The
// caller sets `entry`, `database` and (in the Word Checker's Update walk)
// `previous`, runs the dialog and reads `entry` afterwards: Back may have
// changed it. The rules are in tools/EditWord.
class CEditWordDialog : public CAppDialog {
    Q_OBJECT
  public:
    explicit CEditWordDialog(QWidget* parent = nullptr);

    CWordNode* entry = nullptr;
    CWordNode* previous = nullptr;
    CWordDatabase* database = nullptr;

    // Shows the entry afresh, then runs the dialog modally. The same dialog
    // can be run again with another entry.
    int exec() override;

  public slots:
    void accept() override;

  protected:
    // Enter in the definition presses OK: the definition is one line that
    // the field wraps to show.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showEntry();
    void back();

    // The fields' texts as shown, to tell an untouched field from an edit:
    // an untouched field keeps the entry's bytes exactly.
    QString shownDefinition_, shownPartOfSpeech_, shownSynonym_;
};

} // namespace zq
