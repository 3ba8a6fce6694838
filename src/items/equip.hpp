#pragma once
// The equip screen: putting on, swapping and taking off weapons and armour.

void equipScreen();
