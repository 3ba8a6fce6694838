#include "combat/enemy_attacks.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

#include <string>

namespace {

bool isUnavoidable() {
    return enemyName == "jackalope" || enemyName == "salamander" || enemyName == "ancient ogre";
}

// A hit of the enemy's attack scaled by this factor, against the player's defense.
int32_t enemyHit(double factor) {
    return damageRoll(factor * enemyAttack, effectiveDefense());
}

void did(int32_t damage, const std::string &special) {
    logLine("The enemy did " + toText(damage) + " damage with " + special + ".");
}

// A blow whose damage stands for the half.
void strike(double factor, const std::string &special) {
    roundDamage = enemyHit(factor);
    did(roundDamage, special);
}

void stunPlayer(int32_t chance) {
    if (randomInt(1, 100) > chance) return;
    playerStunRounds = 1;
    logLine("The enemy stunned you for 1 round.");
}

void bleedPlayer(int32_t damage) {
    playerBleedDamage = damage;
    playerBleedRounds = 3;
    logLine("The enemy caused you to bleed for 3 rounds.");
}

void poisonPlayer(int32_t damage) {
    playerPoisonDamage = damage;
    playerPoisonRounds = 4;
    logLine("The enemy poisoned you for 4 rounds.");
}

void ignitePlayer(int32_t damage) {
    playerFireDamage = damage;
    playerFireRounds = 2;
    logLine("The enemy ignited you for 2 rounds.");
}

void healEnemy(int32_t amount, const std::string &special) {
    enemyHealth = saturatingAdd(enemyHealth, amount);
    logLine("The enemy recovered " + toText(amount) + " health with " + special + ".");
}

// Each blade is evaded against the base agility alone, without equipment; the first evaded
// one ends the rest.
void rogueBlades() {
    int32_t hits = randomInt(2, 5);
    for (int32_t hit = 0; hit < hits; ++hit) {
        if (playerEvades(character.agility)) {
            logLine("The enemy's attack missed.");
            return;
        }
        int32_t damage = enemyHit(0.5);
        did(damage, "blades");
        roundDamage = saturatingAdd(roundDamage, damage);
    }
}

bool unavoidableSpecial() {
    if (enemyName == "jackalope") {
        strike(1, "charge");
    } else if (enemyName == "salamander") {
        strike(1, "strike");
    } else {
        for (int32_t hit = 0; hit < 2; ++hit) {
            int32_t damage = enemyHit(1);
            did(damage, "stomp");
            roundDamage = saturatingAdd(roundDamage, damage);
        }
    }
    return true;
}

// The specials that only lay an effect on the player: it deals its first tick at the end of
// this half. False when the enemy has none of them.
bool effectSpecial(const std::string &name) {
    if (name == "elf") {
        poisonPlayer(4);
    } else if (name == "griffin") {
        bleedPlayer(10);
    } else if (name == "siren") {
        playerStunRounds = 2;
        logLine("The enemy stunned you for 2 round.");
    } else if (name == "leviathan") {
        poisonPlayer(10);
    } else if (name == "fire wisp") {
        ignitePlayer(10);
    } else if (name == "serpent") {
        poisonPlayer(8);
    } else if (name == "hellhound") {
        bleedPlayer(25);
    } else if (name == "dragon") {
        ignitePlayer(40);
    } else {
        return false;
    }
    return true;
}

// False when the enemy has no special or its condition does not hold.
bool evadableSpecial() {
    const std::string &name = enemyName;
    if (effectSpecial(name)) return true;
    if (name == "unicorn") {
        strike(1, "impale");
        bleedPlayer(3);
    } else if (name == "fairy") {
        if (enemyHealth > 100) return false;
        healEnemy(20, "heal");
    } else if (name == "living tree") {
        strike(1, "bark throw");
        stunPlayer(15);
    } else if (name == "owl") {
        strike(1.5, "peck");
    } else if (name == "cockatrice") {
        strike(1, "flap");
        stunPlayer(40);
    } else if (name == "giant") {
        strike(2, "boulder throw");
    } else if (name == "rogue") {
        rogueBlades();
    } else if (name == "nymph") {
        if (enemyHealth > 300) return false;
        healEnemy(50, "mend");
    } else if (name == "thunderbird") {
        roundDamage = 40;
        logLine("The enemy did 40 damage with shock.");
    } else if (name == "charred golem") {
        roundDamage = 60;
        logLine("The enemy did 60 damage with smolder.");
        if (randomInt(1, 100) <= 5) ignitePlayer(15);
    } else if (name == "banshee") {
        strike(0.5, "shriek");
        stunPlayer(35);
    } else if (name == "zombie") {
        int32_t drained = enemyHit(0.5);
        roundDamage = drained;
        enemyHealth = saturatingAdd(enemyHealth, drained);
        logLine("The enemy did " + toText(drained) + " damage and recovered " + toText(drained) +
                " health with BRAINS.");
    } else if (name == "phoenix") {
        if (randomInt(1, 100) > 20) return false;
        enemyHealth = phoenixHealth;
        logLine("The enemy fully recovered with rebirth.");
    } else if (name == secretBossName) {
        // Neither defense nor the one-point floor applies to his code.
        roundDamage = randomBetween(1.5 * enemyAttack, 2.5 * enemyAttack);
        logLine("Dovik Vel'karr smacks you with code for " + toText(roundDamage) + " damage!",
                "red");
    } else {
        return false;
    }
    return true;
}

} // namespace

bool enemySpecialAttack() {
    if (isUnavoidable()) return unavoidableSpecial();
    // Every other enemy, with a special or not, rolls the evasion first.
    if (playerEvades(effectiveAgility())) return false;
    return evadableSpecial();
}
