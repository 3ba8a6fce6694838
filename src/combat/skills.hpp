#pragma once
// The player's ten skills and the combat screen's skill menu.
#include <cstdint>
#include <string>

inline bool skillMenuActive = false; // the fight's skill menu is on, in place of the options

// Drawn by the combat screen while skillMenuActive.
void skillMenu();
// Performs the named skill, pays its mana and finishes the round.
void useSkill(const std::string &command);
