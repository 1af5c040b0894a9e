#include "study/WordSearch.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/Letters.h"
#include "core/WordDatabase.h"
#include "study/StudyIndex.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

namespace {

constexpr std::uint32_t kAllLetters = (1u << kLetterCount) - 1;

int lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

bool isLetter(int c) {
    return c >= 'a' && c <= 'z';
}

// Letter counts and wild cards of an anagram or subanagram text.
struct LetterBag {
    int counts[kLetterCount] = {};
    int letters = 0;
    int blanks = 0;
    bool star = false;
    std::uint32_t mask = 0;
};

bool readBag(const std::string& text, bool starAllowed, LetterBag& bag, std::string& reason,
             const char* what) {
    for (unsigned char raw : text) {
        const int c = lower(raw);
        if (isLetter(c)) {
            ++bag.counts[c - 'a'];
            ++bag.letters;
            bag.mask |= 1u << (c - 'a');
        } else if (c == '?') {
            ++bag.blanks;
        } else if (c == '*' && starAllowed) {
            bag.star = true;
        } else {
            reason = std::string("the ") + what + " may hold only letters, '?'" +
                     (starAllowed ? " and '*'" : "");
            return false;
        }
    }
    if (bag.letters + bag.blanks > 255) {
        reason = std::string("the ") + what + " is too long";
        return false;
    }
    return true;
}

} // namespace

WordPattern WordPattern::compile(const std::string& text, std::string& reason) {
    WordPattern p;
    reason.clear();
    if (text.empty()) {
        reason = "the pattern is empty";
        return p;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int c = lower(static_cast<unsigned char>(text[i]));
        Token t;
        if (c == '*') {
            t.star = true;
        } else if (c == '?') {
            t.letters = kAllLetters;
        } else if (isLetter(c)) {
            t.letters = 1u << (c - 'a');
            p.required_ |= t.letters;
        } else if (c == '[') {
            const std::size_t close = text.find(']', i + 1);
            if (close == std::string::npos) {
                reason = "a '[' in the pattern has no ']'";
                return p;
            }
            std::size_t k = i + 1;
            const bool negated = k < close && text[k] == '^';
            if (negated) ++k;
            std::uint32_t set = 0;
            for (; k < close; ++k) {
                const int from = lower(static_cast<unsigned char>(text[k]));
                if (!isLetter(from)) {
                    reason = "a [...] in the pattern may hold only letters";
                    return p;
                }
                int to = from;
                if (k + 2 < close && text[k + 1] == '-') {
                    to = lower(static_cast<unsigned char>(text[k + 2]));
                    if (!isLetter(to) || to < from) {
                        reason = "a range in the pattern must run from a letter to a later one";
                        return p;
                    }
                    k += 2;
                }
                for (int l = from; l <= to; ++l)
                    set |= 1u << (l - 'a');
            }
            t.letters = negated ? (kAllLetters & ~set) : set;
            if (t.letters == 0) {
                reason = "a [...] in the pattern allows no letter";
                return p;
            }
            if (std::popcount(t.letters) == 1) p.required_ |= t.letters;
            i = close;
        } else {
            reason = "the pattern may hold only letters, '?', '*' and [...]";
            return p;
        }
        // Runs of '*' are one.
        if (t.star && !p.tokens_.empty() && p.tokens_.back().star) continue;
        p.tokens_.push_back(t);
    }
    bool star = false;
    for (const Token& t : p.tokens_) {
        if (t.star)
            star = true;
        else
            ++p.minLength_;
    }
    p.maxLength_ = star ? -1 : p.minLength_;
    return p;
}

bool WordPattern::matches(const char* word, std::size_t length) const {
    const int n = static_cast<int>(length);
    if (n < minLength_ || (maxLength_ >= 0 && n != maxLength_) || length > 255) return false;
    auto fits = [&](std::size_t token, std::size_t at) {
        const int c = static_cast<unsigned char>(word[at]) - 'a';
        return c >= 0 && c < kLetterCount && ((tokens_[token].letters >> c) & 1u);
    };
    // Whether the tokens [from, to) (no star among them) match at `at`.
    auto segmentAt = [&](std::size_t from, std::size_t to, std::size_t at) {
        for (std::size_t t = from; t < to; ++t, ++at)
            if (!fits(t, at)) return false;
        return true;
    };
    const std::size_t count = tokens_.size();
    // The letters before the first star must start the word, those after the
    // last star end it; each stretch between stars is taken at its leftmost
    // place, which leaves the most room for the stretches after it.
    std::size_t head = 0;
    while (head < count && !tokens_[head].star)
        ++head;
    if (head == count) return segmentAt(0, count, 0); // no star: the length is exact
    std::size_t tail = count;
    while (!tokens_[tail - 1].star)
        --tail;
    const std::size_t tailLength = count - tail;
    if (!segmentAt(0, head, 0) || !segmentAt(tail, count, length - tailLength)) return false;
    std::size_t at = head;
    const std::size_t limit = length - tailLength;
    for (std::size_t t = head; t < tail;) {
        if (tokens_[t].star) {
            ++t;
            continue;
        }
        std::size_t end = t;
        while (!tokens_[end].star)
            ++end;
        const std::size_t size = end - t;
        bool found = false;
        for (; at + size <= limit; ++at)
            if (segmentAt(t, end, at)) {
                found = true;
                break;
            }
        if (!found) return false;
        at += size;
        t = end;
    }
    return true;
}

