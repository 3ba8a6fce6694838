#pragma once
// What differs between a POSIX terminal and the Windows console. Each platform has a
// source file of its own (terminal_posix.cpp, terminal_windows.cpp); CMake picks one.
#include <cstddef>
#include <string>
#include <string_view>

// Prepares standard input and output for the game: decides how colours are shown for
// --color=WHEN (auto: only on a terminal or console, and only with NO_COLOR unset), names
// the window "Kelmarch: Orvanis" (keeping the old title to give back), takes over Ctrl-C and
// the stop signals (see holdInterruptions) and, on Windows, makes both streams binary so the
// bytes are those written on Linux.
void startConsole(std::string_view colourWhen);
// Selects the attribute (1 blue, 2 green, 4 red, 8 bright) through the console's own call,
// after writing out what was printed in the previous colour. False where colours travel as
// escapes in the output instead.
bool setConsoleAttribute(int attribute);
// Writes the bytes to standard output as they are; false when nothing more can be written.
bool writeStandardOutput(const char *data, size_t size);
// Puts back the console's colours (and title, where the terminal keeps the old one) as they
// were before the game started.
void restoreConsole();

// Ctrl-C and the signals that ask a program to stop (SIGINT, SIGTERM, SIGHUP) end the game at
// once, leaving the terminal's colours, title and mode as they were, with the status that
// names the signal. A save between these two calls is finished first.
void holdInterruptions();
void releaseInterruptions();

// True when lines are read with the game's own line editing and history (readline on a
// terminal); the Windows console edits lines itself.
bool gameEditsLines();
// One line typed with that editing (at most longestLine bytes kept); throws InputEnded at end
// of input. Non-empty lines go into the history (the last 500) when remember is set. Tab
// completes the line into one of offeredOptions.
std::string readEditedLine(bool remember);
