// Benchmarks of the cardbox on a file of 50,000 questions in varied boxes:
// opening it and counting what is due, one answer to the next question
// (commit included), the 30-day forecast, and adding 20,000 questions.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "study/Cardbox.h"

using namespace zq;

namespace {

constexpr std::int64_t kNow = 1765000000;

std::string scratch(const char* name) {
    static const std::string folder = [] {
        auto dir = std::filesystem::temp_directory_path() / "zq-cardbox-bench";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    return folder + "/" + name;
}

std::vector<std::string> questions(int n, const char* prefix) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        out.push_back(prefix + std::to_string(i));
    return out;
}

// 50,000 questions, most of them answered once or more over the last year.
const std::string& bigCardbox() {
    static const std::string path = [] {
        const std::string p = scratch("big.db");
        std::string error;
        auto box = Cardbox::open(p, true, error);
        if (!box) std::abort();
        const auto qs = questions(50000, "Q");
        box->add(qs, kNow - 365 * 86400);
        std::mt19937 rng(3);
        for (int i = 0; i < 2000; ++i)
            box->answer(qs[rng() % qs.size()], rng() % 4 != 0, kNow - (rng() % 300) * 86400);
        return p;
    }();
    return path;
}

void BM_OpenAndCountDue(benchmark::State& state) {
    const std::string& path = bigCardbox();
    int due = 0;
    for (auto _ : state) {
        std::string error;
        auto box = Cardbox::open(path, false, error);
        due = box->dueCount(kNow);
        benchmark::DoNotOptimize(due);
    }
    state.counters["due"] = due;
}
BENCHMARK(BM_OpenAndCountDue)->Unit(benchmark::kMillisecond);

// As a session runs: the day's work is taken once, then each answer is
// stored (its own transaction) and the next question's card read.
void BM_AnswerToNextQuestion(benchmark::State& state) {
    std::string error;
    auto box = Cardbox::open(bigCardbox(), false, error);
    const std::vector<std::string> due = box->dueQuestions(kNow);
    std::size_t i = 0;
    for (auto _ : state) {
        box->answer(due[i % due.size()], i % 2 == 0, kNow + static_cast<std::int64_t>(i));
        benchmark::DoNotOptimize(box->card(due[(i + 1) % due.size()]));
        ++i;
    }
}
BENCHMARK(BM_AnswerToNextQuestion)->Unit(benchmark::kMillisecond);

void BM_Forecast(benchmark::State& state) {
    std::string error;
    auto box = Cardbox::open(bigCardbox(), false, error);
    for (auto _ : state)
        benchmark::DoNotOptimize(box->forecast(kNow, 30));
}
BENCHMARK(BM_Forecast)->Unit(benchmark::kMillisecond);

void BM_Add20000(benchmark::State& state) {
    const auto qs = questions(20000, "N");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string p = scratch(("add" + std::to_string(round++) + ".db").c_str());
        std::string error;
        auto box = Cardbox::open(p, true, error);
        state.ResumeTiming();
        benchmark::DoNotOptimize(box->add(qs, kNow));
    }
}
BENCHMARK(BM_Add20000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
