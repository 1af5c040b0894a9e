#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zq {

class CWordDatabase;
class CWordNode;

inline constexpr int kBuilderListBudget = 500;

struct BuildResult {
    CWordNode* entry;
    long score;
};

// Every word of the lexicon that the letters can make (a space is a blank) and
// that fits the filter (same length; a space matches any letter), highest
// score first and alphabetical among equal scores. Letters on a blank score 0.
// Expurged words never qualify; membership marks are not consulted. Upper-case
// input is treated as lower case.
std::vector<BuildResult> findBuildableWords(CWordDatabase& database, const std::string& letters,
                                            const std::string& filter);

// The result list as the Word Builder shows it: "word : score" lines, at most
// 500 of them followed by "More not shown" when more remain, or the single
// line "No word found".
std::vector<std::string> listBuildableWords(CWordDatabase& database, const std::string& letters,
                                            const std::string& filter);

// What the info label shows when a line of the list is selected (null: no
// line is): the help text for no line and for "More not shown", else the
// word's part of speech and definition ("%s\n%s.  %s"), or the word alone
// when it has no definition. Nullopt when the label keeps its text: the line
// "No word found", and a word that is not found.
std::optional<std::string> builderLineText(CWordDatabase& database, const std::string* line);

} // namespace zq
