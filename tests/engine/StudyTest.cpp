// The study engine: anagrams, hooks, draw counts, ranks and word search,
// against plain references worked out here over the whole ENABLE list and
// against counts worked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <unordered_set>

#include "core/Import.h"
#include "core/Letters.h"
#include "core/WordDatabase.h"
#include "study/Questions.h"
#include "study/StudyIndex.h"
#include "study/WordSearch.h"
#include "tests/support/EnableWords.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

bool plain(const std::string& w) {
    return std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The whole ENABLE list as the program's lexicon, built once.
class StudyOnEnable : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::vector<ImportRecord> records;
        for (const std::string& w : enableWords())
            records.push_back({w, "", "", ""});
        dir_ = new TempDir;
        ui_ = new RecordingUi;
        db_ = importedDatabase(*dir_, *ui_, records).release();
        index_ = new StudyIndex(*db_);
        for (CWordNode* n : db_->inOrder())
            if (plain(n->word()) && !n->has(CWordNode::Expurged)) words_.emplace_back(n->word());
    }
    static void TearDownTestSuite() {
        delete index_;
        delete db_;
        delete ui_;
        delete dir_;
        words_.clear();
    }
    static std::vector<std::string> texts(const std::vector<std::uint32_t>& found) {
        std::vector<std::string> out;
        for (std::uint32_t i : found)
            out.emplace_back(index_->text(i));
        return out;
    }
    static TempDir* dir_;
    static RecordingUi* ui_;
    static CWordDatabase* db_;
    static StudyIndex* index_;
    static std::vector<std::string> words_; // every word but the expurged, in order
};
TempDir* StudyOnEnable::dir_ = nullptr;
RecordingUi* StudyOnEnable::ui_ = nullptr;
CWordDatabase* StudyOnEnable::db_ = nullptr;
StudyIndex* StudyOnEnable::index_ = nullptr;
std::vector<std::string> StudyOnEnable::words_;

} // namespace

// Every anagram group of the list, found from its letters in any order.
TEST_F(StudyOnEnable, ExactAnagramsAgreeWithSortedLettersOverTheWholeList) {
    ASSERT_GT(words_.size(), 170000u);
    std::map<std::string, std::vector<std::string>> groups;
    for (const std::string& w : words_) {
        std::string key = w;
        std::sort(key.begin(), key.end());
        groups[key].push_back(w);
    }
    std::mt19937 rng(7);
    for (const auto& [key, members] : groups) {
        std::string letters = key;
        std::shuffle(letters.begin(), letters.end(), rng);
        ASSERT_EQ(texts(index_->anagrams(letters, false)), members) << letters;
        ASSERT_EQ(index_->anagramCount(static_cast<std::uint32_t>(index_->find(members[0], false)),
                                       false),
                  static_cast<int>(members.size()));
    }
    EXPECT_EQ(texts(index_->anagrams("aeinrst", false)),
              (std::vector<std::string>{"anestri", "antsier", "nastier", "ratines", "retains",
                                        "retinas", "retsina", "stainer", "stearin"}));
    EXPECT_TRUE(index_->anagrams("xyzzy", false).empty());
    EXPECT_TRUE(index_->anagrams("ab1", false).empty());
}

// Racks with one to four blanks against a scan of every word of the length.
TEST_F(StudyOnEnable, AnagramsWithBlanksAgreeWithAScan) {
    std::mt19937 rng(11);
    const std::string bag =
        "aaaaaaaaabbccddddeeeeeeeeeeeeffggghhiiiiiiiiijkllllmmnnnnnnooooooooppqrrrrrr"
        "ssssttttttuuuuvvwwxyyz";
    for (int round = 0; round < 60; ++round) {
        const int length = 2 + static_cast<int>(rng() % 8);
        const int blanks = 1 + round % 4;
        std::string rack;
        for (int i = 0; i < length - std::min(blanks, length); ++i)
            rack += bag[rng() % bag.size()];
        rack.append(static_cast<std::size_t>(std::min(blanks, length)), '?');
        std::vector<std::string> expected;
        for (const std::string& w : words_) {
            if (w.size() != rack.size()) continue;
            int counts[26] = {};
            for (char c : w)
                ++counts[c - 'a'];
            bool holds = true;
            for (char c : rack)
                if (c != '?' && --counts[c - 'a'] < 0) holds = false;
            if (holds) expected.push_back(w);
        }
        ASSERT_EQ(texts(index_->anagrams(rack, false)), expected) << rack;
    }
}

