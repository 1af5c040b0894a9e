#include "wordsets/WordSetCriteria.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/Host.h"
#include "core/Letters.h"
#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "wordsets/UserWordSet.h"

namespace zq {

namespace {

struct SetInfo {
    const char* title;
    const char* label;
    const char* length;
};

// Titles, name() labels and length labels of the built-in sets. The custom
// set's length label is its limit and is worked out separately.
constexpr std::array<SetInfo, kBuiltInSetCount> kSets = {{
    {str::kSetAllWords, "All", "-"},
    {str::kSetCustom, "", "-"},
    {str::kSetTwoLetters, "All", "2"},
    {str::kSetThreeLetters, "All", "3"},
    {str::kSetFourLetters, "All", "4"},
    {str::kSetBingos, "Bingos", "7"},
    {str::kSetConsonantHeavy, "Consonants", "-"},
    {str::kSetVowelHeavy, "Vowels", "-"},
    {str::kSetAlphabets, "Alphabets", "-"},
    {str::kSetInterjections, "Interjections", "-"},
    {str::kSetUnits, "Units", "-"},
    {str::kSetErrors, "Errors", "-"},
}};

bool isBuiltIn(int setId) {
    return setId >= 0 && setId < kBuiltInSetCount;
}

// Letter mask bits of a, e, i, o, u (bit i stands for 'a' + i).
constexpr std::uint32_t kVowelMask = (1u << 0) | (1u << 4) | (1u << 8) | (1u << 14) | (1u << 20);

int vowelCount(const char* word) {
    int count = 0;
    for (const char* p = word; *p; ++p)
        if (*p == 'a' || *p == 'e' || *p == 'i' || *p == 'o' || *p == 'u') ++count;
    return count;
}

// The letter rule of the custom set: does the word hold any byte of the
// letters? Letters a-z are tested with the word's letter mask; other bytes
// (never in a valid word, but the stored letters are free text) with a table.
class LetterRule {
  public:
    explicit LetterRule(const std::string& letters) {
        for (unsigned char c : letters) {
            if (c >= 'a' && c <= 'z')
                mask_ |= 1u << (c - 'a');
            else if (c != 0)
                others_[c] = true, hasOthers_ = true;
        }
    }
    bool matches(const CWordDatabase::IndexedEntry& e) const {
        if (e.letters & mask_) return true;
        if (!hasOthers_ || !(e.letters >> 31)) return false;
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(e.node->word()); *p;
             ++p)
            if (others_[*p]) return true;
        return false;
    }

