#include "game_test.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "items/catalogue.hpp"
#include "items/shop.hpp"

#include <string>

using ItemsTest = GameTest;

// The catalogue by id, as the price list and the item descriptions give it: each item's
// name in messages, requirement, bonuses and whether it is worn as armour; each bought with
// exactly its price and refused one gold short; each sold back at its sale price, the rare
// ones included.
TEST_F(ItemsTest, BonusesPricesAndSalePrices) {
    character.name = profileName = "tess";
    character.level = 1;
    shopActive = true;
    auto trade = [&](bool buy, int32_t gold, std::vector<int32_t> inventory, const auto &row) {
        character.gold = gold;
        character.inventory = std::move(inventory);
        buyActive = buy;
        sellActive = !buy;
        shopCategory = std::stoi(row[1]);
        feed(row[0] + "\n");
        shopScreen();
        return std::pair(character.gold, character.inventory);
    };
    using Left = std::pair<int32_t, std::vector<int32_t>>; // gold and inventory after a trade
    const auto rows = table("items.tsv");
    ASSERT_EQ(rows.size(), static_cast<size_t>(lastItemId));
    for (int32_t id = 1; id <= lastItemId; ++id) {
        const auto &row = rows[static_cast<size_t>(id - 1)];
        const Item &item = itemById(id);
        EXPECT_EQ(item.typedName, row[0]) << id;
        EXPECT_EQ(item.isArmor, row[8] == "armor") << row[0];
        EXPECT_EQ(item.displayName, row[9]) << row[0];
        const std::string needs =
            std::string(item.requirementStat) + " " + std::to_string(item.requirement);
        EXPECT_EQ(item.requirementStat.empty() ? "-" : needs, row[10]) << row[0];
        EXPECT_EQ(
            std::vector({item.attackBonus, item.defenseBonus, item.agilityBonus, item.manaBonus}),
            numbers(row, 4, 4))
            << row[0];
        const int32_t price = std::stoi(row[2]);
        if (row[1] != "0") {
            EXPECT_EQ(trade(true, price - 1, {}, row), Left(price - 1, {})) << row[0];
            EXPECT_EQ(trade(true, price, {}, row), Left(0, {id})) << row[0];
        }
        EXPECT_EQ(trade(false, 1, {id}, row), Left(1 + std::stoi(row[3]), {})) << row[0];
    }
}
