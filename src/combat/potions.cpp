#include "combat/potions.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/skills.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

// The four potions in the order the lists show them; potionSlot and potionCount follow it.
constexpr auto potions = std::to_array<int32_t>(
    {item::lowHealthPotion, item::highHealthPotion, item::lowManaPotion, item::highManaPotion});

// Where the first potion of each kind is and how many there are; the list shows the counts
// and a drink takes the potion at the slot.
void findPotions() {
    potionSlot.fill(-1);
    potionCount.fill(0);
    for (size_t i = 0; i < character.inventory.size(); ++i) {
        int32_t id = character.inventory[i];
        if (!isPotion(id)) continue;
        size_t kind = static_cast<size_t>(id - item::lowHealthPotion);
        if (potionSlot[kind] == -1) potionSlot[kind] = static_cast<int32_t>(i);
        ++potionCount[kind];
    }
}

void printPotionList() {
    bool any = false;
    for (size_t kind = 0; kind < potions.size(); ++kind) {
        if (potionCount[kind] == 0) continue;
        PotionEffect effect = potionEffect(potions[kind]);
        printOption(itemById(potions[kind]).typedName,
                    "restores " + toText(effect.amount) +
                        (effect.restoresMana ? " mana" : " health") + " (x" +
                        toText(potionCount[kind]) + ")");
        any = true;
    }
    if (!any) {
        setColour("white");
        printLine("You don't have any potions available.");
    }
    // printOption leaves the colour white.
    setColour("purple");
    printLine("go back");
    printEmptyLine();
}

// Up to the ceiling: a full potion reports its fixed amount, a capped one what it gave.
void restore(int32_t &current, int32_t ceiling, int32_t amount, const std::string &what) {
    if (int64_t{current} + amount > ceiling) {
        int32_t restored = saturate(int64_t{ceiling} - current);
        current = ceiling;
        logLine("You have restored " + toText(restored) + " " + what + ".");
        return;
    }
    current += amount;
    logLine("You have restored " + toText(amount) + " " + what + ".");
}

// The kind of potion the typed line names and the inventory holds, or -1.
int32_t typedPotion() {
    for (size_t kind = 0; kind < potions.size(); ++kind) {
        if (inputLine == itemById(potions[kind]).typedName && potionSlot[kind] != -1)
            return static_cast<int32_t>(kind);
    }
    return -1;
}

// The heals of the equipment come first, so the potion is capped against the new health.
void drinkPotion(int32_t kind) {
    itemPowers(true);
    PotionEffect effect = potionEffect(potions[static_cast<size_t>(kind)]);
    if (effect.restoresMana)
        restore(character.currentMana, effectiveMaxMana(), effect.amount, "mana");
    else
        restore(character.currentHealth, character.maxHealth, effect.amount, "health");
    character.inventory.erase(character.inventory.begin() + potionSlot[static_cast<size_t>(kind)]);
}

// "Your options:", the potions held and "go back"; then the kind the typed line names and the
// inventory holds, or -1.
int32_t choosePotion() {
    printLine("Your options:");
    printEmptyLine();
    findPotions();
    printPotionList();
    readAnswer();
    return typedPotion();
}

} // namespace

void potionsScreen() {
    if (!potionsActive) return;
    printHealthAndMana();
    setColour("white");
    printLine("POTIONS");
    printEmptyLine();
    int32_t kind = choosePotion();
    if (kind != -1) {
        drinkPotion(kind);
        saveCharacter();
    } else if (inputLine == "go back") {
        potionsActive = false;
        clearScreen();
    } else {
        logLine("You don't have any of those.");
    }
}

void potionMenu() {
    printCombatStatus();
    printEmptyLine();
    setColour("white");
    int32_t kind = choosePotion();
    if (kind != -1) {
        drinkPotion(kind);
        finishPlayerHalf();
    } else if (inputLine == "go back") {
        potionMenuActive = false;
    } else {
        logLine("You don't have any of those.");
    }
}
