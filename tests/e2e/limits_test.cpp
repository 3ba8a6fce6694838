// Numbers at the 32-bit limit stay there when the game adds to them, instead of wrapping.
#include "game_run.hpp"

#include <gtest/gtest.h>

TEST(Limits, GoldXpAndStatsSaturateAtTheLimit) {
    GameDir dir;
    dir.write("profiles.txt", "max\n");
    dir.write("max.txt", "Name:Max\nLevel:2147483647\nXP:2147483640\nGold:2147483640\n"
                         "Current Health:2147483647\nMax Health:2147483647\nCurrent Mana:10\n"
                         "Max Mana:10\nAttack:2147483647\nDefense:2147483647\nAgility:100\n"
                         "Stat Points:1\nSkill Points:0\nWilderness:0\nInventory:1\n");
    // Win a fight, train a maxed stat, then sell a sword with full pockets.
    GameRun run = dir.play({"load character", "max", "p", "attack", "v", "t", "stats", "attack",
                            "go back", "exit", "s", "sell", "wooden sword"},
                           {"--seed", "5"});
    EXPECT_NE(run.output.find("You received 21 gold and 25 xp.\nYou now have 2147483647 gold and "
                              "2147483647/2147483647 xp to level 2147483647.\n"),
              std::string::npos);
    std::string saved = dir.read("max.txt");
    for (const char *line : {"\nLevel:2147483647\n", "\nXP:2147483647\n", "\nGold:2147483647\n",
                             "\nAttack:2147483647\n", "\nStat Points:0\n"})
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    EXPECT_EQ(saved.find("Inventory:"), std::string::npos); // the sword was sold
    EXPECT_EQ(run.exitCode, 0);
}
