#include "village/wilderness.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "combat/combat.hpp"
#include "combat/enemies.hpp"
#include "combat/potions.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "items/catalogue.hpp"
#include "items/equip.hpp"

#include <optional>
#include <string_view>

namespace {

bool areaShown() {
    return character.wilderness > 0 && !combatActive && !equipActive && !potionsActive &&
           !combatEndedThisPass;
}

std::string_view areaHeading(int32_t area) {
    switch (area) {
    case area::plains:
        return "PLAINS";
    case area::forest:
        return "FOREST";
    case area::denseForest:
        return "DENSE FOREST";
    case area::crystalLake:
        return "CRYSTAL LAKE";
    case area::lavaLake:
        return "LAVA LAKE";
    case area::burntField:
        return "BURNT FIELD";
    case area::ashMountain:
        return "ASH MOUNTAIN";
    case area::dragonLair:
        return "DRAGON LAIR";
    default:
        return ""; // the hidden lair has no heading
    }
}

void printPaths(int32_t area) {
    switch (area) {
    case area::plains:
        printOption("forest [f]", "level 5+ area (north)");
        printOption("village [v]", "peaceful starting area (east)");
        break;
    case area::forest:
        printOption("dense forest [d]", "level 8+ area (north)");
        printOption("plains [p]", "level 1+ area (south)");
        break;
    case area::denseForest:
        printOption("lava lake [l]", "level 10+ area (east)");
        printOption("crystal lake [c]", "level 11+ area -optional- (west)");
        printOption("forest [f]", "level 5+ area (south)");
        break;
    case area::crystalLake:
        printOption("dense forest [d]", "level 8+ area (east)");
        break;
    case area::lavaLake:
        printOption("burnt field [b]", "level 13+ area (north)");
        printOption("dense forest [d]", "level 8+ area (west)");
        break;
    case area::burntField:
        printOption("dragon lair [d]", "level 14+ area -boss- (north)");
        printOption("ash mountain [a]", "level 17+ area -optional- (east)");
        printOption("lava lake [l]", "level 10+ area (south)");
        break;
    case area::ashMountain:
        printOption("burnt field [b]", "level 13+ area (west)");
        break;
    case area::dragonLair:
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
    // In the forest "p" takes the path to the plains: the potions are typed in full there.
    printOption(area == area::forest ? "potions" : "potions [p]", "drink potions");
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

// The area this line leads to from where the character stands, if it names a path here.
std::optional<int32_t> pathTaken() {
    using namespace area;
    if (typed("forest", "f") && standsIn({plains, denseForest})) return forest;
    if (typed("plains", "p") && standsIn({forest})) return plains;
    if (typed("dense forest", "d") && standsIn({forest, crystalLake, lavaLake})) return denseForest;
    if (typed("crystal lake", "c") && standsIn({denseForest})) return crystalLake;
    if (typed("lava lake", "l") && standsIn({denseForest, burntField})) return lavaLake;
    if (typed("burnt field", "b") && standsIn({lavaLake, ashMountain, dragonLair}))
        return burntField;
    if (typed("ash mountain", "a") && standsIn({burntField})) return ashMountain;
    if (typed("dragon lair", "d") && standsIn({burntField})) return dragonLair;
    return std::nullopt;
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
    readAnswer();

    if (std::optional<int32_t> destination = pathTaken()) {
        character.wilderness = *destination;
        character.safeArea = false;
        saveCharacter();
    } else if (typed("village", "v")) {
        // Accepted in every area, though only the plains list it. safeArea stays: it means
        // nothing in the village.
        character.wilderness = area::village;
        saveCharacter();
    } else if (typed("equip", "e")) {
        equipActive = true;
    } else if (typed("potions", "p")) {
        potionsActive = true;
    } else if (typed("stay", "s")) {
        character.safeArea = false;
        saveCharacter();
    } else {
        logLine(typeAnOption);
    }
}
