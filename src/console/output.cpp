#include "console/output.hpp"

#include "console/terminal.hpp"

#include <array>
#include <utility>

namespace {

struct NamedColour {
    std::string_view name;
    int attribute;
};

// The console attributes of the seven colour names, in the order they are tested.
constexpr std::array<NamedColour, 7> colours{{{"white", 15},
                                              {"red", 12},
                                              {"blue", 9},
                                              {"green", 10},
                                              {"purple", 13},
                                              {"teal", 11},
                                              {"yellow", 14}}};

constexpr int purpleAttribute = 13;
constexpr int whiteAttribute = 15;
constexpr int clearScreenLines = 300;

// The console's own attribute call where there is one; otherwise bright ANSI foregrounds, the
// attribute bits 1 blue, 2 green, 4 red, 8 intensity mapped onto 90 + rgb.
void setAttribute(int attribute) {
    if (consoleToStdout && setConsoleAttribute(attribute)) return;
    if (!colourEnabled) return;
    int rgb = ((attribute & 4) ? 1 : 0) | ((attribute & 2) ? 2 : 0) | ((attribute & 1) ? 4 : 0);
    consoleOutput += "\x1b[";
    consoleOutput += std::to_string(90 + rgb);
    consoleOutput += 'm';
}

} // namespace

void setColour(std::string_view name) {
    for (const NamedColour &colour : colours) {
        if (colour.name == name) {
            setAttribute(colour.attribute);
            return;
        }
    }
}

void printLine(std::string_view text) {
    consoleOutput += text;
    consoleOutput += '\n';
}

void printText(std::string_view text) {
    consoleOutput += text;
}

void printEmptyLine() {
    consoleOutput += '\n';
}

void printOption(std::string_view option, std::string_view description) {
    setAttribute(purpleAttribute);
    consoleOutput += option;
    setAttribute(whiteAttribute);
    consoleOutput += " - ";
    consoleOutput += description;
    consoleOutput += '\n';
}

void clearScreen() {
    consoleOutput.append(clearScreenLines, '\n');
}

void logLine(std::string text, std::string colour) {
    messageLog.push_back({std::move(text), std::move(colour)});
}

void printMessageLog() {
    if (messageLog.empty()) return;
    setColour("white");
    for (const LogLine &line : messageLog) {
        if (line.colour == "white") {
            printLine(line.text);
        } else {
            setColour(line.colour);
            printLine(line.text);
            setColour("white");
        }
    }
    printEmptyLine();
    messageLog.clear();
}

std::string toText(int32_t n) {
    return std::to_string(n);
}

void flushOutput() {
    if (!consoleToStdout) return;
    // Nowhere to write: the output is dropped rather than kept growing.
    writeStandardOutput(consoleOutput.data(), consoleOutput.size());
    consoleOutput.clear();
}

void finishOutput() {
    if (colourEnabled) consoleOutput += "\x1b[0m";
    flushOutput();
    if (consoleToStdout) restoreConsole();
}

void resetOutput() {
    consoleOutput.clear();
    messageLog.clear();
}
