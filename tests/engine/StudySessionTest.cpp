// A sitting of cardbox study word by word, the sources questions are added
// from, and the found words as they leave the program.
#include <gtest/gtest.h>

#include <set>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "print/PageLayout.h"
#include "study/Cardbox.h"
#include "study/Questions.h"
#include "study/SearchResults.h"
#include "study/StudyIndex.h"
#include "study/StudySession.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

constexpr std::int64_t kNow = 1765000000;

const std::vector<std::string> kRecords = {
    "act*to do something*v**~", "at*in or near*prep**~",
    "cat*a small feline*n**~",  "cats*plural of cat*n**~",
    "rat*a rodent*n**~",        "scat*to go away*v**~",
    "tar*pitch*n**~",           "art*skill*n**~",
    "arts*plural of art*n**~",  "rats*plural of rat*n**~",
    "star*a sun*n**~",          "tars*plural of tar*n**~",
    "tsar*a ruler*n**~",        "zzz*a snore \xe9*interj**~",
};

class StudySessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        db = databaseWith(dir, ui, kRecords);
        ASSERT_TRUE(db && db->loaded);
        index = std::make_unique<StudyIndex>(*db);
        std::string error;
        box = Cardbox::open(dir.path() + "/study/anagrams.db", true, error);
        ASSERT_TRUE(box) << error;
    }
    std::unique_ptr<StudySession> sitting(std::vector<std::string> questions,
                                          QuizType type = QuizType::Anagrams) {
        EXPECT_EQ(box->add(questions, kNow - 10), int(questions.size()));
        auto s = std::make_unique<StudySession>(*index, *box, type, false);
        s->clock = [this] { return clock; };
        return s;
    }

    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
    std::unique_ptr<StudyIndex> index;
    std::unique_ptr<Cardbox> box;
    std::int64_t clock = kNow;
};

} // namespace

// Words one at a time: right, repeated, wrong and empty entries; the last
// right word judges the question at once, and the verdict says where the
// question went.
TEST_F(StudySessionTest, WordsAreJudgedAsTheyComeAndTheLastRightOneEndsTheQuestion) {
    auto s = sitting({"ACT", "ART"});
    ASSERT_EQ(s->start(), 2);
    EXPECT_EQ(s->question(), "ACT");
    EXPECT_EQ(s->solutionCount(), 2);
    EXPECT_EQ(progressText(*s), "Question 1 of 2 \u00b7 0 answered \u00b7 0 of 2 found");
    EXPECT_EQ(s->submit("  "), StudySession::Entry::Ignored);
    EXPECT_EQ(s->submit(" CAT "), StudySession::Entry::Right);
    EXPECT_EQ(s->submit("cat"), StudySession::Entry::Repeated);
    ASSERT_EQ(s->lines().size(), 1u);
    EXPECT_EQ(s->lines()[0].word, "cat");
    EXPECT_EQ(s->lines()[0].front, "s");
    EXPECT_EQ(s->lines()[0].back, "s");
    EXPECT_EQ(s->lines()[0].definition, "n. a small feline");
    EXPECT_FALSE(s->judged());
    EXPECT_EQ(judgementText(*s), "");
    EXPECT_EQ(s->submit("act"), StudySession::Entry::Right);
    EXPECT_TRUE(s->judged());
    EXPECT_TRUE(s->judgedRight());
    EXPECT_EQ(s->submit("tac"), StudySession::Entry::Ignored); // judged already
    // Box 1 waits four days, give or take one.
    const std::string verdict = judgementText(*s);
    EXPECT_EQ(verdict.rfind("Right. Box 0 \u2192 1, due again in ", 0), 0u) << verdict;
    EXPECT_EQ(box->card("ACT")->cardbox, 1);

    // A wrong word makes the question missed even when all the rest are found.
    ASSERT_TRUE(s->next());
    EXPECT_EQ(s->submit("tra"), StudySession::Entry::Wrong);
    EXPECT_EQ(s->submit("TRA"), StudySession::Entry::Repeated);
    for (const char* w : {"art", "rat", "tar"})
        s->submit(w);
    EXPECT_TRUE(s->judged());
    EXPECT_FALSE(s->judgedRight());
    EXPECT_EQ(judgementText(*s), "Missed. Box 0 \u2192 0, due again in 12 hours. Not right: TRA");
    EXPECT_FALSE(s->next());
    EXPECT_EQ(progressText(*s), "");
}

