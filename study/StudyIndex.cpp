#include "study/StudyIndex.h"

#include <algorithm>
#include <cstring>

#include "core/Letters.h"
#include "core/WordDatabase.h"

namespace zq {

namespace {

// The longest word a count is worked out for; the lexicon's longest has 28.
constexpr int kLongest = 64;

bool isLower(unsigned char c) {
    return c >= 'a' && c <= 'z';
}

// C(n, k) for the bag's sizes: n up to 100, k up to kLongest.
const DrawCount& choose(int n, int k) {
    static const auto table = [] {
        static DrawCount t[101][kLongest + 1] = {};
        for (int i = 0; i <= 100; ++i) {
            t[i][0] = 1;
            for (int j = 1; j <= std::min(i, kLongest); ++j)
                t[i][j] = t[i - 1][j - 1] + (j <= i - 1 ? t[i - 1][j] : 0);
        }
        return &t;
    }();
    static const DrawCount zero = 0;
    if (n < 0 || k < 0 || n > 100 || k > kLongest || k > n) return zero;
    return (*table)[n][k];
}

// FNV-1a over the word's bytes.
std::uint64_t hashOf(std::string_view word) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : word) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// A sort key for (length, alphagram): the length, then the first eleven
// letters at five bits each; longer alphagrams are told apart afterwards.
std::uint64_t groupKey(std::string_view alpha) {
    std::uint64_t key = static_cast<std::uint64_t>(std::min<std::size_t>(alpha.size(), 31)) << 59;
    for (std::size_t i = 0; i < 11; ++i) {
        const std::uint64_t letter =
            i < alpha.size() ? static_cast<std::uint64_t>(alpha[i] - 'a' + 1) : 0;
        key |= letter << (54 - 5 * i);
    }
    return key;
}

} // namespace

