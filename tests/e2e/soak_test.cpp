// Hostile input: lines cut and ended as they come, and thousands of seeded random lines,
// stretches of the recorded sessions' input with hostile bytes mixed in, over a folder of
// damaged saves, that must never crash the game, trip a sanitizer, hang, grow, or leave a save
// file that fails to load. KELMARCH_SOAK_SECONDS=N plays longer sessions for N seconds. The
// unanswered last read, and damaged character files, are recorded sessions (input_end_*,
// files_damaged_characters).
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>

namespace fs = std::filesystem;

namespace {

// clang-format off
const std::vector<std::string> hostile = {
    "", " ", "\t", "attack ", " attack", "ATTACK", "atack", "\r", "yes\r",
    std::string(5000, 'x'), std::string(70000, 'a'), "\xff\xfe\xfd", "\xc3\x28", "\xe2\x82",
    std::string("new\0game", 8), std::string(1, '\0'), "../../escape", "/etc/passwd", "..",
    "profiles", "a:b", "%s%n%x", "\x1b[2J", "-1", "2147483647", "99999999999999999999",
};
// A rich, strong character who can reach every area, shop every page and meet every enemy.
const std::string veteran = characterFile("Bob", {
    {"Level", "60"}, {"Gold", "2147483000"}, {"Current Health", "5000"}, {"Max Health", "5000"},
    {"Current Mana", "900"}, {"Max Mana", "900"}, {"Attack", "400"}, {"Defense", "300"},
    {"Agility", "150"}, {"Stat Points", "2147483000"}, {"Skill Points", "2147483000"},
    {"Whirlwind", "3"}, {"Stab", "3"}, {"Blades", "2"}, {"Inventory", "30,31,32,33,1,13,21"}});
// clang-format on

// The lines typed in every recorded session: real options, in an order that reaches screens.
std::vector<std::string> recordedInput() {
    std::vector<fs::path> sessions(fs::directory_iterator(GOLDEN_SESSIONS), {});
    std::ranges::sort(sessions);
    std::vector<std::string> typed;
    for (const fs::path &session : sessions) {
        std::ifstream in(session / "input.txt", std::ios::binary);
        for (std::string line; std::getline(in, line);)
            typed.push_back(line);
    }
    return typed;
}

// A seeded session: a first character, then stretches of twenty recorded lines from random
// places, each line replaced by a hostile one about one time in five.
std::string soakInput(unsigned seed, int stretches) {
    static const std::vector<std::string> recorded = recordedInput();
    std::mt19937 draw(seed);
    auto below = [&draw](size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(draw);
    };
    std::string input = "new game\nSoak\nyes\nwarrior\n";
    for (int stretch = 0; stretch < stretches; ++stretch) {
        // Ways out of any room, so that a walk does not stay stuck in one.
        input += "go back\ngo back\nexit\nleave\nv\n";
        for (size_t at = below(recorded.size() - 20), end = at + 20; at < end; ++at)
            input += (below(5) == 0 ? hostile[below(hostile.size())] : recorded[at]) + "\n";
    }
    return input;
}

// Saves a player could meet in a shared or damaged folder: the recorded damaged characters
// (refused levels, escapes in a name, negative health), an oversized file, noise, and entries
// naming no file or none of ours.
const std::vector<std::string> listed = {"neg",  "huge", "empty",   "esc",     "folder",
                                         "weak", "big",  "garbage", "missing", "go back"};

void plantDamagedSaves(const GameDir &dir, unsigned seed) {
    fs::copy(fs::path(GOLDEN_SESSIONS) / "files_damaged_characters" / "before", dir.path(),
             fs::copy_options::recursive);
    dir.write("bob.txt", veteran);
    dir.write("big.txt", veteran + std::string(2 << 20, '\n'));
    std::mt19937 draw(seed);
    std::string garbage(4000, '\0'), profiles = "bob\n../escape\n\n";
    std::ranges::generate(garbage, [&draw] { return static_cast<char>(draw()); });
    dir.write("garbage.txt", garbage);
    for (const std::string &name : listed)
        profiles += name + "\n";
    dir.write("profiles.txt", profiles);
}

} // namespace

TEST(Soak, SeededRandomSessionsNeverBreakTheGame) {
    const char *seconds = std::getenv("KELMARCH_SOAK_SECONDS");
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::seconds(seconds != nullptr ? std::atoi(seconds) : 0);
    // Timed runs play ten times longer sessions, so that one game lives long enough to grow.
    const int stretches = seconds != nullptr ? 1000 : 100;
    unsigned seed = 1;
    long peakKiB = -1;
    for (; seed <= 3 || std::chrono::steady_clock::now() < deadline; ++seed) {
        GameDir dir;
        plantDamagedSaves(dir, seed);
        std::map<std::string, std::string> planted;
        for (const auto &entry : fs::directory_iterator(dir.path()))
            planted[entry.path().filename().string()] = dir.read(entry.path().filename());
        // A short game from each listed save, damaged or not, then a long one: every other
        // seed from the veteran, who reaches the deep screens, else from a new character.
        std::vector<std::string> starts = listed;
        starts.push_back(seed % 2 == 1 ? "bob" : "nobody");
        for (const std::string &name : starts) {
            GameRun run = dir.playRaw("load character\n" + name + "\n" +
                                          soakInput(seed, name == starts.back() ? stretches : 2),
                                      {"--seed", std::to_string(seed)});
            // Status 1 would mean the loop found no screen to serve.
            ASSERT_EQ(run.exitCode, 0) << "seed " << seed << ", " << name;
            ASSERT_EQ(run.errors, "") << "seed " << seed << ", " << name;
            peakKiB = std::max(peakKiB, run.peakKiB);
            EXPECT_LT(run.peakKiB, 64 * 1024) << "seed " << seed << ", " << name;
        }

        // Every character file the game wrote must load again, straight into play.
        for (const auto &entry : fs::directory_iterator(dir.path())) {
            const std::string file = entry.path().filename().string();
            if (file == "profiles.txt" || !file.ends_with(".txt") ||
                planted[file] == dir.read(file))
                continue;
            GameRun load = dir.play({"load character", file.substr(0, file.size() - 4)});
            EXPECT_TRUE(contains(load.output, "\nWelcome back ")) << file;
            EXPECT_FALSE(contains(load.output, "Type your name below:")) << file;
            EXPECT_EQ(load.exitCode, 0) << file;
        }
    }
    std::cout << seed - 1 << " sessions; the largest game held " << peakKiB << " KiB\n";
}

// The bytes past the 4,096th are dropped with the rest of their line, so the "n" at the end of
// the first line is no new game; the CR LF lines then play as plain ones. (A session's transcript
// cannot show a carriage return: its lines are compared as text.)
TEST(PortableInputEnd, CarriageReturnsEndLinesAndLongLinesAreCut) {
    GameDir dir;
    GameRun run = dir.playRaw(std::string(4096, 'x') + "n\nn\r\nBob\r\nyes\r\nwarrior\r\n",
                              {"--color=never"});
    EXPECT_TRUE(contains(run.output, "\nPlease type in one of the options in purple.\n"));
    EXPECT_EQ(dir.read("profiles.txt"), "bob\n");
    EXPECT_TRUE(dir.read("bob.txt").starts_with("Name:Bob\nLevel:1\n"));
}

TEST(PortableInputEnd, ALineWithoutEndNeverFillsTheMemory) {
    GameDir dir;
    GameRun run = dir.playRaw(std::string(70'000'000, 'x'), {});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_GE(run.peakKiB, 0) << "GNU time is missing: make deps";
    EXPECT_LT(run.peakKiB, 64 * 1024);
}
