#include "study/Cardbox.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/Letters.h"

namespace zq {

namespace {

// The version of our own tables; a file with a higher one is a newer
// program's and is left alone.
constexpr int kFormat = 1;
constexpr std::int64_t kDay = 86400;
// Files of up to this many pages (1 MB at the usual 4 KB) are checked whole
// when they are opened.
constexpr std::int64_t kFullCheckPages = 256;

const char* const kQuestionColumns[] = {"question", "correct",       "incorrect",
                                        "streak",   "last_correct",  "difficulty",
                                        "cardbox",  "next_scheduled"};

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS questions (question TEXT UNIQUE, correct INTEGER, "
    "incorrect INTEGER, streak INTEGER, last_correct INTEGER, difficulty INTEGER, "
    "cardbox INTEGER, next_scheduled INTEGER);"
    "CREATE INDEX IF NOT EXISTS zq_due ON questions (next_scheduled, correct, incorrect, "
    "cardbox);"
    "CREATE TABLE IF NOT EXISTS zq_meta (key TEXT PRIMARY KEY, value);"
    "CREATE TABLE IF NOT EXISTS zq_schedule (box INTEGER PRIMARY KEY, base_days INTEGER, "
    "spread_days INTEGER);"
    "CREATE TABLE IF NOT EXISTS zq_log (id INTEGER PRIMARY KEY, question TEXT, answered_at "
    "INTEGER, right INTEGER, "
    "was_correct INTEGER, was_incorrect INTEGER, was_streak INTEGER, was_last_correct INTEGER, "
    "was_difficulty INTEGER, was_cardbox INTEGER, was_next_scheduled INTEGER);"
    "CREATE INDEX IF NOT EXISTS zq_log_day ON zq_log (answered_at);"
    "CREATE INDEX IF NOT EXISTS zq_log_question ON zq_log (question, answered_at);";

// A prepared statement that finalises itself.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return stmt_ != nullptr; }
    Statement& bind(int i, std::int64_t v) {
        sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    Statement& bind(int i, const std::string& v) {
        sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    std::int64_t integer(int column) { return sqlite3_column_int64(stmt_, column); }
    std::string text(int column) {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

Card cardFrom(Statement& s, int first) {
    Card c;
    c.question = s.text(first);
    c.correct = static_cast<int>(s.integer(first + 1));
    c.incorrect = static_cast<int>(s.integer(first + 2));
    c.streak = static_cast<int>(s.integer(first + 3));
    c.lastCorrect = s.integer(first + 4);
    c.difficulty = static_cast<int>(s.integer(first + 5));
    c.cardbox = static_cast<int>(s.integer(first + 6));
    c.nextScheduled = s.integer(first + 7);
    return c;
}

constexpr const char* kCardColumns =
    "question, correct, incorrect, streak, last_correct, difficulty, cardbox, next_scheduled";

// Whether the file's `questions` table has the shared columns (extra ones
// of another program are allowed); false for a missing table.
bool hasQuestionsTable(sqlite3* db, bool& exists) {
    Statement info(db, "PRAGMA table_info(questions)");
    std::set<std::string> columns;
    while (info && info.step() == SQLITE_ROW)
        columns.insert(lowerLetters(info.text(1)));
    exists = !columns.empty();
    for (const char* c : kQuestionColumns)
        if (!columns.count(c)) return false;
    return true;
}

} // namespace

const char* quizTypeName(QuizType type) {
    return type == QuizType::Anagrams ? "anagrams" : "hooks";
}

std::optional<QuizType> quizTypeNamed(const std::string& name) {
    if (name == "anagrams") return QuizType::Anagrams;
    if (name == "hooks") return QuizType::Hooks;
    return std::nullopt;
}

std::string userFolderName(const std::string& userName) {
    std::string out;
    for (unsigned char c : userName) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else if (c >= 'A' && c <= 'Z') {
            out += '^';
            out += static_cast<char>(c - 'A' + 'a');
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    // No name is empty or all dots once encoded: '.' is always %2E.
    return out.empty() ? std::string("%") : out;
}

std::string cardboxPath(const std::string& workingFolder, const std::string& userName,
                        QuizType type) {
    std::string base = workingFolder.empty() ? std::string(".") : workingFolder;
    if (base.back() != '/') base += '/';
    return base + "study/" + userFolderName(userName) + "/" + quizTypeName(type) + ".db";
}

Cardbox::Cardbox(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

Cardbox::~Cardbox() {
    sqlite3_close(db_);
}

std::unique_ptr<Cardbox> Cardbox::open(const std::string& path, bool create, std::string& error) {
    error.clear();
    std::error_code ec;
    const bool existed = std::filesystem::exists(path, ec);
    if (!existed && !create) {
        error = "there is no cardbox " + path;
        return nullptr;
    }
    if (existed && !std::filesystem::is_regular_file(path, ec)) {
        error = path + " is not a cardbox file";
        return nullptr;
    }
    if (!existed) {
        const auto folder = std::filesystem::path(path).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    }
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (existed ? 0 : SQLITE_OPEN_CREATE);
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        error = "the cardbox " + path +
                " cannot be opened: " + (db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return nullptr;
    }
    std::unique_ptr<Cardbox> box(new Cardbox(db, path));
    sqlite3_busy_timeout(db, 200);
    // Pages read through memory mapping rather than one read call each.
    sqlite3_exec(db, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    auto refuse = [&](const std::string& why) {
        error = why;
        return nullptr;
    };
    // Nothing is written before the file has shown itself to be a cardbox
    // (or to be new and empty).
    bool tableExists = false;
    {
        Statement count(db, "SELECT count(*) FROM sqlite_master");
        int rc = count.step();
        // A statement the file did not let prepare failed with the file's code.
        if (rc != SQLITE_ROW && sqlite3_errcode(db) != SQLITE_OK) rc = sqlite3_errcode(db);
        if (rc == SQLITE_NOTADB)
            return refuse(path + " is not a cardbox (it is not an SQLite database)");
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            return refuse("the cardbox " + path + " is in use by another copy of Zendraquil");
        if (rc == SQLITE_CORRUPT) return refuse("the cardbox " + path + " is damaged");
        if (rc != SQLITE_ROW)
            return refuse("the cardbox " + path + " cannot be read: " + sqlite3_errmsg(db));
        const bool empty = count.integer(0) == 0;
        if (!empty && !hasQuestionsTable(db, tableExists))
            return refuse(path + (tableExists ? " has a questions table of another layout"
                                              : " is not a cardbox (it has no questions table)"));
    }
    {
        // A file cut short holds fewer pages than its header says. A small
        // file is also read through whole; in a large one (a full check
        // would cost more than the open may take) damage elsewhere shows when
        // its pages are read, and the change that met it is rolled back.
        Statement pages(db, "PRAGMA page_count");
        Statement pageSize(db, "PRAGMA page_size");
        const std::int64_t count = pages.step() == SQLITE_ROW ? pages.integer(0) : -1;
        const std::int64_t size = pageSize.step() == SQLITE_ROW ? pageSize.integer(0) : -1;
        const auto onDisk = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
        if (count < 0 || size <= 0 ||
            (existed && !ec && count * size > onDisk &&
             !std::filesystem::exists(path + "-wal", ec)))
            return refuse("the cardbox " + path + " is damaged");
        if (count <= kFullCheckPages) {
            Statement check(db, "PRAGMA quick_check");
            if (check.step() != SQLITE_ROW || check.text(0) != "ok")
                return refuse("the cardbox " + path + " is damaged");
        }
    }
    {
        Statement format(db, "SELECT value FROM zq_meta WHERE key = 'format'");
        if (format && format.step() == SQLITE_ROW && format.integer(0) > kFormat)
            return refuse("the cardbox " + path + " was made by a newer version of Zendraquil");
    }
    // Held by this copy from now on: the first write takes the lock and
    // keeps it until the cardbox is closed.
    if (!box->exec("PRAGMA locking_mode = EXCLUSIVE") || !box->exec("PRAGMA journal_mode = WAL") ||
        !box->exec("PRAGMA synchronous = NORMAL")) {
        if (sqlite3_errcode(db) == SQLITE_BUSY)
            return refuse("the cardbox " + path + " is in use by another copy of Zendraquil");
        return refuse(box->error_);
    }
    if (!box->exec("BEGIN IMMEDIATE")) {
        if (sqlite3_errcode(db) == SQLITE_BUSY)
            return refuse("the cardbox " + path + " is in use by another copy of Zendraquil");
        return refuse(box->error_);
    }
    const bool made =
        box->exec(kSchema) &&
        box->exec("INSERT OR IGNORE INTO zq_meta (key, value) VALUES ('format', 1)") &&
        box->exec("COMMIT");
    if (!made) {
        box->exec("ROLLBACK");
        return refuse(box->error_);
    }
    if (!box->loadSchedule()) return refuse(box->error_);
    return box;
}

bool Cardbox::exec(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
    error_ = std::string("the cardbox ") + path_ +
             " could not be changed: " + (message ? message : sqlite3_errmsg(db_));
    sqlite3_free(message);
    return false;
}

bool Cardbox::fail(const std::string& what) {
    error_ = "the cardbox " + path_ + ": " + what + ": " + sqlite3_errmsg(db_);
    return false;
}

bool Cardbox::loadSchedule() {
    Statement rows(db_, "SELECT box, base_days, spread_days FROM zq_schedule ORDER BY box");
    if (!rows) return fail("its schedule cannot be read");
    Schedule s;
    std::vector<std::pair<int, int>> stored;
    while (rows.step() == SQLITE_ROW) {
        const auto box = rows.integer(0);
        if (box != static_cast<std::int64_t>(stored.size())) break; // boxes 0, 1, ... only
        stored.emplace_back(static_cast<int>(std::clamp<std::int64_t>(rows.integer(1), 0, 36500)),
                            static_cast<int>(std::clamp<std::int64_t>(rows.integer(2), 0, 36500)));
    }
    if (!stored.empty()) {
        s.baseDays.clear();
        s.spreadDays.clear();
        for (auto [base, spread] : stored) {
            s.baseDays.push_back(base);
            s.spreadDays.push_back(std::min(spread, base));
        }
    }
    Statement perDay(db_, "SELECT value FROM zq_meta WHERE key = 'new_per_day'");
    if (perDay && perDay.step() == SQLITE_ROW)
        s.newPerDay = static_cast<int>(std::clamp<std::int64_t>(perDay.integer(0), 0, 1000000));
    schedule_ = s;
    return true;
}

bool Cardbox::setSchedule(const Schedule& s) {
    if (s.baseDays.empty() || s.baseDays.size() != s.spreadDays.size()) {
        error_ = "a schedule needs a base and a spread for every box";
        return false;
    }
    if (!exec("BEGIN IMMEDIATE")) return false;
    bool ok = exec("DELETE FROM zq_schedule");
    Statement put(db_, "INSERT INTO zq_schedule (box, base_days, spread_days) VALUES (?, ?, ?)");
    for (std::size_t b = 0; ok && b < s.baseDays.size(); ++b) {
        put.bind(1, static_cast<std::int64_t>(b)).bind(2, s.baseDays[b]).bind(3, s.spreadDays[b]);
        ok = put.step() == SQLITE_DONE || fail("its schedule cannot be stored");
        put.reset();
    }
    Statement perDay(db_, "INSERT OR REPLACE INTO zq_meta (key, value) VALUES ('new_per_day', ?)");
    perDay.bind(1, s.newPerDay);
    ok = ok && (perDay.step() == SQLITE_DONE || fail("its schedule cannot be stored"));
    if (!ok || !exec("COMMIT")) {
        exec("ROLLBACK");
        return false;
    }
    return loadSchedule();
}

std::optional<Cardbox::LexiconStamp> Cardbox::lexicon() {
    Statement name(db_, "SELECT value FROM zq_meta WHERE key = 'lexicon'");
    Statement words(db_, "SELECT value FROM zq_meta WHERE key = 'lexicon_words'");
    if (!name || !words || name.step() != SQLITE_ROW || words.step() != SQLITE_ROW)
        return std::nullopt;
    return LexiconStamp{name.text(0), words.integer(0)};
}

bool Cardbox::setLexicon(const LexiconStamp& stamp) {
    Statement put(db_, "INSERT OR REPLACE INTO zq_meta (key, value) VALUES ('lexicon', ?), "
                       "('lexicon_words', ?)");
    put.bind(1, stamp.name).bind(2, stamp.words);
    return put.step() == SQLITE_DONE || fail("the lexicon cannot be recorded");
}

int Cardbox::add(const std::vector<std::string>& questions, std::int64_t now,
                 const Progress& progress) {
    return insertEach(
        "INSERT OR IGNORE INTO questions (question, correct, incorrect, streak, last_correct, "
        "difficulty, cardbox, next_scheduled) VALUES (?, 0, 0, 0, 0, 0, 0, ?)",
        questions, "a question cannot be added",
        [now](Statement& put, const std::string& q) {
            if (q.empty()) return false;
            put.bind(1, upperLetters(q)).bind(2, now);
            return true;
        },
        progress);
}

template <class Row, class Bind>
int Cardbox::insertEach(const char* sql, const std::vector<Row>& rows, const char* what, Bind bind,
                        const Progress& progress) {
    if (!exec("BEGIN IMMEDIATE")) return -1;
    Statement put(db_, sql);
    int added = 0;
    const int total = static_cast<int>(rows.size());
    for (int done = 0; done < total; ++done) {
        if (progress && done % 512 == 0 && !progress(done, total)) {
            exec("ROLLBACK");
            error_ = "cancelled";
            return -1;
        }
        const Row& row = rows[static_cast<std::size_t>(done)];
        if (!bind(put, row)) continue;
        if (put.step() != SQLITE_DONE) {
            fail(what);
            exec("ROLLBACK");
            return -1;
        }
        added += sqlite3_changes(db_);
        put.reset();
    }
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return -1;
    }
    if (progress) progress(total, total);
    return added;
}

std::optional<Card> Cardbox::card(const std::string& question) {
    const std::string sql =
        std::string("SELECT ") + kCardColumns + " FROM questions WHERE question = ?";
    Statement get(db_, sql.c_str());
    get.bind(1, upperLetters(question));
    if (get.step() != SQLITE_ROW) return std::nullopt;
    return cardFrom(get, 0);
}

int Cardbox::size() {
    Statement count(db_, "SELECT count(*) FROM questions");
    return count.step() == SQLITE_ROW ? static_cast<int>(count.integer(0)) : 0;
}

std::vector<int> Cardbox::boxCounts() {
    std::vector<int> counts;
    Statement rows(db_,
                   "SELECT cardbox, count(*) FROM questions GROUP BY cardbox ORDER BY cardbox");
    while (rows.step() == SQLITE_ROW) {
        const auto box = std::clamp<std::int64_t>(rows.integer(0), 0, 1000);
        if (counts.size() <= static_cast<std::size_t>(box))
            counts.resize(static_cast<std::size_t>(box) + 1, 0);
        counts[static_cast<std::size_t>(box)] += static_cast<int>(rows.integer(1));
    }
    return counts;
}

std::vector<std::string> Cardbox::dueQuestions(std::int64_t now, int limit) {
    std::vector<std::string> out;
    auto full = [&] { return limit > 0 && static_cast<int>(out.size()) >= limit; };
    // Answered before: box 0 first, then by due time.
    Statement old(db_, "SELECT question FROM questions WHERE next_scheduled <= ? AND "
                       "(correct + incorrect) > 0 ORDER BY cardbox != 0, next_scheduled, rowid");
    old.bind(1, now);
    while (!full() && old.step() == SQLITE_ROW)
        out.push_back(old.text(0));
    // New ones, as many as today's allowance leaves.
    int allowance = newAllowance(now);
    Statement fresh(db_, "SELECT question FROM questions WHERE next_scheduled <= ? AND "
                         "(correct + incorrect) = 0 ORDER BY rowid");
    fresh.bind(1, now);
    while (!full() && allowance > 0 && fresh.step() == SQLITE_ROW) {
        out.push_back(fresh.text(0));
        --allowance;
    }
    return out;
}

int Cardbox::newAllowance(std::int64_t now) {
    // The questions whose first answer fell on today (UTC).
    const std::int64_t dayStart = now - ((now % kDay) + kDay) % kDay;
    Statement today(db_, "SELECT count(DISTINCT question) FROM zq_log l WHERE answered_at >= ? "
                         "AND NOT EXISTS (SELECT 1 FROM zq_log e WHERE e.question = l.question "
                         "AND e.answered_at < ?)");
    today.bind(1, dayStart).bind(2, dayStart);
    const int introduced = today.step() == SQLITE_ROW ? static_cast<int>(today.integer(0)) : 0;
    return std::max(0, schedule_.newPerDay - introduced);
}

int Cardbox::dueCount(std::int64_t now, int* heldBack) {
    if (heldBack) *heldBack = 0;
    Statement count(db_, "SELECT sum((correct + incorrect) > 0), sum((correct + incorrect) = 0) "
                         "FROM questions WHERE next_scheduled <= ?");
    count.bind(1, now);
    if (count.step() != SQLITE_ROW) return 0;
    const int fresh = static_cast<int>(count.integer(1));
    const int taken = std::min(fresh, newAllowance(now));
    if (heldBack) *heldBack = fresh - taken;
    return static_cast<int>(count.integer(0)) + taken;
}

std::vector<int> Cardbox::forecast(std::int64_t now, int days) {
    std::vector<int> counts(static_cast<std::size_t>(std::max(days, 0)), 0);
    if (days <= 0) return counts;
    const std::int64_t dayStart = now - ((now % kDay) + kDay) % kDay;
    Statement rows(db_, "SELECT (next_scheduled - ?) / 86400, count(*) FROM questions WHERE "
                        "next_scheduled < ? GROUP BY 1");
    rows.bind(1, dayStart).bind(2, dayStart + static_cast<std::int64_t>(days) * kDay);
    while (rows.step() == SQLITE_ROW) {
        const std::int64_t day = std::max<std::int64_t>(rows.integer(0), 0);
        counts[static_cast<std::size_t>(std::min<std::int64_t>(day, days - 1))] +=
            static_cast<int>(rows.integer(1));
    }
    return counts;
}

std::int64_t Cardbox::dueAfter(int box, std::int64_t now) {
    const std::size_t last = schedule_.baseDays.size() - 1;
    const std::size_t b = std::min(static_cast<std::size_t>(std::max(box, 0)), last);
    const std::int64_t base = static_cast<std::int64_t>(schedule_.baseDays[b]) * kDay;
    const std::int64_t spread = static_cast<std::int64_t>(schedule_.spreadDays[b]) * kDay;
    std::int64_t offset = 0;
    if (spread > 0) offset = std::uniform_int_distribution<std::int64_t>(-spread, spread)(rng_);
    return now + std::max<std::int64_t>(base + offset, 3600);
}

std::optional<Card> Cardbox::answer(const std::string& question, bool right, std::int64_t now) {
    std::optional<Card> before = card(question);
    if (!before) {
        error_ = "the cardbox " + path_ + " has no question " + upperLetters(question);
        return std::nullopt;
    }
    Card after = *before;
    if (right) {
        ++after.correct;
        ++after.streak;
        after.lastCorrect = now;
        after.cardbox = before->cardbox + 1;
        after.nextScheduled = dueAfter(after.cardbox, now);
    } else {
        ++after.incorrect;
        after.streak = 0;
        after.cardbox = 0;
        after.nextScheduled = now + schedule_.againSeconds;
    }
    if (!exec("BEGIN IMMEDIATE")) return std::nullopt;
    Statement put(db_, "UPDATE questions SET correct = ?, incorrect = ?, streak = ?, "
                       "last_correct = ?, cardbox = ?, next_scheduled = ? WHERE question = ?");
    put.bind(1, after.correct).bind(2, after.incorrect).bind(3, after.streak);
    put.bind(4, after.lastCorrect).bind(5, after.cardbox).bind(6, after.nextScheduled);
    put.bind(7, after.question);
    Statement log(db_, "INSERT INTO zq_log (question, answered_at, right, was_correct, "
                       "was_incorrect, was_streak, was_last_correct, was_difficulty, was_cardbox, "
                       "was_next_scheduled) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    log.bind(1, before->question).bind(2, now).bind(3, right ? 1 : 0).bind(4, before->correct);
    log.bind(5, before->incorrect).bind(6, before->streak).bind(7, before->lastCorrect);
    log.bind(8, before->difficulty).bind(9, before->cardbox).bind(10, before->nextScheduled);
    if (put.step() != SQLITE_DONE || log.step() != SQLITE_DONE) {
        fail("the answer cannot be stored");
        exec("ROLLBACK");
        return std::nullopt;
    }
    const std::int64_t logRow = sqlite3_last_insert_rowid(db_);
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return std::nullopt;
    }
    lastBefore_ = before;
    lastLog_ = logRow;
    return after;
}

bool Cardbox::undoLastAnswer() {
    if (!lastBefore_) return false;
    if (!exec("BEGIN IMMEDIATE")) return false;
    const Card& c = *lastBefore_;
    Statement put(db_, "UPDATE questions SET correct = ?, incorrect = ?, streak = ?, "
                       "last_correct = ?, difficulty = ?, cardbox = ?, next_scheduled = ? "
                       "WHERE question = ?");
    put.bind(1, c.correct).bind(2, c.incorrect).bind(3, c.streak).bind(4, c.lastCorrect);
    put.bind(5, c.difficulty).bind(6, c.cardbox).bind(7, c.nextScheduled).bind(8, c.question);
    Statement drop(db_, "DELETE FROM zq_log WHERE id = ?");
    drop.bind(1, lastLog_);
    if (put.step() != SQLITE_DONE || drop.step() != SQLITE_DONE || !exec("COMMIT")) {
        fail("the answer cannot be taken back");
        exec("ROLLBACK");
        return false;
    }
    lastBefore_.reset();
    return true;
}

int Cardbox::rescheduleOverdue(std::int64_t now, int days) {
    if (days < 1) {
        error_ = "a pile is spread over one day or more";
        return -1;
    }
    std::vector<std::string> overdue;
    {
        Statement rows(db_, "SELECT question FROM questions WHERE next_scheduled <= ? ORDER BY "
                            "cardbox != 0, next_scheduled, rowid");
        rows.bind(1, now);
        while (rows.step() == SQLITE_ROW)
            overdue.push_back(rows.text(0));
    }
    if (!exec("BEGIN IMMEDIATE")) return -1;
    Statement put(db_, "UPDATE questions SET next_scheduled = ? WHERE question = ?");
    for (std::size_t i = 0; i < overdue.size(); ++i) {
        // Day k of the pile takes questions k * n / days up to the next.
        const std::int64_t day =
            static_cast<std::int64_t>(i * static_cast<std::size_t>(days) / overdue.size());
        put.bind(1, now + day * kDay).bind(2, overdue[i]);
        if (put.step() != SQLITE_DONE) {
            fail("the pile cannot be spread");
            exec("ROLLBACK");
            return -1;
        }
        put.reset();
    }
    if (!exec("COMMIT")) {
        exec("ROLLBACK");
        return -1;
    }
    return static_cast<int>(overdue.size());
}

int Cardbox::importFrom(const std::string& otherPath) {
    std::string why;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(otherPath, ec)) {
        error_ = "there is no cardbox " + otherPath;
        return -1;
    }
    sqlite3* other = nullptr;
    if (sqlite3_open_v2(otherPath.c_str(), &other, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        error_ = "the cardbox " + otherPath + " cannot be opened";
        sqlite3_close(other);
        return -1;
    }
    std::vector<Card> cards;
    bool exists = false;
    bool ok = hasQuestionsTable(other, exists);
    if (ok) {
        const std::string sql = std::string("SELECT ") + kCardColumns + " FROM questions";
        Statement rows(other, sql.c_str());
        int rc;
        while ((rc = rows.step()) == SQLITE_ROW)
            cards.push_back(cardFrom(rows, 0));
        ok = rc == SQLITE_DONE;
    }
    sqlite3_close(other);
    if (!ok) {
        error_ = otherPath + " is not a cardbox that can be read";
        return -1;
    }
    const std::string sql = std::string("INSERT OR IGNORE INTO questions (") + kCardColumns +
                            ") VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
    return insertEach(
        sql.c_str(), cards, "a question cannot be imported", [](Statement& put, const Card& c) {
            if (c.question.empty()) return false;
            put.bind(1, upperLetters(c.question)).bind(2, c.correct).bind(3, c.incorrect);
            put.bind(4, c.streak).bind(5, c.lastCorrect).bind(6, c.difficulty);
            put.bind(7, std::max(c.cardbox, 0)).bind(8, c.nextScheduled);
            return true;
        });
}

bool Cardbox::exportTo(const std::string& otherPath) {
    std::error_code ec;
    if (std::filesystem::exists(otherPath, ec)) {
        error_ = otherPath + " exists already; a cardbox is exported to a new file";
        return false;
    }
    Statement into(db_, "VACUUM INTO ?");
    into.bind(1, otherPath);
    if (into.step() != SQLITE_DONE) return fail("it cannot be exported");
    return true;
}

Judgement judgeAnswer(const std::vector<std::string>& solutions,
                      const std::vector<std::string>& given) {
    Judgement j;
    std::set<std::string> wanted;
    for (const std::string& s : solutions)
        wanted.insert(lowerLetters(s));
    std::set<std::string> seen;
    for (const std::string& g : given) {
        const std::string w = lowerLetters(g);
        if (w.empty() || !seen.insert(w).second) continue;
        (wanted.count(w) ? j.right : j.wrong).push_back(w);
    }
    for (const std::string& s : wanted)
        if (!seen.count(s)) j.missed.push_back(s);
    std::sort(j.right.begin(), j.right.end());
    std::sort(j.wrong.begin(), j.wrong.end());
    return j;
}

} // namespace zq
