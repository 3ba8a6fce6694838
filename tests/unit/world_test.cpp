#include "game_test.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/rewards.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"
#include "village/village.hpp"
#include "village/wilderness.hpp"

#include <algorithm>
#include <limits>
#include <map>

namespace {

using Lines = std::vector<std::string>;
const Lines invalid{"Please type in one of the options in purple."};

// A level 1 warrior, Bob, standing in the village.
class WorldTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        character.name = "Bob";
        startWarrior();
        profileName = "bob";
        mainMenuActive = false;
        seedRandom(7);
    }

    static void setEnemy(const std::string &name, int32_t level, int32_t attack, int32_t agility) {
        enemyName = name;
        enemyLevel = level;
        enemyHealth = 50;
        enemyAttack = attack;
        enemyDefense = 4;
        enemyAgility = agility;
    }

    static bool saved() { return std::filesystem::remove("bob.txt"); }
};

} // namespace

TEST_F(WorldTest, VillageOptionsHospitalAndHiddenLair) {
    struct Case {
        std::string line;
        bool *flag;
        int32_t area;
        bool save;
        Lines log;
    };
    bool none = false;
    // clang-format off
    const std::vector<Case> cases{
        {"s", &shopActive, 0, false, {}}, {"town crier", &townCrierActive, 0, false, {}},
        {"e", &equipActive, 0, false, {}}, {"t", &trainerActive, 0, false, {}},
        {"p", &none, 1, true, {}}, {"h", &none, 0, true, {"You are fully recovered."}},
        {"dovik's lair", &none, 99, false, {}}, {"Shop", &none, 0, false, invalid},
        {" s", &none, 0, false, invalid}, {"shop [s]", &none, 0, false, invalid},
        {"Town crier", &none, 0, false, invalid}, {"town", &none, 0, false, invalid},
    };
    // clang-format on
    for (const Case &c : cases) {
        character.wilderness = 0;
        character.safeArea = true;
        character.currentHealth = character.currentMana = 1;
        armorMana = 35;
        messageLog.clear();
        feed({c.line});
        villageScreen();
        EXPECT_EQ(*c.flag, c.flag != &none) << c.line;
        *c.flag = false;
        EXPECT_EQ(character.wilderness, c.area) << c.line;
        EXPECT_EQ(character.safeArea, c.area == 0) << c.line;
        EXPECT_EQ(saved(), c.save) << c.line;
        EXPECT_EQ(messageLog, c.log) << c.line;
        EXPECT_EQ(character.currentMana, c.line == "h" ? 45 : 1) << c.line;
    }
    endingActive = true; // the ending hides the village
    takeOutput();
    villageScreen();
    EXPECT_EQ(takeOutput(), "");
}

TEST_F(WorldTest, PathsOfEveryAreaAndTheCommonOptions) {
    struct Case {
        int32_t from;
        std::string line;
        int32_t to; // -1: invalid input
        bool *flag = nullptr;
    };
    // clang-format off
    const std::vector<Case> cases{
        {1, "f", 2}, {1, "v", 0}, {1, "d", -1}, {2, "p", 1}, {2, "d", 3}, {2, "f", -1},
        {3, "l", 5}, {3, "c", 4}, {3, "forest", 2}, {3, "d", -1}, {4, "dense forest", 3},
        {5, "b", 6}, {5, "d", 3}, {5, "forest", -1}, {6, "d", 8}, {6, "a", 7}, {6, "lava lake", 5},
        {7, "b", 6}, {7, "d", -1}, {8, "burnt field", 6}, {8, "village", 0}, {99, "d", -1},
        {99, "v", 0}, {2, "Forest", -1}, {1, "forest ", -1}, {99, "s", 99}, {4, "stay", 4},
        {1, "p", 1, &potionsActive}, {2, "potions", 2, &potionsActive}, {7, "e", 7, &equipActive},
    };
    // clang-format on
    for (const Case &c : cases) {
        character.wilderness = c.from;
        character.safeArea = true;
        messageLog.clear();
        feed({c.line});
        wildernessScreen();
        std::string where = std::to_string(c.from) + " " + c.line;
        EXPECT_EQ(character.wilderness, c.to < 0 ? c.from : c.to) << where;
        EXPECT_EQ(messageLog, c.to < 0 ? invalid : Lines{}) << where;
        // Arrival and staying make the area unsafe; going home and the menus leave it be.
        EXPECT_EQ(character.safeArea, c.to <= 0 || c.flag != nullptr) << where;
        EXPECT_EQ(saved(), c.to >= 0 && c.flag == nullptr) << where;
        EXPECT_TRUE(c.flag == nullptr || *c.flag) << where;
        if (c.flag != nullptr) *c.flag = false;
    }
}

