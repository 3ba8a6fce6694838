#include "game_test.hpp"

#include "character/character.hpp"
#include "combat/enemies.hpp"
#include "combat/rewards.hpp"
#include "frontend/screens.hpp"

#include <string>
#include <vector>

namespace {

class RewardsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        character.level = 10;
        character.maxHealth = 100;
    }

    // One fall of `enemy` in `area` with every chance in 100 drawn as `percent`; the lines
    // that say what it dropped.
    std::vector<std::string> drops(int32_t area, const std::string &enemy, int32_t percent) {
        drawOverride = [percent](int32_t, int32_t) { return percent; };
        character.wilderness = area;
        enemyName = enemy;
        enemyLevel = 1;
        messageLog.clear();
        character.inventory.clear();
        enemySlain();
        std::vector<std::string> lines;
        for (const std::string &line : loggedTexts())
            if (line.starts_with("The enemy dropped") || line.starts_with("Item Stats"))
                lines.push_back(line);
        return lines;
    }
};

// Each enemy's drop, given at a draw of 10 and not at 11.
TEST_F(RewardsTest, EveryEnemyDropsItsOwnItemAtTheEdgeOfItsChance) {
    struct Case {
        int32_t area;
        std::string enemy;
        std::vector<std::string> lines;
    };
    const std::string dropped = "The enemy dropped: ";
    // clang-format off
    const Case cases[] = {
        {1, "hawk", {dropped + "Wooden Dagger", "Item Stats: +3 Attk +3 Agil [10 Attk]"}},
        {1, "goblin", {dropped + "Wooden Battleaxe", "Item Stats: +8 Attk [10 Attk]"}},
        {1, "unicorn", {dropped + "Sword of Fortune", "Item Stats: +10 Attk (+2 gold per hit) [10 Attk]"}},
        {1, "pegasus", {dropped + "150 extra gold"}},
        {1, "fairy", {dropped + "Silver Staff", "Item Stats: +15 Mana [20 Mana]"}},
        {1, "jackalope", {dropped + "Stone Club", "Item Stats: +15 Attk [15 Attk]"}},
        {2, "giant rat", {dropped + "Low Health Potion"}},
        {2, "living tree", {dropped + "300 extra gold"}},
        {2, "elf", {dropped + "Poisoned Dagger", "Item Stats: +15 Attk (chance to poison: 4 damage/4 rounds) [25 Attk]"}},
        {2, "troll", {dropped + "Iron Battleaxe", "Item Stats: +23 Attk -5 Agil [20 Attk]"}},
        {2, "owl", {dropped + "Chain Armor", "Item Stats: +9 Def +6 Agil [20 Def]"}},
        {3, "griffin", {dropped + "Low Mana Potion"}},
        {3, "wyvern", {dropped + "Fire Wand", "Item Stats: +60 Mana (Fire skills burn for +1 round) [45 Mana]"}},
        {3, "cockatrice", {dropped + "Ruby Staff", "Item Stats: +70 Mana [60 Mana]"}},
        {3, "giant", {dropped + "Steel Armor", "Item Stats: +15 Def [20 Def]"}},
        {3, "panther", {dropped + "Steel Dagger", "Item Stats: +35 Attk +11 Agil [40 Attk]"}},
        {3, "rogue", {dropped + "500 extra gold"}},
        {4, "nymph", {dropped + "Orb of Healing", "Item Stats: +45 Mana (restore 2% of max health every round) [45 Mana]"}},
        {4, "siren", {dropped + "Crimson Robes", "Item Stats: +4 Def +35 Mana +10 Agil [55 Mana]"}},
        {4, "thunderbird", {dropped + "Ruby Wand", "Item Stats: +50 Mana +8 Agil [60 Mana]"}},
        {4, "shining essence", {dropped + "High Health Potion"}},
        {4, "leviathan", {dropped + "900 extra gold"}},
        {5, "fire wisp", {dropped + "Frugal Staff", "Item Stats: +30 Mana (50% chance to not use mana) [55 Mana]"}},
        {5, "serpent", {dropped + "Steel Sword", "Item Stats: +50 Attk +4 Def [40 Attk]"}},
        {5, "fire bird", {dropped + "Ruby Wand", "Item Stats: +50 Mana +8 Agil [60 Mana]"}},
        {5, "valkyrie", {dropped + "Flail", "Item Stats: +70 Attk (chance to cause bleeding: 10 damage/3 rounds) [40 Attk]"}},
        {5, "salamander", {dropped + "700 extra gold"}},
        {6, "wraith", {dropped + "High Mana Potion"}},
        {6, "charred golem", {dropped + "Light Sword", "Item Stats: +120 Attk +10 Def +10 Agil [50 Attk]"}},
        {6, "firewyrm", {dropped + "Ethereal Robes", "Item Stats: +11 Def +80 Mana +18 Agil [95 Mana]"}},
        {6, "banshee", {dropped + "1300 extra gold"}},
        {6, "hellhound", {dropped + "Flame Sword", "Item Stats: +90 Attk (chance to burn: 20 damage/2 rounds) [50 Attk]"}},
        {7, "dust devil", {dropped + "Emerald Staff", "Item Stats: +130 Mana [85 Mana]"}},
        {7, "ancient ogre", {dropped + "2000 extra gold"}},
        {7, "zombie", {dropped + "Titanium Sword", "Item Stats: +125 Attk +7 Def [65 Attk]"}},
        {7, "stone titan", {dropped + "Magic Sword", "Item Stats: +40 Mana +30 Attk (restore 5 mana every basic attack) [65 Mana]"}},
        {7, "phoenix", {dropped + "Regeneration Armor", "Item Stats: +10 Def +15 Agil (restore 3% of max health every round) [20 Def]"}},
        // An enemy met outside its own area drops nothing.
        {2, "hawk", {}},
    };
    // clang-format on
    for (const Case &c : cases) {
        EXPECT_EQ(drops(c.area, c.enemy, 10), c.lines) << c.enemy;
        bool gold = !c.lines.empty() && c.lines[0].ends_with("extra gold");
        EXPECT_EQ(character.inventory.size(), c.lines.empty() || gold ? 0u : 1u) << c.enemy;
        EXPECT_EQ(drops(c.area, c.enemy, 11), std::vector<std::string>{}) << c.enemy;
    }
}

