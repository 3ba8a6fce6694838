#include "console/random.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

void seedRandom(uint32_t seed) {
    randomEngine.seed(seed);
}

int32_t randomInt(int32_t lo, int32_t hi) {
    if (drawOverride) return drawOverride(lo, hi);
    std::uniform_int_distribution<int32_t> range(lo, hi);
    return range(randomEngine);
}

namespace {

int32_t truncatedToInt(double value) {
    double limited = std::clamp(value, double{std::numeric_limits<int32_t>::min()},
                                double{std::numeric_limits<int32_t>::max()});
    return static_cast<int32_t>(std::trunc(limited));
}

} // namespace

int32_t randomBetween(double low, double high) {
    int32_t a = truncatedToInt(low);
    int32_t b = truncatedToInt(high);
    return randomInt(std::min(a, b), std::max(a, b));
}