// Give up shows the missed words after the found ones; Mark right and Mark
// missed change the recorded judgement; Undo takes back the last one only.
TEST_F(StudySessionTest, GiveUpMarkAndOneStepUndo) {
    auto s = sitting({"ARST", "ACT"});
    s->start();
    ASSERT_EQ(s->question(), "ARST");
    s->submit("star");
    ASSERT_TRUE(s->finish());
    EXPECT_FALSE(s->finish()); // once
    std::vector<std::string> missed;
    for (const AnswerLine& l : s->lines())
        if (l.missed) missed.push_back(l.word);
    EXPECT_EQ(s->lines().front().word, "star");
    EXPECT_EQ(missed, (std::vector<std::string>{"arts", "rats", "tars", "tsar"}));
    EXPECT_EQ(box->card("ARST")->incorrect, 1);

    EXPECT_TRUE(s->mark(true));
    EXPECT_TRUE(s->judgedRight());
    Card c = *box->card("ARST");
    EXPECT_EQ(c.cardbox, 1);
    EXPECT_EQ(c.incorrect, 0);
    EXPECT_EQ(c.correct, 1);
    EXPECT_TRUE(s->mark(true)); // already so
    EXPECT_TRUE(s->mark(false));
    EXPECT_EQ(box->card("ARST")->incorrect, 1);
    EXPECT_EQ(box->card("ARST")->correct, 0);

    // Undo after moving on brings the judged question back, unanswered, and
    // the cardbox as it was before it.
    ASSERT_TRUE(s->next());
    EXPECT_EQ(s->question(), "ACT");
    ASSERT_TRUE(s->canUndo());
    ASSERT_TRUE(s->undo());
    EXPECT_EQ(s->question(), "ARST");
    EXPECT_EQ(s->answered(), 0);
    EXPECT_TRUE(s->lines().empty());
    const Card back = *box->card("ARST");
    EXPECT_EQ(back.incorrect + back.correct, 0);
    EXPECT_EQ(back.cardbox, 0);
    EXPECT_FALSE(s->undo());
    EXPECT_FALSE(s->mark(true)); // nothing judged
}

// A hooks question is a word; its right answers are the hooked words.
TEST_F(StudySessionTest, HooksQuestionsTakeTheHookedWords) {
    std::string error;
    box = Cardbox::open(dir.path() + "/study/hooks.db", true, error);
    auto s = sitting({"AT"}, QuizType::Hooks);
    s->start();
    EXPECT_EQ(s->solutionCount(), 2); // cat and rat; nothing behind
    EXPECT_EQ(s->submit("cat"), StudySession::Entry::Right);
    EXPECT_EQ(s->submit("ats"), StudySession::Entry::Wrong);
}

// Where questions come from: a set with lengths, a search, the quiz's missed
// words and a typed list of words and racks; likeliest first, `first` kept.
TEST_F(StudySessionTest, SourcesGiveTheirQuestionsLikeliestFirst) {
    QuestionSource set;
    set.search.setId = 0;
    set.search.minLength = set.search.maxLength = 4;
    const QuestionList fours = questionsFrom(*index, QuizType::Anagrams, set);
    EXPECT_TRUE(fours.error.empty());
    EXPECT_EQ(fours.questions, (std::vector<std::string>{"ARST", "ACST"}));
    set.first = 1;
    EXPECT_EQ(questionsFrom(*index, QuizType::Anagrams, set).questions.size(), 1u);
    EXPECT_EQ(questionsFrom(*index, QuizType::Hooks, set).questions.front(), "ARTS");

    QuestionSource search;
    search.kind = QuestionSource::Kind::Search;
    search.search.pattern = "[abc";
    search.search.patternGiven = true;
    EXPECT_FALSE(questionsFrom(*index, QuizType::Anagrams, search).error.empty());

    QuestionSource typed;
    typed.kind = QuestionSource::Kind::Typed;
    typed.typed = "cat,TAR;\r\nrtas x-y  qqq";
    const QuestionList list = questionsFrom(*index, QuizType::Anagrams, typed);
    EXPECT_EQ(list.questions, (std::vector<std::string>{"ART", "ACT", "ARST"}));
    EXPECT_EQ(list.unknown, (std::vector<std::string>{"x-y", "qqq"}));
    // A rack is a question only for anagrams.
    const QuestionList hooks = questionsFrom(*index, QuizType::Hooks, typed);
    EXPECT_EQ(hooks.unknown, (std::vector<std::string>{"rtas", "x-y", "qqq"}));

    QuestionSource missed;
    missed.kind = QuestionSource::Kind::Missed;
    EXPECT_TRUE(questionsFrom(*index, QuizType::Anagrams, missed).questions.empty());
    index->word(static_cast<std::uint32_t>(index->find("star", false)))
        .node->set(CWordNode::Missed);
    EXPECT_EQ(questionsFrom(*index, QuizType::Anagrams, missed).questions,
              (std::vector<std::string>{"ARST"}));
}

