#include "tools/WordChecker.h"

#include <algorithm>
#include <cstring>

#include "core/Strings.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

// Fills the %s of a pattern in turn.
std::string fill(const char* pattern, std::initializer_list<std::string_view> values) {
    std::string out;
    auto value = values.begin();
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's' && value != values.end()) {
            out.append(*value++);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::string upper(const char* word) {
    std::string out(word);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

std::string rackLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string alternatesText(const CWordNode& entry) {
    if (!entry.nextSynonym) return {};
    std::string list;
    int count = 0;
    for (const CWordNode* member = entry.nextSynonym; member && member != &entry;
         member = member->nextSynonym) {
        list += ';';
        list += std::strcmp(member->definition(), entry.definition()) != 0
                    ? upper(member->word())
                    : std::string(member->word());
        ++count;
        // A ring that does not come back to the entry is walked only once round.
        if (count > CNodePool::counter()) break;
    }
    if (count == 0) return {};
    return (count == 1 ? str::kAlternate : str::kAlternates) + list.substr(1);
}

CheckerLookup lookupWord(CWordDatabase& database, std::string_view input) {
    CheckerLookup out;
    const std::string text = rackLower(input);
    out.entry = text.empty() ? nullptr : database.find(text);
    if (CWordNode* e = out.entry) {
        const char* definition = e->definition();
        if (!*definition)
            out.result = fill(str::kIsAWord, {text});
        else if (std::strcmp(definition, "expurged") == 0)
            out.result = fill(str::kIsAWordWith, {text, str::kExpurgedNotice});
        else
            out.result = fill(str::kIsAWordDefined, {text, e->partOfSpeech(), definition});
        out.alternates = alternatesText(*e);
        return out;
    }
    if (text == "i")
        out.result = str::kPronounI;
    else if (text == "a")
        out.result = str::kArticleA;
    else if (text.empty())
        out.result = str::kCheckerPrompt;
    else
        out.result = fill(str::kIsNotAWord, {text});
    return out;
}

CWordNode* updateWalkStart(CWordDatabase& database, std::string_view input) {
    const std::string text = rackLower(input);
    if (text.empty() || text == "i" || text == "a") return nullptr;
    return database.find(text);
}

CWordNode* nextSetMember(CWordDatabase& database, const CWordNode* previous) {
    const std::vector<CWordNode*>& order = database.inOrder();
    auto at = order.begin();
    if (previous) {
        // Entries in word order: the walk skips everything up to `previous`.
        at = std::lower_bound(order.begin(), order.end(), previous,
                              [](const CWordNode* a, const CWordNode* b) {
                                  return std::strcmp(a->word(), b->word()) < 0;
                              });
        if (at != order.end() && *at == previous) ++at;
    }
    for (; at != order.end(); ++at)
        if ((*at)->has(CWordNode::InWordSet)) return *at;
    return nullptr;
}

} // namespace zq
