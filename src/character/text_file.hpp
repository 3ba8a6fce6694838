#pragma once
// Plain text files of lines, as the character file and the profiles list are kept. Every
// save and every read goes through here, and from here to the platform's file operations.
#include "character/platform_files.hpp"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Larger files are damaged: no save of the game comes near it.
constexpr size_t largestSaveFile = size_t{1} << 20;

// The text's lines without their line breaks. A CR before a line feed belongs to the line
// break (files edited on Windows), and a UTF-8 byte-order mark at the start is not text.
std::vector<std::string> splitLines(std::string_view text);
// The file's lines; none unless the status is done.
FileStatus readTextLines(const std::string &path, std::vector<std::string> &lines);
// Writes every line with a line break in place of the file's content (see replaceFile);
// failed, with the file as it was, when that content would be larger than a file is read.
FileStatus writeTextLines(const std::string &path, const std::vector<std::string> &lines,
                          bool claim);
