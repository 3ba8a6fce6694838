#pragma once
// The village hub: shop, hospital (a free full recovery), town crier, equip, trainer and
// the road west to the plains; typing "dovik's lair" leads straight to the secret boss.

void villageScreen();
// The yellow "You have H/M health and C/E mana left." line and the empty line after it.
void printHealthAndMana();
