#pragma once

#include <string>

namespace zq {

// The tile game's fixed tables: what each letter scores and how many tiles of
// each letter the bag holds (98 tiles, no blanks). Only 'a'..'z' have values.
int letterScore(int letter);
int tileCount(int letter);

// Sum of letterScore over the word; no bonus of any kind.
int wordScore(const char* word);
// Sum of tileCount over the word: how likely its letters are to be drawn.
int letterWeight(const char* word);

inline constexpr int kRackSize = 7;
inline constexpr int kTilesInBag = 98;

// Deals the quiz its seven tiles.
class CTileBag {
  public:
    // The target's letters plus 7 - length(target) tiles drawn from the rest of
    // the bag, shuffled. The target must be 1 to 7 letters 'a'..'z'; anything
    // else gives an empty string.
    static std::string deal(const std::string& target);
    // The 98 letters of the bag in alphabetical order.
    static std::string fullBag();
};

} // namespace zq
