#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "village/trainer.hpp"

#include <vector>

namespace {

using Log = std::vector<std::string>;
const std::string typeAnOption = "Please type in one of the options in purple.";
const std::string noStatPoints = "You don't have any more stat points to use.";
const std::string noSkillPoints = "You don't have any more skill points to use.";

class TrainerTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        mainMenuActive = false;
        profileName = "tess";
        startWarrior();
        trainerActive = true;
    }
    // Runs the trainer once per line, with a fresh log.
    void run(std::initializer_list<std::string> lines) {
        messageLog.clear();
        feed(lines);
        for (size_t i = 0; i < lines.size(); ++i)
            trainerScreen();
    }
    bool savedWith(const std::string &line) {
        return readFile("tess.txt").find(line + "\n") != std::string::npos;
    }
};

TEST_F(TrainerTest, RefusalsDependOnThePointsLeft) {
    struct Case {
        bool stats;
        int32_t points;
        std::string line;
        std::string message;
    };
    for (const Case &c : std::vector<Case>{{true, 0, "attack", noStatPoints},
                                           {true, 0, "hello", noStatPoints},
                                           {true, 3, "Attack", typeAnOption},
                                           {true, 3, "exit", typeAnOption},
                                           {false, 0, "stab", noSkillPoints},
                                           {false, 2, "Stab", typeAnOption},
                                           {false, 2, "bolt", typeAnOption}}) {
        startWarrior();
        trainerStatsActive = c.stats;
        trainerSkillsActive = warriorSkillsActive = !c.stats;
        character.statPoints = character.skillPoints = c.points;
        Character before = character;
        run({c.line});
        EXPECT_EQ(messageLog, Log{c.message}) << c.line;
        EXPECT_EQ(character, before) << c.line;
        EXPECT_FALSE(std::filesystem::exists("tess.txt"));
    }
}

TEST_F(TrainerTest, EveryLevelAfterTheFirstRaisesTheManaCostByTheSkillsStep) {
    trainerSkillsActive = mageSkillsActive = true;
    character.skillPoints = 5;
    run({"bolt"});
    EXPECT_EQ(character.bolt, 1);
    EXPECT_EQ(character.boltMana, 5);
    run({"bolt", "stun", "stun", "poison", "poison"});
    EXPECT_EQ(character.bolt, 2);
    EXPECT_EQ(character.boltMana, 9);
    EXPECT_EQ(character.stunMana, 12);  // 7, then +5 at level 2
    EXPECT_EQ(character.poisonMana, 6); // one point was left for it
    EXPECT_EQ(messageLog, Log{noSkillPoints});
    EXPECT_TRUE(savedWith("Bolt:2") && savedWith("Bolt Mana:9") && savedWith("Skill Points:0"));

    takeOutput();
    character.skillPoints = 3;
    warriorSkillsActive = true;
    mageSkillsActive = false;
    character.whirlwind = 1;
    run({"whirlwind", "whirlwind", "whirlwind"});
    EXPECT_EQ(character.whirlwindMana, 5);
    run({"go back"});
    EXPECT_NE(takeOutput().find("TRAINER>Skills>Warrior\n\nYou have 0 skill point(s).\n\n"
                                "The number in the parenthesis is the skill's current level.\n\n"
                                "Your options:\n\n"
                                "whirlwind - attack and chance to stun - 5 mana (4)\n"
                                "stab - attack that cannot miss - 3 mana (0)\n"
                                "blades - several continuous attacks at 50% damage - 3 mana (0)\n"
                                "slice - two attacks with large damage range - 2 mana (0)\n"
                                "gouge - attack and bleeding damage for 3 rounds - 2 mana (0)\n"
                                "go back\n\n"),
              std::string::npos);
    EXPECT_FALSE(warriorSkillsActive);
    EXPECT_TRUE(trainerSkillsActive);
}

TEST_F(TrainerTest, TheDeepestOpenPageDrawsAndChoicesMoveDownTheTree) {
    run({"skills", "mage"});
    EXPECT_TRUE(trainerSkillsActive && mageSkillsActive);
    std::string out = takeOutput();
    EXPECT_TRUE(out.starts_with("TRAINER\n\nYou have 1 skill point(s) and 0 stat point(s).\n\n"
                                "\"Here you can level up your stats and learn new skills.\n"));
    EXPECT_NE(out.find("skills - special attacks and magic spells\n"
                       "stats - attack, defense, agility, mana\nexit\n\nTRAINER>Skills\n"),
              std::string::npos);
    EXPECT_NE(out.find("For more detailed information, talk to the town crier.\"\n\n"
                       "Your options:\n\nwarrior\nmage\ngo back\n\n"),
              std::string::npos);

    trainerStatsActive = true; // the stats page wins over an open skills page
    run({"go back", "go back", "go back", "exit"});
    EXPECT_FALSE(trainerActive || trainerStatsActive || trainerSkillsActive || mageSkillsActive);
    EXPECT_TRUE(messageLog.empty());
}

} // namespace