std::string toDecimal(DrawCount count) {
    if (count == 0) return "0";
    std::string digits;
    while (count > 0) {
        digits += static_cast<char>('0' + static_cast<int>(count % 10));
        count /= 10;
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

std::string alphagram(std::string_view letters) {
    std::string out(letters);
    std::sort(out.begin(), out.end());
    return out;
}

DrawCount drawCount(std::string_view letters, int blanks) {
    if (letters.size() > static_cast<std::size_t>(kLongest) || blanks < 0) return 0;
    int counts[kLetterCount] = {};
    for (unsigned char c : letters) {
        if (!isLower(c)) return 0;
        ++counts[c - 'a'];
    }
    // The ways as a polynomial in the number of blanks used, cut at `blanks`:
    // each letter drawn c times with d of them as blanks adds C(tiles, c - d)
    // ways for x^d.
    const int most = std::min<int>(blanks, static_cast<int>(letters.size()));
    std::vector<DrawCount> ways(static_cast<std::size_t>(most) + 1, 0), next;
    ways[0] = 1;
    for (int letter = 0; letter < kLetterCount; ++letter) {
        const int c = counts[letter];
        if (c == 0) continue;
        const int tiles = tileCount('a' + letter);
        next.assign(ways.size(), 0);
        for (int have = 0; have <= most; ++have) {
            if (ways[static_cast<std::size_t>(have)] == 0) continue;
            for (int d = 0; d <= c && have + d <= most; ++d)
                next[static_cast<std::size_t>(have + d)] +=
                    ways[static_cast<std::size_t>(have)] * choose(tiles, c - d);
        }
        ways.swap(next);
    }
    DrawCount total = 0;
    for (int k = 0; k <= most; ++k)
        total += choose(blanks, k) * ways[static_cast<std::size_t>(k)];
    return total;
}

DrawCount drawsOf(int n, int blanks) {
    return choose(kTilesInBag + blanks, n);
}

StudyIndex::StudyIndex(CWordDatabase& database) : database_(database) {
    build();
}

std::uint64_t StudyIndex::lexiconState() const {
    return (static_cast<std::uint64_t>(CNodePool::counter()) << 32) ^ database_.changeCount();
}

void StudyIndex::refresh() {
    if (lexiconState() != builtFor_) build();
}

void StudyIndex::build() {
    builtFor_ = lexiconState();
    for (auto& r : ranks_)
        r.clear();
    words_.clear();
    alphagrams_.clear();
    const auto& entries = database_.indexed();
    words_.reserve(entries.size());
    std::size_t letterTotal = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CWordDatabase::IndexedEntry& e = entries[i];
        // Words of a-z only (bit 31 marks any other character), and not one
        // given the definition "delete": it is gone at the next start.
        if ((e.letters >> 31) || e.length == 0 || e.length > 255) continue;
        if (std::strcmp(e.node->definition(), "delete") == 0) continue;
        Word w{};
        w.text = e.node->word();
        w.node = e.node;
        w.letters = e.letters;
        w.entry = static_cast<std::uint32_t>(i);
        w.length = static_cast<std::uint8_t>(e.length);
        w.expurged = e.node->has(CWordNode::Expurged);
        words_.push_back(w);
        letterTotal += e.length;
    }
    // Alphagrams by counting the letters: no comparison sort per word.
    alphagrams_.resize(letterTotal);
    std::size_t at = 0;
    for (Word& w : words_) {
        w.alphagram = static_cast<std::uint32_t>(at);
        std::uint8_t counts[kLetterCount] = {};
        for (std::size_t k = 0; k < w.length; ++k)
            ++counts[w.text[k] - 'a'];
        for (int letter = 0; letter < kLetterCount; ++letter)
            for (int n = 0; n < counts[letter]; ++n)
                alphagrams_[at++] = static_cast<char>('a' + letter);
    }

    // The words ordered by (length, alphagram, word): each run of one
    // alphagram is a group. Words are already in word order, so ties keep it.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> order(words_.size());
    for (std::uint32_t i = 0; i < words_.size(); ++i)
        order[i] = {groupKey(alphagramOf(i)), i};
    std::sort(order.begin(), order.end(), [this](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        if (words_[a.second].length != words_[b.second].length)
            return words_[a.second].length < words_[b.second].length;
        if (words_[a.second].length > 11) {
            const int c = alphagramOf(a.second).compare(alphagramOf(b.second));
            if (c != 0) return c < 0;
        }
        return a.second < b.second;
    });
    members_.resize(order.size());
    groups_.clear();
    lengthStarts_.assign(257, 0);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t i = order[k].second;
        members_[k] = i;
        if (groups_.empty() || groups_.back().length != words_[i].length ||
            alphagramOf(members_[groups_.back().first]) != alphagramOf(i)) {
            groups_.push_back(
                {static_cast<std::uint32_t>(k), 0, words_[i].length, words_[i].alphagram});
        }
        ++groups_.back().size;
        words_[i].group = static_cast<std::uint32_t>(groups_.size() - 1);
    }
    // lengthStarts_[n]: the first group of words of n letters or more.
    std::size_t g = 0;
    for (int n = 0; n <= 256; ++n) {
        while (g < groups_.size() && groups_[g].length < n)
            ++g;
        lengthStarts_[static_cast<std::size_t>(n)] = static_cast<std::uint32_t>(g);
    }

    // Open addressing, at most half full.
    std::size_t capacity = 1024;
    while (capacity < words_.size() * 2)
        capacity *= 2;
    hash_.assign(capacity, 0);
    for (std::uint32_t i = 0; i < words_.size(); ++i) {
        std::size_t slot = hashOf(text(i)) & (capacity - 1);
        while (hash_[slot] != 0)
            slot = (slot + 1) & (capacity - 1);
        hash_[slot] = i + 1;
    }
}

std::pair<std::uint32_t, std::uint32_t> StudyIndex::groupsOfLength(int length) const {
    if (length < 0 || length > 255) return {0, 0};
    return {lengthStarts_[static_cast<std::size_t>(length)],
            lengthStarts_[static_cast<std::size_t>(length) + 1]};
}

