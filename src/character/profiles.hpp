#pragma once
// The list of saved characters, kept in profiles.txt, one lower-case name a line.
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> profiles;
inline bool profilesEmpty = false; // once true, stays true for the run
inline std::string profileName;    // the playing character's file stem

// No list read yet, no character being played.
void resetProfiles();
// Lists the names of profiles.txt; a damaged list reads as empty.
void readProfiles();
// Both change the list on disk under the save folder's lock, on top of what other games
// wrote since, and then list the result: a name goes to the end, or leaves the list.
void addProfile(const std::string &name);
void removeProfile(const std::string &name);
// The name with A to Z made lower case, nothing else changed.
std::string lowerCaseName(const std::string &name);
// True when the text holds a byte that would steer the terminal instead of showing: a C0
// control, DEL, or a C1 control in UTF-8 (C2 80 to C2 9F).
bool hasControlCharacter(std::string_view text);
