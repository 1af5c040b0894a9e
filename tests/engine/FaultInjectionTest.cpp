// Every way a save can fail part-way: the n-th create, write, flush, close,
// copy, rename or read failing, and the disk filling up after any number of
// bytes. Whatever fails, the file on disk is the old one (or the new one when
// the replacement completed), the user is told, and no half-written file is
// left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>

#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "quiz/SetStatistics.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

// Records with varied text, so that the compressed file spans several of the
// codec's 4,096-byte buffers, and with synonyms.
std::vector<std::string> lexiconRecords(int count) {
    std::vector<std::string> records;
    std::uint32_t state = 17;
    for (int i = 0; i < count; ++i) {
        std::string word = "w";
        for (int v = i; v; v /= 26)
            word += static_cast<char>('a' + v % 26);
        word += static_cast<char>('a' + i % 7);
        std::string definition;
        for (int k = 0; k < 12; ++k) {
            state = state * 1103515245u + 12345u;
            definition += static_cast<char>('a' + (state >> 16) % 26);
        }
        records.push_back(word + "*" + definition + "*n*" + (i % 50 == 1 ? "wb" : "") + "*~");
    }
    return records;
}

// The faults to try for every operation, given the counts of a run without
// faults: every call, and for a full disk a spread of byte counts that
// includes every buffer boundary.
std::vector<std::pair<Op, std::size_t>> sweepOf(const FaultyFileSystem& reference,
                                                std::initializer_list<Op> ops) {
    std::vector<std::pair<Op, std::size_t>> faults;
    for (Op op : ops) {
        if (op == Op::DiskFull || op == Op::DiskFullLate) {
            const std::size_t total = reference.bytesWritten;
            for (std::size_t at = 0; at <= total + 1; at += std::max<std::size_t>(1, total / 60))
                faults.emplace_back(op, at);
            for (std::size_t at = 4096; at < total + 4096; at += 4096)
                for (std::size_t d : {at - 1, at, at + 1, at + 2})
                    faults.emplace_back(op, d);
            faults.emplace_back(op, total);
            continue;
        }
        const auto it = reference.calls.find(op);
        const std::size_t count = it == reference.calls.end() ? 0 : it->second;
        for (std::size_t k = 1; k <= count + 1; ++k)
            faults.emplace_back(op, k);
    }
    return faults;
}

} // namespace

TEST(FaultInjection, EveryFailureDuringASaveKeepsTheOldWordList) {
    TempDir dir;
    RecordingUi ui;
    FaultyFileSystem fs;
    const Bytes original = wordListBytes(lexiconRecords(1500));
    const Bytes olderBackup = bytesOf("an older backup");
    dir.write(kWordListName, original);
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.ui = &ui;
    setup.fileSystem = &fs;
    CWordDatabase db(setup);
    ASSERT_TRUE(db.loaded);
    db.addEntry("wbz", "an edited entry", "n", "wb", true);

    auto restore = [&] {
        dir.write(kWordListName, original);
        dir.write("word.lst.bak", olderBackup);
    };
    restore();
    fs.arm(Op::None, 0);
    seedRandom(99);
    ASSERT_TRUE(db.save());
    const Bytes saved = dir.read(kWordListName);
    ASSERT_NE(saved, original);
    ASSERT_GT(fs.calls[Op::Write], 4u);
    ASSERT_EQ(dir.read("word.lst.bak"), original);
    const auto faults = sweepOf(fs, {Op::Create, Op::Write, Op::Flush, Op::Close, Op::Copy,
                                     Op::Rename, Op::Read, Op::DiskFull, Op::DiskFullLate});

    int failed = 0;
    for (const auto& [op, n] : faults) {
        SCOPED_TRACE(std::string(nameOf(op)) + " " + std::to_string(n));
        restore();
        ui.messages.clear();
        fs.arm(op, n);
        seedRandom(99);
        const bool ok = db.save();
        EXPECT_FALSE(dir.exists("word.lst.tmp"));
        EXPECT_FALSE(dir.exists("word.lst.bak.tmp"));
        if (!fs.hit) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(dir.read(kWordListName), saved);
            EXPECT_EQ(dir.read("word.lst.bak"), original);
            EXPECT_TRUE(ui.messages.empty());
            continue;
        }
        // The copy of the old list as word.lst.bak (a copy, then the first
        // rename) comes after the new file was written and read back: a
        // fault there keeps the older backup and still saves.
        if (op == Op::Copy || (op == Op::Rename && n == 1)) {
            EXPECT_TRUE(ok);
            EXPECT_EQ(dir.read(kWordListName), saved);
            EXPECT_EQ(dir.read("word.lst.bak"), olderBackup);
            EXPECT_EQ(ui.messages, std::vector<std::string>{str::kBackupNotKept});
            continue;
        }
        ++failed;
        EXPECT_FALSE(ok);
        EXPECT_EQ(dir.read(kWordListName), original);
        // The backup is the older one, or the complete copy of the old list.
        const Bytes backup = dir.read("word.lst.bak");
        EXPECT_TRUE(backup == olderBackup || backup == original);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(startsWith(ui.messages[0], prefixOf(str::kSaveFailed))) << ui.messages[0];
    }
    EXPECT_GT(failed, 100);
    RecordProperty("faults", static_cast<int>(faults.size()));

    // After all that, a save without faults still works and loads back.
    restore();
    fs.arm(Op::None, 0);
    ui.messages.clear();
    seedRandom(99);
    ASSERT_TRUE(db.save());
    EXPECT_EQ(dir.read(kWordListName), saved);
}

