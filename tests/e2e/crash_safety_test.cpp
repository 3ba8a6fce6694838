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

// A character file the game wrote in full: it opens with the name and closes with the mana costs.
bool isWholeCharacterFile(const std::string &text) {
    return text.starts_with("Name:") && text.ends_with("\n") &&
           text.find("\nPoison Mana:") != std::string::npos;
}

} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesOldOrNewFilesAndNoGhost) {
    std::string oldProfiles = "ann\n";
    for (int i = 0; i < 300; ++i)
        oldProfiles += "hero" + std::to_string(i) + "\n";
    oldProfiles += "bob\n";
    const std::string newProfiles = oldProfiles + "cid\n";
    const std::string bob = characterFile("Bob", {{"Level", "5"}, {"Stat Points", "1000000"}});
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
        const bool creating = run % 2 == 0;
        const int delay = std::uniform_int_distribution<int>(0, creating ? 10000 : 100000)(draw);
        dir.write("stdin", creating ? newGame : training);
        const int in = ::open((dir.path() / "stdin").c_str(), O_RDONLY);
        const pid_t game = startGame(dir, in, "/dev/null");
        ::close(in);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(game, SIGKILL);
        ::waitpid(game, nullptr, 0);
        const std::string at = "run " + std::to_string(run) + ", " + std::to_string(delay) + " us";

        const std::string profiles = dir.read("profiles.txt");
        EXPECT_TRUE(profiles == oldProfiles || profiles == newProfiles) << at;
        EXPECT_TRUE(isWholeCharacterFile(dir.read("ann.txt"))) << at;
        EXPECT_TRUE(isWholeCharacterFile(dir.read("bob.txt"))) << at;
        // The list never names a file the kill kept from being written.
        if (profiles == newProfiles || dir.exists("cid.txt")) {
            EXPECT_TRUE(isWholeCharacterFile(dir.read("cid.txt"))) << at;
        }

        // The next start clears away what the killed save left half-made.
        dir.play({});
        for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_NE(entry.path().extension(), ".tmp") << entry.path() << " " << at;
    }
}
