#include "game_test.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "combat/combat.hpp"
#include "combat/enemies.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"
#include "items/shop.hpp"
#include "village/village.hpp"
#include "village/wilderness.hpp"

namespace {

class WorldTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        character.name = "Bob";
        startWarrior();
        profileName = "bob";
        mainMenuActive = false;
    }

    void typeInVillage(const std::string &line) {
        feed({line});
        villageScreen();
    }
};

} // namespace

TEST_F(WorldTest, VillageShowsRemindersStatusAndOptionsInOrder) {
    character.skillPoints = 2;
    character.statPoints = 5;
    character.maxMana = 50;
    character.currentMana = 7;
    weaponMana = 60;
    typeInVillage("x");
    std::string shown = takeOutput();
    EXPECT_TRUE(shown.starts_with("You have 2 skill point(s) to use at the trainer.\n"
                                  "You have 5 stat point(s) to use at the trainer.\n\n"
                                  "VILLAGE\n\n"
                                  "You have 150/150 health and 7/110 mana left.\n\n"
                                  "Your options:\n\n"
                                  "shop [s] - buy and sell armor, weapons, and potions\n"
                                  "hospital [h] - instantly restore health and mana to maximum\n"
                                  "town crier - help and information\n"
                                  "equip [e] - put on armor or equip weapons\n"
                                  "trainer [t] - increase your stats and skills\n"
                                  "plains [p] - level 1+ area (west)\n\n\n"))
        << shown;
    EXPECT_TRUE(shown.ends_with(std::string(300, '\n')));

    character.skillPoints = character.statPoints = 0;
    typeInVillage("x");
    EXPECT_TRUE(takeOutput().starts_with("VILLAGE\n"));
}

TEST_F(WorldTest, VillageInputsOpenTheirScreensAndNothingElseMatches) {
    struct Case {
        std::string line;
        bool *flag;
    };
    for (const Case &c : std::vector<Case>{{"shop", &shopActive},
                                           {"s", &shopActive},
                                           {"town crier", &townCrierActive},
                                           {"equip", &equipActive},
                                           {"e", &equipActive},
                                           {"trainer", &trainerActive},
                                           {"t", &trainerActive}}) {
        shopCategory = 4;
        typeInVillage(c.line);
        EXPECT_TRUE(*c.flag) << c.line;
        if (c.flag == &shopActive) { EXPECT_EQ(shopCategory, 0); }
        *c.flag = false;
        EXPECT_TRUE(messageLog.empty()) << c.line;
    }
    for (std::string bad : {"Shop", " s", "s ", "shop [s]", "Town crier", "town", "", "P"}) {
        messageLog.clear();
        typeInVillage(bad);
        EXPECT_EQ(messageLog,
                  std::vector<std::string>{"Please type in one of the options in purple."})
            << bad;
        EXPECT_FALSE(shopActive || townCrierActive || equipActive || trainerActive) << bad;
        EXPECT_EQ(character.wilderness, 0);
    }
    EXPECT_FALSE(std::filesystem::exists("bob.txt")); // nothing here saves
}

TEST_F(WorldTest, VillageStaysHiddenBehindOtherScreensAndBeforeACharacterExists) {
    for (bool *flag :
         {&shopActive, &townCrierActive, &equipActive, &trainerActive, &endingActive}) {
        *flag = true;
        villageScreen();
        *flag = false;
    }
    character.wilderness = 3;
    villageScreen();
    character.wilderness = 0;
    character.level = 0;
    villageScreen();
    EXPECT_EQ(takeOutput(), "");
}

TEST_F(WorldTest, HospitalFillsToEffectiveMaximaAndSavesEvenWhenFull) {
    character.currentHealth = 3;
    character.currentMana = 0;
    armorMana = 35;
    typeInVillage("h");
    EXPECT_EQ(character.currentHealth, 150);
    EXPECT_EQ(character.currentMana, 45);
    EXPECT_EQ(messageLog, std::vector<std::string>{"You are fully recovered."});
    EXPECT_NE(readFile("bob.txt").find("Current Mana:45\n"), std::string::npos);

    std::filesystem::remove("bob.txt");
    typeInVillage("hospital");
    EXPECT_TRUE(std::filesystem::exists("bob.txt"));
}

TEST_F(WorldTest, PlainsAreSavedButTheHiddenLairIsNot) {
    character.safeArea = true;
    typeInVillage("p");
    EXPECT_EQ(character.wilderness, 1);
    EXPECT_FALSE(character.safeArea);
    EXPECT_NE(readFile("bob.txt").find("Wilderness:1\n"), std::string::npos);

    character.wilderness = 0;
    character.safeArea = true;
    typeInVillage("dovik's lair");
    EXPECT_EQ(character.wilderness, 99);
    EXPECT_FALSE(character.safeArea);
    EXPECT_NE(readFile("bob.txt").find("Wilderness:1\n"), std::string::npos);
}

