#pragma once

#include <array>
#include <string>
#include <vector>

#include "wordsets/WordSetCriteria.h"

namespace zq {

// The buttons of a wizard page: Back and Next active, Finish shown and
// Finish active. A page whose Next is not active still shows Next unless it
// ends the wizard.
struct WizardButtons {
    bool back = false;
    bool next = false;
    bool finish = false;
    bool finishEnabled = false;
    bool operator==(const WizardButtons&) const = default;
};

// The choices of the word set wizard, page by page, and its rules: which
// buttons each page allows, where Next leads, and what Finish stores. The
// dialog shows these fields in its controls and hands every click back.
class WordSetWizard {
  public:
    enum Page : int { kDefinitionsPage = 0, kSetsPage, kLettersPage, kLengthPage };
    static constexpr int kPageCount = 4;
    static constexpr int kLetterCount = 17;
    // The letters of the letters page, in the order `letters` is rebuilt in.
    static constexpr std::array<char, kLetterCount> kLetters = {
        'b', 'c', 'd', 'f', 'g', 'h', 'j', 'k', 'm', 'p', 'q', 'u', 'v', 'w', 'x', 'y', 'z'};
    // The length page's buttons: 0 any length, then up to 2 to 6 letters.
    static constexpr int kLengthChoices = 6;

    // Starts from the criteria stored for the current user. From the quiz a
    // set of "any length" is held to 7 letters (the racks' squares); for
    // printing it has no limit.
    WordSetWizard(CWordDatabase& database, SettingsStore& settings, bool forPrinting);

    // Page 1: 0 without definitions, 1 with.
    int definitionsChoice = 1;
    // Page 2: the set id, which is also the row of the sets list.
    int setChoice = 0;
    // Page 3.
    std::string letters;
    bool anyLetters = true;
    std::array<bool, kLetterCount> letterTicks{};
    // Page 4: 0 any length, 1 to 5 for up to 2 to 6 letters.
    int lengthChoice = 0;
    // The limit of "any length": 7 from the quiz, 0 (none) for printing.
    int lengthLimitWhenAny = 7;

    // The window caption while the page is shown.
    static const char* caption(int page);
    // The rows of the sets list: the built-in sets, then the loaded user sets.
    std::vector<std::string> setTitles() const;

    // The set chosen on page 2 (a row of the list).
    void chooseSet(int setId);
    // "any letters" ticked or cleared.
    void setAnyLetters(bool on);
    // A letter's box (index into kLetters) ticked or cleared; rebuilds
    // `letters` from every ticked box.
    void tickLetter(int index, bool on);
    // A radio button of page 4 (0 to 5).
    void chooseLength(int choice);

    // The page's buttons as the fields stand now. On the sets and length
    // pages Finish is active only when the set would not be empty.
    WizardButtons buttons(int page) const;
    // The page Next leads to, or -1 when the page ends the wizard.
    int nextPage(int page) const;

    // The criteria Finish would store: the stored ones with the wizard's
    // choices put in.
    CWordSetCriteria chosenCriteria() const;
    // How many words the chosen set would hold.
    int chosenCount() const;

    // Stores the choice as the user's criteria and marks the set anew.
    // Returns whether every value was stored.
    bool finish();
    // The criteria the last finish() marked: the set in use from then on,
    // whether or not the store kept them.
    CWordSetCriteria finished;

  private:
    CWordSetCriteria withChoices(CWordSetCriteria criteria) const;

    CWordDatabase& database_;
    SettingsStore& settings_;
    // The criteria stored when the wizard opened.
    CWordSetCriteria stored_;
};

} // namespace zq
