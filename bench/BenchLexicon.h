#pragma once

#include <string>
#include <vector>

#include "tests/support/EnableWords.h"

namespace zq::bench {

// A folder holding the shipped lexicon's word.lst, built once per process from
// the ENABLE list and the curated entries (or the ENABLE words alone when the
// entries are missing). Empty when lexicon/enable1.txt is missing.
const std::string& lexiconFolder();

} // namespace zq::bench
