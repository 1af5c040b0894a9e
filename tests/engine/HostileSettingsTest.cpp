// Settings are a file (or registry key) anyone can edit by hand. Every value
// the program reads is swept here with negative, huge, malformed, very long and
// non-ASCII text through the engine calls that read it: nothing may crash or
// hang, and a value that cannot be used reads as its default.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>

#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "quiz/SetStatistics.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

// Hand-edited integer texts and what a strict reader makes of them (nullopt:
// unusable, the default applies).
const std::vector<std::pair<std::string, std::optional<int>>> kIntegerTexts = {
    {"0", 0},
    {"-1", -1},
    {"-7", -7},
    {"+3", 3},
    {"2147483647", 2147483647},
    {"-2147483648", -2147483647 - 1},
    {"2147483648", std::nullopt},
    {"-2147483649", std::nullopt},
    {"99999999999999999999999999", std::nullopt},
    {std::string(100000, '9'), std::nullopt},
    {"", std::nullopt},
    {" ", std::nullopt},
    {" 1", std::nullopt},
    {"1 ", std::nullopt},
    {"abc", std::nullopt},
    {"1x", std::nullopt},
    {"0x10", std::nullopt},
    {"1.5", std::nullopt},
    {"1e3", std::nullopt},
    {"--1", std::nullopt},
    {"+", std::nullopt},
    {"-", std::nullopt},
    {"\xC3\xA9", std::nullopt},
    {"\xFF\xFE", std::nullopt},
    {std::string("1\0002", 3), std::nullopt},
    {"true", std::nullopt},
};

// Per-user values, then the shared ones of the "Settings" section.
const char* const kUserIntegers[] = {"CannedWordSet", "MaxWordLength", "MinWordLength",
                                     "Definitions",   "AllLetters",    reg::kScoreIndex,
                                     "NoSound",       "NoTimer"};
const char* const kSharedIntegers[] = {reg::kNoLogon, "Expurged", "EditWords"};

const std::vector<std::string> kRecords = {
    "cat*a small feline*n*kitty*~", "kitty*a kitten*n*cat*~",
    "zebra*a striped horse*n**~",   "jazz*music*n**~",
    "quiz*a short test*n**~",       "caf\xC3\xA9*a coffee house*n**~",
    "aardvark*an animal*n**~",      "bare****~"};

const std::vector<std::string> kHostileText = {
    "",
    " ",
    "a b",
    "[Settings]",
    "a=b",
    "a/b\\c",
    "%2F",
    "Settings",
    "General",
    "line\nbreak\r",
    "tab\there",
    "caf\xC3\xA9",
    "\xFF\xFE\x80",
    std::string("nul\0inside", 10),
    std::string(200000, 'u'),
    "***~*~",
    "_ _ _",
};

// Everything the engine does with the stored values of the current user.
struct Sweep {
    CWordDatabase& db;
    MemorySettingsStore& store;

    void run() {
        CWordSetCriteria criteria;
        criteria.load(store, &db);
        EXPECT_GE(criteria.cannedWordSet, 0);
        EXPECT_GE(criteria.maxWordLength, 0);
        (void)criteria.name();
        (void)criteria.lengthLabel();
        (void)wordSetTitle(db, criteria.cannedWordSet);
        markWordSet(db, store, false, false);
        const int members = db.setSize;
        EXPECT_GE(members, 0);
        // A whole pass of draws hands out every member once, then ends.
        int drawn = 0;
        while (drawRandomWord(db, store, false))
            ASSERT_LE(++drawn, CNodePool::counter());
        EXPECT_EQ(drawn, members);
        EXPECT_EQ(db.setCompleted, 1);
        (void)countWordSet(db, criteria.maxWordLength, criteria.validLetters,
                           criteria.allLetters != 0, criteria.definitions != 0,
                           criteria.cannedWordSet);
        const int index = statisticsIndex(store, UserProfile::currentName(store));
        EXPECT_GE(index, 0);
        EXPECT_LT(index, kStatisticsSlots);
        CSetStatistics stats(store, &db, [] { return std::int64_t{100}; });
        stats.recordAnswer(true);
        EXPECT_TRUE(stats.recordCompletedSet());
        const auto rows = readStatisticsRecords(store);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.front()[2], "1"); // the record just written comes first
        EXPECT_EQ(rows.front()[3], "100%");
    }
};

} // namespace

TEST(HostileSettings, IntegersReadStrictlyAndUnusableOnesGiveTheDefault) {
    int cases = 0;
    for (const auto& [text, expected] : kIntegerTexts) {
        MemorySettingsStore store;
        for (const char* name : kUserIntegers) {
            SCOPED_TRACE(std::string(name) + "=" + text.substr(0, 20));
            store.writeString("Default", name, text);
            const UserProfile user(store);
            // The defaults the program uses: 0 for the options.
            EXPECT_EQ(user.readInt(name, 0), expected.value_or(0));
            EXPECT_EQ(user.readInt(name, 42), expected.value_or(42));
            ++cases;
        }
        for (const char* name : kSharedIntegers) {
            SCOPED_TRACE(std::string(name) + "=" + text.substr(0, 20));
            store.writeString(reg::kSettings, name, text);
            EXPECT_EQ(store.readInt(reg::kSettings, name, 0), expected.value_or(0));
            ++cases;
        }
        // The word set values: unusable ones and negative set ids or length
        // limits read as the defaults.
        CWordSetCriteria c;
        c.load(store);
        const int value = expected.value_or(-1);
        EXPECT_EQ(c.cannedWordSet, value >= 0 ? value : 0);
        EXPECT_EQ(c.maxWordLength, value >= 0 ? value : 0);
        EXPECT_EQ(c.definitions, expected.value_or(1));
        EXPECT_EQ(c.allLetters, expected.value_or(1));
        EXPECT_EQ(c.minWordLength, expected.value_or(2));
        EXPECT_EQ(statisticsIndex(store, "Default"),
                  value >= 0 && value < kStatisticsSlots ? value : 0);
    }
    RecordProperty("cases", cases);
}

