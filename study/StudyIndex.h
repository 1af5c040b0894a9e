#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

class CWordDatabase;
class CWordNode;

// How many ways a set of tiles can be drawn; wide enough for any word of the
// lexicon (no count exceeds the ways to draw 28 tiles from 100).
using DrawCount = unsigned __int128;
std::string toDecimal(DrawCount count);

// The letters sorted a..z: "retains" gives "aeinrst".
std::string alphagram(std::string_view letters);

// The ways to draw exactly these letters (a-z) from the bag of 98 lettered
// tiles plus `blanks` blanks, a blank standing for any letter: for each k, the
// ways to choose k blanks times the ways to draw the other letters as tiles,
// summed over every choice of which letters the blanks stand for.
DrawCount drawCount(std::string_view letters, int blanks);
// The ways to draw n tiles from the bag of 98 + blanks tiles: C(98 + blanks, n).
DrawCount drawsOf(int n, int blanks);

// A word's hooks: the letters that make a word in front of it and behind it,
// in a-z order, and whether it is still a word without its first letter and
// without its last.
struct Hooks {
    std::string front;
    std::string back;
    bool withoutFirst = false;
    bool withoutLast = false;
};

// The study tools' view of the lexicon: every word of letters a-z (the
// entries given the definition "delete" this session left out), in word
// order, with its alphagram, its anagram group and a hash for exact lookups;
// probability ranks on demand. It reads the lexicon when built and again
// whenever refresh() finds that entries were added or edited since.
// Expurged words are indexed but flagged: every query leaves them out unless
// asked to take them.
class StudyIndex {
  public:
    explicit StudyIndex(CWordDatabase& database);

    struct Word {
        const char* text;
        CWordNode* node;
        std::uint32_t alphagram; // offset of its alphagram in alphagramText()
        std::uint32_t group;     // its anagram group
        std::uint32_t letters;   // bit i: the word holds 'a' + i
        std::uint32_t entry;     // its place in the database's indexed()
        std::uint8_t length;
        bool expurged;
    };
    // The words of an alphagram, in word order, as a range of members().
    struct Group {
        std::uint32_t first;
        std::uint16_t size;
        std::uint16_t length;
        std::uint32_t alphagram; // offset in alphagramText()
    };

    // The bytes the index holds, ranks worked out so far included.
    std::size_t memoryBytes() const;

    // Rebuilds when the lexicon changed since the last build.
    void refresh();
    CWordDatabase& database() const { return database_; }

    std::size_t size() const { return words_.size(); }
    const Word& word(std::uint32_t i) const { return words_[i]; }
    std::string_view text(std::uint32_t i) const { return {words_[i].text, words_[i].length}; }
    std::string_view alphagramOf(std::uint32_t i) const {
        return {alphagrams_.data() + words_[i].alphagram, words_[i].length};
    }
    const Group& groupOf(std::uint32_t i) const { return groups_[words_[i].group]; }
    const std::vector<std::uint32_t>& members() const { return members_; }
    const std::vector<Group>& groups() const { return groups_; }
    // The groups of words of this length, as a range of groups().
    std::pair<std::uint32_t, std::uint32_t> groupsOfLength(int length) const;

    // The word's place, or -1 when it is no word (an expurged word counts
    // only with `expurged`).
    std::int64_t find(std::string_view word, bool expurged) const;
    bool isWord(std::string_view word, bool expurged) const { return find(word, expurged) >= 0; }

    // Every word of exactly the letters' length that the letters make, '?'
    // standing for any letter, in word order. Letters other than a-z and '?'
    // make nothing.
    std::vector<std::uint32_t> anagrams(std::string_view letters, bool expurged) const;
    // How many words share the word's alphagram, itself included.
    int anagramCount(std::uint32_t i, bool expurged) const;

    Hooks hooks(std::string_view word, bool expurged) const;

    // The word's draw count with 0, 1 or 2 blanks.
    DrawCount count(std::uint32_t i, int blanks) const;
    // Each word's probability rank among the words of its length (1 the most
    // likely; ties by alphagram, then word), 0 for a word left out (an
    // expurged one without `expurged`). Worked out on first use for each
    // number of blanks (0 to 2).
    const std::vector<std::uint32_t>& ranks(int blanks, bool expurged);

  private:
    void build();
    std::uint64_t lexiconState() const;
    std::int64_t findHashed(std::string_view word, std::uint64_t hash, bool expurged) const;

    CWordDatabase& database_;
    std::uint64_t builtFor_ = 0;
    std::vector<Word> words_;
    std::vector<char> alphagrams_;
    std::vector<Group> groups_;
    std::vector<std::uint32_t> members_;
    std::vector<std::uint32_t> lengthStarts_; // into groups_, by length
    std::vector<std::uint64_t> hash_;         // hash tag and word place + 1; 0 is free
    std::array<std::vector<std::uint32_t>, 6> ranks_;
};

} // namespace zq
