#include "combat/potions.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/screen_loop.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

constexpr int32_t firstPotionId = 30;

struct Potion {
    std::string_view name;
    int32_t amount;
    bool restoresMana;
};

// Indexed by kind: potion id 30 + kind.
constexpr std::array<Potion, 4> potions{{
    {"low health potion", 50, false},
    {"high health potion", 300, false},
    {"low mana potion", 40, true},
    {"high mana potion", 250, true},
}};

void findPotions() {
    potionSlot.fill(-1);
    potionCount.fill(0);
    for (size_t i = 0; i < character.inventory.size(); ++i) {
        int32_t id = character.inventory[i];
        if (id < firstPotionId || id >= firstPotionId + 4) continue;
        size_t kind = static_cast<size_t>(id - firstPotionId);
        if (potionSlot[kind] == -1) potionSlot[kind] = static_cast<int32_t>(i);
        ++potionCount[kind];
    }
}

void printPotionList() {
    findPotions();
    setColour("purple");
    bool any = false;
    for (size_t kind = 0; kind < potions.size(); ++kind) {
        if (potionCount[kind] == 0) continue;
        printOption(potions[kind].name, "restores " + toText(potions[kind].amount) + " " +
                                            (potions[kind].restoresMana ? "mana" : "health") +
                                            " (x" + toText(potionCount[kind]) + ")");
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
        messageLog.push_back("You have restored " + toText(restored) + " " + what + ".");
        return;
    }
    current += amount;
    messageLog.push_back("You have restored " + toText(amount) + " " + what + ".");
}

// The kind of potion the typed line names and the inventory holds, or -1.
int32_t typedPotion() {
    for (size_t kind = 0; kind < potions.size(); ++kind) {
        if (inputLine == potions[kind].name && potionSlot[kind] != -1)
            return static_cast<int32_t>(kind);
    }
    return -1;
}

// The heals of the equipment come first, so the potion is capped against the new health.
void drinkPotion(int32_t kind) {
    itemPowers(true);
    const Potion &potion = potions[static_cast<size_t>(kind)];
    if (potion.restoresMana)
        restore(character.currentMana, effectiveMaxMana(), potion.amount, "mana");
    else
        restore(character.currentHealth, character.maxHealth, potion.amount, "health");
    character.inventory.erase(character.inventory.begin() + potionSlot[static_cast<size_t>(kind)]);
}

} // namespace

void potionsScreen() {
    if (!potionsActive) return;
    printHealthAndMana();
    setColour("white");
    printLine("POTIONS");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    printPotionList();
    setColour("green");
    readLine();

    int32_t kind = typedPotion();
    if (kind != -1) {
        drinkPotion(kind);
        saveCharacter();
    } else if (inputLine == "go back") {
        potionsActive = false;
        clearScreen();
    } else {
        messageLog.push_back("You don't have any of those.");
    }
}

void potionMenu() {
    printCombatStatus();
    printEmptyLine();
    setColour("white");
    printLine("Your options:");
    printEmptyLine();
    printPotionList();
    setColour("green");
    readLine();

    int32_t kind = typedPotion();
    if (kind != -1) {
        drinkPotion(kind);
        turnTaken = true;
        finishPlayerHalf();
    } else if (inputLine == "go back") {
        potionMenuActive = false;
    } else {
        messageLog.push_back("You don't have any of those.");
    }
}
