#pragma once
// The folder the saves live in: the working directory, or one the player names.
#include <string>

// Creates dir with any missing parents (new folders private to the player) and makes it the
// working directory, so the character files and profiles.txt are written there.
// Empty when it worked, otherwise why not, in a few words.
std::string enterSaveFolder(const std::string &dir);
