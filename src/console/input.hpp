#pragma once
// Input: every screen reads whole lines through readLine. The line source is standard
// input in the game; tests point it at a stream of scripted lines. On a POSIX terminal the
// lines come through GNU readline, so the player can edit them, recall earlier ones and complete
// an option with Tab; the Windows console edits and recalls lines itself.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

inline std::string inputLine;              // the line most recently read
inline std::istream *lineSource = nullptr; // nullptr: standard input
inline uint64_t linesRead = 0;             // lines read so far, to tell a pass that read none
constexpr size_t longestLine = 4096;       // bytes kept of a line; the rest is dropped

// Thrown by the reads when input has ended. No screen acts on a line that never came:
// only the screen loop catches it, and stops the game.
struct InputEnded {};

// Flushes pending output, then reads one line into inputLine. A line feed ends the line,
// with a carriage return before it; bytes past the 4,096th of a line are dropped. Lines
// typed on a terminal go into the history that the up arrow recalls (the last 500).
void readLine();
// Nothing read yet, input open.
void resetInput();
// The same, into a line of the caller's own, kept out of the history.
std::string readPrivateLine();
// Selects green for the player's typing, then reads one line into inputLine.
void readAnswer();
// Offers yes and no in purple, then reads the answer into inputLine.
void readYesOrNo();
