// The settings file as a user or another program may have edited it: every
// value the program reads, written into the INI file by hand with malformed,
// out-of-range, typed (@Variant, @Rect, ...) and list values, is read through
// the QSettings store and the engine calls that use it. Nothing may crash, and
// a value that cannot be used reads as its default.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/QtSettingsStore.h"
#include "core/SettingsStore.h"
#include "quiz/SetStatistics.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;

namespace {

class QtHostileSettings : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    // A store over a new INI file holding exactly `text` (a new file each
    // time: QSettings keeps files it has read in a cache of its own).
    std::unique_ptr<QtSettingsStore> storeWith(const std::string& text) {
        const QString path = dir_.path() + QStringLiteral("/zq%1.ini").arg(++files_);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        return std::make_unique<QtSettingsStore>(
            std::make_unique<QSettings>(path, QSettings::IniFormat));
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

// Raw INI values and what the integer reader makes of them (nullopt: the
// default).
const std::vector<std::pair<std::string, std::optional<int>>> kRawIntegers = {
    {"1", 1},
    {"-1", -1},
    {"\"7\"", 7},
    {"2147483647", 2147483647},
    {"2147483648", std::nullopt},
    {"-99999999999999999999", std::nullopt},
    {"abc", std::nullopt},
    {"", std::nullopt},
    {"1.5", std::nullopt},
    {"1,2", std::nullopt},
    {"0x10", std::nullopt},
    {"@Invalid()", std::nullopt},
    {"@Rect(1 2 3 4)", std::nullopt},
    {"@Size(1 2)", std::nullopt},
    {"@Point(1 2)", std::nullopt},
    {"@ByteArray(12)", 12},
    {"@ByteArray(x)", std::nullopt},
    {std::string(100000, '9'), std::nullopt},
    {"\\xe9", std::nullopt},
    {"caf\xC3\xA9", std::nullopt},
};

// Raw values whose reading is Qt's business: they only must not crash.
const std::vector<std::string> kRawOdd = {
    "@Variant(garbage)",
    "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)",
    "@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10QTextFormat)",
    "@DateTime(nonsense)",
    "@ByteArray(",
    "\"unterminated",
    "a\\",
    "\\",
    ",,,,",
    "\xFF\xFE",
};

const char* const kUserIntegers[] = {"CannedWordSet", "MaxWordLength", "MinWordLength",
                                     "Definitions",   "AllLetters",    reg::kScoreIndex,
                                     "NoSound",       "NoTimer"};
const char* const kSharedIntegers[] = {reg::kNoLogon, "Expurged", "EditWords"};

// What the engine does with the stored values of the current user.
void sweep(QtSettingsStore& store) {
    CWordSetCriteria criteria;
    criteria.load(store);
    EXPECT_GE(criteria.cannedWordSet, 0);
    EXPECT_GE(criteria.maxWordLength, 0);
    (void)criteria.name();
    (void)criteria.lengthLabel();
    const std::string user = UserProfile::currentName(store);
    const int index = statisticsIndex(store, user);
    EXPECT_GE(index, 0);
    EXPECT_LT(index, kStatisticsSlots);
    (void)readStatisticsRecords(store);
    CSetStatistics stats(store, nullptr, [] { return std::int64_t{10}; });
    stats.recordAnswer(true);
    EXPECT_TRUE(stats.recordCompletedSet());
    const auto rows = readStatisticsRecords(store);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front()[2], "1");
    for (const char* name : kUserIntegers)
        (void)UserProfile(store).readInt(name, 0);
    for (const char* name : kSharedIntegers)
        (void)store.readInt(reg::kSettings, name, 0);
}

} // namespace

TEST_F(QtHostileSettings, HandEditedIntegersReadStrictly) {
    int cases = 0;
    for (const auto& [raw, expected] : kRawIntegers) {
        std::string text = "[Settings]\n";
        for (const char* name : kSharedIntegers)
            text += std::string(name) + "=" + raw + "\n";
        text += "[Default]\n";
        for (const char* name : kUserIntegers)
            text += std::string(name) + "=" + raw + "\n";
        auto store = storeWith(text);
        SCOPED_TRACE(raw.substr(0, 30));
        for (const char* name : kSharedIntegers) {
            EXPECT_EQ(store->readInt(reg::kSettings, name, 0), expected.value_or(0)) << name;
            ++cases;
        }
        for (const char* name : kUserIntegers) {
            EXPECT_EQ(UserProfile(*store).readInt(name, 0), expected.value_or(0)) << name;
            ++cases;
        }
        sweep(*store);
    }
    for (const std::string& raw : kRawOdd) {
        std::string text = "[Settings]\nUserName=" + raw + "\n";
        for (const char* name : kSharedIntegers)
            text += std::string(name) + "=" + raw + "\n";
        text += "[Default]\nValidLetters=" + raw + "\n";
        for (const char* name : kUserIntegers)
            text += std::string(name) + "=" + raw + "\n";
        auto store = storeWith(text);
        SCOPED_TRACE(raw);
        sweep(*store);
        cases += 13;
    }
    RecordProperty("cases", cases);
}

TEST_F(QtHostileSettings, HandEditedNamesAndLettersAreTakenAsText) {
    const std::vector<std::pair<std::string, std::string>> names = {
        {"B[o]b=1", "B[o]b=1"},
        {"\"a, b\"", "a, b"},
        {"a, b", "a, b"},
        {"a/b", "a/b"},
        {"\\\\server", "\\server"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {std::string(50000, 'n'), std::string(50000, 'n')},
        {"#x;comment", "#x"}, // a ';' starts a comment in an INI file
    };
    for (const auto& [raw, name] : names) {
        SCOPED_TRACE(raw.substr(0, 30));
        auto store = storeWith("[Settings]\nUserName=" + raw +
                               "\n[Default]\nCannedWordSet=5\nValidLetters=" + raw + "\n");
        EXPECT_EQ(UserProfile::currentName(*store), name);
        sweep(*store);
        // The user's own section, not Default's, holds his values.
        CWordSetCriteria c;
        c.load(*store);
        EXPECT_EQ(c.cannedWordSet, 0);
        c.cannedWordSet = 3;
        c.validLetters = name;
        ASSERT_TRUE(c.save(*store));
        CWordSetCriteria again;
        again.load(*store);
        EXPECT_EQ(again.cannedWordSet, 3);
        EXPECT_EQ(again.validLetters, name);
        EXPECT_EQ(store->readInt("Default", "CannedWordSet", 0), 5);
    }
}

TEST_F(QtHostileSettings, DamagedScoreRecordsStillRead) {
    std::string text = "[Default]\nScoreIndex=3\n";
    const std::vector<std::string> raw = {
        "",           "x",     "a b c d e f g h i",      "@Rect(1 2 3 4)", "\"a, b\" 7", "1,2,3",
        "@Invalid()", "_ _ _", std::string(100000, 'r'),
    };
    for (std::size_t i = 0; i < raw.size(); ++i)
        text += "Score" + std::to_string(i) + "=" + raw[i] + "\n";
    auto store = storeWith(text);
    const auto rows = readStatisticsRecords(*store);
    EXPECT_LE(rows.size(), raw.size());
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 6u);
    sweep(*store);
}