TEST_F(WorldTest, DamageRollStaysInItsRangeAndNeverBelowOne) {
    struct Case {
        double power;
        int32_t defense, low, high;
    };
    // power 100 rolls 75..125; defense 20 blocks 7..12 of it; a hit always does 1.
    for (const Case &c :
         std::vector<Case>{{100, 0, 75, 125}, {100, 20, 63, 118}, {10, 500, 1, 1}}) {
        int32_t low = 1000, high = -1;
        for (int i = 0; i < 4000; ++i) {
            int32_t damage = damageRoll(c.power, c.defense);
            low = std::min(low, damage);
            high = std::max(high, damage);
        }
        EXPECT_EQ(low, c.low) << c.power << " " << c.defense;
        EXPECT_EQ(high, c.high) << c.power << " " << c.defense;
    }
    int32_t blocked = defenseRoll(-10); // a hand-edited file still gives a valid range
    EXPECT_TRUE(blocked >= -6 && blocked <= -3);
    EXPECT_GE(damageRoll(3e9, 0), 1);
}

TEST_F(WorldTest, FlightSucceedsAtTheRatesOfAgilityAndStun) {
    struct Case {
        int32_t enemyAgility, enemyStun;
        double rate;
    };
    // Base agility 8 against at most 8: 20%, against more: 7%; a stunned enemy adds 19% of the
    // rest.
    for (const Case &c :
         std::vector<Case>{{8, 0, 0.20}, {9, 0, 0.07}, {9, 1, 0.07 + 0.93 * 0.19}}) {
        int escapes = 0;
        for (int i = 0; i < 10000; ++i) {
            combatActive = true;
            character.currentHealth = 1000000;
            setEnemy("hawk", 1, 1, c.enemyAgility);
            enemyStunRounds = c.enemyStun;
            messageLog.clear();
            feed({"flee"});
            combatScreen();
            if (messageLog.at(0) == "You have fled.") ++escapes;
            EXPECT_EQ(character.safeArea, !combatActive);
            character.safeArea = false;
        }
        EXPECT_NEAR(escapes / 10000.0, c.rate, 0.015) << c.enemyAgility << " " << c.enemyStun;
    }
}

TEST_F(WorldTest, StunsCostWholeTurnsOnBothSides) {
    combatActive = true;
    setEnemy("Dovik Vel'karr", 100, 1, 80);
    playerStunRounds = 2;
    enemyStunRounds = 1;
    combatScreen(); // a stunned player reads nothing
    EXPECT_EQ(messageLog, (Lines{"You are stunned for 1 more rounds.",
                                 "Dovik Vel'karr is stunned for 0 more rounds."}));
    character.agility = 201; // still stunned: every dodge draw gets 200 added and fails
    for (int i = 0; i < 300; ++i) {
        messageLog.clear();
        enemyTurn();
        if (enemyUsedSpecial) continue; // his code is never evaded either
        EXPECT_EQ(messageLog.at(0), "Dovik Vel'karr hit you for 1 damage.");
    }
}

