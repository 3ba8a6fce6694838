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

TEST_F(CombatDepthTest, EffectSpecialsSetTheirFieldsAndLine) {
    struct Case {
        std::string enemy;
        int32_t *damage, *rounds;
        int32_t perRound, count;
        std::string line;
    } cases[] = {
        {"elf", &playerPoisonDamage, &playerPoisonRounds, 4, 4,
         "The enemy poisoned you for 4 rounds."},
        {"serpent", &playerPoisonDamage, &playerPoisonRounds, 8, 4,
         "The enemy poisoned you for 4 rounds."},
        {"leviathan", &playerPoisonDamage, &playerPoisonRounds, 10, 4,
         "The enemy poisoned you for 4 rounds."},
        {"griffin", &playerBleedDamage, &playerBleedRounds, 10, 3,
         "The enemy caused you to bleed for 3 rounds."},
        {"hellhound", &playerBleedDamage, &playerBleedRounds, 25, 3,
         "The enemy caused you to bleed for 3 rounds."},
        {"fire wisp", &playerFireDamage, &playerFireRounds, 10, 2,
         "The enemy ignited you for 2 rounds."},
        {"dragon", &playerFireDamage, &playerFireRounds, 40, 2,
         "The enemy ignited you for 2 rounds."},
    };
    for (const Case &c : cases) {
        fight(25);
        character.agility = 0; // no evasion
        enemyName = c.enemy;
        *c.damage = 1, *c.rounds = 1; // a running effect of the kind is replaced, not added to
        EXPECT_TRUE(enemySpecialAttack());
        EXPECT_EQ(messageLog, std::vector<std::string>{c.line}) << c.enemy;
        EXPECT_EQ(std::make_pair(*c.damage, *c.rounds), std::make_pair(c.perRound, c.count));
        EXPECT_EQ(roundDamage, 0);
    }

    fight(25);
    character.agility = 0;
    enemyName = "siren";
    EXPECT_TRUE(enemySpecialAttack());
    EXPECT_EQ(messageLog[0], "The enemy stunned you for 2 round.");
    EXPECT_EQ(playerStunRounds, 2);
    enemyName = "thunderbird";
    EXPECT_TRUE(enemySpecialAttack());
    EXPECT_EQ(messageLog[1], "The enemy did 40 damage with shock.");
    EXPECT_EQ(roundDamage, 40);
}

TEST_F(CombatDepthTest, HealingSpecialsKeepToTheirConditions) {
    struct Case {
        std::string enemy;
        int32_t health;
        bool used;
        int32_t after;
    } cases[] = {{"fairy", 100, true, 120}, {"fairy", 101, false, 101},
                 {"nymph", 300, true, 350}, {"nymph", 301, false, 301},
                 {"hawk", 50, false, 50},   {"stone titan", 1400, false, 1400}};
    for (const Case &c : cases) {
        fight(25);
        character.agility = 0;
        enemyName = c.enemy;
        enemyHealth = c.health;
        EXPECT_EQ(enemySpecialAttack(), c.used) << c.enemy;
        EXPECT_EQ(enemyHealth, c.after) << c.enemy;
    }
    fight(25);
    character.agility = 0;
    enemyName = "phoenix";
    int reborn = 0;
    for (int seed = 0; seed < 300; ++seed) {
        seedRandom(static_cast<uint32_t>(seed));
        enemyHealth = 10;
        if (enemySpecialAttack()) ++reborn;
        EXPECT_TRUE(enemyHealth == 10 || enemyHealth == 1500);
    }
    EXPECT_NEAR(reborn, 60, 20);
}

