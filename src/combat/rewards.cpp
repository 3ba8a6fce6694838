#include "combat/rewards.hpp"

#include "character/character.hpp"
#include "combat/enemies.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "frontend/screens.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace {

struct ItemDrop {
    int32_t area;
    std::string_view enemy;
    int32_t itemId;
};

struct GoldDrop {
    int32_t area;
    std::string_view enemy;
    int32_t gold;
};

// Each enemy's one possible drop, by the area it lives in: an item, or extra gold.
// clang-format off
constexpr auto itemDrops = std::to_array<ItemDrop>({
    {area::plains, "hawk", item::woodenDagger},
    {area::plains, "goblin", item::woodenBattleaxe},
    {area::plains, "unicorn", item::swordOfFortune},
    {area::plains, "fairy", item::silverStaff},
    {area::plains, "jackalope", item::stoneClub},
    {area::forest, "giant rat", item::lowHealthPotion},
    {area::forest, "elf", item::poisonedDagger},
    {area::forest, "troll", item::ironBattleaxe},
    {area::forest, "owl", item::chainArmor},
    {area::denseForest, "griffin", item::lowManaPotion},
    {area::denseForest, "wyvern", item::fireWand},
    {area::denseForest, "cockatrice", item::rubyStaff},
    {area::denseForest, "giant", item::steelArmor},
    {area::denseForest, "panther", item::steelDagger},
    {area::crystalLake, "nymph", item::orbOfHealing},
    {area::crystalLake, "siren", item::crimsonRobes},
    {area::crystalLake, "thunderbird", item::rubyWand},
    {area::crystalLake, "shining essence", item::highHealthPotion},
    {area::lavaLake, "fire wisp", item::frugalStaff},
    {area::lavaLake, "serpent", item::steelSword},
    {area::lavaLake, "fire bird", item::rubyWand},
    {area::lavaLake, "valkyrie", item::flail},
    {area::burntField, "wraith", item::highManaPotion},
    {area::burntField, "charred golem", item::lightSword},
    {area::burntField, "firewyrm", item::etherealRobes},
    {area::burntField, "hellhound", item::flameSword},
    {area::ashMountain, "dust devil", item::emeraldStaff},
    {area::ashMountain, "zombie", item::titaniumSword},
    {area::ashMountain, "stone titan", item::magicSword},
    {area::ashMountain, "phoenix", item::regenerationArmor},
});
constexpr auto goldDrops = std::to_array<GoldDrop>({
    {area::plains, "pegasus", 150},
    {area::forest, "living tree", 300},
    {area::denseForest, "rogue", 500},
    {area::crystalLake, "leviathan", 900},
    {area::lavaLake, "salamander", 700},
    {area::burntField, "banshee", 1300},
    {area::ashMountain, "ancient ogre", 2000},
});
// clang-format on

// The secret boss's hoard, each item its own chance, in this order.
constexpr auto hoard = std::to_array<int32_t>(
    {item::regenerationArmor, item::magicSword, item::flameSword, item::lightSword, item::flail,
     item::frugalStaff, item::orbOfHealing, item::fireWand, item::poisonedDagger, item::stoneClub,
     item::swordOfFortune});

// What a drop's stats line says of the item's power in combat.
std::string_view powerNote(int32_t id) {
    switch (id) {
    case item::swordOfFortune:
        return "(+2 gold per hit)";
    case item::poisonedDagger:
        return "(chance to poison: 4 damage/4 rounds)";
    case item::fireWand:
        return "(Fire skills burn for +1 round)";
    case item::orbOfHealing:
        return "(restore 2% of max health every round)";
    case item::frugalStaff:
        return "(50% chance to not use mana)";
    case item::flail:
        return "(chance to cause bleeding: 10 damage/3 rounds)";
    case item::flameSword:
        return "(chance to burn: 20 damage/2 rounds)";
    case item::magicSword:
        return "(restore 5 mana every basic attack)";
    case item::regenerationArmor:
        return "(restore 3% of max health every round)";
    default:
        return "";
    }
}

// "Item Stats: +10 Attk (+2 gold per hit) [10 Attk]": the catalogue's stats, the power, the
// catalogue's requirement.
std::string itemStatsLine(int32_t id) {
    // The troll's iron battleaxe is announced with an agility penalty that it does not carry.
    if (id == item::ironBattleaxe) return "Item Stats: +23 Attk -5 Agil [20 Attk]";
    std::string line = "Item Stats:" + statsText(id);
    if (!powerNote(id).empty()) line += " " + std::string(powerNote(id));
    return line + " " + requirementBox(id);
}

void giveItem(int32_t id) {
    character.inventory.push_back(id);
    logLine("The enemy dropped: " + std::string(itemById(id).displayName));
    if (!isPotion(id)) logLine(itemStatsLine(id));
}

void giveGold(int32_t gold) {
    character.gold = saturatingAdd(character.gold, gold);
    logLine("The enemy dropped: " + toText(gold) + " extra gold");
}

// Once the dragon has fallen the first draw is ignored and a second one doubles the chance.
bool dropGateOpens() {
    int32_t draw = randomInt(1, 100);
    if (!character.gameOver) return draw <= 10;
    return randomInt(1, 100) <= 20;
}

void rollDropTable(int32_t wilderness) {
    if (wilderness == area::secretLair) {
        for (int32_t id : hoard)
            if (randomInt(1, 100) <= 10) giveItem(id);
        return;
    }
    if (wilderness == area::dragonLair && enemyName == "dragon") {
        giveItem(randomInt(1, 100) <= 50 ? item::dragonScaleArmor : item::dragonBoneArmor);
        return;
    }
    for (const ItemDrop &drop : itemDrops)
        if (drop.area == wilderness && drop.enemy == enemyName) giveItem(drop.itemId);
    for (const GoldDrop &drop : goldDrops)
        if (drop.area == wilderness && drop.enemy == enemyName) giveGold(drop.gold);
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
    logLine("You received " + toText(goldGain) + " gold and " + toText(xpGain) + " xp.");
}

// The xp a character of this level needs for the next one.
int64_t xpForLevelAfter(int32_t level) {
    return 50 * (int64_t{level} + 1);
}

void reportProgress(int32_t level) {
    int64_t needed = xpForLevelAfter(level);
    std::string gold = "You now have " + toText(character.gold) + " gold and ";
    if (character.xp >= needed)
        logLine(gold + toText(saturate(character.xp - needed)) + "/" +
                toText(saturate(xpForLevelAfter(level + 1))) + " xp to level " +
                toText(saturatingAdd(level, 2)) + ".");
    else
        logLine(gold + toText(character.xp) + "/" + toText(saturate(needed)) + " xp to level " +
                toText(saturatingAdd(level, 1)) + ".");
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
    logLine("You leveled up! " + toText(level) + " -> " + toText(character.level));
    logLine("You earned 1 skill point and 5 stat points.");
    logLine("Go to the trainer in the village to use your points.");
}

} // namespace

void enemySlain() {
    int32_t droppedIn = character.wilderness;
    if (enemyName == "dragon" && !character.gameOver) {
        character.gameOver = true;
        endingActive = true;
        character.wilderness = area::village;
        droppedIn = area::village; // the first dragon leaves no drop
    }
    if (enemyName == secretBossName) character.wilderness = area::village;
    if (dropGateOpens()) rollDropTable(droppedIn);
    payGoldAndXp();
    int32_t level = character.level;
    reportProgress(level);
    levelUp(level);
}
