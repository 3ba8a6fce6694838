#include "console/output.hpp"

#include "console/terminal.hpp"

#include <algorithm>
#include <array>
#include <utility>

namespace {

struct NamedColour {
    std::string_view name;
    int attribute;
};

// The console attributes of the seven colour names, in the order they are tested.
constexpr auto colours = std::to_array<NamedColour>({{"white", 15},
                                                     {"red", 12},
                                                     {"blue", 9},
                                                     {"green", 10},
                                                     {"purple", 13},
                                                     {"teal", 11},
                                                     {"yellow", 14}});

constexpr int purpleAttribute = 13;
constexpr int whiteAttribute = 15;
constexpr int clearScreenLines = 300;

int currentAttribute = 0;
std::string purpleText; // printed since purple was selected or the last line began

// A stretch of purple text ends with its line or its colour: it is one option.
void offerPurpleText() {
    std::string_view option = purpleText;
    if (option.size() > 4 && option.ends_with(']') && option.substr(option.size() - 4, 2) == " [")
        option.remove_suffix(4);
    if (!option.empty()) offeredOptions.emplace_back(option);
    purpleText.clear();
}

// The console's own attribute call where there is one; otherwise ANSI foregrounds, the
// attribute bits 1 blue, 2 green, 4 red, 8 intensity mapped onto 90 + rgb (bright), or on a
// light background onto 30 + rgb and white onto the terminal's default foreground.
void setAttribute(int attribute) {
    if (attribute != purpleAttribute) offerPurpleText();
    currentAttribute = attribute;
    if (consoleToStdout && setConsoleAttribute(attribute)) return;
    if (!colourEnabled) return;
    int rgb = ((attribute & 4) ? 1 : 0) | ((attribute & 2) ? 2 : 0) | ((attribute & 1) ? 4 : 0);
    consoleOutput += "\x1b[";
    if (!lightPalette)
        consoleOutput += std::to_string(90 + rgb);
    else if (attribute == whiteAttribute)
        consoleOutput += "39";
    else
        consoleOutput += std::to_string(30 + rgb);
    consoleOutput += 'm';
}

// Line breaks that end the text written so far, escapes aside (2 means an empty line); what a
// screen reader's clear and empty lines go by.
size_t lineBreaksAtEnd = 1;

void write(std::string_view text) {
    consoleOutput += text;
    const size_t lastText = text.find_last_not_of('\n');
    lineBreaksAtEnd = lastText == std::string_view::npos
                          ? std::min<size_t>(lineBreaksAtEnd + text.size(), 2)
                          : std::min<size_t>(text.size() - lastText - 1, 2);
}

// Text within a line: in purple, it is part of an option.
void writeText(std::string_view text) {
    write(text);
    if (currentAttribute == purpleAttribute) purpleText += text;
}

void endLine() {
    write("\n");
    offerPurpleText();
}

} // namespace

void choosePalette(std::string_view themeWhen, const char *colourFgBg) {
    if (themeWhen != "auto") {
        lightPalette = themeWhen == "light";
        return;
    }
    std::string_view fields = colourFgBg != nullptr ? colourFgBg : "";
    std::string_view background = fields.substr(fields.rfind(';') + 1);
    lightPalette = background == "7" || background == "15";
}

void setColour(std::string_view name) {
    for (const NamedColour &colour : colours) {
        if (colour.name == name) {
            setAttribute(colour.attribute);
            return;
        }
    }
}

void printLine(std::string_view text) {
    writeText(text);
    endLine();
}

void printText(std::string_view text) {
    writeText(text);
}

void printEmptyLine() {
    // Empty lines said one after another are only noise to a screen reader.
    if (screenReaderActive && lineBreaksAtEnd == 2) return;
    endLine();
}

void printOption(std::string_view option, std::string_view description) {
    setAttribute(purpleAttribute);
    writeText(option);
    setAttribute(whiteAttribute);
    writeText(" - ");
    writeText(description);
    endLine();
}

void printRequirementBox(std::string_view box, bool met) {
    setColour(met ? "green" : "red");
    write(" ");
    if (!screenReaderActive) {
        write(box);
        return;
    }
    write(box.substr(0, box.size() - 1));
    write(met ? ", met]" : ", not met]");
}

void clearScreen() {
    if (!screenReaderActive) {
        consoleOutput.append(clearScreenLines, '\n');
        return;
    }
    // For a screen reader one empty line parts one screen from the next.
    while (lineBreaksAtEnd < 2)
        write("\n");
}

void endTypedLine() {
    lineBreaksAtEnd = 1;
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
    if (colourEnabled) consoleOutput += colourReset;
    flushOutput();
    if (consoleToStdout) restoreConsole();
}

void resetOutput() {
    consoleOutput.clear();
    messageLog.clear();
    lineBreaksAtEnd = 1;
    lightPalette = false;
    offeredOptions.clear();
    purpleText.clear();
    currentAttribute = 0;
}
