#include "character/profiles.hpp"

#include "character/text_file.hpp"
#include "console/output.hpp"

namespace {

const std::string profilesFile = "profiles.txt";

// Entries that would reach the terminal with control characters stay in the file unlisted.
void listProfiles(const std::vector<std::string> &lines) {
    profiles.clear();
    for (const std::string &line : lines) {
        if (!hasControlCharacter(line)) profiles.push_back(line);
    }
    if (profiles.empty()) profilesEmpty = true;
}

void writeProfiles(const std::vector<std::string> &lines) {
    if (writeTextLines(profilesFile, lines, false) != FileStatus::done)
        logLine("The list of characters could not be saved.");
}

} // namespace

void readProfiles() {
    std::vector<std::string> lines;
    readTextLines(profilesFile, lines);
    listProfiles(lines);
}

void addProfile(const std::string &name) {
    lockSaveFolder();
    std::vector<std::string> lines;
    // A damaged list is replaced: the player has just made a character for it.
    readTextLines(profilesFile, lines);
    std::erase(lines, name);
    lines.push_back(name);
    writeProfiles(lines);
    unlockSaveFolder();
    listProfiles(lines);
}

void removeProfile(const std::string &name) {
    lockSaveFolder();
    std::vector<std::string> lines;
    // A damaged list is never written over to take a name out of it.
    if (readTextLines(profilesFile, lines) == FileStatus::done && std::erase(lines, name) > 0)
        writeProfiles(lines);
    unlockSaveFolder();
    listProfiles(lines);
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

void resetProfiles() {
    profiles.clear();
    profilesEmpty = false;
    profileName.clear();
}
