#include "items/shop.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/screen_loop.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

// The shop prints its own stat and requirement texts: the dragon armours show 40 here
// although equipping them needs 45.
struct ShopRow {
    int32_t category;
    std::string_view typedName;
    std::string_view stats;
    std::string_view requirementBox;
    int32_t price;
    int32_t id;
};

// clang-format off
const std::array<ShopRow, 33> priceList{{
    {1, "wooden sword", "+5 Attk +1 Def", "[10 Attk]", 100, 1},
    {1, "iron sword", "+15 Attk +2 Def", "[20 Attk]", 500, 2},
    {1, "steel sword", "+50 Attk +4 Def", "[40 Attk]", 2000, 3},
    {1, "titanium sword", "+125 Attk +7 Def", "[65 Attk]", 9500, 4},
    {2, "wooden battleaxe", "+8 Attk", "[10 Attk]", 150, 5},
    {2, "iron battleaxe", "+23 Attk", "[20 Attk]", 650, 6},
    {2, "steel battleaxe", "+70 Attk", "[40 Attk]", 3500, 7},
    {2, "titanium battleaxe", "+150 Attk", "[65 Attk]", 11000, 8},
    {3, "wooden dagger", "+3 Attk +3 Agil", "[10 Attk]", 70, 9},
    {3, "iron dagger", "+9 Attk +6 Agil", "[20 Attk]", 350, 10},
    {3, "steel dagger", "+35 Attk +11 Agil", "[40 Attk]", 1500, 11},
    {3, "titanium dagger", "+95 Attk +15 Agil", "[65 Attk]", 8000, 12},
    {4, "silver wand", "+10 Mana +2 Agil", "[20 Mana]", 90, 13},
    {4, "gold wand", "+30 Mana +4 Agil", "[40 Mana]", 500, 14},
    {4, "ruby wand", "+50 Mana +8 Agil", "[60 Mana]", 2300, 15},
    {4, "emerald wand", "+90 Mana +13 Agil", "[85 Mana]", 8000, 16},
    {5, "silver staff", "+15 Mana", "[20 Mana]", 130, 17},
    {5, "gold staff", "+45 Mana", "[40 Mana]", 600, 18},
    {5, "ruby staff", "+70 Mana", "[60 Mana]", 2700, 19},
    {5, "emerald staff", "+130 Mana", "[85 Mana]", 9500, 20},
    {6, "leather armor", "+2 Def +3 Agil", "[10 Def]", 120, 21},
    {6, "chain armor", "+9 Def +6 Agil", "[20 Def]", 1500, 22},
    {6, "dragon scale armor", "+19 Def +13 Agil", "[40 Def]", 8000, 23},
    {6, "iron armor", "+4 Def", "[10 Def]", 170, 24},
    {6, "steel armor", "+15 Def", "[20 Def]", 1900, 25},
    {6, "dragon bone armor", "+26 Def", "[40 Def]", 9500, 26},
    {7, "cloth robes", "+1 Def +10 Mana +6 Agil", "[25 Mana]", 150, 27},
    {7, "crimson robes", "+4 Def +35 Mana +10 Agil", "[55 Mana]", 2700, 28},
    {7, "ethereal robes", "+11 Def +80 Mana +18 Agil", "[95 Mana]", 9000, 29},
    {8, "low health potion", "50 Health", "", 50, 30},
    {8, "high health potion", "300 Health", "", 1000, 31},
    {8, "low mana potion", "40 Mana", "", 100, 32},
    {8, "high mana potion", "250 Mana", "", 1000, 33},
}};
// clang-format on

constexpr std::array<std::string_view, 8> categoryNames{
    "swords", "battleaxes", "daggers", "wands", "staffs", "armor", "robes", "potions"};
constexpr std::array<std::string_view, 8> categoryTitles{
    "SHOP>Buy>Swords", "SHOP>Buy>Battleaxes", "SHOP>Buy>Daggers", "SHOP>Buy>Wands",
    "SHOP>Buy>Staffs", "SHOP>Buy>Armor",      "SHOP>Buy>Robes",   "SHOP>Buy>Potions"};

const std::string notSold = "\"I'm sorry, I don't sell any of those.\"";
const std::string typeAnOption = "Please type in one of the options in purple.";

void printGoldLine() {
    setColour("yellow");
    printLine("You have " + toText(character.gold) + " gold.");
}

