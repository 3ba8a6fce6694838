#include "console/input.hpp"

#include "console/output.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

namespace {

// Readline echoes to standard output, so it is used only when both ends are the terminal:
// with output redirected, the player's typing would land in the file instead.
bool onTerminal() {
    static const bool terminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    return terminal;
}

// Readline measures its prompt to place the cursor: each escape sequence is marked with
// \001 and \002 as taking no room on the screen.
std::string markedPrompt(std::string_view text) {
    std::string prompt;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\x1b') {
            prompt += text[i++];
            continue;
        }
        size_t end = i + 1;
        if (end < text.size() && text[end] == ']') { // title: ends with BEL
            while (end < text.size() && text[end] != '\x07')
                ++end;
        } else { // colour: ends with its final letter
            ++end;
            while (end < text.size() && (text[end] < 0x40 || text[end] > 0x7e))
                ++end;
        }
        end = std::min(end + 1, text.size());
        prompt += '\001';
        prompt += text.substr(i, end - i);
        prompt += '\002';
        i = end;
    }
    return prompt;
}

// Whatever follows the last line break is still on the cursor's line (at least the colour
// selected for the player's typing): readline gets it as the prompt and redraws it itself.
std::string takePrompt() {
    size_t lineStart = consoleOutput.rfind('\n');
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    std::string prompt = markedPrompt(std::string_view(consoleOutput).substr(lineStart));
    consoleOutput.resize(lineStart);
    return prompt;
}

std::string readTerminalLine(bool remember) {
    std::string prompt = takePrompt();
    flushOutput();
    char *typed = readline(prompt.c_str());
    if (typed == nullptr) {
        consoleOutput += '\n'; // leave the shell's prompt a line of its own
        inputEnded = true;
        return {};
    }
    std::string line = typed;
    std::free(typed);
    if (remember && !line.empty()) add_history(line.c_str());
    return line;
}

std::string readStreamLine() {
    flushOutput();
    std::istream &source = lineSource != nullptr ? *lineSource : std::cin;
    std::string line;
    if (!std::getline(source, line)) {
        inputEnded = true;
        line.clear();
    }
    return line;
}

std::string readAnyLine(bool remember) {
    if (lineSource == nullptr && consoleToStdout && onTerminal()) return readTerminalLine(remember);
    return readStreamLine();
}

} // namespace

std::string readPrivateLine() {
    return readAnyLine(false);
}

void readLine() {
    inputLine = readAnyLine(true);
}

void readYesOrNo() {
    setColour("purple");
    printLine("yes");
    printLine("no");
    printEmptyLine();
    setColour("green");
    readLine();
}
