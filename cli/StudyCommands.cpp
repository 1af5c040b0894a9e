#include "cli/StudyCommands.h"
#include "cli/ToolLexicon.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <set>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "study/Cardbox.h"
#include "study/Questions.h"
#include "study/SearchResults.h"
#include "study/StudyIndex.h"
#include "study/WordSearch.h"
#include "wordsets/UserWordSet.h"

namespace zq {

namespace {

int usageError(const std::string& text) {
    std::fprintf(stderr, "zendraquil-lex: %s\n", text.c_str());
    return 2;
}

// Letters as typed, lowered; false when any is not a-z (or '?' where a blank
// is allowed).
bool lettersOf(const std::string& text, bool blanks, std::string& out) {
    out.clear();
    if (text.empty()) return false;
    for (unsigned char c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (!((c >= 'a' && c <= 'z') || (blanks && c == '?'))) return false;
        out += static_cast<char>(c);
    }
    return true;
}

bool parseCount(const std::string& text, int& value) {
    const auto parsed = parseSettingInt(text);
    if (!parsed || *parsed < 0) return false;
    value = *parsed;
    return true;
}

// "MIN-MAX", "N" (both N), "MIN-" or "-MAX".
bool parseRange(const std::string& text, int& lo, int& hi) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) {
        if (!parseCount(text, lo) || lo == 0) return false;
        hi = lo;
        return true;
    }
    const std::string a = text.substr(0, dash), b = text.substr(dash + 1);
    lo = hi = 0;
    if (a.empty() && b.empty()) return false;
    if (!a.empty() && (!parseCount(a, lo) || lo == 0)) return false;
    if (!b.empty() && (!parseCount(b, hi) || hi == 0)) return false;
    return true;
}

// The words and the options before them: "--expurged 0|1" or "--blanks N".
struct Arguments {
    int expurged = 0;
    int blanks = 2;
    std::vector<std::string> items;
};

bool readArguments(const std::vector<std::string>& args, bool blanksOption, Arguments& out,
                   std::string& error) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--expurged" && !blanksOption) {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1")) {
                error = "--expurged takes 0 or 1";
                return false;
            }
            out.expurged = args[++i] == "1";
        } else if (a == "--blanks" && blanksOption) {
            if (i + 1 >= args.size() || args[i + 1].size() != 1 || args[i + 1][0] < '0' ||
                args[i + 1][0] > '2') {
                error = "--blanks takes 0, 1 or 2";
                return false;
            }
            out.blanks = args[++i][0] - '0';
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            out.items.push_back(a);
        }
    }
    if (out.items.empty()) {
        error = args[0] + " needs at least one word";
        return false;
    }
    return true;
}

// The options and the letters of anagrams, hooks and prob, each checked;
// 0, or the exit code after the message.
int readLetterArguments(const std::vector<std::string>& args, bool blanksOption, bool blankTiles,
                        const char* what, Arguments& a, std::vector<std::string>& letters) {
    std::string error;
    if (!readArguments(args, blanksOption, a, error)) return usageError(error);
    letters.resize(a.items.size());
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!lettersOf(a.items[i], blankTiles, letters[i]))
            return usageError(std::string(what) + a.items[i]);
    return 0;
}

int finish() {
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int anagramsCommand(const std::vector<std::string>& args, UserInterface& ui) {
    Arguments a;
    std::vector<std::string> letters;
    if (const int rc = readLetterArguments(
            args, false, true, "LETTERS must be letters a-z and '?' (blanks): ", a, letters))
        return rc;
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    const StudyIndex index(db);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        std::string line = a.items[i] + ":";
        for (std::uint32_t w : index.anagrams(letters[i], a.expurged != 0))
            line.append(" ").append(index.text(w));
        std::printf("%s\n", line.c_str());
    }
    return finish();
}

int hooksCommand(const std::vector<std::string>& args, UserInterface& ui) {
    Arguments a;
    std::vector<std::string> words;
    if (const int rc =
            readLetterArguments(args, false, false, "WORD must be letters a-z: ", a, words))
        return rc;
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    const StudyIndex index(db);
    for (const std::string& word : words) {
        const Hooks h = index.hooks(word, a.expurged != 0);
        std::printf("%s %s %s %c%c\n", h.front.empty() ? "-" : h.front.c_str(), word.c_str(),
                    h.back.empty() ? "-" : h.back.c_str(), h.withoutFirst ? 'f' : '-',
                    h.withoutLast ? 'b' : '-');
    }
    return finish();
}

