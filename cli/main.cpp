// zendraquil-lex: the lexicon maintainer's tool. It works in the current folder
// as the program does: ./word.lst is loaded exactly as at start-up.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#endif

#include "cli/SetsCommands.h"
#include "cli/StudyCommands.h"
#include "cli/ToolLexicon.h"
#include "core/Import.h"
#include "core/LexiconImport.h"
#include "core/PlayerWordList.h"
#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "tools/WordBuilderSearch.h"
#include "tools/WordChecker.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;

namespace {

const char kUsage[] =
    "usage: zendraquil-lex COMMAND [ARGS]\n"
    "\n"
    "       zendraquil-lex --lexicon NAME COMMAND [ARGS]\n"
    "\n"
    "Works on ./word.lst in the current folder, loaded as the program loads it\n"
    "(built-in two-letter words, expurged words, synonym rings, *.wordset files);\n"
    "with --lexicon NAME on ./lexicons/NAME/word.lst, a lexicon of its own (its\n"
    "own short words, its cardboxes under lexicons/NAME/study/).\n"
    "\n"
    "commands:\n"
    "  verify                 load word.lst and print a summary; exit 0 when it\n"
    "                         loaded cleanly, 1 when it did not load or is damaged\n"
    "  lexicon check FILE     read a player's own word list (one word a line;\n"
    "                         UTF-8, UTF-16 with BOM or Latin-1; LF or CRLF; #\n"
    "                         comments) and report it against ./word.lst: lines\n"
    "                         read, words kept, lines refused (the first 20 with\n"
    "                         their numbers), words with definitions, new and\n"
    "                         missing words; exits 1 when the file is refused\n"
    "  lexicon add NAME FILE [--replace]\n"
    "                         build the lexicon NAME (lexicons/NAME/word.lst) from\n"
    "                         that list, with ./word.lst's definitions for the\n"
    "                         words both hold, and print the same report; an\n"
    "                         existing NAME is replaced only with --replace, its\n"
    "                         old word.lst kept as word.lst.bak; nothing is\n"
    "                         written when the list is refused\n"
    "  export [FILE|-]        write the text backup (default backup.lst; - is\n"
    "                         standard output), one record per line in word order\n"
    "  import FILE...         build ./word.lst from record files: one record per\n"
    "                         line, word*definition*part of speech*synonym*~, or a\n"
    "                         bare word (empty fields); a later file's record\n"
    "                         replaces an earlier one's; errors are FILE:LINE: reason\n"
    "                         and nothing is written then\n"
    "  anagram LETTERS [FILTER]\n"
    "                         the Word Builder's list: every word the letters make\n"
    "                         (a space is a blank) fitting the filter (a space is\n"
    "                         any letter), best score first\n"
    "  best LETTERS           the highest-scoring word the letters make, as\n"
    "                         'word score'; nothing when none\n"
    "  sets [OPTIONS]         every word set (ids 0-11, then the *.wordset sets) as\n"
    "                         'ID COUNT TITLE', COUNT being the members the quiz\n"
    "                         and printing would take with the options' criteria\n"
    "  members ID [OPTIONS]   the members of that word set, one word per line\n"
    "                         options of sets and members:\n"
    "                           --max N             longest word (0: no limit; 0)\n"
    "                           --letters LETTERS   custom set letters (jqxz)\n"
    "                           --all-letters 0|1   custom set ignores letters (1)\n"
    "                           --definitions 0|1   only words with a definition (1)\n"
    "  check [--expurged 0|1] WORD...\n"
    "                         the Word Checker's labels for each WORD (an empty\n"
    "                         argument is the empty input), as 'result: TEXT' and\n"
    "                         'alternates: TEXT' with each line break written as \\n;\n"
    "                         --expurged 1 finds expurged words, as the option\n"
    "                         'Allow expurged words in WordChecker' does (0)\n"
    "  quiz [--seed N] [--set ID] [--still-clock] [OPTIONS]\n"
    "                         the quiz on this terminal: one answer a line from\n"
    "                         standard input (end of input is Exit), a transcript\n"
    "                         of 'KEY: TEXT' lines (caption, mode, clue, letters,\n"
    "                         progress before each answer; message; record);\n"
    "                         --seed seeds the random generator (else the clock),\n"
    "                         --set is the word set id (0), OPTIONS as for sets\n"
    "                         (definitions default 1, all letters 1, letters jqxz);\n"
    "                         --still-clock stops the clock (recorded transcripts)\n"
    "  pages [--set ID] [--page N] [OPTIONS]\n"
    "                         the printed pages of the word set as text: 'pages:\n"
    "                         N', then per page 'header: TEXT' and 'row R: TEXT'\n"
    "                         (with definitions) or 'column C row R: WORD';\n"
    "                         OPTIONS as for sets, definitions default 1\n"
    "  anagrams [--expurged 0|1] LETTERS...\n"
    "                         every word of exactly the letters ('?' a blank), as\n"
    "                         'LETTERS: word word ...' in word order\n"
    "  hooks [--expurged 0|1] WORD...\n"
    "                         'FRONT WORD BACK INNER': the hook letters in front\n"
    "                         and behind (- for none), then f when the word\n"
    "                         without its first letter is a word, b likewise for\n"
    "                         its last (- for no)\n"
    "  prob [--blanks 0|1|2] LETTERS...\n"
    "                         'LETTERS COUNT RANK': the ways to draw the letters\n"
    "                         from the 98 tiles and the blanks (2), and the word's\n"
    "                         probability rank among words of its length (- when\n"
    "                         no word)\n"
    "  search [CONDITIONS]    the words meeting every condition, one a line:\n"
    "                           --pattern P      ? a letter, * any letters, [abc],\n"
    "                                            [^abc], [a-e]\n"
    "                           --anagram A      these letters in any order, ? one\n"
    "                                            more letter, * any more\n"
    "                           --subanagram S   made from these tiles, ? a blank\n"
    "                           --length MIN-MAX, --rank MIN-MAX (probability\n"
    "                           rank), --anagrams MIN-MAX (words of its letters)\n"
    "                           --blanks 0|1|2   blanks for the ranks (2)\n"
    "                           --defined        only words with a definition\n"
    "                           --set ID         only members of that word set\n"
    "                           --front-hooks 0|1, --back-hooks 0|1\n"
    "                           --order alpha|prob, --expurged 0|1\n"
    "                           --format words|text|csv  the words alone (words),\n"
    "                                            or with hooks, rank and definition\n"
    "                                            as the study window exports them\n"
    "  (every study command takes --user NAME --type T instead of --db FILE: that\n"
    "  user's cardbox, study/USER/T.db)\n"
    "  study add --db FILE --type anagrams|hooks [--now UNIX] SOURCE\n"
    "                         adds questions to a cardbox (made when missing):\n"
    "                         SOURCE is --set ID, --words W... (words, or racks\n"
    "                         that make one for anagrams) or --search with\n"
    "                         the search conditions; anagram questions are the\n"
    "                         words' alphagrams, each once, likeliest first;\n"
    "                         --first N keeps the first N\n"
    "  study due --db FILE [--now UNIX]\n"
    "                         due questions, questions per box, and how many come\n"
    "                         due on each of the next 30 days\n"
    "  study quiz --db FILE --type T [--now UNIX] [--seed N] [--limit N]\n"
    "                         the day's questions: one answer a line (the words,\n"
    "                         separated by spaces), each judged, with its new\n"
    "                         box and due time\n"
    "  study reschedule --db FILE --days N [--now UNIX]\n"
    "                         spreads the overdue questions over N days\n"
    "  study schedule --db FILE [--base D,D,...] [--spread D,D,...] [--new-per-day N]\n"
    "                         shows or sets the boxes' days and spreads and the\n"
    "                         new questions a day\n"
    "  study import|export --db FILE OTHER\n"
    "                         merges OTHER's questions in, or writes a new OTHER\n"
    "  --help                 this text\n";

class ConsoleUi final : public UserInterface {
  public:
    void message(const std::string& text) override {
        std::fprintf(stderr, "zendraquil-lex: %s\n", text.c_str());
    }
    bool askYesNo(const std::string&) override { return false; }
};

int fail(const std::string& text) {
    std::fprintf(stderr, "zendraquil-lex: %s\n", text.c_str());
    return 2;
}

long peakMemoryKb() {
#if defined(__unix__) || defined(__APPLE__)
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0) return usage.ru_maxrss;
#endif
    return -1;
}