TEST(FaultInjection, AFailedFirstSaveLeavesNoWordList) {
    TempDir dir;
    RecordingUi ui;
    FaultyFileSystem fs;
    dir.write(kWordListName, wordListBytes({"cat*a small feline*n**~", "dog*a hound*n**~"}));
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.ui = &ui;
    setup.fileSystem = &fs;
    CWordDatabase db(setup);
    std::filesystem::remove(dir.file(kWordListName));
    fs.arm(Op::None, 0);
    ASSERT_TRUE(db.save());
    const auto faults = sweepOf(fs, {Op::Create, Op::Write, Op::Flush, Op::Close, Op::Copy,
                                     Op::Rename, Op::Read, Op::DiskFull});
    for (const auto& [op, n] : faults) {
        SCOPED_TRACE(std::string(nameOf(op)) + " " + std::to_string(n));
        std::filesystem::remove(dir.file(kWordListName));
        ui.messages.clear();
        fs.arm(op, n);
        const bool ok = db.save();
        EXPECT_EQ(ok, !fs.hit);
        EXPECT_EQ(dir.exists(kWordListName), ok);
        EXPECT_FALSE(dir.exists("word.lst.tmp"));
        EXPECT_FALSE(dir.exists("word.lst.bak"));
        EXPECT_EQ(ui.messages.size(), ok ? 0u : 1u);
    }
    RecordProperty("faults", static_cast<int>(faults.size()));
}

TEST(FaultInjection, EveryFailureDuringABackupKeepsTheOldBackup) {
    TempDir dir;
    RecordingUi ui;
    FaultyFileSystem fs;
    dir.write(kWordListName, wordListBytes(lexiconRecords(3000)));
    const Bytes older = bytesOf("zzz*an older backup*n**~\n");
    DatabaseSetup setup;
    setup.folder = dir.path();
    setup.ui = &ui;
    setup.fileSystem = &fs;
    CWordDatabase db(setup);
    ASSERT_TRUE(db.loaded);

    dir.write(kBackupName, older);
    fs.arm(Op::None, 0);
    ASSERT_TRUE(db.backupText());
    const Bytes written = dir.read(kBackupName);
    ASSERT_GT(written.size(), 65536u); // more than one block of writes
    const auto faults = sweepOf(fs, {Op::Create, Op::Write, Op::Flush, Op::Close, Op::Rename,
                                     Op::DiskFull, Op::DiskFullLate});
    int failed = 0;
    for (const auto& [op, n] : faults) {
        SCOPED_TRACE(std::string(nameOf(op)) + " " + std::to_string(n));
        dir.write(kBackupName, older);
        ui.messages.clear();
        fs.arm(op, n);
        const bool ok = db.backupText();
        EXPECT_FALSE(dir.exists("backup.lst.tmp"));
        EXPECT_EQ(ok, !fs.hit);
        EXPECT_EQ(dir.read(kBackupName), ok ? written : older);
        if (!ok) {
            ++failed;
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_TRUE(startsWith(ui.messages[0], prefixOf(str::kBackupFailed))) << ui.messages[0];
        }
    }
    EXPECT_GT(failed, 50);
    RecordProperty("faults", static_cast<int>(faults.size()));
}

namespace {

// A settings store whose n-th write fails and stores nothing.
class FailingNthWrite final : public SettingsStore {
  public:
    MemorySettingsStore inner;
    int failAt = 0;
    int writes = 0;

