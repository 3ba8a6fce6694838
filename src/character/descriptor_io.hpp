#pragma once
// Whole reads and writes of an open file descriptor, shared by the file layers that sit on
// POSIX calls (the native one and the WebAssembly one); the system may hand over any part.
#include <cstddef>
#include <string>
#include <string_view>

// Writes all of content; false when the system will take no more.
bool writeAll(int fd, std::string_view content);
// Reads to the end of the file into content; false, with content empty, on a read error
// part-way or past limit bytes (neither may pass for a shorter file).
bool readAll(int fd, size_t limit, std::string &content);
