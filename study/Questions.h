#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "study/Cardbox.h"

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

} // namespace zq