TEST_F(WorldTest, FallsPayGoldAndXpAndRaiseAtMostOneLevel) {
    struct Case {
        std::string enemy;
        int32_t enemyLevel, level, xp, maxHealth;
        Lines lines;
        int32_t maxHealthAfter;
    };
    const Lines levelUp{"You earned 1 skill point and 5 stat points.",
                        "Go to the trainer in the village to use your points."};
    // clang-format off
    const std::vector<Case> cases{
        {"hawk", 1, 1, 0, 150, {"You received 21 gold and 50 xp.", "You now have 21 gold and 50/100 xp to level 2."}, 150},
        {"hawk", 1, 1, 90, 100, {"You received 21 gold and 50 xp.", "You now have 21 gold and 40/150 xp to level 3.", "You leveled up! 1 -> 2"}, 120},
        {"troll", 4, 4, 0, 150, {"You received 56 gold and 70 xp.", "You now have 56 gold and 70/250 xp to level 5."}, 150},
        {"phoenix", 16, 15, 790, 1000, {"You received 1371 gold and 250 xp.", "You now have 1371 gold and 240/850 xp to level 17.", "You leveled up! 15 -> 16"}, 1100},
        {"Dovik Vel'karr", 100, 1, 0, 150, {"You received 158509 gold and 3020 xp.", "You now have 158509 gold and 2920/150 xp to level 3.", "You leveled up! 1 -> 2"}, 180},
        {"dragon", 14, 14, 0, 150, {"You received 1500 gold and 300 xp.", "You now have 1500 gold and 300/750 xp to level 15."}, 150},
    };
    // clang-format on
    for (const Case &c : cases) {
        setEnemy(c.enemy, c.enemyLevel, 1, 1);
        character.level = c.level;
        character.xp = c.xp;
        character.maxHealth = c.maxHealth;
        character.gold = character.statPoints = 0;
        bool leadsHome = c.enemy == "dragon" || c.enemy == "Dovik Vel'karr";
        character.wilderness = c.enemy == "dragon" ? 8 : 99;
        character.inventory.clear();
        character.gameOver = false;
        messageLog.clear();
        enemySlain();
        Lines expected = c.lines;
        if (c.maxHealthAfter != c.maxHealth)
            expected.insert(expected.end(), levelUp.begin(), levelUp.end());
        std::erase_if(messageLog, [](const std::string &line) {
            return line.starts_with("The enemy dropped") || line.starts_with("Item Stats");
        });
        EXPECT_EQ(messageLog, expected) << c.enemy;
        EXPECT_EQ(character.maxHealth, c.maxHealthAfter) << c.enemy;
        EXPECT_EQ(character.statPoints, c.maxHealthAfter != c.maxHealth ? 5 : 0) << c.enemy;
        EXPECT_EQ(character.wilderness, leadsHome ? 0 : 99) << c.enemy;
    }
    EXPECT_TRUE(character.gameOver && endingActive);
    EXPECT_TRUE(character.inventory.empty()); // the first dragon, last above, leaves nothing

    const int32_t limit = std::numeric_limits<int32_t>::max();
    character.gold = character.xp = limit - 5;
    enemySlain();
    EXPECT_EQ(character.gold, limit);
    EXPECT_EQ(character.xp, limit - 50 * 15);
}

