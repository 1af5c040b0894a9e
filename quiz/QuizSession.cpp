#include "quiz/QuizSession.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/RegistryNames.h"
#include "core/SettingsStore.h"
#include "core/Strings.h"
#include "core/WordDatabase.h"
#include "quiz/TileBag.h"
#include "wordsets/WordSetCriteria.h"

namespace zq {

namespace {

// printf into a string, for the program's message formats.
std::string format(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string out(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(out.data(), out.size() + 1, pattern, again);
    va_end(again);
    return out;
}

long scoreOf(CWordNode* node) {
    return node ? node->score() : 0;
}

} // namespace

bool holdToRack(CWordSetCriteria& criteria) {
    // The racks have seven squares: a longer limit, even a custom set's own,
    // would draw words that cannot be dealt.
    const bool ownLimit = criteria.cannedWordSet == kCustomSet && criteria.maxWordLength > 0 &&
                          criteria.maxWordLength <= kRackSize;
    if (ownLimit) return false;
    criteria.maxWordLength = kRackSize;
    return true;
}

int prepareQuizSet(CWordDatabase& database, SettingsStore& settings, CWordSetCriteria* inHand) {
    CWordSetCriteria criteria;
    criteria.load(settings, &database);
    if (holdToRack(criteria)) criteria.save(settings);
    // Marked from the criteria in hand: a store that would not take the
    // limit must not bring back a longer one.
    markWordSet(database, criteria, false, false);
    if (inHand) *inHand = criteria;
    return database.setSize;
}

CQuizSession::CQuizSession(CWordDatabase& database, SettingsStore& settings, QuizHost& host,
                           SecondsClock clock)
    : database_(database), settings_(settings), host_(host), clock_(std::move(clock)) {
    const UserProfile user(settings);
    noSound = user.readInt(reg::kNoSound, 0);
    noTimer = user.readInt(reg::kNoTimer, 0);
    statistics = std::make_unique<CSetStatistics>(settings_, &database_, clock_);
    playing_.load(settings_, &database_);
    holdToRack(playing_);
}

CWordSetCriteria CQuizSession::criteria() const {
    return playing_;
}

void CQuizSession::play(const CWordSetCriteria& criteria) {
    playing_ = criteria;
    playing_.database = &database_;
    holdToRack(playing_);
}

void CQuizSession::begin(CWordNode* first) {
    currentWord = first;
    questionActive = first ? 1 : 0;
    deal();
}

void CQuizSession::deal() {
    letters = currentWord ? CTileBag::deal(currentWord->word()) : std::string();
}

bool CQuizSession::clueMode() const {
    return criteria().definitions != 0;
}

std::string CQuizSession::modeLine() const {
    return clueMode() ? str::kQuizCluesMode : str::kQuizLettersMode;
}

std::string CQuizSession::clueText() const {
    if (!clueMode() || !currentWord) return {};
    return std::string(currentWord->partOfSpeech()) + ". " + currentWord->definition();
}

std::string CQuizSession::progressText() const {
    return format(str::kQuizProgress, static_cast<long>(database_.drawnCount),
                  static_cast<long>(database_.setSize), scoredPoints, possiblePoints);
}

std::string CQuizSession::caption() const {
    const CWordSetCriteria c = criteria();
    const std::string length = c.lengthLabel();
    const std::string inside = c.name() + (length == "-" ? std::string() : ":" + length);
    return format(str::kQuizCaption, inside.c_str());
}

std::string CQuizSession::timerText() const {
    return statistics ? format("%ld", static_cast<long>(statistics->elapsedSeconds()))
                      : std::string();
}

bool CQuizSession::isAnswerRight(const std::string& raw) const {
    std::string answer = raw;
    for (char& c : answer)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (answer.empty() || !currentWord) return false;
    std::string tiles = letters;
    for (char c : answer) {
        const std::size_t at = tiles.find(c);
        if (at == std::string::npos) return false;
        tiles.erase(at, 1);
    }
    CWordNode* entry =
        clueMode() ? currentWord->matchesInRing(answer.c_str()) : database_.find(answer);
    return entry && entry->has(CWordNode::InWordSet);
}

bool CQuizSession::submitAnswer(const std::string& answer) {
    CWordNode* best = nullptr;
    const bool clues = clueMode();
    if (isAnswerRight(answer)) {
        answerRight = questionActive == 1 ? 1 : 0;
        if (statistics) statistics->recordAnswer(true);
        if (!clues) best = database_.bestWordFor(letters.c_str());
        scoreAnswer(answer, best);
        return nextQuestion();
    }
    if (currentWord) {
        currentWord->clear(CWordNode::Drawn);
        currentWord->set(CWordNode::Missed);
        // The word goes back into the pass; a count that is already 0 (a set
        // marked anew under the question) stays 0.
        if (database_.drawnCount > 0) --database_.drawnCount;
    }
    answerRight = 0;
    if (statistics) statistics->recordAnswer(false);
    if (!noSound) host_.beep();
    best = database_.bestWordFor(letters.c_str());
    // The asked word can always be made from its own letters; a missing best
    // word (a word no longer in the set) falls back to it.
    if (!best) best = currentWord;
    if (currentWord && best) {
        if (clues && currentWord->score() < best->score())
            host_.showMessage(format(str::kQuizWrongBetter, currentWord->word(),
                                     static_cast<long>(currentWord->score()),
                                     static_cast<long>(best->score()), best->word()));
        else if (clues)
            host_.showMessage(format(str::kQuizWrongClue, currentWord->word(),
                                     static_cast<long>(currentWord->score())));
        else
            host_.showMessage(
                format(str::kQuizWrongLetters, best->word(), static_cast<long>(best->score())));
    }
    scoreAnswer(answer, best);
    return nextQuestion();
}

void CQuizSession::scoreAnswer(const std::string& raw, CWordNode* best) {
    std::string answer = raw;
    for (char& c : answer)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const long answerScore = wordScore(answer.c_str());
    // The letters' best word is the one the caller found for these letters.
    CWordNode* target = clueMode() ? currentWord : best;
    const long points = currentWord ? scoreOf(target) : 0;
    if (answerRight) {
        scoredPoints += answerScore;
        if (answerScore < points && target)
            host_.showMessage(
                format(str::kQuizBetterPlay, target->word(), points, answerScore, answer.c_str()));
    }
    possiblePoints += points;
}

bool CQuizSession::nextQuestion() {
    CWordNode* next = drawRandomWord(database_, playing_, true);
    if (database_.setCompleted) {
        database_.setCompleted = 0;
        bool recordLost = false;
        if (statistics) {
            std::string record;
            // Only a pass with answers is recorded.
            if (statistics->answered > 0) {
                if (statistics->recordCompletedSet(&record, &playing_))
                    host_.recorded(record);
                else
                    recordLost = true;
            }
            statistics.reset();
        }
        host_.showMessage(recordLost ? str::kQuizRecordFailed : str::kQuizReshuffled);
        statistics = std::make_unique<CSetStatistics>(settings_, &database_, clock_);
    }
    if (next) {
        currentWord = next;
        questionActive = 1;
        deal();
        return true;
    }
    showSummary();
    return false;
}

CQuizSession::AfterWizard CQuizSession::afterWordSetChoice(bool finished,
                                                           const CWordSetCriteria* chosen) {
    if (!finished) return AfterWizard::Unchanged;
    if (chosen) play(*chosen);
    // The pass of the old set is left, not completed: its answers are not
    // recorded for the new set.
    if (statistics) statistics->reset();
    // A set without words has no pass to re-shuffle: only the summary.
    if (database_.setSize <= 0) {
        showSummary();
        return AfterWizard::Ended;
    }
    if (!nextQuestion()) return AfterWizard::Ended;
    if (statistics) statistics->reset();
    return AfterWizard::NewQuestion;
}

void CQuizSession::showSummary() {
    const long divisor = possiblePoints != 0 ? possiblePoints : 1;
    const long percent =
        static_cast<long>(static_cast<double>(scoredPoints) * 100.0 / static_cast<double>(divisor));
    host_.showMessage(format(str::kQuizSummary, possiblePoints, scoredPoints, percent));
}

void CQuizSession::exitQuiz() {
    showSummary();
}

} // namespace zq
