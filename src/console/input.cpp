#include "console/input.hpp"

#include "console/output.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

namespace {

constexpr size_t longestLine = 4096;
constexpr int historyLines = 500;

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
        throw InputEnded{};
    }
    std::string line(typed, std::min(std::strlen(typed), longestLine));
    std::free(typed);
    if (remember && !line.empty()) {
        stifle_history(historyLines);
        add_history(line.c_str());
    }
    return line;
}

// Byte by byte up to the line feed, so a line without end never fills the memory.
std::string readStreamLine() {
    flushOutput();
    std::istream &stream = lineSource != nullptr ? *lineSource : std::cin;
    std::streambuf &source = *stream.rdbuf();
    std::string line;
    bool anyByte = false;
    bool endsInReturn = false; // the last byte read was a carriage return, and kept
    for (int byte = source.sbumpc(); byte != std::char_traits<char>::eof();
         byte = source.sbumpc()) {
        anyByte = true;
        if (byte == '\n') break;
        endsInReturn = false;
        if (line.size() < longestLine) {
            line += static_cast<char>(byte);
            endsInReturn = byte == '\r';
        }
    }
    if (!anyByte) throw InputEnded{};
    if (endsInReturn) line.pop_back();
    return line;
}

std::string readAnyLine(bool remember) {
    std::string line = lineSource == nullptr && consoleToStdout && onTerminal()
                           ? readTerminalLine(remember)
                           : readStreamLine();
    ++linesRead;
    return line;
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
