#include "combat/effects.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

#include <cmath>
#include <string>
#include <string_view>

namespace {

// One tick of one effect: its damage joins the half's damage and one round goes.
void tick(int32_t damage, int32_t &rounds, const std::string &takes, const std::string &kind,
          const std::string &lasts) {
    if (rounds <= 0) return;
    logLine(takes + toText(damage) + " " + kind + " damage.");
    roundDamage = saturatingAdd(roundDamage, damage);
    --rounds;
    logLine(lasts + toText(rounds) + " more rounds.");
}

// 29 chances in 100.
bool weaponProc() {
    return randomInt(1, 100) < 30;
}

void weaponPowers() {
    if (character.weapon == item::swordOfFortune) {
        character.gold = saturatingAdd(character.gold, 2);
        logLine("Your Sword of Fortune gave you 2 gold.");
    } else if (character.weapon == item::poisonedDagger && weaponProc()) {
        enemyPoisonDamage = 4;
        enemyPoisonRounds = 4;
        logLine("Your Poisoned Dagger poisoned the enemy for 4 rounds.");
    } else if (character.weapon == item::flail && weaponProc()) {
        enemyBleedDamage = 10;
        enemyBleedRounds = 3;
        logLine("Your Flail caused the enemy to bleed for 3 rounds.");
    } else if (character.weapon == item::flameSword && weaponProc()) {
        enemyFireDamage = 20;
        enemyFireRounds = 2;
        logLine("Your Flame Sword ignited the enemy for 2 rounds.");
    }
}

// A percentage of the maximum health, rounded half away from zero, never past the
// maximum. Divided last so that a share of exactly x.5 is not seen as a hair below it.
void healShare(int32_t percent, std::string_view item) {
    int32_t maximum = character.maxHealth;
    int32_t current = character.currentHealth;
    double share = static_cast<double>(maximum) * percent / 100.0;
    int64_t heal = 0;
    if (maximum < current + share) {
        heal = int64_t{maximum} - current;
        character.currentHealth = maximum;
    } else {
        heal = static_cast<int64_t>(std::round(share));
        character.currentHealth = saturatingAdd(current, heal);
    }
    logLine("Your " + std::string(item) + " healed you " + toText(saturate(heal)) + " health.");
}

} // namespace

void enemyEffectsTick() {
    const std::string takes = "The enemy takes ";
    tick(enemyBleedDamage, enemyBleedRounds, takes, "bleeding", "The enemy is bleeding for ");
    tick(enemyPoisonDamage, enemyPoisonRounds, takes, "poison", "The enemy is poisoned for ");
    tick(enemyFireDamage, enemyFireRounds, takes, "fire", "The enemy is on fire for ");
}

void playerEffectsTick() {
    const std::string takes = "You take ";
    tick(playerBleedDamage, playerBleedRounds, takes, "bleeding", "You are bleeding for ");
    tick(playerPoisonDamage, playerPoisonRounds, takes, "poison", "You are poisoned for ");
    tick(playerFireDamage, playerFireRounds, takes, "fire", "You are on fire for ");
}

void itemPowers(bool turnOnly) {
    if (!turnOnly) weaponPowers();
    if (character.weapon == item::orbOfHealing) healShare(2, "Orb of Healing");
    if (character.armor == item::regenerationArmor) healShare(3, "Regeneration Armor");
}
