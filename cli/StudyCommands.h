#pragma once

#include <string>
#include <vector>

#include "core/Host.h"

namespace zq {

// The study commands of zendraquil-lex: "anagrams", "hooks", "prob" and
// "search". Every argument is checked before anything is printed; bad input
// exits 2 with one line on standard error.
bool isStudyCommand(const std::string& command);
int runStudyCommand(const std::vector<std::string>& args, UserInterface& ui);

} // namespace zq
