// The quiz's rules without a window: judging, scoring, the messages, the
// pass and its statistics record, and the set's preparation.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/Random.h"
#include "core/RegistryNames.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "quiz/QuizSession.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

const std::vector<std::string> kRecords = {
    "tax*a charge levied by a government*n*levy*~",
    "levy*a tax*n*tax*~",
    "rat*a rodent*n**~",
    "tea*a drink*n**~",
    "eat*to dine*v**~",
    "sat*past tense of sit*v**~",
    "star*a sun*n**~",
    "tsar*a ruler*n*czar*~",
    "czar*an emperor*n*tsar*~",
    "zebra*a striped horse*n**~",
};

class Host final : public QuizHost {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void beep() override { ++beeps; }
    void recorded(const std::string& record) override { records.push_back(record); }
    std::vector<std::string> messages, records;
    int beeps = 0;
};

class QuizSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seedRandom(5);
        db = databaseWith(dir, ui, kRecords);
    }
    // The user's criteria: set, definitions, length limit.
    void criteria(int set, int definitions, int max = 0) {
        CWordSetCriteria c;
        c.cannedWordSet = set;
        c.definitions = definitions;
        c.maxWordLength = max;
        c.save(store);
    }
    std::unique_ptr<CQuizSession> start(const char* word, const char* letters) {
        prepareQuizSet(*db, store);
        auto q = std::make_unique<CQuizSession>(*db, store, host, [this] { return now; });
        CWordNode* first = drawRandomWord(*db, store, true);
        EXPECT_NE(first, nullptr);
        // The test asks this word on these letters.
        if (word) {
            first->clear(CWordNode::Drawn);
            first = db->find(word);
            first->set(CWordNode::Drawn);
        }
        q->begin(first);
        if (letters) q->letters = letters;
        return q;
    }
    TempDir dir;
    RecordingUi ui;
    MemorySettingsStore store;
    Host host;
    std::unique_ptr<CWordDatabase> db;
    std::int64_t now = 1000;
};

} // namespace

TEST_F(QuizSessionTest, LettersModeTakesAnyMemberTheTilesMakeAndNamesABetterPlay) {
    criteria(kThreeLetterWords, 0);
    auto q = start("rat", "eatsrxq");
    EXPECT_EQ(q->modeLine(), "From the letters, guess the highest scoring word:");
    EXPECT_EQ(q->clueText(), "");
    EXPECT_TRUE(q->isAnswerRight("TAX"));
    EXPECT_FALSE(q->isAnswerRight("taxx")); // one x only
    EXPECT_FALSE(q->isAnswerRight("star")); // four letters: not in the set
    EXPECT_FALSE(q->isAnswerRight(""));
    ASSERT_TRUE(q->submitAnswer("tea"));
    EXPECT_EQ(q->scoredPoints, 3);
    EXPECT_EQ(q->possiblePoints, 10); // tax, the best word for the letters
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "A better play would have been \"tax\" for 10 points.\nYou only scored 3 by playing "
              "\"tea\"");
}

TEST_F(QuizSessionTest, AWrongAnswerNamesTheBestWordAndTheWordComesBack) {
    criteria(kThreeLetterWords, 0);
    auto q = start("rat", "eatsrxq");
    const int drawn = db->drawnCount;
    EXPECT_TRUE(q->submitAnswer("sex"));
    EXPECT_EQ(host.messages.at(0),
              "Incorrect. The highest scoring valid word is \"tax\" with 10 points");
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(db->find("rat")->has(CWordNode::Missed));
    // Back in the pass: the next word has the same number.
    EXPECT_EQ(db->drawnCount, drawn);
    EXPECT_EQ(q->scoredPoints, 0);
    EXPECT_EQ(q->possiblePoints, 10);
    EXPECT_EQ(q->statistics->answered, 1);
    EXPECT_EQ(q->statistics->correct, 0);
}

