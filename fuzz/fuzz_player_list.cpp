// A player's word list file. Input: the file's bytes. Whatever they are, the
// reader either refuses the file whole (a reason, no words) or gives sorted
// words of two or more letters a-z, each once, and counts that add up to the
// lines it read.
#include "FuzzSupport.h"
#include "core/PlayerWordList.h"

#include <algorithm>

using namespace zq;
using namespace zq::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const PlayerWordList list = parsePlayerWordList(bytes);
    if (!list.error.empty()) {
        ZQ_FUZZ_CHECK(list.words.empty());
        return 0;
    }
    ZQ_FUZZ_CHECK(!list.words.empty());
    ZQ_FUZZ_CHECK(std::is_sorted(list.words.begin(), list.words.end()));
    ZQ_FUZZ_CHECK(std::adjacent_find(list.words.begin(), list.words.end()) == list.words.end());
    for (const std::string& w : list.words) {
        ZQ_FUZZ_CHECK(w.size() >= 2 && w.size() <= PlayerWordList::kMaxLength);
        ZQ_FUZZ_CHECK(std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
    }
    ZQ_FUZZ_CHECK(static_cast<std::int64_t>(list.words.size()) + list.duplicates + list.skipped +
                      list.refused ==
                  list.lines);
    ZQ_FUZZ_CHECK(static_cast<int>(list.firstRefused.size()) ==
                  std::min(list.refused, PlayerWordList::kRefusalsKept));
    return 0;
}