int probCommand(const std::vector<std::string>& args, UserInterface& ui) {
    Arguments a;
    std::vector<std::string> letters;
    if (const int rc =
            readLetterArguments(args, true, false, "LETTERS must be letters a-z: ", a, letters))
        return rc;
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    StudyIndex index(db);
    const std::vector<std::uint32_t>& ranks = index.ranks(a.blanks, false);
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const std::int64_t at = index.find(letters[i], false);
        const std::string rank =
            at >= 0 ? std::to_string(ranks[static_cast<std::size_t>(at)]) : std::string("-");
        std::printf("%s %s %s\n", a.items[i].c_str(),
                    toDecimal(drawCount(letters[i], a.blanks)).c_str(), rank.c_str());
    }
    return finish();
}

// One search option at args[i] (and its value, which advances i); false with
// the reason when it is not one or its value is bad; `known` false when the
// word is no search option at all.
bool parseSearchOption(const std::vector<std::string>& args, std::size_t& i, SearchConditions& c,
                       bool& known, std::string& error) {
    known = true;
    const std::string& option = args[i];
    if (option == "--defined") {
        c.defined = true;
        return true;
    }
    static const char* const kWithValue[] = {
        "--pattern", "--anagram", "--subanagram",  "--length",     "--rank",     "--anagrams",
        "--blanks",  "--set",     "--front-hooks", "--back-hooks", "--expurged", "--order"};
    if (std::find(std::begin(kWithValue), std::end(kWithValue), option) == std::end(kWithValue)) {
        known = false;
        error = "unknown option " + option;
        return false;
    }
    if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return false;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (option == "--pattern") {
        c.pattern = value;
        c.patternGiven = true;
    } else if (option == "--anagram") {
        c.anagram = value;
        c.anagramGiven = true;
    } else if (option == "--subanagram") {
        c.subanagram = value;
        c.subanagramGiven = true;
    } else if (option == "--length") {
        ok = parseRange(value, c.minLength, c.maxLength);
    } else if (option == "--rank") {
        ok = parseRange(value, c.minRank, c.maxRank);
    } else if (option == "--anagrams") {
        ok = parseRange(value, c.minAnagrams, c.maxAnagrams);
    } else if (option == "--blanks") {
        ok = value.size() == 1 && value[0] >= '0' && value[0] <= '2';
        if (ok) c.blanks = value[0] - '0';
    } else if (option == "--set") {
        ok = parseCount(value, c.setId);
    } else if (option == "--front-hooks" || option == "--back-hooks") {
        ok = value == "0" || value == "1";
        (option == "--front-hooks" ? c.frontHooks : c.backHooks) = value == "1";
    } else if (option == "--expurged") {
        ok = value == "0" || value == "1";
        c.expurged = value == "1";
    } else {
        ok = value == "alpha" || value == "prob";
        c.order = value == "prob" ? SearchConditions::Order::Probability
                                  : SearchConditions::Order::Alphabetical;
    }
    if (!ok) error = "bad value for " + option + ": " + value;
    return ok;
}

int searchCommand(const std::vector<std::string>& args, UserInterface& ui) {
    SearchConditions c;
    std::string error;
    std::string format = "words";
    bool known;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 >= args.size()) return usageError("--format needs a value");
            format = args[++i];
            if (format != "words" && format != "text" && format != "csv")
                return usageError("--format takes words, text or csv");
            continue;
        }
        if (!parseSearchOption(args, i, c, known, error)) return usageError(error);
    }
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    StudyIndex index(db);
    const std::string reason = checkSearch(index, c);
    if (!reason.empty()) return usageError(reason);
    const std::vector<std::uint32_t> found = searchWords(index, c);
    if (format != "words") {
        // The study window's export, byte for byte.
        const auto rows = resultRows(index, found, c.expurged);
        const std::string text = format == "csv" ? csvOf(rows) : plainTextOf(rows);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return finish();
    }
    for (std::uint32_t w : found)
        std::printf("%.*s\n", static_cast<int>(index.word(w).length), index.word(w).text);
    return finish();
}

// A time as Unix seconds and as a UTC date, for the cardbox transcripts.
std::string timeText(std::int64_t t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm utc{};
#if defined(_WIN32)
    gmtime_s(&utc, &tt);
#else
    gmtime_r(&tt, &utc);
#endif
    char text[64];
    std::snprintf(text, sizeof text, "%lld (%04d-%02d-%02d %02d:%02d UTC)",
                  static_cast<long long>(t), utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                  utc.tm_hour, utc.tm_min);
    return text;
}

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

