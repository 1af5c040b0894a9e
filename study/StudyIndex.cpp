#include "study/StudyIndex.h"

#include <algorithm>
#include <bit>
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

// C(n, k) for the bag's sizes: n up to 100, k up to kLongest; 0 for k > n.
struct Binomials {
    DrawCount t[101][kLongest + 1] = {};
    Binomials() {
        for (int i = 0; i <= 100; ++i) {
            t[i][0] = 1;
            for (int j = 1; j <= std::min(i, kLongest); ++j)
                t[i][j] = t[i - 1][j - 1] + (j <= i - 1 ? t[i - 1][j] : 0);
        }
    }
};
const Binomials kBinomials;

inline DrawCount choose(int n, int k) {
    if (n < 0 || k < 0 || n > 100 || k > kLongest || k > n) return 0;
    return kBinomials.t[n][k];
}

// A polynomial hash, sum of c[i] * P^(n-1-i): the hash of x + word and of
// word + x follow from the word's own in one step each, which the hooks use.
constexpr std::uint64_t kHashBase = 0x100000001b3ull;

std::uint64_t hashOf(std::string_view word) {
    std::uint64_t h = 0;
    for (unsigned char c : word)
        h = h * kHashBase + c;
    return h;
}

std::uint64_t powerOf(std::size_t n) {
    std::uint64_t p = 1;
    for (std::size_t i = 0; i < n; ++i)
        p *= kHashBase;
    return p;
}

