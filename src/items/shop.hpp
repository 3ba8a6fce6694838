#pragma once
// The shop: its front, the buying pages by category and the selling page.
#include <cstdint>

inline int32_t shopCategory = 0; // 0 the category menu, 1 swords .. 8 potions

void shopScreen();
