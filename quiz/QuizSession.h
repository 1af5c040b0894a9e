#pragma once

#include <memory>
#include <string>

#include "quiz/SetStatistics.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

class CWordDatabase;
class CWordNode;
class SettingsStore;

// What the quiz needs from whoever shows it: the message strip (it returns
// when the player has pressed "Continue .."), the beep, and a word that a
// completed pass was recorded.
class QuizHost {
  public:
    virtual ~QuizHost() = default;
    virtual void showMessage(const std::string& text) = 0;
    virtual void beep() {}
    virtual void recorded(const std::string& record) { (void)record; }
};

// Holds the criteria to the rack's seven squares: a custom set keeps a limit
// of its own up to 7; any other limit becomes 7. True when it changed them.
bool holdToRack(CWordSetCriteria& criteria);

// Prepares the user's word set for a quiz as the Quiz command does: the
// stored criteria held to the rack (and stored so), then the set is marked
// from them without expurged words, even when the store would not take them.
// Returns the set's size; `inHand`, when given, receives the criteria.
int prepareQuizSet(CWordDatabase& database, SettingsStore& settings,
                   CWordSetCriteria* inHand = nullptr);

// The quiz: one word of the current set at a time, dealt with random tiles
// into seven letters; an answer is judged, scored against the best word for
// the letters, and the next word is drawn. Letters mode (the set without
// definitions) takes any member the letters make; clue mode (with
// definitions) the asked word or a word of its synonym ring. A missed word
// goes back into the pass and into the Errors set. Points run for as long as
// the session lives; each completed pass is recorded in the statistics.
class CQuizSession {
  public:
    CQuizSession(CWordDatabase& database, SettingsStore& settings, QuizHost& host,
                 SecondsClock clock = systemSeconds);

    // The user's options, read when the session is made.
    int noSound = 0;
    int noTimer = 0;
    std::unique_ptr<CSetStatistics> statistics;
    int answerRight = 0;
    long possiblePoints = 0;
    long scoredPoints = 0;
    int questionActive = 0;
    CWordNode* currentWord = nullptr;
    // The dealt letters: the letters rack's text.
    std::string letters;

    // The first question: the word the Quiz command drew.
    void begin(CWordNode* first);
    // The criteria the quiz plays by from now on (held to the rack): the
    // Quiz command's, which the store may not have kept. The session starts
    // with the stored ones.
    void play(const CWordSetCriteria& criteria);
    CWordSetCriteria criteria() const;

    // The texts the quiz window shows.
    bool clueMode() const;
    std::string modeLine() const;
    std::string clueText() const;
    std::string progressText() const;
    std::string caption() const;
    std::string timerText() const;

    // Whether the answer is made of the dealt letters (each tile once) and is
    // a right answer for the mode.
    bool isAnswerRight(const std::string& answer) const;
    // Judges and scores the answer, shows the messages and draws the next
    // word. False when no word could be drawn: the summary has been shown and
    // the quiz ends.
    bool submitAnswer(const std::string& answer);

    enum class AfterWizard { Unchanged, NewQuestion, Ended };
    // After the word set wizard (`finished`: Finish was pressed, the set is
    // stored and marked anew; `chosen`: the criteria it marked): the question
    // on display is dropped and the new set's first word is asked, or, when
    // the new set gives no word, only the summary is shown and the quiz ends.
    AfterWizard afterWordSetChoice(bool finished, const CWordSetCriteria* chosen = nullptr);

    // Exit: the summary.
    void exitQuiz();

  private:
    void scoreAnswer(const std::string& answer, CWordNode* best);
    bool nextQuestion();
    void showSummary();
    void deal();

    CWordDatabase& database_;
    SettingsStore& settings_;
    QuizHost& host_;
    SecondsClock clock_;
    CWordSetCriteria playing_;
};

} // namespace zq
