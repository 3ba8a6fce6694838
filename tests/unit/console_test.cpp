#include "game_test.hpp"

using ConsoleTest = GameTest;

TEST_F(ConsoleTest, ColoursAreBrightForegroundsAndUnknownNamesChangeNothing) {
    colourEnabled = true;
    setColour("red");
    setColour("Red");
    setColour("");
    setColour("white");
    for (const char *name : {"blue", "green", "purple", "teal", "yellow"})
        setColour(name);
    colourEnabled = false;
    EXPECT_EQ(takeOutput(), "\x1b[91m\x1b[97m\x1b[94m\x1b[92m\x1b[95m\x1b[96m\x1b[93m");
}

TEST_F(ConsoleTest, PassPrintsTheLogWithTheBossInRedThenEmptiesIt) {
    feed({"Bob"});
    messageLog = {"The mighty Dovik Vel'karr appears!", "A line", "dovik vel'karr in lower case"};
    mainMenuActive = false;
    colourEnabled = true;
    runPass();
    colourEnabled = false;
    // The awakening, the only screen active here, draws after the log.
    EXPECT_TRUE(takeOutput().starts_with(
        std::string(300, '\n') + "\x1b[97m\x1b[91mThe mighty Dovik Vel'karr appears!\n\x1b[97m"
                                 "A line\ndovik vel'karr in lower case\n\n\x1b[97mYou slowly"));
    EXPECT_TRUE(messageLog.empty());
}
