#pragma once
// The combat screen and one round of a fight: the basic attack, flight, the stunned
// turn, the damage roll, the enemy's half and the knock-out.
#include <cstdint>

inline bool turnTaken = false;  // a menu action used the round
inline int32_t roundDamage = 0; // damage gathered in the current half-round
inline int32_t hitDamage = 0;   // one hit of a multi-hit attack
inline bool enemyUsedSpecial = false;

void combatScreen();
// An ordinary hit: power rolled 75%..125% less half the defense rolled likewise, at least 1.
int32_t damageRoll(double power, int32_t defense);
// The defense part of damageRoll alone.
int32_t defenseRoll(int32_t defense);
// The two yellow status lines that the combat screen and its menus start with.
void printCombatStatus();
// After the player's action: the enemy's effects tick, then its fall or its turn.
void finishPlayerHalf();
// The enemy's half of the round, with the player's effects and a possible knock-out.
void enemyTurn();
// A won or fled fight: the area is safe, the character saved, the fight over.
void endFightAsWin();
