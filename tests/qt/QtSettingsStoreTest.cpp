#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "app/QtSettingsStore.h"
#include "core/SettingsStore.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;

namespace {

// Redirects the user-scope settings into a fresh folder for each test.
class QtSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    }
    // A store reading the file afresh, as the next start of the program would.
    static std::unique_ptr<QtSettingsStore> reopen() { return std::make_unique<QtSettingsStore>(); }

    QTemporaryDir dir_;
};

} // namespace

TEST_F(QtSettingsTest, ValuesRoundTripAndAbsentOnesGiveDefaults) {
    {
        QtSettingsStore store;
        EXPECT_EQ(store.readInt("Settings", reg::kNoLogon, 7), 7);
        EXPECT_EQ(store.readString("Default", "ValidLetters", "jqxz"), "jqxz");
        EXPECT_TRUE(store.writeInt("Settings", reg::kNoLogon, 1));
        EXPECT_TRUE(store.writeInt("Default", reg::kScoreIndex, -2147483647 - 1));
        EXPECT_TRUE(store.writeString("Default", "Score0", "my_set 7 10 80% 9.5 Yes"));
        EXPECT_TRUE(store.writeString("Default", "Title", "a, b, \"c\" = d; \xC3\xA9"));
        EXPECT_TRUE(store.writeString("Default", "Empty", ""));
    }
    auto store = reopen();
    EXPECT_EQ(store->readInt("Settings", reg::kNoLogon, 0), 1);
    EXPECT_EQ(store->readInt("Default", reg::kScoreIndex, 0), -2147483647 - 1);
    EXPECT_EQ(store->readString("Default", "Score0", ""), "my_set 7 10 80% 9.5 Yes");
    EXPECT_EQ(store->readString("Default", "Title", ""), "a, b, \"c\" = d; \xC3\xA9");
    EXPECT_EQ(store->readString("Default", "Empty", "x"), "");
    EXPECT_TRUE(QDir(dir_.path() + "/Tarnwick Software").exists());
}

TEST_F(QtSettingsTest, EveryUserNameGetsItsOwnSection) {
    const std::vector<std::string> names = {
        "a/b",  "a\\b",  "a",       "b",        "a%2Fb",  "a%5Cb",       "/a",   "a/",
        "",     "%",     "General", "Settings", "tab\tx", "caf\xC3\xA9", "\xE9", "%E9",
        "a//b", "a\\/b", "Bob",     "B ob",     "a.b",    "[x]",         "a=b",  "#c;d"};
    {
        QtSettingsStore store;
        for (std::size_t i = 0; i < names.size(); ++i)
            ASSERT_TRUE(store.writeInt(names[i], "NoSound", static_cast<int>(i) + 100)) << i;
    }
    auto store = reopen();
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(store->readInt(names[i], "NoSound", -1), static_cast<int>(i) + 100)
            << "name " << i << " '" << names[i] << "'";
    EXPECT_EQ(QtSettingsStore::encodeSection("a/b\\c%"), "a%2Fb%5Cc%25");
    EXPECT_EQ(QtSettingsStore::encodeSection("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(QtSettingsStore::encodeSection("caf\xE9"), "caf%E9");
}

TEST_F(QtSettingsTest, TheCurrentUserIsLookedUpAtEveryUse) {
    QtSettingsStore store;
    ASSERT_TRUE(store.writeString("Settings", "UserName", "x/y"));
    CWordSetCriteria c;
    c.cannedWordSet = 5;
    ASSERT_TRUE(c.save(store));
    ASSERT_TRUE(store.writeString("Settings", "UserName", "x"));
    CWordSetCriteria other;
    other.load(store);
    EXPECT_EQ(other.cannedWordSet, 0);
    store.writeString("Settings", "UserName", "x/y");
    other.load(store);
    EXPECT_EQ(other.cannedWordSet, 5);
    EXPECT_EQ(UserProfile::currentName(*reopen()), "x/y");
}

TEST_F(QtSettingsTest, HostileValuesReadAsDefaults) {
    {
        QSettings raw(QStringLiteral("Tarnwick Software"), QStringLiteral("Zendraquil"));
        raw.setValue("Default/CannedWordSet", "abc");
        raw.setValue("Default/MaxWordLength", "99999999999999");
        raw.setValue("Default/AllLetters", " 1");
        raw.setValue("Default/Definitions", QStringList{"1", "2"});
        raw.setValue("Default/MinWordLength", "-5");
        raw.setValue("Default/ValidLetters", QStringList{"ab", "cd"});
        raw.setValue("Default/ScoreIndex", 3.75);
        raw.sync();
    }
    auto store = reopen();
    EXPECT_EQ(store->readInt("Default", "CannedWordSet", 4), 4);
    EXPECT_EQ(store->readInt("Default", "MaxWordLength", 4), 4);
    EXPECT_EQ(store->readInt("Default", "AllLetters", 4), 4);
    EXPECT_EQ(store->readInt("Default", "Definitions", 4), 4);
    EXPECT_EQ(store->readInt("Default", "MinWordLength", 4), -5);
    EXPECT_EQ(store->readInt("Default", reg::kScoreIndex, 4), 4);
    EXPECT_EQ(store->readString("Default", "ValidLetters", ""), "ab, cd");
    CWordSetCriteria c;
    c.load(*store);
    EXPECT_EQ(c.cannedWordSet, 0);
    EXPECT_EQ(c.maxWordLength, 0);
    EXPECT_EQ(c.definitions, 1);
}

TEST_F(QtSettingsTest, AWriteThatCannotBeStoredReportsFailure) {
    // The settings file would have to go inside a plain file.
    QFile blocker(dir_.path() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QtSettingsStore store(
        std::make_unique<QSettings>(dir_.path() + "/blocker/zq.ini", QSettings::IniFormat));
    EXPECT_FALSE(store.writeInt("Settings", reg::kNoLogon, 1));
    EXPECT_FALSE(store.writeString("Settings", "UserName", "x"));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
