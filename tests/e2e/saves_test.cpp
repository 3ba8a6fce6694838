// Saves that survive attackers, damaged disks, signals and a second game in the same folder.
// What needs no link, injected fault or second game is in the recorded sessions files_*.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <list>
#include <map>
#include <optional>
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
const std::string notRead =
    std::string(300, '\n') + "Your character could not be read.\n\nKELMARCH";
const std::string playedElsewhere = "That character is being played in another window.";
const std::string unguarded = "Saves in this folder cannot be protected against a second window.";

size_t count(const std::string &text, const std::string &part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// The games started while this lives preload the fault library (see tests/shim/faults.cpp); a
// sanitized game wants its runtime loaded first, which the preloaded library comes before.
struct Fault {
    explicit Fault(const std::string &fault) {
        ::setenv("LD_PRELOAD", FAULT_SHIM, 1);
        ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
        ::setenv("KELMARCH_FAULT", fault.c_str(), 1);
    }
    ~Fault() {
        for (const char *name : {"LD_PRELOAD", "ASAN_OPTIONS", "KELMARCH_FAULT"})
            ::unsetenv(name);
    }
};

// A game reading what the test types into a pipe, its output in the file `output`.
struct PipedGame {
    int input = -1;
    pid_t pid = -1;
    const GameDir &dir;
    const std::string output;

    PipedGame(const GameDir &in, const std::string &out, const std::string &typed)
        : dir(in), output(out) {
        int ends[2]; // the game must not hold the writing end itself, or its input never ends
        EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
        pid = startGame(dir, ends[0], dir.path() / output);
        ::close(ends[0]);
        input = ends[1];
        type(typed);
    }
    bool type(const std::string &text) const {
        return ::write(input, text.data(), text.size()) == ssize_t(text.size());
    }
    bool waitToShow(const std::string &text) const {
        return waitFor([&] { return contains(dir.read(output), text); });
    }
    int end(int signal = 0) const {
        if (signal != 0) ::kill(pid, signal);
        ::close(input);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }
};

} // namespace

// Today's names of temporary files are predictable: links planted at them are never followed.
TEST(PortableSaves, TemporaryNamesAreNeverFollowed) {
    GameDir dir;
    dir.write("victim", "keep\n");
    dir.write("todo.txt", "buy bread\n");
    fs::create_symlink("victim", dir.path() / "profiles.txt.tmp");
    fs::create_symlink("victim", dir.path() / "todo.txt.tmp");
    dir.play({"n", "Todo", "yes", "warrior"});
    EXPECT_EQ(dir.read("victim"), "keep\n");
    EXPECT_EQ(dir.read("profiles.txt"), "todo\n");
    EXPECT_TRUE(dir.read("todo.txt").starts_with("Name:Todo\nLevel:1\n"));
    EXPECT_FALSE(fs::is_symlink(dir.path() / "profiles.txt"));
}

