#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "village/trainer.hpp"

#include <algorithm>
#include <string>
#include <vector>

using TrainerTest = GameTest;

// A skill keeps a new character's cost at level 1 and adds its step at each level after;
// with no point left it is refused and nothing changes.
TEST_F(TrainerTest, SkillCostsRiseByTheirStepFromLevelTwo) {
    struct Case {
        std::string skill;
        bool warrior;
        int32_t costs[3]; // at levels 1, 2 and 3
    };
    // clang-format off
    const Case cases[] = {
        {"whirlwind", true, {2, 3, 4}}, {"stab", true, {3, 4, 5}}, {"blades", true, {3, 4, 5}},
        {"slice", true, {2, 3, 4}},     {"gouge", true, {2, 3, 4}},
        {"bolt", false, {5, 9, 13}},    {"stun", false, {7, 12, 17}}, {"fire", false, {6, 9, 12}},
        {"heal", false, {5, 8, 11}},    {"poison", false, {6, 9, 12}},
    };
    // clang-format on
    for (const Case &c : cases) {
        resetGame();
        startMage();
        character.name = profileName = "tess";
        character.skillPoints = 3;
        trainerActive = trainerSkillsActive = true;
        (c.warrior ? warriorSkillsActive : mageSkillsActive) = true;
        feed({c.skill, c.skill, c.skill, c.skill, "go back"});
        trainerScreen();
        for (int32_t level = 1; level <= 4; ++level) {
            takeOutput();
            messageLog.clear();
            trainerScreen(); // shows what the line before bought, then reads the next
            const int32_t shownLevel = std::min(level, 3);
            const std::string output = takeOutput();
            const size_t at = output.find("\n" + c.skill + " - ");
            ASSERT_NE(at, std::string::npos) << c.skill;
            const std::string shown = output.substr(at + 1, output.find('\n', at + 1) - at - 1);
            EXPECT_TRUE(shown.ends_with(std::to_string(c.costs[shownLevel - 1]) + " mana (" +
                                        std::to_string(shownLevel) + ")"))
                << shown;
            // The fourth point asked for is not there.
            const std::vector<std::string> refused{"You don't have any more skill points to use."};
            EXPECT_EQ(loggedTexts(), level == 3 ? refused : std::vector<std::string>{}) << c.skill;
        }
        EXPECT_EQ(character.skillPoints, 0);
    }
}
