#include "combat/enemies.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/potions.hpp"
#include "combat/skills.hpp"
#include "console/output.hpp"
#include "console/random.hpp"

#include <array>
#include <span>
#include <string_view>

namespace {

struct RosterEntry {
    std::string_view name;
    int32_t level;
    int32_t health;
    int32_t attack;
    int32_t defense;
    int32_t agility;
};

// clang-format off
constexpr auto plainsRoster = std::to_array<RosterEntry>({
    {"hawk", 1, 50, 15, 4, 10},
    {"goblin", 1, 75, 10, 12, 2},
    {"unicorn", 2, 60, 20, 5, 10},
    {"pegasus", 2, 90, 20, 10, 20},
    {"fairy", 2, 120, 10, 10, 10},
    {"jackalope", 3, 150, 15, 20, 25},
});
constexpr auto forestRoster = std::to_array<RosterEntry>({
    {"giant rat", 3, 135, 25, 10, 3},
    {"living tree", 3, 160, 15, 50, 0},
    {"elf", 4, 120, 20, 0, 30},
    {"troll", 4, 200, 30, 30, 15},
    {"owl", 5, 230, 25, 20, 10},
});
constexpr auto denseForestRoster = std::to_array<RosterEntry>({
    {"griffin", 5, 250, 25, 20, 20},
    {"wyvern", 6, 300, 25, 35, 25},
    {"cockatrice", 6, 150, 40, 10, 25},
    {"giant", 7, 400, 20, 50, 5},
    {"panther", 7, 230, 20, 40, 35},
    {"rogue", 8, 500, 35, 60, 15},
});
constexpr auto crystalLakeRoster = std::to_array<RosterEntry>({
    {"nymph", 9, 350, 45, 80, 30},
    {"siren", 9, 500, 35, 35, 40},
    {"thunderbird", 10, 400, 30, 40, 30},
    {"shining essence", 11, 700, 50, 30, 10},
    {"leviathan", 12, 800, 45, 70, 25},
});
constexpr auto lavaLakeRoster = std::to_array<RosterEntry>({
    {"fire wisp", 8, 450, 40, 30, 40},
    {"serpent", 9, 500, 45, 60, 10},
    {"fire bird", 9, 340, 30, 100, 25},
    {"valkyrie", 10, 650, 50, 20, 35},
    {"salamander", 10, 300, 70, 40, 50},
});
constexpr auto burntFieldRoster = std::to_array<RosterEntry>({
    {"wraith", 10, 700, 60, 60, 40},
    {"charred golem", 11, 500, 80, 90, 25},
    {"firewyrm", 11, 550, 75, 80, 35},
    {"banshee", 12, 1000, 90, 0, 60},
    {"hellhound", 13, 600, 100, 75, 20},
});
constexpr auto ashMountainRoster = std::to_array<RosterEntry>({
    {"dust devil", 13, 700, 80, 50, 45},
    {"ancient ogre", 14, 1300, 70, 100, 20},
    {"zombie", 15, 1000, 120, 45, 30},
    {"stone titan", 15, 1400, 120, 160, 5},
    {"phoenix", 16, phoenixHealth, 60, 60, 40},
});
constexpr RosterEntry dragon{"dragon", 14, 1400, 100, 130, 45};
constexpr RosterEntry secretBoss{"Dovik Vel'karr", 100, 2500, 350, 50, 80};
// clang-format on

// The plains open up with the character's first two levels.
size_t plainsSlots() {
    if (character.level == 1) return 2;
    if (character.level == 2) return 4;
    return 6;
}

const RosterEntry &drawFrom(std::span<const RosterEntry> slots) {
    return slots[static_cast<size_t>(randomInt(1, static_cast<int32_t>(slots.size())) - 1)];
}

const RosterEntry &pickEnemy() {
    switch (character.wilderness) {
    case area::plains:
        return drawFrom(std::span(plainsRoster).first(plainsSlots()));
    case area::forest:
        return drawFrom(forestRoster);
    case area::denseForest:
        return drawFrom(denseForestRoster);
    case area::crystalLake:
        return drawFrom(crystalLakeRoster);
    case area::lavaLake:
        return drawFrom(lavaLakeRoster);
    case area::burntField:
        return drawFrom(burntFieldRoster);
    case area::ashMountain:
        return drawFrom(ashMountainRoster);
    case area::dragonLair:
        return dragon;
    default:
        return secretBoss;
    }
}

void resetFightState() {
    enemyStunRounds = enemyBleedRounds = enemyPoisonRounds = enemyFireRounds = 0;
    playerStunRounds = playerBleedRounds = playerPoisonRounds = playerFireRounds = 0;
    skillMenuActive = potionMenuActive = false;
}

} // namespace

void generateEnemy() {
    resetFightState();
    const RosterEntry &enemy = pickEnemy();
    enemyName = enemy.name;
    enemyLevel = enemy.level;
    enemyHealth = enemy.health;
    enemyAttack = enemy.attack;
    enemyDefense = enemy.defense;
    enemyAgility = enemy.agility;

    if (enemyName == secretBossName)
        logLine("The mighty Dovik Vel'karr appears!", "red");
    else
        logLine("A wild " + enemyName + " appears!");
    logLine("");

    if (randomInt(1, 100) <= 50) enemyTurn();
}
