#include "core/Letters.h"

namespace zq {

namespace {
constexpr int kScores[kLetterCount] = {1, 3, 3, 2,  1, 4, 2, 4, 1, 8, 5, 1, 3,
                                       1, 1, 3, 10, 1, 1, 1, 1, 4, 4, 8, 4, 10};
constexpr int kTiles[kLetterCount] = {9, 2, 2, 4, 12, 2, 3, 2, 9, 1, 1, 4, 2,
                                      6, 8, 2, 1, 6,  4, 6, 4, 2, 2, 1, 2, 1};

static_assert([] {
    int sum = 0;
    for (int n : kTiles)
        sum += n;
    return sum;
}() == kTilesInBag);

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

std::string lowerLetters(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string upperLetters(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

int letterWeight(const char* word) {
    int sum = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(word); *p; ++p)
        sum += tileCount(*p);
    return sum;
}

} // namespace zq
