#include "game_run.hpp"

#include <gtest/gtest.h>

namespace {

// A level 1 character, Tess, standing in the village, listed in profiles.txt.
void writeTess(GameDir &dir, const std::string &extraLines) {
    dir.write("profiles.txt", "tess\n");
    dir.write("tess.txt", "Name:Tess\nLevel:1\nCurrent Health:150\nMax Health:150\nDefense:12\n"
                          "Max Mana:10\nWilderness:0\n" +
                              extraLines);
}

bool has(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

TEST(ShopGame, BuysWithExactlyEnoughGoldButNotOneShort) {
    for (int gold : {100, 99}) {
        GameDir dir;
        writeTess(dir, "Gold:" + std::to_string(gold) + "\n");
        GameRun run = dir.play({"l", "tess", "s", "buy", "swords", "wooden sword", "iron armor"});
        std::string file = dir.read("tess.txt");
        EXPECT_TRUE(has(run.output, "\"I'm sorry, I don't sell any of those.\"\n"
                                    "Please type in one of the options in purple.\n"));
        if (gold == 100) {
            EXPECT_TRUE(has(run.output, "You purchased: Wooden Sword\n\nYou have 0 gold."));
            EXPECT_TRUE(has(file, "Gold:0\n") && has(file, "Inventory:1\n")) << file;
        } else {
            EXPECT_TRUE(has(run.output, "You don't have enough gold.\n\nYou have 99 gold."));
            EXPECT_TRUE(has(file, "Gold:99\n") && !has(file, "Inventory:")) << file;
        }
    }
}

TEST(ShopGame, SellsAtSalePricesButNotTheEquippedWeapon) {
    GameDir dir;
    writeTess(dir, "Gold:10\nInventory:20,2,43,30\nWeapon:1\n");
    GameRun run = dir.play({"l", "tess", "s", "sell", "emerald staff", "magic sword",
                            "low health potion", "wooden sword"});
    EXPECT_TRUE(has(run.output, "emerald staff 5000G\niron sword 250G\nmagic sword 3000G\n"
                                "low health potion 25G\ngo back\n"));
    EXPECT_TRUE(has(run.output, "You sold: Low Health Potion\n\nYou have 8035 gold."));
    EXPECT_TRUE(has(run.output, "\"You don't have any of those to sell.\"\n"
                                "Please type in one of the options in purple.\n"));
    std::string file = dir.read("tess.txt");
    EXPECT_TRUE(has(file, "Gold:8035\nCurrent Health") && has(file, "Inventory:2\nWeapon:1\n"))
        << file;
}

TEST(ShopGame, EquipsAtTheRequirementButNotOneBelow) {
    for (int attack : {9, 10}) {
        GameDir dir;
        writeTess(dir, "Attack:" + std::to_string(attack) + "\nInventory:1\n");
        GameRun run = dir.play({"l", "tess", "e", "wooden sword"});
        std::string file = dir.read("tess.txt");
        if (attack == 9) {
            EXPECT_TRUE(
                has(run.output, "You don't have the required attack level to equip this item."));
            EXPECT_TRUE(has(file, "Inventory:1\n") && !has(file, "Weapon:")) << file;
        } else {
            EXPECT_TRUE(has(run.output, "You have nothing in your inventory.\nEquipped Items:\n"
                                        "Weapon: wooden sword +5 Attk +1 Def\n"));
            EXPECT_TRUE(has(file, "Weapon:1\n") && !has(file, "Inventory:")) << file;
        }
    }
}

} // namespace
