// Killing the game at any moment must leave every save file whole: either the version before
// the interrupted save or the one after it, never a torn mixture, and no leftovers.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// Starts the game in `dir` reading `input`, and kills it after `delay`.
void killDuringRun(const GameDir &dir, const std::string &input, std::chrono::microseconds delay) {
    dir.write("stdin", input);
    int in = ::open((dir.path() / "stdin").c_str(), O_RDONLY);
    ASSERT_GE(in, 0);
    pid_t child = startGame(dir, in, "/dev/null");
    ::close(in);
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

const std::string bob = characterFile("Bob", {{"Level", "5"},
                                              {"Stat Points", "1000000"},
                                              {"Skill Points", "0"},
                                              {"Current Health", "200"},
                                              {"Max Health", "200"},
                                              {"Attack", "30"},
                                              {"Defense", "20"},
                                              {"Agility", "10"}});

} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesOldOrNewFilesAndNoGhost) {
    const std::string oldProfiles = "ann\n" + manyNames() + "bob\n";
    const std::string newProfiles = oldProfiles + "cid\n";
    // A new game writes its file and then the long list; the trainer saves on every point spent.
    const std::string newGame = "new game\nCid\nyes\nwarrior\n";
    std::string training = "load character\nbob\nt\nstats\n";
    for (int i = 0; i < 3000; ++i)
        training += "attack\n";

    // KELMARCH_KILLS=1000 is the long run, by hand: 100 kills keep the suite quick.
    const char *kills = std::getenv("KELMARCH_KILLS");
    const int runs = kills != nullptr ? std::atoi(kills) : 100;
    std::mt19937 draw(7);
    for (int run = 0; run < runs; ++run) {
        GameDir dir;
        dir.write("profiles.txt", oldProfiles);
        dir.write("ann.txt", bob);
        dir.write("bob.txt", bob);
        bool creating = run % 2 == 0;
        int longest = creating ? 10000 : 100000;
        auto delay =
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, longest)(draw));
        killDuringRun(dir, creating ? newGame : training, delay);

        std::string profiles = dir.read("profiles.txt");
        EXPECT_TRUE(profiles == oldProfiles || profiles == newProfiles)
            << "run " << run << " after " << delay.count() << " us";
        EXPECT_TRUE(isWholeCharacterFile(dir.read("ann.txt"))) << "run " << run;
        EXPECT_TRUE(isWholeCharacterFile(dir.read("bob.txt"))) << "run " << run;
        // The list never names a file the kill kept from being written.
        if (profiles == newProfiles || dir.exists("cid.txt")) {
            EXPECT_TRUE(isWholeCharacterFile(dir.read("cid.txt"))) << "run " << run;
        }

        // The next start clears away what the killed save left half-made.
        dir.play({});
        for (const auto &entry : std::filesystem::directory_iterator(dir.path())) {
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path() << " run " << run;
        }
    }
}

// A signal to stop that comes while a save is under way waits for it: the new file is whole
// and in place, no temporary file is left, and the game ends by that signal.
TEST(CrashSafety, StopSignalLetsTheSaveUnderWayFinish) {
    GameDir dir;
    int input[2];
    ASSERT_EQ(::pipe(input), 0);
    ::setenv("LD_PRELOAD", FAULT_SHIM, 1);
    ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    ::setenv("KELMARCH_FAULT", "slowsync", 1);
    pid_t child = startGame(dir, input[0], "/dev/null");
    ::unsetenv("LD_PRELOAD");
    ::unsetenv("ASAN_OPTIONS");
    ::unsetenv("KELMARCH_FAULT");
    ::close(input[0]);
    ASSERT_GT(child, 0);
    const std::string newGame = "new game\nCid\nyes\nwarrior\n";
    ASSERT_EQ(::write(input[1], newGame.data(), newGame.size()), ssize_t(newGame.size()));

    auto temporaryFile = [&] {
        for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().extension() == ".tmp") return true;
        return false;
    };
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!temporaryFile() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(temporaryFile());
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(input[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(isWholeCharacterFile(dir.read("cid.txt")));
    EXPECT_FALSE(temporaryFile());
}
