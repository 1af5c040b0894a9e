#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "study/Cardbox.h"

namespace zq {

class StudyIndex;

// One right word of a question as the quiz shows it: the word with its
// hooks and definition; `missed` for a word the player did not give, shown
// when the question ends.
struct AnswerLine {
    std::string word; // lower case
    std::string front, back;
    std::string definition;
    bool missed = false;
};

// The text of an entry's definition: "pos. definition", or what there is.
std::string definitionText(const char* partOfSpeech, const char* definition);

// A sitting of cardbox study: the day's due questions one after another,
// each answered word by word. Each judgement is recorded in the cardbox as
// it is made (one transaction), so leaving at any moment keeps every answer
// judged so far.
class StudySession {
  public:
    StudySession(StudyIndex& index, Cardbox& box, QuizType type, bool expurged);

    // The clock (Unix seconds); the tests set their own.
    std::function<std::int64_t()> clock;

    // Takes the due questions at the clock's now (at most `limit`, 0: all)
    // and puts the first on. Returns how many are due.
    int start(int limit = 0);

    bool hasQuestion() const { return at_ < due_.size(); }
    // The question on (upper case), and the letters its tiles show.
    const std::string& question() const;
    QuizType type() const { return type_; }
    // How many questions the sitting holds, how many were judged, and which
    // one is on (0-based).
    int dueTotal() const { return static_cast<int>(due_.size()); }
    int answered() const { return answered_; }
    int position() const { return static_cast<int>(at_); }
    // The question's right words, and how many the player gave so far.
    int solutionCount() const { return static_cast<int>(solutions_.size()); }
    int foundCount() const { return found_; }

    enum class Entry {
        Right,    // a right word not given before: its line is added
        Repeated, // given already
        Wrong,    // no right word of this question
        Ignored,  // empty, or the question is judged already
    };
    // A word the player typed (any case; spaces around it ignored). When the
    // last right word is given, the question is judged at once.
    Entry submit(std::string_view typed);
    // The right words given, in the order given; after the judgement the
    // missed ones follow.
    const std::vector<AnswerLine>& lines() const { return lines_; }
    const std::vector<std::string>& wrongWords() const { return wrong_; }

    // Give up / Done: judges the question now (right only when every right
    // word was given and no wrong one) and records it. False when it is
    // judged already or the cardbox refused the answer (see error()).
    bool finish();
    bool judged() const { return judged_; }
    bool judgedRight() const { return right_; }
    // The card before and after the judgement.
    const std::optional<Card>& before() const { return before_; }
    const std::optional<Card>& after() const { return after_; }
    // Mark right / Mark missed: the judgement of the question on is changed
    // to this. True when it holds now.
    bool mark(bool right);

    // Takes back the last judgement of the sitting: the cardbox forgets it
    // and its question is on again, unanswered. One step only.
    bool canUndo() const { return undoable_; }
    bool undo();

    // The next question, once this one is judged; false at the end.
    bool next();

    const std::string& error() const { return error_; }
    // The last failure's reason, once: it is cleared.
    std::string takeError() { return std::exchange(error_, {}); }

  private:
    void load();
    bool record(bool right);

    StudyIndex& index_;
    Cardbox& box_;
    QuizType type_;
    bool expurged_;
    std::vector<std::string> due_;
    std::size_t at_ = 0;
    int answered_ = 0;
    std::vector<std::string> solutions_;
    std::vector<std::string> given_;
    std::vector<AnswerLine> lines_;
    std::vector<std::string> wrong_;
    int found_ = 0;
    bool judged_ = false;
    bool right_ = false;
    std::optional<Card> before_, after_;
    bool undoable_ = false;
    std::size_t undoAt_ = 0;
    std::string error_;
};

// The quiz's status line: "Question 3 of 40 · 2 answered · 1 of 4 words
// found".
std::string progressText(const StudySession& session);
// The verdict once a question is judged: "Right. Box 1 → 2, due again in 4
// days." and the wrong words given; empty before.
std::string judgementText(const StudySession& session);

} // namespace zq
