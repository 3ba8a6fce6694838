#include "game_run.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The version and the help are recorded sessions (options_*); here, what is refused.
TEST(Options, RefusedCommandLines) {
    const std::string usage =
        "usage: kelmarch [--seed N] [--color=auto|always|never] [--theme=auto|light|dark]\n"
        "                [--screen-reader] [--dir DIR] [--help] [--version]\n";
    GameDir dir;
    dir.write("plain.txt", "not a folder\n");
    std::ifstream table(std::filesystem::path(__FILE__).replace_filename("options_refused.tsv"));
    int refusals = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string args, error, withUsage;
        std::getline(std::getline(std::getline(fields, args, '\t'), error, '\t'), withUsage);
        std::istringstream words(args);
        GameRun run =
            dir.play({"n", "Ann", "yes", "mage"}, {std::istream_iterator<std::string>(words), {}});
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_EQ(run.output, "") << args;
        EXPECT_EQ(run.errors, error + "\n" + (withUsage == "usage" ? usage : "")) << args;
        ++refusals;
    }
    EXPECT_EQ(refusals, 13);
    EXPECT_EQ(dir.read("plain.txt"), "not a folder\n");
    EXPECT_FALSE(dir.exists("profiles.txt"));
}

// Saves go into the named folder, made with its parents and private to the player; the working
// directory stays untouched.
TEST(Options, DirKeepsEverySaveInItsFolder) {
    GameDir dir;
    EXPECT_EQ(dir.play({"n", "Ann", "yes", "mage"}, {"--dir", "saves/kelmarch/orvanis"}).exitCode,
              0);
    std::vector<std::string> made;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir.path()))
        made.push_back(
            entry.path().lexically_relative(dir.path()).string() +
            (entry.status().permissions() == std::filesystem::perms::owner_all ? " private" : ""));
    std::ranges::sort(made);
    EXPECT_EQ(made, (std::vector<std::string>{
                        "saves private", "saves/kelmarch private", "saves/kelmarch/orvanis private",
                        "saves/kelmarch/orvanis/ann.txt", "saves/kelmarch/orvanis/profiles.txt"}));
    EXPECT_EQ(dir.read("saves/kelmarch/orvanis/profiles.txt"), "ann\n");
    GameRun loaded =
        dir.play({"l", "ann"}, {"--dir=" + (dir.path() / "saves/kelmarch/orvanis").string()});
    EXPECT_TRUE(contains(loaded.output, "\nWelcome back Ann.\n"));
}

// A screen reader changes what is shown, never the game: the recorded screen-reader session
// played without the mode leaves the very same saves.
TEST(Options, AScreenReaderPlaysTheSameGame) {
    const std::filesystem::path session = GOLDEN_SESSIONS "/screen_reader";
    std::ifstream input(session / "input.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);
    GameDir dir;
    std::filesystem::copy(session / "before", dir.path());
    ASSERT_EQ(dir.play(lines, {"--seed", "17"}).exitCode, 0);
    for (const auto &entry : std::filesystem::directory_iterator(session / "after")) {
        std::ifstream saved(entry.path(), std::ios::binary);
        std::stringstream content;
        content << saved.rdbuf();
        EXPECT_EQ(dir.read(entry.path().filename().string()), content.str()) << entry.path();
    }
}
