#include "character/character.hpp"

namespace {

void setStartingManaCosts() {
    for (const SkillFields &skill : skillFields)
        character.*skill.cost = skill.startingCost;
}

struct ClassStart {
    int32_t skillPoints;
    int32_t health;
    int32_t attack;
    int32_t defense;
    int32_t agility;
    int32_t mana;
};

// A class decides only where a new character starts; the record keeps no class.
void startClass(const ClassStart &start) {
    character.level = 1;
    character.skillPoints = start.skillPoints;
    character.currentHealth = character.maxHealth = start.health;
    character.attack = start.attack;
    character.defense = start.defense;
    character.agility = start.agility;
    character.currentMana = character.maxMana = start.mana;
    setStartingManaCosts();
}

} // namespace

bool isKnownArea(int32_t wilderness) {
    return (wilderness >= area::village && wilderness <= area::dragonLair) ||
           wilderness == area::secretLair;
}

bool isItemId(int32_t id) {
    return id >= 1 && id <= lastItemId;
}

void resetCharacter() {
    character = Character{};
}

void startWarrior() {
    startClass(
        {.skillPoints = 1, .health = 150, .attack = 25, .defense = 12, .agility = 8, .mana = 10});
}

void startMage() {
    startClass(
        {.skillPoints = 2, .health = 100, .attack = 15, .defense = 5, .agility = 25, .mana = 45});
}
