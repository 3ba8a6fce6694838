#pragma once
// Console output: colours by name, lines, option lines, clearing, numbers as text, and the
// message log that the next pass shows at its top.
// Everything goes into one buffer that is written out before each read and at exit;
// tests read the buffer instead of letting it reach standard output.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline std::string consoleOutput;   // bytes not yet written to standard output
inline bool consoleToStdout = true; // false in tests: output stays in consoleOutput
inline bool colourEnabled = false;  // ANSI colours on (decided once by startConsole)

struct LogLine {
    std::string text;
    std::string colour; // a colour name, as setColour takes it
};
inline std::vector<LogLine> messageLog; // shown at the top of the next pass
// Adds a line to the message log.
void logLine(std::string text, std::string colour = "white");
// The message log in white, each line in a colour of its own where it has one, then an empty
// line; the log is emptied. Nothing at all when it is empty.
void printMessageLog();
// The answer to a line that matches no option.
inline const std::string typeAnOption = "Please type in one of the options in purple.";

// Nothing waiting to be written or shown.
void resetOutput();
void setColour(std::string_view name);
void printLine(std::string_view text);
void printText(std::string_view text); // no line break
void printEmptyLine();
void printOption(std::string_view option, std::string_view description);
void clearScreen();
std::string toText(int32_t n);

// Writes the buffered output to standard output (when consoleToStdout).
void flushOutput();
// Resets the terminal's colours (when colour is on), flushes and restores the console.
void finishOutput();
