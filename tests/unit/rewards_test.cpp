#include "game_test.hpp"

#include "character/character.hpp"
#include "combat/enemies.hpp"
#include "combat/rewards.hpp"
#include "frontend/screens.hpp"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class RewardsTest : public GameTest {
  protected:
    // One fall of a level 1 `enemy` in `area`, the draws as listed and then as the last one:
    // the lines that say what it dropped.
    static Lines drops(int32_t area, const std::string &enemy, std::vector<int32_t> draws) {
        drawOverride = [draws, next = size_t{0}](int32_t, int32_t) mutable {
            return draws[std::min(next++, draws.size() - 1)];
        };
        character.wilderness = area;
        enemyName = enemy;
        enemyLevel = 1;
        messageLog.clear();
        character.inventory.clear();
        enemySlain();
        Lines lines;
        for (const std::string &line : loggedTexts())
            if (line.starts_with("The enemy dropped") || line.starts_with("Item Stats"))
                lines.push_back(line);
        return lines;
    }
};

TEST_F(RewardsTest, EveryEnemyDropsItsOwnItemAtTheEdgeOfItsChance) {
    for (const auto &row : table("drops.tsv")) {
        Lines expected;
        if (row.size() > 2) expected.push_back("The enemy dropped: " + row[2]);
        if (row.size() > 3) expected.push_back("Item Stats: " + row[3]);
        EXPECT_EQ(drops(std::stoi(row[0]), row[1], {10}), expected) << row[1];
        const bool item = row.size() > 2 && !row[2].ends_with("extra gold");
        EXPECT_EQ(character.inventory.size(), item ? 1u : 0u) << row[1];
        EXPECT_EQ(drops(std::stoi(row[0]), row[1], {11}), Lines{}) << row[1];
    }
}

// Once the dragon has fallen, a second draw decides, at 20; the dragon's armour splits at 50;
// the boss rolls each of his eleven items at 10.
TEST_F(RewardsTest, LaterDropsTheDragonsArmourAndTheHoard) {
    const Lines scale{"The enemy dropped: Dragon Scale Armor",
                      "Item Stats: +19 Def +13 Agil [45 Def]"};
    character.gameOver = true;
    EXPECT_EQ(drops(8, "dragon", {20}), scale);
    EXPECT_EQ(drops(8, "dragon", {21}), Lines{});
    EXPECT_EQ(drops(8, "dragon", {1, 1, 50, 1}), scale);
    EXPECT_EQ(drops(8, "dragon", {1, 1, 51, 1}),
              (Lines{"The enemy dropped: Dragon Bone Armor", "Item Stats: +26 Def [45 Def]"}));
    EXPECT_EQ(drops(7, "phoenix", {20}).size(), 2u);

    const Lines hoard = drops(99, secretBossName, {10});
    EXPECT_EQ(hoard.size(), 22u);
    EXPECT_EQ(hoard[0], "The enemy dropped: Regeneration Armor");
    EXPECT_EQ(hoard[20], "The enemy dropped: Sword of Fortune");
    // Only the gate's draws (1) open; every item's draw is 11.
    EXPECT_EQ(drops(99, secretBossName, {1, 1, 11}), Lines{});

    // The first dragon drops nothing, pays its fixed reward and opens the ending.
    character.gameOver = false;
    EXPECT_EQ(drops(8, "dragon", {1}), Lines{});
    EXPECT_TRUE(character.gameOver && endingActive);
    EXPECT_EQ(character.wilderness, area::village);
}

TEST_F(RewardsTest, GoldXpAndLevelsPerFall) {
    for (const auto &row : table("falls.tsv")) {
        character.gameOver = true;
        character.level = std::stoi(row[2]);
        character.xp = std::stoi(row[3]);
        character.maxHealth = std::stoi(row[4]);
        character.gold = character.skillPoints = character.statPoints = 0;
        drawOverride = [](int32_t, int32_t) { return 100; }; // no drop
        character.wilderness = area::plains;
        enemyName = row[0];
        enemyLevel = std::stoi(row[1]);
        messageLog.clear();
        enemySlain();
        Lines expected{"You received " + row[5] + ".", "You now have " + row[6] + "."};
        const bool rose = row[7] != row[2];
        if (rose)
            expected.insert(expected.end(),
                            {"You leveled up! " + row[2] + " -> " + row[7],
                             "You earned 1 skill point and 5 stat points.",
                             "Go to the trainer in the village to use your points."});
        EXPECT_EQ(loggedTexts(), expected) << row[0] << " at " << row[2] << " with " << row[3];
        EXPECT_EQ(std::vector({character.level, character.xp, character.maxHealth,
                               character.skillPoints, character.statPoints}),
                  std::vector({std::stoi(row[7]), std::stoi(row[8]), std::stoi(row[9]),
                               rose ? 1 : 0, rose ? 5 : 0}));
    }
}

} // namespace