TEST(HostileSettings, EveryValueSweptThroughTheEngine) {
    TempDir dir;
    RecordingUi ui;
    dir.write("odd.wordset", "Odd set\ndescription\n-\ncat zebra\n");
    auto db = databaseWith(dir, ui, kRecords);
    ASSERT_TRUE(db->loaded);
    int sweeps = 0;
    const auto started = std::chrono::steady_clock::now();

    // Each integer value alone with every hostile text.
    for (const char* name : kUserIntegers) {
        for (const auto& [text, expected] : kIntegerTexts) {
            SCOPED_TRACE(std::string(name) + "=" + text.substr(0, 20));
            MemorySettingsStore store;
            store.writeString("Default", name, text);
            Sweep{*db, store}.run();
            ++sweeps;
        }
    }
    // Word set ids that name no set, lengths beyond any word, letters of every
    // kind, with the other values of the custom set in each state.
    for (const std::string canned : {"1", "11", "12", "13", "2147483647"}) {
        for (const std::string& letters : kHostileText) {
            for (const std::string all : {"0", "1"}) {
                SCOPED_TRACE(canned + " '" + letters.substr(0, 20) + "' " + all);
                MemorySettingsStore store;
                store.writeString("Default", "CannedWordSet", canned);
                store.writeString("Default", "ValidLetters", letters);
                store.writeString("Default", "AllLetters", all);
                store.writeString("Default", "Definitions", "0");
                store.writeString("Default", "MaxWordLength", "2147483647");
                Sweep{*db, store}.run();
                ++sweeps;
            }
        }
    }
    // User names of every kind: each user's values stay in his own section.
    for (const std::string& user : kHostileText) {
        SCOPED_TRACE("user '" + user.substr(0, 20) + "'");
        MemorySettingsStore store;
        store.writeString(reg::kSettings, reg::kUserName, user);
        store.writeString(user, "CannedWordSet", "3");
        Sweep{*db, store}.run();
        EXPECT_EQ(UserProfile::currentName(store), user);
        EXPECT_EQ(UserProfile(store).readInt("CannedWordSet", 0), 3);
        EXPECT_EQ(store.readInt(user, reg::kScoreIndex, -1), 1);
        if (user != "Default") {
            EXPECT_FALSE(store.contains("Default", "Score0"));
        }
        ++sweeps;
    }
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    EXPECT_LT(seconds.count(), 30.0); // no value makes the engine crawl
    RecordProperty("sweeps", sweeps);
}

TEST(HostileSettings, TheCustomSetMatchesAnyByteOfTheLetters) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, kRecords);
    for (const std::string& letters :
         {std::string("\xA9"), std::string("*~"), std::string("Z"), std::string(300000, 'j'),
          std::string("\xC3"), std::string("q\0z", 3)}) {
        MemorySettingsStore store;
        store.writeString("Default", "CannedWordSet", "1");
        store.writeString("Default", "AllLetters", "0");
        store.writeString("Default", "Definitions", "0");
        store.writeString("Default", "ValidLetters", letters);
        markWordSet(*db, store, false, false);
        // The rule, plainly: a word is in when it holds any byte of the
        // letters (a NUL byte ends nothing and matches nothing).
        int expected = 0;
        for (CWordNode* node : db->inOrder()) {
            if (node->has(CWordNode::Expurged)) continue;
            bool any = false;
            for (const char* p = node->word(); *p && !any; ++p)
                any = letters.find(*p) != std::string::npos;
            expected += any;
        }
        EXPECT_EQ(db->setSize, expected) << letters.substr(0, 8);
    }
}

TEST(HostileSettings, DamagedScoreRecordsReadAsSixFields) {
    const std::vector<std::pair<std::string, StatisticsRow>> records = {
        {"", {}},
        {"x", {"x", "", "", "", "", ""}},
        {"a b c d e f g h i", {"a", "b", "c", "d", "e", "f"}},
        {"   ", {"", "", "", "", "", ""}},
        {"_x_ 7", {" x ", "7", "", "", "", ""}},
        {"a\tb c", {"a\tb", "c", "", "", "", ""}},
        {"\xFF\xFE 1 2 3% 4 Yes", {"\xFF\xFE", "1", "2", "3%", "4", "Yes"}},
        {std::string("nul\0x y", 7), {std::string("nul\0x", 5), "y", "", "", "", ""}},
    };
    MemorySettingsStore store;
    int slot = 0;
    for (const auto& [record, row] : records) {
        if (!record.empty()) {
            EXPECT_EQ(splitStatisticsRecord(record), row) << record;
        }
        store.writeString("Default", "Score" + std::to_string(slot++), record);
    }
    store.writeString("Default", "Score19", std::string(1 << 20, 'r') + " 7");
    store.writeString("Default", "Score20", "beyond the ring");
    store.writeString("Default", reg::kScoreIndex, std::to_string(slot));
    const auto rows = readStatisticsRecords(store);
    // The empty record is skipped; the rest come newest (highest slot) first.
    ASSERT_EQ(rows.size(), records.size());
    EXPECT_EQ(rows.front()[0], std::string("nul\0x", 5));
    EXPECT_EQ(rows.back()[0].size(), 1u << 20);
    EXPECT_EQ(rows.back()[1], "7");
}
