#pragma once

#include <set>
#include <string>
#include <vector>

#include "tests/support/EnableWords.h"

namespace zq {
class CWordDatabase;
class MemorySettingsStore;
} // namespace zq

namespace zq::bench {

// A player's own list of `count` words, as large official lists are (they
// cannot be shipped): the ENABLE words and made-up ones of five to nine
// letters, their letters drawn by the tile distribution, in word order.
const std::set<std::string>& syntheticWords(int count);

// A folder holding the shipped lexicon's word.lst, built once per process from
// the ENABLE list and the curated entries (or the ENABLE words alone when the
// entries are missing). Empty when lexicon/enable1.txt is missing. With
// ZQ_BENCH_WORDS=N in the environment (N above ENABLE's size) made-up words
// are added up to N words, so that the benchmarks measure a list that size.
const std::string& lexiconFolder();

// The shipped lexicon loaded once per process as the program loads it (user
// word sets scanned); the process exits when it does not load.
CWordDatabase& programLexicon();

// The settings store of a benchmark process, in memory.
MemorySettingsStore& settings();

} // namespace zq::bench
