// Thousands of seeded random lines, mostly real options with hostile bytes mixed in, over a
// folder of damaged saves, must never crash the game, trip a sanitizer, hang, grow, or leave
// a save file that fails to load. KELMARCH_SOAK_SECONDS=N plays longer sessions for N seconds.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>

namespace {

// clang-format off
const std::vector<std::string> options = {
    // main menu, awakening and ending
    "new game", "n", "load character", "l", "delete character", "d", "go back", "yes", "no",
    "warrior", "mage", "leave", "soak", "bob", "Bob", "Soak",
    // village, rooms and travel
    "shop", "s", "hospital", "h", "town crier", "t", "equip", "e", "trainer", "plains", "p",
    "dovik's lair", "exit", "buy", "sell", "stats", "skills", "stay", "potion", "village", "v",
    "forest", "f", "dense forest", "lava lake", "crystal lake", "c", "burnt field", "b",
    "ash mountain", "a", "dragon lair", "potions",
    // combat
    "attack", "flee", "skill", "whirlwind", "stab", "blades", "slice", "gouge", "bolt", "stun",
    "fire", "heal", "poison", "low health potion", "high health potion", "low mana potion",
    "high mana potion",
    // trainer and shop pages
    "defense", "agility", "mana", "swords", "battleaxes", "daggers", "wands", "staffs", "armor",
    "robes", "wooden sword", "titanium sword", "iron battleaxe", "steel dagger", "emerald wand",
    "ruby staff", "leather armor", "dragon bone armor", "cloth robes", "ethereal robes",
    "unequip weapon", "unequip armor",
    // town crier
    "levels and xp", "enemies", "warrior skills", "mage skills", "rare items", "rare item stats",
    "rare item locations", "other", "dovik vel'karr", "dovik", "sword of fortune", "flail",
    "regen armor", "magic sword",
    // the damaged saves below
    "neg", "huge", "empty", "esc", "weak", "crlf", "big", "garbage", "missing",
};

const std::vector<std::string> hostile = {
    "", " ", "\t", "attack ", " attack", "ATTACK", "atack", "\r", "yes\r",
    std::string(5000, 'x'), std::string(70000, 'a'), "\xff\xfe\xfd", "\xc3\x28", "\xe2\x82",
    std::string("new\0game", 8), std::string(1, '\0'), "../../escape", "/etc/passwd", "..",
    "profiles", "a:b", "%s%n%x", "\x1b[2J", "-1", "2147483647", "99999999999999999999",
};
// clang-format on

// Ways out of any room and ways into each, so a random walk does not stay stuck in one.
const std::string leaveAnyRoom = "go back\ngo back\nexit\nleave\nv\n";
// clang-format off
const std::vector<std::string> roomEntries = {
    "shop\n", "shop\nbuy\n", "shop\nsell\n", "trainer\n", "trainer\nstats\n", "trainer\nskills\n",
    "equip\n", "town crier\n", "town crier\nrare item locations\n", "p\n", "p\nattack\nattack\nf\n",
    "p\nf\nd\nl\n", "dovik's lair\n", "p\nskill\n", "p\npotion\n", "p\nflee\n",
};
// clang-format on

// A seeded session: a first character, then visits to random rooms, each a run of lines
// with about four options to one hostile line.
std::string soakInput(unsigned seed, int visits) {
    std::mt19937 draw(seed);
    auto pick = [&draw](const std::vector<std::string> &pool) {
        return pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(draw)];
    };
    std::string input = "new game\nSoak\nyes\nwarrior\n";
    for (int visit = 0; visit < visits; ++visit) {
        input += leaveAnyRoom + pick(roomEntries);
        for (int i = 0; i < 20; ++i) {
            bool isHostile = std::uniform_int_distribution<int>(0, 4)(draw) == 0;
            input += pick(isHostile ? hostile : options) + "\n";
        }
    }
    return input;
}

// A rich, strong character who can reach every area, shop every page and meet every enemy.
const std::string veteran = characterFile("Bob", {{"Level", "60"},
                                                  {"Gold", "2147483000"},
                                                  {"Current Health", "5000"},
                                                  {"Max Health", "5000"},
                                                  {"Current Mana", "900"},
                                                  {"Max Mana", "900"},
                                                  {"Attack", "400"},
                                                  {"Defense", "300"},
                                                  {"Agility", "150"},
                                                  {"Stat Points", "2147483000"},
                                                  {"Skill Points", "2147483000"},
                                                  {"Whirlwind", "3"},
                                                  {"Stab", "3"},
                                                  {"Blades", "2"},
                                                  {"Inventory", "30,31,32,33,1,13,21"}});

