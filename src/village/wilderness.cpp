#include "village/wilderness.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "combat/enemies.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/screen_loop.hpp"
#include "items/catalogue.hpp"

#include <string_view>

namespace {

bool areaShown() {
    return character.wilderness > 0 && !combatActive && !equipActive && !potionsActive &&
           !combatEndedThisPass;
}

std::string_view areaHeading(int32_t area) {
    switch (area) {
    case 1:
        return "PLAINS";
    case 2:
        return "FOREST";
    case 3:
        return "DENSE FOREST";
    case 4:
        return "CRYSTAL LAKE";
    case 5:
        return "LAVA LAKE";
    case 6:
        return "BURNT FIELD";
    case 7:
        return "ASH MOUNTAIN";
    case 8:
        return "DRAGON LAIR";
    default:
        return ""; // the hidden lair has no heading
    }
}

void printPaths(int32_t area) {
    switch (area) {
    case 1:
        printOption("forest [f]", "level 5+ area (north)");
        printOption("village [v]", "peaceful starting area (east)");
        break;
    case 2:
        printOption("dense forest [d]", "level 8+ area (north)");
        printOption("plains [p]", "level 1+ area (south)");
        break;
    case 3:
        printOption("lava lake [l]", "level 10+ area (east)");
        printOption("crystal lake [c]", "level 11+ area -optional- (west)");
        printOption("forest [f]", "level 5+ area (south)");
        break;
    case 4:
        printOption("dense forest [d]", "level 8+ area (east)");
        break;
    case 5:
        printOption("burnt field [b]", "level 13+ area (north)");
        printOption("dense forest [d]", "level 8+ area (west)");
        break;
    case 6:
        printOption("dragon lair [d]", "level 14+ area -boss- (north)");
        printOption("ash mountain [a]", "level 17+ area -optional- (east)");
        printOption("lava lake [l]", "level 10+ area (south)");
        break;
    case 7:
        printOption("burnt field [b]", "level 13+ area (west)");
        break;
    case 8:
        printOption("burnt field [b]", "level 13+ area (south)");
        break;
    default:
        break;
    }
}

void printArea() {
    int32_t area = character.wilderness;
    setColour("white");
    std::string_view heading = areaHeading(area);
    if (!heading.empty()) printLine(heading);
    printEmptyLine();
    printHealthAndMana();
    setColour("white");
    printLine("Your options:");
    printEmptyLine();
    printPaths(area);
    printOption("equip [e]", "put on armor or equip weapons");
    printOption("potions [p]", "drink potions");
    printOption("stay [s]", "fight another enemy");
    printEmptyLine();
}

bool typed(std::string_view word, std::string_view letter) {
    return inputLine == word || inputLine == letter;
}

bool standsIn(std::initializer_list<int32_t> areas) {
    for (int32_t area : areas)
        if (character.wilderness == area) return true;
    return false;
}

// The area this line leads to from where the character stands; 0 when it names no path here.
int32_t pathTaken() {
    if (typed("forest", "f") && standsIn({1, 3})) return 2;
    if (typed("plains", "p") && standsIn({2})) return 1;
    if (typed("dense forest", "d") && standsIn({2, 4, 5})) return 3;
    if (typed("crystal lake", "c") && standsIn({3})) return 4;
    if (typed("lava lake", "l") && standsIn({3, 6})) return 5;
    if (typed("burnt field", "b") && standsIn({5, 7, 8})) return 6;
    if (typed("ash mountain", "a") && standsIn({6})) return 7;
    if (typed("dragon lair", "d") && standsIn({6})) return 8;
    return 0;
}

} // namespace

void wildernessScreen() {
    if (!areaShown()) return;
    if (!character.safeArea) {
        combatActive = true;
        generateEnemy();
        return;
    }
    printArea();
    setColour("green");
    readLine();

    if (int32_t destination = pathTaken(); destination > 0) {
        character.wilderness = destination;
        character.safeArea = false;
        saveCharacter();
    } else if (typed("village", "v")) {
        character.wilderness = 0; // safeArea stays: it means nothing in the village
        saveCharacter();
    } else if (typed("equip", "e")) {
        equipActive = true;
    } else if (typed("potions", "p")) {
        potionsActive = true;
    } else if (typed("stay", "s")) {
        character.safeArea = false;
        saveCharacter();
    } else {
        messageLog.push_back("Please type in one of the options in purple.");
    }
}
