#pragma once
// The combat screen and one round of a fight: the basic attack, flight, the stunned
// turn, the damage roll, the enemy's half and the knock-out.
#include <cstdint>

inline bool combatActive = false; // a fight is under way
// A fight ended in this pass: the area shows again only in the next one.
inline bool combatEndedThisPass = false;
inline int32_t roundDamage = 0; // damage gathered in the current half-round
inline bool enemyUsedSpecial = false;
inline uint64_t roundsPlayed = 0; // rounds so far, to tell a pass that played one from an idle one

void combatScreen();
// No enemy, no effects on either side, no round under way.
void resetFight();
// Dodging is a draw in [1, 150] below the dodger's agility (150 agility dodges 149 times in
// 150). Each turn the dodger is still stunned adds 200 to the draw, so a stunned side cannot
// dodge unless its agility is above 201.
// The player's blow: whether the enemy dodges it, counting these rounds of its stun.
bool enemyDodges(int32_t stunRounds);
// The enemy's blow: whether the player, with this agility, evades it.
bool playerEvades(int32_t agility);
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
