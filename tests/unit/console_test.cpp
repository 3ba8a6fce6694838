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
