#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/FileSystem.h"
#include "core/Import.h"
#include "core/PlayerWordList.h"

namespace zq {

// The records of a word.lst file as the loader would take them, without
// building a tree (a process holds one lexicon only): every record but the
// deleted ones, in file order. False when the file cannot be read or is
// damaged; `records` is then empty.
bool readWordListRecords(FileSystem& fs, const std::string& path,
                         std::vector<ImportRecord>& records);

// The shipped lexicon's entries, sorted by word: the root and built-in
// two-letter words, the working folder's word.lst over them, the expurged
// words over those, as a load puts them together. Empty when that word.lst
// cannot be read.
std::vector<ImportRecord> referenceEntries(FileSystem& fs, const std::string& workingFolder);

// A player's list held against the reference entries.
struct ListComparison {
    int withDefinitions = 0; // shared words whose entry has a definition (expurged ones aside)
    int newWords = 0;        // in the list, not in the reference
    int missingWords = 0;    // in the reference, not in the list
};
ListComparison compareWithReference(const std::vector<std::string>& words,
                                    const std::vector<ImportRecord>& reference);

// Told how far the work has come (0 to 100) and what it does now; false stops
// it, and nothing is changed then.
using ImportProgress = std::function<bool(int percent, const char* phase)>;

struct LexiconImport {
    PlayerWordList list; // what the file held
    ListComparison comparison;
    bool referenceRead = false; // the ENABLE list was there to compare with
    bool cancelled = false;
    std::string error;   // why nothing was added (empty when it was)
    std::string warning; // added, but something beside it went wrong
    std::string folder;  // the new lexicon's folder
};

// Why `name` cannot be the name of a new lexicon (empty when it can): not a
// lexicon name, the shipped list's name, or, unless replacing, taken.
std::string newLexiconProblem(FileSystem& fs, const std::string& workingFolder,
                              const std::string& name, bool replace);

// Builds the lexicon NAME (lexicons/NAME/word.lst) from the player's word
// list at listPath: the shipped lexicon's definitions, parts of speech and
// synonyms go with the words both hold; the list's other words have none.
// Either the whole list becomes the lexicon or nothing changes: a refused
// list, a failed write or a stop leaves the working folder as it was (an
// older word.lst of that name then stays too).
LexiconImport addLexicon(FileSystem& fs, const std::string& workingFolder, const std::string& name,
                         const std::string& listPath, bool replace,
                         const ImportProgress& progress = {});

// The report's lines: encoding, lines read, skipped, kept, given twice,
// refused (the first ones with their line numbers), with definitions, new and
// missing against ENABLE.
std::vector<std::string> importReportLines(const PlayerWordList& list,
                                           const ListComparison& comparison, bool referenceRead);

} // namespace zq
