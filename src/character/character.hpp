#pragma once
// The one character record that every screen reads and writes in place.
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

constexpr int revealedCount = 11; // rare item locations the town crier can sell

// Where the character stands, as `wilderness` holds it.
namespace area {
constexpr int32_t village = 0;
constexpr int32_t plains = 1;
constexpr int32_t forest = 2;
constexpr int32_t denseForest = 3;
constexpr int32_t crystalLake = 4;
constexpr int32_t lavaLake = 5;
constexpr int32_t burntField = 6;
constexpr int32_t ashMountain = 7;
constexpr int32_t dragonLair = 8;
constexpr int32_t secretLair = 99; // "dovik's lair", reached only by typing its name
} // namespace area

bool isKnownArea(int32_t wilderness);

// Items are carried and equipped by id, 1 to 44 (the catalogue names each); 0 is an empty slot.
constexpr int32_t lastItemId = 44;
bool isItemId(int32_t id);

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

struct SkillFields {
    std::string_view name; // as typed and listed
    int32_t Character::*level;
    int32_t Character::*cost; // mana
    int32_t startingCost;     // a new character's, the same for both classes
};

// The ten skills in the order every list shows them: five warrior skills, then five spells.
inline constexpr auto skillFields = std::to_array<SkillFields>({
    {"whirlwind", &Character::whirlwind, &Character::whirlwindMana, 2},
    {"stab", &Character::stab, &Character::stabMana, 3},
    {"blades", &Character::blades, &Character::bladesMana, 3},
    {"slice", &Character::slice, &Character::sliceMana, 2},
    {"gouge", &Character::gouge, &Character::gougeMana, 2},
    {"bolt", &Character::bolt, &Character::boltMana, 5},
    {"stun", &Character::stun, &Character::stunMana, 7},
    {"fire", &Character::fire, &Character::fireMana, 6},
    {"heal", &Character::heal, &Character::healMana, 5},
    {"poison", &Character::poison, &Character::poisonMana, 6},
});

// Back to the initial record.
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
