#include "game_run.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

TEST(Options, VersionHelpAndUsage) {
    GameDir dir;
    GameRun version = dir.play({}, {"--version"});
    EXPECT_EQ(version.output, "Kelmarch: Orvanis 1.3\n");
    EXPECT_EQ(version.exitCode, 0);

    for (const char *asked : {"--help", "-h"}) {
        GameRun help = dir.play({}, {asked});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_NE(help.output.find("--seed N"), std::string::npos);
        EXPECT_NE(help.output.find("\n  --dir DIR "), std::string::npos);
        EXPECT_NE(help.output.find("\n  --theme=THEME "), std::string::npos);
        EXPECT_NE(help.output.find("working directory"), std::string::npos);
    }

    dir.write("plain.txt", "not a folder\n");
    const std::string usage =
        "usage: kelmarch [--seed N] [--color=auto|always|never] [--theme=auto|light|dark]\n"
        "                [--screen-reader] [--dir DIR] [--help] [--version]\n";
    const std::string seedWanted = "kelmarch: --seed needs a whole number from 0 to 4294967295";
    const std::string colourWanted = "kelmarch: --color takes auto, always or never\n" + usage;
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--bogus"}, "kelmarch: unknown option '--bogus'\n" + usage},
        {{"--seedling=3"}, "kelmarch: unknown option '--seedling=3'\n" + usage},
        {{"--color=sometimes"}, colourWanted},
        {{"--color"}, colourWanted},
        {{"--theme", "pink"}, "kelmarch: --theme takes auto, light or dark\n" + usage},
        {{"--seed", "abc"}, seedWanted + ", not 'abc'\n" + usage},
        {{"--seed"}, seedWanted + "\n" + usage},
        {{"--seed", "-1"}, seedWanted + ", not '-1'\n" + usage},
        {{"--seed=4294967296"}, seedWanted + ", not '4294967296'\n" + usage},
        {{"--color=never", "--dir"}, "kelmarch: --dir needs a folder\n" + usage},
        {{"--dir="}, "kelmarch: --dir needs a folder\n" + usage},
        {{"--dir", "plain.txt"}, "kelmarch: cannot keep saves in plain.txt: Not a directory\n"},
        {{"--dir=plain.txt/saves"},
         "kelmarch: cannot keep saves in plain.txt/saves: Not a directory\n"},
    };
    for (const auto &[args, errors] : bad) {
        GameRun run = dir.play({"n", "Ann", "yes", "mage"}, args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errors, errors);
    }
    EXPECT_EQ(dir.read("plain.txt"), "not a folder\n");
    EXPECT_FALSE(dir.exists("profiles.txt"));
}

// Saves go into the named folder, made with its parents and private to the player; the working
// directory stays untouched.
TEST(Options, DirKeepsEverySaveInItsFolder) {
    GameDir dir;
    GameRun created = dir.play({"n", "Ann", "yes", "mage"}, {"--dir", "saves/kelmarch/orvanis"});
    EXPECT_EQ(created.exitCode, 0);
    const std::filesystem::path folder = dir.path() / "saves/kelmarch/orvanis";
    std::vector<std::string> saved;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        saved.push_back(entry.path().filename().string());
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, (std::vector<std::string>{"ann.txt", "profiles.txt"}));
    EXPECT_EQ(dir.read("saves/kelmarch/orvanis/profiles.txt"), "ann\n");
    for (const char *made : {"saves", "saves/kelmarch", "saves/kelmarch/orvanis"})
        EXPECT_EQ(std::filesystem::status(dir.path() / made).permissions(),
                  std::filesystem::perms::owner_all)
            << made;
    EXPECT_FALSE(dir.exists("profiles.txt"));
    EXPECT_FALSE(dir.exists("ann.txt"));

    GameRun loaded = dir.play({"l", "ann"}, {"--dir=" + folder.string()});
    EXPECT_TRUE(contains(loaded.output, "\nWelcome back Ann.\n"));
}

// A screen reader changes what is shown, never the game: the recorded screen-reader session
// played without the mode leaves the very same saves.
TEST(Options, AScreenReaderPlaysTheSameGame) {
    const std::filesystem::path session = GOLDEN_SESSIONS "/screen_reader";
    std::vector<std::string> lines;
    std::ifstream input(session / "input.txt");
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);
    GameDir dir;
    std::filesystem::copy(session / "before", dir.path());
    ASSERT_EQ(dir.play(lines, {"--seed", "17"}).exitCode, 0);
    for (const auto &entry : std::filesystem::directory_iterator(session / "after")) {
        std::ifstream saved(entry.path(), std::ios::binary);
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(dir.read(name), std::string(std::istreambuf_iterator<char>(saved), {})) << name;
    }
}
