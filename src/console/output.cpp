#include "console/output.hpp"

#include <array>
#include <cerrno>
#include <unistd.h>

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

// Bright foregrounds: attribute bits 1 blue, 2 green, 4 red, 8 intensity map onto ANSI 90 + rgb.
void setAttribute(int attribute) {
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

std::string toText(int32_t n) {
    return std::to_string(n);
}

void setConsoleTitle() {
    if (consoleToStdout && isatty(STDOUT_FILENO)) consoleOutput += "\x1b]0;Kelmarch: Orvanis\x07";
}

void flushOutput() {
    if (!consoleToStdout) return;
    const char *data = consoleOutput.data();
    size_t left = consoleOutput.size();
    while (left > 0) {
        ssize_t written = write(STDOUT_FILENO, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break; // nowhere to write: drop the output rather than spin
        data += written;
        left -= static_cast<size_t>(written);
    }
    consoleOutput.clear();
}

void finishOutput() {
    if (colourEnabled) consoleOutput += "\x1b[0m";
    flushOutput();
}
