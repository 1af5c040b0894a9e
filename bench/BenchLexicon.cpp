#include "bench/BenchLexicon.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/Import.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "wordsets/UserWordSet.h"

namespace zq::bench {

const std::string& lexiconFolder() {
    static const std::string folder = [] {
        if (zq::enableWords().empty()) {
            std::fprintf(stderr, "no ENABLE word list (lexicon/enable1.txt)\n");
            return std::string();
        }
        const auto dir = std::filesystem::temp_directory_path() / "zendraquil-bench";
        std::filesystem::create_directories(dir);
        // The bare words (longer than two letters), then the curated entries.
        const std::string words = (dir / "words.txt").string();
        {
            std::ofstream out(words);
            for (const std::string& w : zq::enableWords())
                out << w << '\n';
        }
        std::vector<std::string> files{words};
        if (std::ifstream(ZQ_ENTRIES_FILE)) files.emplace_back(ZQ_ENTRIES_FILE);
        std::vector<ImportRecord> records;
        std::vector<std::string> errors;
        if (!readRecordFiles(realFileSystem(), files, records, errors)) {
            for (const auto& e : errors)
                std::fprintf(stderr, "%s\n", e.c_str());
            std::exit(1);
        }
        DatabaseSetup setup;
        setup.folder = dir.string();
        if (!writeWordList(setup, records)) std::exit(1);
        return dir.string();
    }();
    return folder;
}

CWordDatabase& programLexicon() {
    static std::unique_ptr<CWordDatabase> db = [] {
        auto d = std::make_unique<CWordDatabase>(programSetup(nullptr, lexiconFolder()));
        if (!d->loaded) std::exit(1);
        return d;
    }();
    return *db;
}

MemorySettingsStore& settings() {
    static MemorySettingsStore store;
    return store;
}

} // namespace zq::bench
