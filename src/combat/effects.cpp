#include "combat/effects.hpp"

void enemyEffectsTick() {}

void playerEffectsTick() {}

void itemPowers(bool) {}
