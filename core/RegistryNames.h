#pragma once

// Every name under which the program keeps something in the settings store
// (the registry on Windows, an INI file elsewhere). Nothing else spells them.
namespace zq::reg {

// Where the store lives.
inline constexpr const char* kOrganisation = "Tarnwick Software";
inline constexpr const char* kApplication = "Zendraquil";

// The section shared by all users and its values.
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kUserName = "UserName";
inline constexpr const char* kNoLogon = "NoLogon";
inline constexpr const char* kExpurged = "Expurged";
inline constexpr const char* kEditWords = "EditWords";
inline constexpr const char* kPreviewPages = "PreviewPages";
// The lexicon loaded at start-up: a folder name under lexicons/ in the
// working folder; absent or empty: the working folder's own word.lst.
inline constexpr const char* kLexicon = "Lexicon";

// The user whose section is used when "UserName" is absent.
inline constexpr const char* kDefaultUser = "Default";

// Values of each user's own section.
inline constexpr const char* kNoSound = "NoSound";
inline constexpr const char* kNoTimer = "NoTimer";
inline constexpr const char* kCannedWordSet = "CannedWordSet";
inline constexpr const char* kMaxWordLength = "MaxWordLength";
inline constexpr const char* kMinWordLength = "MinWordLength";
inline constexpr const char* kValidLetters = "ValidLetters";
inline constexpr const char* kAllLetters = "AllLetters";
inline constexpr const char* kDefinitions = "Definitions";
inline constexpr const char* kScoreIndex = "ScoreIndex";
// The study window's choices: the quiz type shown (0 anagrams, 1 hooks) and
// whether its lists take expurged words.
inline constexpr const char* kStudyType = "StudyType";
inline constexpr const char* kStudyExpurged = "StudyExpurged";
// The statistics ring's slots: "Score0" to "Score19" (the slot number as %ld).
inline constexpr const char* kScoreSlot = "Score%ld";

} // namespace zq::reg