TEST_F(CombatDepthTest, DamageSpecialsScaleTheEnemyAttack) {
    struct Case {
        std::string enemy, lead;
        int32_t attack, low, high;
    } cases[] = {
        {"jackalope", "The enemy did ", 15, 11, 18},
        {"salamander", "The enemy did ", 70, 52, 87},
        {"unicorn", "The enemy did ", 20, 15, 25},
        {"owl", "The enemy did ", 25, 28, 46},     // 37.5
        {"giant", "The enemy did ", 20, 30, 50},   // 40
        {"banshee", "The enemy did ", 90, 33, 56}, // 45
        {"zombie", "The enemy did ", 120, 45, 75}, // 60
        {"rogue", "The enemy did ", 35, 13, 21},   // 17.5 per blade
        {"Dovik Vel'karr", "Dovik Vel'karr smacks you with code for ", 350, 525, 875},
    };
    for (const Case &c : cases) {
        fight(25);
        character.agility = 0;
        character.defense = 0;
        enemyName = c.enemy;
        enemyAttack = c.attack;
        auto numbers = numbersAfter(
            c.lead, [&] { enemySpecialAttack(); }, 3000);
        EXPECT_EQ(span(numbers), std::make_pair(c.low, c.high)) << c.enemy;
    }
}

TEST_F(CombatDepthTest, MultiBlowSpecials) {
    fight(25);
    character.agility = 0;
    character.defense = 0;
    enemyName = "ancient ogre";
    enemyAttack = 70;
    seedRandom(3);
    EXPECT_TRUE(enemySpecialAttack());
    ASSERT_EQ(messageLog.size(), 2u);
    EXPECT_EQ(roundDamage,
              std::stoi(messageLog[0].substr(14)) + std::stoi(messageLog[1].substr(14)));

    // The rogue's blades care for the base agility only; a parried blade ends the rest.
    enemyName = "rogue";
    for (int32_t baseAgility : {0, 250}) {
        character.agility = baseAgility;
        weaponAgility = baseAgility == 0 ? 100 : 0;
        playerStunRounds = baseAgility == 0 ? 0 : 1; // lifts the draws to 201..350
        std::set<long> blows;
        for (int seed = 0; seed < 300; ++seed) {
            seedRandom(static_cast<uint32_t>(seed));
            messageLog.clear();
            if (!enemySpecialAttack()) continue;
            long misses = std::ranges::count(messageLog, "The enemy's attack missed.");
            EXPECT_TRUE(misses == 0 || messageLog.back() == "The enemy's attack missed.");
            if (baseAgility == 0) { EXPECT_EQ(misses, 0); }
            blows.insert(static_cast<long>(messageLog.size()) - misses);
        }
        std::set<long> expected{2, 3, 4, 5};
        if (baseAgility != 0) expected.insert({0, 1});
        EXPECT_EQ(blows, expected);
    }
}

TEST_F(CombatDepthTest, EvasionComesBeforeEveryAvoidableSpecial) {
    fight(25);
    character.agility = 151; // every draw of [1, 150] is below it
    for (std::string enemy : {"elf", "dragon", "Dovik Vel'karr", "fairy"}) {
        enemyName = enemy;
        enemyHealth = 50;
        EXPECT_FALSE(enemySpecialAttack()) << enemy;
    }
    enemyName = "jackalope";
    EXPECT_TRUE(enemySpecialAttack());
    playerStunRounds = 1; // stunned: 201 and up is never below 151
    enemyName = "elf";
    EXPECT_TRUE(enemySpecialAttack());
}

TEST_F(CombatDepthTest, StunningSpecialsRollTheirChance) {
    struct Case {
        std::string enemy;
        int32_t attack, percent;
    } cases[] = {{"living tree", 15, 15}, {"cockatrice", 40, 40}, {"banshee", 90, 35}};
    for (const Case &c : cases) {
        fight(25);
        character.agility = 0;
        enemyName = c.enemy;
        enemyAttack = c.attack;
        int stuns = 0;
        for (int seed = 0; seed < 1000; ++seed) {
            seedRandom(static_cast<uint32_t>(seed));
            messageLog.clear();
            playerStunRounds = 0;
            enemySpecialAttack();
            if (playerStunRounds == 1) {
                EXPECT_EQ(messageLog.back(), "The enemy stunned you for 1 round.");
                ++stuns;
            }
        }
        EXPECT_NEAR(stuns, c.percent * 10, 50) << c.enemy;
    }
    fight(25);
    character.agility = 0;
    enemyName = "charred golem";
    int ignited = 0;
    for (int seed = 0; seed < 1000; ++seed) {
        seedRandom(static_cast<uint32_t>(seed));
        playerFireRounds = 0;
        enemySpecialAttack();
        EXPECT_EQ(roundDamage, 60);
        if (playerFireRounds == 2 && playerFireDamage == 15) ++ignited;
    }
    EXPECT_NEAR(ignited, 50, 25);
}

