#include "game_test.hpp"

#include "console/terminal.hpp"

#include <cstdio>
#ifndef _WIN32
#include <chrono>
#include <csignal>
#include <pthread.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>
#endif

using ConsoleTest = GameTest;

// Red, an unknown name and an empty one (which change nothing), then the other colours.
TEST_F(ConsoleTest, ColoursAreForegroundsOfThePaletteAndUnknownNamesChangeNothing) {
    for (const auto &row : table("palettes.tsv")) {
        choosePalette(row[0], row[1] == "(unset)" ? nullptr : row[1].c_str());
        colourEnabled = true;
        for (const char *name :
             {"red", "Red", "", "white", "blue", "green", "purple", "teal", "yellow"})
            setColour(name);
        colourEnabled = false;
        std::string expected;
        for (size_t i = 2; i < 9; ++i)
            expected += "\x1b[" + row[i] + "m";
        EXPECT_EQ(takeOutput(), expected) << row[0] << " " << row[1];
    }
}

// For a screen reader one empty line parts two screens, however many clears and empty lines
// meet; the typed line ends a line of its own, so a clear after it still adds one.
TEST_F(ConsoleTest, AScreenReaderHearsOneEmptyLineBetweenScreens) {
    screenReaderActive = true;
    feed("go back\n");
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

#ifndef _WIN32
// A flush of any size reaches standard output whole however the system splits the writes:
// through a pipe whose reader takes 4 KiB at a time, while a timer signal cuts a blocked write
// short after part of it went through. (A Windows pipe never returns part of a write.)
TEST_F(ConsoleTest, AnyAmountOfOutputIsWrittenWhole) {
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += std::to_string(i) + "\n";
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    struct sigaction tick = {}, previous = {};
    tick.sa_handler = [](int) {}; // without SA_RESTART, so the write returns what it wrote
    ::sigaction(SIGALRM, &tick, &previous);
    const itimerval often{{0, 300}, {0, 300}}, off{};
    ::setitimer(ITIMER_REAL, &often, nullptr);
    std::string received;
    std::thread reader([&] {
        sigset_t alarm;
        sigemptyset(&alarm);
        sigaddset(&alarm, SIGALRM);
        pthread_sigmask(SIG_BLOCK, &alarm, nullptr); // the signal is for the writer
        char buffer[4096];
        for (long got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;) {
            received.append(buffer, static_cast<size_t>(got));
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    std::fflush(stdout);
    const int savedOutput = ::dup(1);
    ::dup2(ends[1], 1);
    ::close(ends[1]);
    const bool written = writeStandardOutput(text.data(), text.size());
    ::dup2(savedOutput, 1); // closes the pipe's last write end: the reader meets its end
    ::close(savedOutput);
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &previous, nullptr);
    reader.join();
    ::close(ends[0]);
    EXPECT_TRUE(written);
    // Compared whole rather than by EXPECT_EQ, whose report of 300 kB would take minutes.
    EXPECT_TRUE(received == text) << received.size() << " of " << text.size() << " bytes";
}
#endif

// Every standard library must deal libstdc++'s draws, or a seed (and every recorded
// session) becomes another game.
TEST_F(ConsoleTest, SeedsDealTheSameDrawsOnEveryStandardLibrary) {
    for (const auto &row : table("seeds.tsv")) {
        seedRandom(static_cast<uint32_t>(std::stoul(row[0])));
        std::vector<int32_t> draws;
        while (draws.size() < 5)
            draws.push_back(randomInt(std::stoi(row[1]), std::stoi(row[2])));
        EXPECT_EQ(draws, numbers(row, 3, 5))
            << "seed " << row[0] << ", " << row[1] << ".." << row[2];
    }
    // A range of one value still takes its draw from the engine.
    seedRandom(1);
    EXPECT_EQ(randomInt(7, 7), 7);
    EXPECT_EQ(randomInt(1, 100), 100);
}

// Tab offers what was printed in purple since the last read, each option without its letter:
// whole option lines, and the names the item lists print in purple before their statistics.
TEST_F(ConsoleTest, PurpleTextIsOfferedUntilTheNextRead) {
    setColour("purple");
    printLine("new game [n]");
    printEmptyLine();
    printOption("plains [p]", "level 1+ area (south)");
    printOption("potions", "drink potions");
    setColour("purple");
    printText("iron sword");
    setColour("teal");
    printLine(" [x]");
    EXPECT_EQ(offeredOptions,
              (std::vector<std::string>{"new game", "plains", "potions", "iron sword"}));
    feed("x\n");
    readLine();
    EXPECT_TRUE(offeredOptions.empty());
}
