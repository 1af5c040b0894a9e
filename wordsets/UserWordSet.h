#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/WordDatabase.h"

namespace zq {

// A word set read from a "*.wordset" text file: a title line, a description
// line, a line that is ignored, then the words. The database keeps the loaded
// sets in load order.
class CUserWordSet {
  public:
    // An unloaded set; parse() fills it.
    CUserWordSet() = default;
    // Reads and parses the file; `loaded` tells whether it was accepted.
    CUserWordSet(FileSystem& fs, const std::string& path);
    virtual ~CUserWordSet() = default;
    CUserWordSet(const CUserWordSet&) = delete;
    CUserWordSet& operator=(const CUserWordSet&) = delete;

    bool loaded = false;
    // The listed words, each enclosed in '*': "*red*green*blue*" (a leading
    // and trailing "**" when the word part starts or ends with a separator).
    std::string words;
    std::string description;
    std::string title;

    // Parses a file's whole text. Line breaks (CR, LF) and '*' end lines 1 to
    // 3; after the ends of lines 1 and 2 one more line break is skipped, which
    // takes the LF of a CR LF pair (and, with LF-only files, an empty line).
    // Everything after line 3 is lower-cased and split at every character
    // other than a-z. The text ends at its first NUL byte. Returns `loaded`.
    bool parse(std::string_view text);

    // Whether the word is one of the listed words (whole words only: red is
    // not a member because reddish is listed).
    bool contains(std::string_view word) const;
    int wordCount() const { return static_cast<int>(sorted_.size()); }
    // The distinct listed words in byte order.
    const std::vector<std::string_view>& listedWords() const { return sorted_; }

  private:
    void buildIndex();

    // The listed words, viewing into `indexText_`, which never changes after
    // the parse. Lengths of the listed words let most lookups skip hashing.
    std::string indexText_;
    std::unordered_set<std::string_view> index_;
    std::bitset<128> lengths_;
    std::vector<std::string_view> sorted_;
};

// Files larger than this are refused as word sets.
inline constexpr std::int64_t kMaxWordSetFileSize = 16 * 1024 * 1024;
inline constexpr const char* kWordSetSuffix = ".wordset";

// Reads the named file of the database's folder as a user word set and appends
// it to the database's list when it loads; otherwise tells the user and
// discards it. Returns whether it loaded.
bool loadUserWordSet(CWordDatabase& database, const std::string& fileName);

// Loads every "*.wordset" file of the database's folder, in sorted name order
// so that set ids stay the same from one start to the next, driving the
// progress bar (range: the number of files; position: files handled).
void scanUserWordSets(CWordDatabase& database);

// How the program opens its lexicon: word.lst of the folder (empty: the
// current one), reporting to `ui`, then the scan of the folder's word sets.
DatabaseSetup programSetup(UserInterface* ui, std::string folder = {});

} // namespace zq
