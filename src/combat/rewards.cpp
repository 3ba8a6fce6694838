#include "combat/rewards.hpp"

#include "character/character.hpp"
#include "combat/enemies.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "console/screen_loop.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <cmath>
#include <string_view>

namespace {

constexpr int32_t secretLair = 99;
constexpr int32_t dragonLair = 8;

struct Drop {
    int32_t area;
    std::string_view enemy;
    int32_t itemId; // 0: gold instead
    int32_t gold;
    std::string_view stats; // empty for potions and gold
};

// clang-format off
constexpr std::array<Drop, 37> drops{{
    {1, "hawk", 9, 0, "Item Stats: +3 Attk +3 Agil [10 Attk]"},
    {1, "goblin", 5, 0, "Item Stats: +8 Attk [10 Attk]"},
    {1, "unicorn", 34, 0, "Item Stats: +10 Attk (+2 gold per hit) [10 Attk]"},
    {1, "pegasus", 0, 150, ""},
    {1, "fairy", 17, 0, "Item Stats: +15 Mana [20 Mana]"},
    {1, "jackalope", 35, 0, "Item Stats: +15 Attk [15 Attk]"},
    {2, "giant rat", 30, 0, ""},
    {2, "living tree", 0, 300, ""},
    {2, "elf", 36, 0, "Item Stats: +15 Attk (chance to poison: 4 damage/4 rounds) [25 Attk]"},
    // The troll's line shows an agility penalty that the iron battleaxe itself does not carry.
    {2, "troll", 6, 0, "Item Stats: +23 Attk -5 Agil [20 Attk]"},
    {2, "owl", 22, 0, "Item Stats: +9 Def +6 Agil [20 Def]"},
    {3, "griffin", 32, 0, ""},
    {3, "wyvern", 37, 0, "Item Stats: +60 Mana (Fire skills burn for +1 round) [45 Mana]"},
    {3, "cockatrice", 19, 0, "Item Stats: +70 Mana [60 Mana]"},
    {3, "giant", 25, 0, "Item Stats: +15 Def [20 Def]"},
    {3, "panther", 11, 0, "Item Stats: +35 Attk +11 Agil [40 Attk]"},
    {3, "rogue", 0, 500, ""},
    {4, "nymph", 38, 0, "Item Stats: +45 Mana (restore 2% of max health every round) [45 Mana]"},
    {4, "siren", 28, 0, "Item Stats: +4 Def +35 Mana +10 Agil [55 Mana]"},
    {4, "thunderbird", 15, 0, "Item Stats: +50 Mana +8 Agil [60 Mana]"},
    {4, "shining essence", 31, 0, ""},
    {4, "leviathan", 0, 900, ""},
    {5, "fire wisp", 39, 0, "Item Stats: +30 Mana (50% chance to not use mana) [55 Mana]"},
    {5, "serpent", 3, 0, "Item Stats: +50 Attk +4 Def [40 Attk]"},
    {5, "fire bird", 15, 0, "Item Stats: +50 Mana +8 Agil [60 Mana]"},
    {5, "valkyrie", 40, 0, "Item Stats: +70 Attk (chance to cause bleeding: 10 damage/3 rounds) [40 Attk]"},
    {5, "salamander", 0, 700, ""},
    {6, "wraith", 33, 0, ""},
    {6, "charred golem", 41, 0, "Item Stats: +120 Attk +10 Def +10 Agil [50 Attk]"},
    {6, "firewyrm", 29, 0, "Item Stats: +11 Def +80 Mana +18 Agil [95 Mana]"},
    {6, "banshee", 0, 1300, ""},
    {6, "hellhound", 42, 0, "Item Stats: +90 Attk (chance to burn: 20 damage/2 rounds) [50 Attk]"},
    {7, "dust devil", 20, 0, "Item Stats: +130 Mana [85 Mana]"},
    {7, "ancient ogre", 0, 2000, ""},
    {7, "zombie", 4, 0, "Item Stats: +125 Attk +7 Def [65 Attk]"},
    {7, "stone titan", 43, 0, "Item Stats: +40 Mana +30 Attk (restore 5 mana every basic attack) [65 Mana]"},
    {7, "phoenix", 44, 0, "Item Stats: +10 Def +15 Agil (restore 3% of max health every round) [20 Def]"},
}};

constexpr Drop dragonScale{dragonLair, "dragon", 23, 0, "Item Stats: +19 Def +13 Agil [45 Def]"};
constexpr Drop dragonBone{dragonLair, "dragon", 26, 0, "Item Stats: +26 Def [45 Def]"};

// The secret boss's hoard, each item its own chance, in this order.
constexpr std::array<Drop, 11> hoard{{
    {secretLair, "", 44, 0, "Item Stats: +10 Def +15 Agil (restore 3% of max health every round) [20 Def]"},
    {secretLair, "", 43, 0, "Item Stats: +40 Mana +30 Attk (restore 5 mana every basic attack) [65 Mana]"},
    {secretLair, "", 42, 0, "Item Stats: +90 Attk (chance to burn: 20 damage/2 rounds) [50 Attk]"},
    {secretLair, "", 41, 0, "Item Stats: +120 Attk +10 Def +10 Agil [50 Attk]"},
    {secretLair, "", 40, 0, "Item Stats: +70 Attk (chance to cause bleeding: 10 damage/3 rounds) [40 Attk]"},
    {secretLair, "", 39, 0, "Item Stats: +30 Mana (50% chance to not use mana) [55 Mana]"},
    {secretLair, "", 38, 0, "Item Stats: +45 Mana (restore 2% of max health every round) [45 Mana]"},
    {secretLair, "", 37, 0, "Item Stats: +60 Mana (Fire skills burn for +1 round) [45 Mana]"},
    {secretLair, "", 36, 0, "Item Stats: +15 Attk (chance to poison: 4 damage/4 rounds) [25 Attk]"},
    {secretLair, "", 35, 0, "Item Stats: +15 Attk [15 Attk]"},
    {secretLair, "", 34, 0, "Item Stats: +10 Attk (+2 gold per hit) [10 Attk]"},
}};
// clang-format on

void giveDrop(const Drop &drop) {
    if (drop.itemId == 0) {
        character.gold = saturatingAdd(character.gold, drop.gold);
        messageLog.push_back("The enemy dropped: " + toText(drop.gold) + " extra gold");
        return;
    }
    character.inventory.push_back(drop.itemId);
    messageLog.push_back("The enemy dropped: " + std::string(itemById(drop.itemId).displayName));
    if (!drop.stats.empty()) messageLog.emplace_back(drop.stats);
}

// Once the dragon has fallen the first draw is ignored and a second one doubles the chance.
bool dropGateOpens() {
    int32_t draw = randomInt(1, 100);
    if (!character.gameOver) return draw <= 10;
    return randomInt(1, 100) <= 20;
}

void rollDropTable(int32_t area) {
    if (area == secretLair) {
        for (const Drop &drop : hoard)
            if (randomInt(1, 100) <= 10) giveDrop(drop);
        return;
    }
    if (area == dragonLair && enemyName == "dragon") {
        giveDrop(randomInt(1, 100) <= 50 ? dragonScale : dragonBone);
        return;
    }
    for (const Drop &drop : drops)
        if (drop.area == area && drop.enemy == enemyName) giveDrop(drop);
}

void payGoldAndXp() {
    int32_t goldGain = 1500;
    int32_t xpGain = 300;
    if (enemyName != "dragon") {
        goldGain = saturate(static_cast<int64_t>(std::pow(enemyLevel, 2.6) + 20));
        xpGain = saturate(int64_t{15} * enemyLevel + 10);
        if (character.level < 4) xpGain = saturate(int64_t{2} * xpGain);
    }
    character.gold = saturatingAdd(character.gold, goldGain);
    character.xp = saturatingAdd(character.xp, xpGain);
    messageLog.push_back("You received " + toText(goldGain) + " gold and " + toText(xpGain) +
                         " xp.");
}

// The xp a character of this level needs for the next one.
int64_t xpForLevelAfter(int32_t level) {
    return 50 * (int64_t{level} + 1);
}

void reportProgress(int32_t level) {
    int64_t needed = xpForLevelAfter(level);
    std::string gold = "You now have " + toText(character.gold) + " gold and ";
    if (character.xp >= needed)
        messageLog.push_back(gold + toText(saturate(character.xp - needed)) + "/" +
                             toText(saturate(xpForLevelAfter(level + 1))) + " xp to level " +
                             toText(saturatingAdd(level, 2)) + ".");
    else
        messageLog.push_back(gold + toText(character.xp) + "/" + toText(saturate(needed)) +
                             " xp to level " + toText(saturatingAdd(level, 1)) + ".");
}

// At most one level per fall; the excess waits for the next one.
void levelUp(int32_t level) {
    int64_t needed = xpForLevelAfter(level);
    if (character.xp < needed) return;
    character.xp = saturate(character.xp - needed);
    character.skillPoints = saturatingAdd(character.skillPoints, 1);
    character.statPoints = saturatingAdd(character.statPoints, 5);
    character.level = saturatingAdd(level, 1);
    double growth = level < 15 ? 1.2 : 1.1;
    character.maxHealth = saturate(static_cast<int64_t>(character.maxHealth * growth));
    messageLog.push_back("You leveled up! " + toText(level) + " -> " + toText(character.level));
    messageLog.push_back("You earned 1 skill point and 5 stat points.");
    messageLog.push_back("Go to the trainer in the village to use your points.");
}

} // namespace

void enemySlain() {
    int32_t area = character.wilderness;
    if (enemyName == "dragon" && !character.gameOver) {
        character.gameOver = true;
        endingActive = true;
        character.wilderness = 0;
        area = 0; // the first dragon leaves no drop
    }
    if (enemyName == secretBossName) character.wilderness = 0;
    if (dropGateOpens()) rollDropTable(area);
    payGoldAndXp();
    int32_t level = character.level;
    reportProgress(level);
    levelUp(level);
}