// The options every study command shares.
struct StudyOptions {
    std::string db;
    std::string user;
    std::string base, spread; // comma lists for study schedule
    int newPerDay = -1;
    std::optional<QuizType> type;
    std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    std::uint64_t seed = 0;
    bool seeded = false;
    int limit = 0;
    int first = 0;
    int days = 0;
    int expurged = 0;
    int setId = -1;
    std::vector<std::string> words;
    bool fromWords = false, fromSearch = false;
    SearchConditions search;
    std::vector<std::string> rest; // arguments that are no option
};

bool parseStudyOptions(const std::vector<std::string>& args, StudyOptions& o, std::string& error) {
    auto number = [&](std::size_t& i, std::int64_t& out) {
        if (i + 1 >= args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        char* end = nullptr;
        const long long n = std::strtoll(v.c_str(), &end, 10);
        if (v.empty() || *end != '\0' || n < 0) {
            error = "bad value for " + args[i - 1] + ": " + v;
            return false;
        }
        out = n;
        return true;
    };
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::int64_t n = 0;
        if (o.fromWords && a.rfind("--", 0) != 0) {
            o.words.push_back(a);
            continue;
        }
        if (a == "--db" || a == "--type" || a == "--user" || a == "--base" || a == "--spread") {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            const std::string& v = args[++i];
            if (a == "--db") {
                o.db = v;
            } else if (a == "--user") {
                o.user = v;
            } else if (a == "--base") {
                o.base = v;
            } else if (a == "--spread") {
                o.spread = v;
            } else if (!(o.type = quizTypeNamed(v))) {
                error = "--type takes anagrams or hooks";
                return false;
            }
        } else if (a == "--now" || a == "--seed" || a == "--limit" || a == "--first" ||
                   a == "--days" || a == "--new-per-day") {
            if (!number(i, n)) return false;
            if (a == "--new-per-day")
                o.newPerDay = static_cast<int>(std::min<std::int64_t>(n, 1000000));
            if (a == "--now") o.now = n;
            if (a == "--seed") o.seed = static_cast<std::uint64_t>(n), o.seeded = true;
            if (a == "--limit") o.limit = static_cast<int>(std::min<std::int64_t>(n, 1 << 30));
            if (a == "--first") o.first = static_cast<int>(std::min<std::int64_t>(n, 1 << 30));
            if (a == "--days") o.days = static_cast<int>(std::min<std::int64_t>(n, 36500));
        } else if (a == "--words") {
            o.fromWords = true;
            o.fromSearch = false;
        } else if (a == "--search") {
            o.fromSearch = true;
            o.fromWords = false;
        } else if (a == "--set" && !o.fromSearch) {
            if (!number(i, n)) return false;
            o.setId = static_cast<int>(std::min<std::int64_t>(n, 1 << 30));
        } else if (a == "--expurged" && !o.fromSearch) {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1")) {
                error = "--expurged takes 0 or 1";
                return false;
            }
            o.expurged = args[++i] == "1";
        } else if (o.fromSearch) {
            bool known = false;
            if (!parseSearchOption(args, i, o.search, known, error)) return false;
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown option " + a;
            return false;
        } else {
            o.rest.push_back(a);
        }
    }
    // A user's own cardbox in the working folder (here: the current one).
    if (o.db.empty() && !o.user.empty() && o.type)
        o.db = cardboxPath(toolLexiconFolder(), o.user, *o.type);
    if (o.db.empty()) {
        error = "study " + args[1] + " needs --db FILE (or --user NAME with --type)";
        return false;
    }
    return true;
}

int cardboxError(const std::string& text) {
    std::fprintf(stderr, "zendraquil-lex: %s\n", text.c_str());
    return 1;
}

void warnOfOtherLexicon(Cardbox& box, const StudyIndex& index) {
    const auto stamp = box.lexicon();
    const auto now = lexiconStamp(index);
    if (stamp && (stamp->name != now.name || stamp->words != now.words))
        std::fprintf(stderr,
                     "zendraquil-lex: warning: this cardbox was made with the lexicon \"%s\" "
                     "of %lld words; the lexicon now is \"%s\" of %lld words\n",
                     stamp->name.c_str(), static_cast<long long>(stamp->words), now.name.c_str(),
                     static_cast<long long>(now.words));
}

