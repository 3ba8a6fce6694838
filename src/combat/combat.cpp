#include "combat/combat.hpp"

void combatScreen() {}

int32_t damageRoll(double, int32_t) { return 1; }

int32_t defenseRoll(int32_t) { return 0; }

void printCombatStatus() {}

void finishPlayerHalf() {}

void enemyTurn() {}

void endFightAsWin() {}
