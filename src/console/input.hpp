#pragma once
// Input: every screen reads whole lines through readLine. The line source is standard
// input in the game; tests point it at a stream of scripted lines. On a terminal the
// lines come through GNU readline, so the player can edit them and recall earlier ones.
#include <istream>
#include <string>

inline std::string inputLine;              // the line most recently read
inline std::istream *lineSource = nullptr; // nullptr: standard input
inline bool inputEnded = false;            // standard input is closed; the loop stops

// Flushes pending output, then reads one line into inputLine (line break dropped).
// At end of input inputLine is empty and inputEnded is set. Non-empty lines typed on a
// terminal go into the history that the up arrow recalls.
void readLine();
// The same, into a line of the caller's own, kept out of the history.
std::string readPrivateLine();
// Offers yes and no in purple, then reads the answer into inputLine.
void readYesOrNo();