int studyAdd(const StudyOptions& o, UserInterface& ui) {
    if (!o.type) return usageError("study add needs --type anagrams|hooks");
    const int sources = (o.setId >= 0) + (o.fromWords ? 1 : 0) + (o.fromSearch ? 1 : 0);
    if (sources != 1) return usageError("study add takes one of --set ID, --words W..., --search");
    std::vector<std::string> typed;
    for (const std::string& w : o.words) {
        std::string letters;
        if (!lettersOf(w, false, letters)) return usageError("WORD must be letters a-z: " + w);
        typed.push_back(letters);
    }
    if (o.fromWords && typed.empty()) return usageError("--words needs at least one word");
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    StudyIndex index(db);
    QuestionSource source;
    source.kind = o.fromWords ? QuestionSource::Kind::Typed : QuestionSource::Kind::Search;
    source.search = o.search;
    if (o.setId >= 0) source.search.setId = o.setId;
    source.search.expurged = source.search.expurged || o.expurged;
    // Typed words may be expurged ones: a player asks for them by name.
    if (o.fromWords) source.search.expurged = true;
    for (const std::string& w : typed)
        source.typed += w + " ";
    source.first = o.first;
    const QuestionList list = questionsFrom(index, *o.type, source);
    if (!list.error.empty()) return usageError(list.error);
    if (!list.unknown.empty()) return usageError("not a word of the lexicon: " + list.unknown[0]);
    const std::vector<std::string>& questions = list.questions;
    std::string error;
    auto box = Cardbox::open(o.db, true, error);
    if (!box) return cardboxError(error);
    if (!box->lexicon()) box->setLexicon(lexiconStamp(index));
    warnOfOtherLexicon(*box, index);
    const int added = box->add(questions, o.now);
    if (added < 0) return cardboxError(box->error());
    std::printf("added: %d\nalready there: %d\nquestions: %d\n", added,
                static_cast<int>(questions.size()) - added, box->size());
    return finish();
}

void printDue(Cardbox& box, std::int64_t now) {
    std::printf("due: %d\n", box.dueCount(now));
    const std::vector<int> boxes = box.boxCounts();
    std::string line;
    for (std::size_t b = 0; b < boxes.size(); ++b)
        line += (b ? " " : "") + std::to_string(b) + ":" + std::to_string(boxes[b]);
    std::printf("boxes: %s\n", line.c_str());
    line.clear();
    for (int n : box.forecast(now, 30))
        line += (line.empty() ? "" : " ") + std::to_string(n);
    std::printf("forecast: %s\n", line.c_str());
}

int studyDue(const StudyOptions& o) {
    std::string error;
    auto box = Cardbox::open(o.db, false, error);
    if (!box) return cardboxError(error);
    printDue(*box, o.now);
    return finish();
}

int studyQuiz(const StudyOptions& o, UserInterface& ui) {
    if (!o.type) return usageError("study quiz needs --type anagrams|hooks");
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    StudyIndex index(db);
    std::string error;
    auto box = Cardbox::open(o.db, false, error);
    if (!box) return cardboxError(error);
    warnOfOtherLexicon(*box, index);
    box->seed(o.seeded ? o.seed : static_cast<std::uint64_t>(o.now));
    const std::vector<std::string> due = box->dueQuestions(o.now, o.limit);
    std::printf("due: %zu\n", due.size());
    std::fflush(stdout);
    int answered = 0;
    char line[4096];
    for (std::size_t k = 0; k < due.size(); ++k) {
        const auto before = box->card(due[k]);
        std::printf("question %zu of %zu: %s (box %d)\n", k + 1, due.size(), due[k].c_str(),
                    before ? before->cardbox : 0);
        std::fflush(stdout);
        if (!std::fgets(line, sizeof line, stdin)) break;
        std::vector<std::string> given;
        std::string word;
        for (const char* p = line;; ++p) {
            if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\0') {
                if (!word.empty()) given.push_back(word);
                word.clear();
                if (*p == '\0') break;
            } else {
                word += *p;
            }
        }
        const Judgement j =
            judgeAnswer(solutionsOf(index, *o.type, due[k], o.expurged != 0), given);
        const auto after = box->answer(due[k], j.isRight(), o.now);
        if (!after) return cardboxError(box->error());
        ++answered;
        std::printf("right: %s\nmissed: %s\nwrong: %s\n", joined(j.right).c_str(),
                    joined(j.missed).c_str(), joined(j.wrong).c_str());
        std::printf("judged: %s, box %d, due %s\n", j.isRight() ? "right" : "wrong", after->cardbox,
                    timeText(after->nextScheduled).c_str());
        std::fflush(stdout);
    }
    std::printf("answered: %d\n", answered);
    return finish();
}

