#include "character/character.hpp"

#include "items/catalogue.hpp"

namespace {

// Both classes start with the same mana costs.
void setStartingManaCosts() {
    character.whirlwindMana = 2;
    character.stabMana = 3;
    character.bladesMana = 3;
    character.sliceMana = 2;
    character.gougeMana = 2;
    character.boltMana = 5;
    character.stunMana = 7;
    character.fireMana = 6;
    character.healMana = 5;
    character.poisonMana = 6;
}

} // namespace

void resetCharacter() {
    character = Character{};
    clearWeaponBonuses();
    clearArmorBonuses();
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
