#include "game_test.hpp"

#include "character/character.hpp"
#include "combat/combat.hpp"
#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "frontend/screens.hpp"

using GameLoopTest = GameTest;

// With no screen active nothing ever acts: the loop gives up after ten passes (only the
// first clears, none read a line), shows the log in white with the reason, saves nothing and
// asks for exit status 1.
TEST_F(GameLoopTest, TenPassesInWhichNothingActedStopTheGame) {
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

// After a reset a game plays as it would have after any other, though that one ended in a
// fight, in the shop, at the trainer, the crier or the equipment.
TEST_F(GameLoopTest, AfterAResetEveryGamePlaysTheSame) {
    auto play = [&](const std::string &typed) {
        releaseClaim();
        for (const auto &entry : std::filesystem::directory_iterator(workDir))
            std::filesystem::remove_all(entry.path());
        resetGame();
        seedRandom(9);
        feed("n\nAnn\nyes\nmage\n" + typed);
        screenLoop();
        return takeOutput();
    };
    const Lines games{"p\nattack\n", "s\nbuy\nrobes\n",     "s\nsell\n", "t\nskills\n",
                      "t\nstats\n",  "town crier\nstats\n", "e\n"};
    for (const std::string &game : games) {
        const std::string first = (play(games.back()), play(game));
        for (const std::string &before : games)
            EXPECT_TRUE((play(before), play(game)) == first) << game << " after " << before;
    }
}

// A siren stuns for 2 rounds at every special, so with the special drawn every round the
// player never gets a line to type: each stunned round still acts, and a thousand of them
// later the game plays on until its input ends. No round gave the player a line to read
// the screen by, so only the first pass clears it.
TEST_F(GameLoopTest, AThousandStunnedRoundsKeepTheGameGoing) {
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
        return lo == 1 && hi == 100 ? (++specials <= 1000 ? 1 : 100) : lo;
    };
    EXPECT_EQ(screenLoop(), 0);
    EXPECT_EQ(specials, 1002); // then two rounds to wear off the last stun, and a read
    const std::string output = takeOutput();
    EXPECT_EQ(output.find("cannot continue"), std::string::npos);
    EXPECT_EQ(output.rfind(std::string(300, '\n')), 0u);
}
