// Word set marking, drawing and counting over the full lexicon.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/BenchLexicon.h"
#include "core/Random.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"
#include "wordsets/WordSetWizard.h"

using namespace zq;

namespace {

// The one database of the process, loaded from the shipped lexicon, with a
// user set of 500 words spread over the alphabet linked in as set 12.
CWordDatabase& database() {
    static std::unique_ptr<CWordDatabase> db = [] {
        DatabaseSetup setup;
        setup.folder = bench::lexiconFolder();
        auto d = std::make_unique<CWordDatabase>(setup);
        if (!d->loaded) {
            std::fprintf(stderr, "the lexicon did not load\n");
            std::exit(1);
        }
        const auto& order = d->inOrder();
        std::string text = "Five hundred\nwords spread over the lexicon\n\n";
        const std::size_t step = order.size() / 500;
        for (std::size_t i = 0, n = 0; n < 500 && i < order.size(); i += step, ++n)
            text += std::string(order[i]->word()) + "\n";
        auto set = std::make_shared<CUserWordSet>();
        set->parse(text);
        d->userWordSets.push_back(std::move(set));
        return d;
    }();
    return *db;
}

void choose(MemorySettingsStore& store, int setId, int definitions, int maxWordLength = 0,
            const std::string& letters = "jqxz", int allLetters = 1) {
    CWordSetCriteria c;
    c.cannedWordSet = setId;
    c.definitions = definitions;
    c.maxWordLength = maxWordLength;
    c.validLetters = letters;
    c.allLetters = allLetters;
    c.save(store);
}

void BM_MarkWordSet(benchmark::State& state) {
    CWordDatabase& db = database();
    MemorySettingsStore store;
    choose(store, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        markWordSet(db, store, false, false);
    state.counters["members"] = db.setSize;
    state.counters["entries"] = static_cast<double>(db.inOrder().size());
}
BENCHMARK(BM_MarkWordSet)
    ->ArgNames({"set", "definitions"})
    ->Args({kAllWords, 0})
    ->Args({kAllWords, 1})
    ->Args({kBingos, 0})
    ->Args({kConsonantHeavy, 0})
    ->Args({kVowelHeavy, 0})
    ->Args({kAlphabets, 0})
    ->Unit(benchmark::kMillisecond);

void BM_MarkCustomLetters(benchmark::State& state) {
    CWordDatabase& db = database();
    MemorySettingsStore store;
    choose(store, kCustomSet, 0, 7, "jqxz", 0);
    for (auto _ : state)
        markWordSet(db, store, false, false);
    state.counters["members"] = db.setSize;
}
BENCHMARK(BM_MarkCustomLetters)->Unit(benchmark::kMillisecond);

void BM_MarkUserSet500(benchmark::State& state) {
    CWordDatabase& db = database();
    MemorySettingsStore store;
    choose(store, kFirstUserSet, 0);
    for (auto _ : state)
        markWordSet(db, store, false, false);
    state.counters["members"] = db.setSize;
}
BENCHMARK(BM_MarkUserSet500)->Unit(benchmark::kMillisecond);

// A draw from the whole lexicon, each drawn word put back (as the quiz does
// with a wrong answer) so every draw walks a full-sized set.
void BM_DrawRandomWord(benchmark::State& state) {
    CWordDatabase& db = database();
    MemorySettingsStore store;
    choose(store, kAllWords, 0);
    markWordSet(db, store, false, false);
    seedRandom(42);
    for (auto _ : state) {
        CWordNode* node = drawRandomWord(db, store, true);
        benchmark::DoNotOptimize(node);
        node->clear(CWordNode::Drawn);
        --db.drawnCount;
    }
    state.counters["members"] = db.setSize;
}
BENCHMARK(BM_DrawRandomWord)->Unit(benchmark::kMillisecond);

void BM_CountWordSet(benchmark::State& state) {
    CWordDatabase& db = database();
    const int setId = static_cast<int>(state.range(0));
    int count = 0;
    for (auto _ : state)
        count = setId == kCustomSet ? countWordSet(db, 6, "jqxz", false, false, kCustomSet)
                                    : countWordSet(db, 7, "", true, false, setId);
    state.counters["count"] = count;
}
BENCHMARK(BM_CountWordSet)
    ->ArgName("set")
    ->Arg(kCustomSet)
    ->Arg(kErrors)
    ->Arg(kFirstUserSet)
    ->Unit(benchmark::kMillisecond);

// A click in the word set wizard that counts a set: a set chosen on the sets
// page, or for the custom set (q, j, x, z, up to six letters) a length button;
// opened from the quiz (sets held to seven letters) or for printing (no limit).
void BM_WizardCount(benchmark::State& state) {
    CWordDatabase& db = database();
    MemorySettingsStore store;
    WordSetWizard wizard(db, store, state.range(2) != 0);
    const int setId = static_cast<int>(state.range(0));
    wizard.definitionsChoice = static_cast<int>(state.range(1));
    wizard.chooseSet(setId);
    int page = WordSetWizard::kSetsPage;
    if (setId == kCustomSet) {
        page = WordSetWizard::kLengthPage;
        wizard.setAnyLetters(false);
        wizard.chooseLength(5);
    }
    for (auto _ : state) {
        WizardButtons buttons = wizard.buttons(page);
        benchmark::DoNotOptimize(buttons);
    }
    state.counters["count"] = wizard.chosenCount();
}
BENCHMARK(BM_WizardCount)
    ->ArgNames({"set", "definitions", "printing"})
    ->Args({kAllWords, 1, 0})
    ->Args({kAllWords, 0, 0})
    ->Args({kCustomSet, 0, 0})
    ->Args({kBingos, 0, 0})
    ->Args({kConsonantHeavy, 1, 0})
    ->Args({kVowelHeavy, 0, 0})
    ->Args({kAlphabets, 1, 0})
    ->Args({kErrors, 1, 0})
    ->Args({kFirstUserSet, 0, 0})
    ->Args({kAllWords, 1, 1})
    ->Args({kAlphabets, 0, 1})
    ->Args({kErrors, 0, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
