#pragma once

#include <string>

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
// The installed program's form of the same: where it looked (one folder a
// line after the colon).
inline constexpr const char* kNoWordListLooked =
    "The data file, \"word.lst\", was not found. Zendraquil looked in these folders:%s";
inline constexpr const char* kTooBig =
    "The data file, \"word.lst\", is too big for this version of Zendraquil. Download the "
    "latest version of Zendraquil.";
inline constexpr const char* kDamaged =
    "The data file, \"word.lst\", is damaged. The words read before the damaged place have "
    "been loaded.";
inline constexpr const char* kPoolFull =
    "The data file, \"word.lst\", holds more words than Zendraquil can hold (at most %lld). "
    "It was not loaded.";
inline constexpr const char* kSaveQuestion = "Database has been modified. Save?";
inline constexpr const char* kSaveFailed =
    "The data file, \"word.lst\", could not be saved: %s. The file on disk is unchanged.";
// Saving at exit: a failed save offered again, the .bak copy that could not be
// kept, and the recovery file for the edits when the user gives up.
inline constexpr const char* kSaveFailedRetry =
    "The data file, \"word.lst\", could not be saved: %s. The file on disk is unchanged.\n\n"
    "Try again?";
inline constexpr const char* kBackupNotKept =
    "The data file, \"word.lst\", was saved, but the previous file could not be kept as "
    "\"word.lst.bak\".";
inline constexpr const char* kEditsRecovered =
    "Your edits were not saved in \"word.lst\". The edited entries have been written to this "
    "file, one entry a line:\n%s";
inline constexpr const char* kRecoveryFailed =
    "The edited entries could not be written to a recovery file either: %s.\n\nTry saving "
    "\"word.lst\" again? If you answer No, this session's edits are lost.";
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

// The Word Checker. %s is the typed text, then the part of speech and the
// definition.
inline constexpr const char* kCheckerPrompt =
    "Type the word you would like to verify in the box above.\nThe results are dynamically "
    "updated and displayed as you type ..";
inline constexpr const char* kIsAWord = "%s is a word.";
inline constexpr const char* kIsAWordWith = "%s is a word:\n%s";
inline constexpr const char* kIsAWordDefined = "%s is a word:\n%s.  %s";
inline constexpr const char* kIsNotAWord = "%s is NOT a word.";
inline constexpr const char* kExpurgedNotice =
    "This word is considered offensive and was removed from the Official KORVELLA\xC2\xAE "
    "Players Dictionary. It still exists in the Tournament Word List.";
inline constexpr const char* kPronounI =
    "I is a word:\npron. The nominative singular pronoun used by a speaker in refering to "
    "himself/herself";
inline constexpr const char* kArticleA =
    "a is a word:\nindefinite article. Any one of some class or group.";
inline constexpr const char* kAlternate = "Alternate: ";
inline constexpr const char* kAlternates = "Alternates: ";
inline constexpr const char* kBackupQuestion =
    "Are you sure you want to make a text backup of the data?";

// Edit Word.
inline constexpr const char* kOwnSynonym = "The word may not be its own synonym!";
inline constexpr const char* kEmptyFields =
    "Both the definition and the part of speech fields may not be empty.";
inline constexpr const char* kSynonymNotFound = "The synonym was not found in the database.";
// %s is the reason, as validateEntry gives it.
inline constexpr const char* kNotStorable =
    "This entry cannot be stored: %s. Please change it and press OK again.";
// %s is the word.
inline constexpr const char* kBuiltInEdit =
    "\"%s\" is one of the program's built-in words (the words of one or two letters and the "
    "expurged words). The change is kept until the program ends, but the built-in entry "
    "comes back at the next start.";

// The Word Builder's help text and list.
inline constexpr const char* kBuilderHelp =
    "Type the available letters in the first box. Use space for blanks. (e.g. \"AETSMN\")\n"
    "If required, you can type a filter into the second box. Blank/Space means any letter. "
    "(e.g. \" ET \")\n"
    "Click the Find button. (This example returns all 4 letter words using the available "
    "letters with \"ET\" as the middle 2 letters)";
inline constexpr const char* kNoWordFound = "No word found";
inline constexpr const char* kMoreNotShown = "More not shown";
inline constexpr const char* kBuilderEntry = "%s\n%s.  %s";

