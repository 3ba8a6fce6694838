#include "game_test.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "character/text_file.hpp"
#include "items/catalogue.hpp"

using CharacterFileTest = GameTest;

namespace {

bool loadFrom(const std::string &content) {
    std::ofstream("x.txt", std::ios::binary) << content;
    profileName = "x";
    return loadCharacter();
}

} // namespace

TEST_F(CharacterFileTest, DamagedFilesLoadSafeValues) {
    ASSERT_TRUE(loadFrom("Level:2\nXP:99999999999\nGold:-2147483648\nAttack:2147483648\n"
                         "Inventory:1,,x,45,0,-3,44,\nRevealed:-1,11,2,,99999999999\nWeapon:45\n"
                         "Armor:-1\nWilderness:42\nDefense:+7\nAgility:-\n"));
    EXPECT_EQ(character.level, 2);
    EXPECT_EQ(character.xp, 0);
    EXPECT_EQ(character.gold, -2147483647 - 1);
    EXPECT_EQ(character.attack, 0);
    EXPECT_EQ(character.defense, 7);
    EXPECT_EQ(character.agility, 0);
    EXPECT_EQ(character.inventory, (std::vector<int32_t>{1, 44}));
    std::array<bool, 11> onlyTwo{};
    onlyTwo[2] = true;
    EXPECT_EQ(character.revealed, onlyTwo);
    EXPECT_EQ(character.weapon, 0);
    EXPECT_EQ(character.armor, 0);
    EXPECT_EQ(character.wilderness, 0);

    // Nothing below 0, a maximum health of at least 1, nothing above its maximum: the mana
    // against the robes' 10 as well, capped once the loaded equipment counts.
    ASSERT_TRUE(loadFrom("Level:1\nCurrent Health:-50\nMax Health:-50\nAttack:-1\nDefense:-2\n"
                         "Agility:-3\nCurrent Mana:-1\nMax Mana:-4\n"));
    EXPECT_EQ(std::vector<int32_t>({character.currentHealth, character.maxHealth, character.attack,
                                    character.defense, character.agility, character.currentMana,
                                    character.maxMana}),
              std::vector<int32_t>({0, 1, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(loadFrom("Level:1\nCurrent Health:90\nMax Health:80\nCurrent Mana:500\n"
                         "Max Mana:10\nArmor:27\n"));
    capMana();
    EXPECT_EQ(character.currentHealth, 80);
    EXPECT_EQ(character.currentMana, 20);
}

TEST_F(CharacterFileTest, FilesWithoutAPlayableCharacterLeaveTheRecordEmpty) {
    for (std::string file :
         {"", "Level:0\n", "Level:-1\n", "Level:abc\nWilderness:1\n", "Level:99999999999\n",
          "Name:a\x1b[2J\nLevel:1\n", "Name:a\x7f\nLevel:1\n", "Name:a\xc2\x9b\nLevel:1\n",
          "Name:a\x9b\nLevel:1\n"}) {
        EXPECT_FALSE(loadFrom("Gold:5\n" + file)) << file;
        EXPECT_EQ(character, Character{}) << file;
    }
    // A listed character whose file is missing is made anew by the awakening.
    profileName = "missing";
    EXPECT_TRUE(loadCharacter());
    EXPECT_EQ(character, Character{});
}
