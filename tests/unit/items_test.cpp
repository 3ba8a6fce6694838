#include "character/character.hpp"
#include "items/catalogue.hpp"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

// The lists show every bonus an item gives, so an item never gives more than it says: each
// row's bonuses are exactly the "+N Attk" words of its stats.
TEST(Items, EveryBonusIsOneTheListsShow) {
    for (int32_t id = 1; id <= lastItemId; ++id) {
        std::map<std::string, int32_t> shown;
        std::istringstream words(statsText(id));
        std::string amount, stat;
        while (words >> amount >> stat)
            shown[stat] = std::stoi(amount);
        const Item &item = itemById(id);
        EXPECT_EQ(item.attackBonus, shown["Attk"]) << item.typedName;
        EXPECT_EQ(item.defenseBonus, shown["Def"]) << item.typedName;
        EXPECT_EQ(item.agilityBonus, shown["Agil"]) << item.typedName;
        EXPECT_EQ(item.manaBonus, shown["Mana"]) << item.typedName;
        EXPECT_EQ(shown.size(), 4u) << item.typedName << ": a word that is no bonus";
    }
}
