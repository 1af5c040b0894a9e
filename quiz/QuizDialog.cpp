#include "quiz/QuizDialog.h"

#include <QApplication>
#include <QPushButton>

#include "app/InfoLabel.h"
#include "app/MessageStrip.h"
#include "core/WordDatabase.h"
#include "quiz/StatisticsDialog.h"
#include "quiz/TileRack.h"
#include "wordsets/WordSetWizardDialog.h"

namespace zq {

namespace {
// The quiz's only timer: 100 ms, for the seconds of the pass.
constexpr int kTickMs = 100;
} // namespace

CQuizDialog::CQuizDialog(CWordDatabase& database, QWidget* parent)
    : CAppDialog(res::kQuizTemplate, parent), session(database, app::settings(), *this),
      database_(database) {
    answerRack()->link(1, lettersRack(), 0);
    lettersRack()->link(0, answerRack(), 0);
    label(res::kIdProgressLines)->setText(QString::fromStdString(session.progressText()));
    if (auto* button = control<QPushButton>(res::kIdWordSets))
        connect(button, &QPushButton::clicked, this, &CQuizDialog::chooseWordSet);
    if (auto* button = control<QPushButton>(res::kIdStatistics))
        connect(button, &QPushButton::clicked, this, &CQuizDialog::showStatistics);
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &CQuizDialog::onTick);
}

CTileRack* CQuizDialog::lettersRack() const {
    return control<CTileRack>(res::kIdLettersRack);
}
CTileRack* CQuizDialog::answerRack() const {
    return control<CTileRack>(res::kIdAnswerRack);
}
CInfoLabel* CQuizDialog::label(int id) const {
    return control<CInfoLabel>(id);
}

void CQuizDialog::initDialog() {
    label(res::kIdModeLine)->setText(QString::fromStdString(session.modeLine()));
    CAppDialog::initDialog();
    label(res::kIdClue)->setText(QString::fromUtf8(session.clueText()));
    label(res::kIdTimer)->setText(QString::fromUtf8(str::kQuizTimerStart));
    showQuestion();
    timer_.start();
    // Hidden, but still kept up to date.
    if (session.noTimer) label(res::kIdTimer)->hide();
    setWindowTitle(QString::fromStdString(session.caption()));
}

void CQuizDialog::showQuestion() {
    label(res::kIdClue)->setText(QString::fromUtf8(session.clueText()));
    label(res::kIdModeLine)->setText(QString::fromStdString(session.modeLine()));
    // The answer first, then the deal: the letters rack frees every tile.
    answerRack()->setRackText(QString());
    lettersRack()->setRackText(QString::fromStdString(session.letters));
    label(res::kIdProgressLines)->setText(QString::fromStdString(session.progressText()));
    answerRack()->setFocus();
}

void CQuizDialog::showMessage(const std::string& text) {
    // The progress label goes on showing the question still on display; it
    // changes with the next question.
    CMessageStrip strip(this);
    strip.run(QString::fromUtf8(text));
    answerRack()->setFocus();
    answerRack()->repaint();
}

void CQuizDialog::beep() {
    QApplication::beep();
}

void CQuizDialog::accept() {
    const bool goesOn = session.submitAnswer(answerRack()->rackText().toStdString());
    label(res::kIdProgressLines)->setText(QString::fromStdString(session.progressText()));
    if (!goesOn) {
        timer_.stop();
        CAppDialog::accept();
        return;
    }
    showQuestion();
}

void CQuizDialog::reject() {
    session.exitQuiz();
    timer_.stop();
    CAppDialog::reject();
}

void CQuizDialog::chooseWordSet() {
    if (session.statistics) session.statistics->pause();
    CWordSetCriteria chosen;
    const int result = runWordSetWizard(database_, false, this, &chosen);
    switch (session.afterWordSetChoice(result == 1, &chosen)) {
    case CQuizSession::AfterWizard::Unchanged:
        break;
    case CQuizSession::AfterWizard::NewQuestion:
        showQuestion();
        setWindowTitle(QString::fromStdString(session.caption()));
        break;
    case CQuizSession::AfterWizard::Ended:
        // The new set gives no word: the summary has been shown.
        timer_.stop();
        CAppDialog::accept();
        return;
    }
    answerRack()->setFocus();
    if (session.statistics) session.statistics->resume();
}

void CQuizDialog::showStatistics() {
    if (session.statistics) session.statistics->pause();
    CStatisticsDialog statistics(this);
    statistics.exec();
    answerRack()->setFocus();
    if (session.statistics) session.statistics->resume();
}

void CQuizDialog::onTick() {
    if (session.statistics)
        label(res::kIdTimer)->setText(QString::fromStdString(session.timerText()));
}

} // namespace zq
