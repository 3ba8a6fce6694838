#pragma once
// Console output: colours by name, lines, option lines, clearing, numbers as text, the
// message log that the next pass shows at its top, and the screen-reader mode that says in
// words what a colour means.
// Everything goes into one buffer that is written out before each read and at exit;
// tests read the buffer instead of letting it reach standard output.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline std::string consoleOutput;   // bytes not yet written to standard output
inline bool consoleToStdout = true; // false in tests: output stays in consoleOutput
inline bool colourEnabled = false;  // ANSI colours on (decided once by startConsole)
constexpr std::string_view colourReset = "\x1b[0m"; // the terminal's own colours again
// Output for a screen reader: no escape of any kind, what a colour means said in words, and
// a clear that only parts one screen from the next. Set before startConsole.
inline bool screenReaderActive = false;
// ANSI colours for a light background: the terminal's own foreground for white and the
// normal-intensity codes for the rest, where the bright ones all but vanish.
inline bool lightPalette = false;
// Decides lightPalette for --theme=WHEN: light, dark, or auto, which trusts the terminal's
// COLORFGBG ("foreground;background", nullptr when unset): a background of 7 or 15 is light.
void choosePalette(std::string_view themeWhen, const char *colourFgBg);

// What the screen accepts, as it printed it in purple since the last read: each option's
// full text, without the letter in brackets after it. Tab completes these and nothing else.
inline std::vector<std::string> offeredOptions;

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

// Nothing waiting to be written or shown, no options offered; the bright palette.
void resetOutput();
void setColour(std::string_view name);
void printLine(std::string_view text);
void printText(std::string_view text); // no line break
// For a screen reader, none where an empty line already ends the output.
void printEmptyLine();
void printOption(std::string_view option, std::string_view description);
// A blank and a requirement box such as "[40 Attk]", green when met and red when not; for a
// screen reader "[40 Attk, met]" or "[40 Attk, not met]".
void printRequirementBox(std::string_view box, bool met);
// 300 empty lines; for a screen reader one, and none where one already ends the output.
void clearScreen();
// The player's typed line has ended a line of the screen (the terminal echoes it).
void endTypedLine();
std::string toText(int32_t n);

// Writes the buffered output to standard output (when consoleToStdout).
void flushOutput();
// Resets the terminal's colours (when colour is on), flushes and restores the console.
void finishOutput();
