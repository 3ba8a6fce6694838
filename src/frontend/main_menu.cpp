#include "frontend/screens.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/version.hpp"
#include "frontend/names.hpp"
#include "items/catalogue.hpp"

#include <algorithm>

namespace {

void printProfileChoices() {
    setColour("purple");
    for (const std::string &entry : profiles)
        printLine(entry);
    printLine("go back");
    printEmptyLine();
}

void loadList() {
    clearScreen();
    setColour("white");
    printLine("LOAD CHARACTER");
    printEmptyLine();
    printLine("Which character would you like to load?");
    printEmptyLine();
    printProfileChoices();
    readAnswer();
    // A hand-edited entry that is no safe file stem is listed but never opened.
    if (std::find(profiles.begin(), profiles.end(), inputLine) != profiles.end() &&
        isSafeProfileName(inputLine)) {
        if (!claimCharacter(inputLine)) {
            logLine("That character is being played in another window.");
            return;
        }
        profileName = inputLine;
        if (!loadCharacter()) {
            logLine("Your character could not be read.");
            return;
        }
        capMana();
        clearScreen();
        mainMenuActive = false;
        printLine("Welcome back " + character.name + ".");
        printEmptyLine();
        return;
    }
    if (inputLine != "go back") logLine(typeAnOption);
}

void deleteCharacter(const std::string &name) {
    // Only a safe entry names a file of ours in the working directory.
    const bool ownFile = isSafeProfileName(name);
    if (ownFile && !claimCharacter(name)) {
        logLine("That character is being played in another window.");
        return;
    }
    // The name leaves the list before the file goes, so the list never names a lost file.
    removeProfile(name);
    logLine("The character " + name + " has been deleted.");
    if (ownFile) deleteCharacterFile(name);
}

void deleteList() {
    clearScreen();
    setColour("white");
    printLine("DELETE CHARACTER");
    printEmptyLine();
    printLine("Which character would you like to delete?");
    printEmptyLine();
    printProfileChoices();
    setColour("green");
    std::string name = readPrivateLine();
    if (std::find(profiles.begin(), profiles.end(), name) == profiles.end()) return;

    clearScreen();
    setColour("white");
    printLine("DELETE CHARACTER>Confirm");
    printEmptyLine();
    printLine("Are you sure you would like to delete " + name + "?");
    printEmptyLine();
    readYesOrNo();
    if (inputLine == "yes") {
        deleteCharacter(name);
    } else if (inputLine != "no") {
        logLine(typeAnOption);
    }
}

} // namespace

void mainMenuScreen() {
    if (!mainMenuActive) return;
    setColour("white");
    printLine("KELMARCH: ORVANIS (v" + gameVersion + ")");
    printEmptyLine();
    printLine("To navigate the menus and control this game, type in your selection.");
    printLine("Your available actions will be listed in purple.");
    printLine("Shortcut: You can type in the letter in brackets when available.");
    printLine("The game autosaves after every action.");
    printLine("Hint: Press the up arrow to recall previous actions.");
    printEmptyLine();
    printLine("What would you like to do?");
    printEmptyLine();
    setColour("purple");
    printLine("new game [n]");
    if (!profilesEmpty) {
        printLine("load character [l]");
        printLine("delete character [d]");
    }
    printEmptyLine();
    readAnswer();
    printEmptyLine();
    setColour("white");

    if (inputLine == "new game" || inputLine == "n") {
        mainMenuActive = false;
        clearScreen();
    } else if (!profilesEmpty && (inputLine == "load character" || inputLine == "l")) {
        loadList();
    } else if (!profilesEmpty && (inputLine == "delete character" || inputLine == "d")) {
        deleteList();
    } else {
        logLine(typeAnOption);
    }
}
