#pragma once
// The one character record that every screen reads and writes in place.
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

constexpr int revealedCount = 11; // rare item locations the town crier can sell

struct Character {
    std::string name;
    int32_t level = 0;
    int32_t xp = 0;
    int32_t statPoints = 0;
    int32_t skillPoints = 0;
    int32_t gold = 0;
    int32_t currentHealth = 0;
    int32_t maxHealth = 0;
    int32_t attack = 0;
    int32_t defense = 0;
    int32_t agility = 0;
    int32_t currentMana = 0;
    int32_t maxMana = 0;
    int32_t wilderness = 0;
    bool safeArea = false;
    int32_t whirlwind = 0;
    int32_t stab = 0;
    int32_t blades = 0;
    int32_t slice = 0;
    int32_t gouge = 0;
    int32_t bolt = 0;
    int32_t stun = 0;
    int32_t fire = 0;
    int32_t heal = 0;
    int32_t poison = 0;
    int32_t whirlwindMana = 0;
    int32_t stabMana = 0;
    int32_t bladesMana = 0;
    int32_t sliceMana = 0;
    int32_t gougeMana = 0;
    int32_t boltMana = 0;
    int32_t stunMana = 0;
    int32_t fireMana = 0;
    int32_t healMana = 0;
    int32_t poisonMana = 0;
    std::vector<int32_t> inventory;
    int32_t weapon = 0;
    int32_t armor = 0;
    bool gameOver = false;
    std::array<bool, revealedCount> revealed{};

    bool operator==(const Character &) const = default;
};

inline Character character;

// Back to the initial record, equipment bonuses included.
void resetCharacter();
void startWarrior();
void startMage();

// Game numbers are 32-bit; sums and products that could pass the limits stop at them.
constexpr int32_t saturate(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
constexpr int32_t saturatingAdd(int32_t a, int64_t b) {
    return saturate(a + b);
}
