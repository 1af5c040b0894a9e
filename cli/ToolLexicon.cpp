#include "cli/ToolLexicon.h"

#include "core/Lexicons.h"
#include "core/Strings.h"
#include "wordsets/UserWordSet.h"

namespace zq {

namespace {
LexiconChoice& selected() {
    static LexiconChoice choice;
    return choice;
}
} // namespace

bool selectToolLexicon(const std::string& name, std::string& problem) {
    const LexiconChoice choice = chooseLexicon(realFileSystem(), "", name);
    if (choice.name.empty()) {
        problem = isLexiconName(name) ? "there is no lexicons/" + name + "/word.lst here"
                                      : std::string(str::kLexiconNameRules);
        return false;
    }
    selected() = choice;
    return true;
}

DatabaseSetup toolSetup(UserInterface* ui) {
    DatabaseSetup setup = programSetup(ui);
    setup.lexiconFolder = selected().folder;
    setup.lexiconName = selected().name;
    return setup;
}

std::string toolLexiconFolder() {
    return selected().name.empty() ? std::string(".") : selected().folder;
}

} // namespace zq
