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
        resetGame();
        startMage();
        character.name = profileName = "tess";
        character.skillPoints = 3;
        trainerActive = trainerSkillsActive = true;
        (row[1] == "warrior" ? warriorSkillsActive : mageSkillsActive) = true;
        const std::string buy = row[0] + "\n";
        feed(buy + buy + buy + buy + "go back\n");
        trainerScreen();
        const Lines refused{"You don't have any more skill points to use."};
        for (size_t read = 1, level = 1; read <= 4; ++read, level = std::min<size_t>(read, 3)) {
            takeOutput();
            messageLog.clear();
            trainerScreen(); // shows what the line before bought, then reads the next
            // The skill's line: "<skill> - <what it does> <cost> mana (<level>)".
            const std::string shown = takeOutput(), start = "\n" + row[0] + " - ";
            const size_t at = shown.find(start);
            const std::string line = shown.substr(at + 1, shown.find('\n', at + 1) - at - 1);
            EXPECT_TRUE(at != std::string::npos &&
                        line.ends_with(row[1 + level] + " mana (" + std::to_string(level) + ")"))
                << row[0] << " " << level << ": " << line;
            // The fourth point asked for is not there.
            EXPECT_EQ(loggedTexts(), read == 3 ? refused : Lines{}) << row[0];
        }
        EXPECT_EQ(character.skillPoints, 0);
    }
}
