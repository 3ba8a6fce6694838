#include "frontend/names.hpp"

#include "character/profiles.hpp"

namespace {

constexpr size_t longestName = 32;

// Windows keeps these names for devices, whatever the extension and the case. They are refused
// on every system, like the characters Windows forbids, so that saves move between systems.
bool isDeviceName(const std::string &lower) {
    std::string stem = lower.substr(0, lower.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (const char *device : {"con", "prn", "aux", "nul", "conin$", "conout$"})
        if (stem == device) return true;
    if (!stem.starts_with("com") && !stem.starts_with("lpt")) return false;
    const std::string number = stem.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\u00b9" ||
           number == "\u00b2" || number == "\u00b3";
}

} // namespace

std::string nameRefusal(const std::string &name) {
    if (name.empty()) return "\"Surely you have a name, adventurer?\"";
    if (name.size() > longestName) return "\"That name is far too long for our records.\"";
    if (hasControlCharacter(name) || name.find_first_of("/\\<>:\"|?*") != std::string::npos)
        return "\"I can't write that name down. Please use ordinary letters.\"";
    const std::string lower = lowerCaseName(name);
    if (lower == "." || lower == ".." || lower == "profiles" || isDeviceName(lower))
        return "\"That name is already taken by the village records.\"";
    // The load and delete lists offer "go back" themselves: a character of that name is
    // unreachable.
    if (lower == "go back")
        return "\"There is no going back now, adventurer. What is your real name?\"";
    // Windows drops a trailing dot or blank from a file name.
    if (name.back() == '.' || name.back() == ' ')
        return "\"I can't write down a name that ends with a dot or a blank.\"";
    return "";
}

bool isSafeProfileName(const std::string &entry) {
    return nameRefusal(entry).empty();
}
