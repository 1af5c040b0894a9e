#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"

namespace zq {

// A word list a player brings: plain text, one word a line, in UTF-8, UTF-16
// with a byte order mark, or Latin-1; LF or CRLF line ends; any case. Blank
// lines and lines starting with '#' are skipped. A line that is not a word of
// two or more letters a-z is refused (and counted, the first few kept with
// their line numbers); the rest are the list.
struct PlayerWordList {
    static constexpr std::int64_t kMaxBytes = 64 << 20; // a 400,000-word list is 5 MB
    static constexpr std::int64_t kMaxLines = 2000000;
    static constexpr int kMaxWords = 1000000;
    static constexpr int kMaxLength = 40; // the longest English words are shorter
    static constexpr int kRefusalsKept = 20;

    std::vector<std::string> words; // lower case, sorted, each once
    std::int64_t lines = 0;         // lines read
    int skipped = 0;                // blank and comment lines
    int duplicates = 0;             // words given again
    int refused = 0;                // lines that are no word
    struct Refusal {
        std::int64_t line = 0;
        std::string text; // UTF-8, cut to 60 characters
    };
    std::vector<Refusal> firstRefused; // the first kRefusalsKept
    const char* encoding = "";         // "UTF-8", "UTF-16LE", "UTF-16BE" or "Latin-1"
    // Set when the file is refused whole (nothing of it is to be used): too
    // large, binary, too many lines or words, no words, mostly not words.
    std::string error;
};

// Reads the list from a file; a file larger than kMaxBytes is refused before
// anything is read.
PlayerWordList readPlayerWordList(FileSystem& fs, const std::string& path);
// The same from bytes in memory.
PlayerWordList parsePlayerWordList(std::string_view bytes);

} // namespace zq
