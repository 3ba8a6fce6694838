#include "village/town_crier.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "frontend/screens.hpp"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

struct RareLocation {
    std::string_view name;
    int32_t price;
    std::string_view line; // shown once bought
};

// In the order of the character's revealed flags.
// clang-format off
const std::array<RareLocation, revealedCount> rareLocations{{
    {"sword of fortune", 75, "Sword of Fortune: Unicorn - Plains"},
    {"stone club", 100, "Stone Club: Jackalope - Plains"},
    {"poisoned dagger", 150, "Poisoned Dagger: Elf - Forest"},
    {"fire wand", 300, "Fire Wand: Wyvern - Dense Forest"},
    {"orb of healing", 1000, "Orb of Healing: Nymph - Crystal Lake"},
    {"frugal staff", 1400, "Frugal Staff: Fire Wisp - Lava Lake"},
    {"flail", 1700, "Flail: Valkyrie - Lava Lake"},
    {"light sword", 2000, "Light Sword: Valkyrie - Burnt Field"},
    {"flame sword", 2800, "Flame Sword: Hellhound - Lava Lake"},
    {"magic sword", 3400, "Magic Sword: Stone Titan - Ash Mountain"},
    {"regen armor", 4000, "Regen Armor: Phoenix - Ash Mountain"},
}};
// clang-format on

const auto legendKeywords = std::to_array<std::string_view>(
    {"dovik vel'karr", "dovik", "dovik velkarr", "dovo", "drixy", "pipkinpal", "velkarr", "dd",
     "dv", "lantern forge lad", "lfl"});

// The next pass skips the topic list and acts on this keyword as if it had been typed there.
void showAgain(std::string_view keyword) {
    screenStep = 1;
    inputLine = keyword;
}

void printTopicList() {
    setColour("white");
    printLine("TOWN CRIER");
    printEmptyLine();
    printLine("\"Greetings, " + character.name + ".");
    printLine("If you need help, I am here to answer questions.");
    printLine("What would you like to know more about?\"");
    printEmptyLine();
    setColour("purple");
    for (std::string_view topic :
         {"stats", "warrior skills", "mage skills", "enemies", "levels and xp", "rare items",
          "rare item stats", "rare item locations", "other", "dovik vel'karr", "exit"})
        printLine(topic);
    printEmptyLine();
}

// Every page but the locations shares this frame; anything but "go back" shows it again.
void textPage(std::string_view heading, std::initializer_list<std::string_view> lines,
              const std::string &topic) {
    printLine(heading);
    printEmptyLine();
    for (std::string_view line : lines)
        printLine(line);
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readAnswer();

    if (inputLine == "go back") return;
    showAgain(topic);
    logLine(typeAnOption);
}

void buyLocation(size_t index) {
    const RareLocation &location = rareLocations[index];
    if (character.revealed[index]) {
        logLine("You already know about that information.");
    } else if (character.gold < location.price) {
        logLine("You don't have enough money.");
    } else {
        character.gold -= location.price;
        character.revealed[index] = true;
        logLine("Knowledge unlocked.");
        saveCharacter();
    }
}

void rareItemLocationsPage() {
    setColour("yellow");
    printLine("You have " + toText(character.gold) + " gold.");
    setColour("white");
    printEmptyLine();
    printLine("TOWN CRIER>Rare Item Locations");
    printEmptyLine();
    printLine("\"For a price, I will tell you where to find these rare items.");
    printLine("Just type in the name of an item.\"");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    for (size_t i = 0; i < rareLocations.size(); ++i) {
        if (character.revealed[i])
            printLine(rareLocations[i].line);
        else
            printOption(rareLocations[i].name, toText(rareLocations[i].price) + "G");
    }
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readAnswer();

    // A known location's name is still heard, though its option is gone.
    for (size_t i = 0; i < rareLocations.size(); ++i) {
        if (inputLine == rareLocations[i].name) {
            buyLocation(i);
            showAgain("rare item locations");
            return;
        }
    }
    if (inputLine == "go back") return;
    showAgain("rare item locations");
    logLine(typeAnOption);
}

bool isLegendKeyword(const std::string &line) {
    for (std::string_view keyword : legendKeywords)
        if (line == keyword) return true;
    return false;
}

} // namespace

