#pragma once
// The folder the saves live in: the working directory or the player's data folder, as the
// build chose, or one the player names.
#include <filesystem>
#include <optional>
#include <string>

// Where the saves go when the player names no folder, as the build's KELMARCH_SAVE_FOLDER
// chose: empty for the working directory, else the player's data folder; nothing when that
// folder is wanted but the system names none.
std::optional<std::filesystem::path> builtInSaveFolder();

// Creates folder with any missing parents (new folders private to the player) and makes it the
// working directory, so the character files and profiles.txt are written there.
// Empty when it worked, otherwise why not, in a few words.
std::string enterSaveFolder(const std::filesystem::path &folder);
