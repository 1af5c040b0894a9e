#include "cli/SetsCommands.h"
#include "cli/ToolLexicon.h"

#include <cstdio>

#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "print/PageLayout.h"
#include "quiz/QuizSession.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

namespace {

int usageError(const std::string& text) {
    std::fprintf(stderr, "zendraquil-lex: %s\n", text.c_str());
    return 2;
}

bool parseNumber(const std::string& text, int& value) {
    const auto parsed = parseSettingInt(text);
    if (!parsed || *parsed < 0) return false;
    value = *parsed;
    return true;
}

bool parseSwitch(const std::string& text, int& value) {
    if (text != "0" && text != "1") return false;
    value = text == "1";
    return true;
}

bool parseLetters(const std::string& text, std::string& letters) {
    letters.clear();
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c < 'a' || c > 'z') return false;
        letters += c;
    }
    return true;
}

// Reads the criteria options from args[first] on; false after reporting.
bool parseOptions(const std::vector<std::string>& args, std::size_t first,
                  CWordSetCriteria& criteria, std::string& error) {
    for (std::size_t i = first; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            error = option + " needs a value";
            return false;
        }
        const std::string& value = args[i + 1];
        bool ok;
        if (option == "--max")
            ok = parseNumber(value, criteria.maxWordLength);
        else if (option == "--letters")
            ok = parseLetters(value, criteria.validLetters);
        else if (option == "--all-letters")
            ok = parseSwitch(value, criteria.allLetters);
        else if (option == "--definitions")
            ok = parseSwitch(value, criteria.definitions);
        else {
            error = "unknown option " + option;
            return false;
        }
        if (!ok) {
            error = "bad value for " + option + ": " + value;
            return false;
        }
    }
    return true;
}

int userSetCount(const CWordDatabase& db) {
    return static_cast<int>(db.userWordSets.size());
}

// Marks the set through the stored criteria, as the quiz and printing do.
void markSet(CWordDatabase& db, MemorySettingsStore& store, CWordSetCriteria criteria, int setId) {
    criteria.cannedWordSet = setId;
    criteria.save(store);
    markWordSet(db, store, false, false);
}

} // namespace

