#pragma once
// The character's own file, "<profileName>.txt": one "Key:value" line per field.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> saveLines; // the file's content in memory

void saveCharacter();
void loadCharacter();
// The two halves of saving and loading that do not touch the file.
void buildSaveLines();
void applySaveLines();

// Blanks, an optional sign and digits, stopping at anything else: " 12abc" reads 12.
// Nothing when no digit comes first or the number does not fit in 32 bits.
std::optional<int32_t> readNumber(std::string_view text);
