#include "frontend/names.hpp"

#include "character/profiles.hpp"

namespace {

constexpr size_t longestName = 32;

bool hasControlCharacter(const std::string &name) {
    for (char c : name) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) return true;
    }
    return false;
}

} // namespace

std::string nameRefusal(const std::string &name) {
    if (name.empty()) return "\"Surely you have a name, adventurer?\"";
    if (name.size() > longestName) return "\"That name is far too long for our records.\"";
    if (hasControlCharacter(name) || name.find_first_of("/\\") != std::string::npos)
        return "\"I can't write that name down. Please use ordinary letters.\"";
    const std::string lower = lowerCaseName(name);
    if (lower == "." || lower == ".." || lower == "profiles")
        return "\"That name is already taken by the village records.\"";
    return "";
}

bool isSafeProfileName(const std::string &entry) {
    return nameRefusal(entry).empty();
}