// Hooks worked out the other way round: every word of n + 1 letters gives
// its first letter to the word after it and its last to the word before.
TEST_F(StudyOnEnable, HooksAgreeWithEveryLongerWordOverTheWholeList) {
    std::map<std::string, std::pair<std::set<char>, std::set<char>>> expected;
    const std::unordered_set<std::string> all(words_.begin(), words_.end());
    for (const std::string& w : words_) {
        if (w.size() < 2) continue;
        expected[w.substr(1)].first.insert(w[0]);
        expected[w.substr(0, w.size() - 1)].second.insert(w.back());
    }
    for (const std::string& w : words_) {
        const Hooks h = index_->hooks(w, false);
        const auto& e = expected[w];
        ASSERT_EQ(h.front, std::string(e.first.begin(), e.first.end())) << w;
        ASSERT_EQ(h.back, std::string(e.second.begin(), e.second.end())) << w;
        ASSERT_EQ(h.withoutFirst, all.count(w.substr(1)) == 1) << w;
        ASSERT_EQ(h.withoutLast, all.count(w.substr(0, w.size() - 1)) == 1) << w;
    }
    // A word that is not a word is answered too.
    const Hooks h = index_->hooks("ardv", false);
    EXPECT_EQ(h.front, "");
    EXPECT_EQ(h.back, "");
}

// Counts worked by hand: C(9,2) for AA; with blanks, each way of letting a
// blank stand for some of the letters, times the ways to choose the blanks.
TEST(StudyCounts, DrawCountsAgreeWithCountsWorkedByHand) {
    EXPECT_EQ(drawCount("aa", 0), DrawCount(36));
    EXPECT_EQ(drawCount("aa", 2), DrawCount(36 + 2 * 9 + 1));
    // c 2 tiles, a 9, t 6.
    EXPECT_EQ(drawCount("cat", 0), DrawCount(2 * 9 * 6));
    EXPECT_EQ(drawCount("cat", 1), DrawCount(108 + (9 * 6 + 2 * 6 + 2 * 9)));
    EXPECT_EQ(drawCount("cat", 2), DrawCount(108 + 2 * 84 + (6 + 9 + 2)));
    // e has 12 tiles; z one, so ZZZ needs two blanks.
    EXPECT_EQ(drawCount("eee", 0), DrawCount(220));
    EXPECT_EQ(drawCount("eee", 2), DrawCount(220 + 2 * 66 + 12));
    EXPECT_EQ(drawCount("zzz", 1), DrawCount(0));
    EXPECT_EQ(drawCount("zzz", 2), DrawCount(1));
    EXPECT_EQ(drawCount("a1", 2), DrawCount(0));
    // Every rack of seven from the full bag: the counts of all alphagrams
    // (blanks as their own kind) add up to C(100, 7).
    EXPECT_EQ(drawsOf(7, 2), DrawCount(16007560800ull));
    EXPECT_EQ(toDecimal(drawsOf(28, 2)), "4998813702034726525205100");
    EXPECT_EQ(toDecimal(0), "0");
}

// One rank per word and length, highest count first, ties by alphagram and
// then by word.
TEST_F(StudyOnEnable, RanksOrderEachLengthByCountThenAlphagramThenWord) {
    for (int blanks : {0, 2}) {
        const auto& ranks = index_->ranks(blanks, false);
        std::map<int, std::vector<std::uint32_t>> byLength;
        for (std::uint32_t i = 0; i < index_->size(); ++i) {
            if (index_->word(i).expurged) {
                EXPECT_EQ(ranks[i], 0u);
                continue;
            }
            byLength[index_->word(i).length].push_back(i);
        }
        for (auto& [length, list] : byLength) {
            std::sort(list.begin(), list.end(),
                      [&](std::uint32_t a, std::uint32_t b) { return ranks[a] < ranks[b]; });
            for (std::size_t k = 0; k < list.size(); ++k)
                ASSERT_EQ(ranks[list[k]], k + 1) << length;
            for (std::size_t k = 1; k < list.size(); ++k) {
                const std::uint32_t a = list[k - 1], b = list[k];
                const DrawCount ca = index_->count(a, blanks), cb = index_->count(b, blanks);
                ASSERT_GE(ca, cb);
                if (ca == cb) {
                    ASSERT_LE(std::make_pair(index_->alphagramOf(a), index_->text(a)),
                              std::make_pair(index_->alphagramOf(b), index_->text(b)));
                }
            }
        }
    }
}