// The quiz. %s is a word, %ld a number.
inline constexpr const char* kQuizCluesMode = "From the clue and the letters, guess the word:";
inline constexpr const char* kQuizLettersMode = "From the letters, guess the highest scoring word:";
inline constexpr const char* kQuizProgress = "Word %ld of %ld in set\nPoints %ld of %ld";
inline constexpr const char* kQuizTimerStart = "Time";
inline constexpr const char* kQuizCaption = "Zendraquil Word Quiz [%s]";
inline constexpr const char* kQuizWrongBetter =
    "Incorrect. The word is \"%s\" (score %ld). The best score with these letters is %ld "
    "(\"%s\").";
inline constexpr const char* kQuizWrongClue =
    "Incorrect. The correct word is \"%s\" with a score of %ld";
inline constexpr const char* kQuizWrongLetters =
    "Incorrect. The highest scoring valid word is \"%s\" with %ld points";
inline constexpr const char* kQuizBetterPlay =
    "A better play would have been \"%s\" for %ld points.\nYou only scored %ld by playing "
    "\"%s\"";
inline constexpr const char* kQuizReshuffled =
    "Words re-shuffled and ready to go..\n(Click Word Sets to select a new set)";
// A completed pass whose record the settings would not take.
inline constexpr const char* kQuizRecordFailed =
    "This pass could not be recorded in your statistics: the settings could not be written.";
inline constexpr const char* kQuizSummary =
    "Of the %ld possible points you could have scored, you got %ld\nThis is a %ld%% success "
    "rate.";

// The statistics list.
inline constexpr const char* kStatisticsCaption = "Zendraquil Statistics for %s";
inline constexpr const char* kStatisticsColumns[] = {"Word Set", "Max word length",  "Words",
                                                     "Score",    "Seconds per word", "Definitions"};
inline constexpr const char* kNoStatistics =
    "Statistics are only calculated on completed word sets. Try completing a small set such as "
    "\"colors\".";

// Printing: the page number, the set's name and length label, and
// whether the list has definitions.
inline constexpr const char* kPrintHeader =
    "Page %ld.   Printed by Zendraquil  -  Word Set:%s    Maximum word length:%s    "
    "Definitions:%s";
// The print dialog's extra button, the progress window while pages go to the
// printer, and the failures of a print or preview command.
inline constexpr const char* kPrintPreviewButton = "Print Pre&view";
inline constexpr const char* kPrintingCaption = "Printing";
inline constexpr const char* kPrintPreviewCaption = "Zendraquil Print Preview";
inline constexpr const char* kPrintingPage = "Printing page %s";
inline constexpr const char* kCouldNotStartPrintJob = "Could not start print job.";
// Where the platform's own print dialog is used (it takes no extra button):
// the preview is offered first, and with no printer installed the pages go
// to a PDF file.
inline constexpr const char* kPrintPreviewFirst =
    "Would you like to look at the pages in the print preview first? Its Print button prints "
    "them.";
inline constexpr const char* kNoPrinterSavePdf =
    "No printer is installed. The word list can be saved as a PDF file instead.";
inline constexpr const char* kSavePdfCaption = "Save the Word List as PDF";
inline constexpr const char* kPdfFilter = "PDF files (*.pdf)";
inline constexpr const char* kCommandFailed = "Command failed.";

// Logon.
inline constexpr const char* kBadUserName =
    "User name may not contain spaces and may not be blank.";

// The word set wizard: the window's caption on each page, then the texts of
// the pages.
inline constexpr const char* kWizardCaptions[] = {
    "Zendraquil Word Set Selection [Definitions]", "Zendraquil Word Set Selection [Sets]",
    "Zendraquil Word Set Selection [Letters]", "Zendraquil Word Set Selection [Word Length]"};
inline constexpr const char* kWizardCaption = "Zendraquil Word Set Selection";
inline constexpr const char* kWizardMayBeCreated = "A word set may be created";
inline constexpr const char* kWizardOr = "or";
inline constexpr const char* kWizardDefinitionsUse =
    "Definitions are used as clues in the quiz and can be used to create mini-dictionaries "
    "when printing word lists.";
inline constexpr const char* kWizardWithoutDefinitions =
    "If you choose to create a word set without definitions, the word list expands to include "
    "over 170,000 words (of which about 100,000 are 8 letters in length or shorter)";
inline constexpr const char* kWizardDefinitionsIncluded =
    "Currently definitions are only included for all words which are 4 letters in length or "
    "shorter and the high probability bingos.";
