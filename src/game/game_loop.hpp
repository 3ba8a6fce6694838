#pragma once
// The screen loop: one pass prints and empties the message log, then calls the eleven
// screens in a fixed order. Screens hand over by setting each other's flags; this is the one
// place that knows them all.

// Reads the saved characters, then runs passes until standard input ends (status 0) or
// ten passes in a row in which no screen acted, a fault no screen can leave (status 1). Either
// way the message log is printed last, without clearing the screen. Returns the exit status.
int screenLoop();
// One pass: the screen cleared when clearFirst, the message log, then every screen once.
// True when a screen acted: read a line, played a round or handed over to another screen.
bool runPass(bool clearFirst);
// Restores every subsystem's global state to how the program starts.
void resetGame();
