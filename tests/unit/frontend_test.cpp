#include "game_test.hpp"

#include "character/character.hpp"
#include "frontend/screens.hpp"

using EndingTest = GameTest;

TEST_F(EndingTest, UnknownAnswerComplainsThenStayKeepsPlaying) {
    mainMenuActive = false;
    endingActive = true;
    character.level = 5;
    character.gameOver = true;
    feed({"Stay", "stay"});
    endingScreen();
    std::string story = takeOutput();
    EXPECT_TRUE(story.starts_with("You hurry back to the village"));
    EXPECT_EQ(screenStep, 1);
    endingScreen();
    EXPECT_EQ(takeOutput(), "Please type in one of the options in purple.\n\nYour options:\n\n"
                            "stay - continue playing\nleave - go back to the main menu\n\n");
    EXPECT_FALSE(endingActive);
    EXPECT_TRUE(character.gameOver);
    EXPECT_EQ(screenStep, 0);
}

TEST_F(EndingTest, LeaveResetsTheCharacterForTheMainMenu) {
    mainMenuActive = false;
    endingActive = true;
    character.level = 14;
    character.gold = 900;
    character.gameOver = true;
    feed({"leave"});
    endingScreen();
    EXPECT_TRUE(mainMenuActive);
    EXPECT_FALSE(endingActive);
    EXPECT_EQ(character, Character{});
}
