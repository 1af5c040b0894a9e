// The word set wizard's rules: what each page opens on, which buttons it
// allows, where Next leads, the letters it builds and what Finish stores.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Import.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"
#include "wordsets/WordSetWizard.h"

using namespace zq;
using namespace zq::test;

namespace {

using W = WordSetWizard;

// As in the shipped lexicon, the consonant heavy words have no definition.
const std::vector<std::string> kRecords = {
    "retains*keeps*v**~",               // a bingo
    "strings****~",                     // consonant heavy, no definition
    "births****~",                      // consonant heavy, no definition
    "alpha*the first letter*letter**~", //
    "hurrah*a cheer*interj**~",         //
    "queue*a line*n**~",                //
    "jukebox****~",                     //
    "quixotry****~",                    //
    "red*a colour*adj**~",              //
    "green*a colour*adj**~",            //
    "blue*a colour*adj**~",             //
    "eau*water*n**~",                   //
    "zebra*a striped horse*n**~",       //
    "bonze*a monk*n**~",                //
};

class WizardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write(kWordListName, wordListBytes(kRecords));
        dir.write("a.wordset", "Colours\nA few colours\n-\nred green purple\n");
        dir.write("b.wordset", "Strangers\nnot in the lexicon\n-\nfoo bar\n");
        db = std::make_unique<CWordDatabase>(programSetup(&ui, dir.path()));
        ASSERT_TRUE(db->loaded);
        ASSERT_EQ(db->userWordSets.size(), 2u);
    }
    CWordNode* node(const char* word) {
        for (CWordNode* n : db->inOrder())
            if (std::strcmp(n->word(), word) == 0) return n;
        return nullptr;
    }
    void store(const char* name, const std::string& value) {
        settings.writeString(reg::kDefaultUser, name, value);
    }
    W open(bool forPrinting = false) { return W(*db, settings, forPrinting); }
    CWordSetCriteria stored() {
        CWordSetCriteria c;
        c.load(settings, db.get());
        return c;
    }
    std::vector<std::uint16_t> flags() {
        std::vector<std::uint16_t> out;
        for (CWordNode* n : db->inOrder())
            out.push_back(n->flags);
        return out;
    }

    TempDir dir;
    RecordingUi ui;
    MemorySettingsStore settings;
    std::unique_ptr<CWordDatabase> db;
};

WizardButtons buttons(bool back, bool next, bool finish, bool finishEnabled) {
    WizardButtons b;
    b.back = back, b.next = next, b.finish = finish, b.finishEnabled = finishEnabled;
    return b;
}
const WizardButtons kNextOnly = buttons(false, true, false, false);
const WizardButtons kBackNext = buttons(true, true, false, false);
const WizardButtons kBackOnly = buttons(true, false, false, false);
const WizardButtons kBackFinish = buttons(true, false, true, true);
const WizardButtons kBackNoFinish = buttons(true, false, true, false);

} // namespace

// ---- Opening ----

TEST_F(WizardTest, OpensOnTheStoredCriteria) {
    W w = open();
    EXPECT_EQ(w.definitionsChoice, 1);
    EXPECT_EQ(w.setChoice, kAllWords);
    EXPECT_EQ(w.letters, "jqxz");
    EXPECT_TRUE(w.anyLetters);
    EXPECT_EQ(w.lengthChoice, 0);
    EXPECT_EQ(w.lengthLimitWhenAny, 7);
    EXPECT_EQ(open(true).lengthLimitWhenAny, 0);
    std::string ticked;
    for (int i = 0; i < W::kLetterCount; ++i)
        if (w.letterTicks[static_cast<std::size_t>(i)]) ticked += W::kLetters[i];
    EXPECT_EQ(ticked, "jqxz");

    store(reg::kDefinitions, "0");
    store(reg::kCannedWordSet, "13");
    store(reg::kValidLetters, "#bk");
    store(reg::kAllLetters, "0");
    store(reg::kMaxWordLength, "4");
    W again = open();
    EXPECT_EQ(again.definitionsChoice, 0);
    EXPECT_EQ(again.setChoice, 13);
    EXPECT_EQ(again.letters, "#bk"); // kept as stored until a letter is clicked
    EXPECT_FALSE(again.anyLetters);
    EXPECT_TRUE(again.letterTicks[0]);  // b
    EXPECT_TRUE(again.letterTicks[7]);  // k
    EXPECT_FALSE(again.letterTicks[1]); // c
    EXPECT_EQ(again.lengthChoice, 3);
}

