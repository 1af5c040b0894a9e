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
#include "tests/support/TestSupport.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;
using namespace zq::test;

namespace {

enum class Op { None, Create, Write, Flush, Close, Copy, Rename, Read, DiskFull, DiskFullLate };

const char* nameOf(Op op) {
    switch (op) {
    case Op::None:
        return "none";
    case Op::Create:
        return "create";
    case Op::Write:
        return "write";
    case Op::Flush:
        return "flush";
    case Op::Close:
        return "close";
    case Op::Copy:
        return "copy";
    case Op::Rename:
        return "rename";
    case Op::Read:
        return "read";
    case Op::DiskFull:
        return "disk full";
    case Op::DiskFullLate:
        return "disk full, noticed at flush";
    }
    return "?";
}

// The real file system with one fault: the n-th call of one operation fails
// (for the disk-full faults, n is the number of bytes the disk still takes).
// It counts the calls of every operation, so a run without a fault tells how
// many there are to fail.
class FaultyFileSystem final : public FileSystem {
  public:
    Op fault = Op::None;
    std::size_t n = 0;
    bool hit = false; // the fault came into play
    std::map<Op, std::size_t> calls;
    std::size_t bytesWritten = 0;

    void arm(Op op, std::size_t count) {
        fault = op;
        n = count;
        hit = false;
        calls.clear();
        bytesWritten = 0;
    }
    // Whether this call of `op` is the one to fail.
    bool strikes(Op op) {
        if (++calls[op] != n || fault != op) return false;
        hit = true;
        return true;
    }

    std::unique_ptr<ByteStream> openRead(const std::string& p) override {
        auto inner = realFileSystem().openRead(p);
        if (!inner) return nullptr;
        return std::make_unique<Stream>(*this, std::move(inner));
    }
    std::unique_ptr<ByteStream> create(const std::string& p) override {
        if (strikes(Op::Create)) return nullptr;
        auto inner = realFileSystem().create(p);
        if (!inner) return nullptr;
        return std::make_unique<Stream>(*this, std::move(inner));
    }
    std::optional<std::int64_t> fileSize(const std::string& p) override {
        return realFileSystem().fileSize(p);
    }
    bool exists(const std::string& p) override { return realFileSystem().exists(p); }
    bool replace(const std::string& a, const std::string& b) override {
        if (strikes(Op::Rename)) return false;
        return realFileSystem().replace(a, b);
    }
    // A failing copy has written part of the target, as an interrupted copy
    // would.
    bool copy(const std::string& a, const std::string& b) override {
        if (strikes(Op::Copy)) {
            const auto content = readWholeFile(realFileSystem(), a);
            auto out = realFileSystem().create(b);
            if (content && out) out->write(content->data(), content->size() / 2);
            return false;
        }
        return realFileSystem().copy(a, b);
    }
    bool remove(const std::string& p) override { return realFileSystem().remove(p); }
    std::vector<std::string> list(const std::string& f, const std::string& s) override {
        return realFileSystem().list(f, s);
    }

  private:
    class Stream final : public ByteStream {
      public:
        Stream(FaultyFileSystem& fs, std::unique_ptr<ByteStream> inner)
            : fs_(fs), inner_(std::move(inner)) {}
        // A failing read ends the data early.
        std::size_t read(void* b, std::size_t count) override {
            const std::size_t got = inner_->read(b, count);
            if (got > 0 && fs_.strikes(Op::Read)) return 0;
            return got;
        }
        // A failing write takes half of the bytes. A full disk takes what
        // room is left; in the late variant the loss only shows at the flush
        // or close, as with a buffered file.
        std::size_t write(const void* b, std::size_t count) override {
            if (fs_.strikes(Op::Write)) return inner_->write(b, count / 2);
            std::size_t take = count;
            const bool full = fs_.fault == Op::DiskFull || fs_.fault == Op::DiskFullLate;
            if (full) {
                take = std::min(count, fs_.n > fs_.bytesWritten ? fs_.n - fs_.bytesWritten : 0);
                if (take < count) {
                    fs_.hit = true;
                    lost_ = true;
                }
            }
            fs_.bytesWritten += inner_->write(b, take);
            return fs_.fault == Op::DiskFullLate ? count : take;
        }
        bool flush() override {
            const bool ok = inner_->flush();
            if (fs_.strikes(Op::Flush)) return false;
            return ok && !(lost_ && fs_.fault == Op::DiskFullLate);
        }
        bool close() override {
            const bool ok = inner_->close();
            if (fs_.strikes(Op::Close)) return false;
            return ok && !(lost_ && fs_.fault == Op::DiskFullLate);
        }
        std::int64_t tell() override { return inner_->tell(); }
        bool seek(std::int64_t p) override { return inner_->seek(p); }

      private:
        FaultyFileSystem& fs_;
        std::unique_ptr<ByteStream> inner_;
        bool lost_ = false;
    };
};

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

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string prefixOf(const char* message) {
    const std::string text(message);
    return text.substr(0, text.find("%s"));
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
