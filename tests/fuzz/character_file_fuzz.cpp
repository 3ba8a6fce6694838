// Fuzzes the character-file loader: any bytes must load or be refused without a crash or
// undefined behaviour, and whatever loads must survive a save and a second load unchanged,
// also when the saved file comes back with Windows line endings and a byte-order mark.
#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/text_file.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    saveLines = splitLines(std::string_view(reinterpret_cast<const char *>(data), size));
    resetCharacter();
    if (!applySaveLines()) return 0;
    buildSaveLines();
    const std::vector<std::string> saved = saveLines;
    std::string edited = "\xEF\xBB\xBF";
    for (const std::string &line : saved)
        edited += line + "\r\n";
    saveLines = splitLines(edited);
    if (saveLines != saved) std::abort();

    resetCharacter();
    if (!applySaveLines()) std::abort();
    const Character once = character;
    buildSaveLines();
    resetCharacter();
    if (!applySaveLines() || !(character == once)) std::abort();
    return 0;
}
