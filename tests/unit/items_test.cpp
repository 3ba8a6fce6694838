#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "items/catalogue.hpp"
#include "items/shop.hpp"

#include <array>
#include <string>

namespace {

struct Row {
    std::string name;
    int32_t category; // 1 swords .. 8 potions; 0 not sold
    int32_t price, sale, attack, defense, agility, mana;
};

// The catalogue by id, as the price list and the item descriptions give it.
// clang-format off
const std::array<Row, 44> catalogue{{
    {"wooden sword", 1, 100, 50, 5, 1, 0, 0},
    {"iron sword", 1, 500, 250, 15, 2, 0, 0},
    {"steel sword", 1, 2000, 1000, 50, 4, 0, 0},
    {"titanium sword", 1, 9500, 4750, 125, 7, 0, 0},
    {"wooden battleaxe", 2, 150, 75, 8, 0, 0, 0},
    {"iron battleaxe", 2, 650, 325, 23, 0, 0, 0},
    {"steel battleaxe", 2, 3500, 1750, 70, 0, 0, 0},
    {"titanium battleaxe", 2, 11000, 5500, 150, 0, 0, 0},
    {"wooden dagger", 3, 70, 35, 3, 0, 3, 0},
    {"iron dagger", 3, 350, 175, 9, 0, 6, 0},
    {"steel dagger", 3, 1500, 750, 35, 0, 11, 0},
    {"titanium dagger", 3, 8000, 4000, 95, 0, 15, 0},
    {"silver wand", 4, 90, 45, 0, 0, 2, 10},
    {"gold wand", 4, 500, 250, 0, 0, 4, 30},
    {"ruby wand", 4, 2300, 1150, 0, 0, 8, 50},
    {"emerald wand", 4, 8000, 4000, 0, 0, 13, 90},
    {"silver staff", 5, 130, 65, 0, 0, 0, 15},
    {"gold staff", 5, 600, 300, 0, 0, 0, 45},
    {"ruby staff", 5, 2700, 1350, 0, 0, 0, 70},
    {"emerald staff", 5, 9500, 5000, 0, 0, 0, 130},
    {"leather armor", 6, 120, 60, 0, 2, 3, 0},
    {"chain armor", 6, 1500, 750, 0, 9, 6, 0},
    {"dragon scale armor", 6, 8000, 4000, 0, 19, 13, 0},
    {"iron armor", 6, 170, 85, 0, 4, 0, 0},
    {"steel armor", 6, 1900, 950, 0, 15, 0, 0},
    {"dragon bone armor", 6, 9500, 4750, 0, 26, 0, 0},
    {"cloth robes", 7, 150, 75, 0, 1, 6, 10},
    {"crimson robes", 7, 2700, 1350, 0, 4, 10, 35},
    {"ethereal robes", 7, 9000, 4500, 0, 11, 18, 80},
    {"low health potion", 8, 50, 25, 0, 0, 0, 0},
    {"high health potion", 8, 1000, 500, 0, 0, 0, 0},
    {"low mana potion", 8, 100, 50, 0, 0, 0, 0},
    {"high mana potion", 8, 1000, 500, 0, 0, 0, 0},
    {"sword of fortune", 0, 0, 200, 10, 0, 0, 0},
    {"stone club", 0, 0, 100, 15, 0, 0, 0},
    {"poisoned dagger", 0, 0, 400, 15, 0, 0, 0},
    {"fire wand", 0, 0, 650, 0, 0, 0, 60},
    {"orb of healing", 0, 0, 1000, 0, 0, 0, 45},
    {"frugal staff", 0, 0, 1500, 0, 0, 0, 30},
    {"flail", 0, 0, 1250, 70, 0, 0, 0},
    {"light sword", 0, 0, 2000, 120, 10, 10, 0},
    {"flame sword", 0, 0, 1750, 90, 0, 0, 0},
    {"magic sword", 0, 0, 3000, 30, 0, 0, 40},
    {"regeneration armor", 0, 0, 3500, 0, 10, 15, 0},
}};
// clang-format on

class ItemsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        character.name = profileName = "tess";
        character.level = 1;
        shopActive = true;
    }
};

TEST_F(ItemsTest, EveryItemGivesItsOwnBonuses) {
    for (int32_t id = 1; id <= lastItemId; ++id) {
        const Row &row = catalogue[static_cast<size_t>(id - 1)];
        const Item &item = itemById(id);
        EXPECT_EQ(item.typedName, row.name) << id;
        EXPECT_EQ(item.attackBonus, row.attack) << row.name;
        EXPECT_EQ(item.defenseBonus, row.defense) << row.name;
        EXPECT_EQ(item.agilityBonus, row.agility) << row.name;
        EXPECT_EQ(item.manaBonus, row.mana) << row.name;
    }
}

// Each item is bought with exactly its price and refused one gold short; each sells back
// at its sale price, the rare ones included.
TEST_F(ItemsTest, ShopPricesAndSalePrices) {
    for (int32_t id = 1; id <= lastItemId; ++id) {
        const Row &row = catalogue[static_cast<size_t>(id - 1)];
        if (row.category != 0) {
            for (int32_t gold : {row.price - 1, row.price}) {
                character.inventory.clear();
                character.gold = gold;
                buyActive = true;
                sellActive = false;
                shopCategory = row.category;
                feed({row.name});
                shopScreen();
                bool bought = gold == row.price;
                EXPECT_EQ(character.gold, bought ? 0 : gold) << row.name;
                EXPECT_EQ(character.inventory, bought ? std::vector<int32_t>{id}
                                                      : std::vector<int32_t>{})
                    << row.name;
            }
        }
        character.inventory = {id};
        character.gold = 1;
        buyActive = false;
        sellActive = true;
        feed({row.name});
        shopScreen();
        EXPECT_EQ(character.gold, 1 + row.sale) << row.name;
        EXPECT_TRUE(character.inventory.empty()) << row.name;
    }
}

} // namespace
