#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/FileSystem.h"

namespace zq {

// The working folder may hold several lexicons beside its own word.lst: each
// is lexicons/NAME/word.lst, and what belongs to that lexicon alone (its
// cardboxes under study/) lives in lexicons/NAME too. The word list in the
// working folder itself is the default lexicon, named by the empty name.
inline constexpr const char* kLexiconsFolder = "lexicons";
inline constexpr std::size_t kMaxLexiconName = 40;

// A name a player may give a lexicon: 1 to 40 ASCII letters, digits, '-', '_'
// or '.', not starting with '.', so that it names one folder inside
// lexicons/ and nothing else on any system.
bool isLexiconName(std::string_view name);

// Whether the name, in any case, is the one the default lexicon is shown by
// ("ENABLE"), which no other lexicon may take.
bool isDefaultLexiconName(std::string_view name);

// Whether lexicons/NAME holds a word.lst.
bool hasLexicon(FileSystem& fs, const std::string& workingFolder, const std::string& name);

// The folder a lexicon's word.lst lives in: the working folder itself for the
// empty name, else working/lexicons/NAME.
std::string lexiconFolder(const std::string& workingFolder, const std::string& name);

// The names of the lexicons in lexicons/ that hold a word.lst, sorted; folders
// whose names are not lexicon names are passed over.
std::vector<std::string> lexiconNames(FileSystem& fs, const std::string& workingFolder);

// The lexicon to load, from the stored setting. A setting that is empty, not
// a lexicon name, or names a lexicon with no word.lst gives the default one;
// `problem` then says why (empty for an empty setting).
struct LexiconChoice {
    std::string name;   // empty: the working folder's own word.lst
    std::string folder; // where its word.lst is
    std::string problem;
};
LexiconChoice chooseLexicon(FileSystem& fs, const std::string& workingFolder,
                            const std::string& setting);

// The name to show for a lexicon: the name itself, or "ENABLE" for the default.
std::string lexiconLabel(const std::string& name);

// One line of the list of lexicons a player picks from: the default first,
// then each in lexicons/, marked when it is the one loaded now and when it
// is the one the setting loads at start-up.
struct LexiconRow {
    std::string name; // empty: the working folder's own word.lst
    std::string text; // its label and its marks
    bool loaded = false;
    bool atStartUp = false;
};
std::vector<LexiconRow> lexiconRows(FileSystem& fs, const std::string& workingFolder,
                                    const std::string& loaded, const std::string& setting);

// A name for a lexicon made from the file at `path`: its base name without
// the extension, kept to the characters a name may hold; "mine" when nothing
// usable is left.
std::string suggestedLexiconName(const std::string& path);

} // namespace zq
