#pragma once
// The front end: the main menu, the awakening that makes a character, the ending.
#include <cstdint>

inline bool mainMenuActive = true; // the main menu is on screen: no character is played
inline bool endingActive = false;  // the dragon is slain: the ending waits for stay or leave
// Where the awakening, the ending or the town crier resumes, whichever is on screen: 0 from
// its start; 1 the name asked again, the ending's options repeated, or a town crier page
// shown again (its keyword in inputLine); 2 the class asked again.
inline int32_t screenStep = 0;

void mainMenuScreen();  // while mainMenuActive
void awakeningScreen(); // while level is 0 and the main menu is not shown
void endingScreen();    // while endingActive
