#pragma once
// The character's own file, "<profileName>.txt": one "Key:value" line per field.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> saveLines; // the file's content in memory

void resetCharacterFile();
// Writes the record to "<profileName>.txt" and claims the file for this game, listing the
// character if it is not; false (with "Your progress could not be saved." logged) when it
// could not be written.
bool saveCharacter();
// Reads "<profileName>.txt" into the record, starting from its initial values. False, with
// the record left at them, when the file exists but holds no playable character (not a
// regular file, over 1 MiB, unreadable, or refused by applySaveLines). A missing file
// loads nothing and is no failure: the awakening makes the character.
bool loadCharacter();
// Keeps "<stem>.txt" for this game while it plays it; false when another running game does,
// or has made the file since this game claimed the name while it was free.
bool claimCharacter(const std::string &stem);
void releaseCharacter();
void deleteCharacterFile(const std::string &stem);
// Anything named "<stem>.txt" in the save folder, listed or not.
bool characterFileExists(const std::string &stem);
// The two halves of saving and loading that do not touch the file. applySaveLines makes
// every value safe for play, and is false when the lines make no playable character.
void buildSaveLines();
bool applySaveLines();

// Blanks, an optional sign and digits, stopping at anything else: " 12abc" reads 12.
// Nothing when no digit comes first or the number does not fit in 32 bits.
std::optional<int32_t> readNumber(std::string_view text);