TEST_F(WizardTest, TheLengthPageOpensOnAButtonWhateverIsStored) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"0", 0}, {"7", 0}, {"1", 0},  {"2", 1}, {"3", 2},          {"6", 5},
        {"8", 0}, {"9", 0}, {"-3", 0}, {"x", 0}, {"2147483647", 0}, {"-2147483648", 0},
    };
    for (const auto& [text, choice] : cases) {
        store(reg::kMaxWordLength, text);
        EXPECT_EQ(open().lengthChoice, choice) << text;
    }
}

TEST_F(WizardTest, AStoredSetThatNamesNoLoadedSetOpensOnAllWords) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"11", 11}, {"12", 12}, {"13", 13}, {"14", 0}, {"2147483647", 0}, {"-1", 0}, {"z", 0},
    };
    for (const auto& [text, choice] : cases) {
        store(reg::kCannedWordSet, text);
        EXPECT_EQ(open().setChoice, choice) << text;
    }
    // Any stored value but 0 asks for definitions: the button says so.
    store(reg::kDefinitions, "5");
    EXPECT_EQ(open().definitionsChoice, 1);
}

TEST_F(WizardTest, ListsTheBuiltInSetsThenTheUserSetsAndCaptionsEachPage) {
    const std::vector<std::string> titles = open().setTitles();
    ASSERT_EQ(titles.size(), 14u);
    EXPECT_EQ(titles[0], "All words");
    EXPECT_EQ(titles[1], "Custom word set");
    EXPECT_EQ(titles[6], "Consonant heavy words (any length)");
    EXPECT_EQ(titles[11], "Words which you got wrong this session!");
    EXPECT_EQ(titles[12], "Colours: A few colours");
    EXPECT_EQ(titles[13], "Strangers: not in the lexicon");

    EXPECT_STREQ(W::caption(W::kDefinitionsPage), "Zendraquil Word Set Selection [Definitions]");
    EXPECT_STREQ(W::caption(W::kSetsPage), "Zendraquil Word Set Selection [Sets]");
    EXPECT_STREQ(W::caption(W::kLettersPage), "Zendraquil Word Set Selection [Letters]");
    EXPECT_STREQ(W::caption(W::kLengthPage), "Zendraquil Word Set Selection [Word Length]");
    EXPECT_STREQ(W::caption(-1), "Zendraquil Word Set Selection");
}

// ---- Buttons and navigation ----

TEST_F(WizardTest, ButtonsAndNextPagePerPage) {
    W w = open();
    EXPECT_EQ(w.buttons(W::kDefinitionsPage), kNextOnly);
    EXPECT_EQ(w.nextPage(W::kDefinitionsPage), W::kSetsPage);

    w.chooseSet(kCustomSet);
    EXPECT_EQ(w.buttons(W::kSetsPage), kBackNext);
    EXPECT_EQ(w.nextPage(W::kSetsPage), W::kLettersPage);
    EXPECT_EQ(w.nextPage(W::kLettersPage), W::kLengthPage);
    EXPECT_EQ(w.nextPage(W::kLengthPage), -1);
    for (int set : {int(kAllWords), int(kTwoLetterWords), int(kBingos), 12}) {
        w.chooseSet(set);
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish) << set;
        EXPECT_EQ(w.nextPage(W::kSetsPage), -1) << set;
    }

    // The letters page: Next needs "any letters" or a ticked letter.
    EXPECT_EQ(w.buttons(W::kLettersPage), kBackNext);
    w.setAnyLetters(false);
    EXPECT_EQ(w.buttons(W::kLettersPage), kBackNext); // jqxz still ticked
    for (int i = 0; i < W::kLetterCount; ++i)
        w.tickLetter(i, false);
    EXPECT_EQ(w.letters, "");
    EXPECT_EQ(w.buttons(W::kLettersPage), kBackOnly);
    w.setAnyLetters(true);
    EXPECT_EQ(w.buttons(W::kLettersPage), kBackNext);

    // Bad choices from a control are ignored.
    w.chooseSet(-1);
    w.chooseSet(14);
    EXPECT_EQ(w.setChoice, 12);
    w.chooseLength(6);
    w.chooseLength(-1);
    EXPECT_EQ(w.lengthChoice, 0);
    w.tickLetter(17, true);
    w.tickLetter(-1, true);
    EXPECT_EQ(w.letters, "");
    EXPECT_EQ(w.buttons(9), WizardButtons{});
}