TEST_F(WorldTest, EachAreaSpawnsOnlyItsRosterInEvenShares) {
    // clang-format off
    const std::vector<std::tuple<int32_t, int32_t, Lines>> cases{
        {1, 1, {"hawk", "goblin"}}, {1, 2, {"hawk", "goblin", "unicorn", "pegasus"}},
        {1, 3, {"hawk", "goblin", "unicorn", "pegasus", "fairy", "jackalope"}},
        {2, 9, {"giant rat", "living tree", "elf", "troll", "owl"}},
        {3, 9, {"griffin", "wyvern", "cockatrice", "giant", "panther", "rogue"}},
        {4, 9, {"nymph", "siren", "thunderbird", "shining essence", "leviathan"}},
        {5, 9, {"fire wisp", "serpent", "fire bird", "valkyrie", "salamander"}},
        {6, 9, {"wraith", "charred golem", "firewyrm", "banshee", "hellhound"}},
        {7, 9, {"dust devil", "ancient ogre", "zombie", "stone titan", "phoenix"}},
        {8, 1, {"dragon"}}, {99, 1, {"Dovik Vel'karr"}},
    };
    // clang-format on
    for (const auto &[area, level, roster] : cases) {
        character.wilderness = area;
        character.level = level;
        std::map<std::string, int> seen;
        int firstStrikes = 0;
        for (int i = 0; i < 3000; ++i) {
            character.currentHealth = 1000000000;
            playerPoisonRounds = 3;
            skillMenuActive = true;
            messageLog.clear();
            generateEnemy();
            ++seen[enemyName];
            firstStrikes += messageLog.size() > 2 ? 1 : 0;
            // a poisoning first strike may start a fresh poison
            EXPECT_TRUE((playerPoisonRounds == 0 || enemyUsedSpecial) && !skillMenuActive);
        }
        EXPECT_EQ(seen.size(), roster.size()) << area;
        for (const std::string &name : roster)
            EXPECT_NEAR(seen[name] / 3000.0, 1.0 / double(roster.size()), 0.03) << name;
        EXPECT_NEAR(firstStrikes / 3000.0, 0.5, 0.04) << area;
    }
    EXPECT_EQ(messageLog.at(0), "The mighty Dovik Vel'karr appears!");
}

TEST_F(WorldTest, DropsComeAtTheirRatesWithTheirOwnLines) {
    struct Case {
        int32_t area;
        std::string enemy;
        bool gameOver;
        std::map<std::string, double> rates; // each drop line and how often it comes
    };
    // clang-format off
    const std::vector<Case> cases{
        {1, "hawk", false, {{"The enemy dropped: Wooden Dagger", 0.10}, {"Item Stats: +3 Attk +3 Agil [10 Attk]", 0.10}}},
        {1, "pegasus", false, {{"The enemy dropped: 150 extra gold", 0.10}}},
        {2, "giant rat", true, {{"The enemy dropped: Low Health Potion", 0.20}}},
        {2, "troll", false, {{"The enemy dropped: Iron Battleaxe", 0.10}, {"Item Stats: +23 Attk [20 Attk]", 0.10}}},
        {8, "dragon", true, {{"The enemy dropped: Dragon Scale Armor", 0.10}, {"Item Stats: +19 Def +13 Agil [45 Def]", 0.10},
                             {"The enemy dropped: Dragon Bone Armor", 0.10}, {"Item Stats: +26 Def [45 Def]", 0.10}}},
        {99, "Dovik Vel'karr", false, {{"The enemy dropped: Regeneration Armor", 0.01}, {"The enemy dropped: Sword of Fortune", 0.01}}},
    };
    // clang-format on
    for (const Case &c : cases) {
        setEnemy(c.enemy, 1, 1, 1);
        std::map<std::string, int> seen;
        for (int i = 0; i < 40000; ++i) {
            character.wilderness = c.area;
            character.gameOver = c.gameOver;
            messageLog.clear();
            enemySlain();
            for (const std::string &line : messageLog)
                if (line.starts_with("The enemy dropped") || line.starts_with("Item Stats"))
                    ++seen[line];
        }
        for (const auto &[line, rate] : c.rates)
            EXPECT_NEAR(seen[line] / 40000.0, rate, rate * 0.15 + 0.002) << line;
        // No line of another table; the boss's eleven items each come with their stats.
        EXPECT_EQ(seen.size(), c.area == 99 ? 22u : c.rates.size()) << c.enemy;
    }
}