TEST_F(QuizSessionTest, ClueModeTakesTheWordOrASynonymSpelledFromTheTiles) {
    criteria(kAllWords, 1);
    auto q = start("tsar", "czartse");
    EXPECT_EQ(q->modeLine(), "From the clue and the letters, guess the word:");
    EXPECT_EQ(q->clueText(), "n. a ruler");
    EXPECT_TRUE(q->isAnswerRight("czar"));
    EXPECT_FALSE(q->isAnswerRight("tea")); // a word, but not the one asked
    ASSERT_TRUE(q->submitAnswer("czar"));
    // A synonym that scores more earns its own score; the possible points grow
    // by the asked word's only.
    EXPECT_EQ(q->scoredPoints, 15);
    EXPECT_EQ(q->possiblePoints, 4);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(QuizSessionTest, ClueModeWrongAnswersNameTheWordAndABetterScore) {
    criteria(kAllWords, 1);
    auto q = start("rat", "ratzxqe");
    q->submitAnswer("tea");
    EXPECT_EQ(host.messages.at(0), "Incorrect. The word is \"rat\" (score 3). The best score with "
                                   "these letters is 10 (\"tax\").");
    auto again = start("tax", "taxbbbb");
    host.messages.clear();
    again->submitAnswer("zzz");
    EXPECT_EQ(host.messages.at(0), "Incorrect. The correct word is \"tax\" with a score of 10");
}

// A set of one word: a right answer completes the pass, which is recorded,
// the words are re-shuffled and the same word is asked again.
TEST_F(QuizSessionTest, AOneWordSetCompletesRecordsAndReshuffles) {
    CWordSetCriteria c;
    c.cannedWordSet = kCustomSet;
    c.validLetters = "z";
    c.allLetters = 0;
    c.definitions = 1;
    c.maxWordLength = 4;
    c.save(store);
    auto q = start(nullptr, nullptr);
    ASSERT_EQ(db->setSize, 1);
    EXPECT_STREQ(q->currentWord->word(), "czar");
    EXPECT_EQ(q->caption(), "Zendraquil Word Quiz [z:4]");
    now += 12;
    ASSERT_TRUE(q->submitAnswer("czar"));
    ASSERT_EQ(host.records.size(), 1u);
    EXPECT_EQ(host.records[0], "z 4 1 100% 12 Yes");
    EXPECT_EQ(host.messages.back(),
              "Words re-shuffled and ready to go..\n(Click Word Sets to select a new set)");
    EXPECT_STREQ(q->currentWord->word(), "czar");
    EXPECT_EQ(q->statistics->answered, 0); // a fresh pass
    EXPECT_EQ(store.readString("Default", "Score0", ""), "z 4 1 100% 12 Yes");
}

TEST_F(QuizSessionTest, TheSummaryTruncatesAndDividesByOneWhenNothingWasPossible) {
    criteria(kThreeLetterWords, 0);
    auto q = start("rat", "eatsrxq");
    q->exitQuiz();
    EXPECT_EQ(host.messages.at(0), "Of the 0 possible points you could have scored, you got "
                                   "0\nThis is a 0% success rate.");
    q->possiblePoints = 3;
    q->scoredPoints = 2;
    q->exitQuiz();
    EXPECT_EQ(host.messages.at(1), "Of the 3 possible points you could have scored, you got "
                                   "2\nThis is a 66% success rate.");
}

TEST_F(QuizSessionTest, TheProgressCaptionAndTimerTexts) {
    criteria(kAllWords, 1);
    auto q = start("rat", "eatsrxq");
    EXPECT_EQ(q->progressText(),
              "Word 1 of " + std::to_string(db->setSize) + " in set\nPoints 0 of 0");
    EXPECT_EQ(q->caption(), "Zendraquil Word Quiz [jqxzAllAll]");
    now += 42;
    EXPECT_EQ(q->timerText(), "42");
}

// The racks have seven squares: a stored limit above 7, a custom set's too,
// is held to 7 and stored so.
TEST_F(QuizSessionTest, TheQuizHoldsEveryLimitToSevenLetters) {
    CWordSetCriteria c;
    c.cannedWordSet = kCustomSet;
    c.maxWordLength = 9;
    c.save(store);
    prepareQuizSet(*db, store);
    EXPECT_EQ(store.readInt("Default", reg::kMaxWordLength, 0), 7);
    c.maxWordLength = 4;
    c.save(store);
    prepareQuizSet(*db, store);
    EXPECT_EQ(store.readInt("Default", reg::kMaxWordLength, 0), 4);
    criteria(kAllWords, 1, 0);
    prepareQuizSet(*db, store);
    EXPECT_EQ(store.readInt("Default", reg::kMaxWordLength, 0), 7);
}

// Finishing the word set wizard on a set that gives no word ends the quiz
// with its summary, instead of leaving a stale question, and the unfinished
// pass of the old set is not recorded.
TEST_F(QuizSessionTest, ANewSetWithoutWordsEndsTheQuizCleanly) {
    criteria(kThreeLetterWords, 0);
    auto q = start("rat", "eatsrxq");
    q->submitAnswer("tax");
    host.messages.clear();
    // The wizard stored an empty set and marked it.
    criteria(kBingos, 0);
    markWordSet(*db, store, false, false);
    ASSERT_EQ(db->setSize, 0);
    EXPECT_EQ(q->afterWordSetChoice(true), CQuizSession::AfterWizard::Ended);
    EXPECT_TRUE(host.records.empty());
    EXPECT_EQ(store.readString("Default", "Score0", ""), "");
    // Only the summary: an empty set has no pass to re-shuffle.
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages.back().rfind("Of the ", 0), 0u);
    EXPECT_EQ(q->afterWordSetChoice(false), CQuizSession::AfterWizard::Unchanged);
}

