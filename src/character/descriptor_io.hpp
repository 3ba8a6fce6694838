#pragma once
// What the file layers that sit on POSIX calls (the native one and the WebAssembly one)
// share: whole reads and writes of an open file descriptor, where the system may hand over
// any part, and the listing of the save folder's temporary files.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Writes all of content; false when the system will take no more.
bool writeAll(int fd, std::string_view content);
// Reads to the end of the file into content; false, with content empty, on a read error
// part-way or past limit bytes (neither may pass for a shorter file).
bool readAll(int fd, size_t limit, std::string &content);
// The names in the working directory that are this game's temporary files.
std::vector<std::string> temporaryNamesHere();
