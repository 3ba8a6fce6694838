#pragma once
// Console output: colours by name, lines, option lines, clearing, numbers as text.
// Everything goes into one buffer that is written out before each read and at exit;
// tests read the buffer instead of letting it reach standard output.
#include <cstdint>
#include <string>
#include <string_view>

inline std::string consoleOutput;   // bytes not yet written to standard output
inline bool consoleToStdout = true; // false in tests: output stays in consoleOutput
inline bool colourEnabled = false;  // ANSI colours on (decided once by startConsole)

// Nothing waiting to be written.
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
