#pragma once
// The shop: its front, the buying pages by category (prices, refusals) and the selling
// page, where anything in the inventory goes back at its sale price.
#include <cstdint>

inline bool shopActive = false;  // in the shop: its front unless a page is on
inline bool buyActive = false;   // a buying page is on screen, shopCategory's
inline bool sellActive = false;  // the selling page is on screen
inline int32_t shopCategory = 0; // 0 the category menu, 1 swords .. 8 potions

void shopScreen();
void resetShop();
