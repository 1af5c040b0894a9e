#pragma once

#include <string>

namespace zq {

// The tile game's fixed letter facts: what each letter scores and how many
// tiles of each letter the bag holds (98 lettered tiles; a full bag adds two
// blanks). Only 'a'..'z' have values; any other character scores 0 and has
// no tiles.
int letterScore(int letter);
int tileCount(int letter);

// Sum of letterScore over the word; no bonus of any kind.
int wordScore(const char* word);
// Sum of tileCount over the word: how likely its letters are to be drawn.
int letterWeight(const char* word);

// The text with A-Z lowered (or a-z raised); other bytes stay as they are.
std::string lowerLetters(std::string text);
std::string upperLetters(std::string text);

inline constexpr int kLetterCount = 26;
inline constexpr int kTilesInBag = 98;
inline constexpr int kBlanksInBag = 2;

} // namespace zq
