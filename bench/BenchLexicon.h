#pragma once

#include <string>

namespace zq::bench {

// A folder holding the shipped lexicon's word.lst, built once per process from
// the ENABLE list and the curated entries (or the ENABLE words alone when the
// entries are missing). Empty when the ENABLE list is not beside the project.
const std::string& lexiconFolder();

} // namespace zq::bench
