#include "combat/skills.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

bool skillDodged() {
    return enemyDodges(enemyStunRounds);
}

// Each level above the first adds 20% to a warrior skill. Kept in plain double arithmetic,
// left to right, so that seeded games give the same bounds everywhere, even where a product
// lands a hair below a whole number (1.2 × 18 × 1.25 truncates to 26).
double skillMultiplier(int32_t level) {
    return 1.0 + 0.2 * (static_cast<double>(level) - 1);
}

void missed() {
    logLine("Your attack missed.");
}

// The first strike of a warrior skill: a dodge wastes the round, a landed one wakes the
// item powers.
bool openingDodged() {
    if (skillDodged()) {
        itemPowers(true);
        missed();
        return true;
    }
    itemPowers(false);
    return false;
}

void dealt(int32_t damage, std::string_view skill) {
    logLine("You dealt " + toText(damage) + " damage with " + std::string(skill) + ".");
}

void whirlwind(int32_t level) {
    if (openingDodged()) return;
    roundDamage = damageRoll(skillMultiplier(level) * effectiveAttack(), enemyDefense);
    dealt(roundDamage, "whirlwind");
    int32_t chance = saturate(int64_t{10} * level);
    if (randomInt(1, 100) > chance) return;
    enemyStunRounds = 1;
    // From level 10 on the stun is certain and may last longer.
    if (chance >= 100) enemyStunRounds += randomInt(1, saturate(int64_t{10} * (level - 9))) / 100;
    logLine("You stunned the enemy for 1 round.");
}

void stab(int32_t level) {
    itemPowers(false);
    roundDamage = damageRoll(skillMultiplier(level) * effectiveAttack(), enemyDefense);
    dealt(roundDamage, "stab");
}

// A hand-edited level in the billions would otherwise make one round last for hours and
// fill the log until memory runs out; no trained level comes near this.
constexpr int32_t mostBladesHits = 1000;

void blades(int32_t level) {
    int32_t hits = randomInt(2, std::clamp(saturatingAdd(level, 2), 2, mostBladesHits));
    if (openingDodged()) return;
    for (int32_t hit = 0; hit < hits; ++hit) {
        if (skillDodged()) {
            missed();
            return;
        }
        int32_t damage = damageRoll(skillMultiplier(level) * effectiveAttack() * 0.5, enemyDefense);
        dealt(damage, "blades");
        roundDamage = saturatingAdd(roundDamage, damage);
    }
}

void slice(int32_t level) {
    if (openingDodged()) return;
    for (int32_t hit = 0; hit < 2; ++hit) {
        if (skillDodged()) {
            missed();
            continue;
        }
        // 30% to 150% of k × A instead of the usual 75% to 125%.
        double k = skillMultiplier(level);
        int64_t attackPart =
            randomBetween(0.3 * k * effectiveAttack(), 1.5 * k * effectiveAttack());
        int32_t damage = saturate(std::max<int64_t>(attackPart - defenseRoll(enemyDefense), 1));
        dealt(damage, "slice");
        roundDamage = saturatingAdd(roundDamage, damage);
    }
}

void gouge(int32_t level) {
    if (openingDodged()) return;
    roundDamage = damageRoll(skillMultiplier(level) * effectiveAttack(), enemyDefense);
    dealt(roundDamage, "gouge");
    enemyBleedRounds = 3;
    enemyBleedDamage = std::max(roundDamage / 10, 1);
    logLine("You caused the enemy to bleed for 3 rounds.");
}

void bolt(int32_t level) {
    if (skillDodged()) {
        missed();
        return;
    }
    // The spell's own strength is exact; only the defense is rolled.
    int64_t strength = saturate(int64_t{20} * level);
    roundDamage = saturate(std::max<int64_t>(strength - defenseRoll(enemyDefense), 1));
    dealt(roundDamage, "bolt");
}

void stun(int32_t level) {
    if (skillDodged()) {
        missed();
        return;
    }
    // Hundredths of a round, rounded to whole rounds with halves away from zero.
    int32_t hundredths = randomInt(200, saturate(int64_t{50} * (int64_t{level} + 3)));
    enemyStunRounds = static_cast<int32_t>(std::round(hundredths / 100.0));
    logLine("You stunned the enemy for " + toText(enemyStunRounds) + " rounds.");
}

void fire(int32_t level) {
    if (skillDodged()) {
        missed();
        return;
    }
    roundDamage = saturate(int64_t{10} * level);
    enemyFireDamage = saturate(int64_t{2} * level + 3);
    enemyFireRounds = character.weapon == item::fireWand ? 3 : 2;
    dealt(roundDamage, "fire");
    logLine("You ignited the enemy for " + toText(enemyFireRounds) + " rounds.");
}

void heal(int32_t level) {
    int64_t amount =
        std::min(int64_t{50} * level - 10, int64_t{character.maxHealth} - character.currentHealth);
    character.currentHealth = saturatingAdd(character.currentHealth, amount);
    logLine("You've been healed " + toText(saturate(amount)) + " health.");
}

void poison(int32_t level) {
    if (skillDodged()) {
        missed();
        return;
    }
    enemyPoisonRounds = 4;
    enemyPoisonDamage = saturate(int64_t{4} * level + 2);
    logLine("You poisoned the enemy for 4 rounds.");
}

void performSkill(std::string_view name, int32_t level) {
    if (name == "whirlwind") return whirlwind(level);
    if (name == "stab") return stab(level);
    if (name == "blades") return blades(level);
    if (name == "slice") return slice(level);
    if (name == "gouge") return gouge(level);
    // Spells trigger no weapon power, only the per-turn heals.
    itemPowers(true);
    if (name == "bolt") return bolt(level);
    if (name == "stun") return stun(level);
    if (name == "fire") return fire(level);
    if (name == "heal") return heal(level);
    poison(level);
}

// A dodged skill is still paid for; the staff's free cast comes after the mana check.
void payForSkill(int32_t cost) {
    if (character.weapon == item::frugalStaff && randomInt(1, 100) > 50) {
        logLine("Your Frugal Staff made this skill cost 0 mana.");
        return;
    }
    character.currentMana = saturatingAdd(character.currentMana, -int64_t{cost});
}

} // namespace

void skillMenu() {
    printCombatStatus();
    printEmptyLine();
    setColour("white");
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    bool anySkill = false;
    for (const SkillFields &skill : skillFields) {
        if (character.*skill.level < 1) continue;
        printOption(skill.name, toText(character.*skill.cost) + " mana");
        anySkill = true;
    }
    if (!anySkill) {
        setColour("white");
        printLine("You have no skills available.");
    }
    // printOption leaves the colour white.
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readAnswer();

    if (inputLine == "go back") {
        skillMenuActive = false;
        return;
    }
    useSkill(inputLine);
}

void useSkill(const std::string &command) {
    roundDamage = 0;
    const SkillFields *chosen = nullptr;
    for (const SkillFields &skill : skillFields) {
        if (command == skill.name && character.*skill.level >= 1) chosen = &skill;
    }
    if (chosen == nullptr) {
        logLine("You don't have access to that skill.");
        return;
    }
    int32_t cost = character.*chosen->cost;
    if (character.currentMana < cost) {
        logLine("You don't have enough mana.");
        return;
    }
    performSkill(chosen->name, character.*chosen->level);
    payForSkill(cost);
    finishPlayerHalf();
}
