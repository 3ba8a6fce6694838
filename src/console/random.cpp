#include "console/random.hpp"

void seedRandom(uint32_t seed) {
    randomEngine.seed(seed);
}

int32_t randomInt(int32_t lo, int32_t hi) {
    std::uniform_int_distribution<int32_t> range(lo, hi);
    return range(randomEngine);
}
