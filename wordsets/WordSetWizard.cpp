#include "wordsets/WordSetWizard.h"

#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "wordsets/UserWordSet.h"

namespace zq {

namespace {

// The longest limit a length button stands for: up to six letters.
constexpr int kLongestLimit = WordSetWizard::kLengthChoices;

int userSetCount(const CWordDatabase& database) {
    return static_cast<int>(database.userWordSets.size());
}

} // namespace

WordSetWizard::WordSetWizard(CWordDatabase& database, SettingsStore& settings, bool forPrinting)
    : database_(database), settings_(settings) {
    CWordSetCriteria& criteria = stored_;
    criteria.load(settings, &database);
    // Any value other than 0 asks for definitions, as the marking reads it.
    definitionsChoice = criteria.definitions != 0 ? 1 : 0;
    // The list has no row for an id that names no loaded user set.
    setChoice = criteria.cannedWordSet;
    if (setChoice >= kFirstUserSet && !findUserWordSet(database, setChoice)) setChoice = kAllWords;
    letters = criteria.validLetters;
    anyLetters = criteria.allLetters != 0;
    for (int i = 0; i < kLetterCount; ++i)
        letterTicks[static_cast<std::size_t>(i)] =
            letters.find(kLetters[static_cast<std::size_t>(i)]) != std::string::npos;
    // Limits of 2 to 6 have a button of their own; every other stored value
    // (none, 7, or one no button stands for) opens on "any length".
    const int limit = criteria.maxWordLength;
    lengthChoice = limit >= 2 && limit <= kLongestLimit ? limit - 1 : 0;
    lengthLimitWhenAny = forPrinting ? 0 : 7;
}

const char* WordSetWizard::caption(int page) {
    if (page < 0 || page >= kPageCount) return str::kWizardCaption;
    return str::kWizardCaptions[page];
}

std::vector<std::string> WordSetWizard::setTitles() const {
    std::vector<std::string> titles;
    const int count = kFirstUserSet + userSetCount(database_);
    titles.reserve(static_cast<std::size_t>(count));
    for (int id = 0; id < count; ++id)
        titles.push_back(wordSetTitle(database_, id));
    return titles;
}

void WordSetWizard::chooseSet(int setId) {
    // A list with nothing selected keeps the last choice.
    if (setId < 0 || setId >= kFirstUserSet + userSetCount(database_)) return;
    setChoice = setId;
}

void WordSetWizard::setAnyLetters(bool on) {
    anyLetters = on;
}

void WordSetWizard::tickLetter(int index, bool on) {
    if (index < 0 || index >= kLetterCount) return;
    letterTicks[static_cast<std::size_t>(index)] = on;
    // The order of the alphabet, whatever the order of the clicks.
    letters.clear();
    for (int i = 0; i < kLetterCount; ++i)
        if (letterTicks[static_cast<std::size_t>(i)])
            letters += kLetters[static_cast<std::size_t>(i)];
}

void WordSetWizard::chooseLength(int choice) {
    if (choice < 0 || choice >= kLengthChoices) return;
    lengthChoice = choice;
}

WizardButtons WordSetWizard::buttons(int page) const {
    WizardButtons b;
    switch (page) {
    case kDefinitionsPage:
        b.next = true;
        break;
    case kSetsPage:
        b.back = true;
        if (setChoice == kCustomSet) {
            b.next = true;
        } else {
            // Every set is counted, the built-in ones too: a set that would
            // be empty must not be taken.
            b.finish = true;
            b.finishEnabled = chosenCount() > 0;
        }
        break;
    case kLettersPage:
        b.back = true;
        b.next = anyLetters || !letters.empty();
        break;
    case kLengthPage:
        b.back = true;
        b.finish = true;
        b.finishEnabled = chosenCount() > 0;
        break;
    default:
        break;
    }
    return b;
}

int WordSetWizard::nextPage(int page) const {
    switch (page) {
    case kDefinitionsPage:
        return kSetsPage;
    case kSetsPage:
        return setChoice == kCustomSet ? kLettersPage : -1;
    case kLettersPage:
        return kLengthPage;
    default:
        return -1;
    }
}

CWordSetCriteria WordSetWizard::chosenCriteria() const {
    return withChoices(stored_);
}

CWordSetCriteria WordSetWizard::withChoices(CWordSetCriteria criteria) const {
    criteria.allLetters = anyLetters ? 1 : 0;
    criteria.definitions = definitionsChoice;
    criteria.validLetters = letters;
    criteria.cannedWordSet = setChoice;
    // Only a custom set keeps a limit of its own.
    criteria.maxWordLength =
        setChoice == kCustomSet && lengthChoice != 0 ? lengthChoice + 1 : lengthLimitWhenAny;
    return criteria;
}

int WordSetWizard::chosenCount() const {
    return countMembers(database_, chosenCriteria());
}

bool WordSetWizard::finish() {
    // What is not the wizard's to choose is taken as stored now.
    CWordSetCriteria stored;
    stored.load(settings_, &database_);
    const CWordSetCriteria criteria = withChoices(stored);
    finished = criteria;
    const bool saved = criteria.save(settings_);
    // Marked from the choice itself: the set Finish was allowed for is the
    // set the quiz gets, even when the store could not keep it.
    markWordSet(database_, criteria, false, false);
    return saved;
}

} // namespace zq
