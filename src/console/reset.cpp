#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/potions.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/screen_loop.hpp"
#include "items/catalogue.hpp"
#include "items/shop.hpp"

namespace {

void resetScreens() {
    messageLog.clear();
    screenStep = 0;
    mainMenuActive = true;
    shopActive = buyActive = sellActive = false;
    townCrierActive = equipActive = potionsActive = false;
    trainerActive = trainerStatsActive = trainerSkillsActive = false;
    warriorSkillsActive = mageSkillsActive = false;
    endingActive = combatActive = skillMenuActive = potionMenuActive = false;
    combatEndedThisPass = false;
    shopCategory = 0;
}

void resetFight() {
    enemyName.clear();
    enemyLevel = enemyHealth = enemyAttack = enemyDefense = enemyAgility = 0;
    enemyStunRounds = enemyBleedRounds = enemyBleedDamage = 0;
    enemyPoisonRounds = enemyPoisonDamage = enemyFireRounds = enemyFireDamage = 0;
    playerStunRounds = playerBleedRounds = playerBleedDamage = 0;
    playerPoisonRounds = playerPoisonDamage = playerFireRounds = playerFireDamage = 0;
    enemyUsedSpecial = false;
    roundDamage = 0;
    potionSlot.fill(-1);
    potionCount.fill(0);
}

} // namespace

void resetGame() {
    resetCharacter();
    resetScreens();
    resetFight();
    profiles.clear();
    profilesEmpty = false;
    profileName.clear();
    saveLines.clear();
    itemListing.clear();
    inputLine.clear();
    consoleOutput.clear();
}
