#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "study/Cardbox.h"
#include "study/WordSearch.h"

namespace zq {

class StudyIndex;

// The cardbox questions for words (places in the index), in the order given:
// for anagrams each distinct alphagram once, for hooks each word; upper
// case. `first` > 0 keeps only the first that many.
std::vector<std::string> questionsFor(const StudyIndex& index, QuizType type,
                                      const std::vector<std::uint32_t>& words, int first = 0);

// The words in probability order: by length, then by rank with two blanks
// (expurged words ranked only with `expurged`).
void sortByProbability(StudyIndex& index, std::vector<std::uint32_t>& words, bool expurged);

// The words the quiz marked missed this session (its Errors set), likeliest
// first: what "add the missed words" puts in the anagram cardbox.
std::vector<std::uint32_t> missedWords(StudyIndex& index);

// The right answers of a question, lower case: the words of the alphagram,
// or the words the front and back hooks of the word make.
std::vector<std::string> solutionsOf(const StudyIndex& index, QuizType type,
                                     const std::string& question, bool expurged);

// The lexicon a cardbox is stamped with: the word list and its word count.
Cardbox::LexiconStamp lexiconStamp(const StudyIndex& index);

// Where questions to add come from: a word set (its id and lengths in
// `search`), a word search, the quiz's missed words or a typed list.
struct QuestionSource {
    enum class Kind { WordSet, Search, Missed, Typed } kind = Kind::WordSet;
    SearchConditions search;
    // Typed: words, or for anagram questions also a rack of letters that
    // makes a word; separated by spaces, commas or line ends.
    std::string typed;
    int first = 0; // > 0: only that many questions, the likeliest
};

struct QuestionList {
    std::vector<std::string> questions; // likeliest first, upper case
    std::vector<std::string> unknown;   // typed entries that are no word (nor rack)
    std::string error;                  // a search that cannot run
};

// The questions a source gives, likeliest first, each once.
QuestionList questionsFrom(StudyIndex& index, QuizType type, const QuestionSource& source);

} // namespace zq