// Once the dragon has fallen, a second draw decides, at 20; the dragon's armour splits at 50;
// the boss rolls each of his eleven items at 10.
TEST_F(RewardsTest, LaterDropsTheDragonsArmourAndTheHoard) {
    const std::string scale = "The enemy dropped: Dragon Scale Armor";
    const std::string bone = "The enemy dropped: Dragon Bone Armor";
    character.gameOver = true;
    EXPECT_EQ(drops(8, "dragon", 20),
              (std::vector<std::string>{scale, "Item Stats: +19 Def +13 Agil [45 Def]"}));
    EXPECT_EQ(drops(8, "dragon", 21), std::vector<std::string>{});
    for (int32_t armour : {50, 51}) {
        drawOverride = [armour, draws = 0](int32_t, int32_t) mutable {
            return ++draws == 3 ? armour : 1;
        };
        messageLog.clear();
        character.wilderness = area::dragonLair;
        enemySlain();
        EXPECT_EQ(loggedTexts()[0], armour == 50 ? scale : bone);
    }
    EXPECT_EQ(loggedTexts()[1], "Item Stats: +26 Def [45 Def]");
    EXPECT_EQ(drops(7, "phoenix", 20).size(), 2u);

    EXPECT_EQ(drops(99, secretBossName, 10).size(), 22u);
    EXPECT_EQ(drops(99, secretBossName, 10)[0], "The enemy dropped: Regeneration Armor");
    EXPECT_EQ(drops(99, secretBossName, 10)[20], "The enemy dropped: Sword of Fortune");
    // Only the gate's draws (1) open; every item's draw is 11.
    drawOverride = [draws = 0](int32_t, int32_t) mutable { return ++draws <= 2 ? 1 : 11; };
    character.wilderness = area::secretLair;
    messageLog.clear();
    enemySlain();
    EXPECT_EQ(loggedTexts()[0].substr(0, 12), "You received");

    // The first dragon drops nothing, pays its fixed reward and opens the ending.
    character.gameOver = false;
    EXPECT_EQ(drops(8, "dragon", 1), std::vector<std::string>{});
    EXPECT_TRUE(character.gameOver);
    EXPECT_TRUE(endingActive);
    EXPECT_EQ(character.wilderness, area::village);
}

