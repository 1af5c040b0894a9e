#include "resources/DialogTemplates.h"

#include <array>

#include "core/Strings.h"

namespace zq::res {

namespace {

using K = ControlKind;

constexpr const char* kVersionTitle = "Zendraquil v1.0";

// The about box: picture, icon and credits.
constexpr ControlTemplate kAboutControls[] = {
    {kIdAboutFrame, "aboutPicture", K::SunkenPicture, "", 7, 10, 302, 72, kAboutPicture},
    {kIdStatic, nullptr, K::GroupBox, kVersionTitle, 7, 84, 302, 132},
    {kIdAboutIcon, "aboutIcon", K::Icon, "", 11, 94, 21, 20, kAppIcon},
    {kIdStatic, nullptr, K::Static,
     "Zendraquil v1.0, a study tool for players of the tile word game.\n"
     "Copyright \xC2\xA9 2026 Tarnwick Software. Free software: GNU GPL version 3 or later.",
     38, 95, 266, 26},
    {kIdStatic, nullptr, K::Static,
     "Words: the ENABLE word list (Enhanced North American Benchmark LExicon), which its "
     "authors placed in the public domain.",
     14, 123, 290, 18},
    {kIdStatic, nullptr, K::Static,
     "Definitions: written for Zendraquil. Facts were checked against WordNet 3.0 (Princeton "
     "University) and GCIDE, the GNU Collaborative International Dictionary of English; "
     "no text of theirs is included.",
     14, 143, 290, 26},
    {kIdStatic, nullptr, K::Static,
     "Expurged words: picked with naughty-words (\xC2\xA9 Shutterstock, Inc., CC-BY-4.0), "
     "badwords-list (\xC2\xA9 Maurice Butler, MIT) and bad-words (\xC2\xA9 Michael Price, "
     "MIT). The sample word sets were written for Zendraquil.",
     14, 171, 290, 26},
    {kIdStatic, nullptr, K::Static,
     "Built with Qt 6 (LGPL-3.0). The board game's name and trademarks belong to their owners; "
     "Zendraquil is not connected with them.",
     14, 197, 236, 18},
    {kIdOk, "ok", K::DefaultButton, "OK", 255, 198, 50, 14},
};

// The strip the quiz shows its messages in.
constexpr ControlTemplate kStripControls[] = {
    {kIdStripLabel, "message", K::InfoLabel, "Static", 2, 0, 219, 35},
    {kIdOk, "continueButton", K::DefaultButton, "Continue ..", 223, 21, 50, 14},
};

// The main window: start-up screen, then picture menu.
constexpr ControlTemplate kMainControls[] = {
    {kIdStatusLine, "statusLine", K::InfoLabel, "Static", 7, 48, 262, 9},
    {kIdProgress, "progress", K::ProgressBar, "", 7, 60, 261, 19},
    {kIdPicture, "picture", K::Picture, "", 0, 0, 278, 81, kMenuPicture},
};

constexpr ControlTemplate kLogonControls[] = {
    {kIdUserName, "userName", K::Edit, "", 47, 7, 71, 14},
    {kIdNoLogonCheck, "noLogon", K::CheckBox, "Skip this Logon in future", 7, 48, 92, 14},
    {kIdOk, "ok", K::DefaultButton, "OK", 141, 7, 50, 14},
    {kIdCancel, "cancel", K::PushButton, "Cancel", 141, 24, 50, 14},
    {kIdStatic, nullptr, K::Static, "User ID:", 7, 10, 38, 13},
    {kIdStatic, nullptr, K::Static,
     "This user ID is used to store different sets of user statistics and option settings for "
     "each user.",
     7, 69, 184, 18},
};

constexpr ControlTemplate kOptionsControls[] = {
    {kIdOk, "ok", K::DefaultButton, "OK", 96, 7, 50, 14},
    {kIdCancel, "cancel", K::PushButton, "Cancel", 96, 24, 50, 14},
    {kIdHideTimer, "hideTimer", K::CheckBox, "Hide Timer", 7, 7, 52, 15},
    {kIdSkipLogon, "skipLogon", K::CheckBox, "Skip Logon", 7, 27, 52, 12},
    {kIdNoSounds, "noSounds", K::CheckBox, "No Sounds", 7, 44, 52, 15},
    {kIdExpurged, "expurged", K::CheckBox, "Allow expurged words in WordChecker", 7, 64, 138, 8},
};

// The Word Checker: the input rack, the result and alternates, and the
// editor's buttons, shown only in editor mode.
constexpr ControlTemplate kCheckerControls[] = {
    {kIdInput, "input", K::TileRack, "", 7, 7, 358, 31, 15},
    {kIdResult, "result", K::InfoLabel, "Static", 7, 48, 300, 48},
    {kIdAlternates, "alternates", K::InfoLabel, "Static", 7, 97, 304, 13},
    {kIdUpdate, "update", K::PushButton, "Update", 315, 39, 50, 14, 0, kHidden},
    {kIdOk, "edit", K::PushButton, "Edit", 315, 56, 50, 14, 0, kHidden},
    {kIdBackup, "backup", K::PushButton, "Backup", 315, 74, 50, 14, 0, kHidden},
    {kIdCancel, "exit", K::PushButton, "Exit", 315, 90, 50, 14},
};

// The Word Builder: letters and filter racks, the result list and the help.
constexpr ControlTemplate kBuilderControls[] = {
    {kIdInput, "letters", K::TileRack, "", 7, 7, 353, 25, 15},
    {kIdFilter, "filter", K::TileRack, "", 7, 36, 353, 26, 15},
    {kIdOk, "find", K::DefaultButton, "Find", 365, 7, 50, 14},
    {kIdCancel, "cancel", K::PushButton, "Cancel", 365, 24, 50, 14},
    {kIdResultList, "results", K::ListBox, "", 7, 66, 96, 89},
    {kIdInfo, "info", K::InfoLabel, "Static", 109, 72, 305, 83},
};

// Edit Word: the entry's fields and its synonym ring.
constexpr ControlTemplate kEditWordControls[] = {
    {kIdEntryWord, "word", K::Static, "", 7, 7, 100, 17},
    {kIdDefinition, "definition", K::MultiLineEdit, "", 7, 30, 203, 32},
    {kIdPartOfSpeech, "partOfSpeech", K::LowerCaseEdit, "", 8, 70, 44, 17},
    {kIdStatic, nullptr, K::Static, "Synonym", 89, 73, 32, 9},
    {kIdSynonym, "synonym", K::LowerCaseEdit, "", 125, 70, 87, 17},
    {kIdRing, "ring", K::Static, "", 7, 93, 204, 10},
    {kIdOk, "ok", K::DefaultButton, "OK", 213, 7, 50, 14},
    {kIdCancel, "cancel", K::PushButton, "Cancel", 213, 24, 50, 14},
    {kIdBack, "back", K::PushButton, "Back", 213, 89, 50, 14, 0, kDisabled},
};

// The quiz: mode line, clue, the letters and answer racks, progress, timer.
constexpr ControlTemplate kQuizControls[] = {
    {kIdOk, "ok", K::DefaultButton, "OK", 170, 197, 50, 14},
    {kIdCancel, "exit", K::PushButton, "Exit", 223, 197, 50, 14},
    {kIdWordSets, "wordSets", K::PushButton, "Word Sets", 223, 177, 50, 14},
    {kIdStatistics, "statistics", K::PushButton, "Statistics", 170, 177, 50, 14},
    {kIdClue, "clue", K::InfoLabel, "Static", 7, 28, 264, 56},
    {kIdModeLine, "mode", K::InfoLabel, "Static", 7, 5, 266, 13},
    {kIdLettersRack, "letters", K::TileRack, "", 7, 92, 266, 37, 7},
    {kIdAnswerRack, "answer", K::TileRack, "", 7, 136, 266, 36, 7},
    {kIdProgressLines, "progress", K::InfoLabel, "Static", 1, 187, 167, 25},
    {kIdTimer, "timer", K::InfoLabel, "Static", 7, 175, 46, 11},
};

// The statistics list: the user's completed passes, newest first.
constexpr ControlTemplate kStatisticsControls[] = {
    {kIdStatisticsList, "passes", K::ListView, "", 7, 7, 386, 110},
    {kIdOk, "ok", K::DefaultButton, "OK", 343, 121, 50, 14},
};

// The word set wizard's pages, each 250 x 140. Page 1: with or without
// definitions.
constexpr ControlTemplate kWizardDefinitionsControls[] = {
    {kIdStatic, nullptr, K::Static, str::kWizardMayBeCreated, 7, 7, 236, 9},
    {kIdWithoutDefinitions, "withoutDefinitions", K::RadioButton, "without definitions", 20, 19,
     150, 10, 0, kGroup},
    {kIdWithDefinitions, "withDefinitions", K::RadioButton, "with definitions", 20, 43, 150, 10},
    {kIdStatic, nullptr, K::Static, str::kWizardOr, 7, 32, 30, 9},
    {kIdStatic, nullptr, K::Static, str::kWizardDefinitionsUse, 7, 60, 236, 18},
    {kIdStatic, nullptr, K::Static, str::kWizardWithoutDefinitions, 7, 82, 236, 26},
    {kIdStatic, nullptr, K::Static, str::kWizardDefinitionsIncluded, 7, 112, 236, 18, 0, kHidden},
};

// Page 2: the sets list.
constexpr ControlTemplate kWizardSetsControls[] = {
    {kIdStatic, nullptr, K::Static, str::kWizardSetsHelp, 7, 7, 236, 18},
    {kIdSetList, "sets", K::ListBox, "", 7, 28, 236, 105},
};

// Page 3: the letters of a custom set, in five columns by tile value.
constexpr ControlTemplate kWizardLettersControls[] = {
    {kIdStatic, nullptr, K::Static, str::kWizardIncludeHave, 7, 7, 236, 9},
    {kIdAnyLetters, "anyLetters", K::CheckBox, "any letters", 7, 19, 80, 10},
    {kIdLetterZ, "letterZ", K::CheckBox, "Z's", 7, 33, 44, 10},
    {kIdLetterQ, "letterQ", K::CheckBox, "Q's", 54, 33, 44, 10},
    {kIdLetterJ, "letterJ", K::CheckBox, "J's", 101, 33, 44, 10},
    {kIdLetterX, "letterX", K::CheckBox, "X's", 148, 33, 44, 10},
    {kIdLetterK, "letterK", K::CheckBox, "K's", 195, 33, 44, 10},
    {kIdLetterV, "letterV", K::CheckBox, "V's", 7, 45, 44, 10},
    {kIdLetterH, "letterH", K::CheckBox, "H's", 54, 45, 44, 10},
    {kIdLetterY, "letterY", K::CheckBox, "Y's", 101, 45, 44, 10},
    {kIdLetterF, "letterF", K::CheckBox, "F's", 148, 45, 44, 10},
    {kIdLetterW, "letterW", K::CheckBox, "W's", 195, 45, 44, 10},
    {kIdLetterM, "letterM", K::CheckBox, "M's", 7, 57, 44, 10},
    {kIdLetterC, "letterC", K::CheckBox, "C's", 54, 57, 44, 10},
    {kIdLetterB, "letterB", K::CheckBox, "B's", 101, 57, 44, 10},
    {kIdLetterP, "letterP", K::CheckBox, "P's", 148, 57, 44, 10},
    {kIdLetterG, "letterG", K::CheckBox, "G's", 195, 57, 44, 10},
    {kIdLetterD, "letterD", K::CheckBox, "D's", 7, 69, 44, 10},
    {kIdLetterU, "letterU", K::CheckBox, "U's", 54, 69, 44, 10},
    {kIdStatic, nullptr, K::Static, str::kWizardLettersHelp, 7, 90, 236, 18},
};

// Page 4: the length limit of a custom set.
constexpr ControlTemplate kWizardLengthControls[] = {
    {kIdStatic, nullptr, K::Static, str::kWizardIncludeAre, 7, 7, 236, 9},
    {kIdAnyLength, "anyLength", K::RadioButton, "any length", 20, 19, 150, 10, 0, kGroup},
    {kIdUpToTwo, "upToTwo", K::RadioButton, "up to two letters in length", 20, 31, 150, 10},
    {kIdUpToThree, "upToThree", K::RadioButton, "up three letters in length", 20, 43, 150, 10},
    {kIdUpToFour, "upToFour", K::RadioButton, "up four letters in length", 20, 55, 150, 10},
    {kIdUpToFive, "upToFive", K::RadioButton, "up five letters in length", 20, 67, 150, 10},
    {kIdUpToSix, "upToSix", K::RadioButton, "up six letters in length", 20, 79, 150, 10},
    {kIdStatic, nullptr, K::Static, str::kWizardFinishHelp, 7, 98, 236, 18},
};

constexpr std::array kTemplates = {
    DialogTemplate{kAboutTemplate, kVersionTitle, 316, 223, kAboutControls},
    DialogTemplate{kMessageStripTemplate, nullptr, 280, 42, kStripControls},
    DialogTemplate{kMainTemplate, kVersionTitle, 278, 82, kMainControls, kIdPicture},
    DialogTemplate{kLogonTemplate, "Zendraquil Logon", 198, 94, kLogonControls},
    DialogTemplate{kOptionsTemplate, "Zendraquil Options", 153, 82, kOptionsControls},
    DialogTemplate{kWordCheckerTemplate, "Zendraquil Word Checker", 372, 111, kCheckerControls},
    DialogTemplate{kWordBuilderTemplate, "Zendraquil Word Builder", 422, 162, kBuilderControls},
    DialogTemplate{kEditWordTemplate, "Zendraquil Edit Word", 270, 110, kEditWordControls},
    DialogTemplate{kQuizTemplate, "Zendraquil Quiz", 280, 218, kQuizControls},
    DialogTemplate{kStatisticsTemplate, "Zendraquil Statistics", 400, 142, kStatisticsControls},
    DialogTemplate{kWizardDefinitionsTemplate, "Definitions", 250, 140, kWizardDefinitionsControls},
    DialogTemplate{kWizardSetsTemplate, "Sets", 250, 140, kWizardSetsControls},
    DialogTemplate{kWizardLettersTemplate, "Letters", 250, 140, kWizardLettersControls},
    DialogTemplate{kWizardLengthTemplate, "Word Length", 250, 140, kWizardLengthControls},
    // The study window lays out its own controls.
    DialogTemplate{kStudyTemplate, "Zendraquil Study", 380, 280, {}},
};

} // namespace

const DialogTemplate* findTemplate(int id) {
    for (const DialogTemplate& t : kTemplates)
        if (t.id == id) return &t;
    return nullptr;
}

} // namespace zq::res
