// The word set file parser and its membership test. Input: a whole
// "*.wordset" file. A parsed set's word list is '*'-separated lower-case
// words; contains() agrees with a plain search of that list for every word
// the file spells and for the listed words themselves.
#include "FuzzSupport.h"
#include "wordsets/UserWordSet.h"

using namespace zq;
using namespace zq::fuzz;

namespace {

bool listedPlainly(const std::string& words, const std::string& word) {
    return !word.empty() && words.find('*' + word + '*') != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CUserWordSet set;
    const bool loaded = set.parse(text);
    ZQ_FUZZ_CHECK(loaded == set.loaded);
    if (!loaded) {
        ZQ_FUZZ_CHECK(!set.contains("a") && set.wordCount() == 0);
        return 0;
    }
    ZQ_FUZZ_CHECK(!set.title.empty());
    ZQ_FUZZ_CHECK(set.words.size() >= 2 && set.words.front() == '*' && set.words.back() == '*');
    for (char c : set.words)
        ZQ_FUZZ_CHECK(c == '*' || (c >= 'a' && c <= 'z'));
    ZQ_FUZZ_CHECK(set.words == "***" || set.words.find("***") == std::string::npos);
    const auto& listed = set.listedWords();
    for (std::size_t i = 0; i < listed.size(); ++i) {
        ZQ_FUZZ_CHECK(set.contains(listed[i]));
        if (i > 0) ZQ_FUZZ_CHECK(listed[i - 1] < listed[i]);
    }
    // Every run of letters and every line of the input, as a query.
    std::size_t queries = 0;
    std::string word;
    auto query = [&](const std::string& w) {
        if (++queries > 256) return;
        const bool letters =
            std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
        ZQ_FUZZ_CHECK(set.contains(w) == (letters && listedPlainly(set.words, w)));
    };
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            word += c;
        } else if (!word.empty()) {
            query(word);
            word.clear();
        }
    }
    if (!word.empty()) query(word);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t eol = text.find('\n', from);
        if (eol == std::string_view::npos) eol = text.size();
        query(std::string(text.substr(from, eol - from)));
        from = eol + 1;
    }
    // Parsing again replaces everything.
    CUserWordSet again;
    again.parse(text);
    ZQ_FUZZ_CHECK(again.words == set.words && again.wordCount() == set.wordCount());
    return 0;
}