// Gold is trunc(level ^ 2.6 + 20), xp 15 × level + 10 (doubled below character level 4).
TEST_F(RewardsTest, GoldAndXpPerKill) {
    struct Case {
        std::string enemy;
        int32_t enemyLevel, characterLevel;
        std::string received;
    };
    // clang-format off
    const Case cases[] = {
        {"hawk", 1, 1, "You received 21 gold and 50 xp."},
        {"hawk", 1, 3, "You received 21 gold and 50 xp."},
        {"hawk", 1, 4, "You received 21 gold and 25 xp."},
        {"rogue", 13, 10, "You received 807 gold and 205 xp."},  // 13^2.6 = 787.4
        {"siren", 2, 10, "You received 26 gold and 40 xp."},     // 2^2.6 = 6.06
        {secretBossName, 100, 40, "You received 158509 gold and 1510 xp."},
        {"dragon", 60, 1, "You received 1500 gold and 300 xp."},
    };
    // clang-format on
    for (const Case &c : cases) {
        character.level = c.characterLevel;
        character.gameOver = true;
        character.gold = character.xp = 0;
        drawOverride = [](int32_t, int32_t) { return 100; };
        enemyName = c.enemy;
        enemyLevel = c.enemyLevel;
        messageLog.clear();
        enemySlain();
        ASSERT_FALSE(messageLog.empty());
        EXPECT_EQ(loggedTexts()[0], c.received) << c.enemy << " at " << c.characterLevel;
    }
}

// A level needs 50 × (level + 1) xp; one level per fall, the excess kept; health grows by a
// fifth up to level 14 and by a tenth from 15.
TEST_F(RewardsTest, LevellingUp) {
    struct Case {
        int32_t level, xpBefore, maxHealth;
        std::vector<std::string> log; // after "You received"
        int32_t levelAfter, xpAfter, maxHealthAfter;
    };
    const std::string points = "You earned 1 skill point and 5 stat points.";
    const std::string trainer = "Go to the trainer in the village to use your points.";
    // clang-format off
    const Case cases[] = {
        {1, 0, 100, {"You now have 21 gold and 50/100 xp to level 2."}, 1, 50, 100},
        {1, 49, 100, {"You now have 21 gold and 99/100 xp to level 2."}, 1, 99, 100},
        {1, 50, 100, {"You now have 21 gold and 0/150 xp to level 3.", "You leveled up! 1 -> 2", points, trainer}, 2, 0, 120},
        {1, 90, 100, {"You now have 21 gold and 40/150 xp to level 3.", "You leveled up! 1 -> 2", points, trainer}, 2, 40, 120},
        {1, 500, 100, {"You now have 21 gold and 450/150 xp to level 3.", "You leveled up! 1 -> 2", points, trainer}, 2, 450, 120},
        {14, 725, 999, {"You now have 21 gold and 0/800 xp to level 16.", "You leveled up! 14 -> 15", points, trainer}, 15, 0, 1198},
        {15, 775, 1000, {"You now have 21 gold and 0/850 xp to level 17.", "You leveled up! 15 -> 16", points, trainer}, 16, 0, 1100},
    };
    // clang-format on
    for (const Case &c : cases) {
        character.level = c.level;
        character.xp = c.xpBefore;
        character.maxHealth = c.maxHealth;
        character.gold = character.skillPoints = character.statPoints = 0;
        character.wilderness = area::plains;
        // A level 1 hawk pays 21 gold and 25 xp, 50 below level 4, and drops nothing at 100.
        drawOverride = [](int32_t, int32_t) { return 100; };
        enemyName = "hawk";
        enemyLevel = 1;
        messageLog.clear();
        enemySlain();
        std::vector<std::string> log = loggedTexts();
        log.erase(log.begin());
        EXPECT_EQ(log, c.log) << c.level << " with " << c.xpBefore;
        EXPECT_EQ(character.level, c.levelAfter);
        EXPECT_EQ(character.xp, c.xpAfter);
        EXPECT_EQ(character.maxHealth, c.maxHealthAfter);
        bool rose = c.levelAfter > c.level;
        EXPECT_EQ(character.skillPoints, rose ? 1 : 0);
        EXPECT_EQ(character.statPoints, rose ? 5 : 0);
    }
}

} // namespace
