#pragma once
// The eight wilderness areas and the hidden lair (99): an unsafe area starts a fight at
// once; between fights the area offers its paths, equip, potions and another fight.

void wildernessScreen();
