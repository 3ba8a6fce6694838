#include "combat/combat.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/enemy_attacks.hpp"
#include "combat/potions.hpp"
#include "combat/rewards.hpp"
#include "combat/skills.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

#include <algorithm>

namespace {

constexpr int32_t dodgeDraw = 150;
constexpr int32_t stunnedDodgeHandicap = 200;

bool dodges(int32_t agility, int32_t stunRounds) {
    return randomInt(1, dodgeDraw) + int64_t{stunnedDodgeHandicap} * stunRounds < agility;
}

bool fightingBoss() {
    return enemyName == secretBossName;
}

// A value rolled between 75% and 125%, at the 32-bit limit for huge stats.
int32_t rollAround(double value) {
    return randomBetween(value * 0.75, value * 1.25);
}

void printCombatOptions() {
    printEmptyLine();
    setColour("white");
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    printLine("attack");
    printLine("skill");
    printLine("potion");
    if (!fightingBoss()) printLine("flee");
    printEmptyLine();
}

void restoreMagicSwordMana() {
    int32_t ceiling = effectiveMaxMana();
    if (int64_t{character.currentMana} + 5 <= ceiling) {
        character.currentMana += 5;
        logLine("Your Magic Sword restored 5 mana.");
    } else {
        int32_t restored = saturate(int64_t{ceiling} - character.currentMana);
        character.currentMana = ceiling;
        logLine("Your Magic Sword restored " + toText(restored) + " mana.");
    }
}

void basicAttack() {
    // Unlike the skills, the basic attack leaves the enemy's stun out of its dodge, although
    // the crier tells the player that a stunned enemy cannot dodge: the rules say both.
    if (enemyDodges(0)) {
        logLine("Your attack missed.");
    } else {
        itemPowers(false);
        roundDamage = damageRoll(effectiveAttack(), enemyDefense);
        logLine("You dealt " + toText(roundDamage) + " damage.");
        if (character.weapon == item::magicSword) restoreMagicSwordMana();
    }
    finishPlayerHalf();
}

void tryToFlee() {
    int32_t draw = randomInt(1, 100);
    // Flight weighs the base agility alone: equipment does not help the player run.
    bool escaped = character.agility < enemyAgility ? draw <= 7 : draw <= 20;
    // A stunned enemy gives a second chance.
    if (!escaped && enemyStunRounds > 0) escaped = randomInt(1, 100) < 20;
    if (escaped) {
        logLine("You have fled.");
        endFightAsWin();
        return;
    }
    logLine("You were unable to flee.");
    finishPlayerHalf();
}

void stunnedTurn() {
    itemPowers(true);
    --playerStunRounds;
    logLine("You are stunned for " + toText(playerStunRounds) + " more rounds.");
    finishPlayerHalf();
}

void ordinaryEnemyAttack() {
    if (playerEvades(effectiveAgility())) {
        logLine("The enemy's attack missed.");
        return;
    }
    roundDamage = damageRoll(enemyAttack, effectiveDefense());
    if (fightingBoss())
        logLine("Dovik Vel'karr hit you for " + toText(roundDamage) + " damage.", "red");
    else
        logLine("The enemy hit you for " + toText(roundDamage) + " damage.");
}

void knockOut() {
    if (fightingBoss()) {
        logLine("Dovik Vel'karr has slain you!", "red");
        logLine("Dovik Vel'karr is so gracious that he brought you back to life.", "red");
    } else {
        logLine("You have been knocked out!");
    }
    logLine("");
    logLine("You awake in the hospital refreshed.");
    logLine("The hospital bills will be 50% of your gold.");
    // The bill is the truncated half; the player keeps the rest, so the line tells the truth.
    int32_t bill = character.gold / 2;
    logLine("You pay " + toText(bill) + " gold.");
    character.gold -= bill;
    character.currentHealth = character.maxHealth;
    character.currentMana = effectiveMaxMana();
    character.wilderness = area::village;
    combatActive = false;
    saveCharacter();
}

} // namespace

void combatScreen() {
    if (!combatActive) return;
    roundDamage = 0;
    if (playerStunRounds != 0) {
        stunnedTurn();
        return;
    }
    if (skillMenuActive) {
        skillMenu();
        return;
    }
    if (potionMenuActive) {
        potionMenu();
        return;
    }
    printCombatStatus();
    printCombatOptions();
    readAnswer();

    if (inputLine == "attack") {
        basicAttack();
    } else if (inputLine == "skill") {
        skillMenuActive = true;
    } else if (inputLine == "potion") {
        potionMenuActive = true;
    } else if (inputLine == "flee" && !fightingBoss()) {
        tryToFlee();
    } else {
        logLine(typeAnOption);
    }
}

bool enemyDodges(int32_t stunRounds) {
    return dodges(enemyAgility, stunRounds);
}

bool playerEvades(int32_t agility) {
    return dodges(agility, playerStunRounds);
}

int32_t damageRoll(double power, int32_t defense) {
    int64_t attackPart = rollAround(power);
    int64_t defensePart = defenseRoll(defense);
    return saturate(std::max<int64_t>(attackPart - defensePart, 1));
}

int32_t defenseRoll(int32_t defense) {
    int32_t half = defense / 2; // the whole half: an odd point of defense blocks nothing
    return rollAround(half);
}

void printCombatStatus() {
    setColour("yellow");
    printLine(character.name + ": Level=" + toText(character.level) +
              " Health=" + toText(character.currentHealth) + "/" + toText(character.maxHealth) +
              " Attack=" + toText(effectiveAttack()) + " Defense=" + toText(effectiveDefense()) +
              " Agility=" + toText(effectiveAgility()) + " Mana=" + toText(character.currentMana) +
              "/" + toText(effectiveMaxMana()));
    if (fightingBoss()) setColour("red");
    printLine(enemyName + ": Level=" + toText(enemyLevel) + " Health=" + toText(enemyHealth) +
              " Attack=" + toText(enemyAttack) + " Defense=" + toText(enemyDefense) +
              " Agility=" + toText(enemyAgility));
}

void finishPlayerHalf() {
    ++roundsPlayed;
    enemyEffectsTick();
    enemyHealth = saturate(std::max<int64_t>(int64_t{enemyHealth} - roundDamage, 0));
    if (enemyHealth == 0) {
        logLine("You have slain the enemy!");
        enemySlain();
        endFightAsWin();
        return;
    }
    enemyTurn();
}

void enemyTurn() {
    roundDamage = 0;
    enemyUsedSpecial = false;
    if (enemyStunRounds != 0) {
        --enemyStunRounds;
        const std::string rest = " is stunned for " + toText(enemyStunRounds) + " more rounds.";
        if (fightingBoss())
            logLine("Dovik Vel'karr" + rest, "red");
        else
            logLine("The enemy" + rest);
    } else {
        if (randomInt(1, 100) <= 30) enemyUsedSpecial = enemySpecialAttack();
        if (!enemyUsedSpecial) ordinaryEnemyAttack();
    }
    playerEffectsTick();
    character.currentHealth = saturate(int64_t{character.currentHealth} - roundDamage);
    if (character.currentHealth <= 0) knockOut();
}

void endFightAsWin() {
    character.safeArea = true;
    combatEndedThisPass = true;
    saveCharacter();
    combatActive = false;
    clearScreen();
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
