// Saves that survive attackers, damaged disks and a second game in the same folder.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
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
const std::string clear(300, '\n');
const std::string notRead = clear + "Your character could not be read.\n\nKELMARCH: ORVANIS";
const std::string playedElsewhere = "That character is being played in another window.";
const std::string unguarded = "Saves in this folder cannot be protected against a second window.";

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

TEST(PortableSaves, TemporaryNamesAreNeverFollowedAndUnlistedFilesAreWarnedAbout) {
    GameDir dir;
    fs::create_directory(dir.path() / "private");
    dir.write("private/victim", "keep\n");
    dir.write("todo.txt", "buy bread\n");
    // Today's names of temporary files are predictable: plant links at them.
    fs::create_symlink("private/victim", dir.path() / "profiles.txt.tmp");
    fs::create_symlink("private/victim", dir.path() / "todo.txt.tmp");
    // What a game killed while saving leaves goes at the next start; the player's own files
    // stay, however much their names look like leftovers.
    dir.write("kim.txt.kelmarch-x1Y2z3.tmp", "Name:Kim\n");
    dir.write("thesis.txt.backup.tmp", "chapter 1\n");
    dir.write("data.txt.v2_old.tmp", "1,2\n");

    GameRun run = dir.play({"n", "Todo", "yes", "warrior", "h"});
    EXPECT_TRUE(contains(run.output, "\"So your name is Todo, correct?\"\n"
                                     "A file named todo.txt already exists here.\n"
                                     "Creating this character will replace it.\n\nyes\nno\n"));
    EXPECT_EQ(dir.read("private/victim"), "keep\n");
    EXPECT_EQ(dir.read("profiles.txt"), "todo\n");
    EXPECT_TRUE(dir.read("todo.txt").starts_with("Name:Todo\nLevel:1\n"));
    EXPECT_FALSE(fs::is_symlink(dir.path() / "profiles.txt"));
    EXPECT_FALSE(dir.exists("kim.txt.kelmarch-x1Y2z3.tmp"));
    EXPECT_EQ(dir.read("thesis.txt.backup.tmp"), "chapter 1\n");
    EXPECT_EQ(dir.read("data.txt.v2_old.tmp"), "1,2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 7);
}

// A link is followed only to a file of its own name inside the save folder: a planted one
// leading elsewhere is neither read nor written through.
TEST(Saves, PermissionsAndLinksOfTheSaveAreKept) {
    struct Case {
        std::string name;
        fs::perms mode;
        std::string linkTo; // bob.txt is a link to this file, moved there from the folder
        std::string told;   // what the player hears, if anything
    };
    GameDir elsewhere;
    const auto own = fs::perms::owner_read | fs::perms::owner_write;
    const std::vector<Case> cases = {
        {"private", own, "", ""},
        {"read-only", fs::perms::owner_read | fs::perms::group_read, "", notSaved},
        {"synced copy", own, "sync/bob.txt", ""},
        {"other file", own, "sync/notes.txt", notRead},
        {"other folder", own, (elsewhere.path() / "bob.txt").string(), notRead},
    };
    for (const Case &c : cases) {
        GameDir dir;
        dir.addCharacter("Bob", hero);
        fs::path file = dir.path() / "bob.txt";
        if (!c.linkTo.empty()) {
            fs::create_directories((dir.path() / c.linkTo).parent_path());
            fs::rename(file, dir.path() / c.linkTo);
            fs::create_symlink(c.linkTo, file);
        }
        fs::permissions(file, c.mode);
        GameRun run = dir.play(spendAPoint);
        EXPECT_EQ(contains(run.output, notSaved), c.told == notSaved) << c.name;
        EXPECT_EQ(contains(run.output, notRead), c.told == notRead) << c.name;
        EXPECT_EQ(contains(dir.read("bob.txt"), "\nAttack:31\n"), c.told.empty()) << c.name;
        EXPECT_EQ(permsOf(file), c.mode) << c.name;
        EXPECT_EQ(fs::is_symlink(file), !c.linkTo.empty()) << c.name;
    }

    // The list leading out of the folder too: a new character changes nothing there.
    GameDir shared;
    elsewhere.write("profiles.txt", "ann\n");
    elsewhere.write("bob.txt", "Name:Bob\nLevel:9\n");
    fs::create_symlink(elsewhere.path() / "profiles.txt", shared.path() / "profiles.txt");
    fs::create_symlink(elsewhere.path() / "bob.txt", shared.path() / "bob.txt");
    EXPECT_TRUE(contains(shared.play({"n", "Bob", "yes", "warrior"}).output, notSaved));
    EXPECT_EQ(elsewhere.read("profiles.txt"), "ann\n");
    EXPECT_EQ(elsewhere.read("bob.txt"), "Name:Bob\nLevel:9\n");

    GameDir fresh;
    const mode_t previous = ::umask(027);
    fresh.play({"n", "Ann", "yes", "mage"});
    ::umask(previous);
    EXPECT_EQ(permsOf(fresh.path() / "ann.txt"),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A hundred games at once on one folder, half making a character and half deleting one
// (under Wine, which starts a game slowly, sixteen).
TEST(PortableSaves, GamesCreatingAndDeletingAtOnceLoseNothing) {
    const int pairs = std::getenv("KELMARCH_GAME") != nullptr ? 8 : 50;
    GameDir dir;
    std::string listed;
    std::vector<std::string> created;
    for (int i = 0; i < pairs; ++i) {
        listed += "old" + std::to_string(i) + "\n";
        dir.write("old" + std::to_string(i) + ".txt", characterFile("Old", hero));
        created.push_back("new" + std::to_string(i));
    }
    dir.write("profiles.txt", listed);
    std::vector<pid_t> games;
    for (int i = 0; i < pairs; ++i) {
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
    for (int i = 0; i < pairs; ++i) {
        EXPECT_TRUE(dir.read("new" + std::to_string(i) + ".txt").starts_with("Name:New")) << i;
        EXPECT_FALSE(dir.exists("old" + std::to_string(i) + ".txt")) << i;
    }
}

TEST(PortableSaves, ACharacterPlayedInAnotherWindowIsNotLoadedDeletedOrMadeAgain) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    const std::string bobFile = dir.read("bob.txt");
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    pid_t held = startGame(dir, input[0], dir.path() / "held.out");
    ::close(input[0]);
    ASSERT_EQ(::write(input[1], "l\nbob\n", 6), 6);
    for (int wait = 0; wait < 3000 && !contains(dir.read("held.out"), "Welcome back Bob."); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    // Bob is saved again and again (each visit to the hospital) while the other game tries:
    // the claim holds across every save too.
    std::atomic<bool> healing = true;
    std::thread hospital([&] {
        while (healing && ::write(input[1], "h\n", 2) == 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < 40; ++attempt)
        lines.insert(lines.end(), {"l", "bob"});
    lines.insert(lines.end(), {"d", "bob", "yes", "n", "Bob", "yes", "warrior"});
    GameRun other = dir.play(lines);
    // On a busy machine the other game may be through before the first visit is shown.
    for (int wait = 0; wait < 3000 && !contains(dir.read("held.out"), "You are fully recovered.");
         ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    healing = false;
    hospital.join();
    EXPECT_EQ(count(other.output, playedElsewhere + "\n\nKELMARCH: ORVANIS"), 41u);
    EXPECT_TRUE(contains(other.output, playedElsewhere + "\n\nType your name below:\n"));
    EXPECT_FALSE(contains(other.output, "Welcome back"));
    EXPECT_TRUE(contains(dir.read("held.out"), "You are fully recovered."));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_EQ(dir.read("bob.txt"), bobFile);

    // A game that dies lets go of its character.
    ::kill(held, SIGKILL);
    ::waitpid(held, nullptr, 0);
    ::close(input[1]);
    EXPECT_TRUE(contains(dir.play({"l", "bob"}).output, "Welcome back Bob."));
}

// Window A confirms the name Bob while no Bob exists; window B makes Bob and leaves before A
// picks a class. A must not save over B's Bob.
TEST(Saves, ANameConfirmedInOneWindowIsNotSavedOverWhenAnotherMakesIt) {
    GameDir dir;
    int input[2]; // the game must not hold the writing end itself, or its input never ends
    ASSERT_EQ(::pipe2(input, O_CLOEXEC), 0);
    pid_t first = startGame(dir, input[0], dir.path() / "first.out");
    ::close(input[0]);
    ASSERT_EQ(::write(input[1], "n\nBob\nyes\n", 10), 10);
    for (int wait = 0; wait < 1000 && !contains(dir.read("first.out"), "warrior"); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    dir.play({"n", "Bob", "yes", "mage"});
    const std::string mage = dir.read("bob.txt");
    ASSERT_EQ(::write(input[1], "warrior\n", 8), 8);
    ::close(input[1]);
    ::waitpid(first, nullptr, 0);
    EXPECT_TRUE(contains(dir.read("first.out"), playedElsewhere));
    EXPECT_EQ(dir.read("bob.txt"), mage);
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
}

// A game that holds the folder's lock while stopped keeps others waiting, but not in silence.
TEST(Saves, AWaitForTheListIsToldAndEndsWhenTheLockIsFreed) {
    GameDir dir;
    int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    dir.write("input", "n\nAnn\nyes\nmage\n");
    int in = ::open((dir.path() / "input").c_str(), O_RDONLY);
    pid_t game = startGame(dir, in, dir.path() / "game.out");
    ::close(in);
    const std::string waiting = "Another window is changing the list of characters; waiting\u2026";
    for (int wait = 0; wait < 1000 && !contains(dir.read("game.out"), waiting); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(contains(dir.read("game.out"), waiting));
    EXPECT_FALSE(dir.exists("profiles.txt"));
    ::close(folder);
    ::waitpid(game, nullptr, 0);
    EXPECT_EQ(dir.read("profiles.txt"), "ann\n");
}

// With standard output (or input, or error) closed the first file opened would take its
// number, and the screens would be written into the save.
TEST(Saves, ClosedStandardStreamsNeverBecomeASave) {
    GameDir dir;
    dir.write("input.txt", "n\nBob\nyes\nwarrior\n");
    const std::string command = "cd '" + dir.path().string() + "' && " KELMARCH_BINARY
                                " < input.txt >&- 2>&-";
    std::system(command.c_str());
    EXPECT_EQ(dir.read("bob.txt"), characterFile("Bob"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
}

// A character whose first save failed (a disk full for a moment) is listed by the first
// save that works.
TEST(Saves, ACharacterWhoseFirstSaveFailedIsListedByTheNextSave) {
    GameDir dir;
    GameRun run = playWithFault(dir, {"n", "Carl", "yes", "warrior", "h"}, "firstwrite");
    EXPECT_EQ(count(run.output, notSaved), 1u);
    EXPECT_EQ(dir.read("profiles.txt"), "carl\n");
    EXPECT_TRUE(contains(dir.play({"l", "carl"}).output, "Welcome back Carl."));
}

// Played as other users (needs root). In a folder shared by a group, a save by another
// member keeps the file's group, so that its owner can still save it. A folder its player may
// not list (mode 0311) cannot be locked, and the player hears so.
TEST(Saves, AsAnotherUserTheGroupIsKeptAndAnUnlockableFolderTold) {
    if (::geteuid() != 0) GTEST_SKIP() << "playing as other users needs root";
    auto playAs1002 = [](const GameDir &dir, const std::string &input) {
        dir.write("input.txt", input);
        const std::string command = "cd '" + dir.path().string() +
                                    "' && setpriv --reuid=1002 --regid=1002 --groups=100 "
                                    KELMARCH_BINARY " < input.txt > game.out 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << "setpriv (util-linux) is needed";
        return dir.read("game.out");
    };
    GameDir dir;
    dir.addCharacter("Bob", hero);
    for (const char *name : {"", "bob.txt", "profiles.txt"}) {
        ASSERT_EQ(::chown((dir.path() / name).c_str(), 1001, 100), 0);
        ::chmod((dir.path() / name).c_str(), *name ? 0664 : 0775);
    }
    playAs1002(dir, "l\nbob\nt\nstats\nattack\n");
    struct stat saved {};
    ASSERT_EQ(::stat((dir.path() / "bob.txt").c_str(), &saved), 0);
    EXPECT_EQ(saved.st_gid, 100u);
    EXPECT_EQ(saved.st_mode & 0777, 0664u);
    EXPECT_TRUE(contains(dir.read("bob.txt"), "\nAttack:31\n"));

    GameDir unlisted;
    ASSERT_EQ(::chown(unlisted.path().c_str(), 1002, 1002), 0);
    ::chmod(unlisted.path().c_str(), 0311);
    EXPECT_EQ(count(playAs1002(unlisted, "n\nAnn\nyes\nmage\n"), unguarded), 1u);
    EXPECT_EQ(unlisted.read("profiles.txt"), "ann\n");
}

TEST(PortableSaves, DamagedCharacterFilesAreNeitherPlayedNorTouched) {
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
        EXPECT_TRUE(contains(run.output, notRead)) << c.name;
        EXPECT_FALSE(contains(run.output, "Welcome back")) << c.name;
        EXPECT_FALSE(contains(run.output, "\x1b")) << c.name;
        if (fs::is_regular_file(file)) { EXPECT_EQ(dir.read(stem + ".txt"), c.content) << c.name; }
        EXPECT_EQ(run.exitCode, 0) << c.name;
    }

    // A file of exactly 1 MiB is still a save, but one a byte larger is never written: the
    // point raising Attack from 99 to 100 stays unsaved, and the file as it was.
    GameDir dir;
    Overrides full = hero;
    full.emplace_back("Attack", "99");
    full.emplace_back("Inventory", "1");
    const size_t room = (1 << 20) - characterFile("Bob", full).size();
    std::string items = room % 2 == 0 ? "1" : "10";
    for (size_t i = 0; i < room / 2; ++i)
        items += ",1";
    full.back().second = items;
    dir.addCharacter("Bob", full);
    ASSERT_EQ(fs::file_size(dir.path() / "bob.txt"), size_t{1} << 20);
    const std::string before = dir.read("bob.txt");
    GameRun run = dir.play(spendAPoint);
    EXPECT_TRUE(contains(run.output, "Welcome back Bob."));
    EXPECT_TRUE(contains(run.output, notSaved));
    EXPECT_EQ(dir.read("bob.txt"), before);
}

// Whichever step of a save fails, the player is told and the old file stays whole, with no
// temporary file left beside it; once the new file is in place only its folder's flush can
// fail, and the player hears that the save may not last. A file system without locks plays
// as any other, the player told once that a second window is not kept out.
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
            EXPECT_EQ(count(run.output, unguarded), 1u);
            EXPECT_EQ(dir.read("bob.txt"), after);
        } else if (fault == "syncfolder") {
            EXPECT_TRUE(contains(run.output, "Your progress was saved, but the disk may not have "
                                             "kept it."));
            EXPECT_FALSE(contains(run.output, notSaved));
            EXPECT_EQ(dir.read("bob.txt"), after);
        } else {
            EXPECT_TRUE(contains(run.output, notSaved)) << fault;
            EXPECT_EQ(dir.read("bob.txt"), before) << fault;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
            << fault;
        EXPECT_EQ(run.exitCode, 0) << fault;
    }
}

// A list that cannot be read whole is never written over: every name after the break would
// be lost. The new character's file is saved all the same, and the player told.
TEST(PortableSaves, DamagedListsAreReadAsEmptyAndNeverRewritten) {
    for (const std::string kind : {"fifo", "endless", "over 1 MiB", "read error"}) {
        GameDir dir;
        const fs::path list = dir.path() / "profiles.txt";
        const std::string big = std::string(1 << 20, 'a') + "\nbob\n";
        if (kind == "fifo") { ASSERT_EQ(::mkfifo(list.c_str(), 0644), 0); }
        if (kind == "endless") fs::create_symlink("/dev/zero", list);
        if (kind == "over 1 MiB") dir.write("profiles.txt", big);
        if (kind == "read error") dir.write("profiles.txt", "ann\nben\ncat\ndan\nemma\n");
        const std::string fault = kind == "read error" ? "readlist" : "";
        GameRun run = playWithFault(dir, {"l"}, fault);
        EXPECT_TRUE(contains(run.output, "What would you like to do?\n\nnew game [n]\n\n")) << kind;
        EXPECT_FALSE(contains(run.output, "load character [l]")) << kind;
        if (kind == "fifo" || kind == "endless") continue;
        const std::string before = dir.read("profiles.txt");
        run = playWithFault(dir, {"n", "Fay", "yes", "mage"}, fault);
        EXPECT_TRUE(contains(run.output, "The list of characters could not be read, so fay was "
                                         "not added to it.")) << kind;
        EXPECT_EQ(dir.read("profiles.txt"), before) << kind;
        EXPECT_TRUE(dir.read("fay.txt").starts_with("Name:Fay\n")) << kind;
    }
}

TEST(PortableSaves, WindowsLineEndingsByteOrderMarksAndControlCharactersInFiles) {
    GameDir dir;
    dir.write("profiles.txt", "\xEF\xBB\xBF"
                              "ann\r\n\x1b]0;owned\x07\r\nc\xC2\x9B\r\nbob\r\n");
    std::string ann = characterFile("Ann", hero);
    for (size_t at = ann.find('\n'); at != std::string::npos; at = ann.find('\n', at + 2))
        ann.insert(at, "\r");
    dir.write("ann.txt", "\xEF\xBB\xBF" + ann);
    GameRun run = dir.play({"l", "ann"});
    EXPECT_TRUE(contains(run.output,
                         "Which character would you like to load?\n\n"
                         "ann\nbob\ngo back\n\n" + clear +
                             "Welcome back Ann.\n"));
    EXPECT_FALSE(contains(run.output, "\x1b"));
}

// On Windows "Élodie" and "élodie" name one file: the second replaces the first in the list
// too, so that deleting a name never takes another listed character's file. Elsewhere they
// are two characters; either way every listed name still loads.
TEST(PortableSaves, NamesThatAreOneFileAreOneCharacter) {
    GameDir dir;
    dir.play({"n", "\u00c9lodie", "yes", "warrior"});
    dir.play({"n", "\u00e9lodie", "yes", "mage"});
    dir.play({"d", "\u00c9lodie", "yes"});
    EXPECT_TRUE(contains(dir.play({"l", "\u00e9lodie"}).output, "Welcome back \u00e9lodie."));
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
    // The temporary file is made in the save folder, where the next start looks for leftovers.
    EXPECT_TRUE(contains(*(rename - 1), "fsync(") &&
                contains(*(rename - 1), "<" + fs::canonical(dir.path()).string() +
                                            "/bob.txt.kelmarch-"))
        << trace;
    EXPECT_TRUE(contains(*(rename + 1), "fsync(") &&
                contains(*(rename + 1), "<" + fs::canonical(dir.path() / "sync").string() + ">"))
        << trace;
}
