// End of input, line endings, long lines and damaged character files: the game stops where
// its input stops, and never spins, grows or plays a character it cannot trust.
#include "game_run.hpp"

#include <filesystem>
#include <gtest/gtest.h>

TEST(PortableInputEnd, TheGameStopsAtTheUnansweredReadAndShowsTheLastMessages) {
    // The missing name is never read as an empty one, so the nurse refuses nothing.
    GameDir dir;
    GameRun name = dir.play({"n"}, {"--color=always"});
    EXPECT_TRUE(name.output.ends_with("Type your name below:\n\n\x1b[92m\x1b[0m"));
    EXPECT_EQ(name.exitCode, 0);

    // A save that failed just before input ended is still told, below the village and in
    // white, without clearing the screen first.
    std::filesystem::create_directory(dir.path() / "ann.txt");
    GameRun failed = dir.play({"n", "Ann", "yes", "mage"}, {"--color=always"});
    EXPECT_TRUE(failed.output.ends_with("level 1+ area (west)\n\n\x1b[92m\x1b[97m"
                                        "Your progress could not be saved.\n\n\x1b[0m"));
    EXPECT_EQ(failed.exitCode, 0);
    EXPECT_FALSE(dir.exists("profiles.txt")); // a character that was never saved is not listed
}

TEST(PortableInputEnd, CarriageReturnsEndLinesAndLongLinesAreCut) {
    // The bytes past the 4,096th are dropped with the rest of their line, so the "n" at the
    // end of the first line is no new game; the CR LF lines then play as plain ones.
    GameDir dir;
    GameRun run = dir.playRaw(std::string(4096, 'x') + "n\nn\r\nBob\r\nyes\r\nwarrior\r\n",
                              {"--color=never"});
    EXPECT_TRUE(contains(run.output, "\nPlease type in one of the options in purple.\n"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_TRUE(dir.read("bob.txt").starts_with("Name:Bob\nLevel:1\n"));
}

TEST(PortableInputEnd, ALineWithoutEndNeverFillsTheMemory) {
    GameDir dir;
    GameRun run = dir.playRaw(std::string(70'000'000, 'x'), {});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_GE(run.peakKiB, 0) << "GNU time is missing: make deps";
    EXPECT_LT(run.peakKiB, 64 * 1024);
}

TEST(PortableInputEnd, DamagedCharacterFilesAreRefusedOrMadeSafe) {
    // No screen serves these: today's game would spin on them, or print the name's escapes.
    for (const std::string &file :
         {std::string("Name:Bob\nLevel:-1\n"),
          std::string("Name:Bob\nLevel:99999999999\nWilderness:1\n"), std::string(),
          characterFile("Bob\x1b]0;owned\x07", {{"Level", "3"}})}) {
        GameDir dir;
        dir.write("profiles.txt", "bob\n");
        dir.write("bob.txt", file);
        GameRun run = dir.play({"l", "bob"});
        EXPECT_EQ(run.exitCode, 0) << file;
        EXPECT_FALSE(contains(run.output, "\x1b")) << file;
        EXPECT_FALSE(contains(run.output, "You have ")) << file; // no village, no fight
        EXPECT_EQ(dir.read("bob.txt"), file);
    }

    // Health below nothing would knock the character out in every fight; mana is held to the
    // wand's maximum, which the file lists after it.
    GameDir dir;
    dir.addCharacter("Bob", {{"Level", "3"},
                             {"Current Health", "-50"},
                             {"Max Health", "-50"},
                             {"Attack", "-5"},
                             {"Current Mana", "500"},
                             {"Max Mana", "10"},
                             {"Weapon", "13"}});
    GameRun run = dir.play({"l", "bob"});
    EXPECT_TRUE(contains(run.output, "\nYou have 0/1 health and 20/20 mana left.\n"));
}
