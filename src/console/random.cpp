#include "console/random.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

void seedRandom(uint32_t seed) {
    randomEngine.seed(seed);
}

namespace {

// The draw libstdc++'s uniform_int_distribution makes from a 32-bit engine (Lemire's nearly
// divisionless method), written out so that every standard library deals the same game from
// a seed: libc++ draws other numbers from the same engine.
uint32_t drawBelow(uint32_t count) {
    uint64_t product = uint64_t{randomEngine()} * count;
    auto low = static_cast<uint32_t>(product);
    if (low < count) {
        const uint32_t threshold = (0u - count) % count;
        while (low < threshold) {
            product = uint64_t{randomEngine()} * count;
            low = static_cast<uint32_t>(product);
        }
    }
    return static_cast<uint32_t>(product >> 32);
}

int32_t truncatedToInt(double value) {
    double limited = std::clamp(value, double{std::numeric_limits<int32_t>::min()},
                                double{std::numeric_limits<int32_t>::max()});
    return static_cast<int32_t>(std::trunc(limited));
}

} // namespace

int32_t randomInt(int32_t lo, int32_t hi) {
    if (drawOverride) return drawOverride(lo, hi);
    const uint32_t span = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo);
    // The whole 32-bit range is the engine's own: one draw, used as it comes.
    const uint32_t offset =
        span == UINT32_MAX ? static_cast<uint32_t>(randomEngine()) : drawBelow(span + 1);
    return static_cast<int32_t>(static_cast<uint32_t>(lo) + offset);
}

int32_t randomBetween(double low, double high) {
    int32_t a = truncatedToInt(low);
    int32_t b = truncatedToInt(high);
    return randomInt(std::min(a, b), std::max(a, b));
}
