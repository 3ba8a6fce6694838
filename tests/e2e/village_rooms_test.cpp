#include "game_run.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Tess, a level 3 mage in the village, with the given points, gold and closing lines.
void writeTess(const GameDir &dir, int points, const std::string &gold, const std::string &tail) {
    dir.addCharacter("Tess", "Level:3\nXP:10\nStat Points:" + std::to_string(points) +
                                 "\nSkill Points:" + std::to_string(points) + "\nGold:" + gold +
                                 "\nCurrent Health:100\nMax Health:100\nAttack:5\nDefense:5\n"
                                 "Agility:5\nCurrent Mana:45\nMax Mana:45\nWilderness:0\n" +
                                 startingManaCosts + tail);
}

bool hasScreen(const std::vector<std::string> &screens, const std::string &screen) {
    return std::find(screens.begin(), screens.end(), screen) != screens.end();
}

const std::string typeAnOption = "Please type in one of the options in purple.\n\n";

const std::string topicList = "TOWN CRIER\n\n\"Greetings, Tess.\n"
                              "If you need help, I am here to answer questions.\n"
                              "What would you like to know more about?\"\n\n"
                              "stats\nwarrior skills\nmage skills\nenemies\nlevels and xp\n"
                              "rare items\nrare item stats\nrare item locations\nother\n"
                              "dovik vel'karr\nexit\n\n";

} // namespace

TEST(VillageRooms, TrainerSpendsEveryPointAndRefusesWithoutThem) {
    GameDir dir;
    writeTess(dir, 2, "0", "");
    GameRun run =
        dir.play({"l", "tess", "t", "stats", "attack", "mana", "defense", "go back", "skills",
                  "mage", "bolt", "bolt", "stun", "go back", "go back", "exit"});
    EXPECT_TRUE(contains(run.output, "\n\nbolt - magic damage - 9 mana (2)\n"
                                     "stun - stuns enemy for a few rounds - 7 mana (0)\n"));
    EXPECT_TRUE(contains(run.output, "You don't have any more stat points to use.\n\n"
                                     "TRAINER>Stats\n\nYou have 0 stat point(s).\n"));
    EXPECT_TRUE(contains(run.output, "You don't have any more skill points to use.\n\n"
                                     "TRAINER>Skills>Mage\n"));
    EXPECT_TRUE(contains(withClears(run.output), "<clear>\nVILLAGE\n"));
    std::string file = dir.read("tess.txt");
    for (const char *line : {"\nStat Points:0\nSkill Points:0\n", "\nAttack:6\nDefense:5\n",
                             "\nCurrent Mana:45\nMax Mana:46\n", "\nBolt:2\nWhirlwind Mana:2\n",
                             "\nBolt Mana:9\nStun Mana:7\n"})
        EXPECT_TRUE(contains(file, line)) << line;
}

