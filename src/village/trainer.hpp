#pragma once
// The trainer: stat points raise attack, defense, agility or mana by one each; skill
// points raise any of the ten skills a level, every level after the first costing more mana.

void trainerScreen();
