#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "items/catalogue.hpp"
#include "items/equip.hpp"

#include <vector>

namespace {

using Ids = std::vector<int32_t>;

class EquipTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        mainMenuActive = false;
        profileName = "tess";
    }
    // Runs the screen once per line, with a fresh log.
    void run(void (*screen)(), std::initializer_list<std::string> lines) {
        messageLog.clear();
        feed(lines);
        for (size_t i = 0; i < lines.size(); ++i)
            screen();
    }
    bool savedWith(const std::string &line) {
        return readFile("tess.txt").find(line + "\n") != std::string::npos;
    }
};

TEST_F(EquipTest, SwapsAndUnequipsToTheEndOfTheInventory) {
    equipActive = true;
    character.attack = 40;
    character.inventory = {3, 30, 2};
    character.weapon = 2;
    run(equipScreen, {"steel sword"});
    EXPECT_EQ(character.inventory, (Ids{30, 2, 2}));
    EXPECT_EQ(effectiveAttack(), 40 + 50);
    EXPECT_EQ(effectiveDefense(), 4);
    // Off, on again, swap back; then the inventory copy is found first, but it names
    // the equipped weapon, so off that comes.
    run(equipScreen, {"steel sword", "steel sword", "iron sword", "iron sword"});
    EXPECT_EQ(character.weapon, 0);
    EXPECT_EQ(character.inventory, (Ids{30, 2, 3, 2}));
    EXPECT_EQ(effectiveAttack(), 40);
    EXPECT_TRUE(messageLog.empty());
    EXPECT_FALSE(savedWith("Weapon:2"));
}

TEST_F(EquipTest, TakingOffAManaItemLowersManaButPuttingItOnNeverRaisesIt) {
    equipActive = true;
    character.maxMana = 80;
    character.currentMana = 100;
    character.weapon = 18;
    run(equipScreen, {"gold staff"});
    EXPECT_EQ(character.currentMana, 80);
    run(equipScreen, {"gold staff"});
    EXPECT_EQ(character.weapon, 18);
    EXPECT_EQ(character.currentMana, 80);
}

} // namespace