TEST_F(WorldTest, EveryPathLeadsWhereItsAreaSays) {
    struct Case {
        int32_t from;
        std::string line;
        int32_t to; // -1: invalid input
    };
    const std::vector<Case> cases{
        {1, "forest", 2},
        {1, "f", 2},
        {1, "v", 0},
        {1, "d", -1},
        {2, "p", 1},
        {2, "plains", 1},
        {2, "d", 3},
        {2, "f", -1},
        {3, "l", 5},
        {3, "c", 4},
        {3, "forest", 2},
        {3, "d", -1},
        {4, "dense forest", 3},
        {4, "c", -1},
        {5, "b", 6},
        {5, "d", 3},
        {5, "forest", -1},
        {6, "d", 8},
        {6, "dragon lair", 8},
        {6, "a", 7},
        {6, "lava lake", 5},
        {7, "b", 6},
        {7, "d", -1},
        {8, "burnt field", 6},
        {8, "village", 0},
        {8, "d", -1},
        {99, "d", -1},
        {99, "v", 0},
        {2, "Forest", -1},
        {1, "forest ", -1},
    };
    for (const Case &c : cases) {
        character.wilderness = c.from;
        character.safeArea = true;
        messageLog.clear();
        std::filesystem::remove("bob.txt");
        feed({c.line});
        wildernessScreen();
        if (c.to < 0) {
            EXPECT_EQ(character.wilderness, c.from) << c.from << " " << c.line;
            EXPECT_EQ(messageLog,
                      std::vector<std::string>{"Please type in one of the options in purple."});
            EXPECT_FALSE(std::filesystem::exists("bob.txt"));
        } else {
            EXPECT_EQ(character.wilderness, c.to) << c.from << " " << c.line;
            // Going home leaves the area's safety as it was; arriving anywhere else is unsafe.
            EXPECT_EQ(character.safeArea, c.to == 0) << c.from << " " << c.line;
            EXPECT_TRUE(std::filesystem::exists("bob.txt"));
        }
    }
}

TEST_F(WorldTest, AreaMenusOpenEquipPotionsAndAnotherFight) {
    struct Case {
        int32_t area;
        std::string line;
        bool *flag; // nullptr: stay
    };
    for (const Case &c : std::vector<Case>{{1, "p", &potionsActive},
                                           {2, "potions", &potionsActive},
                                           {7, "e", &equipActive},
                                           {99, "s", nullptr},
                                           {4, "stay", nullptr}}) {
        character.wilderness = c.area;
        character.safeArea = true;
        feed({c.line});
        wildernessScreen();
        if (c.flag != nullptr) {
            EXPECT_TRUE(*c.flag) << c.line;
            EXPECT_TRUE(character.safeArea);
            *c.flag = false;
        } else {
            EXPECT_FALSE(character.safeArea);
            EXPECT_EQ(character.wilderness, c.area);
        }
    }
}

TEST_F(WorldTest, AreaScreenDrawsHeadingPathsAndCommonOptions) {
    character.wilderness = 6;
    character.safeArea = true;
    feed({"x"});
    wildernessScreen();
    EXPECT_EQ(takeOutput(), "BURNT FIELD\n\n"
                            "You have 150/150 health and 10/10 mana left.\n\n"
                            "Your options:\n\n"
                            "dragon lair [d] - level 14+ area -boss- (north)\n"
                            "ash mountain [a] - level 17+ area -optional- (east)\n"
                            "lava lake [l] - level 10+ area (south)\n"
                            "equip [e] - put on armor or equip weapons\n"
                            "potions [p] - drink potions\n"
                            "stay [s] - fight another enemy\n\n");

    character.wilderness = 99;
    feed({"x"});
    wildernessScreen();
    EXPECT_TRUE(takeOutput().starts_with("\nYou have 150/150 health"));
}

TEST_F(WorldTest, AnUnsafeAreaStartsAFightWithoutDrawing) {
    seedRandom(1);
    character.wilderness = 8;
    wildernessScreen();
    EXPECT_TRUE(combatActive);
    EXPECT_EQ(enemyName, "dragon");
    EXPECT_EQ(messageLog.at(0), "A wild dragon appears!");
    EXPECT_EQ(takeOutput(), "");

    // Quiet while a fight, a menu or the end of a fight holds the pass.
    for (bool *flag : {&combatActive, &equipActive, &potionsActive, &combatEndedThisPass}) {
        combatActive = false;
        *flag = true;
        messageLog.clear();
        wildernessScreen();
        EXPECT_TRUE(messageLog.empty());
        *flag = false;
    }
}
