#include "character/descriptor_io.hpp"

#include "character/platform_files.hpp"

#include <cerrno>
#include <dirent.h>
#include <unistd.h>

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool readAll(int fd, size_t limit, std::string &content) {
    char buffer[65536];
    while (true) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || content.size() + static_cast<size_t>(got) > limit) {
            content.clear();
            return false;
        }
        if (got == 0) return true;
        content.append(buffer, static_cast<size_t>(got));
    }
}

std::vector<std::string> temporaryNamesHere() {
    std::vector<std::string> names;
    DIR *folder = ::opendir(".");
    if (folder == nullptr) return names;
    while (const dirent *entry = ::readdir(folder)) {
        if (isTemporaryName(entry->d_name)) names.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    return names;
}
