#include "items/shop.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "items/catalogue.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

struct ShopRow {
    int32_t category; // 1 swords .. 8 potions
    int32_t id;
    int32_t price;
};

// clang-format off
constexpr auto priceList = std::to_array<ShopRow>({
    {1, item::woodenSword, 100},
    {1, item::ironSword, 500},
    {1, item::steelSword, 2000},
    {1, item::titaniumSword, 9500},
    {2, item::woodenBattleaxe, 150},
    {2, item::ironBattleaxe, 650},
    {2, item::steelBattleaxe, 3500},
    {2, item::titaniumBattleaxe, 11000},
    {3, item::woodenDagger, 70},
    {3, item::ironDagger, 350},
    {3, item::steelDagger, 1500},
    {3, item::titaniumDagger, 8000},
    {4, item::silverWand, 90},
    {4, item::goldWand, 500},
    {4, item::rubyWand, 2300},
    {4, item::emeraldWand, 8000},
    {5, item::silverStaff, 130},
    {5, item::goldStaff, 600},
    {5, item::rubyStaff, 2700},
    {5, item::emeraldStaff, 9500},
    {6, item::leatherArmor, 120},
    {6, item::chainArmor, 1500},
    {6, item::dragonScaleArmor, 8000},
    {6, item::ironArmor, 170},
    {6, item::steelArmor, 1900},
    {6, item::dragonBoneArmor, 9500},
    {7, item::clothRobes, 150},
    {7, item::crimsonRobes, 2700},
    {7, item::etherealRobes, 9000},
    {8, item::lowHealthPotion, 50},
    {8, item::highHealthPotion, 1000},
    {8, item::lowManaPotion, 100},
    {8, item::highManaPotion, 1000},
});
// clang-format on

// The shop's own requirement texts: the dragon armours show 40 here although equipping them
// needs 45. Every other box is the catalogue's.
std::string shownRequirement(int32_t id) {
    if (id == item::dragonScaleArmor || id == item::dragonBoneArmor) return "[40 Def]";
    return requirementBox(id);
}

// A potion's column says what it restores; every other item's shows its bonuses.
std::string shownStats(int32_t id) {
    if (!isPotion(id)) return statsText(id).substr(1);
    PotionEffect effect = potionEffect(id);
    return toText(effect.amount) + (effect.restoresMana ? " Mana" : " Health");
}

std::string_view typedName(const ShopRow &row) {
    return itemById(row.id).typedName;
}

constexpr auto categoryNames = std::to_array<std::string_view>(
    {"swords", "battleaxes", "daggers", "wands", "staffs", "armor", "robes", "potions"});
constexpr auto categoryTitles = std::to_array<std::string_view>(
    {"SHOP>Buy>Swords", "SHOP>Buy>Battleaxes", "SHOP>Buy>Daggers", "SHOP>Buy>Wands",
     "SHOP>Buy>Staffs", "SHOP>Buy>Armor", "SHOP>Buy>Robes", "SHOP>Buy>Potions"});

const std::string notSold = "\"I'm sorry, I don't sell any of those.\"";
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
    readAnswer();
    printEmptyLine();
    setColour("white");

    if (inputLine == "buy") {
        buyActive = true;
    } else if (inputLine == "sell") {
        sellActive = true;
    } else if (inputLine == "exit") {
        shopActive = false;
    } else {
        logLine(typeAnOption);
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
    readAnswer();
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
    logLine(notSold);
    logLine(typeAnOption);
}

void buyItem(const ShopRow &row) {
    if (character.gold < row.price) {
        logLine("You don't have enough gold.");
        return;
    }
    character.gold -= row.price;
    character.inventory.push_back(row.id);
    logLine("You purchased: " + std::string(itemById(row.id).displayName));
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
            printShopRow(typedName(row), shownStats(row.id), shownRequirement(row.id),
                         toText(row.price) + "G");
    }
    setColour("purple");
    printLine("go back");
    setColour("green");
    printEmptyLine();
    readLine();
    printEmptyLine();
    setColour("white");

    for (const ShopRow &row : priceList) {
        if (row.category == shopCategory && inputLine == typedName(row)) {
            buyItem(row);
            return;
        }
    }
    if (inputLine == "go back") {
        shopCategory = 0;
        return;
    }
    logLine(notSold);
    logLine(typeAnOption);
}

void sellItem(size_t position) {
    const ItemListingEntry &entry = itemListing[position];
    character.gold = saturatingAdd(character.gold, readNumber(entry.sellPrice).value_or(0));
    logLine("You sold: " + entry.displayName);
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
    readAnswer();
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
    logLine("\"You don't have any of those to sell.\"");
    logLine(typeAnOption);
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

void resetShop() {
    shopCategory = 0;
}
