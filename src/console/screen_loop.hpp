#pragma once
// The screen loop: one pass prints and empties the message log, then calls the eleven
// screens in a fixed order. Screens hand over by setting each other's flags.
#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> messageLog; // shown at the top of the next pass
// The answer to a line that matches no option.
inline const std::string typeAnOption = "Please type in one of the options in purple.";
inline int32_t screenStep = 0; // where the awakening, town crier or ending resumes

inline bool mainMenuActive = true;
inline bool shopActive = false;
inline bool buyActive = false;
inline bool sellActive = false;
inline bool townCrierActive = false;
inline bool equipActive = false;
inline bool potionsActive = false;
inline bool trainerActive = false;
inline bool trainerStatsActive = false;
inline bool trainerSkillsActive = false;
inline bool warriorSkillsActive = false;
inline bool mageSkillsActive = false;
inline bool endingActive = false;
inline bool combatActive = false;
inline bool skillMenuActive = false;
inline bool potionMenuActive = false;
inline bool combatEndedThisPass = false;

// Reads the saved characters, then runs passes until standard input ends (status 0) or
// ten passes in a row in which no screen acted, a fault no screen can leave (status 1). Either way the
// message log is printed last, without clearing the screen. Returns the exit status.
int screenLoop();
// One pass: the screen cleared when clearFirst, the message log, then every screen once.
// True when a screen acted: read a line, played a round or handed over to another screen.
bool runPass(bool clearFirst);
// The flags as at start-up (only the main menu's set), an empty log, screenStep 0.
void resetScreens();
// Restores every subsystem's global state to how the program starts.
void resetGame();
