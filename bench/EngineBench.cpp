// Benchmarks of the engine on the shipped lexicon: loading against a bare
// insertion of the same words, the Word Builder search, the best-word search
// and the codec beside zlib.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "bench/BenchLexicon.h"
#include "core/ChunkCodec.h"
#include "core/FileSystem.h"
#include "core/Import.h"
#include "core/LexiconImport.h"
#include "core/MemoryFileSystem.h"
#include "core/WordDatabase.h"
#include "quiz/TileBag.h"
#include "tests/support/EnableWords.h"
#include "tools/WordBuilderSearch.h"

using namespace zq;

namespace {

DatabaseSetup lexiconSetup() {
    DatabaseSetup setup;
    setup.folder = bench::lexiconFolder();
    return setup;
}

// The decompressed content of the lexicon's word.lst (chunk lengths included).
const std::string& lexiconContent() {
    static const std::string content = [] {
        MemoryStream in(
            *readWholeFile(realFileSystem(), joinPath(bench::lexiconFolder(), kWordListName)));
        CChunkCodec codec(&in);
        codec.open(CChunkCodec::Reading);
        std::uint8_t header[2];
        codec.read(header, 2);
        codec.beginCodec(6);
        std::string out;
        char block[4096];
        for (;;) {
            std::uint8_t len[2];
            if (codec.read(len, 2) != 2) break;
            const std::size_t n = len[0] | (len[1] << 8);
            out.append(reinterpret_cast<char*>(len), 2);
            if (n == 0) break;
            codec.read(block, n);
            out.append(block, n);
        }
        return out;
    }();
    return content;
}

void BM_Load(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const DatabaseSetup setup = lexiconSetup();
    for (auto _ : state) {
        auto db = std::make_unique<CWordDatabase>(setup);
        benchmark::DoNotOptimize(db->root);
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Those words saved as word.lst in a file system in memory.
MemoryFileSystem& syntheticLexicon(int count) {
    static std::map<int, std::unique_ptr<MemoryFileSystem>> made;
    auto& fs = made[count];
    if (fs) return *fs;
    fs = std::make_unique<MemoryFileSystem>();
    std::vector<ImportRecord> records;
    for (const std::string& w : bench::syntheticWords(count))
        records.push_back({w, "", "", ""});
    DatabaseSetup setup;
    setup.fileSystem = fs.get();
    setup.folder = "/lexicon";
    if (!writeWordList(setup, records)) std::abort();
    return *fs;
}

// Loading such a list: 280,000 words (an international list's size) and
// 400,000.
void BM_LoadOwnList(benchmark::State& state) {
    if (enableWords().empty()) return state.SkipWithError("no ENABLE list");
    MemoryFileSystem& fs = syntheticLexicon(static_cast<int>(state.range(0)));
    DatabaseSetup setup;
    setup.fileSystem = &fs;
    setup.folder = "/lexicon";
    for (auto _ : state) {
        auto db = std::make_unique<CWordDatabase>(setup);
        if (!db->loaded) return state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(db->root);
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.counters["pool MB"] = CNodePool::memoryBytes() / 1e6;
}
BENCHMARK(BM_LoadOwnList)
    ->Arg(280000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Adding a lexicon from a player's text file of 280,000 words, as a player
// brings it (UTF-16 with a byte order mark, CRLF, upper case, a few bad
// lines), through to the checked word.lst, with the shipped list's
// definitions carried over.
void BM_ImportOwnList(benchmark::State& state) {
    if (enableWords().empty() || bench::lexiconFolder().empty())
        return state.SkipWithError("no ENABLE list or lexicon");
    MemoryFileSystem fs;
    fs.files["/w/word.lst"] =
        *readWholeFile(realFileSystem(), joinPath(bench::lexiconFolder(), kWordListName));
    std::string text = "\xFF\xFE";
    int n = 0;
    for (const std::string& w : bench::syntheticWords(static_cast<int>(state.range(0)))) {
        std::string line = ++n % 50000 == 0 ? w + " 2" : w;
        for (char c : line + "\r\n") {
            text += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            text += '\0';
        }
    }
    fs.files["/w/list.txt"] = text;
    for (auto _ : state) {
        const LexiconImport r = addLexicon(fs, "/w", "mine", "/w/list.txt", true);
        if (!r.error.empty()) return state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.comparison.withDefinitions);
    }
}
BENCHMARK(BM_ImportOwnList)
    ->Arg(280000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The tree part of a load alone: the root, the built-in words and the file's
// records inserted in file order into an empty pool, text already in memory.
void BM_BareInsertion(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    std::string text;
    const std::string& content = lexiconContent();
    for (std::size_t i = 0; i + 2 <= content.size();) {
        const std::size_t n = static_cast<unsigned char>(content[i]) |
                              (static_cast<unsigned char>(content[i + 1]) << 8);
        text.append(content, i + 2, n);
        i += 2 + n;
    }
    std::vector<std::array<char*, 4>> records;
    for (char* p = text.data(); *p;) {
        std::array<char*, 4> fields{};
        fields[0] = p;
        for (int f = 1; f <= 4; ++f) {
            p = std::strchr(p, '*');
            *p++ = '\0';
            if (f < 4) fields[static_cast<std::size_t>(f)] = p;
        }
        ++p; // '~'
        records.push_back(fields);
    }
    for (auto _ : state) {
        state.PauseTiming();
        CNodePool::reset();
        state.ResumeTiming();
        CWordNode* root = CNodePool::slot(0);
        root->setContent(kRootEntry.word, kRootEntry.definition, kRootEntry.partOfSpeech,
                         kRootEntry.synonym, true);
        for (const WordEntry* row = kBuiltInWords; row->word[0] != '*'; ++row)
            root->insertOrReplace(row->word, row->definition, row->partOfSpeech, row->synonym,
                                  true);
        for (const auto& r : records)
            root->insertOrReplace(r[0], r[1], r[2], r[3], false);
        benchmark::DoNotOptimize(root);
    }
    CNodePool::reset();
}
BENCHMARK(BM_BareInsertion)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

struct LoadedLexicon {
    std::unique_ptr<CWordDatabase> db;
    LoadedLexicon() {
        db = std::make_unique<CWordDatabase>(lexiconSetup());
        db->markAll(false);
        db->indexed();
    }
};

CWordDatabase& lexicon() {
    static LoadedLexicon loaded;
    return *loaded.db;
}

std::vector<std::string> racks(int tiles, int blanks) {
    std::mt19937 rng(2024);
    const std::string bag = CTileBag::fullBag();
    std::vector<std::string> out;
    for (int i = 0; i < 64; ++i) {
        std::string rack;
        for (int t = 0; t < tiles; ++t)
            rack += bag[rng() % bag.size()];
        rack.append(static_cast<std::size_t>(blanks), ' ');
        out.push_back(rack);
    }
    return out;
}

void BM_FindSevenTilesTwoBlanks(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = lexicon();
    const auto all = racks(7, 2);
    std::size_t i = 0, lines = 0;
    for (auto _ : state) {
        const auto list = listBuildableWords(db, all[i++ % all.size()], "");
        lines += list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["lines"] = static_cast<double>(lines) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FindSevenTilesTwoBlanks)->Unit(benchmark::kMillisecond);

void BM_FindWithFilter(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = lexicon();
    for (auto _ : state) {
        const auto list = listBuildableWords(db, "aetsmn", " et ");
        benchmark::DoNotOptimize(list.data());
    }
}
BENCHMARK(BM_FindWithFilter)->Unit(benchmark::kMillisecond);

void BM_BestWordForSevenTiles(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = lexicon();
    const auto all = racks(7, 0);
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(db.bestWordFor(all[i++ % all.size()].c_str()));
}
BENCHMARK(BM_BestWordForSevenTiles)->Unit(benchmark::kMillisecond);

void BM_CodecCompress(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const std::string& content = lexiconContent();
    std::size_t size = 0;
    for (auto _ : state) {
        MemoryStream out;
        CChunkCodec codec(&out);
        codec.open(CChunkCodec::Writing);
        codec.beginCompress(6);
        codec.write(content.data(), content.size());
        codec.finishCompress();
        codec.flush();
        size = out.output().size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
    state.counters["ratio"] = static_cast<double>(content.size()) / static_cast<double>(size);
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_CodecCompress)->Unit(benchmark::kMillisecond);

void BM_CodecDecompress(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const std::string& content = lexiconContent();
    std::string compressed;
    {
        MemoryStream packed(&compressed);
        CChunkCodec codec(&packed);
        codec.open(CChunkCodec::Writing);
        codec.beginCompress(6);
        codec.write(content.data(), content.size());
        codec.finishCompress();
        codec.flush();
    }
    std::string out(content.size(), '\0');
    for (auto _ : state) {
        MemoryStream packed(compressed);
        CChunkCodec codec(&packed);
        codec.open(CChunkCodec::Reading);
        codec.beginCodec(6);
        codec.read(out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    if (out != content) state.SkipWithError("round trip differs");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_CodecDecompress)->Unit(benchmark::kMillisecond);

void BM_ZlibCompress(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const std::string& content = lexiconContent();
    std::vector<Bytef> out(compressBound(content.size()));
    uLongf size = 0;
    for (auto _ : state) {
        size = static_cast<uLongf>(out.size());
        compress2(out.data(), &size, reinterpret_cast<const Bytef*>(content.data()), content.size(),
                  static_cast<int>(state.range(0)));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
    state.counters["ratio"] = static_cast<double>(content.size()) / static_cast<double>(size);
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_ZlibCompress)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

void BM_ZlibDecompress(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const std::string& content = lexiconContent();
    std::vector<Bytef> packed(compressBound(content.size()));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(content.data()),
              content.size(), static_cast<int>(state.range(0)));
    std::string out(content.size(), '\0');
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size, packed.data(), packedSize);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_ZlibDecompress)->Arg(1)->Arg(6)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The whole-buffer decoder the load uses.
void BM_DecodeStream(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    const std::string& content = lexiconContent();
    const std::string file =
        *readWholeFile(realFileSystem(), joinPath(bench::lexiconFolder(), kWordListName));
    for (auto _ : state) {
        DecodedStream out;
        decodeStream(reinterpret_cast<const std::uint8_t*>(file.data()) + 2, file.size() - 2, 6,
                     content.size() + 64, 1u << 26, out);
        benchmark::DoNotOptimize(out.data.get());
        if (out.size != content.size()) state.SkipWithError("decoded size differs");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * content.size()));
}
BENCHMARK(BM_DecodeStream)->Unit(benchmark::kMillisecond);

} // namespace
