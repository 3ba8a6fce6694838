#include "village/village.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "frontend/screens.hpp"
#include "items/catalogue.hpp"
#include "items/equip.hpp"
#include "items/shop.hpp"
#include "village/town_crier.hpp"
#include "village/trainer.hpp"

namespace {

bool villageShown() {
    return character.level > 0 && character.wilderness == area::village && !shopActive &&
           !townCrierActive && !equipActive && !trainerActive && !endingActive;
}

void printPointReminders() {
    setColour("yellow");
    if (character.skillPoints > 0)
        printLine("You have " + toText(character.skillPoints) +
                  " skill point(s) to use at the trainer.");
    if (character.statPoints > 0)
        printLine("You have " + toText(character.statPoints) +
                  " stat point(s) to use at the trainer.");
    if (character.skillPoints > 0 || character.statPoints > 0) printEmptyLine();
}

void printVillage() {
    printPointReminders();
    setColour("white");
    printLine("VILLAGE");
    printEmptyLine();
    printHealthAndMana();
    setColour("white");
    printLine("Your options:");
    printEmptyLine();
    printOption("shop [s]", "buy and sell armor, weapons, and potions");
    printOption("hospital [h]", "instantly restore health and mana to maximum");
    printOption("town crier", "help and information");
    printOption("equip [e]", "put on armor or equip weapons");
    printOption("trainer [t]", "increase your stats and skills");
    printOption("plains [p]", "level 1+ area (west)");
    printEmptyLine();
}

// Leaves the village for an area; the area's screen starts the fight in this same pass.
void setOut(int32_t area) {
    character.wilderness = area;
    character.safeArea = false;
}

} // namespace

void villageScreen() {
    if (!villageShown()) return;
    printVillage();
    readAnswer();
    setColour("white");
    printEmptyLine();

    if (inputLine == "shop" || inputLine == "s") {
        shopActive = true;
        shopCategory = 0;
    } else if (inputLine == "hospital" || inputLine == "h") {
        logLine("You are fully recovered.");
        character.currentHealth = character.maxHealth;
        character.currentMana = effectiveMaxMana();
        saveCharacter();
    } else if (inputLine == "town crier") {
        townCrierActive = true;
    } else if (inputLine == "plains" || inputLine == "p") {
        setOut(area::plains);
        saveCharacter();
    } else if (inputLine == "equip" || inputLine == "e") {
        equipActive = true;
    } else if (inputLine == "trainer" || inputLine == "t") {
        trainerActive = true;
    } else if (inputLine == "dovik's lair") {
        setOut(area::secretLair); // deliberately unsaved: the file keeps the last place saved
    } else {
        logLine(typeAnOption);
    }
    clearScreen();
}
