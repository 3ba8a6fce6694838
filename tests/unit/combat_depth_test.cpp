#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/potions.hpp"
#include "combat/skills.hpp"
#include "combat/specials.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

#include <algorithm>
#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

class CombatDepthTest : public GameTest {
  protected:
    // A fight against a dummy that never dodges and, being stunned, never strikes back.
    void fight(int32_t attack, int32_t defense = 0) {
        startWarrior();
        messageLog.clear();
        mainMenuActive = false;
        combatActive = true;
        character.name = profileName = "Tess";
        character.level = 5;
        character.attack = attack;
        character.maxHealth = character.currentHealth = 500;
        character.maxMana = character.currentMana = 100;
        enemyName = "dummy";
        enemyHealth = 100000;
        enemyAttack = 10;
        enemyDefense = defense;
        enemyAgility = 0;
        enemyStunRounds = 0;
    }

    // The numbers of every log line that starts with this text, over many seeded casts.
    std::vector<int32_t> numbersAfter(const std::string &lead, const std::function<void()> &act,
                                      int runs = 400) {
        std::vector<int32_t> numbers;
        for (int seed = 0; seed < runs; ++seed) {
            seedRandom(static_cast<uint32_t>(seed));
            messageLog.clear();
            act();
            for (const std::string &line : messageLog)
                if (line.starts_with(lead)) numbers.push_back(std::stoi(line.substr(lead.size())));
        }
        return numbers;
    }

    static std::pair<int32_t, int32_t> span(const std::vector<int32_t> &numbers) {
        if (numbers.empty()) return {0, 0};
        auto [low, high] = std::minmax_element(numbers.begin(), numbers.end());
        return {*low, *high};
    }

    bool logged(const std::string &line) {
        return std::find(messageLog.begin(), messageLog.end(), line) != messageLog.end();
    }
};

TEST_F(CombatDepthTest, WarriorSkillDamageSpansScaleWithLevel) {
    struct Case {
        std::string skill;
        int32_t level, attack, low, high;
    } cases[] = {
        {"whirlwind", 3, 40, 42, 70}, // k 1.4: 56 rolled 75%..125%
        {"stab", 2, 20, 18, 30},      // k 1.2: exactly 24, not a hair below
        {"blades", 1, 40, 15, 25},    // half power per blade: 20
        {"slice", 1, 20, 6, 30},      // 30%..150% of 20
        {"gouge", 6, 10, 15, 25},     // k 2.0: 20
    };
    for (const Case &c : cases) {
        fight(c.attack);
        character.whirlwind = character.stab = character.blades = character.slice =
            character.gouge = c.level;
        auto numbers = numbersAfter("You dealt ", [&] {
            character.currentMana = 100;
            enemyStunRounds = 5;
            useSkill(c.skill);
        });
        EXPECT_EQ(span(numbers), std::make_pair(c.low, c.high)) << c.skill;
    }
}

TEST_F(CombatDepthTest, MultiHitSkillsCountTheirBlows) {
    fight(40);
    character.blades = 1;
    character.slice = 1;
    enemyAttack = 0; // the dummy strikes back for 1 at most
    std::vector<int32_t> bladeLines;
    std::set<std::pair<long, long>> sliceOutcomes; // (misses, hits) of one slice
    for (int seed = 0; seed < 200; ++seed) {
        seedRandom(static_cast<uint32_t>(seed));
        character.currentMana = 100;
        messageLog.clear();
        enemyAgility = 0;
        useSkill("blades");
        bladeLines.push_back(static_cast<int32_t>(messageLog.size()));
        messageLog.clear();
        enemyAgility = 60;
        useSkill("slice");
        sliceOutcomes.insert({std::ranges::count(messageLog, "Your attack missed."),
                              std::ranges::count_if(messageLog, [](const std::string &line) {
                                  return line.starts_with("You dealt");
                              })});
    }
    // blades at level 1: 2 or 3 blows, then the enemy's one line
    EXPECT_EQ(span(bladeLines), std::make_pair(3, 4));
    // slice: a dodged opening ends it; after that both blows are tried whatever happens
    std::set<std::pair<long, long>> expected{{1, 0}, {0, 2}, {1, 1}, {2, 0}};
    EXPECT_EQ(sliceOutcomes, expected);
}

