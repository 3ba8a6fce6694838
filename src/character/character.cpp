#include "character/character.hpp"

namespace {

void setStartingManaCosts() {
    for (const SkillFields &skill : skillFields)
        character.*skill.cost = skill.startingCost;
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
    character.level = 1;
    character.skillPoints = 1;
    character.currentHealth = 150;
    character.maxHealth = 150;
    character.attack = 25;
    character.defense = 12;
    character.agility = 8;
    character.currentMana = 10;
    character.maxMana = 10;
    setStartingManaCosts();
}

void startMage() {
    character.level = 1;
    character.skillPoints = 2;
    character.currentHealth = 100;
    character.maxHealth = 100;
    character.attack = 15;
    character.defense = 5;
    character.agility = 25;
    character.currentMana = 45;
    character.maxMana = 45;
    setStartingManaCosts();
}