// Saves a player could meet in a shared or damaged folder: refused levels, negative health,
// escapes in a name, Windows line endings with a byte-order mark, an oversized file, noise.
std::map<std::string, std::string> damagedSaves(unsigned seed) {
    std::string crlf = "\xef\xbb\xbf" + veteran;
    for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2)
        crlf.insert(at, "\r");
    std::string big = veteran;
    while (big.size() < 2 * 1024 * 1024)
        big += "Inventory:" + std::string(4000, '1') + "\n";
    std::mt19937 draw(seed);
    std::string garbage;
    for (int i = 0; i < 4000; ++i)
        garbage += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(draw));
    return {
        {"bob.txt", veteran},
        {"neg.txt", "Name:Neg\nLevel:-1\n"},
        {"huge.txt", "Name:Huge\nLevel:99999999999\nWilderness:1\n"},
        {"empty.txt", ""},
        {"esc.txt", "Name:Esc\x1b]0;owned\x07\x1b[2J\nLevel:3\nCurrent Health:10\nMax Health:10\n"},
        {"weak.txt", "Name:Weak\nLevel:3\nCurrent Health:-50\nMax Health:-50\nAttack:-9\n"
                     "Current Mana:999\nMax Mana:-1\nWilderness:8\nWeapon:13\n"},
        {"crlf.txt", crlf},
        {"big.txt", big},
        {"garbage.txt", garbage},
        {"profiles.txt", seed % 2 == 0 ? "\xef\xbb\xbf"
                                         "bob\r\nneg\r\nhuge\r\nempty\r\nesc\r\n"
                                         "weak\r\ncrlf\r\nbig\r\ngarbage\r\nmissing\r\n"
                                       : "bob\nneg\nhuge\nempty\nesc\nweak\ncrlf\nbig\ngarbage\n"
                                         "missing\ngo back\n../escape\n\x1b[2J\n\n"},
    };
}

// Every character file the game wrote must load again, straight into play.
void expectWrittenSavesLoad(GameDir &dir, const std::map<std::string, std::string> &planted) {
    for (const auto &entry : std::filesystem::directory_iterator(dir.path())) {
        const std::string file = entry.path().filename().string();
        auto was = planted.find(file);
        if (file == "profiles.txt" || !file.ends_with(".txt") ||
            (was != planted.end() && dir.read(file) == was->second))
            continue;
        GameRun run = dir.play({"load character", file.substr(0, file.size() - 4)});
        EXPECT_TRUE(contains(run.output, "\nWelcome back ")) << file;
        EXPECT_FALSE(contains(run.output, "Type your name below:")) << file;
        EXPECT_EQ(run.exitCode, 0);
    }
}

} // namespace

TEST(Soak, SeededRandomSessionsNeverBreakTheGame) {
    const char *seconds = std::getenv("KELMARCH_SOAK_SECONDS");
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::seconds(seconds != nullptr ? std::atoi(seconds) : 0);
    // Timed runs play ten times longer sessions, so that one game lives long enough to grow.
    const int visits = seconds != nullptr ? 1000 : 100;
    unsigned seed = 1;
    long peakKiB = -1;
    for (; seed <= 3 || std::chrono::steady_clock::now() < deadline; ++seed) {
        GameDir dir;
        const std::map<std::string, std::string> planted = damagedSaves(seed);
        for (const auto &[file, content] : planted)
            dir.write(file, content);
        // A short game from each listed save, damaged or not, then a long one.
        for (const std::string name : {"neg", "huge", "empty", "esc", "weak", "crlf", "big",
                                       "garbage", "missing", "go back"}) {
            GameRun run = dir.playRaw("load character\n" + name + "\n" + soakInput(seed, 2),
                                      {"--seed", std::to_string(seed)});
            ASSERT_EQ(run.exitCode, 0) << "seed " << seed << ", " << name;
            ASSERT_EQ(run.errors, "") << "seed " << seed << ", " << name;
        }
        std::string input = soakInput(seed, visits);
        // Half the runs start from the veteran, who reaches the deep screens.
        if (seed % 2 == 1) input = "load character\nbob\n" + input;
        GameRun run = dir.playRaw(input, {"--seed", std::to_string(seed)});
        // Status 1 would mean the loop found no screen to serve.
        ASSERT_EQ(run.exitCode, 0) << "seed " << seed;
        ASSERT_EQ(run.errors, "") << "seed " << seed;
        EXPECT_FALSE(dir.exists("profiles.txt.tmp"));
        peakKiB = std::max(peakKiB, run.peakKiB);
        EXPECT_LT(run.peakKiB, 64 * 1024) << "seed " << seed;
        expectWrittenSavesLoad(dir, planted);
    }
    std::cout << seed - 1 << " sessions; the largest game held " << peakKiB << " KiB\n";
}
