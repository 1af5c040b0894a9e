// Cardboxes: the Leitner rules, the day's work, the forecast, undo, moving
// questions between files, hostile files left untouched, and a quiz killed
// in mid-answer again and again.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <set>
#include <sqlite3.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/Import.h"
#include "core/WordDatabase.h"
#include "study/Cardbox.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

namespace {

constexpr std::int64_t kNow = 1765000000; // a Saturday morning, UTC
constexpr std::int64_t kDay = 86400;

std::unique_ptr<Cardbox> openBox(const std::string& path) {
    std::string error;
    auto box = Cardbox::open(path, true, error);
    EXPECT_TRUE(box) << error;
    return box;
}

std::string refusal(const std::string& path) {
    std::string error;
    auto box = Cardbox::open(path, true, error);
    EXPECT_FALSE(box);
    return error;
}

// Runs SQL on a file through a connection of its own.
void runSql(const std::string& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << message;
    sqlite3_free(message);
    sqlite3_close(db);
}

} // namespace

TEST(Cardbox, UserNamesNeverLeaveTheStudyFolderOrShareOne) {
    const std::vector<std::string> names = {"..", "../etc", "a/b", "a\\b", "Ann", "ann", "ANN",
                                            "",   ".",      "con", "%41",  "A",   "^a"};
    std::set<std::string> folders;
    for (const std::string& n : names) {
        const std::string f = userFolderName(n);
        EXPECT_EQ(f.find('/'), std::string::npos) << n;
        EXPECT_EQ(f.find('\\'), std::string::npos) << n;
        EXPECT_NE(f, ".");
        EXPECT_NE(f, "..");
        EXPECT_FALSE(f.empty());
        // Folded to lower case, as a case-blind file system sees it.
        std::string folded = f;
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(folders.insert(folded).second) << n << " -> " << f;
    }
    EXPECT_EQ(cardboxPath("/w", "ann", QuizType::Hooks), "/w/study/ann/hooks.db");
    EXPECT_EQ(cardboxPath("/w/", "Ann", QuizType::Anagrams), "/w/study/^ann/anagrams.db");
}

// Right answers climb a box each and are due after the new box's days, give
// or take its spread; a wrong answer sends the question back to box 0, due in
// half a day, and ends the streak.
TEST(Cardbox, AnswersMoveQuestionsBetweenBoxesOnTheSchedule) {
    TempDir dir;
    auto box = openBox(dir.file("a.db"));
    ASSERT_EQ(box->add({"aeinrst", "ACT"}, kNow), 2);
    EXPECT_EQ(box->add({"AEINRST"}, kNow), 0); // already there
    const Card fresh = *box->card("AEINRST");
    EXPECT_EQ(fresh.cardbox, 0);
    EXPECT_EQ(fresh.nextScheduled, kNow);
    const Schedule s;
    std::int64_t now = kNow;
    for (int box_ = 1; box_ <= 12; ++box_) {
        const Card c = *box->answer("AEINRST", true, now);
        EXPECT_EQ(c.cardbox, box_);
        EXPECT_EQ(c.streak, box_);
        EXPECT_EQ(c.correct, box_);
        EXPECT_EQ(c.lastCorrect, now);
        const std::size_t b = std::min<std::size_t>(static_cast<std::size_t>(box_), 10);
        const std::int64_t lo = (s.baseDays[b] - s.spreadDays[b]) * kDay;
        const std::int64_t hi = (s.baseDays[b] + s.spreadDays[b]) * kDay;
        EXPECT_GE(c.nextScheduled - now, lo) << box_;
        EXPECT_LE(c.nextScheduled - now, hi) << box_;
        now = c.nextScheduled;
    }
    const Card wrong = *box->answer("aeinrst", false, now);
    EXPECT_EQ(wrong.cardbox, 0);
    EXPECT_EQ(wrong.streak, 0);
    EXPECT_EQ(wrong.incorrect, 1);
    EXPECT_EQ(wrong.correct, 12);
    EXPECT_EQ(wrong.nextScheduled, now + 12 * 3600);
    EXPECT_FALSE(box->answer("NOTHERE", true, now));
}

