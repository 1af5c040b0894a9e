#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"

namespace zq {

struct DatabaseSetup;

struct ImportRecord {
    std::string word, definition, partOfSpeech, synonym;
};

// Parses one line of a record file: "word*definition*part of speech*synonym*~"
// (a trailing CR is ignored), or a bare word standing for a record with empty
// fields. Returns false with the reason when the line cannot be stored.
// A blank line parses as an empty word and is meant to be skipped.
bool parseRecordLine(std::string_view line, ImportRecord& record, std::string& reason);

// Reads record files into one list sorted by word: a later file's record
// replaces an earlier file's record for the same word; the same word twice in
// one file, words of one or two letters (the built-in table holds those) and
// lines that do not parse are errors, reported as "FILE:LINE: reason".
bool readRecordFiles(FileSystem& fs, const std::vector<std::string>& paths,
                     std::vector<ImportRecord>& records, std::vector<std::string>& errors);

// The order in which sorted records are inserted so that the tree comes out
// balanced: each range's median before the medians of its halves.
std::vector<std::size_t> medianFirstOrder(std::size_t count);

// Builds a lexicon from the built-in words, the records (median-first) and the
// expurged words, and saves it as word.lst in setup.folder through the normal
// safe save. Returns false when the save failed (it has been reported).
bool writeWordList(const DatabaseSetup& setup, const std::vector<ImportRecord>& records);

// The words of a plain word list such as ENABLE (one word a line, LF or CR LF
// line ends) that are longer than two letters, sorted; empty when the file
// cannot be read.
std::vector<std::string> readPlainWords(FileSystem& fs, const std::string& path);

} // namespace zq
