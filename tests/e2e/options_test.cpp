#include "game_run.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

// The version and the help are recorded sessions (options_*); here, what is refused.
TEST(PortableOptions, RefusedCommandLines) {
    const std::string usage =
        "usage: kelmarch [--seed N] [--color=auto|always|never] [--theme=auto|light|dark]\n"
        "                [--screen-reader] [--dir DIR] [--help] [--version]\n";
    GameDir dir;
    dir.write("plain.txt", "not a folder\n");
    std::ifstream table(std::filesystem::path(__FILE__).replace_filename("options_refused.tsv"));
    ASSERT_TRUE(table.is_open());
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
        if (error.ends_with('*')) {
            error.pop_back();
            EXPECT_TRUE(run.errors.starts_with(error) && !contains(run.errors, usage)) << args;
        } else {
            EXPECT_EQ(run.errors, error + "\n" + (withUsage == "usage" ? usage : "")) << args;
        }
    }
    EXPECT_EQ(dir.read("plain.txt"), "not a folder\n");
    EXPECT_FALSE(dir.exists("profiles.txt"));
}

// The session options_dir shows that saves go into the named folder, made with its parents,
// and nowhere else; here, that the folders made are private to the player.
TEST(Options, DirMakesItsFoldersPrivate) {
    GameDir dir;
    EXPECT_EQ(dir.play({"n", "Ann", "yes", "mage"}, {"--dir", "saves/kelmarch/orvanis"}).exitCode,
              0);
    for (const char *made : {"saves", "saves/kelmarch", "saves/kelmarch/orvanis"})
        EXPECT_EQ(std::filesystem::status(dir.path() / made).permissions(),
                  std::filesystem::perms::owner_all)
            << made;
    GameRun loaded =
        dir.play({"l", "ann"}, {"--dir=" + (dir.path() / "saves/kelmarch/orvanis").string()});
    EXPECT_TRUE(contains(loaded.output, "\nWelcome back Ann.\n"));
}

// A screen reader changes what is shown, never the game: the recorded screen-reader session
// played without the mode leaves the very same saves.
TEST(PortableOptions, AScreenReaderPlaysTheSameGame) {
    const std::filesystem::path session = GOLDEN_SESSIONS "/screen_reader";
    GameDir dir;
    std::filesystem::copy(session / "before", dir.path());
    ASSERT_EQ(dir.playRaw(fileContent(session / "input.txt"), {"--seed", "17"}).exitCode, 0);
    for (const auto &entry : std::filesystem::directory_iterator(session / "after"))
        EXPECT_EQ(dir.read(entry.path().filename().string()), fileContent(entry.path()))
            << entry.path();
}