TEST_F(CombatDepthTest, PotionsScreenCapsAndSaves) {
    struct Case {
        int32_t potion, health, mana;
        std::string line;
        int32_t healthAfter, manaAfter;
    } cases[] = {
        {30, 80, 0, "You have restored 20 health.", 100, 0},
        {30, 50, 0, "You have restored 50 health.", 100, 0},
        {31, 100, 0, "You have restored 0 health.", 100, 0},
        {32, 100, 10, "You have restored 40 mana.", 100, 50},
        {33, 100, 10, "You have restored 90 mana.", 100, 100}, // robes lift the ceiling to 100
    };
    for (const Case &c : cases) {
        resetGame();
        startWarrior();
        mainMenuActive = false;
        character.name = profileName = "tess";
        character.wilderness = 1;
        character.maxHealth = 100;
        character.currentHealth = c.health;
        character.maxMana = 60;
        armorMana = 40;
        character.currentMana = c.mana;
        character.inventory = {5, c.potion, 30};
        potionsActive = true;
        feed({c.potion == 30 ? "low health potion" : std::string(itemById(c.potion).typedName)});
        potionsScreen();
        EXPECT_EQ(messageLog, std::vector<std::string>{c.line});
        EXPECT_EQ(character.currentHealth, c.healthAfter);
        EXPECT_EQ(character.currentMana, c.manaAfter);
        EXPECT_EQ(character.inventory, (std::vector<int32_t>{5, 30})); // the first of its kind
        EXPECT_NE(readFile("tess.txt").find("Health:" + std::to_string(c.healthAfter)),
                  std::string::npos);
    }
}

TEST_F(CombatDepthTest, PotionListsCountAndRefuse) {
    character.inventory = {30, 5, 30, 30, 33};
    character.maxHealth = 100;
    character.currentHealth = 10;
    potionsActive = true;
    feed({"low health potion", "high health potion", "go back"});
    potionsScreen();
    std::string first = takeOutput();
    EXPECT_NE(first.find("low health potion - restores 50 health (x3)\n"
                         "high mana potion - restores 250 mana (x1)\ngo back\n"),
              std::string::npos);
    potionsScreen();
    EXPECT_NE(takeOutput().find("restores 50 health (x2)"), std::string::npos);
    EXPECT_EQ(messageLog.back(), "You don't have any of those.");
    EXPECT_EQ(character.inventory, (std::vector<int32_t>{5, 30, 30, 33}));
    potionsScreen();
    EXPECT_FALSE(potionsActive);

    character.inventory = {5};
    potionsActive = true;
    feed({"go back"});
    potionsScreen();
    EXPECT_NE(takeOutput().find("You don't have any potions available.\n"), std::string::npos);
}

TEST_F(CombatDepthTest, PotionInAFightCostsTheRound) {
    fight(25);
    character.weapon = 38; // the orb heals first: 40 + 2, then the potion up to 92
    character.maxHealth = 100;
    character.currentHealth = 40;
    character.inventory = {30};
    potionMenuActive = true;
    enemyStunRounds = 1;
    feed({"low health potion", "low health potion", "go back"});
    potionMenu();
    EXPECT_EQ(messageLog, (std::vector<std::string>{"Your Orb of Healing healed you 2 health.",
                                                    "You have restored 50 health.",
                                                    "The enemy is stunned for 0 more rounds."}));
    EXPECT_EQ(character.currentHealth, 92);
    EXPECT_TRUE(potionMenuActive);
    messageLog.clear();
    int32_t health = character.currentHealth;
    potionMenu();
    EXPECT_EQ(messageLog, std::vector<std::string>{"You don't have any of those."});
    EXPECT_EQ(character.currentHealth, health); // no round: the enemy did not strike
    potionMenu();
    EXPECT_FALSE(potionMenuActive);
}

} // namespace
