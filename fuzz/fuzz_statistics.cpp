// The statistics records and the values around them, as a damaged or
// hand-edited settings store holds them. Input: lines giving, in turn, the
// user name, "ScoreIndex", "Score0" to "Score19", then the word set values
// "CannedWordSet", "MaxWordLength", "MinWordLength", "Definitions",
// "AllLetters" and "ValidLetters". Reading the records never fails, and a
// record stored afterwards is read back first.
#include "FuzzSupport.h"
#include "core/SettingsStore.h"
#include "quiz/SetStatistics.h"

using namespace zq;
using namespace zq::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from <= text.size() && lines.size() < 28) {
        std::size_t eol = text.find('\n', from);
        if (eol == std::string::npos) eol = text.size();
        lines.push_back(text.substr(from, eol - from));
        from = eol + 1;
    }
    MemorySettingsStore store;
    const std::string user = lines[0];
    store.writeString(reg::kSettings, reg::kUserName, user);
    static const char* const kValues[] = {reg::kCannedWordSet, reg::kMaxWordLength,
                                          reg::kMinWordLength, reg::kDefinitions,
                                          reg::kAllLetters,    reg::kValidLetters};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string name = i == 1    ? reg::kScoreIndex
                           : i <= 21 ? slotName(static_cast<int>(i - 2))
                                     : kValues[i - 22];
        store.writeString(user, name, lines[i]);
    }

    const int index = statisticsIndex(store, user);
    ZQ_FUZZ_CHECK(index >= 0 && index < kStatisticsSlots);
    const auto rows = readStatisticsRecords(store);
    ZQ_FUZZ_CHECK(rows.size() <= static_cast<std::size_t>(kStatisticsSlots));
    // Fields are split at spaces; only the set name shows "_" as a space.
    for (const StatisticsRow& row : rows)
        for (std::size_t i = 1; i < row.size(); ++i)
            ZQ_FUZZ_CHECK(row[i].find(' ') == std::string::npos);
    const StatisticsRow whole = splitStatisticsRecord(text);
    ZQ_FUZZ_CHECK(whole[0].find('_') == std::string::npos);

    CSetStatistics stats(store, nullptr, [] { return std::int64_t{1000}; });
    ZQ_FUZZ_CHECK(stats.userName == user);
    stats.recordAnswer(true);
    stats.recordAnswer(size % 2 == 0);
    ZQ_FUZZ_CHECK(stats.recordCompletedSet());
    ZQ_FUZZ_CHECK(statisticsIndex(store, user) == (index + 1) % kStatisticsSlots);
    const auto after = readStatisticsRecords(store);
    ZQ_FUZZ_CHECK(!after.empty());
    const std::string stored = store.readString(user, "Score" + std::to_string(index), "");
    ZQ_FUZZ_CHECK(after.front() == splitStatisticsRecord(stored));
    return 0;
}
