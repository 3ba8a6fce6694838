#pragma once
// The front end: the main menu, the awakening that makes a character, the ending.

void mainMenuScreen();  // while mainMenuActive
void awakeningScreen(); // while level is 0 and the main menu is not shown
void endingScreen();    // while endingActive
