#include "study/SearchResults.h"

#include "core/Letters.h"
#include "core/Utf8.h"
#include "core/WordNode.h"
#include "study/StudyIndex.h"
#include "study/StudySession.h"

namespace zq {

std::vector<ResultRow> resultRows(StudyIndex& index, const std::vector<std::uint32_t>& words,
                                  bool expurged) {
    std::vector<ResultRow> rows;
    rows.reserve(words.size());
    const auto& ranks = index.ranks(2, expurged);
    for (std::uint32_t w : words) {
        if (w >= index.size()) continue;
        ResultRow row;
        row.word = std::string(index.text(w));
        const Hooks h = index.hooks(row.word, expurged);
        row.front = h.front;
        row.back = h.back;
        row.rank = ranks[w];
        const CWordNode* node = index.word(w).node;
        row.definition = definitionText(node->partOfSpeech(), node->definition());
        rows.push_back(std::move(row));
    }
    return rows;
}

namespace {

// A field for a tab-separated line: tabs and line ends become spaces.
std::string flat(const std::string& text) {
    std::string out = utf8Text(text);
    for (char& c : out)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return out;
}

std::string quoted(const std::string& text) {
    const std::string t = utf8Text(text);
    if (t.find_first_of(",\"\r\n") == std::string::npos) return t;
    std::string out = "\"";
    for (char c : t) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string rankText(std::uint32_t rank) {
    return rank ? std::to_string(rank) : std::string();
}

} // namespace

std::string plainTextOf(const std::vector<ResultRow>& rows) {
    std::string out;
    for (const ResultRow& r : rows)
        out += upperLetters(r.word) + "\t" + r.front + "\t" + r.back + "\t" + rankText(r.rank) +
               "\t" + flat(r.definition) + "\n";
    return out;
}

std::string csvOf(const std::vector<ResultRow>& rows) {
    std::string out = "word,definition,front hooks,back hooks,probability rank\r\n";
    for (const ResultRow& r : rows)
        out += upperLetters(r.word) + "," + quoted(r.definition) + "," + r.front + "," + r.back +
               "," + rankText(r.rank) + "\r\n";
    return out;
}

} // namespace zq