TEST_F(WizardTest, FinishIsInactiveForEverySetThatWouldBeEmpty) {
    W w = open();
    // With definitions the consonant heavy words are empty, and so are
    // Errors before any wrong answer and a set of strangers.
    for (int set : {int(kConsonantHeavy), int(kErrors), 13}) {
        w.chooseSet(set);
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackNoFinish) << set;
    }
    for (int set : std::vector<int>{kAllWords, kTwoLetterWords, kThreeLetterWords, kFourLetterWords,
                                    kBingos, kVowelHeavy, kAlphabets, kInterjections, 12}) {
        w.chooseSet(set);
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish) << set;
    }
    w.definitionsChoice = 0;
    w.chooseSet(kConsonantHeavy);
    EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish);

    // Errors: an expurged word answered wrong is never asked, so it does not
    // count; a word answered wrong does.
    w.definitionsChoice = 1;
    w.chooseSet(kErrors);
    node(kExpurgedWords[0])->set(CWordNode::Missed);
    EXPECT_EQ(w.buttons(W::kSetsPage), kBackNoFinish);
    node("queue")->set(CWordNode::Missed);
    EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish);
    // ...but not a word longer than the quiz's seven letters.
    node("queue")->clear(CWordNode::Missed);
    node("quixotry")->set(CWordNode::Missed);
    w.definitionsChoice = 0;
    EXPECT_EQ(w.buttons(W::kSetsPage), kBackNoFinish);
    // Printing has no limit.
    W printing = open(true);
    printing.chooseSet(kErrors);
    printing.definitionsChoice = 0;
    EXPECT_EQ(printing.buttons(W::kSetsPage), kBackFinish);
}

TEST_F(WizardTest, TheLengthPageCountsTheCustomSetWithItsLetterAndLimit) {
    W w = open();
    w.chooseSet(kCustomSet);
    w.definitionsChoice = 0;
    w.setAnyLetters(false);
    for (int i = 0; i < W::kLetterCount; ++i)
        w.tickLetter(i, false);
    w.tickLetter(10, true); // q: queue, quixotry
    ASSERT_EQ(w.letters, "q");
    EXPECT_EQ(w.buttons(W::kLengthPage), kBackFinish); // any length: 7 holds queue
    w.chooseLength(3);                                 // up to four letters
    EXPECT_EQ(w.buttons(W::kLengthPage), kBackNoFinish);
    w.tickLetter(16, true); // z: zebra, bonze
    w.chooseLength(4);      // up to five
    EXPECT_EQ(w.buttons(W::kLengthPage), kBackFinish);
    EXPECT_EQ(w.chosenCount(), 3); // queue, zebra, bonze
    w.chooseLength(0);
    EXPECT_EQ(w.chosenCount(), 3); // any length from the quiz: up to seven
    w.lengthLimitWhenAny = 0;
    EXPECT_EQ(w.chosenCount(), 4); // for printing: quixotry too
    w.definitionsChoice = 1;
    EXPECT_EQ(w.chosenCount(), 3); // quixotry has no definition

    // A letter that is no letter ticks nothing and finds nothing.
    store(reg::kValidLetters, "#1");
    store(reg::kAllLetters, "0");
    store(reg::kCannedWordSet, "1");
    W stray = open();
    EXPECT_EQ(stray.buttons(W::kLettersPage), kBackNext);
    EXPECT_EQ(stray.buttons(W::kLengthPage), kBackNoFinish);
}

