// Benchmarks of the study engine on the shipped lexicon: building the index,
// exact anagrams with and without blanks, hooks, every probability rank, and
// searches over the whole lexicon; the index's memory is reported as a
// counter.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

#include "bench/BenchLexicon.h"
#include "core/WordDatabase.h"
#include "study/StudyIndex.h"
#include "study/WordSearch.h"

using namespace zq;

namespace {

StudyIndex& shippedIndex() {
    static StudyIndex index(bench::programLexicon());
    return index;
}

// Racks of seven drawn from the bag, the same for every run.
std::vector<std::string> racks(int blanks) {
    const std::string bag = "aaaaaaaaabbccddddeeeeeeeeeeeeffggghhiiiiiiiiijkllllmmnnnnnnoooooooo"
                            "ppqrrrrrrssssttttttuuuuvvwwxyyz";
    std::mt19937 rng(17);
    std::vector<std::string> out;
    for (int i = 0; i < 256; ++i) {
        std::string r;
        for (int k = 0; k < 7 - blanks; ++k)
            r += bag[rng() % bag.size()];
        r.append(static_cast<std::size_t>(blanks), '?');
        out.push_back(r);
    }
    return out;
}

void BM_BuildIndex(benchmark::State& state) {
    CWordDatabase& db = bench::programLexicon();
    for (auto _ : state) {
        StudyIndex index(db);
        benchmark::DoNotOptimize(index.size());
    }
    // With every rank table (0, 1 and 2 blanks, expurged words in and out).
    StudyIndex full(db);
    for (int blanks = 0; blanks <= 2; ++blanks)
        for (bool expurged : {false, true})
            full.ranks(blanks, expurged);
    state.counters["words"] = static_cast<double>(full.size());
    state.counters["MB_all_ranks"] = static_cast<double>(full.memoryBytes()) / 1e6;
}
BENCHMARK(BM_BuildIndex)->Unit(benchmark::kMillisecond);

void BM_Anagrams(benchmark::State& state) {
    StudyIndex& index = shippedIndex();
    const auto list = racks(static_cast<int>(state.range(0)));
    std::size_t i = 0, found = 0;
    for (auto _ : state) {
        found += index.anagrams(list[i++ % list.size()], false).size();
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_Anagrams)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_Hooks(benchmark::State& state) {
    StudyIndex& index = shippedIndex();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto w = static_cast<std::uint32_t>((i++ * 7919) % index.size());
        benchmark::DoNotOptimize(index.hooks(index.text(w), false));
    }
}
BENCHMARK(BM_Hooks)->Unit(benchmark::kMicrosecond);

// Every rank of the lexicon with two blanks, on an index built afresh (not
// timed) each time.
void BM_AllRanks(benchmark::State& state) {
    CWordDatabase& db = bench::programLexicon();
    for (auto _ : state) {
        StudyIndex fresh(db);
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(fresh.ranks(2, false).size());
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_AllRanks)->UseManualTime()->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, SearchConditions c) {
    StudyIndex& index = shippedIndex();
    index.ranks(c.blanks, false);
    std::size_t found = 0;
    for (auto _ : state) {
        found = searchWords(index, c).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
void BM_SearchPattern(benchmark::State& state) {
    SearchConditions c;
    c.pattern = "*[aeiou]?ing";
    search(state, c);
}
BENCHMARK(BM_SearchPattern)->Unit(benchmark::kMillisecond);
void BM_SearchStarPattern(benchmark::State& state) {
    SearchConditions c;
    c.pattern = "*e*e*";
    search(state, c);
}
BENCHMARK(BM_SearchStarPattern)->Unit(benchmark::kMillisecond);
void BM_SearchSubanagram(benchmark::State& state) {
    SearchConditions c;
    c.subanagram = "retains??";
    search(state, c);
}
BENCHMARK(BM_SearchSubanagram)->Unit(benchmark::kMillisecond);
void BM_SearchLikelySevens(benchmark::State& state) {
    SearchConditions c;
    c.minLength = c.maxLength = 7;
    c.maxRank = 100;
    c.order = SearchConditions::Order::Probability;
    search(state, c);
}
BENCHMARK(BM_SearchLikelySevens)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