TEST_F(CombatDepthTest, SpellsFollowTheirFixedNumbers) {
    fight(25, 1); // defense 1 blocks nothing
    character.bolt = 3;
    enemyStunRounds = 3;
    useSkill("bolt");
    EXPECT_EQ(messageLog[0], "You dealt 60 damage with bolt.");

    fight(25, 400); // a far stronger defense still leaves 1
    character.bolt = 1;
    enemyStunRounds = 3;
    useSkill("bolt");
    EXPECT_EQ(messageLog.back(), "The enemy is stunned for 2 more rounds.");
    EXPECT_TRUE(logged("You dealt 1 damage with bolt."));

    for (int32_t wand : {0, 37}) {
        fight(25);
        character.fire = 1;
        character.weapon = wand;
        enemyStunRounds = 3;
        messageLog.clear();
        useSkill("fire");
        std::vector<std::string> expected{"You dealt 10 damage with fire.",
                                          wand ? "You ignited the enemy for 3 rounds."
                                               : "You ignited the enemy for 2 rounds.",
                                          "The enemy takes 5 fire damage.",
                                          wand ? "The enemy is on fire for 2 more rounds."
                                               : "The enemy is on fire for 1 more rounds.",
                                          "The enemy is stunned for 2 more rounds."};
        EXPECT_EQ(messageLog, expected);
        EXPECT_EQ(enemyHealth, 100000 - 15);
        EXPECT_EQ(character.currentMana, 94);
    }

    fight(25);
    character.poison = 3;
    enemyStunRounds = 3;
    useSkill("poison");
    EXPECT_EQ(messageLog[1], "The enemy takes 14 poison damage.");
    EXPECT_EQ(enemyPoisonRounds, 3);
}

TEST_F(CombatDepthTest, HealStopsAtMaximumButAlwaysCosts) {
    struct Case {
        int32_t level, current, healed;
    } cases[] = {{2, 300, 90}, {2, 470, 30}, {1, 500, 0}};
    for (const Case &c : cases) {
        fight(25);
        character.heal = c.level;
        character.healMana = 5;
        character.currentHealth = c.current;
        enemyStunRounds = 2;
        useSkill("heal");
        EXPECT_EQ(messageLog[0], "You've been healed " + std::to_string(c.healed) + " health.");
        EXPECT_EQ(character.currentHealth, c.current + c.healed);
        EXPECT_EQ(character.currentMana, 95);
    }
}

TEST_F(CombatDepthTest, StunLengthsByLevel) {
    fight(25);
    auto stunRounds = [&](int32_t level) {
        character.stun = level;
        return span(numbersAfter("You stunned the enemy for ", [&] {
            character.currentMana = 100;
            enemyStunRounds = 0;
            useSkill("stun");
        }));
    };
    EXPECT_EQ(stunRounds(1), std::make_pair(2, 2));
    EXPECT_EQ(stunRounds(3), std::make_pair(2, 3)); // 250 of [200, 300] rounds up
    EXPECT_EQ(stunRounds(6), std::make_pair(2, 5)); // 450 rounds up to 5

    character.whirlwind = 20; // certain stun, one extra round when [1, 110] reaches 100
    auto lengths = span(numbersAfter("The enemy is stunned for ", [&] {
        character.currentMana = 100;
        enemyStunRounds = 0;
        useSkill("whirlwind");
    }));
    EXPECT_EQ(lengths, std::make_pair(0, 1));
}

TEST_F(CombatDepthTest, RefusedSkillsCostNothing) {
    fight(25);
    character.stun = 0;
    character.bolt = 1;
    character.boltMana = 5;
    for (std::string typed : {"stun", "Bolt", "bolt "}) {
        messageLog.clear();
        useSkill(typed);
        EXPECT_EQ(messageLog, std::vector<std::string>{"You don't have access to that skill."});
    }
    character.weapon = 39; // the staff's free cast never lifts the mana check
    character.currentMana = 4;
    messageLog.clear();
    useSkill("bolt");
    EXPECT_EQ(messageLog, std::vector<std::string>{"You don't have enough mana."});
    EXPECT_FALSE(turnTaken);
    EXPECT_EQ(enemyHealth, 100000);

    std::vector<int32_t> manaLeft;
    for (int seed = 0; seed < 20; ++seed) {
        seedRandom(static_cast<uint32_t>(seed));
        character.currentMana = 5;
        enemyAgility = 151; // always dodged, still paid for
        useSkill("bolt");
        manaLeft.push_back(character.currentMana);
    }
    EXPECT_TRUE(logged("Your Frugal Staff made this skill cost 0 mana."));
    EXPECT_EQ(std::ranges::count(manaLeft, 0) + std::ranges::count(manaLeft, 5), 20);
    EXPECT_GT(std::ranges::count(manaLeft, 0), 0);
    EXPECT_GT(std::ranges::count(manaLeft, 5), 0);
}

