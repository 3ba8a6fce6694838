#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/enemy_attacks.hpp"
#include "combat/skills.hpp"
#include "frontend/screens.hpp"
#include "items/catalogue.hpp"

#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <utility>

namespace {

class CombatDepthTest : public GameTest {
  protected:
    // A warrior without agility or defense against a dummy without either, that never dies.
    void SetUp() override {
        GameTest::SetUp();
        startWarrior();
        mainMenuActive = false;
        character.name = profileName = "tess";
        character.maxHealth = character.currentHealth = 500;
        character.maxMana = 100;
        character.agility = character.defense = 0;
        fight();
    }

    static void fight() {
        resetFight();
        combatActive = true;
        enemyName = "dummy";
        enemyHealth = 100000;
        messageLog.clear();
    }

    // Every chance in 100 drawn as `percent`; every other draw at the low or the high end.
    static void draw(int32_t percent, bool high = false) {
        drawOverride = [=](int32_t lo, int32_t hi) {
            return lo == 1 && hi == 100 ? percent : high ? hi : lo;
        };
    }

    void cast(const std::string &skill, int32_t level, int32_t attack) {
        character.whirlwind = character.stab = character.blades = character.slice =
            character.gouge = character.bolt = character.stun = character.fire = character.heal =
                character.poison = level;
        character.attack = attack;
        character.currentMana = 100;
        useSkill(skill);
    }

    static bool special(const std::string &enemy, int32_t attack) {
        enemyName = enemy;
        enemyAttack = attack;
        return enemySpecialAttack();
    }

