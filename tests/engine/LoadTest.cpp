#include <gtest/gtest.h>

#if defined(__linux__)
#include <pthread.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/WordDatabase.h"
#include "tests/support/TestSupport.h"

// Counts heap allocations while a test asks for it.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_counting) ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return ::operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace zq;
using namespace zq::test;

namespace {

const int kFixedEntries = 1 + 95; // the root and the built-in two-letter words

std::string def(CWordDatabase& db, const char* word) {
    CWordNode* n = db.find(word);
    return n ? n->definition() : "<missing>";
}

std::vector<std::string> ringOf(CWordDatabase& db, const char* word) {
    std::vector<std::string> ring;
    CWordNode* start = db.find(word);
    for (CWordNode* n = start; n;) {
        ring.emplace_back(n->word());
        n = n->nextSynonym;
        if (n == start) break;
    }
    return ring;
}

} // namespace

TEST(Load, EmptyContentGivesTheBuiltInLexicon) {
    TempDir dir;
    RecordingUi ui;
    RecordingProgress progress;
    RecordingStatus status;
    dir.write(kWordListName, wordListBytes({}));
    auto db = openDatabase(dir, ui, &progress, &status);
    ASSERT_TRUE(db->loaded);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(db->inOrder().size(), static_cast<std::size_t>(kFixedEntries + expurgedWordCount()));
    EXPECT_EQ(db->setSize, kFixedEntries + expurgedWordCount());
    EXPECT_EQ(expurgedWordCount(), 204);
    EXPECT_EQ(builtInWordCount(), 95);
    EXPECT_EQ(std::string(db->root->word()), "me");
    EXPECT_EQ(def(*db, "ax"),
              "an instrument with a bladed head on a handle, used for hewing, cleaving, chopping, "
              "etc. ");
    EXPECT_EQ(std::string(db->find("an")->partOfSpeech()), "indefinite article");
    // Progress and status: the reading phase, then the indexing range of 34.
    ASSERT_GE(progress.ranges.size(), 3u);
    EXPECT_EQ(progress.ranges[0], 34);
    EXPECT_EQ(progress.ranges[1], db->loadReport().capacity); // steps of at least 1 byte
    EXPECT_EQ(progress.ranges[2], 34);
    EXPECT_TRUE(progress.hidden);
    EXPECT_TRUE(status.shown && status.hidden);
    const std::vector<std::string> stages = {"", str::kLoadingWords, str::kIndexingWords,
                                             str::kLoadingWordSets};
    EXPECT_EQ(status.texts, stages);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_GT(ui.busyCount, 0);
}

TEST(Load, TheExampleFileHoldsOneRecord) {
    TempDir dir;
    RecordingUi ui;
    dir.write(kWordListName,
              Bytes{0x06, 0x00, 0x53, 0x08, 0x00, 0x61, 0x62, 0x63, 0x00, 0x00, 0x10, 0x00, 0x00});
    auto db = openDatabase(dir, ui);
    ASSERT_TRUE(db->loaded);
    CWordNode* abc = db->find("abc");
    ASSERT_NE(abc, nullptr);
    EXPECT_STREQ(abc->definition(), "");
    EXPECT_STREQ(abc->partOfSpeech(), "");
    EXPECT_STREQ(abc->synonym(), "");
    EXPECT_FALSE(abc->has(CWordNode::OwnsText)); // borrowed from the text buffer
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Load, RecordsOverrideAndDeleteInTheirOrder) {
    TempDir dir;
    RecordingUi ui;
    const std::string slur = kExpurgedWords[0];
    auto db = databaseWith(dir, ui,
                           {"cat*a small feline*n**~", "ox*a castrated bull*n**~",
                            "dog*delete*n**~", "go*delete*v**~", slur + "*a word*n**~",
                            "abc*first*n**~", "abc*second*n**~"});
    ASSERT_TRUE(db->loaded);
    EXPECT_EQ(def(*db, "cat"), "a small feline");
    EXPECT_EQ(def(*db, "ox"), "a castrated bull");   // a record overrides a built-in row
    EXPECT_EQ(db->find("dog"), nullptr);             // a deleted record is passed over
    EXPECT_EQ(def(*db, "go"), "to move or proceed"); // deleting a built-in word changes nothing
    CWordNode* e = db->find(slur);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->definition(), "expurged");
    EXPECT_STREQ(e->partOfSpeech(), "expurged");
    EXPECT_TRUE(e->has(CWordNode::Expurged));
    EXPECT_EQ(def(*db, "abc"), "second");
    EXPECT_EQ(db->loadReport().deletedRecords, 2);
    EXPECT_EQ(db->loadReport().records, 7);
}