inline constexpr const char* kWizardSetsHelp =
    "You can choose a pre-defined word set or create a custom set suited to your own specific "
    "needs.";
inline constexpr const char* kWizardIncludeHave = "Include words which have:";
inline constexpr const char* kWizardLettersHelp =
    "You can create a word set which includes words containing one or more of the high score "
    "letters above.";
inline constexpr const char* kWizardIncludeAre = "Include words which are:";
// Finish when the settings would not take the choice.
inline constexpr const char* kSetNotStored =
    "Your choice of word set could not be stored in the settings. It is used until the "
    "program ends, but it will not be chosen the next time.";
inline constexpr const char* kWizardFinishHelp =
    "The Finish button is only active if you  have created a word set which is not empty.";

// The study window.
inline constexpr const char* kStudyCaption = "Zendraquil Study";
inline constexpr const char* kStudyMenuLabel = "Study";
inline constexpr const char* kStudyTypeLabel = "&Quiz type:";
inline constexpr const char* kStudyTypeAnagrams = "Anagrams";
inline constexpr const char* kStudyTypeHooks = "Hooks";
inline constexpr const char* kStudyExpurged = "Include e&xpurged words";
inline constexpr const char* kStudyCardboxTab = "&Cardbox";
inline constexpr const char* kStudyQuizTab = "Q&uiz";
inline constexpr const char* kStudySearchTab = "&Search";
inline constexpr const char* kStudyNoCardbox =
    "This cardbox holds no questions yet. Add some below.";
inline constexpr const char* kStudyCardboxRefused = "The cardbox cannot be used: %s";
inline constexpr const char* kStudyQuestions = "Questions: %s";
inline constexpr const char* kStudyDueNow = "Due now: %s";
inline constexpr const char* kStudyLexicon = "Lexicon: %s";
inline constexpr const char* kStudyHeldBack = "(%s new questions wait: %s new ones join each day)";
inline constexpr const char* kStudyToday = "today";
inline constexpr const char* kStudyBoxes = "By box:";
inline constexpr const char* kStudyForecast = "Due on each of the next 30 days";
inline constexpr const char* kStudyAddGroup = "Add questions";
inline constexpr const char* kStudySourceLabel = "S&ource:";
inline constexpr const char* kStudySourceSet = "A word set";
inline constexpr const char* kStudySourceSearch = "The word search (Search tab)";
inline constexpr const char* kStudySourceMissed = "Words missed in the quiz";
inline constexpr const char* kStudySourceTyped = "A typed list";
inline constexpr const char* kStudySetLabel = "&Word set:";
inline constexpr const char* kStudyLengthsLabel = "&Lengths:";
inline constexpr const char* kStudyLengthTo = "to";
inline constexpr const char* kStudyFirstLabel = "Only the li&keliest:";
inline constexpr const char* kStudyFirstAll = "all";
inline constexpr const char* kStudyTypedLabel = "T&yped words:";
inline constexpr const char* kStudyAddButton = "&Add";
inline constexpr const char* kStudyStartButton = "S&tart quiz";
inline constexpr const char* kStudyAdding = "Adding questions...";
inline constexpr const char* kStudyAdded = "Added %s new questions";
inline constexpr const char* kStudyAlreadyThere = "; %s were there already";
inline constexpr const char* kStudyUnknownWords = "Not words of the lexicon, left out: %s";
inline constexpr const char* kStudyNothingToAdd = "That source gives no questions.";
inline constexpr const char* kStudyAddFailed = "The questions could not be added: %s";
inline constexpr const char* kStudyAddCancelled = "Adding was cancelled; nothing was added.";
inline constexpr const char* kStudyShuffle = "S&huffle";
inline constexpr const char* kStudyAlphabetise = "Alpha&betise";
inline constexpr const char* kStudyAnswerLabel = "&Answer:";
inline constexpr const char* kStudyGiveUp = "&Give up";
inline constexpr const char* kStudyDone = "&Done";
inline constexpr const char* kStudyMarkRight = "Mark &right";
inline constexpr const char* kStudyMarkMissed = "Mark &missed";
inline constexpr const char* kStudyUndo = "U&ndo";
inline constexpr const char* kStudyNext = "N&ext";
inline constexpr const char* kStudyNothingDue = "Nothing is due now. Well done!";
inline constexpr const char* kStudySittingOver =
    "That was the last question due. The forecast is on the Cardbox tab.";
