#include "game_test.hpp"

#include "character/character.hpp"
#include "items/catalogue.hpp"

using CatalogueTest = GameTest;

TEST_F(CatalogueTest, EquipListingColoursTheRequirementByBaseStat) {
    colourEnabled = true;
    character.attack = 10;
    listItem(1, true, false, true, true);
    character.attack = 9;
    character.weapon = item::titaniumBattleaxe; // equipment never counts toward a requirement
    listItem(1, true, false, true, true);
    colourEnabled = false;
    EXPECT_EQ(takeOutput(),
              "\x1b[95mwooden sword\x1b[96m +5 Attk +1 Def\x1b[92m [10 Attk]\n\x1b[97m"
              "\x1b[95mwooden sword\x1b[96m +5 Attk +1 Def\x1b[91m [10 Attk]\n\x1b[97m");
}

TEST_F(CatalogueTest, ShopRowBoxesReadTheirOwnNumber) {
    colourEnabled = true;
    character.defense = 42;
    printShopRow("dragon scale armor", "+19 Def +13 Agil", "[40 Def]", "8000G");
    printShopRow("Item Name", "Item Stats", "[Requirements to Equip]", "Price");
    printShopRow("low health potion", "50 Health", "", "50G");
    printShopRow("Item Name", "Item Stats", "[Requirements to Equip]", "null");
    colourEnabled = false;
    EXPECT_EQ(
        takeOutput(),
        "\x1b[95mdragon scale armor\x1b[96m +19 Def +13 Agil\x1b[92m [40 Def]\x1b[93m "
        "8000G\n\x1b[97m"
        "\x1b[95mItem Name\x1b[96m Item Stats\x1b[91m [Requirements to Equip]\x1b[93m "
        "Price\n\x1b[97m"
        "\x1b[95mlow health potion\x1b[96m 50 Health\x1b[93m 50G\n\x1b[97m"
        "\x1b[95mItem Name\x1b[96m Item Stats\x1b[91m [Requirements to Equip]\x1b[93m\n\x1b[97m");
}
