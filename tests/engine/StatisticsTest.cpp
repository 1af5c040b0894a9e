#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "quiz/SetStatistics.h"
#include "tests/support/TestSupport.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

// A clock the test moves by hand.
struct FakeClock {
    std::int64_t now = 1'000'000;
    SecondsClock fn() {
        return [this] { return now; };
    }
};

// A pass of `answers` answers, `right` of them right, lasting `seconds`.
void completePass(MemorySettingsStore& store, FakeClock& clock, int answers, int right,
                  int seconds) {
    CSetStatistics stats(store, nullptr, clock.fn());
    for (int i = 0; i < answers; ++i)
        stats.recordAnswer(i < right);
    clock.now += seconds;
    ASSERT_TRUE(stats.recordCompletedSet());
}

} // namespace

TEST(Statistics, RecordTextFollowsTheCriteria) {
    MemorySettingsStore store;
    FakeClock clock;
    completePass(store, clock, 10, 8, 95);
    EXPECT_EQ(store.readString("Default", "Score0", ""), "jqxzAllAll - 10 80% 9.5 Yes");
    EXPECT_EQ(store.readInt("Default", reg::kScoreIndex, -1), 1);

    CWordSetCriteria c;
    c.cannedWordSet = kCustomSet;
    c.allLetters = 0;
    c.validLetters = "jq";
    c.maxWordLength = 5;
    c.definitions = 0;
    ASSERT_TRUE(c.save(store));
    completePass(store, clock, 4, 3, 100);
    EXPECT_EQ(store.readString("Default", "Score1", ""), "jq 5 4 75% 25 No");
    completePass(store, clock, 3, 2, 100);
    EXPECT_EQ(store.readString("Default", "Score2", ""), "jq 5 3 66% 33.3333 No");
    completePass(store, clock, 7, 0, 0);
    EXPECT_EQ(store.readString("Default", "Score3", ""), "jq 5 7 0% 0 No");
}

TEST(Statistics, FormatIsTheSameInEveryLocale) {
    EXPECT_EQ(CSetStatistics::formatRecord("a b_c", "7", 3, 66, 1234567.0, true),
              "a_b_c 7 3 66% 1.23457e+06 Yes");
    EXPECT_EQ(CSetStatistics::formatRecord("x", "-", 8, 12, 0.125, false), "x - 8 12% 0.125 No");
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"};
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool switched = false;
    for (const char* name : commaLocales)
        if (std::setlocale(LC_ALL, name)) {
            switched = true;
            break;
        }
    if (!switched) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string text = CSetStatistics::formatRecord("x", "-", 10, 80, 9.5, true);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(text, "x - 10 80% 9.5 Yes");
}

TEST(Statistics, PausesNestAndResetKeepsThem) {
    MemorySettingsStore store;
    FakeClock clock;
    CSetStatistics stats(store, nullptr, clock.fn());
    clock.now += 10;
    EXPECT_EQ(stats.elapsedSeconds(), 10);
    stats.pause();
    stats.pause();
    clock.now += 100;
    stats.resume();
    clock.now += 100;
    EXPECT_EQ(stats.elapsedSeconds(), 10); // one pause still open
    stats.resume();
    clock.now += 5;
    EXPECT_EQ(stats.elapsedSeconds(), 15);
    // A resume without a pause changes nothing.
    stats.resume();
    EXPECT_EQ(stats.pauseDepth, 0);
    clock.now += 5;
    EXPECT_EQ(stats.elapsedSeconds(), 20);

    stats.recordAnswer(true);
    stats.pause();
    stats.reset();
    EXPECT_EQ(stats.pauseDepth, 1);
    EXPECT_EQ(stats.answered, 0);
    EXPECT_EQ(stats.elapsedSeconds(), 0);
    // A clock set back never gives negative times.
    stats.resume();
    clock.now -= 1000;
    EXPECT_EQ(stats.elapsedSeconds(), 0);
}

TEST(Statistics, RecordsFillARingOfTwentyReadNewestFirst) {
    MemorySettingsStore store;
    FakeClock clock;
    EXPECT_TRUE(readStatisticsRecords(store).empty());
    completePass(store, clock, 1, 1, 1);
    auto rows = readStatisticsRecords(store);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (StatisticsRow{"jqxzAllAll", "-", "1", "100%", "1", "Yes"}));

    for (int i = 2; i <= 21; ++i)
        completePass(store, clock, i, 0, 0);
    EXPECT_EQ(store.readInt("Default", reg::kScoreIndex, -1), 1);
    EXPECT_EQ(store.readString("Default", "Score0", "").substr(0, 14), "jqxzAllAll - 2");
    rows = readStatisticsRecords(store);
    ASSERT_EQ(rows.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(rows[static_cast<std::size_t>(i)][2], std::to_string(21 - i));
}

