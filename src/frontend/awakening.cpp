#include "frontend/screens.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "character/profiles.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "frontend/names.hpp"

#include <algorithm>

namespace {

void printScene() {
    setColour("white");
    printLine("You slowly wake up in a bed and look around.");
    printLine("A nurse rushes in and hovers over you.");
    printLine("Quickly you realize this isn't where you went to sleep.");
    printLine("\"The adventurer is finally awake!\" the nurse announces.");
    printLine("\"What is your name, adventurer?\"");
    printEmptyLine();
}

// Reads the name; false when it cannot become a file name and must be asked again.
bool askName() {
    printLine("Type your name below:");
    printEmptyLine();
    readAnswer();
    character.name = inputLine;
    setColour("white");
    clearScreen();
    std::string refusal = nameRefusal(character.name);
    if (!refusal.empty()) {
        logLine(refusal);
        screenStep = 1;
        return false;
    }
    printLine("\"So your name is " + character.name + ", correct?\"");
    return true;
}

void askToConfirmName() {
    const std::string lower = lowerCaseName(character.name);
    if (std::find(profiles.begin(), profiles.end(), lower) != profiles.end()) {
        setColour("yellow");
        printLine("You already have a character with that name.");
        printLine("Creating this character will erase the previous one with the same name.");
    } else if (characterFileExists(lower)) {
        setColour("yellow");
        printLine("A file named " + lower + ".txt already exists here.");
        printLine("Creating this character will replace it.");
    }
    printEmptyLine();
    readYesOrNo();
    setColour("white");
    printEmptyLine();
    // The name is claimed as the player confirms it: a file another window makes meanwhile
    // is then never saved over (createCharacter asks again).
    if (inputLine == "yes") claimCharacter(lower);
}

void printWelcome() {
    clearScreen();
    printLine("\"Well nice to meet you, " + character.name + ".");
    printLine("Welcome to our humble village in the Land of Orvanis.");
    printLine("I'm sorry to say, it isn't what it used to be.");
    printLine("Since the last dragon attack, we've had a hard time recovering,");
    printLine("but we believed a mighty adventurer would come and save us from the dragon.");
    printLine("We found you in the middle of the village last night... unconscious.");
    printLine("Everyone knew that you were the one we've been waiting for.\"");
}

void askClass() {
    printEmptyLine();
    printLine("\"Which class do you belong to?\"");
    printEmptyLine();
    printOption("warrior", "strong melee fighter");
    printOption("mage", "tactical spell caster");
    printEmptyLine();
    readAnswer();
    printEmptyLine();
    setColour("white");
}

// The new character takes the end of the list, replacing any earlier one of that name: its
// first save lists it. Its file comes first, so that the list never names a file a crash
// kept from being written. False when another running game plays a character of that name.
bool createCharacter() {
    const std::string lower = lowerCaseName(character.name);
    if (!claimCharacter(lower)) return false;
    profileName = lower;
    std::erase(profiles, lower);
    saveCharacter();
    clearScreen();
    printLine("To get you started on your journey, you earn double xp until level 4.");
    printLine("If you need any help or have any questions, talk to the town crier.");
    printEmptyLine();
    return true;
}

} // namespace

void awakeningScreen() {
    if (character.level != 0 || mainMenuActive) return;

    // A repeated class question replays the "yes" that led to it.
    const bool classAgain = screenStep >= 2;
    if (!classAgain) {
        if (screenStep == 1) {
            screenStep = 0;
        } else {
            printScene();
        }
        if (!askName()) return;
        askToConfirmName();
    }

    if (inputLine == "no") {
        logLine("\"Then what is your name?\"");
        screenStep = 1;
        return;
    }
    if (inputLine != "yes") return;

    if (classAgain) {
        screenStep = 0;
    } else {
        printWelcome();
    }
    askClass();
    if (inputLine == "warrior" || inputLine == "mage") {
        if (inputLine == "warrior")
            startWarrior();
        else
            startMage();
        if (createCharacter()) return;
        // Two games playing one character would save over each other: ask another name.
        resetCharacter();
        logLine("That character is being played in another window.");
        screenStep = 1;
        return;
    }
    logLine("\"I'm sorry, but I've never heard of that before.");
    logLine("I know you just woke up, but please think hard about this.\"");
    screenStep = 2;
    inputLine = "yes";
}