// Spreads a hash over every bit (the finaliser of a well-known 64-bit mix).
std::uint64_t mixed(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
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

namespace {

// The count in the integer type T, which must hold C(98 + blanks, n).
template <class T, int MostBlanks> T countIn(std::string_view letters, int blanks) {
    int counts[kLetterCount] = {};
    for (unsigned char c : letters) {
        if (!isLower(c)) return 0;
        ++counts[c - 'a'];
    }
    // The ways as a polynomial in the number of blanks used, cut at `blanks`:
    // each letter drawn c times with d of them as blanks adds C(tiles, c - d)
    // ways for x^d.
    const int most = std::min<int>(blanks, static_cast<int>(letters.size()));
    T ways[MostBlanks + 1];
    ways[0] = 1;
    for (int k = 1; k <= most; ++k)
        ways[k] = 0;
    for (int letter = 0; letter < kLetterCount; ++letter) {
        const int c = counts[letter];
        if (c == 0) continue;
        const int tiles = tileCount('a' + letter);
        if (most == 0) {
            ways[0] *= static_cast<T>(choose(tiles, c));
            continue;
        }
        // In place, highest power first, so each term reads the old lower ones.
        for (int have = most; have >= 0; --have) {
            T sum = 0;
            for (int d = 0; d <= c && d <= have; ++d)
                if (ways[have - d] != 0)
                    sum += ways[have - d] * static_cast<T>(choose(tiles, c - d));
            ways[have] = sum;
        }
    }
    T total = 0;
    for (int k = 0; k <= most; ++k)
        total += static_cast<T>(choose(blanks, k)) * ways[k];
    return total;
}

// For each letter drawn c times, the ways with d of them as blanks (d = 0, 1,
// 2): C(tiles, c - d).
struct RunWays {
    std::uint64_t t[kLetterCount][kLongest + 1][3] = {};
    RunWays() {
        for (int letter = 0; letter < kLetterCount; ++letter)
            for (int c = 0; c <= kLongest; ++c)
                for (int d = 0; d < 3; ++d)
                    t[letter][c][d] =
                        c >= d ? static_cast<std::uint64_t>(choose(tileCount('a' + letter), c - d))
                               : 0;
    }
};
const RunWays kRunWays;

// The count of an alphagram of at most 17 letters with up to two blanks, by
// its runs of equal letters: the quick form of countIn for ranking.
std::uint64_t alphagramCount(std::string_view alpha, int blanks) {
    std::uint64_t w0 = 1, w1 = 0, w2 = 0;
    for (std::size_t i = 0; i < alpha.size();) {
        std::size_t j = i + 1;
        while (j < alpha.size() && alpha[j] == alpha[i])
            ++j;
        const std::uint64_t* p = kRunWays.t[alpha[i] - 'a'][j - i];
        w2 = w2 * p[0] + w1 * p[1] + w0 * p[2];
        w1 = w1 * p[0] + w0 * p[1];
        w0 = w0 * p[0];
        i = j;
    }
    // C(blanks, k) ways to choose the k blanks.
    if (blanks == 0) return w0;
    if (blanks == 1) return w0 + w1;
    return w0 + 2 * w1 + w2;
}

} // namespace

DrawCount drawCount(std::string_view letters, int blanks) {
    if (letters.size() > static_cast<std::size_t>(kLongest) || blanks < 0 || blanks > 100) return 0;
    // Every partial count is a count of draws of at most n tiles, so none
    // passes C(98 + blanks, n): 64 bits hold that for up to 17 tiles.
    if (letters.size() <= 17 && blanks <= 2) return countIn<std::uint64_t, 2>(letters, blanks);
    return countIn<DrawCount, kLongest>(letters, blanks);
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
    alphagrams_.reserve(entries.size() * 9);
    // Only an edit gives an entry the definition "delete" (the load passes
    // such records over): the word is gone at the next start, and from here.
    std::vector<const CWordNode*> deleted;
    for (const CWordNode* node : database_.editedEntries())
        if (std::strcmp(node->definition(), "delete") == 0) deleted.push_back(node);
    std::sort(deleted.begin(), deleted.end());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CWordDatabase::IndexedEntry& e = entries[i];
#if defined(__GNUC__) || defined(__clang__)
        // The entries lie all over the pool: fetch the ones a few steps on.
        if (i + 16 < entries.size()) __builtin_prefetch(entries[i + 16].node);
        if (i + 8 < entries.size()) __builtin_prefetch(entries[i + 8].node->text);
#endif
        // Words of a-z only (bit 31 marks any other character).
        if ((e.letters >> 31) || e.length == 0 || e.length > 255) continue;
        if (!deleted.empty() && std::binary_search(deleted.begin(), deleted.end(), e.node))
            continue;
        Word w{};
        w.text = e.node->word();
        w.node = e.node;
        w.letters = e.letters;
        w.entry = static_cast<std::uint32_t>(i);
        w.length = static_cast<std::uint8_t>(e.length);
        w.expurged = e.node->has(CWordNode::Expurged);
        // The alphagram by counting the letters: no sort per word.
        w.alphagram = static_cast<std::uint32_t>(alphagrams_.size());
        std::uint8_t counts[kLetterCount] = {};
        for (std::size_t k = 0; k < w.length; ++k)
            ++counts[w.text[k] - 'a'];
        alphagrams_.resize(alphagrams_.size() + w.length);
        char* out = alphagrams_.data() + w.alphagram;
        // Only the letters the word holds: its mask says which.
        for (std::uint32_t m = w.letters & ((1u << kLetterCount) - 1); m != 0; m &= m - 1) {
            const int letter = std::countr_zero(m);
            for (int n = counts[letter]; n > 0; --n)
                *out++ = static_cast<char>('a' + letter);
        }
        words_.push_back(w);
    }

    // The words ordered by (length, alphagram, word): each run of one
    // alphagram is a group. Words are already in word order, so ties keep it.
    // Each element carries what a group needs of its word, so that the
    // groups are made without going back to the words (the sorted order
    // visits them all over memory).
    struct Keyed {
        std::uint64_t key;
        std::uint32_t word;
        std::uint32_t alphagram;
    };
    std::vector<Keyed> order(words_.size());
    for (std::uint32_t i = 0; i < words_.size(); ++i)
        order[i] = {groupKey(alphagramOf(i)), i, words_[i].alphagram};
    std::sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.word < b.word;
    });
    // The key holds the whole alphagram up to eleven letters (and lengths up
    // to 31); runs of one key beyond that are put in full order.
    auto full = [this](const Keyed& a, const Keyed& b) {
        if (words_[a.word].length != words_[b.word].length)
            return words_[a.word].length < words_[b.word].length;
        const int c = alphagramOf(a.word).compare(alphagramOf(b.word));
        return c != 0 ? c < 0 : a.word < b.word;
    };
    for (std::size_t k = 0; k < order.size();) {
        std::size_t end = k + 1;
        while (end < order.size() && order[end].key == order[k].key)
            ++end;
        if (end - k > 1 && words_[order[k].word].length > 11)
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(k),
                      order.begin() + static_cast<std::ptrdiff_t>(end), full);
        k = end;
    }
    members_.resize(order.size());
    groups_.clear();
    lengthStarts_.assign(257, 0);
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::uint32_t i = order[k].word;
        members_[k] = i;
        const bool sameKey = k > 0 && order[k - 1].key == order[k].key;
        // The key holds lengths below 31 exactly.
        const auto keyLength = static_cast<std::uint8_t>(order[k].key >> 59);
        const std::uint8_t length = keyLength < 31 ? keyLength : words_[i].length;
        if (!sameKey ||
            (length > 11 && (groups_.back().length != length ||
                             alphagramOf(members_[groups_.back().first]) != alphagramOf(i)))) {
            groups_.push_back({static_cast<std::uint32_t>(k), 0, length, order[k].alphagram});
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

    // Open addressing, at most half full. A slot holds the word's place + 1
    // in its low half and the top of its hash in the high half, so that most
    // probes are settled without reading the word.
    std::size_t capacity = 1024;
    while (capacity < words_.size() * 2)
        capacity *= 2;
    hash_.assign(capacity, 0);
    // The hashes first, so that each slot can be fetched a few words ahead
    // of its insertion.
    std::vector<std::uint64_t> hashes(words_.size());
    for (std::uint32_t i = 0; i < words_.size(); ++i)
        hashes[i] = mixed(hashOf(text(i)));
    for (std::uint32_t i = 0; i < words_.size(); ++i) {
#if defined(__GNUC__) || defined(__clang__)
        if (i + 8 < words_.size()) __builtin_prefetch(&hash_[hashes[i + 8] & (capacity - 1)], 1);
#endif
        const std::uint64_t h = hashes[i];
        std::size_t slot = h & (capacity - 1);
        while (hash_[slot] != 0)
            slot = (slot + 1) & (capacity - 1);
        hash_[slot] = (h & 0xffffffff00000000ull) | (i + 1);
    }
}

