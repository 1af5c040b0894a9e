#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

struct sqlite3;

namespace zq {

// What a cardbox asks: the words of an alphagram, or the hooks of a word.
enum class QuizType { Anagrams, Hooks };
const char* quizTypeName(QuizType type); // "anagrams", "hooks"
std::optional<QuizType> quizTypeNamed(const std::string& name);

// The folder of a user's cardboxes below `study/`: the name with every byte
// that is not a lower-case letter, a digit, '-' or '_' written as %XX, and
// each upper-case letter as '^' and the letter, so that no name reaches
// outside the folder and no two names (not even ones differing only in
// case, on a file system blind to case) share one.
std::string userFolderName(const std::string& userName);
// study/USER/anagrams.db (or hooks.db) below the working folder.
std::string cardboxPath(const std::string& workingFolder, const std::string& userName,
                        QuizType type);

// The boxes' intervals: base days and random spread (days) by box; a box
// past the end takes the last. A question answered wrongly goes back to box
// 0 and is due again after `againSeconds`.
struct Schedule {
    std::vector<int> baseDays{1, 4, 7, 12, 20, 30, 60, 90, 150, 270, 480};
    std::vector<int> spreadDays{0, 1, 2, 3, 5, 7, 10, 15, 20, 30, 50};
    std::int64_t againSeconds = 12 * 3600;
    // How many questions never answered enter the day's work each day.
    int newPerDay = 200;
};

// One question as the shared table holds it.
struct Card {
    std::string question; // upper case
    int correct = 0;
    int incorrect = 0;
    int streak = 0;
    std::int64_t lastCorrect = 0;
    int difficulty = 0;
    int cardbox = 0;
    std::int64_t nextScheduled = 0;
};

// A cardbox: questions in Leitner boxes in an SQLite database whose table
// `questions` has the layout that study programs share, beside tables of our
// own (zq_meta, zq_schedule, zq_log). Every change is one transaction in
// WAL mode, so a program killed at any moment loses at most the change being
// written. The file is held for this copy of the program while it is open.
class Cardbox {
  public:
    // Opens the cardbox at `path`, creating it (and its folder) when it does
    // not exist and `create` is set. A file that is not a cardbox, is
    // damaged, is in use by another copy of the program or was made by a
    // newer version is refused with the reason, and left as it was.
    static std::unique_ptr<Cardbox> open(const std::string& path, bool create, std::string& error);
    ~Cardbox();
    Cardbox(const Cardbox&) = delete;
    Cardbox& operator=(const Cardbox&) = delete;

    const std::string& path() const { return path_; }
    // The last failure's reason.
    const std::string& error() const { return error_; }

    // The lexicon the cardbox was made with: a name and a word count.
    struct LexiconStamp {
        std::string name;
        std::int64_t words = 0;
    };
    std::optional<LexiconStamp> lexicon();
    bool setLexicon(const LexiconStamp& stamp);

    const Schedule& schedule() const { return schedule_; }
    bool setSchedule(const Schedule& schedule);
    // Random spreads come from this generator; seed it for repeatable runs.
    void seed(std::uint64_t seed) { rng_.seed(seed); }

    // Told how many of how many rows are written so far, now and then during
    // a long change; returning false cancels it, leaving the cardbox as it
    // was.
    using Progress = std::function<bool(int done, int total)>;

    // Adds new questions (upper-cased; in box 0, due at once); those already
    // there are kept as they are. Returns how many were added, -1 on failure
    // or when cancelled (nothing is added then).
    int add(const std::vector<std::string>& questions, std::int64_t now,
            const Progress& progress = {});

    std::optional<Card> card(const std::string& question);
    int size();
    // How many questions each box holds, boxes 0 up to the highest in use.
    std::vector<int> boxCounts();

    // The day's work at `now`: the due questions that were answered before,
    // box 0 first and then by due time, and as many never-answered ones as
    // the new-per-day limit still allows today (UTC days), in the order they
    // were added; at most `limit` (0: all).
    std::vector<std::string> dueQuestions(std::int64_t now, int limit = 0);
    // How many questions the day's work holds now; `heldBack`, when given,
    // gets how many never-answered ones are due but wait for a later day's
    // allowance.
    int dueCount(std::int64_t now, int* heldBack = nullptr);
    // How many questions come due on each of the next `days` days (UTC; the
    // first day also takes every overdue question).
    std::vector<int> forecast(std::int64_t now, int days = 30);

    // Records one answer in one transaction: right moves the question up a
    // box (a first answer to box 1), wrong sends it to box 0; the counters,
    // streak, last right time and next due time follow. Returns the card as
    // it is now, or nothing on failure (the cardbox is then unchanged).
    std::optional<Card> answer(const std::string& question, bool right, std::int64_t now);
    // Takes back the last answer recorded (since the cardbox was opened):
    // the card returns to what it was. False when there is none.
    bool undoLastAnswer();

    // Spreads every overdue question evenly over the next `days` days,
    // keeping their order. Returns how many moved, -1 on failure.
    int rescheduleOverdue(std::int64_t now, int days);

    // Merges another cardbox file's questions by question: a question not
    // here is added as it stands there; one here keeps its own state. The
    // other file is only read. Returns how many were added, -1 on failure.
    int importFrom(const std::string& otherPath);
    // Writes a new cardbox file with every question (the shared table and
    // our own tables). An existing file is not replaced.
    bool exportTo(const std::string& otherPath);

  private:
    Cardbox(sqlite3* db, std::string path);
    bool exec(const char* sql);
    bool fail(const std::string& what);
    bool loadSchedule();
    std::int64_t dueAfter(int box, std::int64_t now);
    int newAllowance(std::int64_t now);
    // Runs an insert for each row (those `bind` takes) in one transaction;
    // how many rows went in, or -1 with nothing changed.
    template <class Row, class Bind>
    int insertEach(const char* sql, const std::vector<Row>& rows, const char* what, Bind bind,
                   const Progress& progress = {});

    sqlite3* db_;
    std::string path_;
    std::string error_;
    Schedule schedule_;
    std::mt19937_64 rng_{0x5eed};
    std::optional<Card> lastBefore_; // the card before the last answer
    std::int64_t lastLog_ = 0;       // its row in zq_log
};

// The judge of one answer. Anagrams: the answer is every word of the
// alphagram; right only when all were given and none wrong. Hooks: the front
// and back hook letters (the answer's words may be the letters, or the
// hooked words).
struct Judgement {
    std::vector<std::string> right;  // given and correct
    std::vector<std::string> missed; // correct, not given
    std::vector<std::string> wrong;  // given, not correct
    bool isRight() const { return missed.empty() && wrong.empty(); }
};
// `solutions` are the right words (lower case); `given` the player's words in
// any case, repeats ignored.
Judgement judgeAnswer(const std::vector<std::string>& solutions,
                      const std::vector<std::string>& given);

} // namespace zq
