#pragma once
// The town crier: pages of help on stats, skills, enemies, levels and the rare items, the
// legend of the land, and for gold the whereabouts of each of the eleven rare items.

inline bool townCrierActive = false; // the player is with the town crier

void townCrierScreen();
