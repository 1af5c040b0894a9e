#pragma once

#include <string>
#include <vector>

#include "core/Host.h"

namespace zq {

// The word set commands of zendraquil-lex ("sets" and "members"); args[0] is
// the command. Returns the process exit code.
int runSetsCommand(const std::vector<std::string>& args, UserInterface& ui);

// The quiz on a terminal ("quiz"): one answer a line from standard input, a
// transcript on standard output.
int runQuizCommand(const std::vector<std::string>& args, UserInterface& ui);

// A text on one line: each line break as the two characters \n.
std::string oneLine(const std::string& text);

// The printed pages as text ("pages").
int runPagesCommand(const std::vector<std::string>& args, UserInterface& ui);

} // namespace zq
