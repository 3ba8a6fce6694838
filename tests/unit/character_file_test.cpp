#include "game_test.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "character/text_file.hpp"
#include "items/catalogue.hpp"

using CharacterFileTest = GameTest;

// Each file in tables/saves loads as the record its .loaded twin saves: nothing below 0, a
// maximum health of at least 1, nothing above its maximum (the mana against the robes' 10 as
// well, capped once the loaded equipment counts), numbers that do not fit and unknown items
// and areas as nothing.
TEST_F(CharacterFileTest, DamagedFilesLoadSafeValues) {
    profileName = "x";
    for (std::string name : {"out_of_range", "negative", "above_maximum"}) {
        std::filesystem::copy_file(tables / "saves" / (name + ".txt"), "x.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(loadCharacter()) << name;
        capMana();
        buildSaveLines();
        EXPECT_EQ(saveLines, lines("saves/" + name + ".loaded.txt")) << name;
    }
}

TEST_F(CharacterFileTest, FilesWithoutAPlayableCharacterLeaveTheRecordEmpty) {
    for (std::string file :
         {"", "Level:0\n", "Level:-1\n", "Level:abc\nWilderness:1\n", "Level:99999999999\n",
          "Name:a\x1b[2J\nLevel:1\n", "Name:a\x7f\nLevel:1\n", "Name:a\xc2\x9b\nLevel:1\n",
          "Name:a\x9b\nLevel:1\n"}) {
        std::ofstream("x.txt", std::ios::binary) << "Gold:5\n" + file;
        profileName = "x";
        EXPECT_FALSE(loadCharacter()) << file;
        EXPECT_EQ(character, Character{}) << file;
    }
    // A listed character whose file is missing is made anew by the awakening.
    profileName = "missing";
    EXPECT_TRUE(loadCharacter());
    EXPECT_EQ(character, Character{});
}

// Back at the menu after the ending, the characters made and deleted since the start are
// listed as they are on disk.
TEST_F(CharacterFileTest, TheListShownFollowsTheListSaved) {
    addProfile("ann");
    addProfile("bob");
    EXPECT_EQ(profiles, (Lines{"ann", "bob"}));
    removeProfile("ann");
    EXPECT_EQ(profiles, Lines{"bob"});
}