    int readInt(const std::string& s, const std::string& n, int d) override {
        return inner.readInt(s, n, d);
    }
    std::string readString(const std::string& s, const std::string& n,
                           const std::string& d) override {
        return inner.readString(s, n, d);
    }
    bool writeInt(const std::string& s, const std::string& n, int v) override {
        return ++writes != failAt && inner.writeInt(s, n, v);
    }
    bool writeString(const std::string& s, const std::string& n, const std::string& v) override {
        return ++writes != failAt && inner.writeString(s, n, v);
    }
};

} // namespace

TEST(FaultInjection, FailedCriteriaWritesAreReportedAndLeaveReadableValues) {
    CWordSetCriteria old;
    old.cannedWordSet = 3;
    old.maxWordLength = 5;
    old.definitions = 0;
    old.validLetters = "abc";
    old.allLetters = 0;
    old.minWordLength = 3;
    CWordSetCriteria fresh;
    fresh.cannedWordSet = 1;
    fresh.maxWordLength = 7;
    fresh.validLetters = "qz";
    for (int failAt = 1; failAt <= 7; ++failAt) {
        SCOPED_TRACE(failAt);
        FailingNthWrite store;
        store.failAt = failAt;
        ASSERT_TRUE(old.save(store.inner));
        const bool ok = fresh.save(store);
        EXPECT_EQ(ok, failAt > 6);
        // Each value is the old or the new one, never anything else.
        CWordSetCriteria loaded;
        loaded.load(store);
        auto either = [](auto value, auto a, auto b) { return value == a || value == b; };
        EXPECT_TRUE(either(loaded.cannedWordSet, old.cannedWordSet, fresh.cannedWordSet));
        EXPECT_TRUE(either(loaded.maxWordLength, old.maxWordLength, fresh.maxWordLength));
        EXPECT_TRUE(either(loaded.minWordLength, old.minWordLength, fresh.minWordLength));
        EXPECT_TRUE(either(loaded.definitions, old.definitions, fresh.definitions));
        EXPECT_TRUE(either(loaded.allLetters, old.allLetters, fresh.allLetters));
        EXPECT_TRUE(either(loaded.validLetters, old.validLetters, fresh.validLetters));
    }
    // A store that refuses every write keeps the old values entirely.
    MemorySettingsStore store;
    ASSERT_TRUE(old.save(store));
    store.failWrites = true;
    EXPECT_FALSE(fresh.save(store));
    CWordSetCriteria loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.cannedWordSet, 3);
    EXPECT_EQ(loaded.validLetters, "abc");
}

TEST(FaultInjection, FailedStatisticsWritesAreReportedAndKeepTheRingReadable) {
    for (int failAt = 1; failAt <= 3; ++failAt) {
        SCOPED_TRACE(failAt);
        FailingNthWrite store;
        store.failAt = failAt;
        // A full ring: the next record takes slot 4, the oldest.
        for (int slot = 0; slot < kStatisticsSlots; ++slot)
            store.inner.writeString("Default", "Score" + std::to_string(slot),
                                    "set" + std::to_string(slot) + " - 1 100% 1 Yes");
        store.inner.writeInt("Default", reg::kScoreIndex, 4);
        const auto before = readStatisticsRecords(store);
        CSetStatistics stats(store, nullptr, [] { return std::int64_t{50}; });
        stats.recordAnswer(true);
        const bool ok = stats.recordCompletedSet();
        EXPECT_EQ(ok, failAt > 2);
        const auto after = readStatisticsRecords(store);
        ASSERT_EQ(after.size(), static_cast<std::size_t>(kStatisticsSlots));
        if (failAt == 1) {
            EXPECT_EQ(after, before); // nothing was stored
        } else if (failAt == 2) {
            // The record took the oldest slot, the index stayed: every other
            // record is as it was and the ring is still read in order.
            EXPECT_EQ(std::vector(after.begin(), after.end() - 1),
                      std::vector(before.begin(), before.end() - 1));
            EXPECT_EQ(statisticsIndex(store, "Default"), 4);
        } else {
            EXPECT_EQ(statisticsIndex(store, "Default"), 5);
            EXPECT_EQ(after.front()[2], "1");
        }
    }
    MemorySettingsStore store;
    store.failWrites = true;
    CSetStatistics stats(store, nullptr, [] { return std::int64_t{50}; });
    stats.recordAnswer(true);
    EXPECT_FALSE(stats.recordCompletedSet());
    EXPECT_TRUE(readStatisticsRecords(store).empty());
}
