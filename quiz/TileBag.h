#pragma once

#include <string>

#include "core/Letters.h"

namespace zq {

inline constexpr int kRackSize = 7;

// Deals the quiz its seven tiles.
class CTileBag {
  public:
    // The target's letters plus 7 - length(target) tiles drawn from the rest of
    // the bag, shuffled. The target must be 1 to 7 letters 'a'..'z'; anything
    // else gives an empty string.
    static std::string deal(const std::string& target);
    // The 98 letters of the bag in alphabetical order.
    static std::string fullBag();
};

} // namespace zq
