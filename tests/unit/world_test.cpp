#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "combat/rewards.hpp"
#include "console/random.hpp"

#include <algorithm>
#include <map>

namespace {

using Lines = std::vector<std::string>;

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
};

} // namespace

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
        {2, "troll", false, {{"The enemy dropped: Iron Battleaxe", 0.10}, {"Item Stats: +23 Attk -5 Agil [20 Attk]", 0.10}}},
        {8, "dragon", true, {{"The enemy dropped: Dragon Scale Armor", 0.10}, {"Item Stats: +19 Def +13 Agil [45 Def]", 0.10},
                             {"The enemy dropped: Dragon Bone Armor", 0.10}, {"Item Stats: +26 Def [45 Def]", 0.10}}},
        {99, "Dovik Vel'karr", false, {{"The enemy dropped: Regeneration Armor", 0.01}, {"The enemy dropped: Sword of Fortune", 0.01}}},
    };
    // clang-format on
    for (const Case &c : cases) {
        enemyName = c.enemy;
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