int runSetsCommand(const std::vector<std::string>& args, UserInterface& ui) {
    const bool members = args[0] == "members";
    std::size_t first = 1;
    int wanted = -1;
    if (members) {
        if (args.size() < 2 || !parseNumber(args[1], wanted))
            return usageError("members needs a word set id (0 or more)");
        first = 2;
    }
    CWordSetCriteria criteria;
    std::string error;
    if (!parseOptions(args, first, criteria, error)) return usageError(error);

    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    MemorySettingsStore store;
    const int lastId = kFirstUserSet + userSetCount(db) - 1;

    if (members) {
        if (wanted > lastId) return usageError("no word set with id " + args[1]);
        markSet(db, store, criteria, wanted);
        for (CWordNode* node : db.inOrder())
            if (node->has(CWordNode::InWordSet)) std::printf("%s\n", node->word());
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    for (int id = 0; id <= lastId; ++id) {
        markSet(db, store, criteria, id);
        std::printf("%d %d %s\n", id, db.setSize, wordSetTitle(db, id).c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

namespace {

// Takes the command's own options out of args: a flag in `flags`, a number
// (at least its minimum) in `numbers`; the rest are left for parseOptions.
// False after reporting a bad value.
struct NumberOption {
    const char* name;
    int* value;
    int minimum;
};
bool takeOwnOptions(const std::vector<std::string>& args,
                    std::initializer_list<NumberOption> numbers,
                    std::initializer_list<std::pair<const char*, bool*>> flags,
                    std::vector<std::string>& rest, std::string& error) {
    rest = {args[0]};
    for (std::size_t i = 1; i < args.size(); ++i) {
        bool taken = false;
        for (const auto& [name, flag] : flags)
            if (args[i] == name) *flag = taken = true;
        for (const NumberOption& n : numbers) {
            if (taken || args[i] != n.name) continue;
            int value = 0;
            if (i + 1 >= args.size() || !parseNumber(args[i + 1], value) || value < n.minimum) {
                error = args[i] + " needs a number (" + std::to_string(n.minimum) + " or more)";
                return false;
            }
            *n.value = value;
            taken = true;
            ++i;
        }
        if (!taken) rest.push_back(args[i]);
    }
    return true;
}

// The quiz's messages and records as transcript lines.
class TranscriptHost final : public QuizHost {
  public:
    void showMessage(const std::string& text) override { line("message", text); }
    void recorded(const std::string& record) override { line("record", record); }
    static void line(const char* key, const std::string& text) {
        std::printf("%s: %s\n", key, oneLine(text).c_str());
    }
};

} // namespace

int runQuizCommand(const std::vector<std::string>& args, UserInterface& ui) {
    // --seed, --set and --still-clock are the quiz's own; the rest are
    // criteria options.
    int seed = -1, setId = 0;
    bool stillClock = false;
    std::vector<std::string> rest;
    std::string problem;
    if (!takeOwnOptions(args, {{"--seed", &seed, 0}, {"--set", &setId, 0}},
                        {{"--still-clock", &stillClock}}, rest, problem))
        return usageError(problem);
    CWordSetCriteria criteria;
    criteria.cannedWordSet = setId;
    std::string error;
    if (!parseOptions(rest, 1, criteria, error)) return usageError(error);

    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    if (criteria.cannedWordSet >= kFirstUserSet && !findUserWordSet(db, criteria.cannedWordSet))
        return usageError("no word set with id " + std::to_string(criteria.cannedWordSet));
    // The options stand in for the user's stored criteria; nothing is written
    // to the real settings.
    MemorySettingsStore store;
    criteria.save(store);
    if (seed >= 0)
        seedRandom(static_cast<std::uint32_t>(seed));
    else
        seedRandomFromClock();
    if (prepareQuizSet(db, store) == 0) {
        std::fprintf(stderr, "zendraquil-lex: the word set is empty (the program would open the "
                             "word set wizard)\n");
        return 1;
    }
    CWordNode* first = drawRandomWord(db, store, true);
    if (!first) {
        std::fprintf(stderr, "zendraquil-lex: no word could be drawn from the word set\n");
        return 1;
    }
    TranscriptHost host;
    // A clock that stands still makes recorded transcripts repeatable.
    SecondsClock clock = systemSeconds;
    if (stillClock) clock = [] { return std::int64_t{0}; };
    CQuizSession quiz(db, store, host, clock);
    quiz.begin(first);
    std::string answer;
    for (;;) {
        TranscriptHost::line("caption", quiz.caption());
        TranscriptHost::line("mode", quiz.modeLine());
        TranscriptHost::line("clue", quiz.clueText());
        TranscriptHost::line("letters", quiz.letters);
        TranscriptHost::line("progress", quiz.progressText());
        std::fflush(stdout);
        int c;
        answer.clear();
        bool any = false;
        while ((c = std::getchar()) != EOF && c != '\n') {
            any = true;
            if (c != '\r') answer += static_cast<char>(c);
        }
        if (c == EOF && !any) {
            quiz.exitQuiz();
            break;
        }
        if (!quiz.submitAnswer(answer)) break;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int runPagesCommand(const std::vector<std::string>& args, UserInterface& ui) {
    int setId = 0, onlyPage = 0;
    std::vector<std::string> rest;
    std::string problem;
    if (!takeOwnOptions(args, {{"--set", &setId, 0}, {"--page", &onlyPage, 1}}, {}, rest, problem))
        return usageError(problem);
    CWordSetCriteria criteria;
    criteria.cannedWordSet = setId;
    std::string error;
    if (!parseOptions(rest, 1, criteria, error)) return usageError(error);
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    if (setId >= kFirstUserSet && !findUserWordSet(db, setId))
        return usageError("no word set with id " + std::to_string(setId));
    MemorySettingsStore store;
    criteria.save(store);
    // The printable area of an A4 sheet with 5 mm margins, in hundredths of a
    // millimetre: only the line height depends on it, which the text omits.
    const CPageLayout layout(db, markForPrinting(db, store), 20000, 28700);
    std::printf("pages: %d\n", layout.pageCount());
    if (onlyPage > layout.pageCount()) return usageError("no page " + std::to_string(onlyPage));
    for (int p = 1; p <= layout.pageCount(); ++p) {
        if (onlyPage && p != onlyPage) continue;
        const PrintedPage page = layout.page(p);
        for (const PrintedText& t : page.texts) {
            if (t.row < 0)
                std::printf("header: %s\n", t.text.c_str());
            else if (layout.definitions())
                std::printf("row %d: %s\n", t.row, t.text.c_str());
            else
                std::printf("column %d row %d: %s\n", t.column, t.row, t.text.c_str());
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace zq
