#include "game_test.hpp"

#include "console/random.hpp"

#include <map>

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

TEST_F(ConsoleTest, OptionLineIsPurpleThenWhiteWhateverCameBefore) {
    colourEnabled = true;
    setColour("green");
    printOption("stay", "continue playing");
    colourEnabled = false;
    EXPECT_EQ(takeOutput(), "\x1b[92m\x1b[95mstay\x1b[97m - continue playing\n");
}

TEST_F(ConsoleTest, WithoutColourOnlyTheTextIsWritten) {
    setColour("red");
    printOption("shop [s]", "buy and sell armor, weapons, and potions");
    printLine("hello");
    printEmptyLine();
    EXPECT_EQ(takeOutput(), "shop [s] - buy and sell armor, weapons, and potions\nhello\n\n");
}

TEST_F(ConsoleTest, ClearScreenIsExactlyThreeHundredLineBreaks) {
    clearScreen();
    EXPECT_EQ(takeOutput(), std::string(300, '\n'));
}

TEST_F(ConsoleTest, NumbersAsText) {
    EXPECT_EQ(toText(0), "0");
    EXPECT_EQ(toText(-5), "-5");
    EXPECT_EQ(toText(2147483647), "2147483647");
    EXPECT_EQ(toText(-2147483647 - 1), "-2147483648");
}

TEST_F(ConsoleTest, ReadLineKeepsBlanksAndCaseAndReportsEndOfInput) {
    feed({" Shop ", ""});
    readLine();
    EXPECT_EQ(inputLine, " Shop ");
    readLine();
    EXPECT_EQ(inputLine, "");
    EXPECT_FALSE(inputEnded);
    readLine();
    EXPECT_EQ(inputLine, "");
    EXPECT_TRUE(inputEnded);
}

TEST_F(ConsoleTest, RandomIntStaysInRangeAndCoversItEvenly) {
    seedRandom(7);
    std::map<int32_t, int> counts;
    for (int i = 0; i < 60000; ++i)
        ++counts[randomInt(1, 6)];
    ASSERT_EQ(counts.size(), 6u);
    for (const auto &[value, count] : counts) {
        EXPECT_GE(value, 1);
        EXPECT_LE(value, 6);
        EXPECT_NEAR(count, 10000, 400);
    }
    EXPECT_EQ(randomInt(5, 5), 5);
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

TEST_F(ConsoleTest, PassWithEmptyLogSelectsNoColourAndClearsTheFightFlag) {
    mainMenuActive = false;
    combatEndedThisPass = true;
    colourEnabled = true;
    runPass();
    colourEnabled = false;
    EXPECT_TRUE(takeOutput().starts_with(std::string(300, '\n') + "\x1b[97mYou slowly"));
    EXPECT_FALSE(combatEndedThisPass);
}
