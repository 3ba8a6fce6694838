#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "items/catalogue.hpp"
#include "items/equip.hpp"
#include "items/shop.hpp"

#include <limits>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Ids = std::vector<int32_t>;
const std::string typeAnOption = "Please type in one of the options in purple.";
const std::string notSold = "\"I'm sorry, I don't sell any of those.\"";
const std::string notOwned = "\"You don't have any of those to sell.\"";

class ShopTest : public GameTest {
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

TEST_F(ShopTest, RefusesLinesThatNameNothingOnThisPage) {
    for (auto [category, line] : std::vector<std::pair<int32_t, std::string>>{
             {1, "iron armor"}, {1, "Wooden Sword"}, {1, "wooden sword "}, {0, "sword"}}) {
        shopActive = buyActive = true;
        shopCategory = category;
        character.gold = 1000;
        run(shopScreen, {line});
        EXPECT_EQ(messageLog, (Log{notSold, typeAnOption})) << line;
        EXPECT_EQ(shopCategory, category);
    }
    buyActive = false;
    run(shopScreen, {"s"}); // the front knows no shortcuts
    EXPECT_EQ(messageLog, Log{typeAnOption});
    EXPECT_TRUE(character.inventory.empty());
}

TEST_F(ShopTest, WalksFromTheFrontThroughTheCategoriesAndOut) {
    shopActive = true;
    character.defense = 40;
    run(shopScreen, {"buy", "armor"});
    takeOutput();
    colourEnabled = true;
    run(shopScreen, {"go back"});
    colourEnabled = false;
    // The box reads its own 40, though equipping the armour needs 45.
    EXPECT_NE(takeOutput().find("\x1b[92m [40 Def]\x1b[93m 8000G"), std::string::npos);
    run(shopScreen, {"potions"});
    takeOutput();
    run(shopScreen, {"go back"});
    EXPECT_EQ(takeOutput(), "You have 0 gold.\n\nSHOP>Buy>Potions\n\nYour options:\n\n"
                            "low health potion 50 Health 50G\nhigh health potion 300 Health 1000G\n"
                            "low mana potion 40 Mana 100G\nhigh mana potion 250 Mana 1000G\n"
                            "go back\n\n\n");
    run(shopScreen, {"go back", "sell", "go back", "exit"});
    EXPECT_FALSE(shopActive || buyActive || sellActive);
    EXPECT_TRUE(messageLog.empty());
}

TEST_F(ShopTest, SellsTheFirstCopyAndSaturatesTheGold) {
    shopActive = sellActive = true;
    character.inventory = {2, 30, 2};
    character.gold = std::numeric_limits<int32_t>::max() - 10;
    run(shopScreen, {"iron sword", "wooden sword"});
    EXPECT_EQ(messageLog, (Log{"You sold: Iron Sword", notOwned, typeAnOption}));
    EXPECT_EQ(character.inventory, (Ids{30, 2}));
    EXPECT_TRUE(savedWith("Gold:2147483647"));
    run(shopScreen, {"iron sword", "low health potion", ""});
    EXPECT_EQ(messageLog,
              (Log{"You sold: Iron Sword", "You sold: Low Health Potion", notOwned, typeAnOption}));
    EXPECT_EQ(character.gold, std::numeric_limits<int32_t>::max());
    EXPECT_NE(takeOutput().find("Your options:\nYou have nothing in your inventory.\ngo back\n"),
              std::string::npos);
}

TEST_F(ShopTest, EquipsAtTheRequirementAndRefusesOneBelow) {
    struct Case {
        int32_t id;
        std::string name;
        int32_t Character::*stat;
        int32_t requirement;
        std::string word;
    };
    for (const Case &c : {Case{1, "wooden sword", &Character::attack, 10, "attack"},
                          Case{17, "silver staff", &Character::maxMana, 20, "mana"},
                          Case{26, "dragon bone armor", &Character::defense, 45, "defense"},
                          Case{27, "cloth robes", &Character::maxMana, 25, "mana"}}) {
        resetCharacter();
        equipActive = true;
        character.inventory = {c.id};
        character.*c.stat = c.requirement - 1;
        weaponAttack = weaponDefense = weaponMana = 100; // bonuses never count
        run(equipScreen, {c.name});
        EXPECT_EQ(messageLog,
                  Log{"You don't have the required " + c.word + " level to equip this item."});
        character.*c.stat = c.requirement;
        run(equipScreen, {c.name});
        EXPECT_TRUE(character.inventory.empty()) << c.name;
        EXPECT_EQ(c.id > 20 ? character.armor : character.weapon, c.id);
    }
    EXPECT_EQ(armorDefense + armorMana + armorAgility, 1 + 10 + 6);
    EXPECT_TRUE(savedWith("Armor:27"));
}

TEST_F(ShopTest, SwapsAndUnequipsToTheEndOfTheInventory) {
    equipActive = true;
    character.attack = 40;
    character.inventory = {3, 30, 2};
    character.weapon = 2;
    setWeaponBonuses(2);
    run(equipScreen, {"steel sword"});
    EXPECT_EQ(character.inventory, (Ids{30, 2, 2}));
    EXPECT_EQ(weaponAttack + weaponDefense, 50 + 4);
    // Off, on again, swap back; then the inventory copy is found first, but it names
    // the equipped weapon, so off that comes.
    run(equipScreen, {"steel sword", "steel sword", "iron sword", "iron sword"});
    EXPECT_EQ(character.weapon, 0);
    EXPECT_EQ(character.inventory, (Ids{30, 2, 3, 2}));
    EXPECT_EQ(weaponAttack, 0);
    EXPECT_TRUE(messageLog.empty());
    EXPECT_FALSE(savedWith("Weapon:2"));
}

TEST_F(ShopTest, TakingOffAManaItemLowersManaButPuttingItOnNeverRaisesIt) {
    equipActive = true;
    character.maxMana = 80;
    character.currentMana = 100;
    character.weapon = 18;
    setWeaponBonuses(18);
    run(equipScreen, {"gold staff"});
    EXPECT_EQ(character.currentMana, 80);
    run(equipScreen, {"gold staff"});
    EXPECT_EQ(character.weapon, 18);
    EXPECT_EQ(character.currentMana, 80);
}

TEST_F(ShopTest, PotionsAreListedNamelessOnTheEquipScreen) {
    equipActive = true;
    run(equipScreen, {""});
    EXPECT_EQ(messageLog, (Log{"You don't have any of those.", typeAnOption}));
    character.inventory = {30, 1};
    run(equipScreen, {"low health potion"});
    EXPECT_EQ(messageLog, (Log{"You don't have any of those.", typeAnOption}));
    EXPECT_FALSE(std::filesystem::exists("tess.txt"));
    takeOutput();
    run(equipScreen, {""}); // matches the potion's blank entry: silent, but saved
    EXPECT_TRUE(messageLog.empty() && savedWith("Inventory:30,1"));
    EXPECT_NE(takeOutput().find("Inventory:\nwooden sword +5 Attk +1 Def [10 Attk]\n"
                                "Equipped Items:\nYou have nothing equipped.\ngo back\n\n"),
              std::string::npos);
}

} // namespace
