#include "character/profiles.hpp"

#include "character/text_file.hpp"
#include "console/screen_loop.hpp"

namespace {
const std::string profilesFile = "profiles.txt";
}

void readProfiles() {
    profiles = readTextLines(profilesFile);
    if (profiles.empty()) profilesEmpty = true;
}

void writeProfiles() {
    if (!writeTextLines(profilesFile, profiles))
        messageLog.push_back("The list of characters could not be saved.");
}

std::string lowerCaseName(const std::string &name) {
    std::string lower = name;
    for (char &c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}
