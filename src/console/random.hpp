#pragma once
// The one random engine; every chance in the game is a randomInt draw.
#include <cstdint>
#include <functional>
#include <random>

inline std::mt19937 randomEngine;
// While set, decides every draw from its range instead of the engine: tests meet a rule at
// the exact edge of its chance or roll. The game never sets it.
inline std::function<int32_t(int32_t lo, int32_t hi)> drawOverride;

void seedRandom(uint32_t seed);
// A uniform integer in the closed range [lo, hi]; lo must not be above hi.
int32_t randomInt(int32_t lo, int32_t hi);
// A uniform integer between two real bounds, each truncated toward zero and kept inside
// 32 bits (so huge stats roll at the limit), in either order.
int32_t randomBetween(double low, double high);
