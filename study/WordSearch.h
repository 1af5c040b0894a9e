#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zq {

class StudyIndex;

// A word search: every condition given must hold.
struct SearchConditions {
    // '?' any one letter, '*' any run of letters (none too), [abc] one of
    // these, [^abc] none of these, [a-e] a range; other letters as they are.
    std::string pattern;
    // These letters in any order, '?' one more letter of any kind, '*' any
    // number more.
    std::string anagram;
    // Made from these letters, each tile used once at most, '?' a blank.
    std::string subanagram;
    int minLength = 0, maxLength = 0; // 0: no bound
    int minRank = 0, maxRank = 0;     // probability ranks; 0: no bound
    int blanks = 2;                   // the bag's blanks for ranks
    bool defined = false;
    int setId = -1;                       // -1: any word; else a member of that word set
    int minAnagrams = 0, maxAnagrams = 0; // words of its alphagram, itself too
    int frontHooks = -1, backHooks = -1;  // 1 has some, 0 has none, -1 either
    bool expurged = false;
    enum class Order { Alphabetical, Probability } order = Order::Alphabetical;
    // Set by compile(): which text fields were given, so that an empty one
    // given on purpose is refused.
    bool patternGiven = false, anagramGiven = false, subanagramGiven = false;
};

// A pattern made ready for matching.
class WordPattern {
  public:
    // Empty reason when the pattern is sound; letters are taken in either
    // case.
    static WordPattern compile(const std::string& text, std::string& reason);
    bool matches(const char* word, std::size_t length) const;
    // Letters every match holds, and its shortest and longest length (-1:
    // no longest).
    std::uint32_t requiredLetters() const { return required_; }
    int minLength() const { return minLength_; }
    int maxLength() const { return maxLength_; }

  private:
    struct Token {
        bool star = false;
        std::uint32_t letters = 0; // the letters this place takes
    };
    std::vector<Token> tokens_;
    std::uint32_t required_ = 0;
    int minLength_ = 0, maxLength_ = 0;
};

// Checks the conditions against the index's lexicon; empty when they can be
// searched, else the reason (a bad letter, an empty pattern, a bound the
// wrong way round, an unknown word set).
std::string checkSearch(const StudyIndex& index, const SearchConditions& conditions);

// The words that meet every condition, in the order asked: word order, or by
// length and then probability rank. Conditions that checkSearch refuses give
// no words.
std::vector<std::uint32_t> searchWords(StudyIndex& index, const SearchConditions& conditions);

} // namespace zq
