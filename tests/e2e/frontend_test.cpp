#include "game_run.hpp"

#include <gtest/gtest.h>

// A name planted in profiles.txt by hand can neither delete nor load a file outside the folder.
TEST(PortableFrontEnd, HandEditedEntriesNeverReachOutsideTheDirectory) {
    GameDir dir;
    // Named after this test's own folder, so no other run shares it.
    const std::string outside = "../" + dir.path().filename().string() + "-outside";
    dir.write("profiles.txt", outside + "\nbob\n");
    dir.write(outside + ".txt", "Name:Keep\n");
    GameRun run = dir.play({"d", outside, "yes", "l", outside});
    EXPECT_TRUE(dir.exists(outside + ".txt"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_FALSE(contains(run.output, "Welcome back"));
    std::filesystem::remove(dir.path() / (outside + ".txt"));
}

// Blanks, a semicolon and a device name inside a longer name are all a file name can hold.
TEST(PortableFrontEnd, AnOddButWritableNameIsKeptWhole) {
    GameDir dir;
    dir.play({"n", " Com10;nul", "yes", "warrior"});
    EXPECT_EQ(dir.read("profiles.txt"), " com10;nul\n");
    EXPECT_TRUE(dir.read(" com10;nul.txt").starts_with("Name: Com10;nul\nLevel:1\n"));
}