int verify(ConsoleUi& ui) {
    const auto started = std::chrono::steady_clock::now();
    CWordDatabase db(toolSetup(&ui));
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    if (!db.loaded) return 1;

    std::map<std::size_t, int> byLength;
    int withDefinition = 0, expurged = 0, inRings = 0, rings = 0;
    std::unordered_set<const CWordNode*> seen;
    for (CWordNode* node : db.inOrder()) {
        ++byLength[std::strlen(node->word())];
        if (*node->definition() && !node->has(CWordNode::Expurged)) ++withDefinition;
        if (node->has(CWordNode::Expurged)) ++expurged;
        if (node->nextSynonym && !seen.count(node)) {
            ++rings;
            const CWordNode* p = node;
            do {
                seen.insert(p);
                ++inRings;
                p = p->nextSynonym;
            } while (p && p != node && !seen.count(p));
        }
    }
    const LoadReport& r = db.loadReport();
    std::printf("word.lst: %lld bytes\n", static_cast<long long>(r.fileSize));
    std::printf("entries: %zu\n", db.inOrder().size());
    std::printf("entries by word length:");
    for (auto [length, count] : byLength)
        std::printf(" %zu:%d", length, count);
    std::printf("\n");
    std::printf("with definitions: %d\n", withDefinition);
    std::printf("expurged: %d\n", expurged);
    std::printf("synonym rings: %d (%d entries)\n", rings, inRings);
    std::printf("tree height: %d\n", treeHeight(db.root));
    std::printf("records in file: %d (deleted %d, refused %d)\n", r.records, r.deletedRecords,
                r.refusedRecords);
    std::printf("decompressed text: %lld bytes (capacity %lld)\n",
                static_cast<long long>(r.textBytes), static_cast<long long>(r.capacity));
    std::printf("load time: %.1f ms\n", ms);
    std::printf("peak memory: %.1f MB\n", peakMemoryKb() / 1024.0);
    if (r.damaged) std::printf("damaged: yes\n");
    return r.damaged ? 1 : 0;
}

