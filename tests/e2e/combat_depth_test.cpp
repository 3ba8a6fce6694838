#include "game_run.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A saved character standing safe in `area`; `extra` holds its skill, item and stat lines.
void saveTess(const GameDir &dir, int area, const std::string &stats, const std::string &extra) {
    dir.addCharacter("Tess", "Level:20\nXP:0\nStat Points:0\nSkill Points:0\nGold:0\n" + stats +
                                 "Wilderness:" + std::to_string(area) + "\nSafe Area:1\n" + extra);
}

Lines repeat(const Lines &block, int times) {
    Lines lines;
    for (int i = 0; i < times; ++i)
        lines.insert(lines.end(), block.begin(), block.end());
    return lines;
}

Lines concat(Lines first, const Lines &second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Each pattern must match at least one whole line of the output.
void expectLines(const std::string &output, const Lines &patterns) {
    std::set<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);)
        lines.insert(line);
    for (const std::string &pattern : patterns) {
        std::regex whole(pattern);
        EXPECT_TRUE(std::ranges::any_of(lines, [&](const std::string &line) {
            return std::regex_match(line, whole);
        })) << pattern;
    }
}

// A character who cannot fall and never evades walks every area, strikes once and then
// tries to flee, so that every enemy gets turn after turn.
TEST(CombatDepth, EveryEnemyShowsItsSpecial) {
    GameDir dir;
    std::string output;
    struct Walk {
        int area, attack, seed;
    };
    const Walk walks[] = {{1, 30, 3}, {2, 50, 2}, {3, 50, 3}, {4, 120, 4}, {5, 50, 2},
                          {6, 50, 6}, {7, 50, 7}, {8, 50, 8}, {99, 600, 9}};
    for (auto [area, attack, seed] : walks) {
        saveTess(
            dir, area,
            "Current Health:2000000000\nMax Health:2000000000\nAttack:" + std::to_string(attack) +
                "\nDefense:0\nAgility:0\nCurrent Mana:0\nMax Mana:0\n",
            startingManaCosts);
        Lines fight =
            area == 99 ? repeat({"attack"}, 12) : concat({"attack"}, repeat({"flee"}, 10));
        GameRun run = dir.play(concat({"l", "tess"}, repeat(concat({"s"}, fight), 40)),
                               {"--seed", std::to_string(seed)});
        output += run.output;
    }
    const std::string n = "[0-9]+", did = "The enemy did " + n + " damage with ";
    // clang-format off
    expectLines(output, {
        did + "charge\\.", did + "strike\\.", did + "stomp\\.", did + "impale\\.", did + "peck\\.",
        did + "bark throw\\.", did + "flap\\.", did + "boulder throw\\.", did + "blades\\.",
        did + "shriek\\.",
        "The enemy did 40 damage with shock\\.", "The enemy did 60 damage with smolder\\.",
        "The enemy did (" + n + ") damage and recovered \\1 health with BRAINS\\.",
        "The enemy recovered 20 health with heal\\.", "The enemy recovered 50 health with mend\\.",
        "The enemy fully recovered with rebirth\\.",
        "Dovik Vel'karr smacks you with code for " + n + " damage!",
        "The enemy caused you to bleed for 3 rounds\\.", "The enemy poisoned you for 4 rounds\\.",
        "The enemy stunned you for 1 round\\.", "The enemy stunned you for 2 round\\.",
        "The enemy ignited you for 2 rounds\\.", "You are stunned for 0 more rounds\\.",
        "You take 3 bleeding damage\\.", "You take 10 bleeding damage\\.",
        "You take 25 bleeding damage\\.",
        "You take 4 poison damage\\.", "You take 8 poison damage\\.",
        "You take 10 poison damage\\.",
        "You take 10 fire damage\\.", "You take 40 fire damage\\.",
        "You are bleeding for 0 more rounds\\.",
        "You are poisoned for 0 more rounds\\.", "You are on fire for 0 more rounds\\.",
    });
    // clang-format on
}

const std::string warrior =
    "Current Health:1000\nMax Health:1000\nAttack:0\nDefense:10\nAgility:0\n"
    "Current Mana:100\nMax Mana:100\n";