// Marking and counting go by the same rule: over every set, both kinds of
// definitions, several limits and letters, the count is the marked size.
TEST_F(WizardTest, CountsAgreeWithTheMarksOfEverySet) {
    node("red")->set(CWordNode::Missed);
    node(kExpurgedWords[0])->set(CWordNode::Missed);
    node("quixotry")->set(CWordNode::Missed);
    int checked = 0;
    for (int set = 0; set <= 14; ++set)
        for (int definitions : {0, 1})
            for (int limit : {0, 2, 4, 7})
                for (const char* letters : {"", "q", "bz", "#"})
                    for (int all : {0, 1}) {
                        CWordSetCriteria c;
                        c.cannedWordSet = set;
                        c.definitions = definitions;
                        c.maxWordLength = limit;
                        c.validLetters = letters;
                        c.allLetters = all;
                        const int count = countMembers(*db, c);
                        markWordSet(*db, c, false, false);
                        ASSERT_EQ(count, db->setSize)
                            << "set " << set << " definitions " << definitions << " limit " << limit
                            << " letters " << letters << " all " << all;
                        ++checked;
                    }
    EXPECT_EQ(checked, 15 * 2 * 4 * 4 * 2);
}

// ---- Letters ----

TEST_F(WizardTest, LettersAreRebuiltInAFixedOrderFromTheTicks) {
    store(reg::kValidLetters, "");
    W w = open();
    auto tick = [&](char letter, bool on = true) {
        for (int i = 0; i < W::kLetterCount; ++i)
            if (W::kLetters[i] == letter) w.tickLetter(i, on);
    };
    tick('q');
    tick('j');
    EXPECT_EQ(w.letters, "jq");
    tick('j', false);
    tick('q', false);
    tick('z');
    tick('b');
    EXPECT_EQ(w.letters, "bz");
    tick('u');
    tick('c');
    EXPECT_EQ(w.letters, "bcuz");
    tick('u', false);
    EXPECT_EQ(w.letters, "bcz");

    // A click drops stored text that no box stands for.
    store(reg::kValidLetters, "#jA");
    W stray = open();
    EXPECT_EQ(stray.letters, "#jA");
    stray.tickLetter(0, true);
    EXPECT_EQ(stray.letters, "bj");
}

// ---- Finish and Cancel ----

TEST_F(WizardTest, FinishStoresTheChoiceForTheQuizAndForPrinting) {
    store(reg::kMinWordLength, "5");
    store(reg::kMaxWordLength, "3");
    for (bool forPrinting : {false, true}) {
        W w = open(forPrinting);
        w.chooseSet(kTwoLetterWords);
        ASSERT_TRUE(w.finish());
        const CWordSetCriteria c = stored();
        EXPECT_EQ(c.cannedWordSet, kTwoLetterWords);
        EXPECT_EQ(c.maxWordLength, forPrinting ? 0 : 7);
        EXPECT_EQ(c.minWordLength, 5); // passes through
        EXPECT_EQ(c.definitions, 1);
        EXPECT_EQ(c.validLetters, "jqxz");
        EXPECT_EQ(c.allLetters, 1);
    }

    // A custom set up to four letters keeps its limit from either caller,
    // and the wizard opens on that button again.
    for (bool forPrinting : {false, true}) {
        W w = open(forPrinting);
        w.chooseSet(kCustomSet);
        w.chooseLength(3);
        ASSERT_TRUE(w.finish());
        EXPECT_EQ(stored().maxWordLength, 4);
        EXPECT_EQ(open().lengthChoice, 3);
    }
    // A custom set of any length gets the caller's limit.
    W any = open();
    any.chooseLength(0);
    ASSERT_TRUE(any.finish());
    EXPECT_EQ(stored().maxWordLength, 7);
}

