#include "items/catalogue.hpp"

#include "character/character.hpp"
#include "console/output.hpp"

#include <algorithm>
#include <array>

namespace {

// clang-format off
const std::array<Item, lastItemId> catalogue{{
    {"wooden sword", "Wooden Sword", false, "attack", 10, 5, 1, 0, 0, 50},
    {"iron sword", "Iron Sword", false, "attack", 20, 15, 2, 0, 0, 250},
    {"steel sword", "Steel Sword", false, "attack", 40, 50, 4, 0, 0, 1000},
    {"titanium sword", "Titanium Sword", false, "attack", 65, 125, 7, 0, 0, 4750},
    {"wooden battleaxe", "Wooden Battleaxe", false, "attack", 10, 8, 0, 0, 0, 75},
    {"iron battleaxe", "Iron Battleaxe", false, "attack", 20, 23, 0, 0, 0, 325},
    {"steel battleaxe", "Steel Battleaxe", false, "attack", 40, 70, 0, 0, 0, 1750},
    {"titanium battleaxe", "Titanium Battleaxe", false, "attack", 65, 150, 0, 0, 0, 5500},
    {"wooden dagger", "Wooden Dagger", false, "attack", 10, 3, 0, 3, 0, 35},
    {"iron dagger", "Iron Dagger", false, "attack", 20, 9, 0, 6, 0, 175},
    {"steel dagger", "Steel Dagger", false, "attack", 40, 35, 0, 11, 0, 750},
    {"titanium dagger", "Titanium Dagger", false, "attack", 65, 95, 0, 15, 0, 4000},
    {"silver wand", "Silver Wand", false, "mana", 20, 0, 0, 2, 10, 45},
    {"gold wand", "Gold Wand", false, "mana", 40, 0, 0, 4, 30, 250},
    {"ruby wand", "Ruby Wand", false, "mana", 60, 0, 0, 8, 50, 1150},
    {"emerald wand", "Emerald Wand", false, "mana", 85, 0, 0, 13, 90, 4000},
    {"silver staff", "Silver Staff", false, "mana", 20, 0, 0, 0, 15, 65},
    {"gold staff", "Gold Staff", false, "mana", 40, 0, 0, 0, 45, 300},
    {"ruby staff", "Ruby Staff", false, "mana", 60, 0, 0, 0, 70, 1350},
    {"emerald staff", "Emerald Staff", false, "mana", 85, 0, 0, 0, 130, 5000},
    {"leather armor", "Leather Armor", true, "defense", 10, 0, 2, 3, 0, 60},
    {"chain armor", "Chain Armor", true, "defense", 20, 0, 9, 6, 0, 750},
    {"dragon scale armor", "Dragon Scale Armor", true, "defense", 45, 0, 19, 13, 0, 4000},
    {"iron armor", "Iron Armor", true, "defense", 10, 0, 4, 0, 0, 85},
    {"steel armor", "Steel Armor", true, "defense", 20, 0, 15, 0, 0, 950},
    {"dragon bone armor", "Dragon Bone Armor", true, "defense", 45, 0, 26, 0, 0, 4750},
    {"cloth robes", "Cloth Robes", true, "mana", 25, 0, 1, 6, 10, 75},
    {"crimson robes", "Crimson Robes", true, "mana", 55, 0, 4, 10, 35, 1350},
    {"ethereal robes", "Ethereal Robes", true, "mana", 95, 0, 11, 18, 80, 4500},
    {"low health potion", "Low Health Potion", false, "", 0, 0, 0, 0, 0, 25},
    {"high health potion", "High Health Potion", false, "", 0, 0, 0, 0, 0, 500},
    {"low mana potion", "Low Mana Potion", false, "", 0, 0, 0, 0, 0, 50},
    {"high mana potion", "High Mana Potion", false, "", 0, 0, 0, 0, 0, 500},
    {"sword of fortune", "Sword of Fortune", false, "attack", 10, 10, 0, 0, 0, 200},
    {"stone club", "Stone Club", false, "attack", 15, 15, 0, 0, 0, 100},
    {"poisoned dagger", "Poisoned Dagger", false, "attack", 25, 15, 0, 0, 0, 400},
    {"fire wand", "Fire Wand", false, "mana", 45, 0, 0, 0, 60, 650},
    {"orb of healing", "Orb of Healing", false, "mana", 45, 0, 0, 0, 45, 1000},
    {"frugal staff", "Frugal Staff", false, "mana", 55, 0, 0, 0, 30, 1500},
    {"flail", "Flail", false, "attack", 40, 70, 0, 0, 0, 1250},
    {"light sword", "Light Sword", false, "attack", 50, 120, 10, 10, 0, 2000},
    {"flame sword", "Flame Sword", false, "attack", 50, 90, 0, 0, 0, 1750},
    {"magic sword", "Magic Sword", false, "mana", 65, 30, 0, 0, 40, 3000},
    {"regeneration armor", "Regeneration Armor", true, "defense", 20, 0, 10, 15, 0, 3500},
}};
// clang-format on

std::string bonusText(int32_t bonus, std::string_view word) {
    return " +" + toText(bonus) + " " + std::string(word);
}

// The base stat that a requirement word is compared with; nothing for an unknown word.
const int32_t *requirementBase(std::string_view word) {
    if (word == "Attk") return &character.attack;
    if (word == "Def") return &character.defense;
    if (word == "Mana") return &character.maxMana;
    return nullptr;
}

std::string_view requirementWord(std::string_view requirementStat) {
    if (requirementStat == "attack") return "Attk";
    if (requirementStat == "defense") return "Def";
    if (requirementStat == "mana") return "Mana";
    return "";
}

void printRequirement(int32_t id) {
    const Item &item = itemById(id);
    std::string_view word = requirementWord(item.requirementStat);
    if (word.empty()) return;
    printRequirementBox(requirementBox(id), *requirementBase(word) >= item.requirement);
}

// The leading digits of text, as a number; 0 when there are none.
int32_t leadingNumber(std::string_view text) {
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = saturate(value * 10 + (c - '0'));
    }
    return static_cast<int32_t>(value);
}

} // namespace

