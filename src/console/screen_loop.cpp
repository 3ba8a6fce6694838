#include "console/screen_loop.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/potions.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "frontend/screens.hpp"
#include "items/equip.hpp"
#include "items/shop.hpp"
#include "village/town_crier.hpp"
#include "village/trainer.hpp"
#include "village/village.hpp"
#include "village/wilderness.hpp"

namespace {

void printMessageLog() {
    if (messageLog.empty()) return;
    setColour("white");
    for (const std::string &line : messageLog) {
        if (line.find("Dovik Vel'karr") != std::string::npos) {
            setColour("red");
            printLine(line);
            setColour("white");
        } else {
            printLine(line);
        }
    }
    printEmptyLine();
    messageLog.clear();
}

} // namespace

void runPass() {
    clearScreen();
    printMessageLog();
    combatEndedThisPass = false;
    mainMenuScreen();
    awakeningScreen();
    villageScreen();
    shopScreen();
    townCrierScreen();
    equipScreen();
    potionsScreen();
    trainerScreen();
    endingScreen();
    combatScreen();
    wildernessScreen();
}

void screenLoop() {
    readProfiles();
    while (!inputEnded)
        runPass();
    finishOutput();
}
