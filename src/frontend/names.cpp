#include "frontend/names.hpp"

#include "character/profiles.hpp"

namespace {

constexpr size_t longestName = 32;

} // namespace

std::string nameRefusal(const std::string &name) {
    if (name.empty()) return "\"Surely you have a name, adventurer?\"";
    if (name.size() > longestName) return "\"That name is far too long for our records.\"";
    if (hasControlCharacter(name) || name.find_first_of("/\\") != std::string::npos)
        return "\"I can't write that name down. Please use ordinary letters.\"";
    const std::string lower = lowerCaseName(name);
    if (lower == "." || lower == ".." || lower == "profiles")
        return "\"That name is already taken by the village records.\"";
    // The load and delete lists offer "go back" themselves: a character of that name is
    // unreachable.
    if (lower == "go back")
        return "\"There is no going back now, adventurer. What is your real name?\"";
    return "";
}

bool isSafeProfileName(const std::string &entry) {
    return nameRefusal(entry).empty();
}
