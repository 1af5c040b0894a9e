#include "cli/StudyCommands.h"

#include <cstdio>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
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

int finish() {
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int anagramsCommand(const std::vector<std::string>& args, UserInterface& ui) {
    Arguments a;
    std::string error;
    if (!readArguments(args, false, a, error)) return usageError(error);
    std::vector<std::string> letters(a.items.size());
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!lettersOf(a.items[i], true, letters[i]))
            return usageError("LETTERS must be letters a-z and '?' (blanks): " + a.items[i]);
    CWordDatabase db(programSetup(&ui));
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
    std::string error;
    if (!readArguments(args, false, a, error)) return usageError(error);
    std::vector<std::string> words(a.items.size());
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!lettersOf(a.items[i], false, words[i]))
            return usageError("WORD must be letters a-z: " + a.items[i]);
    CWordDatabase db(programSetup(&ui));
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
    std::string error;
    if (!readArguments(args, true, a, error)) return usageError(error);
    std::vector<std::string> letters(a.items.size());
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!lettersOf(a.items[i], false, letters[i]))
            return usageError("LETTERS must be letters a-z: " + a.items[i]);
    CWordDatabase db(programSetup(&ui));
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

int searchCommand(const std::vector<std::string>& args, UserInterface& ui) {
    SearchConditions c;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--defined") {
            c.defined = true;
            continue;
        }
        if (i + 1 >= args.size()) return usageError(option + " needs a value");
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
        } else if (option == "--order") {
            ok = value == "alpha" || value == "prob";
            c.order = value == "prob" ? SearchConditions::Order::Probability
                                      : SearchConditions::Order::Alphabetical;
        } else {
            return usageError("unknown option " + option);
        }
        if (!ok) return usageError("bad value for " + option + ": " + value);
    }
    CWordDatabase db(programSetup(&ui));
    if (!db.loaded) return 1;
    StudyIndex index(db);
    const std::string reason = checkSearch(index, c);
    if (!reason.empty()) return usageError(reason);
    for (std::uint32_t w : searchWords(index, c))
        std::printf("%.*s\n", static_cast<int>(index.word(w).length), index.word(w).text);
    return finish();
}

} // namespace

bool isStudyCommand(const std::string& command) {
    return command == "anagrams" || command == "hooks" || command == "prob" || command == "search";
}

int runStudyCommand(const std::vector<std::string>& args, UserInterface& ui) {
    const std::string& command = args[0];
    if (command == "anagrams") return anagramsCommand(args, ui);
    if (command == "hooks") return hooksCommand(args, ui);
    if (command == "prob") return probCommand(args, ui);
    return searchCommand(args, ui);
}

} // namespace zq
