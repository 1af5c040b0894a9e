#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Utf8.h"

namespace zq {

class StudyIndex;

// One found word as the search list shows it.
struct ResultRow {
    std::string word; // lower case
    std::string front, back;
    std::uint32_t rank = 0; // probability rank with two blanks; 0 unranked
    std::string definition;
};

// The rows of the found words, in the order given.
std::vector<ResultRow> resultRows(StudyIndex& index, const std::vector<std::uint32_t>& words,
                                  bool expurged);

// How a word list leaves the program: plain text (one word a line: the word
// in capitals, then the front hooks, the back hooks, the rank and the
// definition, separated by tabs) or CSV with a header line, as flashcard
// programs read it (fields quoted where needed, lines ended CRLF). Text is
// UTF-8; definition bytes that are not are read as Latin-1.
std::string plainTextOf(const std::vector<ResultRow>& rows);
std::string csvOf(const std::vector<ResultRow>& rows);

} // namespace zq
