#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zq {

class CWordDatabase;
class CWordSetCriteria;
class SettingsStore;

// Wall-clock time in whole seconds since 1970.
using SecondsClock = std::function<std::int64_t()>;
std::int64_t systemSeconds();

// Statistics records are kept per user in a ring of this many slots, named
// "Score0" to "Score19"; "ScoreIndex" is the slot the next record takes.
inline constexpr int kStatisticsSlots = 20;
// The name of a slot's value.
std::string slotName(int slot);

// The clock and answer counters of one pass through the current word set.
class CSetStatistics {
  public:
    // Reads the current user's name and starts the clock. `database` resolves
    // user word set titles for the record; it may be null.
    explicit CSetStatistics(SettingsStore& settings, CWordDatabase* database = nullptr,
                            SecondsClock clock = systemSeconds);

    // Open pauses; the clock runs only while this is 0.
    int pauseDepth = 0;
    // Whole seconds counted before the last time the clock started.
    int accumulatedSeconds = 0;
    std::int64_t startTime = 0;
    std::string userName;
    int answered = 0;
    int correct = 0;

    void recordAnswer(bool right);
    // Pauses nest: each pause needs its own resume. A resume without an open
    // pause is ignored.
    void pause();
    void resume();
    int elapsedSeconds() const;
    // Starts the pass again: clock from now, no answers. Open pauses stay.
    void reset();

    // Stores this pass as one record in the ring of the user who started it,
    // with elapsedSeconds() as its time. Writes nothing when no answer was
    // given. Returns true when the record and the new index were stored;
    // `record`, when given, receives the record text.
    // The record names the set of `criteria` when given (the set the pass was
    // played on), else the stored one.
    bool recordCompletedSet(std::string* record = nullptr,
                            const CWordSetCriteria* criteria = nullptr);

    // The record text: set name (spaces as "_"), length label, answers,
    // percentage right, seconds per word, definitions "Yes"/"No".
    static std::string formatRecord(const std::string& setName, const std::string& lengthLabel,
                                    long answered, long percent, double secondsPerWord,
                                    bool definitions);

  private:
    std::int64_t secondsSinceStart() const;

    SettingsStore& settings_;
    CWordDatabase* database_;
    SecondsClock clock_;
};

// One stored record split into its six fields: word set (with "_" shown as
// spaces), max word length, words, score, seconds per word, definitions.
using StatisticsRow = std::array<std::string, 6>;

// Splits a record text at single spaces into six fields (missing fields are
// empty, text beyond the sixth field is dropped) and shows "_" in the first
// field as a space.
StatisticsRow splitStatisticsRecord(const std::string& record);

// The current user's stored records, newest first; empty slots are skipped.
std::vector<StatisticsRow> readStatisticsRecords(SettingsStore& settings);

// The slot the next record takes: "ScoreIndex", 0 when absent or outside the
// ring.
int statisticsIndex(SettingsStore& settings, const std::string& userName);

} // namespace zq
