#include "character/profiles.hpp"

#include "character/text_file.hpp"
#include "console/output.hpp"

#include <algorithm>
#include <chrono>

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

// False, with the player told, when the list on disk did not change.
bool writeProfiles(const std::vector<std::string> &lines) {
    const FileStatus status = writeTextLines(profilesFile, lines, false);
    if (status == FileStatus::done || status == FileStatus::unsure) return true;
    logLine("The list of characters could not be saved.");
    return false;
}

// Another game stopped while it changes the list (Ctrl-Z, say) would keep this one waiting
// without a word.
void lockList() {
    FileStatus status = lockSaveFolder(std::chrono::seconds(1));
    if (status == FileStatus::busy) {
        printLine("Another window is changing the list of characters; waiting\u2026");
        flushOutput();
        status = lockSaveFolder(std::chrono::milliseconds::max());
    }
    if (status == FileStatus::unguarded) tellSavesUnguarded();
}

} // namespace

void readProfiles() {
    std::vector<std::string> lines;
    // Under the folder's lock: Windows cannot replace a file another game has open, so a
    // game reading the list would make a save of it fail and lose that change.
    lockList();
    readTextLines(profilesFile, lines);
    unlockSaveFolder();
    listProfiles(lines);
}

void addProfile(const std::string &name) {
    lockList();
    std::vector<std::string> lines;
    const FileStatus status = readTextLines(profilesFile, lines);
    // A list read only in part would lose every name after the break: it is never rewritten.
    const bool readable = status == FileStatus::done || status == FileStatus::missing;
    if (readable) {
        // "Élodie" and "élodie" are one file on Windows: the newer name replaces the older.
        std::erase_if(lines, [&](const std::string &line) { return sameFileName(line, name); });
        lines.push_back(name);
    }
    // Listed here only once on disk, so that the next save tries again.
    if (readable && !writeProfiles(lines)) std::erase(lines, name);
    unlockSaveFolder();
    if (!readable) {
        logLine("The list of characters could not be read, so " + name + " was not added to it.");
        // This window lists it all the same, so that its every save does not ask again.
        lines = profiles;
        std::erase(lines, name);
        lines.push_back(name);
    }
    listProfiles(lines);
}

void tellSavesUnguarded() {
    if (savesUnguardedTold) return;
    savesUnguardedTold = true;
    logLine("Saves in this folder cannot be protected against a second window.");
}

void removeProfile(const std::string &name) {
    lockList();
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
        if (byte < 0x80) continue;
        // A byte outside a whole UTF-8 character is shown raw: 0x9B alone starts a control
        // sequence on an 8-bit terminal.
        const size_t length = byte >= 0xc2 && byte <= 0xdf   ? 2
                              : byte >= 0xe0 && byte <= 0xef ? 3
                              : byte >= 0xf0 && byte <= 0xf4 ? 4
                                                             : 0;
        if (length == 0 || i + length > text.size()) return true;
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if (next < 0x80 || next > 0xbf) return true;
        }
        if (byte == 0xc2 && static_cast<unsigned char>(text[i + 1]) <= 0x9f) return true;
        i += length - 1;
    }
    return false;
}

void resetProfiles() {
    profiles.clear();
    profilesEmpty = false;
    profileName.clear();
    savesUnguardedTold = false;
}
