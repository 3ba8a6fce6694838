#pragma once
// The equip screen: one weapon and one armour slot. Typing an item's name puts it on
// (swapping out what the slot held), or takes it off when it is the one equipped;
// requirements are checked against the base stats.

inline bool equipActive = false; // the equip screen is on, over the village or an area

void equipScreen();