std::int64_t StudyIndex::findHashed(std::string_view word, std::uint64_t h, bool expurged) const {
    const std::size_t mask = hash_.size() - 1;
    const std::uint64_t tag = h & 0xffffffff00000000ull;
    for (std::size_t slot = h & mask; hash_[slot] != 0; slot = (slot + 1) & mask) {
        if ((hash_[slot] & 0xffffffff00000000ull) != tag) continue;
        const std::uint32_t i = static_cast<std::uint32_t>(hash_[slot]) - 1;
        if (words_[i].length == word.size() &&
            std::memcmp(words_[i].text, word.data(), word.size()) == 0)
            return (expurged || !words_[i].expurged) ? static_cast<std::int64_t>(i) : -1;
    }
    return -1;
}

std::size_t StudyIndex::memoryBytes() const {
    std::size_t bytes = words_.capacity() * sizeof(Word) + alphagrams_.capacity() +
                        groups_.capacity() * sizeof(Group) + members_.capacity() * 4 +
                        lengthStarts_.capacity() * 4 + hash_.capacity() * 8;
    for (const auto& r : ranks_)
        bytes += r.capacity() * 4;
    return bytes;
}

std::pair<std::uint32_t, std::uint32_t> StudyIndex::groupsOfLength(int length) const {
    if (length < 0 || length > 255) return {0, 0};
    return {lengthStarts_[static_cast<std::size_t>(length)],
            lengthStarts_[static_cast<std::size_t>(length) + 1]};
}