TEST_F(CombatDepthTest, GougeBleedsATenthOfItsBlow) {
    fight(10); // blows of 7 to 12
    character.gouge = 1;
    int nines = 0;
    for (int seed = 0; seed < 50; ++seed) {
        seedRandom(static_cast<uint32_t>(seed));
        messageLog.clear();
        enemyHealth = 1000;
        enemyStunRounds = 2;
        character.currentMana = 100;
        useSkill("gouge");
        if (messageLog[0] == "You dealt 9 damage with gouge.") {
            EXPECT_EQ(messageLog[2], "The enemy takes 1 bleeding damage.");
            EXPECT_EQ(enemyHealth, 990);
            ++nines;
        }
        if (messageLog[0] == "You dealt 12 damage with gouge.") { EXPECT_EQ(enemyBleedDamage, 1); }
    }
    EXPECT_GT(nines, 0);
}

TEST_F(CombatDepthTest, EffectsTickTheirRoundsThenStop) {
    enemyBleedDamage = 3, enemyBleedRounds = 2;
    enemyFireDamage = 7, enemyFireRounds = 1;
    playerPoisonDamage = 4, playerPoisonRounds = 1;
    for (int tick = 0; tick < 3; ++tick)
        enemyEffectsTick();
    playerEffectsTick();
    playerEffectsTick();
    EXPECT_EQ(messageLog, (std::vector<std::string>{
                              "The enemy takes 3 bleeding damage.",
                              "The enemy is bleeding for 1 more rounds.",
                              "The enemy takes 7 fire damage.",
                              "The enemy is on fire for 0 more rounds.",
                              "The enemy takes 3 bleeding damage.",
                              "The enemy is bleeding for 0 more rounds.",
                              "You take 4 poison damage.",
                              "You are poisoned for 0 more rounds.",
                          }));
    EXPECT_EQ(roundDamage, 17);
}

TEST_F(CombatDepthTest, HealingItemsRoundTheirShare) {
    struct Case {
        int32_t weapon, armor, maximum, current, after;
        std::vector<std::string> lines;
    } cases[] = {
        {38, 0, 125, 100, 103, {"Your Orb of Healing healed you 3 health."}}, // 2.5 rounds up
        {38, 0, 100, 100, 100, {"Your Orb of Healing healed you 0 health."}},
        {0, 44, 150, 100, 105, {"Your Regeneration Armor healed you 5 health."}}, // 4.5
        {0, 44, 100, 99, 100, {"Your Regeneration Armor healed you 1 health."}},
        {38,
         44,
         100,
         90,
         95,
         {"Your Orb of Healing healed you 2 health.",
          "Your Regeneration Armor healed you 3 health."}},
    };
    for (const Case &c : cases) {
        messageLog.clear();
        character.weapon = c.weapon;
        character.armor = c.armor;
        character.maxHealth = c.maximum;
        character.currentHealth = c.current;
        itemPowers(true);
        EXPECT_EQ(character.currentHealth, c.after);
        EXPECT_EQ(messageLog, c.lines);
    }
}

TEST_F(CombatDepthTest, WeaponPowersOnlyOnLandedBlows) {
    character.weapon = 34;
    itemPowers(true);
    itemPowers(false);
    EXPECT_EQ(character.gold, 2);
    character.gold = INT32_MAX;
    itemPowers(false);
    EXPECT_EQ(character.gold, INT32_MAX);

    struct Case {
        int32_t weapon;
        int32_t *damage, *rounds;
        int32_t perRound, count;
    } cases[] = {{36, &enemyPoisonDamage, &enemyPoisonRounds, 4, 4},
                 {40, &enemyBleedDamage, &enemyBleedRounds, 10, 3},
                 {42, &enemyFireDamage, &enemyFireRounds, 20, 2}};
    for (const Case &c : cases) {
        character.weapon = c.weapon;
        int procs = 0;
        for (int seed = 0; seed < 1000; ++seed) {
            seedRandom(static_cast<uint32_t>(seed));
            *c.damage = *c.rounds = 0;
            itemPowers(seed % 2 == 0);
            if (*c.rounds == 0) continue;
            EXPECT_EQ(seed % 2, 1) << "a spell never procs";
            EXPECT_EQ(*c.damage, c.perRound);
            EXPECT_EQ(*c.rounds, c.count);
            ++procs;
        }
        EXPECT_NEAR(procs, 145, 40); // 29 in 100 of 500 blows
    }
}

} // namespace