TEST_F(WizardTest, FinishStoresTheLettersWhateverTheSetAndMarksItAnew) {
    W w = open();
    w.definitionsChoice = 0;
    w.setAnyLetters(false);
    for (int i = 0; i < W::kLetterCount; ++i)
        w.tickLetter(i, false);
    w.tickLetter(0, true); // b
    w.chooseSet(kBingos);  // letters edited, then a built-in set chosen
    node("retains")->set(CWordNode::Drawn);
    db->drawnCount = 3;
    db->setCompleted = 1;
    settings.writeLog.clear();
    ASSERT_TRUE(w.finish());
    const std::vector<std::string> log = {"Default\\AllLetters=0",    "Default\\Definitions=0",
                                          "Default\\ValidLetters=b",  "Default\\MaxWordLength=7",
                                          "Default\\MinWordLength=2", "Default\\CannedWordSet=5"};
    EXPECT_EQ(settings.writeLog, log);
    // Marked as the quiz marks the stored set.
    EXPECT_TRUE(node("retains")->has(CWordNode::InWordSet));
    EXPECT_FALSE(node("retains")->has(CWordNode::Drawn));
    EXPECT_FALSE(node("queue")->has(CWordNode::InWordSet));
    EXPECT_EQ(db->drawnCount, 0);
    EXPECT_EQ(db->setCompleted, 0);
    const int size = db->setSize;
    markWordSet(*db, settings, false, false);
    EXPECT_EQ(db->setSize, size);
    EXPECT_GT(size, 0);

    // A store that cannot keep the choice: Finish says so, and the set is
    // still the one the user was allowed to finish with.
    W fails = open();
    fails.chooseSet(12);
    settings.failWrites = true;
    EXPECT_FALSE(fails.finish());
    EXPECT_EQ(fails.finished.cannedWordSet, 12);
    EXPECT_TRUE(node("red")->has(CWordNode::InWordSet));
    EXPECT_TRUE(node("green")->has(CWordNode::InWordSet));
    EXPECT_EQ(db->setSize, 2);
}

TEST_F(WizardTest, WorkingThePagesWithoutFinishStoresAndMarksNothing) {
    markWordSet(*db, settings, false, false);
    node("red")->set(CWordNode::Drawn);
    db->drawnCount = 1;
    const auto before = flags();
    const int size = db->setSize;
    settings.writeLog.clear();
    for (bool forPrinting : {false, true}) {
        W w = open(forPrinting);
        for (int set = 0; set < 14; ++set) {
            w.chooseSet(set);
            (void)w.buttons(W::kSetsPage);
        }
        w.chooseSet(kCustomSet);
        w.tickLetter(3, true);
        w.chooseLength(2);
        (void)w.buttons(W::kLengthPage);
        (void)w.chosenCount();
    }
    EXPECT_TRUE(settings.writeLog.empty());
    EXPECT_EQ(flags(), before);
    EXPECT_EQ(db->setSize, size);
    EXPECT_EQ(db->drawnCount, 1);
}

// The shipped lexicon: with definitions the consonant heavy set holds the one
// such word that has a line (rhyton, the base of rhyta), so Finish is active for
// it; without definitions it holds far more.
TEST(WizardShippedLexicon, ConsonantHeavyWordsWithDefinitionsAreTheDefinedOnes) {
    const auto& words = enableWords();
    ASSERT_FALSE(words.empty()) << "lexicon/enable1.txt is missing";
    const std::filesystem::path entries =
        std::filesystem::path(__FILE__).parent_path() / "../../lexicon/entries.txt";
    ASSERT_TRUE(std::filesystem::exists(entries)) << entries;
    TempDir dir;
    {
        std::string text;
        for (const std::string& w : words)
            text += w + "\n";
        dir.write("words.txt", text);
    }
    std::vector<ImportRecord> records;
    std::vector<std::string> errors;
    ASSERT_TRUE(readRecordFiles(realFileSystem(), {dir.file("words.txt"), entries.string()},
                                records, errors));
    RecordingUi ui;
    DatabaseSetup setup;
    setup.ui = &ui;
    setup.folder = dir.path();
    ASSERT_TRUE(writeWordList(setup, records));
    CWordDatabase db(programSetup(&ui, dir.path()));
    ASSERT_TRUE(db.loaded);

    MemorySettingsStore settings;
    for (bool forPrinting : {false, true}) {
        W w(db, settings, forPrinting);
        w.chooseSet(kConsonantHeavy);
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish);
        w.definitionsChoice = 0;
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish);
        w.definitionsChoice = 1;
        w.chooseSet(kBingos);
        EXPECT_EQ(w.buttons(W::kSetsPage), kBackFinish);
    }

    // The count's quick tests never decide otherwise than the marking does.
    for (int set = 0; set < kBuiltInSetCount; ++set)
        for (int definitions : {0, 1})
            for (int limit : {0, 7}) {
                CWordSetCriteria c;
                c.cannedWordSet = set;
                c.definitions = definitions;
                c.maxWordLength = limit;
                c.allLetters = 0;
                const int count = countMembers(db, c);
                markWordSet(db, c, false, false);
                EXPECT_EQ(count, db.setSize)
                    << "set " << set << " definitions " << definitions << " limit " << limit;
            }
}
