#pragma once

#include <string>
#include <vector>

#include "tests/support/EnableWords.h"

namespace zq {
class CWordDatabase;
class MemorySettingsStore;
} // namespace zq

namespace zq::bench {

// A folder holding the shipped lexicon's word.lst, built once per process from
// the ENABLE list and the curated entries (or the ENABLE words alone when the
// entries are missing). Empty when lexicon/enable1.txt is missing.
const std::string& lexiconFolder();

// The shipped lexicon loaded once per process as the program loads it (user
// word sets scanned); the process exits when it does not load.
CWordDatabase& programLexicon();

// The settings store of a benchmark process, in memory.
MemorySettingsStore& settings();

} // namespace zq::bench
