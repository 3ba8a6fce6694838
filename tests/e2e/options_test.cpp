#include "game_run.hpp"

#include <gtest/gtest.h>

TEST(Options, VersionHelpAndUsage) {
    GameDir dir;
    GameRun version = dir.play({}, {"--version"});
    EXPECT_EQ(version.output, "Kelmarch: Orvanis 1.3\n");
    EXPECT_EQ(version.exitCode, 0);

    GameRun help = dir.play({}, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--seed N"), std::string::npos);
    EXPECT_NE(help.output.find("working directory"), std::string::npos);

    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{{"--frobnicate"},
                                                                              {"--color=sometimes"},
                                                                              {"--seed", "x"},
                                                                              {"--seed"},
                                                                              {"--seed", "-1"}}) {
        GameRun run = dir.play({}, bad);
        EXPECT_EQ(run.exitCode, 2) << bad[0];
        EXPECT_EQ(run.output, "");
        EXPECT_TRUE(run.errors.starts_with("usage: kelmarch")) << run.errors;
    }
}

TEST(Options, EndOfInputStopsCleanlyAndResetsColours) {
    GameDir dir;
    GameRun run = dir.play({}, {"--color=always"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.ends_with("\x1b[0m"));

    GameRun plain = dir.playRaw("", {"--color=never"});
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.output.find('\x1b'), std::string::npos);
}
