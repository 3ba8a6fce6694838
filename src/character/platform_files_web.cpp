// The save files of the game as WebAssembly: in a page, Emscripten's files in memory, copied
// to the browser's IndexedDB after every change (the page loads them back before the game
// starts); under Node.js, the real files. One game plays per page and the page lets one tab
// play at a time, so nothing here is locked or claimed.
#include "character/platform_files.hpp"

#include "character/descriptor_io.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int temporarySuffixLength = 4; // ".tmp" after the random letters

// Emscripten's fsync of a folder in the page copies the folder to IndexedDB and, built with
// ASYNCIFY, waits until it is there: a change the player saw made survives the tab being
// closed. Node.js writes the real files, and there Emscripten's fsync does nothing.
bool syncFolder() {
    int fd = ::open(".", O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

} // namespace

FileStatus readWholeFile(const std::string &path, size_t limit, std::string &content) {
    content.clear();
    // Looked at before opening: Node.js would wait at a FIFO's opening for a writer. A link is
    // never saved through, so it is no save either.
    struct stat found {};
    if (::lstat(path.c_str(), &found) != 0)
        return errno == ENOENT ? FileStatus::missing : FileStatus::damaged;
    if (!S_ISREG(found.st_mode) || static_cast<unsigned long long>(found.st_size) > limit)
        return FileStatus::damaged;
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return FileStatus::damaged;
    const bool whole = readAll(fd, limit, content);
    ::close(fd);
    return whole ? FileStatus::done : FileStatus::damaged;
}

// The new content goes into a temporary file that is renamed over the old one, so the
// name holds the old or the new content whole; a link of that name is replaced, never
// written through.
FileStatus replaceFile(const std::string &path, std::string_view content, bool) {
    struct stat old {};
    const bool hasOld = ::stat(path.c_str(), &old) == 0;
    if (hasOld && (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0)) return FileStatus::failed;
    std::string temporary = path + std::string(temporaryTail);
    int fd = ::mkstemps(temporary.data(), temporarySuffixLength);
    if (fd < 0) return FileStatus::failed;
    const bool written =
        ::fchmod(fd, hasOld ? (old.st_mode & 0777) : 0644) == 0 && writeAll(fd, content);
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return FileStatus::failed;
    }
    return syncFolder() ? FileStatus::done : FileStatus::unsure;
}

FileStatus claimFile(const std::string &) {
    return FileStatus::done;
}

void releaseClaim() {}

FileStatus removeFile(const std::string &path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return FileStatus::failed;
    return syncFolder() ? FileStatus::done : FileStatus::unsure;
}

bool sameFileName(const std::string &a, const std::string &b) {
    return a == b;
}

bool fileExists(const std::string &path) {
    struct stat found {};
    return ::lstat(path.c_str(), &found) == 0;
}

FileStatus lockSaveFolder(std::chrono::milliseconds) {
    return FileStatus::done;
}

void unlockSaveFolder() {}

void removeStaleTemporaryFiles() {
    for (const std::string &name : temporaryNamesHere())
        ::unlink(name.c_str());
}

// Emscripten gives every game its three standard streams.
bool keepStandardStreamsOpen() {
    return true;
}

// Emscripten's environment is its own, not the player's: it names no data folder. The page
// names its folder with --dir.
std::filesystem::path playerDataFolder() {
    return {};
}

bool makePrivateFolder(const std::filesystem::path &folder) {
    return ::mkdir(folder.c_str(), 0700) == 0;
}