std::string checkSearch(const StudyIndex& index, const SearchConditions& c) {
    std::string reason;
    if (!c.pattern.empty() || c.patternGiven) {
        WordPattern::compile(c.pattern, reason);
        if (!reason.empty()) return reason;
    }
    LetterBag bag;
    if (c.anagramGiven && c.anagram.empty()) return "the anagram letters are empty";
    if (!readBag(c.anagram, true, bag, reason, "anagram")) return reason;
    LetterBag rack;
    if (c.subanagramGiven && c.subanagram.empty()) return "the subanagram letters are empty";
    if (!readBag(c.subanagram, false, rack, reason, "subanagram")) return reason;
    auto range = [](int lo, int hi) { return lo < 0 || hi < 0 || (lo > 0 && hi > 0 && lo > hi); };
    if (range(c.minLength, c.maxLength)) return "the length range runs the wrong way";
    if (range(c.minRank, c.maxRank)) return "the rank range runs the wrong way";
    if (range(c.minAnagrams, c.maxAnagrams)) return "the anagram count range runs the wrong way";
    if (c.blanks < 0 || c.blanks > 2) return "blanks must be 0, 1 or 2";
    if (c.setId >= 0) {
        const CWordDatabase& db = index.database();
        if (c.setId >= kFirstUserSet + static_cast<int>(db.userWordSets.size()))
            return "no word set with id " + std::to_string(c.setId);
    } else if (c.setId != -1) {
        return "no word set with id " + std::to_string(c.setId);
    }
    return {};
}

std::vector<std::uint32_t> searchWords(StudyIndex& index, const SearchConditions& c) {
    std::vector<std::uint32_t> found;
    if (!checkSearch(index, c).empty()) return found;
    std::string reason;
    const bool usePattern = !c.pattern.empty();
    const WordPattern pattern =
        usePattern ? WordPattern::compile(c.pattern, reason) : WordPattern();
    LetterBag bag, rack;
    readBag(c.anagram, true, bag, reason, "anagram");
    readBag(c.subanagram, false, rack, reason, "subanagram");
    const bool useAnagram = !c.anagram.empty();
    const bool useSubanagram = !c.subanagram.empty();

    // The lengths any word may have, from every condition that fixes them.
    int lo = std::max(1, c.minLength);
    int hi = c.maxLength > 0 ? c.maxLength : 255;
    if (usePattern) {
        lo = std::max(lo, pattern.minLength());
        if (pattern.maxLength() >= 0) hi = std::min(hi, pattern.maxLength());
    }
    if (useAnagram) {
        lo = std::max(lo, bag.letters + bag.blanks);
        if (!bag.star) hi = std::min(hi, bag.letters + bag.blanks);
    }
    if (useSubanagram) hi = std::min(hi, rack.letters + rack.blanks);
    std::uint32_t required = usePattern ? pattern.requiredLetters() : 0;
    if (useAnagram) required |= bag.mask;

    std::vector<char> members;
    if (c.setId >= 0) {
        CWordSetCriteria criteria;
        criteria.database = &index.database();
        criteria.cannedWordSet = c.setId;
        criteria.definitions = 0;
        criteria.maxWordLength = 0;
        members = memberFlags(index.database(), criteria);
    }
    const bool useRank =
        c.minRank > 0 || c.maxRank > 0 || c.order == SearchConditions::Order::Probability;
    const std::vector<std::uint32_t>* ranks =
        useRank ? &index.ranks(c.blanks, c.expurged) : nullptr;

    for (std::uint32_t i = 0; i < index.size(); ++i) {
        const StudyIndex::Word& w = index.word(i);
        if (w.length < lo || w.length > hi) continue;
        if (w.expurged && !c.expurged) continue;
        if ((w.letters & required) != required) continue;
        if (usePattern && !pattern.matches(w.text, w.length)) continue;
        if (useAnagram || useSubanagram) {
            int counts[kLetterCount] = {};
            for (std::size_t k = 0; k < w.length; ++k)
                ++counts[w.text[k] - 'a'];
            if (useAnagram) {
                bool holds = true;
                for (int l = 0; l < kLetterCount && holds; ++l)
                    holds = counts[l] >= bag.counts[l];
                if (!holds) continue;
            }
            if (useSubanagram) {
                int short_ = 0;
                for (int l = 0; l < kLetterCount; ++l)
                    short_ += std::max(0, counts[l] - rack.counts[l]);
                if (short_ > rack.blanks) continue;
            }
        }
        if (c.defined) {
            const char* d = w.node->definition();
            if (*d == '\0' || w.expurged) continue;
        }
        if (!members.empty() && !members[w.entry]) continue;
        if (ranks) {
            const std::uint32_t r = (*ranks)[i];
            if (r == 0) continue;
            if (c.minRank > 0 && r < static_cast<std::uint32_t>(c.minRank)) continue;
            if (c.maxRank > 0 && r > static_cast<std::uint32_t>(c.maxRank)) continue;
        }
        if (c.minAnagrams > 0 || c.maxAnagrams > 0) {
            const int n = index.anagramCount(i, c.expurged);
            if (n < c.minAnagrams || (c.maxAnagrams > 0 && n > c.maxAnagrams)) continue;
        }
        if (c.frontHooks >= 0 || c.backHooks >= 0) {
            const Hooks h = index.hooks(index.text(i), c.expurged);
            if (c.frontHooks >= 0 && h.front.empty() == (c.frontHooks == 1)) continue;
            if (c.backHooks >= 0 && h.back.empty() == (c.backHooks == 1)) continue;
        }
        found.push_back(i);
    }
    if (c.order == SearchConditions::Order::Probability && ranks) {
        std::sort(found.begin(), found.end(), [&](std::uint32_t a, std::uint32_t b) {
            const auto la = index.word(a).length, lb = index.word(b).length;
            if (la != lb) return la < lb;
            return (*ranks)[a] < (*ranks)[b];
        });
    }
    return found;
}

} // namespace zq