// Patterns against the standard regular expressions over the whole list.
TEST_F(StudyOnEnable, PatternSearchAgreesWithRegularExpressions) {
    const std::pair<const char*, const char*> cases[] = {
        {"c?t", "c.t"},        {"*ing", ".*ing"}, {"q[^u]*", "q[^u].*"}, {"[a-c]at", "[a-c]at"},
        {"*z*z*", ".*z.*z.*"}, {"??x", "..x"},    {"*", ".+"},           {"RE*ED", "re.*ed"},
    };
    for (const auto& [pattern, regex] : cases) {
        SearchConditions c;
        c.pattern = pattern;
        const std::regex re(regex);
        std::vector<std::string> expected;
        for (const std::string& w : words_)
            if (std::regex_match(w, re)) expected.push_back(w);
        ASSERT_EQ(texts(searchWords(*index_, c)), expected) << pattern;
    }
}

// The letter conditions, lengths, ranks and hooks, each against a plain test
// of every word.
TEST_F(StudyOnEnable, EveryConditionAgreesWithAPlainTestOfEachWord) {
    auto countsOf = [](const std::string& w) {
        std::array<int, 26> c{};
        for (char ch : w)
            ++c[static_cast<std::size_t>(ch - 'a')];
        return c;
    };
    const auto rack = countsOf("retains");
    SearchConditions sub;
    sub.subanagram = "RETAINS?";
    sub.minLength = 7;
    std::vector<std::string> expected;
    for (const std::string& w : words_) {
        if (w.size() < 7 || w.size() > 8) continue;
        const auto c = countsOf(w);
        int missing = 0;
        for (std::size_t l = 0; l < 26; ++l)
            missing += std::max(0, c[l] - rack[l]);
        if (missing <= 1) expected.push_back(w);
    }
    EXPECT_EQ(texts(searchWords(*index_, sub)), expected);

    SearchConditions ana;
    ana.anagram = "qu*";
    ana.maxLength = 4;
    expected.clear();
    for (const std::string& w : words_)
        if (w.size() >= 2 && w.size() <= 4 && w.find('q') != std::string::npos &&
            w.find('u') != std::string::npos)
            expected.push_back(w);
    EXPECT_EQ(texts(searchWords(*index_, ana)), expected);

    // The 100 likeliest sevens in probability order are ranks 1 to 100.
    SearchConditions likely;
    likely.minLength = likely.maxLength = 7;
    likely.minRank = 1;
    likely.maxRank = 100;
    likely.order = SearchConditions::Order::Probability;
    const auto found = searchWords(*index_, likely);
    ASSERT_EQ(found.size(), 100u);
    const auto& ranks = index_->ranks(2, false);
    for (std::size_t k = 0; k < found.size(); ++k)
        EXPECT_EQ(ranks[found[k]], k + 1);

    // Three-letter words without a front hook but with a back hook.
    SearchConditions hooks;
    hooks.minLength = hooks.maxLength = 3;
    hooks.frontHooks = 0;
    hooks.backHooks = 1;
    for (std::uint32_t i : searchWords(*index_, hooks)) {
        const Hooks h = index_->hooks(index_->text(i), false);
        ASSERT_TRUE(h.front.empty() && !h.back.empty()) << index_->text(i);
    }
    // Seven-letter words with at least six anagrams, themselves included.
    std::map<std::string, int> groupSize;
    for (const std::string& w : words_) {
        std::string key = w;
        std::sort(key.begin(), key.end());
        ++groupSize[key];
    }
    SearchConditions many;
    many.minLength = many.maxLength = 7;
    many.minAnagrams = 6;
    expected.clear();
    for (const std::string& w : words_) {
        std::string key = w;
        std::sort(key.begin(), key.end());
        if (w.size() == 7 && groupSize[key] >= 6) expected.push_back(w);
    }
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(texts(searchWords(*index_, many)), expected);
}

// The small lexicon: definitions, word sets, expurged words, the index kept
// up to date, and the conditions refused before a search.
class StudySmall : public ::testing::Test {
  protected:
    void SetUp() override {
        db = databaseWith(dir, ui,
                          {"cat*a small feline*n**~", "act*a deed*n**~", "tac****~", "cats****~",
                           "scat*go away*interj**~", "zebra*a striped horse*n**~"});
    }
    std::vector<std::string> search(const SearchConditions& c) {
        std::vector<std::string> out;
        for (std::uint32_t i : searchWords(*index, c))
            out.emplace_back(index->text(i));
        return out;
    }
    TempDir dir;
    RecordingUi ui;
    std::unique_ptr<CWordDatabase> db;
    std::unique_ptr<StudyIndex> index;
};