    static bool logged(const std::string &part) {
        return std::ranges::any_of(messageLog, [&](const LogLine &line) {
            return line.text.find(part) != std::string::npos;
        });
    }
};

TEST_F(CombatDepthTest, DamageSpansOfSkillsAndSpecials) {
    for (const auto &row : table("spans.tsv"))
        for (bool high : {false, true}) {
            const int32_t level = std::stoi(row[1]), attack = std::stoi(row[2]);
            draw(1, high);
            messageLog.clear();
            enemyDefense = row.size() > 5 ? std::stoi(row[5]) : 0;
            level == 0 ? (void)special(row[0], attack) : cast(row[0], level, attack);
            EXPECT_TRUE(std::ranges::count(loggedTexts(), row[3 + high])) << row[3 + high];
        }
}

// Every enemy by the slot drawn, with its level and stats; the plains open two slots at level
// 1, four at level 2 and all six from level 3.
TEST_F(CombatDepthTest, TheRosterBySlot) {
    character.level = 3;
    for (const auto &row : table("roster.tsv")) {
        const int32_t slot = row[1] == "-" ? 0 : std::stoi(row[1]);
        drawOverride = [slot](int32_t, int32_t hi) { return hi == 100 ? 100 : slot; };
        character.wilderness = std::stoi(row[0]);
        generateEnemy();
        EXPECT_EQ(enemyName, row[2]);
        EXPECT_EQ(std::vector({enemyLevel, enemyHealth, enemyAttack, enemyDefense, enemyAgility}),
                  numbers(row, 3, 5))
            << row[2];
    }
    for (const auto &[level, slots] : {std::pair{1, 2}, {2, 4}, {3, 6}}) {
        int32_t drawnUpTo = 0;
        drawOverride = [&](int32_t, int32_t hi) { return hi == 100 ? 100 : (drawnUpTo = hi); };
        character.level = level;
        character.wilderness = area::plains;
        generateEnemy();
        EXPECT_EQ(drawnUpTo, slots) << "level " << level;
    }
}

// At an attack of 40 with every draw low and every chance met: what each special says and
// what it leaves running. One that says nothing did not hold: the enemy strikes as usual.
TEST_F(CombatDepthTest, EveryEnemysSpecial) {
    draw(1);
    for (const auto &row : table("enemy_moves.tsv")) {
        fight();
        enemyHealth = std::stoi(row[1]);
        EXPECT_EQ(special(row[0], 40), row.size() > 7) << row[0];
        EXPECT_EQ(loggedTexts(), std::vector(row.begin() + 7, row.end())) << row[0];
        EXPECT_EQ(std::vector({enemyHealth, playerBleedDamage, playerPoisonDamage, playerFireDamage,
                               playerStunRounds}),
                  numbers(row, 2, 5))
            << row[0];
    }
}

// A chance of n in 100 is met by a draw of n and missed by n + 1. A stun adds 200 to the
// dodge draw in [1, 150], so even the lowest draw escapes a stunned side only with an agility of
// 202: on each side and in each place that rolls it.
TEST_F(CombatDepthTest, ChancesAndDodgesHoldUpToTheirEdgeAndNoFurther) {
    const std::string missed = "The enemy's attack missed.";
    auto flees = [&](int32_t percent, int32_t agility, int32_t stunRounds) {
        draw(percent);
        character.agility = agility;
        enemyAgility = 10;
        enemyStunRounds = stunRounds;
        feed("flee\n");
        combatScreen();
        return logged("You have fled.");
    };
    auto stuns = [&](int32_t percent, const std::string &enemy) {
        draw(percent);
        special(enemy, 10);
        return playerStunRounds == 1;
    };
    auto stunned = [&](int32_t agility, const std::string &enemy) {
        character.agility = agility;
        playerStunRounds = 1;
        enemyName = enemy;
    };
    // clang-format off
    const std::tuple<const char *, int32_t, std::function<bool(int32_t)>> cases[] = {
        {"fleeing with less agility than the enemy", 7, [&](int32_t v) { return flees(v, 9, 0); }},
        {"fleeing with as much", 20, [&](int32_t v) { return flees(v, 10, 0); }},
        {"fleeing a stunned enemy, second draw", 19, [&](int32_t v) { return flees(v, 9, 1); }},
        {"the enemy's special", 30, [&](int32_t v) { draw(v); enemyName = "owl"; enemyTurn(); return logged("with peck"); }},
        {"the enemy striking first", 50, [&](int32_t v) { draw(v); character.wilderness = area::plains; generateEnemy(); return logged("The enemy"); }},
        {"living tree's stun", 15, [&](int32_t v) { return stuns(v, "living tree"); }},
        {"cockatrice's stun", 40, [&](int32_t v) { return stuns(v, "cockatrice"); }},
        {"banshee's stun", 35, [&](int32_t v) { return stuns(v, "banshee"); }},
        {"charred golem's fire", 5, [&](int32_t v) { draw(v); special("charred golem", 10); return playerFireRounds == 2; }},
        {"phoenix's rebirth", 20, [&](int32_t v) { draw(v); enemyHealth = 1; special("phoenix", 10); return enemyHealth == phoenixHealth; }},
        {"whirlwind's stun at level 3", 30, [&](int32_t v) { draw(v); cast("whirlwind", 3, 20); return logged("You stunned the enemy for 1 round."); }},
        {"a weapon's power", 29, [&](int32_t v) { draw(v); character.weapon = item::flail; cast("stab", 1, 20); return logged("caused the enemy to bleed"); }},
        {"the Frugal Staff's cost", 50, [&](int32_t v) { draw(v); character.weapon = item::frugalStaff; cast("bolt", 1, 0); return character.currentMana < 100; }},
        // Agilities from here, every draw low.
        {"a stunned player dodging a special", 201, [&](int32_t v) { stunned(v, "elf"); return enemySpecialAttack(); }},
        {"a stunned player dodging blades once not the special", 201, [&](int32_t v) {
            stunned(v, "rogue");
            drawOverride = [evaded = false](int32_t lo, int32_t hi) mutable { return std::exchange(evaded, true) ? lo : hi; };
            enemySpecialAttack();
            return !logged(missed); }},
        {"a stunned player dodging a blow", 201, [&](int32_t v) { stunned(v, "dummy"); enemyTurn(); return !logged(missed); }},
        {"a stunned enemy dodging a skill", 201, [&](int32_t v) { enemyAgility = v, enemyStunRounds = 1; cast("bolt", 1, 0); return !logged("Your attack missed."); }},
    };
    // clang-format on
    for (const auto &[what, edge, met] : cases)
        for (int32_t value : {edge, edge + 1}) {
            fight();
            character.weapon = character.agility = 0;
            draw(1);
            EXPECT_EQ(met(value), value == edge) << what << " at " << value;
        }

    // From level 10 whirlwind's stun is certain and draws its extra rounds: at 10, up to 10
    // hundredths, so none, but the draw is made all the same.
    fight();
    std::pair<int32_t, int32_t> lastDrawn;
    drawOverride = [&](int32_t lo, int32_t hi) { return (lastDrawn = {lo, hi}).first; };
    cast("whirlwind", 10, 20);
    EXPECT_EQ(lastDrawn, std::pair(1, 10));
}

// What lingers on the player hurts once a round and counts down: bleeding, poison and fire
// together, here while the enemy is stunned, taking the player's last 17 health, and 0 health
// is a knock-out. A spell sets off no weapon power, though a blow does, and the Magic Sword
// gives back 5 mana a blow, or what is left up to the maximum.
TEST_F(CombatDepthTest, LingeringEffectsAndWeaponPowers) {
    playerBleedDamage = 3, playerBleedRounds = 2, playerPoisonDamage = 4, playerPoisonRounds = 4;
    playerFireDamage = 10, playerFireRounds = 1, enemyStunRounds = 1;
    character.currentHealth = 17;
    enemyTurn();
    const Lines log = loggedTexts();
    EXPECT_EQ(Lines(log.begin(), log.begin() + 8),
              (Lines{"The enemy is stunned for 0 more rounds.", "You take 3 bleeding damage.",
                     "You are bleeding for 1 more rounds.", "You take 4 poison damage.",
                     "You are poisoned for 3 more rounds.", "You take 10 fire damage.",
                     "You are on fire for 0 more rounds.", "You have been knocked out!"}));
    EXPECT_EQ(std::vector({roundDamage, playerBleedRounds, playerPoisonRounds, playerFireRounds}),
              std::vector({17, 1, 3, 0}));
    draw(1);
    character.weapon = item::flail;
    for (const char *skill : {"bolt", "stab"}) {
        fight();
        cast(skill, 1, 20);
        EXPECT_EQ(logged("Your Flail caused the enemy to bleed"), skill == std::string("stab"));
    }
    character.weapon = item::magicSword;
    for (const auto &[below, told, left] : {std::tuple{6, "5", 1}, {3, "3", 0}}) {
        fight();
        character.currentMana = effectiveMaxMana() - below;
        feed("attack\n");
        combatScreen();
        EXPECT_TRUE(logged("Your Magic Sword restored " + std::string(told) + " mana.")) << below;
        EXPECT_EQ(character.currentMana, effectiveMaxMana() - left) << below;
    }
}

// The boss's lines are red because his fight says so; every other line of it is white.
TEST_F(CombatDepthTest, TheBossSpeaksInRed) {
    character.wilderness = area::secretLair;
    character.currentHealth = 100000;
    draw(1); // he strikes first, with his code
    generateEnemy();
    enemyStunRounds = 1;
    enemyTurn();
    draw(100); // no special: an ordinary blow, then one that knocks the player out
    enemyTurn();
    character.currentHealth = 1;
    enemyTurn();
    int32_t red = 0;
    for (const LogLine &line : messageLog) {
        const bool his = line.text.starts_with("Dovik") || line.text.starts_with("The mighty");
        EXPECT_EQ(line.colour, his ? "red" : "white") << line.text;
        red += his;
    }
    EXPECT_EQ(red, 7); // appears, code, stunned, two blows, slain, brought back
}

// A hand-edited level in the billions still ends the round: the hits are drawn up to 1000.
// The rogue's blades strike 2 to 5 times.
TEST_F(CombatDepthTest, BladesStrikeAtMostAsOftenAsTheirDrawAllows) {
    auto blades = [] {
        return std::ranges::count_if(
            messageLog, [](const LogLine &line) { return line.text.ends_with("with blades."); });
    };
    for (bool high : {false, true}) {
        draw(1, high);
        messageLog.clear();
        cast("blades", std::numeric_limits<int32_t>::max(), 40);
        EXPECT_EQ(blades(), high ? 1000 : 2);
        messageLog.clear();
        special("rogue", 40);
        EXPECT_EQ(blades(), high ? 5 : 2);
    }
}

} // namespace