// A store whose writes fail: the quiz plays by the criteria in hand. The
// stored "any length" limit cannot be replaced by the rack's seven, yet no
// longer word is asked and every question is dealt seven tiles.
TEST_F(QuizSessionTest, AStoreThatTakesNoWritesStillHoldsTheQuizToTheRack) {
    criteria(kAllWords, 0, 0);
    db->addEntry("zebrawood", "a striped wood", "n", "", true);
    db->addEntry("taxation", "the levying of tax", "n", "", true);
    store.failWrites = true;
    CWordSetCriteria playing;
    const int size = prepareQuizSet(*db, store, &playing);
    EXPECT_EQ(playing.maxWordLength, 7);
    EXPECT_EQ(store.readInt("Default", reg::kMaxWordLength, -1), 0); // not stored
    EXPECT_EQ(db->find("zebrawood"), nullptr);
    CQuizSession q(*db, store, host, [this] { return now; });
    q.play(playing);
    q.begin(drawRandomWord(*db, q.criteria(), true));
    // Several passes: each new pass is marked from the criteria in hand.
    for (int i = 0; i < size * 3; ++i) {
        ASSERT_NE(q.currentWord, nullptr);
        EXPECT_LE(std::strlen(q.currentWord->word()), 7u) << q.currentWord->word();
        EXPECT_EQ(q.letters.size(), 7u) << q.currentWord->word();
        ASSERT_TRUE(q.submitAnswer(q.currentWord->word()));
    }
}

// A completed pass whose record the store would not take is reported, in
// place of the re-shuffle message, and nothing is said to be recorded.
TEST_F(QuizSessionTest, ARecordTheStoreWouldNotTakeIsReported) {
    CWordSetCriteria c;
    c.cannedWordSet = kCustomSet;
    c.validLetters = "z";
    c.allLetters = 0;
    c.maxWordLength = 4;
    c.save(store);
    auto q = start(nullptr, nullptr);
    store.failWrites = true;
    ASSERT_TRUE(q->submitAnswer("czar"));
    EXPECT_TRUE(host.records.empty());
    EXPECT_EQ(host.messages, std::vector<std::string>{str::kQuizRecordFailed});
}
