#pragma once

#include <span>

namespace zq::res {

// Resource ids the program's dialogs and pictures are known by.
enum : int {
    kAboutTemplate = 100,
    kMessageStripTemplate = 133,
    kMainTemplate = 134,
    kLogonTemplate = 138,
    kOptionsTemplate = 140,
    kWordCheckerTemplate = 135,
    kWordBuilderTemplate = 136,
    kEditWordTemplate = 137,
    kQuizTemplate = 130,
    kStatisticsTemplate = 139,
    kWizardDefinitionsTemplate = 146,
    kWizardSetsTemplate = 147,
    kWizardLettersTemplate = 148,
    kWizardLengthTemplate = 149,
    kStudyTemplate = 150,
    kAppIcon = 128,
    kMenuPicture = 151,
    kAboutPicture = 157,
    kHandCursor = 159,
};

// Control ids.
enum : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdStatic = -1,
    kIdOptions = 3,
    kIdAbout = 153,
    kIdQuiz = 1041,
    kIdWordBuilder = 1042,
    kIdWordChecker = 1043,
    kIdPrint = 1044,
    kIdStudy = 1046,
    kIdProgress = 1045,
    kIdUserName = 1056,
    kIdExpurged = 1086,
    kIdNoLogonCheck = 1061,
    kIdSkipLogon = 1059,
    kIdHideTimer = 1060,
    kIdNoSounds = 1062,
    kIdStripLabel = 1035,
    kIdPicture = 1083,
    kIdStatusLine = 1088,
    kIdAboutFrame = 1090,
    kIdAboutIcon = 1091,
    // The word tools.
    kIdUpdate = 3,
    kIdBackup = 4,
    kIdInput = 1049,
    kIdResult = 1011,
    kIdAlternates = 1055,
    kIdFilter = 1051,
    kIdResultList = 1050,
    kIdInfo = 1011,
    kIdDefinition = 1011,
    kIdPartOfSpeech = 1052,
    kIdSynonym = 1053,
    kIdEntryWord = 1054,
    kIdRing = 1055,
    kIdBack = 3,
    // The quiz and the statistics list.
    kIdWordSets = 3,
    kIdStatistics = 4,
    kIdClue = 1011,
    kIdModeLine = 1021,
    kIdLettersRack = 1019,
    kIdAnswerRack = 1000,
    kIdProgressLines = 1040,
    kIdTimer = 1058,
    kIdStatisticsList = 1050,
    // The word set wizard: definitions, the sets list, the letters, the length.
    kIdWithoutDefinitions = 1064,
    kIdWithDefinitions = 1065,
    kIdSetList = 1087,
    kIdAnyLetters = 1020,
    kIdLetterZ = 1014,
    kIdLetterQ = 1015,
    kIdLetterJ = 1016,
    kIdLetterX = 1017,
    kIdLetterK = 1021,
    kIdLetterV = 1022,
    kIdLetterH = 1023,
    kIdLetterY = 1024,
    kIdLetterF = 1025,
    kIdLetterW = 1026,
    kIdLetterM = 1027,
    kIdLetterC = 1028,
    kIdLetterB = 1029,
    kIdLetterP = 1030,
    kIdLetterG = 1031,
    kIdLetterD = 1032,
    kIdLetterU = 1033,
    kIdAnyLength = 1036,
    kIdUpToTwo = 1037,
    kIdUpToThree = 1038,
    kIdUpToFour = 1039,
    kIdUpToFive = 1040,
    kIdUpToSix = 1041,
};

enum class ControlKind {
    Static,        // text, left-aligned
    CentredStatic, // text, centred
    InfoLabel,     // self-painted text (CInfoLabel)
    Edit,          // bordered, auto-scrolling single-line edit
    LowerCaseEdit, // an edit that turns A-Z into a-z as they are typed
    MultiLineEdit, // bordered edit of several lines that wraps its text
    CheckBox,      // automatic check box
    RadioButton,   // automatic radio button; kGroup starts a group of them
    PushButton,
    DefaultButton,
    GroupBox,
    ProgressBar,
    ListBox,       // a list of single lines, one selected at a time
    ListView,      // a report-style list: columns with headers, whole rows selected
    TileRack,      // a tile rack (CTileRack); `resource` is its number of squares
    Picture,       // a picture at its own size; `resource` names it
    SunkenPicture, // a picture filling a sunken frame; `resource` names it
    Icon,          // the application icon at its own size
};

// Control flags.
enum : int {
    kGroup = 1,    // the first control of a group (radio buttons answer as one)
    kHidden = 2,   // not shown at first
    kDisabled = 4, // disabled at first
};

// One control: its id, its object name (what tests and code find it by; null
// for a static text without an id), kind, text, rectangle in dialog units,
// the picture or size it needs and its flags.
struct ControlTemplate {
    int id;
    const char* name;
    ControlKind kind;
    const char* text;
    int x, y, width, height;
    int resource = 0;
    int flags = 0;
};

// A dialog, or a page of a wizard (whose caption is the page's title).
struct DialogTemplate {
    int id;
    const char* caption; // null: no caption bar and no border
    int width, height;   // dialog units
    std::span<const ControlTemplate> controls;
    // A picture control shown at its own size covers the client area: the
    // dialog's units are chosen so that it does, whatever the dialog font.
    int unitsFromPicture = 0;
};

// The template with this id; null when there is none.
const DialogTemplate* findTemplate(int id);

} // namespace zq::res
