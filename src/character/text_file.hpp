#pragma once
// Plain text files of lines, as the character file and the profiles list are kept.
#include <string>
#include <vector>

// The file's lines without their line breaks; a missing or unreadable file gives none.
std::vector<std::string> readTextLines(const std::string &path);
// Writes every line with a line break to a temporary file beside path and renames it
// over path, so a reader only ever sees the old or the new complete file.
// False when the file could not be written (path is then untouched).
bool writeTextLines(const std::string &path, const std::vector<std::string> &lines);
