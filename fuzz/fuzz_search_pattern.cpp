// The word search's pattern. Input: a pattern, a NUL byte, then words one a
// line. A pattern compiles or is refused with a reason; a compiled one
// matches a word exactly when a plain backtracking match over the pattern's
// own reading says so.
#include "FuzzSupport.h"
#include "study/WordSearch.h"

using namespace zq;
using namespace zq::fuzz;

namespace {

// The pattern read a second way: each place as the set of letters it takes,
// or a star. Only for patterns the compiler took, so it needs no checks.
struct Place {
    bool star = false;
    bool takes[26] = {};
};

std::vector<Place> placesOf(const std::string& p) {
    std::vector<Place> out;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < p.size(); ++i) {
        Place place;
        const char c = lower(p[i]);
        if (c == '*') {
            place.star = true;
        } else if (c == '?') {
            std::fill(std::begin(place.takes), std::end(place.takes), true);
        } else if (c == '[') {
            const std::size_t close = p.find(']', i);
            bool in[26] = {};
            std::size_t k = i + 1;
            const bool negated = p[k] == '^';
            if (negated) ++k;
            for (; k < close; ++k) {
                char from = lower(p[k]), to = from;
                if (k + 2 < close && p[k + 1] == '-') {
                    to = lower(p[k + 2]);
                    k += 2;
                }
                for (char l = from; l <= to; ++l)
                    in[l - 'a'] = true;
            }
            for (int l = 0; l < 26; ++l)
                place.takes[l] = in[l] != negated;
            i = close;
        } else {
            place.takes[c - 'a'] = true;
        }
        out.push_back(place);
    }
    return out;
}

// Whether places [p, end) match the word from `at`, remembered per (p, at).
bool plainMatch(const std::vector<Place>& places, std::size_t p, const std::string& w,
                std::size_t at, std::vector<signed char>& memo) {
    signed char& known = memo[p * (w.size() + 1) + at];
    if (known >= 0) return known;
    bool result;
    if (p == places.size()) {
        result = at == w.size();
    } else if (places[p].star) {
        result = false;
        for (std::size_t k = at; k <= w.size() && !result; ++k)
            result = plainMatch(places, p + 1, w, k, memo);
    } else if (at == w.size()) {
        result = false;
    } else {
        const int c = static_cast<unsigned char>(w[at]) - 'a';
        result =
            c >= 0 && c < 26 && places[p].takes[c] && plainMatch(places, p + 1, w, at + 1, memo);
    }
    known = result ? 1 : 0;
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string pattern = input.substr(0, nul);
    if (pattern.size() > 64) return 0;
    std::string reason;
    const WordPattern compiled = WordPattern::compile(pattern, reason);
    if (!reason.empty()) return 0;
    const std::vector<Place> places = placesOf(pattern);
    std::string words = nul == std::string::npos ? std::string() : input.substr(nul + 1);
    std::size_t from = 0;
    while (from <= words.size()) {
        std::size_t eol = words.find('\n', from);
        if (eol == std::string::npos) eol = words.size();
        const std::string w = words.substr(from, std::min<std::size_t>(eol - from, 40));
        from = eol + 1;
        std::vector<signed char> memo((places.size() + 1) * (w.size() + 1), -1);
        ZQ_FUZZ_CHECK(compiled.matches(w.data(), w.size()) == plainMatch(places, 0, w, 0, memo));
    }
    return 0;
}