// A link is followed only to a file of its own name inside the save folder: a planted one
// leading elsewhere is neither read nor written through.
TEST(Saves, PermissionsAndLinksOfTheSaveAreKept) {
    struct Case {
        std::string name;
        std::string linkTo; // bob.txt is a link to this file, moved there from the folder
        bool refused;       // the character is not read, and the player told so
    };
    GameDir elsewhere;
    const auto own = fs::perms::owner_read | fs::perms::owner_write;
    for (const Case &c :
         std::vector<Case>{{"private", "", false},
                           {"synced copy", "sync/bob.txt", false},
                           {"other file", "sync/notes.txt", true},
                           {"other folder", (elsewhere.path() / "bob.txt").string(), true}}) {
        GameDir dir;
        dir.addCharacter("Bob", hero);
        fs::path file = dir.path() / "bob.txt";
        if (!c.linkTo.empty()) {
            fs::create_directories((dir.path() / c.linkTo).parent_path());
            fs::rename(file, dir.path() / c.linkTo);
            fs::create_symlink(c.linkTo, file);
        }
        fs::permissions(file, own);
        GameRun run = dir.play(spendAPoint);
        EXPECT_FALSE(contains(run.output, notSaved)) << c.name;
        EXPECT_EQ(contains(run.output, notRead), c.refused) << c.name;
        EXPECT_EQ(contains(dir.read("bob.txt"), "\nAttack:31\n"), !c.refused) << c.name;
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, own) << c.name;
        EXPECT_EQ(fs::is_symlink(file), !c.linkTo.empty()) << c.name;
    }

    GameDir fresh;
    const mode_t previous = ::umask(027);
    fresh.play({"n", "Ann", "yes", "mage"});
    ::umask(previous);
    EXPECT_EQ(fs::status(fresh.path() / "ann.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A save the player made read-only stays as it is, on every system, and the player is told.
TEST(PortableSaves, AReadOnlySaveIsLeftAsItIs) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(dir.path() / "bob.txt", readOnly);
    EXPECT_TRUE(contains(dir.play(spendAPoint).output, notSaved));
    EXPECT_EQ(dir.read("bob.txt"), characterFile("Bob", hero));
    EXPECT_EQ(fs::status(dir.path() / "bob.txt").permissions() & fs::perms::all, readOnly);
}

// A hundred games at once on one folder, half making a character and half deleting one
// (under Wine, which starts a game slowly, sixteen).
TEST(PortableSaves, GamesCreatingAndDeletingAtOnceLoseNothing) {
    const int pairs = std::getenv("KELMARCH_GAME") != nullptr ? 8 : 50;
    GameDir dir;
    std::string listed;
    for (int i = 0; i < pairs; ++i) {
        listed += "old" + std::to_string(i) + "\n";
        dir.write("old" + std::to_string(i) + ".txt", characterFile("Old", hero));
    }
    dir.write("profiles.txt", listed);
    std::list<PipedGame> games;
    for (int i = 0; i < pairs; ++i) {
        const std::string n = std::to_string(i);
        games.emplace_back(dir, "new" + n + ".out", "n\nNew" + n + "\nyes\nwarrior\n");
        games.emplace_back(dir, "old" + n + ".out", "d\nold" + n + "\nyes\n");
    }
    for (const PipedGame &game : games)
        game.end();
    // Each new name listed once, and nothing else.
    const std::string profiles = "\n" + dir.read("profiles.txt");
    EXPECT_EQ(count(profiles, "\n"), size_t(pairs) + 1);
    for (int i = 0; i < pairs; ++i) {
        EXPECT_EQ(count(profiles, "\nnew" + std::to_string(i) + "\n"), 1u) << i;
        EXPECT_TRUE(dir.read("new" + std::to_string(i) + ".txt").starts_with("Name:New")) << i;
        EXPECT_FALSE(dir.exists("old" + std::to_string(i) + ".txt")) << i;
    }
}

TEST(PortableSaves, ACharacterPlayedInAnotherWindowIsNotLoadedDeletedOrMadeAgain) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    PipedGame held(dir, "held.out", "l\nbob\n");
    held.waitToShow("Welcome back Bob.");

    // Bob is saved again and again (each visit to the hospital) while the other game tries:
    // the claim holds across every save too.
    std::atomic<bool> healing = true;
    std::thread hospital([&] {
        while (healing && held.type("h\n"))
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    std::vector<std::string> typed;
    for (int attempt = 0; attempt < 40; ++attempt)
        typed.insert(typed.end(), {"l", "bob"});
    typed.insert(typed.end(), {"d", "bob", "yes", "n", "Bob", "yes", "warrior"});
    GameRun other = dir.play(typed);
    // On a busy machine the other game may be through before the first visit is shown.
    EXPECT_TRUE(held.waitToShow("You are fully recovered."));
    healing = false;
    hospital.join();
    EXPECT_EQ(count(other.output, playedElsewhere + "\n\nKELMARCH: ORVANIS"), 41u);
    EXPECT_TRUE(contains(other.output, playedElsewhere + "\n\nType your name below:\n"));
    EXPECT_FALSE(contains(other.output, "Welcome back"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_EQ(dir.read("bob.txt"), characterFile("Bob", hero));

    // A game that dies lets go of its character.
    held.end(SIGKILL);
    EXPECT_TRUE(contains(dir.play({"l", "bob"}).output, "Welcome back Bob."));
}

// A window that deleted a character lets go of its name while it plays on, and holds the name
// again once it makes that character anew.
TEST(PortableSaves, ADeletedNameIsLetGoAndClaimedAgain) {
    GameDir dir;
    dir.addCharacter("Bob", hero);
    PipedGame deleting(dir, "deleting.out", "d\nbob\nyes\n");
    ASSERT_TRUE(deleting.waitToShow("The character bob has been deleted."));
    EXPECT_FALSE(contains(dir.play({"n", "Bob", "yes", "mage"}).output, playedElsewhere));
    deleting.type("n\nBob\nyes\nwarrior\n");
    ASSERT_TRUE(waitFor([&] { return contains(dir.read("bob.txt"), "\nMax Mana:10\n"); }));
    EXPECT_TRUE(contains(dir.play({"l", "bob"}).output, playedElsewhere));
    deleting.end();
}

// Window A confirms the name Bob while no Bob exists; window B makes Bob and leaves before A
// picks a class. A must not save over B's Bob.
TEST(Saves, ANameConfirmedInOneWindowIsNotSavedOverWhenAnotherMakesIt) {
    GameDir dir;
    PipedGame first(dir, "first.out", "n\nBob\nyes\n");
    first.waitToShow("warrior");
    dir.play({"n", "Bob", "yes", "mage"});
    const std::string mage = dir.read("bob.txt");
    first.type("warrior\n");
    first.end();
    EXPECT_TRUE(first.waitToShow(playedElsewhere));
    EXPECT_EQ(dir.read("bob.txt"), mage);
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
}

// A game that holds the folder's lock while stopped keeps others waiting, but not in silence.
TEST(Saves, AWaitForTheListIsToldAndEndsWhenTheLockIsFreed) {
    GameDir dir;
    int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    PipedGame game(dir, "game.out", "n\nAnn\nyes\nmage\n");
    EXPECT_TRUE(
        game.waitToShow("Another window is changing the list of characters; waiting\u2026"));
    EXPECT_FALSE(dir.exists("profiles.txt"));
    ::close(folder);
    game.end();
    EXPECT_EQ(dir.read("profiles.txt"), "ann\n");
}

// With standard output (or input, or error) closed the first file opened would take its
// number, and the screens would be written into the save.
TEST(Saves, ClosedStandardStreamsNeverBecomeASave) {
    GameDir dir;
    dir.write("input.txt", "n\nBob\nyes\nwarrior\n");
    const std::string command =
        "cd '" + dir.path().string() + "' && " KELMARCH_BINARY " < input.txt >&- 2>&-";
    std::system(command.c_str());
    EXPECT_EQ(dir.read("bob.txt"), characterFile("Bob"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
}

// Played as other users (needs root). In a folder shared by a group, a save by another
// member keeps the file's group, so that its owner can still save it. A folder its player may
// not list (mode 0311) cannot be locked, and the player hears so.
TEST(Saves, AsAnotherUserTheGroupIsKeptAndAnUnlockableFolderTold) {
    if (::geteuid() != 0) GTEST_SKIP() << "playing as other users needs root";
    auto playAs1002 = [](const GameDir &dir, const std::string &input) {
        dir.write("input.txt", input);
        const std::string command =
            "cd '" + dir.path().string() +
            "' && setpriv --reuid=1002 --regid=1002 --groups=100 " KELMARCH_BINARY
            " < input.txt > game.out 2>&1";
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

// A file of exactly 1 MiB is still a save, but one a byte larger is never written: the point
// raising Attack from 99 to 100 stays unsaved, and the file as it was.
TEST(Saves, ASaveOverOneMebibyteIsNotWritten) {
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
namespace {
void failEachStep(const std::vector<std::string> &faults) {
    // One point spent at the trainer: Attack 30 to 31.
    Overrides spent = hero;
    spent.insert(spent.end(), {{"Stat Points", "4"}, {"Attack", "31"}});
    // The faults after which the point is saved all the same, and what the player hears then.
    const std::map<std::string, std::string> savedAnyway = {
        {"syncfolder", "Your progress was saved, but the disk may not have kept it."},
        {"nolocks", unguarded}};
    for (const std::string &fault : faults) {
        const bool saved = savedAnyway.contains(fault);
        const std::string told = saved ? savedAnyway.at(fault) : notSaved;
        GameDir dir;
        dir.addCharacter("bob", hero);
        const Fault failing(fault);
        GameRun run = dir.play(spendAPoint);
        EXPECT_EQ(count(run.output, told), 1u) << fault;
        EXPECT_EQ(dir.read("bob.txt"), characterFile("bob", saved ? spent : hero)) << fault;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2) << fault;
        EXPECT_EQ(run.exitCode, 0) << fault;
    }
}
} // namespace

TEST(Saves, AFailingStepOfASaveIsToldAndLeavesTheOldFileWhole) {
    failEachStep({"mkostemps", "fchmod", "write", "fsync", "rename", "syncfolder", "nolocks"});

    // A character whose first save failed (a disk full for a moment) is listed by the first
    // save that works.
    GameDir dir;
    {
        const Fault fault("firstwrite");
        EXPECT_EQ(count(dir.play({"n", "Carl", "yes", "warrior", "h"}).output, notSaved), 1u);
    }
    EXPECT_EQ(dir.read("profiles.txt"), "carl\n");
    EXPECT_TRUE(contains(dir.play({"l", "carl"}).output, "Welcome back Carl."));

    // A list that cannot be saved is told at each save that tries it again; the character's
    // own file is saved all the same.
    const Fault fault("writelist");
    const std::string told = "The list of characters could not be saved.";
    EXPECT_EQ(count(dir.play({"n", "Dan", "yes", "warrior", "h"}).output, told), 2u);
    EXPECT_EQ(dir.read("profiles.txt"), "carl\n");
    EXPECT_TRUE(dir.read("dan.txt").starts_with("Name:Dan\n"));
}

// The steps that are the game's own calls under Wine as well.
TEST(PortableSaves, AFailingWriteOrFlushIsToldAndLeavesTheOldFileWhole) {
    failEachStep({"write", "fsync"});
}

// A list that cannot be read whole is never written over: every name after the break would
// be lost. The new character's file is saved all the same, and the player told. (A pipe where
// a character should be goes through the same reading.)
TEST(PortableSaves, DamagedListsAreReadAsEmptyAndNeverRewritten) {
    for (const std::string kind : {"fifo", "endless", "over 1 MiB", "read error"}) {
        GameDir dir;
        const fs::path list = dir.path() / "profiles.txt";
        if (kind == "fifo") { ASSERT_EQ(::mkfifo(list.c_str(), 0644), 0); }
        if (kind == "endless") fs::create_symlink("/dev/zero", list);
        if (kind == "over 1 MiB") dir.write("profiles.txt", std::string(1 << 20, 'a') + "\nbob\n");
        if (kind == "read error") dir.write("profiles.txt", "ann\nben\ncat\ndan\nemma\n");
        const Fault fault(kind == "read error" ? "readlist" : "");
        GameRun run = dir.play({"l"});
        EXPECT_TRUE(contains(run.output, "What would you like to do?\n\nnew game [n]\n\n")) << kind;
        EXPECT_FALSE(contains(run.output, "load character [l]")) << kind;
        if (kind == "fifo" || kind == "endless") continue;
        const std::string before = dir.read("profiles.txt");
        run = dir.play({"n", "Fay", "yes", "mage"});
        EXPECT_TRUE(contains(run.output, "could not be read, so fay was not added to it.")) << kind;
        EXPECT_EQ(dir.read("profiles.txt"), before) << kind;
        EXPECT_TRUE(dir.read("fay.txt").starts_with("Name:Fay\n")) << kind;
    }
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
    const std::string trace = dir.read("trace.txt"), folder = fs::canonical(dir.path()).string();
    // Three calls in a row: the temporary file, made in the save folder where the next start
    // looks for leftovers, flushed; put over the link's target; the target's folder flushed.
    std::vector<std::string> calls(1);
    for (char c : trace)
        c == '\n' ? (void)calls.emplace_back() : calls.back().push_back(c);
    auto is = [&](size_t i, const std::string &call, const std::string &on) {
        return i < calls.size() && contains(calls[i], call) && contains(calls[i], on);
    };
    bool inOrder = false;
    for (size_t i = 0; i < calls.size(); ++i)
        inOrder |= is(i, "fsync(", "<" + folder + "/bob.txt.kelmarch-") &&
                   is(i + 1, "rename", "/sync/bob.txt\"") &&
                   is(i + 2, "fsync(", "<" + folder + "/sync>");
    EXPECT_TRUE(inOrder) << trace;
}

// A signal to stop that comes while a save is under way waits for it: the new file is whole
// and in place, no temporary file is left, and the game ends by that signal.
TEST(Saves, AStopSignalLetsTheSaveUnderWayFinish) {
    GameDir dir;
    std::optional<PipedGame> game;
    {
        const Fault slowDisk("slowsync");
        game.emplace(dir, "game.out", "new game\nCid\nyes\nwarrior\n");
    }
    auto temporaryFile = [&] {
        return std::ranges::any_of(fs::directory_iterator(dir.path()), [](const auto &entry) {
            return entry.path().extension() == ".tmp";
        });
    };
    ASSERT_TRUE(waitFor(temporaryFile));
    const int status = game->end(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_EQ(dir.read("cid.txt"), characterFile("Cid"));
    EXPECT_FALSE(temporaryFile());
}