  private:
    std::uint32_t mask_ = 0;
    std::array<bool, 256> others_{};
    bool hasOthers_ = false;
};

// The strings of an entry, found from its word length: the text is the word,
// definition, part of speech and synonym back to back, each NUL-terminated.
const char* definitionOf(const CWordDatabase::IndexedEntry& e) {
    return e.node->text + e.length + 1;
}
const char* partOfSpeechOf(const CWordDatabase::IndexedEntry& e) {
    const char* definition = definitionOf(e);
    return definition + std::strlen(definition) + 1;
}

// Fetches the entries a few steps ahead of a walk into the cache: their nodes,
// and the text of nearer ones (whose nodes are already on their way).
// The walks touch nodes and texts scattered over the pool, so this keeps
// the memory busy while the current entry is tested.
void prefetchAhead(const std::vector<CWordDatabase::IndexedEntry>& entries, std::size_t i) {
#if defined(__GNUC__) || defined(__clang__)
    constexpr std::size_t kNodesAhead = 16, kTextAhead = 8;
    if (i + kNodesAhead < entries.size()) __builtin_prefetch(entries[i + kNodesAhead].node);
    if (i + kTextAhead < entries.size()) __builtin_prefetch(entries[i + kTextAhead].node->text);
#else
    (void)entries;
    (void)i;
#endif
}

// Which entries a user set lists: one flag per entry in word order. The set's
// words are looked up by binary search in the word-ordered entries, so the
// walks test membership without a lookup per lexicon word.
std::vector<char> listedEntries(const std::vector<CWordDatabase::IndexedEntry>& entries,
                                const CUserWordSet* set) {
    std::vector<char> listed(set ? entries.size() : 0, 0);
    if (!set) return listed;
    auto less = [](const CWordDatabase::IndexedEntry& e, std::string_view word) {
        return std::string_view(e.node->word(), e.length) < word;
    };
    for (std::string_view word : set->listedWords()) {
        const auto it = std::lower_bound(entries.begin(), entries.end(), word, less);
        if (it != entries.end() && std::string_view(it->node->word(), it->length) == word)
            listed[static_cast<std::size_t>(it - entries.begin())] = 1;
    }
    return listed;
}

// The membership rule of a set id, for an entry within the length limit.
// Tests that need only the word's length come first, so that most entries
// are decided without reading their text.
bool ruleSelects(const CWordSetCriteria& criteria, const std::vector<char>& listed,
                 const LetterRule& letters, const CWordDatabase::IndexedEntry& e,
                 std::size_t index) {
    const CWordNode* node = e.node;
    const int length = static_cast<int>(e.length);
    switch (criteria.cannedWordSet) {
    case kAllWords:
        return true;
    case kCustomSet:
        return criteria.allLetters != 0 || letters.matches(e);
    case kTwoLetterWords:
        return length == 2;
    case kThreeLetterWords:
        return length == 3;
    case kFourLetterWords:
        return length == 4;
    case kBingos:
        return length == 7 && letterWeight(node->word()) > 51;
    case kConsonantHeavy:
        // One vowel means exactly one kind of vowel in the letter mask.
        return (length == 6 || length == 7) && std::popcount(e.letters & kVowelMask) == 1 &&
               vowelCount(node->word()) == 1 && letterWeight(node->word()) > (19 * length) / 4;
    case kVowelHeavy: {
        if (length < 1 || length > 7) return false;
        // At most length - v other characters, so at most that many kinds.
        const int others = length <= 3 ? 0 : length <= 5 ? 1 : 2;
        if (std::popcount(e.letters & ~kVowelMask) > others) return false;
        const int vowels = vowelCount(node->word());
        if (length <= 3) return vowels == length;
        if (length <= 5) return vowels == length - 1;
        return vowels == length - 2;
    }
    case kAlphabets:
        return std::strcmp(partOfSpeechOf(e), "letter") == 0;
    case kInterjections:
        return std::strcmp(partOfSpeechOf(e), "interj") == 0;
    case kUnits:
        return std::strcmp(partOfSpeechOf(e), "unit") == 0;
    case kErrors:
        return node->has(CWordNode::Missed);
    default:
        return !listed.empty() && listed[index];
    }
}

bool longerThan(const CWordDatabase::IndexedEntry& e, int maxWordLength) {
    return maxWordLength != 0 && e.length > static_cast<std::uint32_t>(maxWordLength);
}

// Set membership under a criteria, the one rule that both marking and
// counting go by, so that a count always agrees with the marks it foretells.
class Membership {
  public:
    Membership(CWordDatabase& database, const CWordSetCriteria& criteria)
        : criteria_(criteria),
          listed_(
              listedEntries(database.indexed(), findUserWordSet(database, criteria.cannedWordSet))),
          letters_(criteria.validLetters) {}

    // Within the length limit, chosen by the set's rule and, when definitions
    // are asked for, defined. Expurged entries are left to the caller.
    bool selects(const CWordDatabase::IndexedEntry& e, std::size_t index) const {
        return !longerThan(e, criteria_.maxWordLength) &&
               ruleSelects(criteria_, listed_, letters_, e, index) &&
               !(criteria_.definitions && *definitionOf(e) == '\0');
    }

    // False for an entry that selects() would refuse on what the index holds
    // (length, letter kinds, list place) or on its length limit, without
    // reading the entry; true leaves it to selects().
    bool mayBeSelected(const CWordDatabase::IndexedEntry& e, std::size_t index) const {
        if (longerThan(e, criteria_.maxWordLength)) return false;
        const int length = static_cast<int>(e.length);
        switch (criteria_.cannedWordSet) {
        case kCustomSet:
            return criteria_.allLetters != 0 || letters_.matches(e);
        case kTwoLetterWords:
            return length == 2;
        case kThreeLetterWords:
            return length == 3;
        case kFourLetterWords:
            return length == 4;
        case kBingos:
            return length == 7;
        case kConsonantHeavy:
            return (length == 6 || length == 7) && std::popcount(e.letters & kVowelMask) == 1;
        case kVowelHeavy: {
            if (length < 1 || length > 7) return false;
            const int others = length <= 3 ? 0 : length <= 5 ? 1 : 2;
            return std::popcount(e.letters & ~kVowelMask) <= others;
        }
        case kAllWords:
        case kAlphabets:
        case kInterjections:
        case kUnits:
        case kErrors:
            return true;
        default:
            return !listed_.empty() && listed_[index];
        }
    }

