// Killing the game at any moment must leave every save file whole: either the version before
// the interrupted save or the one after it, never a torn mixture.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Starts the game in `dir` reading `input`, and kills it after `delay`.
void killDuringRun(const GameDir &dir, const std::string &input, std::chrono::microseconds delay) {
    dir.write("stdin.txt", input);
    pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
        int in = ::open("stdin.txt", O_RDONLY);
        int out = ::open("/dev/null", O_WRONLY);
        if (in < 0 || out < 0) ::_exit(127);
        ::dup2(in, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::execl(KELMARCH_BINARY, KELMARCH_BINARY, "--color=never", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
}

// A character file the game wrote in full: it opens with the name and closes with the mana costs.
bool isWholeCharacterFile(const std::string &text) {
    return text.starts_with("Name:") && text.ends_with("\n") &&
           text.find("\nPoison Mana:") != std::string::npos;
}

std::string manyNames() {
    std::string names;
    for (int i = 0; i < 300; ++i)
        names += "hero" + std::to_string(i) + "\n";
    return names;
}

const std::string bob = "Name:Bob\nLevel:5\nXP:0\nStat Points:1000000\nSkill Points:0\nGold:0\n"
                        "Current Health:200\nMax Health:200\nAttack:30\nDefense:20\nAgility:10\n"
                        "Current Mana:10\nMax Mana:10\nWilderness:0\n" +
                        startingManaCosts;

} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesOldOrNewFiles) {
    const std::string oldProfiles = "ann\n" + manyNames() + "bob\n";
    const std::string newProfiles = manyNames() + "bob\nann\n";
    // A new game rewrites the long profiles list; the trainer then saves on every point spent.
    const std::string newGame = "new game\nAnn\nyes\nwarrior\n";
    std::string training = "load character\nbob\nt\nstats\n";
    for (int i = 0; i < 3000; ++i)
        training += "attack\n";

    std::mt19937 draw(7);
    for (int run = 0; run < 200; ++run) {
        GameDir dir;
        dir.write("profiles.txt", oldProfiles);
        dir.write("ann.txt", bob);
        dir.write("bob.txt", bob);
        bool renaming = run % 2 == 0;
        int longest = renaming ? 10000 : 100000;
        auto delay =
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, longest)(draw));
        killDuringRun(dir, renaming ? newGame : training, delay);

        std::string profiles = dir.read("profiles.txt");
        EXPECT_TRUE(profiles == oldProfiles || profiles == newProfiles)
            << "run " << run << " after " << delay.count() << " us";
        EXPECT_TRUE(isWholeCharacterFile(dir.read("ann.txt"))) << "run " << run;
        EXPECT_TRUE(isWholeCharacterFile(dir.read("bob.txt"))) << "run " << run;
    }
}
