#pragma once

#include <cstdint>

namespace zq {

// The program's one pseudo-random generator. It returns 0..kRandomMax on every
// platform (the C library's rand() range differs between systems), so dealing,
// drawing and the shuffled walk behave the same everywhere for a given seed.
inline constexpr int kRandomMax = 32767;

void seedRandom(std::uint32_t seed);
void seedRandomFromClock();
int randomNumber();

} // namespace zq
