#pragma once
// The trainer: stat points raise attack, defense, agility or mana by one each; skill
// points raise any of the ten skills a level, every level after the first costing more mana.

inline bool trainerActive = false;       // at the trainer: its front unless a page is on
inline bool trainerStatsActive = false;  // the stat points page is on screen
inline bool trainerSkillsActive = false; // the skill pages are on: the class choice, or a list
inline bool warriorSkillsActive = false; // within the skill pages, the warrior skills' list
inline bool mageSkillsActive = false;    // within the skill pages, the mage skills' list

void trainerScreen();
