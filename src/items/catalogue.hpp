#pragma once
// The 44 items: names, slot, requirement, bonuses and sale price; the equipment bonuses
// and effective stats; the item listing that the sell and equip screens match against.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Item {
    std::string_view typedName;   // what the player types
    std::string_view displayName; // what messages show
    bool isArmor;
    std::string_view requirementStat; // "attack", "defense", "mana" or empty (potions)
    int32_t requirement;
    int32_t attackBonus;
    int32_t defenseBonus;
    int32_t agilityBonus;
    int32_t manaBonus;
    int32_t salePrice;
};

// Every item by name, in catalogue order.
namespace item {
// clang-format off
enum Id : int32_t {
    woodenSword = 1, ironSword, steelSword, titaniumSword,
    woodenBattleaxe, ironBattleaxe, steelBattleaxe, titaniumBattleaxe,
    woodenDagger, ironDagger, steelDagger, titaniumDagger,
    silverWand, goldWand, rubyWand, emeraldWand,
    silverStaff, goldStaff, rubyStaff, emeraldStaff,
    leatherArmor, chainArmor, dragonScaleArmor, ironArmor, steelArmor, dragonBoneArmor,
    clothRobes, crimsonRobes, etherealRobes,
    lowHealthPotion, highHealthPotion, lowManaPotion, highManaPotion,
    // The rare items: dropped, never sold by the shop.
    swordOfFortune, stoneClub, poisonedDagger, fireWand, orbOfHealing, frugalStaff, flail,
    lightSword, flameSword, magicSword, regenerationArmor,
};
// clang-format on
} // namespace item

// The four potions: no slot, no requirement, no bonuses.
bool isPotion(int32_t id);
// The catalogue row of an id; an empty row (no names, no bonuses) for 0 or an unknown id.
const Item &itemById(int32_t id);
// The item's bonuses as lists print them, each with a leading space: " +5 Attk +1 Def".
std::string statsText(int32_t id);
// "[10 Attk]"; empty for potions.
std::string requirementBox(int32_t id);

struct PotionEffect {
    int32_t amount;
    bool restoresMana; // otherwise health
};
// For a potion id only.
PotionEffect potionEffect(int32_t id);

// Base stat plus what the equipped weapon and armour add.
int32_t effectiveAttack();
int32_t effectiveDefense();
int32_t effectiveAgility();
int32_t effectiveMaxMana();
// Lowers current mana to the effective maximum (never raises it): after equipment comes off
// or a character is loaded.
void capMana();
// The yellow "You have H/M health and C/E mana left." line and the empty line after it.
void printHealthAndMana();

// One listing entry per listItem call, in call order. An item's bonuses are not copied here:
// whoever needs them reads the catalogue by id.
struct ItemListingEntry {
    std::string displayName;
    std::string typedName;
    std::string sellPrice; // decimal digits, no "G"
    int32_t id = 0;
    bool isArmor = false;
    int32_t requirement = 0;
    std::string requirementStat;
};

inline std::vector<ItemListingEntry> itemListing;
void resetItemListing();

// Appends the item's entry to itemListing and, when any flag is set, prints it as one line.
void listItem(int32_t id, bool showName, bool showPrice, bool showRequirement, bool showStats);
// One row of the shop's table: name, stats, requirement box ("[10 Attk]") and price.
void printShopRow(std::string_view name, std::string_view stats, std::string_view requirementBox,
                  std::string_view price);
