// The tools as the user meets them, on the shipped lexicon, offscreen: one
// keystroke's lookup in the Word Checker, opening the Word Checker (marking
// included), and the Word Builder from Find to a filled list.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>

#include <cstdlib>
#include <memory>
#include <random>

#include "app/Answers.h"
#include "app/AppContext.h"
#include "bench/BenchLexicon.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "quiz/QuizDialog.h"
#include "quiz/QuizSession.h"
#include "quiz/TileBag.h"
#include "quiz/TileRack.h"
#include "tools/WordBuilderDialog.h"
#include "tools/WordChecker.h"
#include "tools/WordCheckerDialog.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;

namespace {

using bench::settings;

// Words and non-words as a user types them, letter by letter.
std::vector<std::string> typedInputs() {
    std::vector<std::string> out;
    for (const char* word : {"quixotic", "zebra", "aardvark", "retains", "xylophone", "qi"})
        for (std::size_t n = 1; n <= std::strlen(word); ++n)
            out.emplace_back(word, n);
    return out;
}

void BM_CheckerKeystroke(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    markWordSet(db, settings(), true, false);
    const auto inputs = typedInputs();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(lookupWord(db, inputs[i++ % inputs.size()]));
}
BENCHMARK(BM_CheckerKeystroke)->Unit(benchmark::kMicrosecond);

// The dialog's own work for a keystroke: the rack's change, the lookup and
// both labels.
void BM_CheckerKeystrokeInTheDialog(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    markWordSet(db, settings(), true, false);
    CWordCheckerDialog dialog;
    dialog.database = &db;
    dialog.show();
    const auto inputs = typedInputs();
    std::size_t i = 0;
    for (auto _ : state)
        dialog.input()->setRackText(QString::fromStdString(inputs[i++ % inputs.size()]));
}
BENCHMARK(BM_CheckerKeystrokeInTheDialog)->Unit(benchmark::kMicrosecond);

void BM_OpenWordChecker(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    for (auto _ : state) {
        markWordSet(db, settings(), true, false);
        CWordCheckerDialog dialog;
        dialog.database = &db;
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.isVisible());
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWordChecker)->Unit(benchmark::kMillisecond);

// Find with seven tiles and two blanks, from the button to the filled list.
void BM_BuilderFindToList(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    markWordSet(db, settings(), true, false);
    CWordBuilderDialog dialog;
    dialog.database = &db;
    dialog.show();
    std::mt19937 rng(2024);
    const std::string bag = CTileBag::fullBag();
    std::vector<QString> racks;
    for (int r = 0; r < 32; ++r) {
        std::string rack;
        for (int t = 0; t < 7; ++t)
            rack += bag[rng() % bag.size()];
        racks.push_back(QString::fromStdString(rack + "  "));
    }
    std::size_t i = 0, lines = 0;
    for (auto _ : state) {
        dialog.letters()->setRackText(racks[i++ % racks.size()]);
        dialog.accept();
        QApplication::processEvents();
        lines += static_cast<std::size_t>(dialog.results()->count());
    }
    state.counters["lines"] = static_cast<double>(lines) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BuilderFindToList)->Unit(benchmark::kMillisecond);

// Submit to the next question on screen: judge, score with the best word,
// draw and deal, with the dialog's racks and labels updated (letters mode,
// the message strips answered at once).
void BM_QuizSubmitToNextQuestion(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    CWordSetCriteria criteria;
    criteria.definitions = 0;
    criteria.save(settings());
    prepareQuizSet(db, settings());
    CQuizDialog dialog(db);
    dialog.session.begin(drawRandomWord(db, settings(), true));
    dialog.show();
    for (auto _ : state) {
        answers::queue(Answer::Continue, 4);
        // The asked word itself: a right answer, scored against the best.
        dialog.answerRack()->setRackText(QString::fromUtf8(dialog.session.currentWord->word()));
        dialog.accept();
        state.PauseTiming();
        answers::reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QuizSubmitToNextQuestion)->Unit(benchmark::kMillisecond);

// The Quiz command up to the quiz window on the screen: the set prepared and
// marked, the first word drawn and dealt, the window shown and painted.
void BM_QuizCommandToWindow(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    CWordSetCriteria criteria;
    criteria.save(settings());
    for (auto _ : state) {
        CQuizDialog dialog(db);
        prepareQuizSet(db, settings());
        dialog.session.begin(drawRandomWord(db, settings(), true));
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.isVisible());
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_QuizCommandToWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::setSettings(&settings());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app::setSettings(nullptr);
    return 0;
}