std::int64_t StudyIndex::find(std::string_view word, bool expurged) const {
    if (hash_.empty() || word.empty()) return -1;
    return findHashed(word, mixed(hashOf(word)), expurged);
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
    const auto lengthRange = groupsOfLength(length);
    const std::uint32_t first = lengthRange.first, last = lengthRange.second;
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
    if (word.empty() || word.size() > 254 || hash_.empty()) return h;
    // The 52 candidates' hashes follow from the word's; their slots are
    // fetched together before any is probed, so the memory answers them at
    // once rather than one after another.
    const std::uint64_t base = hashOf(word);
    const std::uint64_t front = powerOf(word.size());
    std::uint64_t hashes[2 * kLetterCount];
    for (int c = 0; c < kLetterCount; ++c) {
        hashes[c] = mixed(static_cast<std::uint64_t>('a' + c) * front + base);
        hashes[kLetterCount + c] = mixed(base * kHashBase + static_cast<std::uint64_t>('a' + c));
#if defined(__GNUC__) || defined(__clang__)
        __builtin_prefetch(&hash_[hashes[c] & (hash_.size() - 1)]);
        __builtin_prefetch(&hash_[hashes[kLetterCount + c] & (hash_.size() - 1)]);
#endif
    }
    char buffer[256];
    std::memcpy(buffer + 1, word.data(), word.size());
    for (int c = 0; c < kLetterCount; ++c) {
        buffer[0] = static_cast<char>('a' + c);
        if (findHashed(std::string_view(buffer, word.size() + 1), hashes[c], expurged) >= 0)
            h.front += static_cast<char>('a' + c);
    }
    for (int c = 0; c < kLetterCount; ++c) {
        buffer[word.size() + 1] = static_cast<char>('a' + c);
        if (findHashed(std::string_view(buffer + 1, word.size() + 1), hashes[kLetterCount + c],
                       expurged) >= 0)
            h.back += static_cast<char>('a' + c);
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
    // Length by length: one count per group, the groups by count (highest
    // first; among equals in alphagram order, which is the groups' own), and
    // each group's words in word order.
    ranks.assign(words_.size(), 0);
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
    std::vector<std::pair<DrawCount, std::uint32_t>> wide;
    std::vector<std::uint32_t> order;
    for (int length = 1; length <= 255; ++length) {
        const auto lengthRange = groupsOfLength(length);
        const std::uint32_t first = lengthRange.first, last = lengthRange.second;
        if (first == last) continue;
        order.clear();
        auto alphaOf = [this](std::uint32_t g) {
            return std::string_view(alphagrams_.data() + groups_[g].alphagram, groups_[g].length);
        };
        if (length <= 17) {
            // 64 bits hold every count of up to 17 tiles; the complement sorts
            // the highest first.
            keyed.clear();
            for (std::uint32_t g = first; g < last; ++g)
                keyed.emplace_back(~alphagramCount(alphaOf(g), blanks), g);
            std::sort(keyed.begin(), keyed.end());
            for (const auto& k : keyed)
                order.push_back(k.second);
        } else {
            wide.clear();
            for (std::uint32_t g = first; g < last; ++g)
                wide.emplace_back(drawCount(alphaOf(g), blanks), g);
            std::sort(wide.begin(), wide.end(), [](const auto& a, const auto& b) {
                return a.first != b.first ? a.first > b.first : a.second < b.second;
            });
            for (const auto& k : wide)
                order.push_back(k.second);
        }
        std::uint32_t rank = 0;
        for (std::uint32_t gi : order) {
            const Group& g = groups_[gi];
            for (std::uint32_t m = g.first; m < g.first + g.size; ++m)
                if (expurged || !words_[members_[m]].expurged) ranks[members_[m]] = ++rank;
        }
    }
    return ranks;
}

} // namespace zq