TEST(VillageRooms, EveryCrierTopicAnswersAndWrongInputShowsThePageAgain) {
    struct Topic {
        std::string keyword, heading;
    };
    // clang-format off
    std::vector<Topic> topics = {
        {"stats", "Stats"}, {"warrior skills", "Warrior Skills"}, {"mage skills", "Mage Skills"},
        {"enemies", "Enemies"}, {"levels and xp", "Levels and Xp"}, {"rare items", "Rare Items"},
        {"rare item stats", "Rare Item Stats"}, {"other", "Other"}};
    // clang-format on
    for (const char *alias : {"dovik vel'karr", "dovik", "dovik velkarr", "dovo", "drixy",
                              "pipkinpal", "velkarr", "dd", "dv", "lantern forge lad", "lfl"})
        topics.push_back({alias, "Dovik Vel'karr"});

    std::vector<std::string> lines = {"l", "tess", "town crier"};
    for (const Topic &topic : topics)
        lines.insert(lines.end(), {topic.keyword, "stats", "go back"});
    lines.insert(lines.end(), {"Stats", "exit ", "exit"});
    GameDir dir;
    writeTess(dir, 0, "0", "");
    GameRun run = dir.play(lines);
    std::vector<std::string> screens = screensOf(run.output);

    // From the village on, each topic takes three screens: list, page, page replayed.
    auto at = std::find(screens.begin(), screens.end(), topicList);
    ASSERT_NE(at, screens.end());
    const auto statsPage = at;
    for (const Topic &topic : topics) {
        ASSERT_GE(screens.end() - at, 3) << topic.keyword;
        EXPECT_EQ(at[0], topicList) << topic.keyword;
        EXPECT_TRUE(at[1].starts_with("TOWN CRIER>" + topic.heading + "\n\n")) << topic.keyword;
        EXPECT_EQ(at[2], typeAnOption + at[1]) << topic.keyword;
        at += 3;
    }
    EXPECT_EQ(statsPage[1],
              "TOWN CRIER>Stats\n\n"
              "Health: life points, if your health reaches 0 you get knocked out\n"
              "Attack: the amount of damage you do with your basic attacks (+/-25%)\n"
              "Defense: the amount of damage that is blocked (+/-25% & 2 Def = 1 Damage)\n"
              "Agility: chance to dodge or flee (150 Agil = 100% dodge chance)\n"
              "Mana: the energy that is used when performing skills\n\n"
              "Your options:\n\ngo back\n\n");
    const std::string apology = "\"I'm sorry, I don't know anything about that.\"\n\n";
    // The list clears the screen after its read, so each apology follows an empty screen.
    ASSERT_GE(screens.end() - at, 5);
    EXPECT_EQ(at[2], apology + topicList);
    EXPECT_EQ(at[4], apology + topicList);
    EXPECT_TRUE(contains(withClears(run.output), "<clear>\nVILLAGE\n"));
}

TEST(VillageRooms, ALocationSellsForExactlyItsPriceAndNotOneGoldLess) {
    struct Case {
        std::string gold;
        std::string first;     // the message after the first try
        std::string second;    // and after asking again
        std::string goldLeft;  // shown and saved
        std::string swordLine; // on the page after the first try
        std::string revealed;  // the file's last line
    };
    for (const Case &c :
         {Case{"75", "Knowledge unlocked.", "You already know about that information.", "0",
               "Sword of Fortune: Unicorn - Plains", "Revealed:0,3\n"},
          Case{"74", "You don't have enough money.", "You don't have enough money.", "74",
               "sword of fortune - 75G", "Revealed:3\n"}}) {
        GameDir dir;
        writeTess(dir, 0, c.gold, "Revealed:3\n");
        GameRun run =
            dir.play({"l", "tess", "town crier", "rare item locations", "sword of fortune",
                      "sword of fortune", "Flail", "go back", "exit"});
        std::vector<std::string> screens = screensOf(run.output);
        const std::string page =
            "You have " + c.goldLeft +
            " gold.\n\nTOWN CRIER>Rare Item Locations\n\n"
            "\"For a price, I will tell you where to find these rare items.\n"
            "Just type in the name of an item.\"\n\nYour options:\n\n" +
            c.swordLine +
            "\nstone club - 100G\npoisoned dagger - 150G\nFire Wand: Wyvern - Dense Forest\n"
            "orb of healing - 1000G\nfrugal staff - 1400G\nflail - 1700G\nlight sword - 2000G\n"
            "flame sword - 2800G\nmagic sword - 3400G\nregen armor - 4000G\ngo back\n\n";
        EXPECT_TRUE(hasScreen(screens, c.first + "\n\n" + page)) << c.gold;
        EXPECT_TRUE(hasScreen(screens, c.second + "\n\n" + page)) << c.gold;
        EXPECT_TRUE(hasScreen(screens, typeAnOption + page)) << c.gold; // "Flail"
        EXPECT_TRUE(hasScreen(screens, topicList)) << c.gold;           // "go back"
        std::string file = dir.read("tess.txt");
        EXPECT_TRUE(contains(file, "\nGold:" + c.goldLeft + "\n")) << c.gold;
        EXPECT_TRUE(file.ends_with("Poison Mana:6\n" + c.revealed)) << c.gold;
    }
}