// The pages on the rules of play; false when the topic names none of them.
bool rulesPage(const std::string &topic) {
    if (topic == "stats") {
        textPage("TOWN CRIER>Stats",
                 {"Health: life points, if your health reaches 0 you get knocked out",
                  "Attack: the amount of damage you do with your basic attacks (+/-25%)",
                  "Defense: the amount of damage that is blocked (+/-25% & 2 Def = 1 Damage)",
                  "Agility: chance to dodge or flee (150 Agil = 100% dodge chance)",
                  "Mana: the energy that is used when performing skills"},
                 topic);
    } else if (topic == "warrior skills") {
        textPage("TOWN CRIER>Warrior Skills",
                 {"Skills cost more mana every time you increase a skill level.",
                  "Each level in the following skills increases damage dealt by 20%.",
                  "Whirlwind: attack plus 10% chance to stun (+10% chance per level)",
                  "Stab: attack that cannot miss",
                  "Blades: 2-3 attacks at 50% damage (+1 possible hit per level)",
                  "Slice: 2 attacks that can do between 30%-150% damage each",
                  "Gouge: attack and 10% bleeding damage for 3 rounds"},
                 topic);
    } else if (topic == "mage skills") {
        textPage("TOWN CRIER>Mage Skills",
                 {"Skills cost more mana every time you increase a skill level.",
                  "Bolt: 20 damage (+20 damage per level)",
                  "Stun: stuns enemy for 2 rounds (+.5 max rounds per level)",
                  "Fire: 10 dmg & 5 fire dmg for 2 rounds (+10 dmg & +2 fire dmg per level)",
                  "Heal: recovers 40 health (+50 health per level)",
                  "Poison: 6 poison damage for 4 rounds (+4 damage per level)"},
                 topic);
    } else if (topic == "enemies") {
        textPage("TOWN CRIER>Enemies",
                 {"Each area outside of the village has several enemies to fight.",
                  "Upon entering the area, you are automatically attacked.",
                  "Many of the enemies have special attacks similar to your skills.",
                  character.gameOver
                      ? "When you kill an enemy you get gold, xp, and possibly an item (20%)."
                      : "When you kill an enemy you get gold, xp, and possibly an item (10%).",
                  "The stronger the enemy, the more gold and xp you will earn.",
                  "In the description for each area is a suggested level to enter.",
                  "Enter each new area at your own risk."},
                 topic);
    } else if (topic == "levels and xp") {
        textPage("TOWN CRIER>Levels and Xp",
                 {"You earn experience (xp) by killing enemies.",
                  "The stronger the enemy, the more xp you will earn.",
                  "Once you get enough xp, you will level up.",
                  "Each time you level up, you will earn 1 skill point and 5 stat points.",
                  "Your health also increases when you level up."},
                 topic);
    } else {
        return false;
    }
    return true;
}

// The pages on the rare items; false when the topic names none of them.
bool rareItemPage(const std::string &topic) {
    if (topic == "rare items") {
        textPage("TOWN CRIER>Rare Items",
                 {"There are 11 items that can only be found outside of the village.",
                  "Certain enemies will drop these items when you kill them.",
                  "These rare items can be sold but you cannot buy them from the shop.",
                  "Most of the rare items have special properties and abilities.",
                  "The farther you get from the village, the better items you will find."},
                 topic);
    } else if (topic == "rare item stats") {
        // The crier's own words: four of these requirements are 5 below what equipping asks.
        textPage("TOWN CRIER>Rare Item Stats",
                 {"Sword of Fortune: +10 Attk (+2 gold per hit) [10 Attk]",
                  "Stone Club: +15 Attk [15 Attk]",
                  "Poisoned Dagger: +15 Attk (30% chance to poison: 4 damage/4 rounds) [25 Attk]",
                  "Fire Wand: +60 Mana (Fire skills burn for +1 round) [40 Mana]",
                  "Orb of Healing: +45 Mana (restore 2% of max health every round) [40 Mana]",
                  "Frugal Staff: +30 Mana (50% chance to not use mana) [50 Mana]",
                  "Flail: +70 Attk (30% chance to cause bleeding: 10 damage/3 rounds) [40 Attk]",
                  "Light Sword: +120 Attk +10 Def +10 Agil [50 Attk]",
                  "Flame Sword: +90 Attk (30% chance to burn: 20 damage/2 rounds) [50 Attk]",
                  "Magic Sword: +40 Mana +30 Attk (restore 5 mana every basic attack) [60 Mana]",
                  "Regen Armor: +10 Def +15 Agil (restore 3% of max health every round) [20 Def]"},
                 topic);
    } else if (topic == "rare item locations") {
        rareItemLocationsPage();
    } else {
        return false;
    }
    return true;
}

void townCrierScreen() {
    if (!townCrierActive) return;
    if (screenStep >= 1) {
        screenStep = 0; // a page asked to be shown again: inputLine holds its keyword
    } else {
        printTopicList();
        readAnswer();
        clearScreen();
        setColour("white");
    }
    const std::string topic = inputLine; // a page reads its own line into inputLine
    if (rulesPage(topic) || rareItemPage(topic)) return;

    if (topic == "other") {
        textPage("TOWN CRIER>Other",
                 {"Fire, poison, and bleeding damage is not affected by armor.",
                  "If the enemy is stunned, they cannot dodge you and it's easier to flee.",
                  "It's easier to flee if your agility is higher than the enemy.",
                  "Some skills may not be as effective against some enemies.",
                  "Every attack that doesn't miss will do at least 1 damage.",
                  "A mage can use warrior skills and vice versa."},
                 topic);
    } else if (isLegendKeyword(topic)) {
        textPage("TOWN CRIER>Dovik Vel'karr",
                 {"\"Legend states that Dovik Vel'karr created this land where we live.",
                  "He had a dream to create a magical place and he called it Orvanis.",
                  "Dovik had created many things before Orvanis and will create many more.",
                  "He was known as LFL. Lantern Forge Lad is what people called him.",
                  "I know I wouldn't be here if it wasn't for the mighty Dovik Vel'karr.\""},
                 topic);
    } else if (topic == "exit") {
        townCrierActive = false;
    } else {
        logLine("\"I'm sorry, I don't know anything about that.\"");
    }
}
