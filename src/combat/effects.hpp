#pragma once
// Lingering effects (bleeding, poison, fire, stun) on both sides, and the item powers.
#include <cstdint>

inline int32_t enemyStunRounds = 0;
inline int32_t enemyBleedRounds = 0;
inline int32_t enemyBleedDamage = 0;
inline int32_t enemyPoisonRounds = 0;
inline int32_t enemyPoisonDamage = 0;
inline int32_t enemyFireRounds = 0;
inline int32_t enemyFireDamage = 0;
inline int32_t playerStunRounds = 0;
inline int32_t playerBleedRounds = 0;
inline int32_t playerBleedDamage = 0;
inline int32_t playerPoisonRounds = 0;
inline int32_t playerPoisonDamage = 0;
inline int32_t playerFireRounds = 0;
inline int32_t playerFireDamage = 0;

// The enemy's bleeding, poison and fire: logs each tick and adds it to roundDamage.
void enemyEffectsTick();
// The same for the player's side, inside the enemy's half.
void playerEffectsTick();
// Weapon powers on a landed blow (unless turnOnly), then the per-turn heals.
void itemPowers(bool turnOnly);
