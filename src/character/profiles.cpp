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

bool hasControlCharacter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7f) return true;
        if (byte == 0xc2 && i + 1 < text.size()) {
            auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9f) return true;
        }
    }
    return false;
}
