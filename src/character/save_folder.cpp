#include "character/save_folder.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace {

// A new folder is private from the moment it exists, not narrowed afterwards.
int makeFolder(const std::filesystem::path &folder) {
#ifdef _WIN32
    return _wmkdir(folder.c_str());
#else
    return ::mkdir(folder.c_str(), 0700);
#endif
}

} // namespace

std::string enterSaveFolder(const std::string &dir) {
    const std::filesystem::path folder(dir);
    std::filesystem::path prefix;
    for (const std::filesystem::path &part : folder) {
        prefix /= part;
        std::error_code ignored;
        if (part.empty() || std::filesystem::exists(prefix, ignored)) continue;
        // Another process may create the same folder first; that is as good as making it.
        if (makeFolder(prefix) != 0 && errno != EEXIST) return std::strerror(errno);
    }
    std::error_code error;
    const bool isFolder = std::filesystem::is_directory(folder, error);
    if (error) return error.message();
    if (!isFolder) return std::strerror(ENOTDIR);
    std::filesystem::current_path(folder, error);
    if (error) return error.message();
    return "";
}