TEST(Load, SynonymRingsFollowWordOrder) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui,
                           {"aha*an exclamation*interj**~", "oho*an exclamation*interj**~",
                            "zax*a tool*n*nosuchword*~"});
    // er links to um, then uh joins after er; um is already in the ring.
    EXPECT_EQ(ringOf(*db, "er"), (std::vector<std::string>{"er", "uh", "um"}));
    // oh is already linked to ho when its own synonym oho comes up.
    EXPECT_EQ(ringOf(*db, "ho"), (std::vector<std::string>{"ho", "oh"}));
    EXPECT_EQ(db->find("oho")->nextSynonym, nullptr);
    EXPECT_EQ(ringOf(*db, "ah"), (std::vector<std::string>{"ah", "ha", "aha"}));
    EXPECT_EQ(db->find("zax")->nextSynonym, nullptr);
    EXPECT_EQ(db->find("ah")->matchesInRing("aha"), db->find("aha"));
    EXPECT_EQ(db->find("ah")->matchesInRing("oho"), nullptr);
}

TEST(Load, MissingFileEndsTheLoad) {
    TempDir dir;
    RecordingUi ui;
    auto db = openDatabase(dir, ui);
    EXPECT_FALSE(db->loaded);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], str::kNoWordList);
    // The built-in rows are there, nothing else.
    db->markAll(true);
    EXPECT_EQ(db->setSize, kFixedEntries);
}

TEST(Load, TextBeyondTheExpectedCapacityStillLoads) {
    // Highly repetitive records compress far below 1/2.2 of their text: the
    // buffer grows instead of refusing a file the program wrote itself.
    std::vector<std::string> records;
    for (int i = 0; i < 3000; ++i) {
        std::string word = "zz";
        for (int n = i; n; n /= 26)
            word += static_cast<char>('a' + n % 26);
        records.push_back(word + "*" + std::string(300, 'x') + "*n**~");
    }
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, records);
    ASSERT_TRUE(db->loaded);
    EXPECT_GT(db->loadReport().textBytes, db->loadReport().capacity);
    EXPECT_NE(db->find("zzb"), nullptr);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Load, TextAtTheCapacityBoundaryLoads) {
    // Files whose text is exactly capacity - 1 bytes (the largest the buffer
    // was sized for) and one byte more (which grows the buffer).
    for (int extra : {0, 1}) {
        bool found = false;
        for (int run = 1; run < 400 && !found; ++run) {
            for (int varied = 0; varied < 20 && !found; ++varied) {
                std::string def(static_cast<std::size_t>(run), 'x');
                for (int v = 0; v < varied; ++v)
                    def += static_cast<char>('a' + (v * 7) % 26);
                const std::vector<std::string> records = {"abc*" + def + "*n**~"};
                const Bytes file = wordListBytes(records);
                const long capacity = static_cast<long>(file.size()) * 11 / 5;
                if (static_cast<long>(records[0].size()) != capacity - 1 + extra) continue;
                found = true;
                TempDir dir;
                RecordingUi ui;
                dir.write(kWordListName, file);
                auto db = openDatabase(dir, ui);
                ASSERT_TRUE(db->loaded);
                EXPECT_EQ(db->loadReport().textBytes, capacity - 1 + extra);
                EXPECT_STREQ(db->find("abc")->definition(), def.c_str());
                EXPECT_TRUE(ui.messages.empty());
            }
        }
        EXPECT_TRUE(found) << "no record length hit the boundary";
    }
}

