#pragma once
// The one random engine; every chance in the game is a randomInt draw.
#include <cstdint>
#include <random>

inline std::mt19937 randomEngine;

void seedRandom(uint32_t seed);
// A uniform integer in the closed range [lo, hi]; lo must not be above hi.
int32_t randomInt(int32_t lo, int32_t hi);
// A uniform integer between two real bounds, each truncated toward zero and kept inside
// 32 bits (so huge stats roll at the limit), in either order.
int32_t randomBetween(double low, double high);
