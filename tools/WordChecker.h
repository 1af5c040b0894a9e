#pragma once

#include <string>
#include <string_view>

namespace zq {

class CWordDatabase;
class CWordNode;

// What the Word Checker shows for one input: the entry found (null when none)
// and the texts of the result and alternates labels.
struct CheckerLookup {
    CWordNode* entry = nullptr;
    std::string result;
    std::string alternates;
};

// Looks the input up as the checker does on every change of its rack: the
// text is lower-cased (A-Z only) and found among the marked entries. A found
// entry gives "%s is a word." (no definition), the expurged notice, or
// "%s is a word:\n%s.  %s" with part of speech and definition; otherwise the
// built-in texts for "i" and "a", the typing prompt for an empty input, or
// "%s is NOT a word.".
CheckerLookup lookupWord(CWordDatabase& database, std::string_view input);

// The other members of the entry's synonym ring in ring order, each in upper
// case when its definition differs from the entry's, after "Alternate: " or
// "Alternates: "; empty when the entry is in no ring.
std::string alternatesText(const CWordNode& entry);

// The Update walk through the current word set. Where it starts: the entry of
// the input among the marked members, none for "i" and "a" (and an input that
// finds nothing).
CWordNode* updateWalkStart(CWordDatabase& database, std::string_view input);
// The next member in word order: the first member of the set when `previous`
// is null, else the first member after `previous`; null after the last.
CWordNode* nextSetMember(CWordDatabase& database, const CWordNode* previous);

// Lower case for A-Z only, as the rack keeps its text.
std::string rackLower(std::string_view text);

} // namespace zq
