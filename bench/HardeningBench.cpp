// Worst cases of the file readers. A word list saved in word order hangs every
// entry below the previous one (the tree is never rebalanced), so its load is
// quadratic: measured for growing lists against the same words in balanced
// order. Then inputs of about 10 MB for every reader: damaged and maximally
// compressed word lists, records replacing the deepest entry of a deep tree,
// word set files, record files and statistics records.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <random>

#include "bench/BenchLexicon.h"
#include "core/ChunkCodec.h"
#include "core/FileSystem.h"
#include "core/Import.h"
#include "core/MemoryFileSystem.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "quiz/SetStatistics.h"
#include "wordsets/UserWordSet.h"

using namespace zq;

namespace {

constexpr std::size_t kTenMegabytes = 10 * 1024 * 1024;

// word.lst held in memory, so that the disk plays no part in the timings.
struct MemoryWordList {
    MemoryFileSystem fs;
    std::string& content = fs.files[kWordListName];
};

std::string compress(const std::string& content) {
    std::string out = std::string{static_cast<char>(kWordListHeader), 0};
    MemoryStream stream(&out);
    CChunkCodec codec(&stream);
    codec.open(CChunkCodec::Writing);
    codec.beginCompress(kWordListHeader);
    codec.write(content.data(), content.size());
    codec.finishCompress();
    codec.flush();
    return out;
}

void appendChunk(std::string& content, const std::string& record) {
    content += static_cast<char>(record.size() & 0xFF);
    content += static_cast<char>(record.size() >> 8);
    content += record;
}

const std::vector<std::string>& sortedWords() {
    return enableWords();
}

// `count` words spread evenly over the sorted list (all of them for 0).
std::vector<std::string> pick(std::size_t count) {
    const auto& all = sortedWords();
    if (count == 0 || count >= all.size()) return all;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(all[i * all.size() / count]);
    return out;
}

void load(benchmark::State& state, MemoryWordList& fs) {
    int height = 0, records = 0;
    for (auto _ : state) {
        DatabaseSetup setup;
        setup.fileSystem = &fs.fs;
        CWordDatabase db(setup);
        benchmark::DoNotOptimize(db.root);
        state.PauseTiming();
        height = treeHeight(db.root);
        records = db.loadReport().records;
        state.ResumeTiming();
    }
    state.counters["height"] = height;
    state.counters["records"] = records;
    state.counters["file_MB"] = static_cast<double>(fs.content.size()) / (1 << 20);
}

// A word list in word order: the tree is a chain as long as the list.
void BM_LoadSortedList(benchmark::State& state) {
    if (sortedWords().empty()) return state.SkipWithError("no ENABLE list");
    MemoryWordList fs;
    std::string content;
    for (const std::string& w : pick(static_cast<std::size_t>(state.range(0))))
        appendChunk(content, w + "****~");
    appendChunk(content, "");
    fs.content = compress(content);
    load(state, fs);
}
BENCHMARK(BM_LoadSortedList)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(0) // every word
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The same words, each range's median first: a balanced tree.
void BM_LoadBalancedList(benchmark::State& state) {
    if (sortedWords().empty()) return state.SkipWithError("no ENABLE list");
    MemoryWordList fs;
    const auto words = pick(static_cast<std::size_t>(state.range(0)));
    std::string content;
    for (std::size_t i : medianFirstOrder(words.size()))
        appendChunk(content, words[i] + "****~");
    appendChunk(content, "");
    fs.content = compress(content);
    load(state, fs);
}
BENCHMARK(BM_LoadBalancedList)
    ->Arg(10000)
    ->Arg(80000)
    ->Arg(0)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Random bytes behind a valid header: the decoder and the parser give up at
// the first damage.
void BM_LoadRandomBytes(benchmark::State& state) {
    MemoryWordList fs;
    std::mt19937 rng(3);
    fs.content.resize(kTenMegabytes);
    for (char& c : fs.content)
        c = static_cast<char>(rng());
    fs.content[0] = 6;
    fs.content[1] = 0;
    load(state, fs);
}
BENCHMARK(BM_LoadRandomBytes)->Iterations(3)->Unit(benchmark::kMillisecond);

// The most a small file can decode to: one record repeated until the text
// passes what the program accepts (64 MB), which it refuses as too big.
void BM_LoadTooBigWhenDecoded(benchmark::State& state) {
    MemoryWordList fs;
    std::string content;
    while (content.size() < static_cast<std::size_t>(kMaxWordListText) + 1000)
        appendChunk(content, "abc*def*n**~");
    fs.content = compress(content);
    load(state, fs);
}
BENCHMARK(BM_LoadTooBigWhenDecoded)->Iterations(1)->Unit(benchmark::kMillisecond);

// The deepest entry of the tree the records build.
std::string deepestWord(MemoryWordList& fs) {
    DatabaseSetup setup;
    setup.fileSystem = &fs.fs;
    CWordDatabase db(setup);
    std::vector<std::pair<CWordNode*, int>> stack{{db.root, 1}};
    std::pair<CWordNode*, int> deepest{db.root, 1};
    while (!stack.empty()) {
        const auto [node, depth] = stack.back();
        stack.pop_back();
        if (depth > deepest.second) deepest = {node, depth};
        if (node->smaller) stack.emplace_back(node->smaller, depth + 1);
        if (node->greater) stack.emplace_back(node->greater, depth + 1);
    }
    return deepest.first->word();
}

// One word replaced by many records. With a word near the root each costs
// little; with the deepest word of a sorted list each walks the whole chain
// (the worst load found: records times depth).
void BM_LoadRepeatedRecords(benchmark::State& state) {
    if (sortedWords().empty()) return state.SkipWithError("no ENABLE list");
    const auto words = pick(static_cast<std::size_t>(state.range(0)));
    const std::size_t repeats = static_cast<std::size_t>(state.range(1));
    MemoryWordList fs;
    std::string content;
    for (const std::string& w : words)
        appendChunk(content, w + "****~");
    fs.content = compress(content + std::string(2, '\0'));
    const std::string target = deepestWord(fs);
    for (std::size_t i = 0; i < repeats; ++i)
        appendChunk(content, target + "*def*n**~");
    appendChunk(content, "");
    fs.content = compress(content);
    load(state, fs);
    state.counters["repeats"] = static_cast<double>(repeats);
}
BENCHMARK(BM_LoadRepeatedRecords)
    ->Args({1, 4000000})
    ->Args({20000, 20000})
    ->Args({20000, 80000})
    ->Args({80000, 20000})
    ->Args({0, 20000})
    ->Args({0, 80000})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A word set file of 10 MB: distinct words, and one word of 10 MB.
void BM_ParseWordSet(benchmark::State& state) {
    std::string text = "Title\r\nDescription\r\n-\r\n";
    if (state.range(0) == 0) {
        std::mt19937 rng(5);
        while (text.size() < kTenMegabytes) {
            for (int k = 0; k < 8; ++k)
                text += static_cast<char>('a' + rng() % 26);
            text += "\r\n";
        }
    } else {
        text += std::string(kTenMegabytes, 'q');
    }
    for (auto _ : state) {
        CUserWordSet set;
        benchmark::DoNotOptimize(set.parse(text));
        benchmark::DoNotOptimize(set.contains("qqqq"));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseWordSet)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

// A record file of 10 MB (distinct records, then a single line of stars) read
// by the import.

void BM_ReadRecordFile(benchmark::State& state) {
    MemoryFileSystem files;
    std::string& content = files.files["records.txt"];
    if (state.range(0) == 0) {
        std::mt19937 rng(7);
        while (content.size() < kTenMegabytes) {
            for (int k = 0; k < 9; ++k)
                content += static_cast<char>('a' + rng() % 26);
            content += "*a definition*n**~\n";
        }
    } else {
        content = std::string(kTenMegabytes, '*');
    }
    for (auto _ : state) {
        std::vector<ImportRecord> records;
        std::vector<std::string> errors;
        readRecordFiles(files, {"records.txt"}, records, errors);
        benchmark::DoNotOptimize(records.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ReadRecordFile)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// Statistics records of 10 MB each in all twenty slots.
void BM_ReadStatistics(benchmark::State& state) {
    MemorySettingsStore store;
    std::string record(kTenMegabytes, 'x');
    for (std::size_t i = 7; i < record.size(); i += 11)
        record[i] = ' ';
    for (int slot = 0; slot < kStatisticsSlots; ++slot)
        store.writeString(reg::kDefaultUser, slotName(slot), record);
    for (auto _ : state)
        benchmark::DoNotOptimize(readStatisticsRecords(store));
}
BENCHMARK(BM_ReadStatistics)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace
