#include "cli/SetsCommands.h"

#include <cstdio>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
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

    CWordDatabase db(programSetup(&ui));
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

} // namespace zq
