#include "combat/potions.hpp"

void potionsScreen() {}

void potionMenu() {}
