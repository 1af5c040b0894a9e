// The study window as a player meets it, offscreen, on the shipped lexicon
// with a cardbox of 50,000 questions spread over boxes and the coming month:
// opening the window (the cardbox's counts and forecast included), one
// keystroke in the answer line, and a submitted word to its line on screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

#include <ctime>
#include <memory>
#include <sqlite3.h>

#include "app/AppContext.h"
#include "bench/BenchLexicon.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "study/Cardbox.h"
#include "study/Questions.h"
#include "study/StudyDialog.h"
#include "study/StudyIndex.h"

using namespace zq;

namespace {

constexpr int kQuestions = 50000;

// The index as the main window keeps it, built once.
std::unique_ptr<StudyIndex>& indexSlot() {
    static std::unique_ptr<StudyIndex> slot = std::make_unique<StudyIndex>(bench::programLexicon());
    return slot;
}
StudyIndex& index() {
    return *indexSlot();
}

// The Default user's anagram cardbox in the lexicon's folder: the 50,000
// likeliest alphagrams, in boxes 0 to 7 and due over the month around now.
void fillCardbox() {
    static bool done = false;
    if (done) return;
    done = true;
    CWordDatabase& db = bench::programLexicon();
    const std::string path = cardboxPath(db.setup().folder, "Default", QuizType::Anagrams);
    std::remove(path.c_str());
    QuestionSource source;
    source.search.setId = 0;
    source.search.minLength = 2;
    source.first = kQuestions;
    const QuestionList list = questionsFrom(index(), QuizType::Anagrams, source);
    const auto now = static_cast<std::int64_t>(std::time(nullptr));
    {
        std::string error;
        auto box = Cardbox::open(path, true, error);
        if (!box || box->add(list.questions, now) < 0) std::abort();
    }
    sqlite3* sql = nullptr;
    if (sqlite3_open(path.c_str(), &sql) != SQLITE_OK) std::abort();
    const std::string spread =
        "UPDATE questions SET cardbox = rowid % 8, correct = rowid % 8, next_scheduled = " +
        std::to_string(now - 86400) + " + (rowid * 7919) % (31 * 86400)";
    if (sqlite3_exec(sql, spread.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    sqlite3_close(sql);
}

void key(QWidget* to, int k, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QApplication::sendEvent(to, &release);
}

void BM_StudyWindowOpen(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    fillCardbox();
    CWordDatabase& db = bench::programLexicon();
    index();
    for (auto _ : state) {
        auto dialog = std::make_unique<CStudyDialog>(db, &indexSlot(), nullptr);
        dialog->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog->cardbox());
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StudyWindowOpen)->Unit(benchmark::kMillisecond);

// The quiz running on the 50,000-question cardbox.
std::unique_ptr<CStudyDialog> quizWindow() {
    fillCardbox();
    auto dialog = std::make_unique<CStudyDialog>(bench::programLexicon(), &indexSlot(), nullptr);
    dialog->show();
    dialog->startQuiz();
    QApplication::processEvents();
    return dialog;
}

void BM_StudyKeystroke(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    auto dialog = quizWindow();
    auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("answerInput"));
    int typed = 0;
    for (auto _ : state) {
        key(input, Qt::Key_E, QStringLiteral("e"));
        QApplication::processEvents();
        if (++typed == 12) {
            state.PauseTiming();
            input->clear();
            typed = 0;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_StudyKeystroke)->Unit(benchmark::kMicrosecond);

// Enter on a right word until its line (and, for the last word, the
// verdict and the answer in the cardbox) is on screen.
void BM_StudySubmitToLine(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    auto dialog = quizWindow();
    auto* input = dialog->findChild<QLineEdit*>(QStringLiteral("answerInput"));
    auto* lines = dialog->findChild<QTreeWidget*>(QStringLiteral("answerList"));
    StudySession* session = dialog->session();
    if (!session || !session->hasQuestion()) return state.SkipWithError("nothing due");
    for (auto _ : state) {
        state.PauseTiming();
        if (session->judged()) dialog->nextQuestion();
        if (!session->hasQuestion()) {
            dialog->startQuiz();
            session = dialog->session();
        }
        const auto solutions = solutionsOf(index(), QuizType::Anagrams, session->question(), false);
        std::string word;
        for (const std::string& s : solutions)
            if (std::none_of(session->lines().begin(), session->lines().end(),
                             [&](const AnswerLine& l) { return l.word == s; }))
                word = s;
        input->setText(QString::fromStdString(word));
        const int before = lines->topLevelItemCount();
        state.ResumeTiming();
        key(input, Qt::Key_Return);
        QApplication::processEvents();
        if (lines->topLevelItemCount() <= before) state.SkipWithError("no line");
    }
}
BENCHMARK(BM_StudySubmitToLine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::setSettings(&bench::settings());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app::setSettings(nullptr);
    return 0;
}