TEST(Statistics, APassRecordedDuringAPauseCountsTimeOnce) {
    MemorySettingsStore store;
    FakeClock clock;
    CSetStatistics stats(store, nullptr, clock.fn());
    stats.recordAnswer(true);
    clock.now += 10;
    stats.pause();
    clock.now += 50;
    ASSERT_TRUE(stats.recordCompletedSet());
    EXPECT_EQ(store.readString("Default", "Score0", ""), "jqxzAllAll - 1 100% 10 Yes");
}

TEST(Statistics, NoAnswersWriteNothing) {
    MemorySettingsStore store;
    CSetStatistics stats(store);
    EXPECT_FALSE(stats.recordCompletedSet());
    EXPECT_TRUE(store.writeLog.empty());
    stats.recordAnswer(false);
    store.failWrites = true;
    EXPECT_FALSE(stats.recordCompletedSet());
}

TEST(Statistics, AStoredIndexOutsideTheRingCountsAsZero) {
    for (const char* bad : {"20", "-1", "2147483647", "many"}) {
        MemorySettingsStore store;
        FakeClock clock;
        store.writeString("Default", reg::kScoreIndex, bad);
        store.writeString("Default", "Score5", "old - 1 0% 1 No");
        EXPECT_EQ(readStatisticsRecords(store).size(), 1u) << bad;
        completePass(store, clock, 2, 1, 4);
        EXPECT_EQ(store.readString("Default", "Score0", ""), "jqxzAllAll - 2 50% 2 Yes") << bad;
        EXPECT_EQ(store.readInt("Default", reg::kScoreIndex, -1), 1) << bad;
        const auto rows = readStatisticsRecords(store);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0][0], "jqxzAllAll");
        EXPECT_EQ(rows[1][0], "old");
    }
}

TEST(Statistics, RecordsBelongToTheUserWhoStartedThePass) {
    MemorySettingsStore store;
    FakeClock clock;
    store.writeString("Settings", "UserName", "Ann");
    CSetStatistics stats(store, nullptr, clock.fn());
    stats.recordAnswer(true);
    store.writeString("Settings", "UserName", "Bob");
    ASSERT_TRUE(stats.recordCompletedSet());
    EXPECT_TRUE(store.contains("Ann", "Score0"));
    EXPECT_FALSE(store.contains("Bob", "Score0"));
    EXPECT_TRUE(readStatisticsRecords(store).empty()); // Bob has none
}

TEST(Statistics, SplittingRecords) {
    EXPECT_EQ(splitStatisticsRecord("my_big_set 7 10 80% 9.5 Yes extra"),
              (StatisticsRow{"my big set", "7", "10", "80%", "9.5", "Yes"}));
    EXPECT_EQ(splitStatisticsRecord("only two"), (StatisticsRow{"only", "two", "", "", "", ""}));
    EXPECT_EQ(splitStatisticsRecord("a  b"), (StatisticsRow{"a", "", "b", "", "", ""}));
}

TEST(Statistics, UserSetTitlesWithSpacesAreStoredWithUnderscores) {
    TempDir dir;
    RecordingUi ui;
    dir.write(kWordListName, wordListBytes({"red*a colour*adj**~"}));
    dir.write("warm.wordset", "Warm colours\ndesc\nx\nred\n");
    CWordDatabase db(programSetup(&ui, dir.path()));
    MemorySettingsStore store;
    CWordSetCriteria c;
    c.cannedWordSet = 12;
    ASSERT_TRUE(c.save(store));
    FakeClock clock;
    CSetStatistics stats(store, &db, clock.fn());
    stats.recordAnswer(true);
    clock.now += 3;
    ASSERT_TRUE(stats.recordCompletedSet());
    EXPECT_EQ(store.readString("Default", "Score0", ""), "jqxzAllWarm_colours - 1 100% 3 Yes");
    EXPECT_EQ(readStatisticsRecords(store).at(0)[0], "jqxzAllWarm colours");
}

TEST(SettingsStore, IntegersAreReadStrictly) {
    EXPECT_EQ(parseSettingInt("42"), 42);
    EXPECT_EQ(parseSettingInt("-7"), -7);
    EXPECT_EQ(parseSettingInt("+7"), 7);
    EXPECT_EQ(parseSettingInt("-2147483648"), -2147483648LL);
    for (const char* bad : {"", "+", "-", " 1", "1 ", "1x", "0x10", "2147483648", "1e3", "++1"})
        EXPECT_FALSE(parseSettingInt(bad).has_value()) << bad;
    MemorySettingsStore store;
    EXPECT_EQ(UserProfile::currentName(store), "Default");
    store.writeString("Settings", "UserName", "a\\b");
    UserProfile user(store);
    EXPECT_TRUE(user.writeInt("NoSound", 1));
    EXPECT_EQ(store.readInt("a\\b", "NoSound", 0), 1);
    EXPECT_EQ(user.readInt("NoTimer", 3), 3);
}
