// Input as it comes: lines cut and ended as they come, and a line that never ends. The
// unanswered last read is a recorded session (input_end_*); random play is fuzzed
// (tests/fuzz/play_fuzz.cpp).
#include "game_run.hpp"

#include <gtest/gtest.h>

// The bytes past the 4,096th are dropped with the rest of their line, so the "n" at the end of
// the first line is no new game; the CR LF lines then play as plain ones. (A session's transcript
// cannot show a carriage return: its lines are compared as text.)
TEST(PortableInputEnd, CarriageReturnsEndLinesAndLongLinesAreCut) {
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
