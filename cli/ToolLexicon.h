#pragma once

#include <string>

#include "core/Host.h"
#include "core/WordDatabase.h"

namespace zq {

// The lexicon the tool works on: ./word.lst, or with `--lexicon NAME` before
// the command ./lexicons/NAME/word.lst, loaded as the program loads it (its
// own short words, its cardboxes under lexicons/NAME/study/).
// False with the reason when NAME names no lexicon here.
bool selectToolLexicon(const std::string& name, std::string& problem);

// The setup every command loads the lexicon with.
DatabaseSetup toolSetup(UserInterface* ui);

// The folder the selected lexicon's own files live in: "." or lexicons/NAME.
std::string toolLexiconFolder();

} // namespace zq