TEST(Load, DamagedFilesKeepWhatWasReadAndSaySo) {
    const std::vector<std::string> good = {"cat*a feline*n**~", "dog*a canine*n**~"};
    struct Case {
        const char* name;
        Bytes file;
        bool keepsCat;
    };
    Bytes negative = {0x06, 0x00};
    {
        Bytes content = chunkContent({good[0]});
        content.insert(content.end() - 2, {0xFF, 0xFF}); // a chunk length of -1
        const Bytes body = compress(content);
        negative.insert(negative.end(), body.begin(), body.end());
    }
    std::vector<std::string> many = good;
    for (int i = 0; i < 60; ++i)
        many.push_back("e" + std::string(1, char('a' + i % 26)) +
                       std::string(1, char('a' + i / 26)) + "*x*n**~");
    Bytes truncated = wordListBytes(many);
    truncated.resize(truncated.size() - 6);
    Bytes noEndMarker = wordListBytes(good);
    noEndMarker.pop_back();
    auto withContent = [](const std::string& text) {
        Bytes file = {0x06, 0x00};
        const Bytes body = compress(chunkContent({text}));
        file.insert(file.end(), body.begin(), body.end());
        return file;
    };
    const std::vector<Case> cases = {
        {"negative chunk length", negative, true},
        {"cut inside the stream", truncated, true},
        {"no end marker", noEndMarker, true},
        {"record with three separators", withContent("cat*a feline*n**~dog*canine*n*"), true},
        {"NUL inside a record", withContent(std::string("cat*a feline*n**~do\0g*x*n**~", 28)),
         true},
        {"empty word", withContent("cat*a feline*n**~*x*n**~"), true},
        {"header only", Bytes{0x06, 0x00}, false},
        {"empty file", Bytes{}, false},
        {"garbage", bytesOf("this is not a word list at all"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        RecordingUi ui;
        dir.write(kWordListName, c.file);
        auto db = openDatabase(dir, ui);
        ASSERT_TRUE(db->loaded);
        EXPECT_TRUE(db->loadReport().damaged);
        EXPECT_EQ(ui.messages, std::vector<std::string>{str::kDamaged});
        EXPECT_EQ(db->find("cat") != nullptr, c.keepsCat);
        EXPECT_NE(db->find("go"), nullptr);
    }
}

TEST(Load, TextEndingRightAfterTheLastSeparatorIsNotOverread) {
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, {"cat*a feline*n**~dog*a*b*c*"});
    ASSERT_NE(db->find("dog"), nullptr);
    EXPECT_STREQ(db->find("dog")->synonym(), "c");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Load, AllocatesNothingPerEntry) {
    auto allocationsFor = [](int count) {
        std::vector<std::string> records;
        for (int i = 0; i < count; ++i) {
            std::string word = "wx";
            for (int n = i + 1000; n; n /= 26)
                word += static_cast<char>('a' + n % 26);
            records.push_back(word + "*a definition*n**~");
        }
        TempDir dir;
        RecordingUi ui;
        dir.write(kWordListName, wordListBytes(records));
        DatabaseSetup setup;
        setup.folder = dir.path();
        g_allocations = 0;
        g_counting = true;
        long used = 0;
        {
            CWordDatabase db(setup);
            used = g_allocations;
            EXPECT_TRUE(db.loaded);
        }
        g_counting = false;
        return used;
    };
    const long small = allocationsFor(1000);
    const long large = allocationsFor(20000);
    // Vectors sized by the entry count may need a few more reallocations.
    EXPECT_LE(large - small, 8) << small << " vs " << large;
}

// A list longer than the pool holds is refused whole, with the bound named;
// one that just fits loads. The bound is lowered here to reach it quickly.
TEST(Load, AListPastThePoolsBoundIsRefusedWhole) {
    struct Limit {
        explicit Limit(int slots) { CNodePool::setLimit(slots); }
        ~Limit() { CNodePool::setLimit(CNodePool::kMaxSlots); }
    } limit(5000);
    const int capacity = CNodePool::limit() - 2; // slot 0 is the root, slot 1 unused
    const int fixed = 95 + 40;                   // built-in and expurged rows, about
    const auto records = [](int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            std::string word = "qx";
            for (int n = i; n || word.size() < 4; n /= 26)
                word += static_cast<char>('a' + n % 26);
            lines.push_back(word + "****~");
        }
        return lines;
    };
    {
        TempDir dir;
        RecordingUi ui;
        auto db = databaseWith(dir, ui, records(capacity - fixed - 200));
        EXPECT_TRUE(db->loaded);
        EXPECT_TRUE(ui.messages.empty());
    }
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, records(capacity + 25));
    EXPECT_FALSE(db->loaded);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("at most 4998"), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("It was not loaded."), std::string::npos);
}

namespace {

// Runs `body` on a thread with a small stack, so that a walk that recursed once
// per tree level would overflow it.
template <class F> void onSmallStack(F body) {
#if defined(__linux__)
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 256 * 1024);
    pthread_t thread;
    auto run = [](void* p) -> void* {
        (*static_cast<F*>(p))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, &body), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attr);
#else
    body();
#endif
}

} // namespace

TEST(Load, SortedFileMakesADeepTreeThatStillWorks) {
    // Records in word order hang each entry below the previous one: a tree as
    // deep as the list is long. (Loading it takes quadratic time, so the list
    // is kept short here.)
    std::vector<std::string> records;
    for (int i = 0; i < 20000; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "zz%05d", i);
        std::string w = word;
        for (char& c : w)
            if (c >= '0' && c <= '9') c = static_cast<char>('a' + (c - '0'));
        records.push_back(w + "****~");
    }
    TempDir dir;
    RecordingUi ui;
    auto db = databaseWith(dir, ui, records);
    ASSERT_TRUE(db->loaded);
    EXPECT_NE(db->find("zzbjjjj"), nullptr);
    const std::vector<std::string> shape = preorderWords(*db);
    onSmallStack([&] {
        int visited = 0;
        db->root->forEachInOrder([&](CWordNode*) { return ++visited, 0; });
        EXPECT_EQ(static_cast<std::size_t>(visited), db->inOrder().size());
        int shuffled = 0;
        db->root->forEachShuffled([&](CWordNode*) { return ++shuffled, 0; });
        EXPECT_EQ(shuffled, visited);
        EXPECT_TRUE(db->save());
    });
    db.reset();
    auto again = openDatabase(dir, ui);
    EXPECT_EQ(preorderWords(*again), shape);
}
