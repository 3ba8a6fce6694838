#pragma once
// The character's own file, "<profileName>.txt": one "Key:value" line per field.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> saveLines; // the file's content in memory

void saveCharacter();
// Loads "<profileName>.txt" into the record. False when the file exists but holds no
// playable character; the record is then at its initial values. A missing file gives the
// initial record too, for the awakening to fill.
bool loadCharacter();
// The two halves of saving and loading that do not touch the file. applySaveLines makes
// every value safe for play, and is false when the lines make no playable character.
void buildSaveLines();
bool applySaveLines();

// Blanks, an optional sign and digits, stopping at anything else: " 12abc" reads 12.
// Nothing when no digit comes first or the number does not fit in 32 bits.
std::optional<int32_t> readNumber(std::string_view text);
