#include "character/save_folder.hpp"

#include "character/platform_files.hpp"
#include "character/save_setting.hpp"

#include <cerrno>
#include <cstring>
#include <system_error>

std::optional<std::filesystem::path> builtInSaveFolder() {
    if (!savesInDataFolder) return std::filesystem::path();
    std::filesystem::path folder = playerDataFolder();
    if (folder.empty()) return std::nullopt;
    return folder;
}

std::string enterSaveFolder(const std::filesystem::path &folder) {
    std::filesystem::path prefix;
    for (const std::filesystem::path &part : folder) {
        prefix /= part;
        std::error_code ignored;
        if (part.empty() || std::filesystem::exists(prefix, ignored)) continue;
        // Another process may create the same folder first; that is as good as making it.
        if (!makePrivateFolder(prefix) && errno != EEXIST) return std::strerror(errno);
    }
    std::error_code error;
    const bool isFolder = std::filesystem::is_directory(folder, error);
    if (error) return error.message();
    if (!isFolder) return std::strerror(ENOTDIR);
    std::filesystem::current_path(folder, error);
    if (error) return error.message();
    return "";
}