  private:
    const CWordSetCriteria criteria_;
    const std::vector<char> listed_;
    const LetterRule letters_;
};

} // namespace

const char* builtInSetTitle(int setId) {
    return isBuiltIn(setId) ? kSets[static_cast<std::size_t>(setId)].title : "";
}

std::string wordSetTitle(const CWordDatabase& database, int setId) {
    if (isBuiltIn(setId)) return builtInSetTitle(setId);
    if (const CUserWordSet* set = findUserWordSet(database, setId))
        return set->title + ": " + set->description;
    return "";
}

void CWordSetCriteria::load(SettingsStore& settings, CWordDatabase* boundDatabase) {
    const UserProfile user(settings);
    const CWordSetCriteria defaults;
    database = boundDatabase;
    cannedWordSet = user.readInt(reg::kCannedWordSet, defaults.cannedWordSet);
    minWordLength = user.readInt(reg::kMinWordLength, defaults.minWordLength);
    definitions = user.readInt(reg::kDefinitions, defaults.definitions);
    validLetters = user.readString(reg::kValidLetters, defaults.validLetters);
    allLetters = user.readInt(reg::kAllLetters, defaults.allLetters);
    maxWordLength = user.readInt(reg::kMaxWordLength, defaults.maxWordLength);
    if (cannedWordSet < 0) cannedWordSet = defaults.cannedWordSet;
    if (maxWordLength < 0) maxWordLength = defaults.maxWordLength;
}

bool CWordSetCriteria::save(SettingsStore& settings) const {
    const UserProfile user(settings);
    bool ok = user.writeInt(reg::kAllLetters, allLetters);
    ok = user.writeInt(reg::kDefinitions, definitions) && ok;
    ok = user.writeString(reg::kValidLetters, validLetters) && ok;
    ok = user.writeInt(reg::kMaxWordLength, maxWordLength) && ok;
    ok = user.writeInt(reg::kMinWordLength, minWordLength) && ok;
    ok = user.writeInt(reg::kCannedWordSet, cannedWordSet) && ok;
    return ok;
}

std::string CWordSetCriteria::name() const {
    std::string text = validLetters;
    if (allLetters) text += "All";
    if (isBuiltIn(cannedWordSet)) {
        text += kSets[static_cast<std::size_t>(cannedWordSet)].label;
    } else if (database) {
        if (const CUserWordSet* set = findUserWordSet(*database, cannedWordSet)) text += set->title;
    }
    return text;
}

std::string CWordSetCriteria::lengthLabel() const {
    if (cannedWordSet == kCustomSet)
        return maxWordLength == 0 ? std::string("-") : std::to_string(maxWordLength);
    return isBuiltIn(cannedWordSet) ? kSets[static_cast<std::size_t>(cannedWordSet)].length : "-";
}

CUserWordSet* findUserWordSet(const CWordDatabase& database, int setId) {
    if (setId < kFirstUserSet) return nullptr;
    const auto index = static_cast<std::size_t>(setId - kFirstUserSet);
    return index < database.userWordSets.size() ? database.userWordSets[index].get() : nullptr;
}

void markWordSet(CWordDatabase& database, SettingsStore& settings, bool includeAll,
                 bool includeExpurged) {
    CWordSetCriteria criteria;
    criteria.load(settings, &database);
    markWordSet(database, criteria, includeAll, includeExpurged);
}

void markWordSet(CWordDatabase& database, const CWordSetCriteria& criteria, bool includeAll,
                 bool includeExpurged) {
    BusyGuard busy(database.ui());
    const auto& entries = database.indexed();
    // With includeAll no rule is consulted, and no user set is looked up.
    CWordSetCriteria none;
    none.cannedWordSet = kAllWords;
    const Membership membership(database, includeAll ? none : criteria);
    int count = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        prefetchAhead(entries, i);
        const CWordDatabase::IndexedEntry& e = entries[i];
        CWordNode* node = e.node;
        node->clear(CWordNode::Drawn);
        bool member;
        if (!includeExpurged && node->has(CWordNode::Expurged))
            member = false;
        else
            member = includeAll || membership.selects(e, i);
        if (member) {
            node->set(CWordNode::InWordSet);
            ++count;
        } else {
            node->clear(CWordNode::InWordSet);
        }
    }
    database.setSize = count;
    database.drawnCount = 0;
    database.setCompleted = 0;
}

