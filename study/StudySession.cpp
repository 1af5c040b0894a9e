#include "study/StudySession.h"

#include <algorithm>
#include <ctime>

#include "core/Letters.h"
#include "core/Strings.h"
#include "core/WordNode.h"
#include "study/Questions.h"
#include "study/StudyIndex.h"

namespace zq {

std::string definitionText(const char* partOfSpeech, const char* definition) {
    const std::string pos = partOfSpeech ? partOfSpeech : "";
    const std::string text = definition ? definition : "";
    if (pos.empty()) return text;
    if (text.empty()) return pos;
    return pos + ". " + text;
}

StudySession::StudySession(StudyIndex& index, Cardbox& box, QuizType type, bool expurged)
    : clock([] { return static_cast<std::int64_t>(std::time(nullptr)); }), index_(index), box_(box),
      type_(type), expurged_(expurged) {}

int StudySession::start(int limit) {
    due_ = box_.dueQuestions(clock(), limit);
    at_ = 0;
    answered_ = 0;
    undoable_ = false;
    load();
    return dueTotal();
}

const std::string& StudySession::question() const {
    static const std::string none;
    return hasQuestion() ? due_[at_] : none;
}

void StudySession::load() {
    solutions_.clear();
    given_.clear();
    lines_.clear();
    wrong_.clear();
    found_ = 0;
    judged_ = false;
    right_ = false;
    before_.reset();
    after_.reset();
    if (!hasQuestion()) return;
    solutions_ = solutionsOf(index_, type_, due_[at_], expurged_);
    std::sort(solutions_.begin(), solutions_.end());
}

namespace {

AnswerLine lineOf(const StudyIndex& index, const std::string& word, bool expurged, bool missed) {
    AnswerLine line;
    line.word = word;
    line.missed = missed;
    const Hooks h = index.hooks(word, expurged);
    line.front = h.front;
    line.back = h.back;
    if (const std::int64_t at = index.find(word, true); at >= 0) {
        const CWordNode* node = index.word(static_cast<std::uint32_t>(at)).node;
        line.definition = definitionText(node->partOfSpeech(), node->definition());
    }
    return line;
}

// The typed text without the spaces around it, lower case.
std::string cleaned(std::string_view typed) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!typed.empty() && isSpace(typed.front()))
        typed.remove_prefix(1);
    while (!typed.empty() && isSpace(typed.back()))
        typed.remove_suffix(1);
    return lowerLetters(std::string(typed));
}

} // namespace

StudySession::Entry StudySession::submit(std::string_view typed) {
    const std::string word = cleaned(typed);
    if (word.empty() || judged_ || !hasQuestion()) return Entry::Ignored;
    if (std::find(given_.begin(), given_.end(), word) != given_.end()) return Entry::Repeated;
    given_.push_back(word);
    if (!std::binary_search(solutions_.begin(), solutions_.end(), word)) {
        wrong_.push_back(word);
        return Entry::Wrong;
    }
    lines_.push_back(lineOf(index_, word, expurged_, false));
    ++found_;
    if (found_ == solutionCount()) finish();
    return Entry::Right;
}

bool StudySession::record(bool right) {
    const std::optional<Card> card = box_.answer(question(), right, clock());
    if (!card) {
        error_ = box_.error();
        return false;
    }
    after_ = card;
    right_ = right;
    return true;
}

bool StudySession::finish() {
    if (judged_ || !hasQuestion()) return false;
    const Judgement j = judgeAnswer(solutions_, given_);
    before_ = box_.card(question());
    if (!record(j.isRight())) return false;
    judged_ = true;
    ++answered_;
    undoable_ = true;
    undoAt_ = at_;
    for (const std::string& w : j.missed)
        lines_.push_back(lineOf(index_, w, expurged_, true));
    return true;
}

bool StudySession::mark(bool right) {
    if (!judged_) return false;
    if (right == right_) return true;
    // The last answer in the cardbox is this question's: take it back and
    // answer again.
    if (!box_.undoLastAnswer()) {
        error_ = box_.error();
        return false;
    }
    if (record(right)) return true;
    // Put the judgement that stood back, so the cardbox and the screen agree.
    const std::string reason = error_;
    record(!right);
    error_ = reason;
    return false;
}

bool StudySession::undo() {
    if (!undoable_) return false;
    if (!box_.undoLastAnswer()) {
        error_ = box_.error();
        return false;
    }
    undoable_ = false;
    at_ = undoAt_;
    --answered_;
    load();
    return true;
}

bool StudySession::next() {
    if (!judged_) return false;
    ++at_;
    load();
    return hasQuestion();
}

std::string progressText(const StudySession& session) {
    if (!session.hasQuestion()) return {};
    std::string words =
        std::to_string(session.foundCount()) + " of " + std::to_string(session.solutionCount());
    return str::withText(
               str::withText(str::kStudyProgress, std::to_string(session.position() + 1)).c_str(),
               std::to_string(session.dueTotal())) +
           " \u00b7 " +
           str::withText(str::kStudyAnsweredCount, std::to_string(session.answered())) +
           " \u00b7 " + str::withText(str::kStudyWordsFound, words);
}

std::string judgementText(const StudySession& session) {
    if (!session.judged() || !session.after()) return {};
    const Card& after = *session.after();
    const int from = session.before() ? session.before()->cardbox : 0;
    std::string text = session.judgedRight() ? str::kStudyJudgedRight : str::kStudyJudgedMissed;
    text += " " + str::withText(str::kStudyMovedBox,
                                std::to_string(from) + " \u2192 " + std::to_string(after.cardbox));
    const std::int64_t wait = std::max<std::int64_t>(0, after.nextScheduled - session.clock());
    if (wait < 86400)
        text +=
            ", " + str::withText(str::kStudyDueAgainHours, std::to_string((wait + 1800) / 3600));
    else if ((wait + 43200) / 86400 == 1)
        text += std::string(", ") + str::kStudyDueAgainTomorrow;
    else
        text +=
            ", " + str::withText(str::kStudyDueAgainDays, std::to_string((wait + 43200) / 86400));
    text += ".";
    std::string wrong;
    for (const std::string& w : session.wrongWords())
        wrong += (wrong.empty() ? "" : " ") + upperLetters(w);
    if (!wrong.empty()) text += " " + str::withText(str::kStudyWrongWords, wrong);
    return text;
}

} // namespace zq
