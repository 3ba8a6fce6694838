#include "game_test.hpp"

#include "console/terminal.hpp"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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

// For a screen reader one empty line parts two screens, however many clears and empty lines
// meet; the typed line ends a line of its own, so a clear after it still adds one.
TEST_F(ConsoleTest, AScreenReaderHearsOneEmptyLineBetweenScreens) {
    screenReaderActive = true;
    feed({"go back"});
    printLine("go back");
    printEmptyLine();
    clearScreen();
    readLine();
    clearScreen();
    printEmptyLine();
    clearScreen();
    printLine("PLAINS");
    screenReaderActive = false;
    EXPECT_EQ(takeOutput(), "go back\n\n\nPLAINS\n");
}

// A flush of any size reaches standard output whole, however the system splits the writes.
TEST_F(ConsoleTest, AnyAmountOfOutputIsWrittenWhole) {
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += std::to_string(i) + "\n";
    std::fflush(stdout);
    const int savedOutput = ::dup(1);
    FILE *file = std::fopen("out.txt", "wb");
    ASSERT_NE(file, nullptr);
    ::dup2(::fileno(file), 1);
    const bool written = writeStandardOutput(text.data(), text.size());
    ::dup2(savedOutput, 1);
    ::close(savedOutput);
    std::fclose(file);
    EXPECT_TRUE(written);
    EXPECT_EQ(readFile("out.txt"), text);
}