void shopFront() {
    printGoldLine();
    printEmptyLine();
    setColour("white");
    printLine("SHOP");
    printEmptyLine();
    printLine("\"Welcome to my shop.");
    printLine("The items for sale are color coded as follows:");
    printShopRow("Item Name", "Item Stats", "[Requirements to Equip]", "Price");
    printLine("If the requirements are met, that box will turn green.");
    printLine("Note: All transactions are final.\"");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    printLine("buy");
    printLine("sell");
    printLine("exit");
    printEmptyLine();
    setColour("green");
    readLine();
    printEmptyLine();
    setColour("white");

    if (inputLine == "buy") {
        buyActive = true;
    } else if (inputLine == "sell") {
        sellActive = true;
    } else if (inputLine == "exit") {
        shopActive = false;
    } else {
        messageLog.push_back(typeAnOption);
    }
}

void categoryMenu() {
    printGoldLine();
    printEmptyLine();
    setColour("white");
    printLine("SHOP>Buy");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    for (std::string_view name : categoryNames)
        printLine(name);
    printLine("go back");
    printEmptyLine();
    setColour("green");
    readLine();
    printEmptyLine();
    setColour("white");

    for (size_t i = 0; i < categoryNames.size(); ++i) {
        if (inputLine == categoryNames[i]) {
            shopCategory = static_cast<int32_t>(i) + 1;
            return;
        }
    }
    if (inputLine == "go back") {
        buyActive = false;
        return;
    }
    messageLog.push_back(notSold);
    messageLog.push_back(typeAnOption);
}

void buyItem(const ShopRow &row) {
    if (character.gold < row.price) {
        messageLog.push_back("You don't have enough gold.");
        return;
    }
    character.gold -= row.price;
    character.inventory.push_back(row.id);
    messageLog.push_back("You purchased: " + std::string(itemById(row.id).displayName));
    saveCharacter();
}

void categoryPage() {
    printGoldLine();
    setColour("white");
    printEmptyLine();
    printLine(categoryTitles[static_cast<size_t>(shopCategory - 1)]);
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    for (const ShopRow &row : priceList) {
        if (row.category == shopCategory)
            printShopRow(row.typedName, row.stats, row.requirementBox, toText(row.price) + "G");
    }
    setColour("purple");
    printLine("go back");
    setColour("green");
    printEmptyLine();
    readLine();
    printEmptyLine();
    setColour("white");

    for (const ShopRow &row : priceList) {
        if (row.category == shopCategory && inputLine == row.typedName) {
            buyItem(row);
            return;
        }
    }
    if (inputLine == "go back") {
        shopCategory = 0;
        return;
    }
    messageLog.push_back(notSold);
    messageLog.push_back(typeAnOption);
}

void sellItem(size_t position) {
    const ItemListingEntry &entry = itemListing[position];
    character.gold = saturatingAdd(character.gold, readNumber(entry.sellPrice).value_or(0));
    messageLog.push_back("You sold: " + entry.displayName);
    character.inventory.erase(character.inventory.begin() + static_cast<std::ptrdiff_t>(position));
    saveCharacter();
}

void sellPage() {
    printGoldLine();
    setColour("white");
    printEmptyLine();
    printLine("SHOP>Sell");
    printEmptyLine();
    printLine("Your options:");
    itemListing.clear();
    if (character.inventory.empty()) printLine("You have nothing in your inventory.");
    for (int32_t id : character.inventory)
        listItem(id, true, true, false, false);
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    setColour("green");
    readLine();
    setColour("white");
    printEmptyLine();

    if (inputLine == "go back") {
        sellActive = false;
        return;
    }
    for (size_t i = 0; i < itemListing.size(); ++i) {
        // An id the catalogue does not know lists with no name; an empty line must not sell it.
        if (!itemListing[i].typedName.empty() && inputLine == itemListing[i].typedName) {
            sellItem(i);
            return;
        }
    }
    messageLog.push_back("\"You don't have any of those to sell.\"");
    messageLog.push_back(typeAnOption);
}

} // namespace

void shopScreen() {
    if (!shopActive) return;
    if (buyActive) {
        if (shopCategory >= 1 && shopCategory <= 8) {
            categoryPage();
        } else {
            categoryMenu();
        }
    } else if (sellActive) {
        sellPage();
    } else {
        shopFront();
    }
}
