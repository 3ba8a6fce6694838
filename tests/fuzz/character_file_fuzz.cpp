// Fuzzes the character-file loader: any bytes must load or be refused without a crash or
// undefined behaviour, and whatever loads must survive a save and a second load unchanged.
#include "character/character.hpp"
#include "character/character_file.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string text(reinterpret_cast<const char *>(data), size);
    saveLines.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        saveLines.push_back(text.substr(start, end - start));
        start = end + 1;
    }

    resetCharacter();
    if (!applySaveLines()) return 0;
    buildSaveLines();
    resetCharacter();
    if (!applySaveLines()) std::abort();
    const Character once = character;
    buildSaveLines();
    resetCharacter();
    if (!applySaveLines() || !(character == once)) std::abort();
    return 0;
}