// The five warrior skills against a stone titan with the Flail, then a knock-out while the
// enemy still bleeds: the character wakes and is saved whole.
TEST(CombatDepth, WarriorSkillsWithTheFlail) {
    GameDir dir;
    saveTess(dir, 7, warrior,
             "Whirlwind:10\nStab:2\nBlades:1\nSlice:1\nGouge:1\n" + startingManaCosts +
                 "Weapon:40\n");
    Lines input{"l",    "tess",   "s",     "skill", "gouge",  "whirlwind",
                "stab", "blades", "slice", "stun",  "go back"};
    GameRun run = dir.play(concat(input, repeat({"flee"}, 6)), {"--seed", "10"});
    expectBlocks(
        run.output,
        {
            {"You dealt 3 damage with gouge.", "You caused the enemy to bleed for 3 rounds.",
             "The enemy takes 1 bleeding damage.", "The enemy is bleeding for 2 more rounds."},
            {"Your Flail caused the enemy to bleed for 3 rounds.",
             "You dealt 89 damage with whirlwind.", "You stunned the enemy for 1 round.",
             "The enemy takes 10 bleeding damage.", "The enemy is bleeding for 2 more rounds.",
             "The enemy is stunned for 0 more rounds."},
            {"You dealt 38 damage with stab.", "The enemy takes 10 bleeding damage."},
            {"You dealt 1 damage with blades.", "You dealt 1 damage with blades.",
             "The enemy takes 10 bleeding damage."},
            {"You dealt 1 damage with slice.", "You dealt 1 damage with slice."},
            {"You don't have access to that skill."},
            // the titan's 1400 less 4, 99, 48, 12 and 12; mana 100 less 2, 2, 3, 3 and 2
            {"Tess: Level=20 Health=376/1000 Attack=70 Defense=10 Agility=0 Mana=88/100",
             "stone titan: Level=15 Health=1225 Attack=120 Defense=160 Agility=5"},
            {"You have been knocked out!", "", "You awake in the hospital refreshed."},
        });
    std::string saved = dir.read("tess.txt");
    EXPECT_NE(saved.find("Current Health:1000\n"), std::string::npos);
    EXPECT_NE(saved.find("Current Mana:100\n"), std::string::npos);
    EXPECT_NE(saved.find("Wilderness:0\n"), std::string::npos);
}

// The five spells and all four potions against an elf (defense 0), then the potions screen.
TEST(CombatDepth, MageSpellsAndPotions) {
    GameDir dir;
    saveTess(dir, 2,
             "Current Health:100\nMax Health:1000\nAttack:200\nDefense:10\nAgility:0\n"
             "Current Mana:500\nMax Mana:1000\n",
             "Bolt:3\nStun:1\nFire:1\nHeal:2\nPoison:3\n" + startingManaCosts +
                 "Inventory:30,31,32,33,30\nWeapon:37\nArmor:44\n");
    // clang-format off
    GameRun run = dir.play({"l", "tess", "s", "potion", "low health potion", "high health potion",
                            "low mana potion", "high mana potion", "high mana potion", "go back",
                            "skill", "stun", "poison", "fire", "heal", "bolt", "go back",
                            "potions", "low health potion", "go back"}, {"--seed", "1"});
    // clang-format on
    const std::string regenerates = "Your Regeneration Armor healed you 30 health.";
    expectBlocks(
        run.output,
        {
            {regenerates, "You have restored 50 health."},
            {regenerates, "You have restored 300 health."},
            {regenerates, "You have restored 40 mana."},
            {regenerates, "You have restored 250 mana."},
            {"You don't have any of those."}, // none left: no round passes, no regeneration
            {regenerates, "You stunned the enemy for 2 rounds.",
             "The enemy is stunned for 1 more rounds."},
            {regenerates, "You poisoned the enemy for 4 rounds.",
             "The enemy takes 14 poison damage.", "The enemy is poisoned for 3 more rounds.",
             "The enemy is stunned for 0 more rounds."},
            {regenerates, "You dealt 10 damage with fire.", "You ignited the enemy for 3 rounds.",
             "The enemy takes 14 poison damage.", "The enemy is poisoned for 2 more rounds.",
             "The enemy takes 5 fire damage.", "The enemy is on fire for 2 more rounds."},
            {regenerates, "You've been healed 90 health.", "The enemy takes 14 poison damage."},
            {regenerates, "You dealt 60 damage with bolt.", "The enemy takes 14 poison damage.",
             "The enemy is poisoned for 0 more rounds.", "The enemy takes 5 fire damage.",
             "The enemy is on fire for 0 more rounds.", "You have slain the enemy!"},
            // 790 mana less 7 + 6 + 6 + 5 + 5 for the spells; the wand adds 60 to the ceiling
            {"You have 755/1000 health and 761/1060 mana left.", "", "POTIONS", "",
             "Your options:", "", "low health potion - restores 50 health (x1)", "go back"},
            {regenerates, "You have restored 50 health.", "",
             "You have 835/1000 health and 761/1060 mana left."},
            {"You don't have any potions available."},
        });
    std::string saved = dir.read("tess.txt");
    EXPECT_NE(saved.find("Current Health:835\n"), std::string::npos);
    EXPECT_NE(saved.find("Inventory:36\n"), std::string::npos); // the elf's dagger; no potion left
}

} // namespace
