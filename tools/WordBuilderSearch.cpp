#include "tools/WordBuilderSearch.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>

#include "core/Letters.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

std::string lowered(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Score of the word laid from the letters: each letter takes the first unused
// tile of that letter and scores it; letters on blanks score nothing.
long layScore(const char* word, const int (&tiles)[256]) {
    int left[256];
    std::memcpy(left, tiles, sizeof left);
    long score = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(word); *p; ++p) {
        if (left[*p] > 0) {
            --left[*p];
            score += letterScore(*p);
        }
    }
    return score;
}

bool fitsFilter(const char* word, std::size_t length, const std::string& filter) {
    if (filter.empty()) return true;
    if (length != filter.size()) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (filter[i] != ' ' && filter[i] != word[i]) return false;
    return true;
}

} // namespace

std::vector<BuildResult> findBuildableWords(CWordDatabase& database, const std::string& rawLetters,
                                            const std::string& rawFilter) {
    BusyGuard busy(database.ui());
    const std::string letters = lowered(rawLetters);
    const std::string filter = lowered(rawFilter);

    int tiles[256] = {};
    std::uint32_t blanks = 0;
    std::uint32_t rackMask = 0;
    for (unsigned char c : letters) {
        if (c == ' ') {
            ++blanks;
            continue;
        }
        ++tiles[c];
        if (c >= 'a' && c <= 'z') rackMask |= 1u << (c - 'a');
    }

    std::vector<BuildResult> found;
    for (const auto& e : database.indexed()) {
        // Quick rejections that cannot change the answer: too long for the
        // rack, or needing more blanks than the rack has for missing letters.
        if (e.length > letters.size()) continue;
        if (!filter.empty() && e.length != filter.size()) continue;
        if (!(e.letters >> 31) &&
            static_cast<std::uint32_t>(std::popcount(e.letters & ~rackMask)) > blanks)
            continue;
        if (!e.node->canBeMadeFrom(letters.c_str())) continue;
        if (!fitsFilter(e.node->word(), e.length, filter)) continue;
        found.push_back({e.node, layScore(e.node->word(), tiles)});
    }
    // Found in word order; a stable sort keeps that order among equal scores.
    std::stable_sort(found.begin(), found.end(),
                     [](const BuildResult& a, const BuildResult& b) { return a.score > b.score; });
    return found;
}

std::vector<std::string> listBuildableWords(CWordDatabase& database, const std::string& letters,
                                            const std::string& filter) {
    const std::vector<BuildResult> found = findBuildableWords(database, letters, filter);
    std::vector<std::string> lines;
    if (found.empty()) {
        lines.emplace_back(str::kNoWordFound);
        return lines;
    }
    const std::size_t shown = std::min<std::size_t>(found.size(), kBuilderListBudget);
    lines.reserve(shown + 1);
    char line[600];
    for (std::size_t i = 0; i < shown; ++i) {
        std::snprintf(line, sizeof line, "%s : %ld", found[i].entry->word(), found[i].score);
        lines.emplace_back(line);
    }
    if (found.size() > shown) lines.emplace_back(str::kMoreNotShown);
    return lines;
}

std::optional<std::string> builderLineText(CWordDatabase& database, const std::string* line) {
    if (!line || *line == str::kMoreNotShown) return std::string(str::kBuilderHelp);
    // "No word found" is a message, not a word: its first word "no" is a
    // word of the lexicon, which must not be shown for it.
    if (*line == str::kNoWordFound) return std::nullopt;
    const std::string word = line->substr(0, line->find(' '));
    const CWordNode* entry = word.empty() ? nullptr : database.find(word);
    if (!entry) return std::nullopt;
    if (!*entry->definition()) return word;
    std::string text = word + "\n" + entry->partOfSpeech() + ".  " + entry->definition();
    return text;
}

} // namespace zq
