#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/enemy_attacks.hpp"
#include "combat/skills.hpp"
#include "console/random.hpp"

#include <algorithm>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class CombatDepthTest : public GameTest {
  protected:
    // A warrior against a dummy that never dodges and, while stunned, never strikes back.
    void SetUp() override {
        GameTest::SetUp();
        startWarrior();
        mainMenuActive = false;
        combatActive = true;
        character.name = profileName = "tess";
        character.maxHealth = character.currentHealth = 500;
        character.maxMana = 100;
        enemyName = "dummy";
        enemyHealth = 100000;
    }

    void cast(const std::string &skill, int32_t level, int32_t attack) {
        character.whirlwind = character.stab = character.blades = character.slice =
            character.gouge = character.bolt = character.stun = character.fire = character.heal =
                character.poison = level;
        character.attack = attack;
        character.currentMana = 100;
        enemyStunRounds = 9;
        useSkill(skill);
    }

    void special(const std::string &enemy, int32_t attack) {
        enemyName = enemy;
        enemyAttack = attack;
        enemySpecialAttack();
    }

    // The lowest and highest number that follows `lead` in the log over many seeded runs.
    std::pair<int, int> span(const std::string &lead, const std::function<void()> &act) {
        std::set<int> numbers;
        for (uint32_t seed = 0; seed < 3000; ++seed) {
            seedRandom(seed);
            messageLog.clear();
            act();
            for (const std::string &line : messageLog)
                if (line.starts_with(lead)) numbers.insert(std::stoi(line.substr(lead.size())));
        }
        return numbers.empty() ? std::pair{0, 0} : std::pair{*numbers.begin(), *numbers.rbegin()};
    }
};

// Powers in double arithmetic, truncated only at the end, at the bounds where that matters.
TEST_F(CombatDepthTest, DamageSpansOfSkillsAndSpecials) {
    struct Case {
        std::string what;
        std::function<void()> act;
        std::string lead;
        std::pair<int, int> span;
    };
    const std::string dealt = "You dealt ", did = "The enemy did ";
    // clang-format off
    Case cases[] = {
        {"stab level 2: 1.2 × 18 × 1.25 truncates to 26", [&] { cast("stab", 2, 18); }, dealt, {16, 26}},
        {"slice level 2: 1.5 × 1.2 × 25 truncates to 44", [&] { cast("slice", 2, 25); }, dealt, {9, 44}},
        {"stun level 6: 450 rounds up", [&] { cast("stun", 6, 0); }, "You stunned the enemy for ", {2, 5}},
        {"stun level 47: at most 2500", [&] { cast("stun", 47, 0); }, "You stunned the enemy for ", {2, 25}},
        {"owl: 37.5", [&] { special("owl", 25); }, did, {28, 46}},
        {"banshee: 45", [&] { special("banshee", 90); }, did, {33, 56}},
        {"rogue: 17.5 a blade", [&] { special("rogue", 35); }, did, {13, 21}},
        {"code", [&] { special("Dovik Vel'karr", 350); }, "Dovik Vel'karr smacks you with code for ", {525, 875}},
    };
    // clang-format on
    character.agility = character.defense = 0; // the player never evades nor blocks
    for (const Case &c : cases)
        EXPECT_EQ(span(c.lead, c.act), c.span) << c.what;
}

// A stun adds 200 to the roll in [1, 150] that agility must beat: an agility of 202 escapes
// only the lowest roll, one of 201 never, on each side and in each place that rolls it.
TEST_F(CombatDepthTest, AStunLeavesOnlyAgilityAbove201AChance) {
    struct Case {
        std::string what;
        std::function<bool(int32_t)> escaped; // one try at this agility
    };
    auto playerStunned = [&](int32_t agility, const std::string &enemy) {
        character.agility = agility;
        character.currentHealth = 500;
        playerStunRounds = 1;
        enemyStunRounds = 0;
        enemyName = enemy;
    };
    auto missed = [&] { return std::ranges::count(messageLog, "The enemy's attack missed.") > 0; };
    const Case cases[] = {
        {"special", [&](int32_t a) { return playerStunned(a, "elf"), !enemySpecialAttack(); }},
        {"rogue's blades",
         [&](int32_t a) { return playerStunned(a, "rogue"), enemySpecialAttack(), missed(); }},
        {"ordinary attack",
         [&](int32_t a) { return playerStunned(a, "dummy"), enemyTurn(), missed(); }},
        {"skill",
         [&](int32_t a) {
             enemyAgility = a, enemyStunRounds = 1, character.bolt = 1, character.currentMana = 100;
             useSkill("bolt");
             return std::ranges::count(messageLog, "Your attack missed.") > 0;
         }},
    };
    for (const Case &c : cases) {
        for (int32_t agility : {201, 202}) {
            int escapes = 0;
            for (uint32_t seed = 0; seed < 3000; ++seed) {
                seedRandom(seed);
                messageLog.clear();
                escapes += c.escaped(agility);
            }
            EXPECT_EQ(escapes > 0, agility == 202) << c.what << " at " << agility;
        }
    }
}

// A hand-edited level in the billions still ends the round: the hits are drawn up to 1000.
TEST_F(CombatDepthTest, BladesAtAnAbsurdLevelStrikeAtMostAThousandTimes) {
    std::set<std::ptrdiff_t> hitCounts;
    for (uint32_t seed = 0; seed < 3000; ++seed) {
        seedRandom(seed);
        messageLog.clear();
        cast("blades", std::numeric_limits<int32_t>::max(), 40);
        hitCounts.insert(std::ranges::count_if(messageLog, [](const std::string &line) {
            return line.ends_with(" damage with blades.");
        }));
    }
    EXPECT_EQ(*hitCounts.begin(), 2);
    EXPECT_EQ(*hitCounts.rbegin(), 1000);
}

} // namespace
