#pragma once
// The four potions: the potions screen of the wilderness and the potion menu of a fight.
#include <array>
#include <cstdint>

inline bool potionsActive = false;    // an area's potions screen is on
inline bool potionMenuActive = false; // the fight's potion menu is on, in place of the options
inline std::array<int32_t, 4> potionSlot{-1, -1, -1, -1}; // first inventory index per kind
inline std::array<int32_t, 4> potionCount{};

void potionsScreen();
// Drawn by the combat screen while potionMenuActive.
void potionMenu();