std::int64_t StudyIndex::find(std::string_view word, bool expurged) const {
    if (hash_.empty() || word.empty()) return -1;
    const std::size_t mask = hash_.size() - 1;
    for (std::size_t slot = hashOf(word) & mask; hash_[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint32_t i = hash_[slot] - 1;
        if (words_[i].length == word.size() &&
            std::memcmp(words_[i].text, word.data(), word.size()) == 0)
            return (expurged || !words_[i].expurged) ? static_cast<std::int64_t>(i) : -1;
    }
    return -1;
}

std::vector<std::uint32_t> StudyIndex::anagrams(std::string_view letters, bool expurged) const {
    std::vector<std::uint32_t> found;
    int counts[kLetterCount] = {};
    int blanks = 0;
    for (unsigned char c : letters) {
        if (c == '?')
            ++blanks;
        else if (isLower(c))
            ++counts[c - 'a'];
        else
            return found;
    }
    const int length = static_cast<int>(letters.size());
    const auto [first, last] = groupsOfLength(length);
    auto take = [&](const Group& g) {
        for (std::uint32_t k = g.first; k < g.first + g.size; ++k)
            if (expurged || !words_[members_[k]].expurged) found.push_back(members_[k]);
    };
    auto lookUp = [&](const std::string& alpha) {
        // Groups of one length are in alphagram order.
        const auto it = std::lower_bound(
            groups_.begin() + first, groups_.begin() + last, alpha,
            [this](const Group& g, const std::string& a) {
                return std::string_view(alphagrams_.data() + g.alphagram, g.length) < a;
            });
        if (it != groups_.begin() + last &&
            std::string_view(alphagrams_.data() + it->alphagram, it->length) == alpha)
            take(*it);
    };
    if (blanks <= 2) {
        // Every letter the blanks may stand for, each choice once (a <= b).
        std::string known;
        for (int letter = 0; letter < kLetterCount; ++letter)
            known.append(static_cast<std::size_t>(counts[letter]), static_cast<char>('a' + letter));
        if (blanks == 0) {
            lookUp(known);
        } else {
            for (char a = 'a'; a <= 'z'; ++a) {
                if (blanks == 1) {
                    lookUp(alphagram(known + a));
                    continue;
                }
                for (char b = a; b <= 'z'; ++b)
                    lookUp(alphagram(known + a + b));
            }
        }
    } else {
        // More blanks: a walk over the groups of that length is quicker than
        // every choice of letters.
        for (std::uint32_t gi = first; gi < last; ++gi) {
            const Group& g = groups_[gi];
            // Of the right length, a group matches when it holds every known
            // letter; the blanks are the rest.
            int have[kLetterCount] = {};
            for (std::size_t k = 0; k < g.length; ++k)
                ++have[alphagrams_[g.alphagram + k] - 'a'];
            bool holds = true;
            for (int letter = 0; letter < kLetterCount && holds; ++letter)
                holds = counts[letter] <= have[letter];
            if (holds) take(g);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

int StudyIndex::anagramCount(std::uint32_t i, bool expurged) const {
    const Group& g = groupOf(i);
    int n = 0;
    for (std::uint32_t k = g.first; k < g.first + g.size; ++k)
        if (expurged || !words_[members_[k]].expurged) ++n;
    return n;
}

Hooks StudyIndex::hooks(std::string_view word, bool expurged) const {
    Hooks h;
    if (word.empty() || word.size() > 254) return h;
    char buffer[256];
    std::memcpy(buffer + 1, word.data(), word.size());
    for (char c = 'a'; c <= 'z'; ++c) {
        buffer[0] = c;
        if (isWord(std::string_view(buffer, word.size() + 1), expurged)) h.front += c;
    }
    for (char c = 'a'; c <= 'z'; ++c) {
        buffer[word.size() + 1] = c;
        if (isWord(std::string_view(buffer + 1, word.size() + 1), expurged)) h.back += c;
    }
    h.withoutFirst = isWord(word.substr(1), expurged);
    h.withoutLast = isWord(word.substr(0, word.size() - 1), expurged);
    return h;
}

DrawCount StudyIndex::count(std::uint32_t i, int blanks) const {
    return drawCount(alphagramOf(i), blanks);
}

const std::vector<std::uint32_t>& StudyIndex::ranks(int blanks, bool expurged) {
    blanks = std::clamp(blanks, 0, 2);
    std::vector<std::uint32_t>& ranks =
        ranks_[static_cast<std::size_t>(blanks * 2 + (expurged ? 1 : 0))];
    if (!ranks.empty() || words_.empty()) return ranks;
    // One count per group; then, length by length, the groups by count
    // (highest first), keeping their alphagram order among equals, and each
    // group's words in word order.
    std::vector<DrawCount> counts(groups_.size());
    for (std::size_t g = 0; g < groups_.size(); ++g)
        counts[g] = drawCount(
            std::string_view(alphagrams_.data() + groups_[g].alphagram, groups_[g].length), blanks);
    std::vector<std::uint32_t> order(groups_.size());
    for (std::uint32_t g = 0; g < order.size(); ++g)
        order[g] = g;
    ranks.assign(words_.size(), 0);
    for (int length = 1; length <= 255; ++length) {
        const auto [first, last] = groupsOfLength(length);
        if (first == last) continue;
        std::stable_sort(
            order.begin() + first, order.begin() + last,
            [&counts](std::uint32_t a, std::uint32_t b) { return counts[a] > counts[b]; });
        std::uint32_t rank = 0;
        for (std::uint32_t k = first; k < last; ++k) {
            const Group& g = groups_[order[k]];
            for (std::uint32_t m = g.first; m < g.first + g.size; ++m)
                if (expurged || !words_[members_[m]].expurged) ranks[members_[m]] = ++rank;
        }
    }
    return ranks;
}

} // namespace zq
