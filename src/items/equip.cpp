#include "items/equip.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "items/catalogue.hpp"

#include <algorithm>
#include <string>

namespace {

void printEquipScreen() {
    setColour("white");
    printLine("EQUIP");
    printEmptyLine();
    printLine("You can only have one weapon and one armor equipped at a time.");
    printLine("Type in the name of an item to equip/unequip it.");
    printLine("A newly equipped item will replace the previous item in that slot.");
    printText("Format: ");
    printShopRow("Item Name", "Item Stats", "[Requirements to Equip]", "null");
    printEmptyLine();

    // Listing position i is inventory position i; the equipped items come after.
    itemListing.clear();
    printLine("Your options:");
    printEmptyLine();
    printLine("Inventory:");
    if (character.inventory.empty()) printLine("You have nothing in your inventory.");
    for (int32_t id : character.inventory) {
        if (isPotion(id)) {
            listItem(id, false, false, false, false);
        } else {
            listItem(id, true, false, true, true);
        }
    }
    printLine("Equipped Items:");
    if (character.weapon > 0) {
        printText("Weapon: ");
        listItem(character.weapon, true, false, false, true);
    }
    if (character.armor > 0) {
        printText("Armor: ");
        listItem(character.armor, true, false, false, true);
    }
    if (character.weapon == 0 && character.armor == 0) printLine("You have nothing equipped.");
    setColour("purple");
    printLine("go back");
    printEmptyLine();
}

// Base stats only: what is already equipped never helps.
bool requirementMet(const ItemListingEntry &entry) {
    int32_t base = character.maxMana;
    if (entry.requirementStat == "attack") base = character.attack;
    if (entry.requirementStat == "defense") base = character.defense;
    if (base >= entry.requirement) return true;
    logLine("You don't have the required " + entry.requirementStat + " level to equip this item.");
    return false;
}

// The old item goes to the end of the inventory first, so position still names the new one.
void putOn(int32_t &slot, const ItemListingEntry &entry, size_t position) {
    if (slot > 0) character.inventory.push_back(slot);
    slot = entry.id;
    character.inventory.erase(character.inventory.begin() + static_cast<std::ptrdiff_t>(position));
}

void takeOff(int32_t &slot) {
    character.inventory.push_back(slot);
    slot = 0;
}

void useItem(const ItemListingEntry &entry, size_t position) {
    if (character.weapon > 0 && entry.id == character.weapon) {
        takeOff(character.weapon);
        return;
    }
    if (character.armor > 0 && entry.id == character.armor) {
        takeOff(character.armor);
        return;
    }
    // A potion has no slot: nothing happens.
    if (entry.requirementStat.empty() || !requirementMet(entry)) return;
    putOn(entry.isArmor ? character.armor : character.weapon, entry, position);
}

} // namespace

void equipScreen() {
    if (!equipActive) return;
    printEquipScreen();
    readAnswer();
    setColour("white");

    if (inputLine == "go back") {
        equipActive = false;
        clearScreen();
        return;
    }
    for (size_t i = 0; i < itemListing.size(); ++i) {
        if (inputLine != itemListing[i].typedName) continue;
        const int32_t weaponBefore = character.weapon;
        const int32_t armorBefore = character.armor;
        useItem(itemListing[i], i);
        // Taking off a mana item can leave more mana than the new maximum; it is never raised.
        if (character.weapon != weaponBefore || character.armor != armorBefore) capMana();
        saveCharacter();
        return;
    }
    logLine("You don't have any of those.");
    logLine(typeAnOption);
}
