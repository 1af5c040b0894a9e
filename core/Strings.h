#pragma once

// The program's string table: every text the engine or a dialog shows the
// user, apart from the captions and control texts of the dialog templates.
// A %s or %d is filled in by the code that shows the text.
namespace zq::str {

// The application title that captions every message box.
inline constexpr const char* kAppTitle = "Zendraquil";

// Loading, saving and backing up the lexicon.
inline constexpr const char* kLoadingWords = "Loading words from disk ..";
inline constexpr const char* kIndexingWords = "Indexing words ..";
inline constexpr const char* kLoadingWordSets = "Loading user defined word sets ..";
inline constexpr const char* kNoWordList =
    "The data file, \"word.lst\", needs to be in the same folder as the Zendraquil program";
inline constexpr const char* kTooBig =
    "The data file, \"word.lst\", is too big for this version of Zendraquil. Download the "
    "latest version of Zendraquil.";
inline constexpr const char* kDamaged =
    "The data file, \"word.lst\", is damaged. The words read before the damaged place have "
    "been loaded.";
inline constexpr const char* kPoolFull =
    "%d words of \"word.lst\" could not be loaded because the word list is full.";
inline constexpr const char* kSaveQuestion = "Database has been modified. Save?";
inline constexpr const char* kSaveFailed =
    "The data file, \"word.lst\", could not be saved: %s. The file on disk is unchanged.";
inline constexpr const char* kBackupFailed =
    "The text backup, \"backup.lst\", could not be written: %s.";

// User word set files; %s is the file name.
inline constexpr const char* kWordSetFailed = "The word set \"%s\" failed to load";

// The built-in word sets' titles, by set id 0 to 11.
inline constexpr const char* kSetAllWords = "All words";
inline constexpr const char* kSetCustom = "Custom word set";
inline constexpr const char* kSetTwoLetters = "Two letter words";
inline constexpr const char* kSetThreeLetters = "Three letter words";
inline constexpr const char* kSetFourLetters = "Four letter words";
inline constexpr const char* kSetBingos = "High probability Bingos (seven letters)";
inline constexpr const char* kSetConsonantHeavy = "Consonant heavy words (any length)";
inline constexpr const char* kSetVowelHeavy = "Vowel heavy words (any length)";
inline constexpr const char* kSetAlphabets = "Alphabets (A-Z, Greek Letters, Hebrew Letters, etc.)";
inline constexpr const char* kSetInterjections = "Interjections";
inline constexpr const char* kSetUnits = "Units (Currency, measure, etc.)";
inline constexpr const char* kSetErrors = "Words which you got wrong this session!";

// The Word Builder's list.
inline constexpr const char* kNoWordFound = "No word found";
inline constexpr const char* kMoreNotShown = "More not shown";

// Logon.
inline constexpr const char* kBadUserName =
    "User name may not contain spaces and may not be blank.";

} // namespace zq::str
