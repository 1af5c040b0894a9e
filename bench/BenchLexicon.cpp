#include "bench/BenchLexicon.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>

#include "core/Import.h"
#include "core/SettingsStore.h"
#include "core/WordDatabase.h"
#include "wordsets/UserWordSet.h"

namespace zq::bench {

const std::set<std::string>& syntheticWords(int count) {
    static std::map<int, std::set<std::string>> made;
    std::set<std::string>& words = made[count];
    if (!words.empty()) return words;
    words.insert(enableWords().begin(), enableWords().end());
    std::mt19937 rng(static_cast<std::uint32_t>(count));
    const std::string bag =
        "aaaaaaaaabbccddddeeeeeeeeeeeeffggghhiiiiiiiiijkllllmmnnnnnnooooooooppqrrrrrrssss"
        "ttttttuuuuvvwwxyyz";
    while (static_cast<int>(words.size()) < count) {
        std::string w(5 + rng() % 5, 'a');
        for (char& c : w)
            c = bag[rng() % bag.size()];
        words.insert(w);
    }
    return words;
}

const std::string& lexiconFolder() {
    static const std::string folder = [] {
        if (zq::enableWords().empty()) {
            std::fprintf(stderr, "no ENABLE word list (lexicon/enable1.txt)\n");
            return std::string();
        }
        const char* more = std::getenv("ZQ_BENCH_WORDS");
        const auto dir = std::filesystem::temp_directory_path() /
                         (more ? std::string("zendraquil-bench-") + more : "zendraquil-bench");
        std::filesystem::create_directories(dir);
        // The bare words (longer than two letters), then the curated entries.
        const std::string words = (dir / "words.txt").string();
        {
            std::ofstream out(words);
            const char* more = std::getenv("ZQ_BENCH_WORDS");
            const int count = more ? std::atoi(more) : 0;
            for (const std::string& w :
                 count > 0 ? syntheticWords(count)
                           : std::set<std::string>(enableWords().begin(), enableWords().end()))
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
