#pragma once
// The village hub: shop, hospital (a free full recovery), town crier, equip, trainer and
// the road west to the plains; typing "dovik's lair" leads straight to the secret boss.

void villageScreen();
