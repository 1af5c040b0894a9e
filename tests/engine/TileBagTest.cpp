#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/Random.h"
#include "core/WordDatabase.h"
#include "quiz/TileBag.h"
#include "tests/support/TestSupport.h"

using namespace zq;
using namespace zq::test;

TEST(TileBag, ScoresAndWeights) {
    EXPECT_EQ(wordScore("quiz"), 22);
    EXPECT_EQ(wordScore("cat"), 5);
    EXPECT_EQ(wordScore("CAT"), 0);
    EXPECT_EQ(wordScore("a b?"), 4);
    EXPECT_EQ(letterWeight("retains"), 52);
    EXPECT_EQ(CTileBag::fullBag().size(), 98u);
    int total = 0, points = 0;
    for (int c = 'a'; c <= 'z'; ++c)
        total += tileCount(c), points += letterScore(c) * tileCount(c);
    EXPECT_EQ(total, 98);
    EXPECT_EQ(points, 187);
    EXPECT_EQ(tileCount('Z'), 0);
    EXPECT_EQ(letterScore(0x80 + 'a'), 0);
}

TEST(TileBag, DealsSevenTilesAroundTheTarget) {
    seedRandom(1234);
    for (const std::string target : {"quiz", "zzz", "retains", "a", "jjjjjjj"}) {
        SCOPED_TRACE(target);
        for (int round = 0; round < 200; ++round) {
            const std::string rack = CTileBag::deal(target);
            ASSERT_EQ(rack.size(), 7u);
            for (char c : rack)
                ASSERT_TRUE(c >= 'a' && c <= 'z');
            std::string sortedRack = rack, sortedTarget = target;
            std::sort(sortedRack.begin(), sortedRack.end());
            std::sort(sortedTarget.begin(), sortedTarget.end());
            EXPECT_TRUE(std::includes(sortedRack.begin(), sortedRack.end(), sortedTarget.begin(),
                                      sortedTarget.end()));
            if (target == "retains") {
                EXPECT_EQ(sortedRack, sortedTarget);
            }
            // The bag's only z went to the target: the extras hold none.
            if (target == "quiz" || target == "zzz") {
                EXPECT_EQ(std::count(rack.begin(), rack.end(), 'z'),
                          std::count(target.begin(), target.end(), 'z'));
            }
        }
    }
    EXPECT_EQ(CTileBag::deal(""), "");
    EXPECT_EQ(CTileBag::deal("toolonger"), "");
    EXPECT_EQ(CTileBag::deal("Cat"), "");
    // Every order of a seven-letter target can come out.
    seedRandom(99);
    std::set<std::string> orders;
    for (int i = 0; i < 20000; ++i)
        orders.insert(CTileBag::deal("abcdefg"));
    EXPECT_GT(orders.size(), 4000u); // of 5,040
}

TEST(TileBag, RandomNumbersStayInRangeAndRepeatForASeed) {
    seedRandom(7);
    std::vector<int> first;
    int high = 0;
    for (int i = 0; i < 100000; ++i) {
        const int r = randomNumber();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, kRandomMax);
        high = std::max(high, r);
        if (i < 10) first.push_back(r);
    }
    EXPECT_GT(high, 32000);
    seedRandom(7);
    for (int r : first)
        EXPECT_EQ(randomNumber(), r);
}

TEST(TileBag, CanBeMadeFromUsesTilesBeforeBlanks) {
    CWordNode cab("cab", "", "", "", true), abba("abba", "", "", "", true),
        bad("bad", "", "expurged", "", true), xyz("xyz", "", "", "", true);
    EXPECT_TRUE(cab.canBeMadeFrom("abc "));
    EXPECT_FALSE(abba.canBeMadeFrom("abc "));
    EXPECT_TRUE(abba.canBeMadeFrom("abc  "));
    EXPECT_FALSE(bad.canBeMadeFrom("abd   "));
    EXPECT_TRUE(xyz.canBeMadeFrom("   "));
    EXPECT_FALSE(xyz.canBeMadeFrom("  "));
    EXPECT_FALSE(cab.canBeMadeFrom(""));
    // A rack longer than any the program makes is still handled.
    EXPECT_TRUE(cab.canBeMadeFrom(std::string(200, 'x').append("cab").c_str()));
}

TEST(TileBag, ScoreIsCachedInTheFlagWord) {
    CWordNode quiz("quiz", "", "", "", true);
    EXPECT_EQ(quiz.score(), 22);
    EXPECT_EQ(quiz.flags & CWordNode::ScoreMask, 22);
    quiz.flags = static_cast<std::uint16_t>((quiz.flags & ~CWordNode::ScoreMask) | 3);
    EXPECT_EQ(quiz.score(), 3); // the cache is trusted
    CWordNode none("???", "", "", "", true);
    EXPECT_EQ(none.score(), 0);
    EXPECT_EQ(none.flags & CWordNode::ScoreMask, 0);
    CWordNode huge(std::string(30, 'z').c_str(), "", "", "", true);
    EXPECT_EQ(huge.score(), 300 & 0xFF);
    EXPECT_EQ(huge.flags & ~CWordNode::ScoreMask, CWordNode::OwnsText); // no flag bit touched
}

TEST(TileBag, BestWordPrefersScoreThenWordOrder) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, {"tea****~", "eat****~", "ate****~", "seat****~", "zax****~"});
    db->markAll(false);
    CWordNode* best = db->bestWordFor("teas");
    ASSERT_NE(best, nullptr);
    EXPECT_STREQ(best->word(), "seat"); // 4 beats the three-letter words' 3
    best = db->bestWordFor("tea");
    ASSERT_NE(best, nullptr);
    EXPECT_STREQ(best->word(), "ate"); // equal scores: the alphabetically first
    EXPECT_EQ(db->bestWordFor("qqq"), nullptr);
    EXPECT_EQ(db->bestWordFor(""), nullptr);
    db->find("seat")->clear(CWordNode::InWordSet);
    EXPECT_STREQ(db->bestWordFor("teas")->word(), "ate"); // members only
    // Blanks: "zax" with a blank for the x still scores the whole word.
    EXPECT_STREQ(db->bestWordFor("za ")->word(), "zax");
}