CWordNode* drawRandomWord(CWordDatabase& database, SettingsStore& settings, bool restartIfDone) {
    CWordSetCriteria criteria;
    criteria.load(settings, &database);
    return drawRandomWord(database, criteria, restartIfDone);
}

CWordNode* drawRandomWord(CWordDatabase& database, const CWordSetCriteria& criteria,
                          bool restartIfDone) {
    // Every member handed out (a count beyond the set size is taken the same
    // way): the pass is over and the next one starts from fresh marks.
    if (database.drawnCount >= database.setSize) {
        markWordSet(database, criteria, false, false);
        database.setCompleted = 1;
        if (!restartIfDone) return nullptr;
    }
    const int remaining = database.setSize - database.drawnCount;
    if (remaining <= 0) return nullptr;
    const long long product = static_cast<long long>(randomNumber()) * randomNumber();
    long long position = product % remaining;
    for (CWordNode* node : database.inOrder()) {
        if (node->has(CWordNode::Drawn) || !node->has(CWordNode::InWordSet)) continue;
        if (position-- == 0) {
            node->set(CWordNode::Drawn);
            ++database.drawnCount;
            return node;
        }
    }
    return nullptr;
}

int countWordSet(CWordDatabase& database, int maxWordLength, const std::string& letters,
                 bool allLetters, bool definitionsOnly, int setId) {
    BusyGuard busy(database.ui());
    const CUserWordSet* userSet = findUserWordSet(database, setId);
    if (setId >= kFirstUserSet && !userSet) return 0;
    const auto& entries = database.indexed();
    const std::vector<char> listed = listedEntries(entries, userSet);
    const LetterRule letterRule(letters);
    int count = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        prefetchAhead(entries, i);
        const CWordDatabase::IndexedEntry& e = entries[i];
        if (maxWordLength > 0 && longerThan(e, maxWordLength)) continue;
        if (userSet && !listed[i]) continue;
        if (!allLetters && !letterRule.matches(e)) continue;
        if (setId == kErrors && !e.node->has(CWordNode::Missed)) continue;
        if (definitionsOnly && *definitionOf(e) == '\0') continue;
        ++count;
    }
    return count;
}

std::vector<char> memberFlags(CWordDatabase& database, const CWordSetCriteria& criteria) {
    const auto& entries = database.indexed();
    const Membership membership(database, criteria);
    std::vector<char> flags(entries.size(), 0);
    for (std::size_t i = 0; i < entries.size(); ++i)
        flags[i] = membership.mayBeSelected(entries[i], i) && membership.selects(entries[i], i);
    return flags;
}

int countMembers(CWordDatabase& database, const CWordSetCriteria& criteria) {
    BusyGuard busy(database.ui());
    const auto& entries = database.indexed();
    const Membership membership(database, criteria);
    // First the entries the index alone cannot rule out, then only those are
    // read, fetched ahead as the marking walk fetches every entry.
    std::vector<std::uint32_t> candidates;
    candidates.reserve(entries.size() / 4);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (membership.mayBeSelected(entries[i], i))
            candidates.push_back(static_cast<std::uint32_t>(i));
    int count = 0;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
#if defined(__GNUC__) || defined(__clang__)
        constexpr std::size_t kNodesAhead = 48, kTextAhead = 24;
        if (k + kNodesAhead < candidates.size())
            __builtin_prefetch(entries[candidates[k + kNodesAhead]].node);
        if (k + kTextAhead < candidates.size())
            __builtin_prefetch(entries[candidates[k + kTextAhead]].node->text);
#endif
        const std::size_t i = candidates[k];
        const CWordDatabase::IndexedEntry& e = entries[i];
        if (membership.selects(e, i) && !e.node->has(CWordNode::Expurged)) ++count;
    }
    return count;
}

} // namespace zq
