#include "quiz/TileBag.h"

#include <cstring>

#include "core/Random.h"
#include "core/WordNode.h"

namespace zq {

namespace {
constexpr int kScores[26] = {1, 3, 3, 2,  1, 4, 2, 4, 1, 8, 5, 1, 3,
                             1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10};
constexpr int kTiles[26] = {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2,
                            6, 8, 2, 1, 6,  4, 6, 4, 2, 2, 1, 2, 1};

inline bool isLetter(int c) {
    return c >= 'a' && c <= 'z';
}
} // namespace

int letterScore(int letter) {
    return isLetter(letter) ? kScores[letter - 'a'] : 0;
}
int tileCount(int letter) {
    return isLetter(letter) ? kTiles[letter - 'a'] : 0;
}

int wordScore(const char* word) {
    int sum = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(word); *p; ++p)
        sum += letterScore(*p);
    return sum;
}

int letterWeight(const char* word) {
    int sum = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(word); *p; ++p)
        sum += tileCount(*p);
    return sum;
}

std::string CTileBag::fullBag() {
    std::string bag;
    bag.reserve(kTilesInBag);
    for (int i = 0; i < 26; ++i)
        bag.append(static_cast<std::size_t>(kTiles[i]), char('a' + i));
    return bag;
}

std::string CTileBag::deal(const std::string& target) {
    if (target.empty() || target.size() > kRackSize) return {};
    for (char c : target)
        if (!isLetter(static_cast<unsigned char>(c))) return {};

    std::string bag = fullBag();
    for (char c : target) {
        const auto at = bag.find(c);
        if (at != std::string::npos) bag.erase(at, 1);
    }
    std::string picked = target;
    for (std::size_t n = target.size(); n < kRackSize; ++n) {
        const std::size_t i = static_cast<std::size_t>(randomNumber()) % bag.size();
        picked += bag[i];
        bag.erase(i, 1);
    }
    std::string result;
    while (!picked.empty()) {
        const std::size_t i = static_cast<std::size_t>(randomNumber()) % picked.size();
        result += picked[i];
        picked.erase(i, 1);
    }
    return result;
}

int CWordNode::score() {
    const int cached = flags & ScoreMask;
    if (cached != 0) return cached;
    // The cache holds 0..255; a word scoring more (over 25 letters of value 10)
    // keeps its low byte, as the flag word has no room for more.
    const int computed = wordScore(text) & ScoreMask;
    flags = static_cast<std::uint16_t>(flags | computed);
    return computed;
}

// Places each letter of the word on the first unused tile of that letter, or
// else on a blank. Counting tiles per character gives the same answer as that
// greedy placement for a rack of any length.
bool CWordNode::canBeMadeFrom(const char* rack) const {
    if (has(Expurged)) return false;
    int count[256] = {};
    int blanks = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(rack); *p; ++p) {
        if (*p == ' ')
            ++blanks;
        else
            ++count[*p];
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (count[*p] > 0)
            --count[*p];
        else if (blanks > 0)
            --blanks;
        else
            return false;
    }
    return true;
}

} // namespace zq
