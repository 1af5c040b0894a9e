#pragma once

#include <string>
#include <vector>

namespace zq {

class CWordDatabase;
class CWordNode;
class CUserWordSet;
class SettingsStore;

// Word set ids. 12 and up are the loaded user word sets, in list order.
enum WordSetId : int {
    kAllWords = 0,
    kCustomSet = 1,
    kTwoLetterWords = 2,
    kThreeLetterWords = 3,
    kFourLetterWords = 4,
    kBingos = 5,
    kConsonantHeavy = 6,
    kVowelHeavy = 7,
    kAlphabets = 8,
    kInterjections = 9,
    kUnits = 10,
    kErrors = 11,
    kFirstUserSet = 12,
};
inline constexpr int kBuiltInSetCount = 12;

// The title the word set list shows for a built-in set (0 to 11); empty for
// any other id.
const char* builtInSetTitle(int setId);
// The list title of any set: a built-in title, or for a user set its title,
// ": " and its description; empty when the id names no set.
std::string wordSetTitle(const CWordDatabase& database, int setId);

// The current user's choice of word set, as kept in the user's section.
class CWordSetCriteria {
  public:
    // Resolves user sets by id; may be null.
    CWordDatabase* database = nullptr;
    int cannedWordSet = 0;
    // Kept and written back with the rest; no selection rule reads it.
    int minWordLength = 2;
    int definitions = 1;
    std::string validLetters = "jqxz";
    int allLetters = 1;
    // Longest word taken; 0 means no limit.
    int maxWordLength = 0;

    // Reads the six values of the current user, with the defaults above for
    // absent or unreadable ones, and binds `database`. A negative set id or
    // length limit (only possible by editing the store by hand) reads as its
    // default.
    void load(SettingsStore& settings, CWordDatabase* boundDatabase = nullptr);
    // Writes the six values to the current user's section in the order
    // AllLetters, Definitions, ValidLetters, MaxWordLength, MinWordLength,
    // CannedWordSet. Returns false when any write failed (all are attempted).
    bool save(SettingsStore& settings) const;

    // validLetters, then "All" when allLetters is set, then the set's label.
    std::string name() const;
    // The length limit in decimal for the custom set ("-" for none), else the
    // fixed length of the set ("2", "3", "4", "7") or "-".
    std::string lengthLabel() const;
};

// The user set with the given id (12 for the first), or null.
CUserWordSet* findUserWordSet(const CWordDatabase& database, int setId);

// Marks the members of the user's current word set (criteria loaded from
// `settings`): sets InWordSet on members and clears it on the rest, clears
// Drawn everywhere, then sets setSize to the number of members, drawnCount to 0
// and setCompleted to false. With includeAll every entry is a member, and
// expurged entries only with includeExpurged.
void markWordSet(CWordDatabase& database, SettingsStore& settings, bool includeAll,
                 bool includeExpurged);
// The same with criteria already in hand.
void markWordSet(CWordDatabase& database, const CWordSetCriteria& criteria, bool includeAll,
                 bool includeExpurged);

// Hands out a random member not yet drawn in this pass and marks it Drawn.
// When every member has been drawn the pass is over: the set is marked again
// from the stored criteria (markWordSet(false, false)), setCompleted is raised,
// and a member of the new pass is returned only with restartIfDone. Null for
// an empty set.
CWordNode* drawRandomWord(CWordDatabase& database, SettingsStore& settings, bool restartIfDone);
// The same, marking a new pass from criteria in hand.
CWordNode* drawRandomWord(CWordDatabase& database, const CWordSetCriteria& criteria,
                          bool restartIfDone);

// Which entries the criteria select, one flag per entry of database.indexed()
// (word order), changing no flag: the rule markWordSet marks by, expurged
// entries included (the caller decides about them).
std::vector<char> memberFlags(CWordDatabase& database, const CWordSetCriteria& criteria);

// How many members markWordSet(criteria, false, false) would mark, changing no
// flag: the same rule, expurged entries left out.
int countMembers(CWordDatabase& database, const CWordSetCriteria& criteria);

// How many entries a set would hold, changing no flag: the length limit (0 for
// none), definitions, the Errors set's Missed flag, user set membership for
// ids of 12 and up, and the letters (unless allLetters). Expurged entries and
// the rules of sets 2 to 10 are not consulted.
int countWordSet(CWordDatabase& database, int maxWordLength, const std::string& letters,
                 bool allLetters, bool definitionsOnly, int setId);

} // namespace zq