// The day's work: questions answered before first (box 0 ahead of the
// others, then by due time), then new ones up to the day's allowance.
TEST(Cardbox, TheDaysWorkPutsBoxZeroFirstAndLimitsNewQuestions) {
    TempDir dir;
    auto box = openBox(dir.file("a.db"));
    Schedule s;
    s.newPerDay = 3;
    ASSERT_TRUE(box->setSchedule(s));
    box->add({"AAA", "BBB", "CCC", "DDD", "EEE", "FFF", "GGG"}, kNow);
    box->answer("AAA", true, kNow);  // box 1, due in days
    box->answer("BBB", false, kNow); // box 0, due in 12 h
    // Two new ones were taken today; one more may enter.
    EXPECT_EQ(box->dueQuestions(kNow), std::vector<std::string>{"CCC"});
    const std::int64_t later = kNow + 13 * 3600; // still the same UTC day
    EXPECT_EQ(box->dueQuestions(later), (std::vector<std::string>{"BBB", "CCC"}));
    // The next day: the allowance is whole again, and AAA (box 1) comes
    // after BBB (box 0) once both are due.
    const std::int64_t days = kNow + 8 * kDay;
    EXPECT_EQ(box->dueQuestions(days),
              (std::vector<std::string>{"BBB", "AAA", "CCC", "DDD", "EEE"}));
    EXPECT_EQ(box->dueQuestions(days, 2), (std::vector<std::string>{"BBB", "AAA"}));
    int heldBack = -1;
    EXPECT_EQ(box->dueCount(days, &heldBack), 5);
    EXPECT_EQ(heldBack, 2); // FFF and GGG wait for another day
    EXPECT_EQ(box->dueCount(kNow, &heldBack), 1);
    EXPECT_EQ(heldBack, 4); // of the five new ones due, one may enter today
    EXPECT_EQ(box->boxCounts(), (std::vector<int>{6, 1}));
}

TEST(Cardbox, TheForecastCountsEachDayAndReschedulingSpreadsAPile) {
    TempDir dir;
    auto box = openBox(dir.file("a.db"));
    std::vector<std::string> questions;
    for (int i = 0; i < 60; ++i)
        questions.push_back("Q" + std::to_string(i));
    box->add(questions, kNow - 10 * kDay); // ten days overdue
    std::vector<int> f = box->forecast(kNow, 30);
    ASSERT_EQ(f.size(), 30u);
    EXPECT_EQ(f[0], 60);
    EXPECT_EQ(box->rescheduleOverdue(kNow, 6), 60);
    f = box->forecast(kNow, 30);
    for (int d = 0; d < 6; ++d)
        EXPECT_EQ(f[static_cast<std::size_t>(d)], 10) << d;
    EXPECT_EQ(f[6], 0);
    EXPECT_EQ(box->dueCount(kNow), 10);
    EXPECT_EQ(box->rescheduleOverdue(kNow, 0), -1);
}

// One step back: the card returns to what it was, and the answer no longer
// counts as today's.
TEST(Cardbox, TheLastAnswerCanBeTakenBack) {
    TempDir dir;
    auto box = openBox(dir.file("a.db"));
    box->add({"ACT"}, kNow);
    const Card before = *box->card("ACT");
    box->answer("ACT", true, kNow);
    ASSERT_TRUE(box->undoLastAnswer());
    const Card after = *box->card("ACT");
    EXPECT_EQ(after.cardbox, before.cardbox);
    EXPECT_EQ(after.correct, before.correct);
    EXPECT_EQ(after.nextScheduled, before.nextScheduled);
    EXPECT_FALSE(box->undoLastAnswer()); // one step only
    EXPECT_EQ(box->dueQuestions(kNow), std::vector<std::string>{"ACT"});
}

