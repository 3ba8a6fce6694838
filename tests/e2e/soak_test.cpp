// Thousands of seeded random lines, mostly real options with hostile bytes mixed in, must never
// crash the game, trip a sanitizer or leave a save file that fails to load.
#include "game_run.hpp"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

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

std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Every listed character must load again with its name intact.
void expectEveryProfileLoads(GameDir &dir) {
    for (const std::string &entry : linesOf(dir.read("profiles.txt"))) {
        GameRun run = dir.play({"load character", entry});
        EXPECT_NE(run.output.find("Welcome back "), std::string::npos) << entry;
        EXPECT_EQ(run.exitCode, 0);
    }
}

// A rich, strong character who can reach every area, shop every page and meet every enemy.
const std::string veteran = "Name:Bob\nLevel:60\nXP:0\nGold:2147483000\nCurrent Health:5000\n"
                            "Max Health:5000\nCurrent Mana:900\nMax Mana:900\nAttack:400\n"
                            "Defense:300\nAgility:150\nStat Points:2147483000\n"
                            "Skill Points:2147483000\nWhirlwind:3\nStab:3\nBlades:2\n"
                            "Inventory:30,31,32,33,1,13,21\nWilderness:0\n";

} // namespace

TEST(Soak, SeededRandomSessionsNeverBreakTheGame) {
    for (unsigned seed : {1u, 2u, 3u}) {
        GameDir dir;
        dir.write("profiles.txt", "bob\n");
        dir.write("bob.txt", veteran);
        std::string input = soakInput(seed, 100);
        // Half the runs start from the veteran, who reaches the deep screens.
        if (seed % 2 == 1) input = "load character\nbob\n" + input;
        GameRun run = dir.playRaw(input, {"--seed", std::to_string(seed)});
        EXPECT_EQ(run.exitCode, 0) << "seed " << seed;
        EXPECT_EQ(run.errors, "") << "seed " << seed;
        EXPECT_FALSE(dir.exists("profiles.txt.tmp"));
        expectEveryProfileLoads(dir);
    }
}
