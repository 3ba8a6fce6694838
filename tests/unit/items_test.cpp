#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "items/catalogue.hpp"
#include "items/shop.hpp"

#include <string>

using ItemsTest = GameTest;

// The catalogue by id, as the price list and the item descriptions give it: each item's
// bonuses; each bought with exactly its price and refused one gold short; each sold back at
// its sale price, the rare ones included.
TEST_F(ItemsTest, BonusesPricesAndSalePrices) {
    character.name = profileName = "tess";
    character.level = 1;
    shopActive = true;
    const auto rows = table("items.tsv");
    ASSERT_EQ(rows.size(), static_cast<size_t>(lastItemId));
    for (int32_t id = 1; id <= lastItemId; ++id) {
        const auto &row = rows[static_cast<size_t>(id - 1)];
        const Item &item = itemById(id);
        EXPECT_EQ(item.typedName, row[0]) << id;
        EXPECT_EQ(
            std::vector({item.attackBonus, item.defenseBonus, item.agilityBonus, item.manaBonus}),
            std::vector(
                {std::stoi(row[4]), std::stoi(row[5]), std::stoi(row[6]), std::stoi(row[7])}))
            << row[0];
        const int32_t category = std::stoi(row[1]), price = std::stoi(row[2]);
        for (int32_t gold : {price - 1, price}) {
            if (category == 0) break;
            character.inventory.clear();
            character.gold = gold;
            buyActive = true;
            sellActive = false;
            shopCategory = category;
            feed(row[0] + "\n");
            shopScreen();
            const bool bought = gold == price;
            EXPECT_EQ(character.gold, bought ? 0 : gold) << row[0];
            EXPECT_EQ(character.inventory, bought ? std::vector{id} : std::vector<int32_t>{})
                << row[0];
        }
        character.inventory = {id};
        character.gold = 1;
        buyActive = false;
        sellActive = true;
        feed(row[0] + "\n");
        shopScreen();
        EXPECT_EQ(character.gold, 1 + std::stoi(row[3])) << row[0];
        EXPECT_TRUE(character.inventory.empty()) << row[0];
    }
}
