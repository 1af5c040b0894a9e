#include "study/Questions.h"

#include <algorithm>
#include <set>

#include "core/Letters.h"
#include "core/WordNode.h"
#include "study/StudyIndex.h"

namespace zq {

std::vector<std::string> questionsFor(const StudyIndex& index, QuizType type,
                                      const std::vector<std::uint32_t>& words, int first) {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (std::uint32_t w : words) {
        if (w >= index.size()) continue;
        std::string q = upperLetters(
            std::string(type == QuizType::Anagrams ? index.alphagramOf(w) : index.text(w)));
        if (!seen.insert(q).second) continue;
        out.push_back(std::move(q));
        if (first > 0 && static_cast<int>(out.size()) >= first) break;
    }
    return out;
}

void sortByProbability(StudyIndex& index, std::vector<std::uint32_t>& words, bool expurged) {
    const auto& ranks = index.ranks(2, expurged);
    std::stable_sort(words.begin(), words.end(), [&](std::uint32_t a, std::uint32_t b) {
        const auto la = index.word(a).length, lb = index.word(b).length;
        if (la != lb) return la < lb;
        // Unranked (expurged) words last within their length.
        const std::uint32_t ra = ranks[a] ? ranks[a] : UINT32_MAX;
        const std::uint32_t rb = ranks[b] ? ranks[b] : UINT32_MAX;
        return ra < rb;
    });
}

std::vector<std::uint32_t> missedWords(StudyIndex& index) {
    std::vector<std::uint32_t> out;
    for (std::uint32_t i = 0; i < index.size(); ++i)
        if (index.word(i).node->has(CWordNode::Missed)) out.push_back(i);
    sortByProbability(index, out, true);
    return out;
}

std::vector<std::string> solutionsOf(const StudyIndex& index, QuizType type,
                                     const std::string& question, bool expurged) {
    std::vector<std::string> out;
    const std::string q = lowerLetters(question);
    if (type == QuizType::Anagrams) {
        for (std::uint32_t w : index.anagrams(q, expurged))
            out.emplace_back(index.text(w));
        return out;
    }
    const Hooks h = index.hooks(q, expurged);
    for (char c : h.front)
        out.push_back(std::string(1, c) + q);
    for (char c : h.back)
        out.push_back(q + c);
    return out;
}

Cardbox::LexiconStamp lexiconStamp(const StudyIndex& index) {
    return {"word.lst", static_cast<std::int64_t>(index.size())};
}

QuestionList questionsFrom(StudyIndex& index, QuizType type, const QuestionSource& source) {
    QuestionList out;
    std::vector<std::uint32_t> words;
    const bool expurged = source.search.expurged;
    switch (source.kind) {
    case QuestionSource::Kind::Missed:
        words = missedWords(index);
        break;
    case QuestionSource::Kind::Typed: {
        std::string item;
        const auto take = [&] {
            if (item.empty()) return;
            const std::string letters = lowerLetters(item);
            const bool plain = std::all_of(letters.begin(), letters.end(),
                                           [](char c) { return c >= 'a' && c <= 'z'; });
            std::int64_t at = plain ? index.find(letters, expurged) : -1;
            // A rack stands for its words in an anagram cardbox.
            if (at < 0 && plain && type == QuizType::Anagrams) {
                const auto made = index.anagrams(letters, expurged);
                if (!made.empty()) at = made.front();
            }
            if (at < 0)
                out.unknown.push_back(item);
            else
                words.push_back(static_cast<std::uint32_t>(at));
            item.clear();
        };
        for (char c : source.typed) {
            if (c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t' || c == ';')
                take();
            else
                item += c;
        }
        take();
        break;
    }
    case QuestionSource::Kind::WordSet:
    case QuestionSource::Kind::Search: {
        SearchConditions c = source.search;
        if (source.kind == QuestionSource::Kind::WordSet) {
            // Only the set and its lengths count.
            SearchConditions set;
            set.setId = c.setId < 0 ? 0 : c.setId;
            set.minLength = c.minLength;
            set.maxLength = c.maxLength;
            set.expurged = c.expurged;
            c = set;
        }
        out.error = checkSearch(index, c);
        if (!out.error.empty()) return out;
        words = searchWords(index, c);
        break;
    }
    }
    // Likeliest first, so that `first` keeps the likeliest.
    sortByProbability(index, words, true);
    out.questions = questionsFor(index, type, words, source.first);
    return out;
}

} // namespace zq