int exportText(ConsoleUi& ui, const std::string& target) {
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    if (target != "-") return db.backupText(target) ? 0 : 1;
    for (CWordNode* node : db.inOrder()) {
        if (std::strlen(node->word()) <= 2) continue;
        const std::string line = formatRecord(node->entry()) + "\n";
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int importFiles(ConsoleUi& ui, const std::vector<std::string>& files) {
    std::vector<ImportRecord> records;
    std::vector<std::string> errors;
    if (!readRecordFiles(realFileSystem(), files, records, errors)) {
        for (const std::string& e : errors)
            std::fprintf(stderr, "%s\n", e.c_str());
        return 1;
    }
    DatabaseSetup setup;
    setup.ui = &ui;
    // A fixed seed for the shuffled save order: the same records always give
    // the same file.
    seedRandom(1);
    if (!writeWordList(setup, records)) return 1;
    std::printf("word.lst written: %zu records\n", records.size());
    return 0;
}

bool rackText(const std::string& in, std::string& out, bool isFilter) {
    out.clear();
    for (unsigned char c : in) {
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if ((c < 'a' || c > 'z') && c != ' ') return false;
        out += static_cast<char>(c);
    }
    return isFilter || !out.empty();
}

int anagram(ConsoleUi& ui, const std::string& letters, const std::string& filter) {
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    db.markAll(false);
    for (const std::string& line : listBuildableWords(db, letters, filter))
        std::printf("%s\n", line.c_str());
    return 0;
}

int best(ConsoleUi& ui, const std::string& letters) {
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    db.markAll(false);
    if (CWordNode* node = db.bestWordFor(letters.c_str()))
        std::printf("%s %d\n", node->word(), node->score());
    return 0;
}

int check(ConsoleUi& ui, const std::vector<std::string>& args) {
    int expurged = 0;
    std::vector<std::string> words;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--expurged") {
            if (i + 1 >= args.size() || (args[i + 1] != "0" && args[i + 1] != "1"))
                return fail("--expurged takes 0 or 1");
            expurged = args[++i] == "1";
            continue;
        }
        std::string word;
        // As the input rack would hold it: a-z and blanks, at most 15.
        if (!rackText(args[i], word, true) || word.size() > 15)
            return fail("WORD must be at most 15 letters a-z and spaces");
        words.push_back(word);
    }
    if (words.empty()) return fail("check needs at least one WORD");
    CWordDatabase db(toolSetup(&ui));
    if (!db.loaded) return 1;
    MemorySettingsStore store;
    markWordSet(db, store, true, expurged != 0);
    for (const std::string& word : words) {
        const CheckerLookup found = lookupWord(db, word);
        std::printf("result: %s\nalternates: %s\n", oneLine(found.result).c_str(),
                    oneLine(found.alternates).c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

void printReport(const PlayerWordList& list, const ListComparison& comparison, bool referenceRead) {
    for (const std::string& line : importReportLines(list, comparison, referenceRead))
        std::printf("%s\n", line.c_str());
}

// What a player's own word list holds, against ./word.lst: the report the
// program gives when it builds a lexicon from the list.
int checkPlayerList(const std::string& path) {
    const PlayerWordList list = readPlayerWordList(realFileSystem(), path);
    if (!list.error.empty()) {
        std::fprintf(stderr, "zendraquil-lex: %s: %s\n", path.c_str(), list.error.c_str());
        return 1;
    }
    const std::vector<ImportRecord> reference = referenceEntries(realFileSystem(), "");
    printReport(list, compareWithReference(list.words, reference), !reference.empty());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Builds lexicons/NAME/word.lst from a player's word list, as the study
// window's Add does.
int addPlayerLexicon(const std::string& name, const std::string& path, bool replace) {
    const LexiconImport result = addLexicon(realFileSystem(), "", name, path, replace);
    if (!result.error.empty()) {
        std::fprintf(stderr, "zendraquil-lex: %s\n", result.error.c_str());
        return 1;
    }
    printReport(result.list, result.comparison, result.referenceRead);
    if (!result.warning.empty()) std::printf("%s\n", result.warning.c_str());
    std::printf("%s\n",
                str::withText(str::withText(str::kLexiconAdded, name).c_str(), path).c_str());
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    seedRandomFromClock();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // --lexicon NAME before the command: work on lexicons/NAME instead.
    if (args.size() >= 3 && args[0] == "--lexicon") {
        std::string problem;
        if (!selectToolLexicon(args[1], problem)) {
            std::fprintf(stderr, "zendraquil-lex: --lexicon %s: %s\n", args[1].c_str(),
                         problem.c_str());
            return 2;
        }
        args.erase(args.begin(), args.begin() + 2);
    }
    const std::string command = args[0];
    ConsoleUi ui;
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "verify" && args.size() == 1) return verify(ui);
    if (command == "export" && args.size() <= 2)
        return exportText(ui, args.size() == 2 ? args[1] : std::string(kBackupName));
    if (command == "import" && args.size() >= 2)
        return importFiles(ui, std::vector<std::string>(args.begin() + 1, args.end()));
    if ((command == "anagram" && (args.size() == 2 || args.size() == 3)) ||
        (command == "best" && args.size() == 2)) {
        std::string letters, filter;
        if (!rackText(args[1], letters, false))
            return fail("LETTERS must be letters a-z and spaces (blanks)");
        if (args.size() == 3 && !rackText(args[2], filter, true))
            return fail("FILTER must be letters a-z and spaces (any letter)");
        return command == "best" ? best(ui, letters) : anagram(ui, letters, filter);
    }
    if (command == "sets" || command == "members") return runSetsCommand(args, ui);
    if (command == "check") return check(ui, args);
    if (command == "lexicon" && args.size() == 3 && args[1] == "check")
        return checkPlayerList(args[2]);
    if (command == "lexicon" && args.size() >= 4 && args.size() <= 5 && args[1] == "add" &&
        (args.size() == 4 || args[4] == "--replace"))
        return addPlayerLexicon(args[2], args[3], args.size() == 5);
    if (command == "quiz") return runQuizCommand(args, ui);
    if (command == "pages") return runPagesCommand(args, ui);
    if (isStudyCommand(command)) return runStudyCommand(args, ui);
    std::fputs(kUsage, stderr);
    return 2;
}
