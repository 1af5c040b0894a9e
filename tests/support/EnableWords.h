#pragma once

#include <string>
#include <vector>

namespace zq {

// The repository's ENABLE list (lexicon/enable1.txt): its words longer than two
// letters, sorted, read once per process. Empty when the file is missing.
const std::vector<std::string>& enableWords();

} // namespace zq