// A long add reports its progress and can be cancelled, leaving nothing.
TEST_F(StudySessionTest, ALongAddCanBeCancelledAndAddsNothing) {
    std::vector<std::string> many;
    for (int i = 0; i < 3000; ++i)
        many.push_back("Q" + std::to_string(i));
    for (auto& q : many)
        for (char& c : q)
            if (c >= '0' && c <= '9') c = static_cast<char>('A' + (c - '0'));
    int calls = 0;
    EXPECT_EQ(box->add(many, kNow,
                       [&](int done, int total) {
                           EXPECT_EQ(total, 3000);
                           return ++calls < 3 && done < 3000;
                       }),
              -1);
    EXPECT_EQ(box->size(), 0);
    std::vector<int> seen;
    EXPECT_EQ(box->add(many, kNow,
                       [&](int done, int) {
                           seen.push_back(done);
                           return true;
                       }),
              int(std::set<std::string>(many.begin(), many.end()).size()));
    EXPECT_EQ(seen.back(), 3000);
}

// The found words as text and CSV: capitals, hooks, ranks, quoting, and
// Latin-1 bytes made UTF-8.
TEST_F(StudySessionTest, FoundWordsLeaveAsPlainTextAndCsv) {
    std::vector<std::uint32_t> words;
    for (const char* w : {"cat", "zzz"})
        words.push_back(static_cast<std::uint32_t>(index->find(w, false)));
    const auto rows = resultRows(*index, words, false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_GT(rows[0].rank, 0u);
    const std::string rank = std::to_string(rows[0].rank);
    EXPECT_EQ(plainTextOf(rows), "CAT\ts\ts\t" + rank + "\tn. a small feline\n" + "ZZZ\t\t\t" +
                                     std::to_string(rows[1].rank) + "\tinterj. a snore \xc3\xa9\n");
    std::vector<ResultRow> odd = {{"wavy", "", "", 0, "a \"curve\", or line\nbreak"}};
    EXPECT_EQ(csvOf(odd), "word,definition,front hooks,back hooks,probability rank\r\n"
                          "WAVY,\"a \"\"curve\"\", or line\nbreak\",,,\r\n");
    EXPECT_EQ(plainTextOf(odd), "WAVY\t\t\t\ta \"curve\", or line break\n");
    EXPECT_EQ(utf8Text("caf\xc3\xa9"), "caf\xc3\xa9");
    EXPECT_EQ(utf8Text("caf\xe9"), "caf\xc3\xa9");
    EXPECT_EQ(utf8Text("\xc0\xaf"), "\xc3\x80\xc2\xaf");             // overlong: not UTF-8
    EXPECT_EQ(utf8Text("\xed\xa0\x80"), "\xc3\xad\xc2\xa0\xc2\x80"); // a surrogate
    EXPECT_EQ(utf8Text("\xe2\x82"), "\xc3\xa2\xc2\x82");             // cut short
}

// Printing found words marks exactly them as the set to print.
TEST_F(StudySessionTest, FoundWordsPrintAsASetOfTheirOwn) {
    MemorySettingsStore store;
    markWordSet(*db, store, true, false); // everything marked
    std::vector<CWordNode*> two = {index->word(index->find("cat", false)).node,
                                   index->word(index->find("tsar", false)).node};
    markOnly(*db, two);
    CWordSetCriteria criteria;
    criteria.cannedWordSet = 1;
    criteria.definitions = 1;
    const CPageLayout layout(*db, criteria, 18000, 25000);
    EXPECT_EQ(layout.memberCount(), 2);
}
