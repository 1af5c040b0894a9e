#pragma once

#include <QTimer>

#include "app/AppDialog.h"
#include "quiz/QuizSession.h"

namespace zq {

class CInfoLabel;
class CTileRack;
class CWordDatabase;

// The quiz window: the mode line, the clue, the dealt letters, the answer
// rack, progress and timer, with OK, Exit, Word Sets and Statistics. The
// rules and texts are CQuizSession's; this shows them and runs the message
// strips, the wizard and the statistics list.
class CQuizDialog : public CAppDialog, public QuizHost {
    Q_OBJECT
  public:
    explicit CQuizDialog(CWordDatabase& database, QWidget* parent = nullptr);

    CQuizSession session;

    CTileRack* lettersRack() const;
    CTileRack* answerRack() const;
    CInfoLabel* label(int id) const;
    const QTimer& timer() const { return timer_; }

    void showMessage(const std::string& text) override;
    void beep() override;

  public slots:
    // OK and Enter: the answer is judged and the next word asked.
    void accept() override;
    // Exit, Escape and the close box: the summary, then the quiz ends.
    void reject() override;
    void chooseWordSet();
    void showStatistics();

  protected:
    void initDialog() override;

  private:
    void showQuestion();
    void onTick();

    CWordDatabase& database_;
    QTimer timer_;
};

} // namespace zq
