#pragma once

#include <string>
#include <vector>

namespace zq::bench {

// A folder holding the shipped lexicon's word.lst, built once per process from
// the ENABLE list and the curated entries (or the ENABLE words alone when the
// entries are missing). Empty when the ENABLE list is not beside the project.
const std::string& lexiconFolder();

// The ENABLE words longer than two letters, in the list's (word) order; empty
// when the list is not beside the project.
const std::vector<std::string>& enableWords();

} // namespace zq::bench
