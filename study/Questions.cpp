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

} // namespace zq
