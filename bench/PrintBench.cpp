// Printing on the shipped lexicon, offscreen: the whole lexicon as a word
// list to PDF (time and the process's peak memory), the preview of that job
// up to its first page on screen, and a 60-entry mini-dictionary to PDF.
// A process of its own, so that the peak memory is printing's and the
// lexicon's alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "bench/BenchLexicon.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "print/PrintView.h"
#include "wordsets/UserWordSet.h"
#include "wordsets/WordSetCriteria.h"

using namespace zq;

namespace {

using bench::settings;

// A value of /proc/self/status in megabytes ("VmHWM": the peak resident
// size, "VmRSS": the resident size now); 0 where there is no such file.
double statusMegabytes(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return std::atof(line.c_str() + key.size() + 1) / 1024.0;
    return 0;
}

QString pdfPath(const char* name) {
    return QDir::temp().filePath(QString::fromLatin1(name));
}

void toPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
}

// Every word, no definitions: some 480 pages of six columns.
void wholeLexiconCriteria() {
    CWordSetCriteria c;
    c.definitions = 0;
    c.save(settings());
}

void BM_WholeLexiconToPdf(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    wholeLexiconCriteria();
    const double before = statusMegabytes("VmRSS");
    CPrintView view(db);
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, pdfPath("zendraquil-bench-all.pdf"));
        if (view.print(printer) != CPrintView::Job::Printed) return state.SkipWithError("failed");
        pages = view.preparePrinting();
    }
    state.counters["pages"] = pages;
    state.counters["rss_before_MB"] = before;
    state.counters["peak_MB"] = statusMegabytes("VmHWM");
    state.counters["pdf_MB"] =
        static_cast<double>(QFile(pdfPath("zendraquil-bench-all.pdf")).size()) / (1024.0 * 1024.0);
    QFile::remove(pdfPath("zendraquil-bench-all.pdf"));
}
BENCHMARK(BM_WholeLexiconToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The preview of the same job: from show() to its first page painted.
void BM_WholeLexiconPreviewFirstPage(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    wholeLexiconCriteria();
    CPrintView view(db);
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&view](QPrinter* p) { view.print(*p); });
        dialog.resize(900, 1000);
        dialog.show();
        QApplication::processEvents();
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        benchmark::DoNotOptimize(widget->grab());
        pages = widget->pageCount();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_WholeLexiconPreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);

// A user word set of the first 60 entries that have definitions, printed as
// a mini-dictionary: one page.
void BM_MiniDictionary60ToPdf(benchmark::State& state) {
    if (bench::lexiconFolder().empty()) return state.SkipWithError("no lexicon");
    CWordDatabase& db = bench::programLexicon();
    std::string text = "sixty\nThe first sixty entries with definitions\n-\n";
    int n = 0;
    for (CWordNode* node : db.inOrder()) {
        if (n == 60) break;
        if (std::strlen(node->word()) < 3 || node->definition()[0] == '\0') continue;
        text += std::string(node->word()) + "\n";
        ++n;
    }
    auto set = std::make_shared<CUserWordSet>();
    set->parse(text);
    db.userWordSets.push_back(set);
    CWordSetCriteria c;
    c.cannedWordSet = kFirstUserSet + static_cast<int>(db.userWordSets.size()) - 1;
    c.definitions = 1;
    c.save(settings());
    CPrintView view(db);
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, pdfPath("zendraquil-bench-60.pdf"));
        if (view.print(printer) != CPrintView::Job::Printed) return state.SkipWithError("failed");
    }
    state.counters["pages"] = view.preparePrinting();
    QFile::remove(pdfPath("zendraquil-bench-60.pdf"));
    db.userWordSets.pop_back();
}
BENCHMARK(BM_MiniDictionary60ToPdf)->Unit(benchmark::kMillisecond);

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
