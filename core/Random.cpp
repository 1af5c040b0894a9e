#include "core/Random.h"

#include <ctime>

namespace zq {

namespace {
std::uint32_t g_state = 1;
}

void seedRandom(std::uint32_t seed) {
    g_state = seed;
}

void seedRandomFromClock() {
    seedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
}

int randomNumber() {
    // Linear congruential generator of the C standard's sample rand(); the
    // high bits of the state are the better ones.
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int>((g_state / 65536u) % 32768u);
}

} // namespace zq