int studyTransfer(const StudyOptions& o, bool import) {
    if (o.rest.size() != 1)
        return usageError(std::string("study ") + (import ? "import" : "export") +
                          " needs one OTHER file");
    std::string error;
    auto box = Cardbox::open(o.db, import, error);
    if (!box) return cardboxError(error);
    if (import) {
        const int added = box->importFrom(o.rest[0]);
        if (added < 0) return cardboxError(box->error());
        std::printf("imported: %d\nquestions: %d\n", added, box->size());
    } else {
        if (!box->exportTo(o.rest[0])) return cardboxError(box->error());
        std::printf("exported: %d\n", box->size());
    }
    return finish();
}

int studyReschedule(const StudyOptions& o) {
    if (o.days < 1) return usageError("study reschedule needs --days N (1 or more)");
    std::string error;
    auto box = Cardbox::open(o.db, false, error);
    if (!box) return cardboxError(error);
    const int moved = box->rescheduleOverdue(o.now, o.days);
    if (moved < 0) return cardboxError(box->error());
    std::printf("rescheduled: %d\n", moved);
    printDue(*box, o.now);
    return finish();
}

// "1,4,7" as numbers; false for anything else.
bool parseDays(const std::string& text, std::vector<int>& out) {
    out.clear();
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        int n = 0;
        if (!parseCount(text.substr(from, comma - from), n) || n > 36500) return false;
        out.push_back(n);
        from = comma + 1;
    }
    return !out.empty();
}

int studySchedule(const StudyOptions& o) {
    std::string error;
    auto box = Cardbox::open(o.db, false, error);
    if (!box) return cardboxError(error);
    Schedule s = box->schedule();
    if (!o.base.empty() && !parseDays(o.base, s.baseDays))
        return usageError("--base takes days separated by commas");
    if (!o.spread.empty() && !parseDays(o.spread, s.spreadDays))
        return usageError("--spread takes days separated by commas");
    if (o.newPerDay >= 0) s.newPerDay = o.newPerDay;
    if (s.baseDays.size() != s.spreadDays.size())
        return usageError("--base and --spread need as many boxes each");
    if (!o.base.empty() || !o.spread.empty() || o.newPerDay >= 0)
        if (!box->setSchedule(s)) return cardboxError(box->error());
    const Schedule& now = box->schedule();
    std::string base, spread;
    for (std::size_t b = 0; b < now.baseDays.size(); ++b) {
        base += (b ? "," : "") + std::to_string(now.baseDays[b]);
        spread += (b ? "," : "") + std::to_string(now.spreadDays[b]);
    }
    std::printf("base: %s\nspread: %s\nnew per day: %d\n", base.c_str(), spread.c_str(),
                now.newPerDay);
    return finish();
}

int studyCommand(const std::vector<std::string>& args, UserInterface& ui) {
    if (args.size() < 2)
        return usageError("study needs add, due, quiz, schedule, reschedule, import or export");
    StudyOptions o;
    std::string error;
    if (!parseStudyOptions(args, o, error)) return usageError(error);
    const std::string& what = args[1];
    if (what != "import" && what != "export" && !o.rest.empty())
        return usageError("unexpected argument " + o.rest[0]);
    if (what == "add") return studyAdd(o, ui);
    if (what == "due") return studyDue(o);
    if (what == "quiz") return studyQuiz(o, ui);
    if (what == "import" || what == "export") return studyTransfer(o, what == "import");
    if (what == "reschedule") return studyReschedule(o);
    if (what == "schedule") return studySchedule(o);
    return usageError("study needs add, due, quiz, schedule, reschedule, import or export");
}

} // namespace

bool isStudyCommand(const std::string& command) {
    return command == "anagrams" || command == "hooks" || command == "prob" ||
           command == "search" || command == "study";
}

int runStudyCommand(const std::vector<std::string>& args, UserInterface& ui) {
    const std::string& command = args[0];
    if (command == "anagrams") return anagramsCommand(args, ui);
    if (command == "hooks") return hooksCommand(args, ui);
    if (command == "prob") return probCommand(args, ui);
    if (command == "study") return studyCommand(args, ui);
    return searchCommand(args, ui);
}

} // namespace zq
