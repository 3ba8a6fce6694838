// Saves that survive attackers, damaged disks and a second game in the same folder.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Five stat points to spend: "t", "stats", "attack" saves Attack:31.
const Overrides hero = {
    {"Level", "5"},        {"Stat Points", "5"}, {"Skill Points", "0"}, {"Current Health", "200"},
    {"Max Health", "200"}, {"Attack", "30"},     {"Defense", "20"},     {"Agility", "10"}};
const std::vector<std::string> spendAPoint = {"l", "bob", "t", "stats", "attack", "go back"};

const std::string notSaved = "Your progress could not be saved.";
const std::string notRead = "<clear>\nYour character could not be read.\n\nKELMARCH: ORVANIS";
const std::string playedElsewhere = "That character is being played in another window.";

fs::perms permsOf(const fs::path &file) {
    return fs::status(file).permissions() & fs::perms::all;
}

size_t count(const std::string &text, const std::string &part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// Plays with the fault library preloaded (see tests/shim/faults.cpp); a sanitized game wants
// its runtime loaded first, which the preloaded library comes before.
GameRun playWithFault(GameDir &dir, const std::vector<std::string> &lines,
                      const std::string &fault = "") {
    ::setenv("LD_PRELOAD", FAULT_SHIM, 1);
    ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    ::setenv("KELMARCH_FAULT", fault.c_str(), 1);
    GameRun run = dir.play(lines);
    ::unsetenv("LD_PRELOAD");
    ::unsetenv("ASAN_OPTIONS");
    ::unsetenv("KELMARCH_FAULT");
    return run;
}

std::vector<std::string> sortedLines(const std::string &text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

TEST(Saves, TemporaryNamesAreNeverFollowedAndUnlistedFilesAreWarnedAbout) {
    GameDir dir;
    fs::create_directory(dir.path() / "private");
    dir.write("private/victim", "keep\n");
    dir.write("todo.txt", "buy bread\n");
    // Today's names of temporary files are predictable: plant links at them.
    fs::create_symlink("private/victim", dir.path() / "profiles.txt.tmp");
    fs::create_symlink("private/victim", dir.path() / "todo.txt.tmp");
    // What a game killed while saving leaves goes at the next start; a name that is not of
    // that shape stays.
    dir.write("kim.txt.x1Y2z3.tmp", "Name:Kim\n");
    dir.write("kim.txt.tmp", "notes\n");

    GameRun run = dir.play({"n", "Todo", "yes", "warrior", "h"});
    EXPECT_TRUE(contains(run.output, "\"So your name is Todo, correct?\"\n"
                                     "A file named todo.txt already exists here.\n"
                                     "Creating this character will replace it.\n\nyes\nno\n"));
    EXPECT_EQ(dir.read("private/victim"), "keep\n");
    EXPECT_EQ(dir.read("profiles.txt"), "todo\n");
    EXPECT_TRUE(dir.read("todo.txt").starts_with("Name:Todo\nLevel:1\n"));
    EXPECT_FALSE(fs::is_symlink(dir.path() / "profiles.txt"));
    EXPECT_FALSE(dir.exists("kim.txt.x1Y2z3.tmp"));
    EXPECT_EQ(dir.read("kim.txt.tmp"), "notes\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 6);
}

TEST(Saves, PermissionsAndLinksOfTheSaveAreKept) {
    struct Case {
        std::string name;
        fs::perms mode;
        std::string linkTo; // bob.txt is a link to this file, in the folder "sync"
        bool saved;
    };
    const std::vector<Case> cases = {
        {"private", fs::perms::owner_read | fs::perms::owner_write, "", true},
        {"read-only", fs::perms::owner_read | fs::perms::group_read, "", false},
        {"synced copy", fs::perms::owner_read | fs::perms::owner_write, "bob.txt", true},
        {"other file", fs::perms::owner_read | fs::perms::owner_write, "notes.txt", false},
    };
    for (const Case &c : cases) {
        GameDir dir;
        dir.addCharacter("Bob", hero);
        fs::path file = dir.path() / "bob.txt";
        if (!c.linkTo.empty()) {
            fs::create_directory(dir.path() / "sync");
            fs::rename(file, dir.path() / "sync" / c.linkTo);
            fs::create_symlink("sync/" + c.linkTo, file);
        }
        fs::permissions(file, c.mode);
        GameRun run = dir.play(spendAPoint);
        EXPECT_EQ(contains(run.output, notSaved), !c.saved) << c.name;
        EXPECT_EQ(contains(dir.read("bob.txt"), "\nAttack:31\n"), c.saved) << c.name;
        EXPECT_EQ(permsOf(file), c.mode) << c.name;
        EXPECT_EQ(fs::is_symlink(file), !c.linkTo.empty()) << c.name;
    }

    GameDir fresh;
    const mode_t previous = ::umask(027);
    fresh.play({"n", "Ann", "yes", "mage"});
    ::umask(previous);
    EXPECT_EQ(permsOf(fresh.path() / "ann.txt"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(Saves, GamesCreatingAndDeletingAtOnceLoseNothing) {
    GameDir dir;
    std::string listed;
    std::vector<std::string> created;
    for (int i = 0; i < 16; ++i) {
        listed += "old" + std::to_string(i) + "\n";
        dir.write("old" + std::to_string(i) + ".txt", characterFile("Old", hero));
        created.push_back("new" + std::to_string(i));
    }
    dir.write("profiles.txt", listed);
    std::vector<pid_t> games;
    for (int i = 0; i < 16; ++i) {
        for (const std::string &input : {"n\nNew" + std::to_string(i) + "\nyes\nwarrior\n",
                                         "d\nold" + std::to_string(i) + "\nyes\n"}) {
            std::string inputFile = "input" + std::to_string(games.size());
            dir.write(inputFile, input);
            int in = ::open((dir.path() / inputFile).c_str(), O_RDONLY);
            games.push_back(startGame(dir, in, "/dev/null"));
            ::close(in);
        }
    }
    for (pid_t game : games)
        ::waitpid(game, nullptr, 0);
    std::sort(created.begin(), created.end());

    EXPECT_EQ(sortedLines(dir.read("profiles.txt")), created);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(dir.read("new" + std::to_string(i) + ".txt").starts_with("Name:New")) << i;
        EXPECT_FALSE(dir.exists("old" + std::to_string(i) + ".txt")) << i;
    }
}

TEST(Saves, ACharacterPlayedInAnotherWindowIsNotLoadedDeletedOrMadeAgain) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    const std::string bobFile = dir.read("bob.txt");
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    pid_t held = startGame(dir, input[0], dir.path() / "held.out");
    ::close(input[0]);
    ASSERT_EQ(::write(input[1], "l\nbob\n", 6), 6);
    for (int wait = 0; wait < 1000 && !contains(dir.read("held.out"), "Welcome back Bob."); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    GameRun other = dir.play({"l", "bob", "d", "bob", "yes", "n", "Bob", "yes", "warrior"});
    EXPECT_EQ(count(other.output, playedElsewhere + "\n\nKELMARCH: ORVANIS"), 2u);
    EXPECT_TRUE(contains(other.output, playedElsewhere + "\n\nType your name below:\n"));
    EXPECT_FALSE(contains(other.output, "Welcome back"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_EQ(dir.read("bob.txt"), bobFile);

    // A game that dies lets go of its character.
    ::kill(held, SIGKILL);
    ::waitpid(held, nullptr, 0);
    ::close(input[1]);
    EXPECT_TRUE(contains(dir.play({"l", "bob"}).output, "Welcome back Bob."));
}

TEST(Saves, DamagedCharacterFilesAreNeitherPlayedNorTouched) {
    struct Case {
        std::string name;
        std::string content; // of bob.txt, unless a special file takes its place
    };
    const std::vector<Case> cases = {
        {"empty", ""},
        {"over 1 MiB", characterFile("Bob", hero) + std::string(1 << 20, '\n')},
        {"directory", ""},
        {"fifo", ""},
        {"read error", characterFile("Bob", hero)},
    };
    for (const Case &c : cases) {
        GameDir dir;
        // The fault library fails reads of eio.txt part-way.
        const std::string stem = c.name == "read error" ? "eio" : "bob";
        dir.write("profiles.txt", stem + "\n");
        const fs::path file = dir.path() / (stem + ".txt");
        if (c.name == "directory") {
            fs::create_directory(file);
        } else if (c.name == "fifo") {
            ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        } else {
            dir.write(stem + ".txt", c.content);
        }
        GameRun run = playWithFault(dir, {"l", stem, "n"});
        EXPECT_TRUE(contains(withClears(run.output), notRead)) << c.name;
        EXPECT_FALSE(contains(run.output, "Welcome back")) << c.name;
        EXPECT_FALSE(contains(run.output, "\x1b")) << c.name;
        if (fs::is_regular_file(file)) { EXPECT_EQ(dir.read(stem + ".txt"), c.content) << c.name; }
        EXPECT_EQ(run.exitCode, 0) << c.name;
    }

    // A file of exactly 1 MiB is still a save.
    GameDir dir;
    std::string full = characterFile("Bob", hero);
    full += std::string((1 << 20) - full.size(), '\n');
    dir.write("profiles.txt", "bob\n");
    dir.write("bob.txt", full);
    EXPECT_TRUE(contains(dir.play({"l", "bob"}).output, "Welcome back Bob."));
}

// Whichever step of a save fails, the player is told and the old file stays whole, with no
// temporary file left beside it; once the new file is in place only its folder's flush can
// fail, and that is told too. A file system without locks plays as any other.
TEST(Saves, AFailingStepOfASaveIsToldAndLeavesTheOldFileWhole) {
    GameDir reference;
    reference.addCharacter("bob", hero);
    const GameRun sound = reference.play(spendAPoint);
    ASSERT_FALSE(contains(sound.output, notSaved));
    const std::string before = characterFile("bob", hero), after = reference.read("bob.txt");

    for (const std::string fault :
         {"mkostemps", "fchmod", "write", "fsync", "rename", "syncfolder", "nolocks"}) {
        GameDir dir;
        dir.addCharacter("bob", hero);
        GameRun run = playWithFault(dir, spendAPoint, fault);
        if (fault == "nolocks") {
            EXPECT_EQ(run.output, sound.output);
            EXPECT_EQ(dir.read("bob.txt"), after);
        } else {
            EXPECT_TRUE(contains(run.output, notSaved)) << fault;
            EXPECT_EQ(dir.read("bob.txt"), fault == "syncfolder" ? after : before) << fault;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
            << fault;
        EXPECT_EQ(run.exitCode, 0) << fault;
    }
}

TEST(Saves, DamagedListsAreReadAsEmptyAndReplacedOnlyByANewCharacter) {
    for (const std::string kind : {"fifo", "endless", "over 1 MiB"}) {
        GameDir dir;
        const fs::path list = dir.path() / "profiles.txt";
        const std::string big = std::string(1 << 20, 'a') + "\nbob\n";
        if (kind == "fifo") { ASSERT_EQ(::mkfifo(list.c_str(), 0644), 0); }
        if (kind == "endless") fs::create_symlink("/dev/zero", list);
        if (kind == "over 1 MiB") dir.write("profiles.txt", big);
        GameRun run = dir.play({"l"});
        EXPECT_TRUE(contains(run.output, "What would you like to do?\n\nnew game [n]\n\n")) << kind;
        EXPECT_FALSE(contains(run.output, "load character [l]")) << kind;
        if (kind == "over 1 MiB") {
            EXPECT_EQ(dir.read("profiles.txt"), big);
            dir.play({"n", "Ann", "yes", "mage"});
            EXPECT_EQ(dir.read("profiles.txt"), "ann\n");
        }
    }
}

TEST(Saves, WindowsLineEndingsByteOrderMarksAndControlCharactersInFiles) {
    GameDir dir;
    dir.write("profiles.txt", "\xEF\xBB\xBF"
                              "ann\r\n\x1b]0;owned\x07\r\nc\xC2\x9B\r\nbob\r\n");
    std::string ann = characterFile("Ann", hero);
    for (size_t at = ann.find('\n'); at != std::string::npos; at = ann.find('\n', at + 2))
        ann.insert(at, "\r");
    dir.write("ann.txt", "\xEF\xBB\xBF" + ann);
    GameRun run = dir.play({"l", "ann"});
    EXPECT_TRUE(contains(withClears(run.output),
                         "Which character would you like to load?\n\n"
                         "ann\nbob\ngo back\n\n<clear>\nWelcome back Ann.\n"));
    EXPECT_FALSE(contains(run.output, "\x1b"));
}

// A power cut after the rename must find the new content on the disk, and the rename itself
// recorded in the folder: the file is flushed before it, the folder after it. (The leak
// checker of a sanitized build cannot run under strace.)
// Through a link too: the folder flushed is the one the file is in.
TEST(Saves, OneSaveIsFlushedBeforeItsRenameAndTheFolderAfterIt) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    fs::create_directory(dir.path() / "sync");
    fs::rename(dir.path() / "bob.txt", dir.path() / "sync" / "bob.txt");
    fs::create_symlink("sync/bob.txt", dir.path() / "bob.txt");
    dir.write("input.txt", "l\nbob\nt\nstats\nattack\n");
    const std::string command =
        "cd '" + dir.path().string() +
        "' && ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" strace -f -y -e "
        "trace=fsync,fdatasync,rename,renameat,"
        "renameat2 -o trace.txt " KELMARCH_BINARY " < input.txt > /dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "strace (Debian package strace) is needed";
    const std::string trace = dir.read("trace.txt");
    std::vector<std::string> calls;
    for (size_t start = 0, end; start < trace.size(); start = end + 1) {
        end = trace.find('\n', start);
        calls.push_back(trace.substr(start, end - start));
    }
    auto rename = std::ranges::find_if(calls, [](const std::string &call) {
        return call.find("rename") != std::string::npos &&
               call.find("/sync/bob.txt\"") != std::string::npos;
    });
    ASSERT_NE(rename, calls.end()) << trace;
    ASSERT_NE(rename, calls.begin()) << trace;
    ASSERT_NE(rename + 1, calls.end()) << trace;
    EXPECT_TRUE(contains(*(rename - 1), "fsync(") && contains(*(rename - 1), ".tmp>")) << trace;
    EXPECT_TRUE(contains(*(rename + 1), "fsync(") &&
                contains(*(rename + 1), "<" + fs::canonical(dir.path() / "sync").string() + ">"))
        << trace;
}
