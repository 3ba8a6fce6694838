#include "game_test.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
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

// With no screen active nothing ever acts: the loop gives up after ten passes (only the
// first clears, none read a line), shows the log in white with the reason, saves nothing and
// asks for exit status 1.
TEST_F(ConsoleTest, TenPassesInWhichNothingActedStopTheGame) {
    mainMenuActive = false;
    character.level = -1;
    colourEnabled = true;
    EXPECT_EQ(screenLoop(), 1);
    colourEnabled = false;
    EXPECT_EQ(takeOutput(),
              std::string(300, '\n') + "\x1b[97mThe game cannot continue from here.\n\n\x1b[0m");
    EXPECT_TRUE(std::filesystem::is_empty(workDir));

    // Every test starts from resetGame: it must bring back the main menu and a blank record.
    resetGame();
    EXPECT_TRUE(mainMenuActive);
    EXPECT_EQ(character, Character{});
}

// A siren stuns for 2 rounds at every special, so with the special drawn every round the
// player never gets a line to type: each stunned round still acts, and a thousand of them
// later the game plays on until its input ends.
TEST_F(ConsoleTest, AThousandStunnedRoundsKeepTheGameGoing) {
    startWarrior();
    mainMenuActive = false;
    combatActive = true;
    character.name = "tess";
    character.wilderness = area::crystalLake;
    enemyName = "siren";
    enemyHealth = 500;
    enemyAttack = 35;
    playerStunRounds = 2;
    int32_t specials = 0;
    drawOverride = [&](int32_t lo, int32_t hi) {
        if (lo == 1 && hi == 100) return ++specials <= 1000 ? 1 : 100;
        return lo;
    };
    EXPECT_EQ(screenLoop(), 0);
    EXPECT_EQ(specials, 1002); // then two rounds to wear off the last stun, and a read
    EXPECT_EQ(takeOutput().find("cannot continue"), std::string::npos);
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