inline constexpr const char* kStudyRecordFailed = "The answer could not be recorded: %s";
// The quiz's progress line and its verdict.
inline constexpr const char* kStudyProgress = "Question %s of %s";
inline constexpr const char* kStudyAnsweredCount = "%s answered";
inline constexpr const char* kStudyWordsFound = "%s found";
inline constexpr const char* kStudyJudgedRight = "Right.";
inline constexpr const char* kStudyJudgedMissed = "Missed.";
inline constexpr const char* kStudyMovedBox = "Box %s";
inline constexpr const char* kStudyDueAgainHours = "due again in %s hours";
inline constexpr const char* kStudyDueAgainDays = "due again in %s days";
inline constexpr const char* kStudyDueAgainTomorrow = "due again in 1 day";
inline constexpr const char* kStudyWrongWords = "Not right: %s";
inline constexpr const char* kStudyColumnFront = "Front";
inline constexpr const char* kStudyColumnWord = "Word";
inline constexpr const char* kStudyColumnBack = "Back";
inline constexpr const char* kStudyColumnRank = "Rank";
inline constexpr const char* kStudyColumnDefinition = "Definition";
inline constexpr const char* kStudyPattern = "P&attern:";
inline constexpr const char* kStudyAnagram = "A&nagram of:";
inline constexpr const char* kStudySubanagram = "&Made from:";
inline constexpr const char* kStudyLength = "Len&gth:";
inline constexpr const char* kStudyRank = "Probability ran&k:";
inline constexpr const char* kStudyBlanks = "with blanks";
inline constexpr const char* kStudyAnagramCount = "Anagram c&ount:";
inline constexpr const char* kStudySearchSet = "In word s&et:";
inline constexpr const char* kStudyAnySet = "(any word)";
inline constexpr const char* kStudyFrontHooks = "&Front hooks:";
inline constexpr const char* kStudyBackHooks = "&Back hooks:";
inline constexpr const char* kStudyHooksEither = "either";
inline constexpr const char* kStudyHooksSome = "some";
inline constexpr const char* kStudyHooksNone = "none";
inline constexpr const char* kStudyDefinedOnly = "&Defined words only";
inline constexpr const char* kStudyOrder = "O&rder:";
inline constexpr const char* kStudyOrderAlpha = "alphabetical";
inline constexpr const char* kStudyOrderProb = "probability";
inline constexpr const char* kStudyFind = "F&ind";
inline constexpr const char* kStudyCopy = "Cop&y";
inline constexpr const char* kStudyPrint = "&Print...";
inline constexpr const char* kStudyExport = "Expor&t...";
inline constexpr const char* kStudyFound = "%s words found";
inline constexpr const char* kStudySearchRefused = "The search cannot run: %s";
inline constexpr const char* kStudyExportCaption = "Export the Found Words";
inline constexpr const char* kStudyExportFilters =
    "CSV for flashcard programs (*.csv);;Plain text (*.txt)";
inline constexpr const char* kStudyExportFailed = "The words could not be written to %s.";
// The set's name in the header of printed found words.
inline constexpr const char* kStudyPrintTitle = "Word search";
inline constexpr const char* kStudyNothingToPrint = "There are no found words to print.";

// Lexicons beside each other in the working folder.
// The name shown for the word list in the working folder itself.
inline constexpr const char* kLexiconDefaultName = "ENABLE";
inline constexpr const char* kLexiconBadName =
    "The lexicon named in the settings, \"%s\", is not a name Zendraquil can use. The word "
    "list in the working folder is loaded instead.";
inline constexpr const char* kLexiconMissing =
    "The lexicon \"%s\" has no word list in the working folder. The word list in the working "
    "folder itself is loaded instead.";

inline constexpr const char* kLexiconNotLoaded =
    "The lexicon \"%s\" could not be loaded. The word list in the working folder is loaded "
    "instead.";

// Adding a lexicon from a player's own word list.
inline constexpr const char* kLexiconNameRules =
    "A lexicon's name is 1 to 40 letters, digits, '-', '_' or '.', not starting with '.'.";
inline constexpr const char* kLexiconNameTaken =
    "\"%s\" is the name of the word list in the working folder; choose another name.";
inline constexpr const char* kLexiconListRefused =
    "The word list cannot be used, and nothing was added: %s.";
