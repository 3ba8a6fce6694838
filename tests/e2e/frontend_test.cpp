#include "game_run.hpp"

#include <gtest/gtest.h>

namespace {

const std::string menu = "KELMARCH: ORVANIS (v1.3)\n\n"
                         "To navigate the menus and control this game, type in your selection.\n"
                         "Your available actions will be listed in purple.\n"
                         "Shortcut: You can type in the letter in brackets when available.\n"
                         "The game autosaves after every action.\n"
                         "Hint: Press the up arrow to recall previous actions.\n\n"
                         "What would you like to do?\n\n";

const std::string scene = "You slowly wake up in a bed and look around.\n"
                          "A nurse rushes in and hovers over you.\n"
                          "Quickly you realize this isn't where you went to sleep.\n"
                          "\"The adventurer is finally awake!\" the nurse announces.\n"
                          "\"What is your name, adventurer?\"\n\n"
                          "Type your name below:\n\n";

} // namespace

TEST(FrontEnd, NewMageIsSavedAndListedAndTheVillageFollows) {
    GameDir dir;
    GameRun run = dir.play({"n", "Ann", "yes", "mage"});
    std::vector<std::string> screens = screensOf(run.output);
    ASSERT_GE(screens.size(), 5u);
    EXPECT_EQ(screens[1], menu + "new game [n]\n\n\n");
    EXPECT_EQ(screens[2], scene);
    EXPECT_EQ(screens[3], "\"So your name is Ann, correct?\"\n\nyes\nno\n\n\n");
    EXPECT_TRUE(screens[4].starts_with("\"Well nice to meet you, Ann.\n"));
    EXPECT_TRUE(screens[4].ends_with("\"Which class do you belong to?\"\n\n"
                                     "warrior - strong melee fighter\n"
                                     "mage - tactical spell caster\n\n\n"));
    EXPECT_TRUE(screens[5].starts_with(
        "To get you started on your journey, you earn double xp until level 4.\n"
        "If you need any help or have any questions, talk to the town crier.\n\n"));
    EXPECT_EQ(dir.read("profiles.txt"), "ann\n");
    EXPECT_TRUE(contains(dir.read("ann.txt"), "Name:Ann\nLevel:1\n"));
    EXPECT_TRUE(contains(dir.read("ann.txt"), "Current Mana:45\nMax Mana:45\n"));
    EXPECT_EQ(run.exitCode, 0);
}

TEST(FrontEnd, AwakeningRetriesNameAndClass) {
    GameDir dir;
    GameRun run = dir.play({"n", "Bob", "no", "Bob", "Yes", "Bob", "yes", "w", "warrior"});
    std::string out = withClears(run.output);
    EXPECT_TRUE(contains(out, "<clear>\n\"Then what is your name?\"\n\nType your name below:\n"));
    EXPECT_TRUE(contains(out, "<clear>\n" + scene)); // "Yes" starts the scene over
    EXPECT_TRUE(contains(out, "<clear>\n\"I'm sorry, but I've never heard of that before.\n"
                              "I know you just woke up, but please think hard about this.\"\n\n\n"
                              "\"Which class do you belong to?\""));
    EXPECT_TRUE(contains(dir.read("bob.txt"), "Attack:25\n"));
}

TEST(FrontEnd, LoadDeleteAndRecreation) {
    GameDir dir;
    dir.play({"n", "Bob", "yes", "warrior"});
    dir.play({"n", "Ann", "yes", "mage"});
    // A character of the same name warns, replaces the file and moves to the end.
    GameRun again = dir.play({"n", "BOB", "yes", "mage"});
    EXPECT_TRUE(contains(again.output, "\"So your name is BOB, correct?\"\n"
                                       "You already have a character with that name.\n"
                                       "Creating this character will erase the previous one with "
                                       "the same name.\n\nyes\nno\n"));
    EXPECT_EQ(dir.read("profiles.txt"), "ann\nbob\n");
    EXPECT_TRUE(contains(dir.read("bob.txt"), "Name:BOB\n"));

    GameRun load = dir.play({"l", "Bob", "l", "bob"});
    std::string out = withClears(load.output);
    EXPECT_TRUE(contains(out, "new game [n]\nload character [l]\ndelete character [d]\n"));
    EXPECT_TRUE(contains(out,
                         "<clear>\nLOAD CHARACTER\n\nWhich character would you like to load?\n\n"
                         "ann\nbob\ngo back\n\n<clear>\nPlease type in one of the options"));
    EXPECT_TRUE(contains(out, "<clear>\nWelcome back BOB.\n\n"));

    GameRun remove = dir.play({"d", "nobody", "d", "ann", "yes"});
    EXPECT_TRUE(
        contains(withClears(remove.output),
                 "<clear>\nDELETE CHARACTER>Confirm\n\nAre you sure you would like to delete "
                 "ann?\n\nyes\nno\n\n<clear>\nThe character ann has been deleted.\n\n"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_FALSE(dir.exists("ann.txt"));
}

TEST(FrontEnd, UnsafeNamesAreAskedAgain) {
    struct Case {
        std::string name;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {"", "\"Surely you have a name, adventurer?\""},
        {std::string(33, 'a'), "\"That name is far too long for our records.\""},
        {"../evil", "\"I can't write that name down. Please use ordinary letters.\""},
        {"a\\b", "\"I can't write that name down. Please use ordinary letters.\""},
        {"tab\there", "\"I can't write that name down. Please use ordinary letters.\""},
        {"csi\xc2\x9b"
         "2J",
         "\"I can't write that name down. Please use ordinary letters.\""},
        {"Go back", "\"There is no going back now, adventurer. What is your real name?\""},
        {"..", "\"That name is already taken by the village records.\""},
        {"Profiles", "\"That name is already taken by the village records.\""},
        {"con", "\"That name is already taken by the village records.\""},
        {"aux.txt", "\"That name is already taken by the village records.\""},
        {"Com7 .x", "\"That name is already taken by the village records.\""},
        {"LPT\u00b9", "\"That name is already taken by the village records.\""},
        {"a:b", "\"I can't write that name down. Please use ordinary letters.\""},
        {"why?", "\"I can't write that name down. Please use ordinary letters.\""},
        {"Bob.", "\"I can't write down a name that ends with a dot or a blank.\""},
        {"Bob ", "\"I can't write down a name that ends with a dot or a blank.\""},
    };
    for (const Case &c : cases) {
        GameDir dir;
        GameRun run = dir.play({"n", c.name, " Com10;nul", "yes", "warrior"});
        EXPECT_TRUE(contains(withClears(run.output),
                             "<clear>\n" + c.refusal + "\n\nType your name below:\n"))
            << c.name;
        EXPECT_EQ(dir.read("profiles.txt"), " com10;nul\n") << c.name;
        EXPECT_TRUE(dir.read(" com10;nul.txt").starts_with("Name: Com10;nul\n")) << c.name;
    }
}

TEST(FrontEnd, HandEditedEntriesNeverReachOutsideTheDirectory) {
    GameDir dir;
    dir.write("profiles.txt", "../outside\nbob\n");
    dir.write("../outside.txt", "Name:Keep\n");
    GameRun run = dir.play({"d", "../outside", "yes", "l", "../outside"});
    EXPECT_TRUE(dir.exists("../outside.txt"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_FALSE(contains(run.output, "Welcome back"));
    std::filesystem::remove(dir.path().parent_path() / "outside.txt");
}
