#pragma once
// The list of saved characters, kept in profiles.txt, one lower-case name a line.
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> profiles;
inline bool profilesEmpty = false;      // once true, stays true for the run
inline std::string profileName;         // the playing character's file stem
inline bool savesUnguardedTold = false; // the player heard that the folder keeps no locks

// No list read yet, no character being played.
void resetProfiles();
// Lists the names of profiles.txt; a damaged list reads as empty.
void readProfiles();
// Both change the list on disk under the save folder's lock, on top of what other games
// wrote since, and then list the result: a name goes to the end, or leaves the list. A list
// that cannot be read whole is left as it is, and the player told.
void addProfile(const std::string &name);
void removeProfile(const std::string &name);
// Tells the player, once a run, that the folder's file system keeps no second game out.
void tellSavesUnguarded();
// The name with A to Z made lower case, nothing else changed.
std::string lowerCaseName(const std::string &name);
// True when the text holds a byte that would steer the terminal instead of showing: a C0
// control, DEL, a C1 control in UTF-8 (C2 80 to C2 9F), or any byte that is no part of a
// whole UTF-8 character.
bool hasControlCharacter(std::string_view text);
