#include "game_run.hpp"

#include <gtest/gtest.h>

namespace {

// Bob, a level 1 warrior with 90 xp, in the village; fields replaced as given.
void writeBob(const GameDir &dir, const std::string &health, const std::string &gold) {
    dir.addCharacter("Bob", "Level:1\nXP:90\nStat Points:0\nSkill Points:1\nGold:" + gold +
                                "\nCurrent Health:" + health +
                                "\nMax Health:150\nAttack:25\nDefense:12\nAgility:8\n"
                                "Current Mana:10\nMax Mana:10\nWilderness:0\n" +
                                startingManaCosts);
}

} // namespace

TEST(World, WinInThePlainsLevelsUpAndWalksHome) {
    GameDir dir;
    writeBob(dir, "150", "0");
    GameRun run = dir.play({"l", "bob", "p", "attack", "attack", "v"}, {"--seed", "1"});
    expectInOrder(run.output,
                  {"A wild hawk appears!",
                   "",
                   "Bob: Level=1 Health=150/150 Attack=25 Defense=12 Agility=8 Mana=10/10",
                   "hawk: Level=1 Health=50 Attack=15 Defense=4 Agility=10",
                   "You dealt 30 damage.",
                   "The enemy hit you for 8 damage.",
                   "You dealt 22 damage.",
                   "You have slain the enemy!",
                   "You received 21 gold and 50 xp.",
                   "You now have 21 gold and 40/150 xp to level 3.",
                   "You leveled up! 1 -> 2",
                   "You earned 1 skill point and 5 stat points.",
                   "Go to the trainer in the village to use your points.",
                   "",
                   "PLAINS",
                   "",
                   "You have 142/180 health and 10/10 mana left.",
                   "You have 2 skill point(s) to use at the trainer.",
                   "You have 5 stat point(s) to use at the trainer.",
                   "",
                   "VILLAGE"});
    // The won fight's pass ends silent: the plains are drawn once, below the fight's lines.
    EXPECT_EQ(run.output.find("PLAINS"), run.output.rfind("PLAINS"));
    std::string file = dir.read("bob.txt");
    for (const char *line :
         {"Level:2\n", "XP:40\n", "Gold:21\n", "Max Health:180\n", "Wilderness:0\nSafe Area:1\n"})
        EXPECT_NE(file.find(line), std::string::npos) << line;
}

TEST(World, KnockOutBillsHalfTheGoldAndWakesInTheVillage) {
    GameDir dir;
    writeBob(dir, "12", "7");
    GameRun run = dir.play({"l", "bob", "p", "attack", "attack", "attack"}, {"--seed", "3"});
    expectInOrder(run.output,
                  {"A wild goblin appears!", "", "The enemy hit you for 4 damage.",
                   "You dealt 18 damage.", "The enemy hit you for 3 damage.",
                   "You dealt 16 damage.", "The enemy hit you for 7 damage.",
                   "You have been knocked out!", "", "You awake in the hospital refreshed.",
                   "The hospital bills will be 50% of your gold.", "You pay 3 gold.", "",
                   "You have 1 skill point(s) to use at the trainer.", "", "VILLAGE", "",
                   "You have 150/150 health and 10/10 mana left."});
    std::string file = dir.read("bob.txt");
    EXPECT_NE(file.find("Gold:4\nCurrent Health:150\n"), std::string::npos);
    EXPECT_NE(file.find("Wilderness:0\nWhirlwind"), std::string::npos); // not safe: no such line
}

TEST(World, TheHiddenLairsBossIsRedAndAllowsNoFlight) {
    GameDir dir;
    writeBob(dir, "150", "9");
    GameRun run =
        dir.play({"l", "bob", "dovik's lair", "flee", "attack"}, {"--seed", "6", "--color=always"});
    expectInOrder(run.output,
                  {"\x1b[97m\x1b[91mThe mighty Dovik Vel'karr appears!",
                   "\x1b[91mDovik Vel'karr: Level=100 Health=2500 Attack=350 Defense=50 Agility=80",
                   "\x1b[95mattack", "skill", "potion", "\x1b[92m",
                   "\x1b[97mPlease type in one of the options in purple.",
                   "\x1b[91mDovik Vel'karr hit you for 264 damage.",
                   "\x1b[97m\x1b[91mDovik Vel'karr has slain you!", "You pay 4 gold."});
    EXPECT_EQ(run.output.find("flee"), std::string::npos);
    EXPECT_NE(dir.read("bob.txt").find("Gold:5\n"), std::string::npos);
}
