#include "quiz/SetStatistics.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>

#include "core/SettingsStore.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

std::string slotName(int slot) {
    char name[32];
    std::snprintf(name, sizeof name, reg::kScoreSlot, static_cast<long>(slot));
    return name;
}

namespace {

// The shortest general form with 6 significant digits, as printf's %g gives
// it in the C locale, whatever the user's locale.
std::string formatGeneral(double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

} // namespace

std::int64_t systemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

CSetStatistics::CSetStatistics(SettingsStore& settings, CWordDatabase* database, SecondsClock clock)
    : settings_(settings), database_(database),
      clock_(clock ? std::move(clock) : SecondsClock(systemSeconds)) {
    userName = UserProfile::currentName(settings_);
    startTime = clock_();
}

// Seconds since the clock last started; never negative, so a clock set back
// while the quiz runs does not produce negative times.
std::int64_t CSetStatistics::secondsSinceStart() const {
    return std::max<std::int64_t>(0, clock_() - startTime);
}

void CSetStatistics::recordAnswer(bool right) {
    ++answered;
    if (right) ++correct;
}

void CSetStatistics::pause() {
    if (pauseDepth == 0) accumulatedSeconds = clampToInt(accumulatedSeconds + secondsSinceStart());
    ++pauseDepth;
}

void CSetStatistics::resume() {
    if (pauseDepth <= 0) return;
    if (--pauseDepth == 0) startTime = clock_();
}

int CSetStatistics::elapsedSeconds() const {
    if (pauseDepth > 0) return accumulatedSeconds;
    return clampToInt(accumulatedSeconds + secondsSinceStart());
}

void CSetStatistics::reset() {
    startTime = clock_();
    accumulatedSeconds = 0;
    answered = 0;
    correct = 0;
}

std::string CSetStatistics::formatRecord(const std::string& setName, const std::string& lengthLabel,
                                         long answeredCount, long percent, double secondsPerWord,
                                         bool definitions) {
    std::string name = setName;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name + " " + lengthLabel + " " + std::to_string(answeredCount) + " " +
           std::to_string(percent) + "% " + formatGeneral(secondsPerWord) + " " +
           (definitions ? "Yes" : "No");
}

bool CSetStatistics::recordCompletedSet(std::string* recordText, const CWordSetCriteria* played) {
    if (answered <= 0) return false;
    // The pass's elapsed time. A pass recorded during a pause counts up to
    // the pause only (adding the time since the last start as well would
    // count the time before the pause twice).
    const std::int64_t seconds = elapsedSeconds();
    CWordSetCriteria criteria;
    if (played)
        criteria = *played;
    else
        criteria.load(settings_, database_);
    const double secondsPerWord = static_cast<double>(seconds) / answered;
    const long percent = static_cast<long>(static_cast<long long>(correct) * 100 / answered);

    const int slot = statisticsIndex(settings_, userName);
    const std::string record = formatRecord(criteria.name(), criteria.lengthLabel(), answered,
                                            percent, secondsPerWord, criteria.definitions != 0);
    if (recordText) *recordText = record;
    if (!settings_.writeString(userName, slotName(slot), record)) return false;
    const int nextSlot = slot + 1 > kStatisticsSlots - 1 ? 0 : slot + 1;
    return settings_.writeInt(userName, reg::kScoreIndex, nextSlot);
}

int statisticsIndex(SettingsStore& settings, const std::string& userName) {
    const int index = settings.readInt(userName, reg::kScoreIndex, 0);
    return index >= 0 && index < kStatisticsSlots ? index : 0;
}

StatisticsRow splitStatisticsRecord(const std::string& record) {
    StatisticsRow row;
    std::size_t start = 0;
    for (std::size_t field = 0; field < row.size() && start <= record.size(); ++field) {
        std::size_t end = record.find(' ', start);
        if (end == std::string::npos) end = record.size();
        row[field] = record.substr(start, end - start);
        start = end + 1;
    }
    std::replace(row[0].begin(), row[0].end(), '_', ' ');
    return row;
}

std::vector<StatisticsRow> readStatisticsRecords(SettingsStore& settings) {
    const std::string user = UserProfile::currentName(settings);
    const int start = (statisticsIndex(settings, user) + kStatisticsSlots - 1) % kStatisticsSlots;
    std::vector<StatisticsRow> rows;
    for (int step = 0; step < kStatisticsSlots; ++step) {
        const int slot = (start - step + kStatisticsSlots) % kStatisticsSlots;
        const std::string record = settings.readString(user, slotName(slot), "");
        if (!record.empty()) rows.push_back(splitStatisticsRecord(record));
    }
    return rows;
}

} // namespace zq
