#include "game/game_loop.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/platform_files.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/potions.hpp"
#include "combat/skills.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "frontend/screens.hpp"
#include "items/catalogue.hpp"
#include "items/equip.hpp"
#include "items/shop.hpp"
#include "village/town_crier.hpp"
#include "village/trainer.hpp"
#include "village/village.hpp"
#include "village/wilderness.hpp"

#include <array>
#include <cstdint>

namespace {

// Ten passes in a row in which no screen acted mean that none is active and none ever will be.
constexpr int idlePassLimit = 10;

// What a pass in which a screen acted changes: a line read, a round played, or the flags
// that hand over from one screen to another.
struct PassMarks {
    uint64_t lines;
    uint64_t rounds;
    std::array<bool, 16> flags;
    bool operator==(const PassMarks &) const = default;
};

PassMarks passMarks() {
    return {linesRead,
            roundsPlayed,
            {mainMenuActive, shopActive, buyActive, sellActive, townCrierActive, equipActive,
             potionsActive, trainerActive, trainerStatsActive, trainerSkillsActive,
             warriorSkillsActive, mageSkillsActive, endingActive, combatActive, skillMenuActive,
             potionMenuActive}};
}

// The flags as at start-up: only the main menu's set.
void resetScreens() {
    screenStep = 0;
    mainMenuActive = true;
    shopActive = buyActive = sellActive = false;
    townCrierActive = equipActive = potionsActive = false;
    trainerActive = trainerStatsActive = trainerSkillsActive = false;
    warriorSkillsActive = mageSkillsActive = false;
    endingActive = combatActive = skillMenuActive = potionMenuActive = false;
    combatEndedThisPass = false;
}

} // namespace

bool runPass(bool clearFirst) {
    const PassMarks before = passMarks();
    if (clearFirst) clearScreen();
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
    return passMarks() != before;
}

int screenLoop() {
    removeStaleTemporaryFiles();
    readProfiles();
    int status = 0;
    try {
        int idlePasses = 0;
        // The screen is cleared only once the player had a line to type, time to read it: a
        // stunned round's messages stay on screen above the next ones.
        bool passRead = true;
        while (idlePasses < idlePassLimit) {
            const uint64_t linesBefore = linesRead;
            idlePasses = runPass(passRead) ? 0 : idlePasses + 1;
            passRead = linesRead != linesBefore;
            if (!passRead) flushOutput(); // a pass that read nothing flushed nothing yet
        }
        logLine("The game cannot continue from here.");
        status = 1;
    } catch (const InputEnded &) {
        // End of input: the pass stops where it read, and nothing more is acted on.
    }
    // The last messages (a failed save, say) are shown where the game stops, not cleared away.
    printMessageLog();
    finishOutput();
    return status;
}

void resetGame() {
    resetScreens();
    resetInput();
    resetOutput();
    resetCharacter();
    resetCharacterFile();
    resetProfiles();
    resetFight();
    resetShop();
    resetItemListing();
}