inline constexpr const char* kLexiconExists = "There is a lexicon named \"%s\" already.";
inline constexpr const char* kLexiconNotWritten = "The lexicon \"%s\" could not be written: %s";
inline constexpr const char* kLexiconCancelled =
    "Adding the lexicon was cancelled; nothing was changed.";
inline constexpr const char* kLexiconReading = "Reading the word list ..";
inline constexpr const char* kLexiconMatching = "Finding definitions ..";
inline constexpr const char* kLexiconWriting = "Writing the lexicon ..";
inline constexpr const char* kLexiconChecking = "Checking what was written ..";
inline constexpr const char* kLexiconAdded = "The lexicon \"%s\" was added from %s.";
inline constexpr const char* kLexiconNoReference =
    "The ENABLE word list in the working folder could not be read: no definitions were "
    "carried over and no words compared.";
// The window that lists the lexicons.
inline constexpr const char* kLexiconsButton = "Lexicons...";
inline constexpr const char* kLexiconsCaption = "Zendraquil Lexicons";
inline constexpr const char* kLexiconsProgressCaption = "Zendraquil Adding a Lexicon";
inline constexpr const char* kLexiconsIntro =
    "Zendraquil studies one lexicon at a time: ENABLE, the list it comes with, or a word list "
    "of your own. Each keeps its own cardboxes. A change of lexicon takes effect the next "
    "time Zendraquil starts.";
inline constexpr const char* kLexiconLoadedNow = "  (loaded now)";
inline constexpr const char* kLexiconAtStartUp = "  (at the next start)";
inline constexpr const char* kLexiconLoadedAndAtStartUp = "  (loaded now and at the next start)";
inline constexpr const char* kLexiconsStartWith = "&Start with this lexicon";
inline constexpr const char* kLexiconsClose = "&Close";
inline constexpr const char* kLexiconsAddGroup = "Add a lexicon from a word list of your own";
inline constexpr const char* kLexiconsFileLabel = "Word list &file:";
inline constexpr const char* kLexiconsBrowse = "&Browse...";
inline constexpr const char* kLexiconsNameLabel = "&Name:";
inline constexpr const char* kLexiconsAdd = "&Add";
inline constexpr const char* kLexiconsFileCaption = "A Word List of Your Own";
inline constexpr const char* kLexiconsFileFilters = "Word lists (*.txt *.lst *.dic);;All files (*)";
inline constexpr const char* kLexiconsNoFile = "Choose the word list file first.";
inline constexpr const char* kLexiconsReplace =
    "There is a lexicon named \"%s\" already. Replace its word list with this one? Its "
    "cardboxes stay as they are.";
inline constexpr const char* kLexiconsReplaceLoaded =
    "\"%s\" is the lexicon loaded now. Its word list can be replaced while another lexicon "
    "is loaded.";
inline constexpr const char* kLexiconsUseNext = "Load \"%s\" the next time Zendraquil starts?";
inline constexpr const char* kLexiconsStartsWith =
    "Zendraquil loads \"%s\" the next time it starts.";
inline constexpr const char* kLexiconsNotSaved =
    "The choice could not be stored in the settings; Zendraquil starts with the lexicon it "
    "loaded before.";
// The start-up screen and the About box name a lexicon of the player's own.
inline constexpr const char* kStartupLexicon = "Lexicon: %s";
inline constexpr const char* kAboutLexicon =
    "Lexicon loaded: %s, a word list of the player's own; its words that ENABLE shares carry "
    "Zendraquil's definitions.";
// The report's lines, each with its number.
inline constexpr const char* kLexiconEncoding = "Encoding: %s";
inline constexpr const char* kLexiconLinesRead = "Lines read: %s";
inline constexpr const char* kLexiconSkipped = "Blank or comment lines: %s";
inline constexpr const char* kLexiconKept = "Words kept: %s";
inline constexpr const char* kLexiconTwice = "Words given twice: %s";
inline constexpr const char* kLexiconRefused = "Lines refused: %s";
inline constexpr const char* kLexiconRefusedLine = "  line %s: %s";
inline constexpr const char* kLexiconMoreRefused = "  and %s more";
inline constexpr const char* kLexiconWithDefinitions = "With definitions: %s";
inline constexpr const char* kLexiconNew = "New against ENABLE: %s";
inline constexpr const char* kLexiconMissingWords = "Missing against ENABLE: %s";

// A text of the table with its first %s filled in.
inline std::string withText(const char* pattern, const std::string& value) {
    std::string out(pattern);
    const auto at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

} // namespace zq::str