// Whole files: an export is a cardbox of its own; an import merges by
// question, keeping what is here, and only reads the other file.
TEST(Cardbox, ImportMergesByQuestionAndExportWritesANewFile) {
    TempDir dir;
    {
        auto a = openBox(dir.file("a.db"));
        a->add({"ACT", "AET"}, kNow);
        a->answer("ACT", true, kNow);
        ASSERT_TRUE(a->exportTo(dir.file("copy.db")));
        EXPECT_FALSE(a->exportTo(dir.file("copy.db"))); // never over a file
    }
    const Bytes copy = dir.read("copy.db");
    auto b = openBox(dir.file("b.db"));
    b->add({"ACT", "EMT"}, kNow);
    EXPECT_EQ(b->importFrom(dir.file("copy.db")), 1);
    EXPECT_EQ(b->size(), 3);
    EXPECT_EQ(b->card("ACT")->cardbox, 0); // its own state kept
    EXPECT_EQ(b->card("AET")->cardbox, 0);
    EXPECT_EQ(dir.read("copy.db"), copy);
    EXPECT_EQ(b->importFrom(dir.file("none.db")), -1);
}

// Files that are not cardboxes, or are damaged, in use or newer, are
// refused with a reason and stay byte for byte as they were.
TEST(Cardbox, HostileFilesAreRefusedAndLeftAlone) {
    TempDir dir;
    dir.write("text.db", std::string("this is not a database at all\n"));
    EXPECT_NE(refusal(dir.file("text.db")).find("not a cardbox"), std::string::npos);
    EXPECT_EQ(dir.read("text.db"), bytesOf("this is not a database at all\n"));

    runSql(dir.file("other.db"), "CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('x')");
    const Bytes other = dir.read("other.db");
    EXPECT_NE(refusal(dir.file("other.db")).find("no questions table"), std::string::npos);
    EXPECT_EQ(dir.read("other.db"), other);

    runSql(dir.file("columns.db"), "CREATE TABLE questions (question TEXT, box INTEGER)");
    const Bytes columns = dir.read("columns.db");
    EXPECT_NE(refusal(dir.file("columns.db")).find("another layout"), std::string::npos);
    EXPECT_EQ(dir.read("columns.db"), columns);

    {
        auto box = openBox(dir.file("good.db"));
        std::vector<std::string> many;
        for (int i = 0; i < 3000; ++i)
            many.push_back("Q" + std::to_string(i));
        box->add(many, kNow);
    }
    Bytes whole = dir.read("good.db");
    ASSERT_GT(whole.size(), 8192u);
    dir.write("cut.db", Bytes(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2)));
    const Bytes cut = dir.read("cut.db");
    EXPECT_FALSE(refusal(dir.file("cut.db")).empty());
    EXPECT_EQ(dir.read("cut.db"), cut);

    whole = dir.read("good.db");
    dir.write("newer.db", whole);
    runSql(dir.file("newer.db"), "UPDATE zq_meta SET value = 99 WHERE key = 'format'");
    const Bytes newer = dir.read("newer.db");
    EXPECT_NE(refusal(dir.file("newer.db")).find("newer version"), std::string::npos);
    EXPECT_EQ(dir.read("newer.db"), newer);

    // In use: a cardbox held open by another copy (here another connection).
    auto holder = openBox(dir.file("good.db"));
    EXPECT_NE(refusal(dir.file("good.db")).find("in use"), std::string::npos);
    holder.reset();
    EXPECT_TRUE(openBox(dir.file("good.db")));
}