bool isPotion(int32_t id) {
    return id >= item::lowHealthPotion && id <= item::highManaPotion;
}

std::string statsText(int32_t id) {
    const Item &item = itemById(id);
    std::string text;
    if (item.requirementStat == "defense") {
        text += bonusText(item.defenseBonus, "Def");
        if (item.agilityBonus > 0) text += bonusText(item.agilityBonus, "Agil");
    } else if (item.requirementStat == "mana") {
        if (item.defenseBonus > 0) text += bonusText(item.defenseBonus, "Def");
        if (item.manaBonus > 0) text += bonusText(item.manaBonus, "Mana");
        if (item.agilityBonus > 0) text += bonusText(item.agilityBonus, "Agil");
        if (item.attackBonus > 0) text += bonusText(item.attackBonus, "Attk");
    } else if (item.requirementStat == "attack") {
        text += bonusText(item.attackBonus, "Attk");
        if (item.defenseBonus > 0) text += bonusText(item.defenseBonus, "Def");
        if (item.agilityBonus > 0) text += bonusText(item.agilityBonus, "Agil");
    }
    return text;
}

std::string requirementBox(int32_t id) {
    const Item &item = itemById(id);
    std::string_view word = requirementWord(item.requirementStat);
    if (word.empty()) return "";
    return "[" + toText(item.requirement) + " " + std::string(word) + "]";
}

PotionEffect potionEffect(int32_t id) {
    // In catalogue order: low and high health, low and high mana.
    constexpr auto effects =
        std::to_array<PotionEffect>({{50, false}, {300, false}, {40, true}, {250, true}});
    return effects[static_cast<size_t>(id - item::lowHealthPotion)];
}

const Item &itemById(int32_t id) {
    static constexpr Item noItem{};
    return isItemId(id) ? catalogue[static_cast<size_t>(id - 1)] : noItem;
}

// The equipment bonuses are read from the equipped items whenever they are needed, so
// nothing has to be kept in step when a slot changes or a character is loaded.
int64_t equipmentBonus(int32_t Item::*bonus) {
    return int64_t{itemById(character.weapon).*bonus} + itemById(character.armor).*bonus;
}

int32_t effectiveAttack() {
    return saturate(character.attack + equipmentBonus(&Item::attackBonus));
}
int32_t effectiveDefense() {
    return saturate(character.defense + equipmentBonus(&Item::defenseBonus));
}
int32_t effectiveAgility() {
    return saturate(character.agility + equipmentBonus(&Item::agilityBonus));
}
int32_t effectiveMaxMana() {
    return saturate(character.maxMana + equipmentBonus(&Item::manaBonus));
}

void capMana() {
    character.currentMana = std::min(character.currentMana, effectiveMaxMana());
}

void printHealthAndMana() {
    setColour("yellow");
    printLine("You have " + toText(character.currentHealth) + "/" + toText(character.maxHealth) +
              " health and " + toText(character.currentMana) + "/" + toText(effectiveMaxMana()) +
              " mana left.");
    printEmptyLine();
}

void listItem(int32_t id, bool showName, bool showPrice, bool showRequirement, bool showStats) {
    ItemListingEntry entry;
    if (isItemId(id)) {
        const Item &item = itemById(id);
        // Potions carry their names only on the sell screen, so the equip screen cannot match them.
        if (!isPotion(id) || showPrice) {
            entry.typedName = item.typedName;
            entry.displayName = item.displayName;
            entry.sellPrice = toText(item.salePrice);
        }
        entry.id = id;
        entry.isArmor = item.isArmor;
        entry.requirement = item.requirement;
        entry.requirementStat = item.requirementStat;
    }
    itemListing.push_back(entry);

    if (showName) {
        setColour("purple");
        printText(entry.typedName);
    }
    if (showPrice) {
        setColour("yellow");
        printText(" " + entry.sellPrice + "G");
    }
    if (showStats) {
        setColour("teal");
        printText(statsText(entry.id));
    }
    if (showRequirement) printRequirement(entry.id);
    if (showName || showPrice || showRequirement || showStats) printEmptyLine();
    setColour("white");
}

void printShopRow(std::string_view name, std::string_view stats, std::string_view requirementBox,
                  std::string_view price) {
    setColour("purple");
    printText(name);
    setColour("teal");
    printText(" ");
    printText(stats);
    if (!requirementBox.empty()) {
        // Every box the shop prints is "[NN Word]": the word runs from the fifth character to
        // the closing bracket, the number is read from the second. Any other word (the
        // legend's "[Requirements to Equip]") names no requirement: red, with nothing met or
        // not met to say.
        const int32_t *base =
            requirementBox.size() >= 5
                ? requirementBase(requirementBox.substr(4, requirementBox.size() - 5))
                : nullptr;
        if (base != nullptr) {
            printRequirementBox(requirementBox, *base >= leadingNumber(requirementBox.substr(1)));
        } else {
            setColour("red");
            printText(" ");
            printText(requirementBox);
        }
    }
    setColour("yellow");
    if (price != "null") {
        printText(" ");
        printText(price);
    }
    printEmptyLine();
    setColour("white");
}

void resetItemListing() {
    itemListing.clear();
}
