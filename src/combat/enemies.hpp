#pragma once
// The enemy of the current fight and the roster it is drawn from.
#include <cstdint>
#include <string>

inline std::string enemyName;
inline int32_t enemyLevel = 0;
inline int32_t enemyHealth = 0;
inline int32_t enemyAttack = 0;
inline int32_t enemyDefense = 0;
inline int32_t enemyAgility = 0;

inline const std::string secretBossName = "Dovik Vel'karr";
// The phoenix starts with it and its rebirth brings it back to it.
constexpr int32_t phoenixHealth = 1500;

// Clears the last fight's effects and menus, picks the enemy of the current area,
// announces it and, half of the time, lets it strike first.
void generateEnemy();
