#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "village/trainer.hpp"

#include <algorithm>
#include <string>

using TrainerTest = GameTest;

// A skill keeps a new character's cost at level 1 and adds its step at each level after;
// with no point left it is refused and nothing changes.
TEST_F(TrainerTest, SkillCostsRiseByTheirStepFromLevelTwo) {
    for (const auto &row : table("skill_costs.tsv")) {
        const std::string &skill = row[0];
        resetGame();
        startMage();
        character.name = profileName = "tess";
        character.skillPoints = 3;
        trainerActive = trainerSkillsActive = true;
        (row[1] == "warrior" ? warriorSkillsActive : mageSkillsActive) = true;
        feed({skill, skill, skill, skill, "go back"});
        trainerScreen();
        for (int32_t level = 1; level <= 4; ++level) {
            takeOutput();
            messageLog.clear();
            trainerScreen(); // shows what the line before bought, then reads the next
            const int32_t shownLevel = std::min(level, 3);
            const std::string output = takeOutput();
            const size_t at = output.find("\n" + skill + " - ");
            ASSERT_NE(at, std::string::npos) << skill;
            const std::string shown = output.substr(at + 1, output.find('\n', at + 1) - at - 1);
            EXPECT_TRUE(shown.ends_with(row[1 + static_cast<size_t>(shownLevel)] + " mana (" +
                                        std::to_string(shownLevel) + ")"))
                << shown;
            // The fourth point asked for is not there.
            const std::vector<std::string> refused{"You don't have any more skill points to use."};
            EXPECT_EQ(loggedTexts(), level == 3 ? refused : std::vector<std::string>{}) << skill;
        }
        EXPECT_EQ(character.skillPoints, 0);
    }
}
