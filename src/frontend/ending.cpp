#include "frontend/screens.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"

namespace {

void printStory() {
    printLine("You hurry back to the village to tell the people what you have done.");
    printLine("When you arrive back in the village, you seek out the nurse.");
    printLine("The nurse is shaking.");
    printLine("\"About an hour ago I had a really strange feeling,");
    printLine("almost as if order had been restored in the Land of Orvanis.");
    printLine("\"The dragon is dead!!\"");
    printLine("\"We knew you could do it!\" the villagers shout.");
    printLine("The nurse steps forward.");
    printLine("\"We are in your debt. You are more than welcome to stay if you choose.\"");
}

} // namespace

void endingScreen() {
    if (!endingActive) return;
    setColour("white");
    if (screenStep >= 1) {
        screenStep = 0;
        printLine(typeAnOption);
    } else {
        printStory();
    }
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    printOption("stay", "continue playing");
    printOption("leave", "go back to the main menu");
    printEmptyLine();
    readAnswer();

    if (inputLine == "stay") {
        endingActive = false;
    } else if (inputLine == "leave") {
        // Back at the menu the character is no longer played: another window may load it.
        releaseCharacter();
        resetCharacter();
        mainMenuActive = true;
        endingActive = false;
    } else {
        screenStep = 1;
    }
}
