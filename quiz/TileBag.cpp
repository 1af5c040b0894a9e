#include "quiz/TileBag.h"

#include <cstring>

#include "core/Random.h"

namespace zq {

namespace {
inline bool isLetter(int c) {
    return c >= 'a' && c <= 'z';
}
} // namespace

std::string CTileBag::fullBag() {
    std::string bag;
    bag.reserve(kTilesInBag);
    for (char c = 'a'; c <= 'z'; ++c)
        bag.append(static_cast<std::size_t>(tileCount(c)), c);
    return bag;
}

std::string CTileBag::deal(const std::string& target) {
    if (target.empty() || target.size() > kRackSize) return {};
    for (char c : target)
        if (!isLetter(static_cast<unsigned char>(c))) return {};

    std::string bag = fullBag();
    for (char c : target) {
        const auto at = bag.find(c);
        if (at != std::string::npos) bag.erase(at, 1);
    }
    std::string picked = target;
    for (std::size_t n = target.size(); n < kRackSize; ++n) {
        const std::size_t i = static_cast<std::size_t>(randomNumber()) % bag.size();
        picked += bag[i];
        bag.erase(i, 1);
    }
    std::string result;
    while (!picked.empty()) {
        const std::size_t i = static_cast<std::size_t>(randomNumber()) % picked.size();
        result += picked[i];
        picked.erase(i, 1);
    }
    return result;
}

} // namespace zq
