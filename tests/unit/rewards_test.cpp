#include "game_test.hpp"

#include "character/character.hpp"
#include "combat/enemies.hpp"
#include "combat/rewards.hpp"
#include "frontend/screens.hpp"

#include <string>
#include <vector>

namespace {

class RewardsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        character.level = 10;
        character.maxHealth = 100;
    }

    // One fall of a level `level` `enemy` in `area`, every draw `percent`: the lines logged.
    std::vector<std::string> fall(int32_t area, const std::string &enemy, int32_t percent,
                                  int32_t level = 1) {
        drawOverride = [percent](int32_t, int32_t) { return percent; };
        character.wilderness = area;
        enemyName = enemy;
        enemyLevel = level;
        messageLog.clear();
        character.inventory.clear();
        enemySlain();
        return loggedTexts();
    }

    // The lines of a fall that say what it dropped.
    std::vector<std::string> drops(int32_t area, const std::string &enemy, int32_t percent) {
        std::vector<std::string> lines;
        for (const std::string &line : fall(area, enemy, percent))
            if (line.starts_with("The enemy dropped") || line.starts_with("Item Stats"))
                lines.push_back(line);
        return lines;
    }
};

TEST_F(RewardsTest, EveryEnemyDropsItsOwnItemAtTheEdgeOfItsChance) {
    for (const auto &row : table("drops.tsv")) {
        std::vector<std::string> expected;
        if (row.size() > 2) expected.push_back("The enemy dropped: " + row[2]);
        if (row.size() > 3) expected.push_back("Item Stats: " + row[3]);
        EXPECT_EQ(drops(std::stoi(row[0]), row[1], 10), expected) << row[1];
        const bool item = row.size() > 2 && !row[2].ends_with("extra gold");
        EXPECT_EQ(character.inventory.size(), item ? 1u : 0u) << row[1];
        EXPECT_EQ(drops(std::stoi(row[0]), row[1], 11), std::vector<std::string>{}) << row[1];
    }
}

// Once the dragon has fallen, a second draw decides, at 20; the dragon's armour splits at 50;
// the boss rolls each of his eleven items at 10.
TEST_F(RewardsTest, LaterDropsTheDragonsArmourAndTheHoard) {
    const std::string scale = "The enemy dropped: Dragon Scale Armor";
    const std::string bone = "The enemy dropped: Dragon Bone Armor";
    character.gameOver = true;
    EXPECT_EQ(drops(8, "dragon", 20),
              (std::vector<std::string>{scale, "Item Stats: +19 Def +13 Agil [45 Def]"}));
    EXPECT_EQ(drops(8, "dragon", 21), std::vector<std::string>{});
    for (int32_t armour : {50, 51}) {
        drawOverride = [armour, draws = 0](int32_t, int32_t) mutable {
            return ++draws == 3 ? armour : 1;
        };
        messageLog.clear();
        character.wilderness = area::dragonLair;
        enemySlain();
        EXPECT_EQ(loggedTexts()[0], armour == 50 ? scale : bone);
    }
    EXPECT_EQ(loggedTexts()[1], "Item Stats: +26 Def [45 Def]");
    EXPECT_EQ(drops(7, "phoenix", 20).size(), 2u);

    const std::vector<std::string> hoard = drops(99, secretBossName, 10);
    EXPECT_EQ(hoard.size(), 22u);
    EXPECT_EQ(hoard[0], "The enemy dropped: Regeneration Armor");
    EXPECT_EQ(hoard[20], "The enemy dropped: Sword of Fortune");
    // Only the gate's draws (1) open; every item's draw is 11.
    drawOverride = [draws = 0](int32_t, int32_t) mutable { return ++draws <= 2 ? 1 : 11; };
    character.wilderness = area::secretLair;
    messageLog.clear();
    enemySlain();
    EXPECT_EQ(loggedTexts()[0].substr(0, 12), "You received");

    // The first dragon drops nothing, pays its fixed reward and opens the ending.
    character.gameOver = false;
    EXPECT_EQ(drops(8, "dragon", 1), std::vector<std::string>{});
    EXPECT_TRUE(character.gameOver);
    EXPECT_TRUE(endingActive);
    EXPECT_EQ(character.wilderness, area::village);
}

TEST_F(RewardsTest, GoldAndXpPerKill) {
    for (const auto &row : table("kills.tsv")) {
        character.level = std::stoi(row[2]);
        character.gameOver = true;
        character.gold = character.xp = 0;
        const std::string received = "You received " + row[3] + " gold and " + row[4] + " xp.";
        EXPECT_EQ(fall(area::village, row[0], 100, std::stoi(row[1])).at(0), received)
            << row[0] << " at " << row[2];
    }
}

TEST_F(RewardsTest, LevellingUp) {
    for (const auto &row : table("levels.tsv")) {
        character.level = std::stoi(row[0]);
        character.xp = std::stoi(row[1]);
        character.maxHealth = std::stoi(row[2]);
        character.gold = character.skillPoints = character.statPoints = 0;
        std::vector<std::string> expected{"You now have 21 gold and " + row[3] + "."};
        const bool rose = row[4] != row[0];
        if (rose)
            expected.insert(expected.end(),
                            {"You leveled up! " + row[0] + " -> " + row[4],
                             "You earned 1 skill point and 5 stat points.",
                             "Go to the trainer in the village to use your points."});
        std::vector<std::string> log = fall(area::plains, "hawk", 100);
        log.erase(log.begin()); // what it received
        EXPECT_EQ(log, expected) << row[0] << " with " << row[1];
        EXPECT_EQ(std::vector({character.level, character.xp, character.maxHealth,
                               character.skillPoints, character.statPoints}),
                  std::vector({std::stoi(row[4]), std::stoi(row[5]), std::stoi(row[6]),
                               rose ? 1 : 0, rose ? 5 : 0}));
    }
}

} // namespace