TEST_F(StudySmall, DefinitionsSetsAndExpurgedWords) {
    index = std::make_unique<StudyIndex>(*db);
    SearchConditions c;
    c.anagram = "act*";
    EXPECT_EQ(search(c), (std::vector<std::string>{"act", "cat", "cats", "scat", "tac"}));
    c.defined = true;
    EXPECT_EQ(search(c), (std::vector<std::string>{"act", "cat", "scat"}));
    c.defined = false;
    c.setId = kInterjections;
    EXPECT_EQ(search(c), std::vector<std::string>{"scat"});

    const std::string slur = kExpurgedWords[0];
    EXPECT_FALSE(index->isWord(slur, false));
    EXPECT_TRUE(index->isWord(slur, true));
    SearchConditions bad;
    bad.pattern = slur;
    EXPECT_TRUE(search(bad).empty());
    bad.expurged = true;
    EXPECT_EQ(search(bad), std::vector<std::string>{slur});
    EXPECT_EQ(index->ranks(2, false)[static_cast<std::size_t>(index->find(slur, true))], 0u);
}

// An added word is found after refresh(); one given the definition "delete"
// is gone from the index, as it is from the next start.
TEST_F(StudySmall, TheIndexFollowsAddedAndDeletedWords) {
    index = std::make_unique<StudyIndex>(*db);
    EXPECT_FALSE(index->isWord("scats", false));
    db->addEntry("scats", "", "", "", true);
    index->refresh();
    EXPECT_TRUE(index->isWord("scats", false));
    EXPECT_EQ(index->hooks("scat", false).back, "s");
    CWordNode* cat = db->find("cat");
    cat->setContent("cat", "delete", "n", "", true);
    db->markEdited(cat);
    index->refresh();
    EXPECT_FALSE(index->isWord("cat", false));
    EXPECT_EQ(index->anagrams("tca", false).size(), 2u);
}

TEST_F(StudySmall, BadConditionsAreRefusedWithAReason) {
    index = std::make_unique<StudyIndex>(*db);
    auto reason = [&](auto change) {
        SearchConditions c;
        change(c);
        return checkSearch(*index, c);
    };
    EXPECT_EQ(reason([](SearchConditions&) {}), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.patternGiven = true; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.pattern = "ca1"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.pattern = "[ab"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.pattern = "[^a-z]"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.pattern = "[z-a]"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.anagram = "a b"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.subanagram = "ab*"; }), "");
    EXPECT_NE(reason([](SearchConditions& c) {
                  c.minLength = 5;
                  c.maxLength = 3;
              }),
              "");
    EXPECT_NE(reason([](SearchConditions& c) { c.setId = 99; }), "");
    EXPECT_EQ(reason([](SearchConditions& c) { c.setId = kFirstUserSet - 1; }), "");
    EXPECT_NE(reason([](SearchConditions& c) { c.blanks = 3; }), "");
}

// Cardbox questions from words: anagram questions are distinct alphagrams,
// likeliest first; hook questions the words; the quiz's missed words come in
// one step; solutions are the alphagram's words or the hooked words.
TEST_F(StudySmall, QuestionsAndSolutionsForTheCardbox) {
    index = std::make_unique<StudyIndex>(*db);
    std::vector<std::uint32_t> words;
    for (const char* w : {"tac", "cats", "cat", "act", "scat"})
        words.push_back(static_cast<std::uint32_t>(index->find(w, false)));
    sortByProbability(*index, words, false);
    EXPECT_EQ(questionsFor(*index, QuizType::Anagrams, words),
              (std::vector<std::string>{"ACT", "ACST"}));
    EXPECT_EQ(questionsFor(*index, QuizType::Anagrams, words, 1), std::vector<std::string>{"ACT"});
    EXPECT_EQ(questionsFor(*index, QuizType::Hooks, words).size(), 5u);
    db->find("zebra")->set(CWordNode::Missed);
    db->find("cats")->set(CWordNode::Missed);
    EXPECT_EQ(questionsFor(*index, QuizType::Anagrams, missedWords(*index)),
              (std::vector<std::string>{"ACST", "ABERZ"}));
    EXPECT_EQ(solutionsOf(*index, QuizType::Anagrams, "ACT", false),
              (std::vector<std::string>{"act", "cat", "tac"}));
    EXPECT_EQ(solutionsOf(*index, QuizType::Hooks, "CAT", false),
              (std::vector<std::string>{"scat", "cats"}));
}