TEST(Cardbox, TheJudgeSaysWhatWasRightMissedAndWrong) {
    const Judgement all = judgeAnswer({"retains", "stainer"}, {"STAINER", "retains", "retains"});
    EXPECT_TRUE(all.isRight());
    EXPECT_EQ(all.right, (std::vector<std::string>{"retains", "stainer"}));
    const Judgement part = judgeAnswer({"retains", "stainer"}, {"retains", "nastier2"});
    EXPECT_FALSE(part.isRight());
    EXPECT_EQ(part.missed, std::vector<std::string>{"stainer"});
    EXPECT_EQ(part.wrong, std::vector<std::string>{"nastier2"});
    EXPECT_TRUE(judgeAnswer({}, {}).isRight()); // a word without hooks
    EXPECT_FALSE(judgeAnswer({"scat"}, {}).isRight());
}

// The lexicon tool's quiz, killed at random moments while it answers: the
// database stays valid and keeps every answer the tool had reported.
TEST(Cardbox, AQuizKilledInMidAnswerKeepsEveryEarlierAnswer) {
    TempDir dir;
    std::vector<ImportRecord> records;
    for (const char* w : {"act", "cat", "tac", "ate", "eat", "tea", "eta", "ant", "tan", "nat"})
        records.push_back({w, "", "", ""});
    {
        RecordingUi ui;
        ASSERT_TRUE(importedDatabase(dir, ui, records));
    }
    const std::string db = dir.file("cards.db");
    {
        auto box = openBox(db);
        std::vector<std::string> many;
        for (int i = 0; i < 400; ++i)
            many.push_back(i % 2 ? "ACT" + std::to_string(i) : "AET" + std::to_string(i));
        box->add(many, kNow);
        box->add({"ACT", "AET", "ANT"}, kNow);
    }
    std::mt19937 rng(23);
    int reported = 0;
    for (int round = 0; round < 25; ++round) {
        int in[2], out[2];
        ASSERT_EQ(pipe(in), 0);
        ASSERT_EQ(pipe(out), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            if (chdir(dir.path().c_str()) != 0) _exit(3);
            const std::string now = std::to_string(kNow + round * kDay);
            execl(ZQ_TOOL_PATH, ZQ_TOOL_PATH, "study", "quiz", "--db", db.c_str(), "--type",
                  "anagrams", "--now", now.c_str(), static_cast<char*>(nullptr));
            _exit(4);
        }
        close(in[0]);
        close(out[1]);
        // Answers as fast as it takes them; killed at a random moment once it
        // has judged a few.
        std::string answers;
        for (int i = 0; i < 500; ++i)
            answers += (i % 3 ? "act cat tac\n" : "wrong\n");
        (void)!write(in[1], answers.data(), answers.size());
        std::string text;
        char buffer[65536];
        const int wanted = 1 + static_cast<int>(rng() % 6);
        auto judged = [&text] {
            int n = 0;
            for (std::size_t at = 0; (at = text.find("judged: ", at)) != std::string::npos; ++at)
                ++n;
            return n;
        };
        for (int waited = 0; judged() < wanted && waited < 2000; ++waited) {
            pollfd p{out[0], POLLIN, 0};
            if (poll(&p, 1, 10) > 0) {
                const ssize_t n = read(out[0], buffer, sizeof buffer);
                if (n <= 0) break;
                text.append(buffer, static_cast<std::size_t>(n));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 3000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ssize_t n;
        while ((n = read(out[0], buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        close(in[1]);
        close(out[0]);
        reported += judged();
        // Valid, and holding at least every answer reported so far.
        sqlite3* check = nullptr;
        ASSERT_EQ(sqlite3_open_v2(db.c_str(), &check, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_stmt* s = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(check, "PRAGMA integrity_check", -1, &s, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
        EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "ok");
        sqlite3_finalize(s);
        ASSERT_EQ(sqlite3_prepare_v2(check, "SELECT count(*) FROM zq_log", -1, &s, nullptr),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
        EXPECT_GE(sqlite3_column_int64(s, 0), reported) << round;
        sqlite3_finalize(s);
        sqlite3_close(check);
    }
    EXPECT_GT(reported, 20);
    RecordProperty("answers_reported", reported);
}
