// The save files on Linux and other POSIX systems. Claims and the folder lock are flock
// locks, which the kernel drops when a game dies, so a killed game never blocks another.
#if !defined(_WIN32)

#include "character/platform_files.hpp"

#include "character/descriptor_io.hpp"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int temporarySuffixLength = 4; // ".tmp" after the random letters

struct Claim {
    int fd = -1; // locks the claimed file; -1 while it is missing or cannot be locked
    std::string path;
    bool absent = false; // claimed while no file had the name
};
Claim claimed;
int folderLock = -1;

void closeQuietly(int fd) {
    if (fd >= 0) ::close(fd);
}

bool sameFile(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Never blocks: a FIFO or a device opens at once and is then refused by its type.
int openForReading(const std::string &path) {
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd >= 0 || errno != EINTR) return fd;
    }
}

bool holds(const std::string &path) {
    if (claimed.path != path) return false;
    struct stat now {};
    if (claimed.absent) return ::lstat(path.c_str(), &now) != 0;
    if (claimed.fd < 0) return true; // nothing could be locked, so nothing can be lost
    struct stat held {};
    return ::fstat(claimed.fd, &held) == 0 && ::stat(path.c_str(), &now) == 0 &&
           sameFile(held, now);
}

// Locks the regular file that path names now. A game saving it swaps the file under the
// name, so the lock only counts once the name still leads to the locked file.
FileStatus lockCurrentFile(const std::string &path, int &lockedFd) {
    lockedFd = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = openForReading(path);
        if (fd < 0) return errno == ENOENT ? FileStatus::missing : FileStatus::damaged;
        struct stat opened {};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return FileStatus::damaged;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            // A file system without locks still lets the game play, unguarded.
            return error == EWOULDBLOCK ? FileStatus::busy : FileStatus::unguarded;
        }
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && sameFile(opened, now)) {
            lockedFd = fd;
            return FileStatus::done;
        }
        ::close(fd);
    }
    return FileStatus::busy;
}

mode_t currentUmask() {
    static const mode_t mask = [] {
        mode_t value = ::umask(0);
        ::umask(value);
        return value;
    }();
    return mask;
}

std::string baseName(const std::string &path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string directoryOf(const std::string &path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only durable once the directory that holds the name is on the disk.
bool syncDirectory(const std::string &directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems cannot flush a directory at all; only a failing disk counts.
    bool synced = ::fsync(fd) == 0 || errno != EIO;
    ::close(fd);
    return synced;
}

std::string realPath(const std::string &path) {
    char *real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// Where the content goes: the file itself, or the file a link names. A link is only
// followed to a file of its own name (a copy kept in a synced folder) inside the save
// folder, never out of it to wherever someone planted a link to.
bool findTarget(const std::string &path, std::string &target) {
    target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0) return errno == ENOENT;
    if (!S_ISLNK(link.st_mode)) return true;
    target = realPath(path);
    std::string folder = realPath(".");
    if (!folder.ends_with('/')) folder += '/';
    return !target.empty() && target.starts_with(folder) && baseName(target) == baseName(path);
}

// A fresh, locked temporary file for the save named `name`, in the save folder (where the
// next start looks for leftovers, even of a save through a link), or -1. The lock tells
// another game starting up that the file is no leftover; it then stays on the file the
// rename puts in place, keeping a claim unbroken. A game starting up may lock and remove
// the file in the moment before this one locks it: then it is gone and another is made.
int createTemporaryFile(const std::string &name, std::string &temporary) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        temporary = name + std::string(temporaryTail);
        int fd = ::mkostemps(temporary.data(), temporarySuffixLength, O_CLOEXEC);
        if (fd < 0) return -1;
        struct stat created {};
        // Without locks in the file system no game removes what it cannot lock.
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
        if (locked && ::fstat(fd, &created) == 0 && created.st_nlink > 0) return fd;
        ::close(fd);
    }
    return -1;
}

// A shared folder's group stays on the file whoever saves it; the owner only stays where the
// saver may give the file away (its owner or an administrator). Each is tried on its own,
// since a change of both fails whole when either is refused.
void keepOwnerAndGroup(int fd, const struct stat &old) {
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Not a member of the file's group: the folder's default group is all there is.
    }
    if (::fchown(fd, old.st_uid, static_cast<gid_t>(-1)) != 0) {
        // Only the owner or an administrator may keep another's name on the file.
    }
}

// Puts the written temporary file under the target's name. A file this game claimed while
// it was missing is never put over a file another game has made meanwhile (busy).
FileStatus putInPlace(const std::string &temporary, const std::string &target, bool firstFile) {
    if (!firstFile)
        return ::rename(temporary.c_str(), target.c_str()) == 0 ? FileStatus::done
                                                                : FileStatus::failed;
    // A hard link is made only where no file has the name, in one step.
    if (::link(temporary.c_str(), target.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return FileStatus::done;
    }
    if (errno == EEXIST) return FileStatus::busy;
    // A file system without hard links: the name's absence is looked at just before.
    struct stat found {};
    if (::lstat(target.c_str(), &found) == 0) return FileStatus::busy;
    return ::rename(temporary.c_str(), target.c_str()) == 0 ? FileStatus::done : FileStatus::failed;
}

} // namespace

FileStatus readWholeFile(const std::string &path, size_t limit, std::string &content) {
    content.clear();
    std::string target;
    if (!findTarget(path, target)) return FileStatus::damaged;
    int fd = openForReading(target);
    if (fd < 0) return errno == ENOENT ? FileStatus::missing : FileStatus::damaged;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
        static_cast<unsigned long long>(opened.st_size) > limit) {
        ::close(fd);
        return FileStatus::damaged;
    }
    content.reserve(static_cast<size_t>(opened.st_size));
    const bool whole = readAll(fd, limit, content);
    ::close(fd);
    return whole ? FileStatus::done : FileStatus::damaged;
}

FileStatus replaceFile(const std::string &path, std::string_view content, bool claim) {
    std::string target;
    if (!findTarget(path, target)) return FileStatus::failed;
    struct stat old {};
    const bool hasOld = ::stat(target.c_str(), &old) == 0;
    if (hasOld) {
        if (!S_ISREG(old.st_mode)) return FileStatus::failed;
        // A write-protected file stays protected, even for an all-powerful player.
        if ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return FileStatus::failed;
    }
    if (claim && !holds(path) && claimFile(path) == FileStatus::busy) return FileStatus::busy;
    const bool firstFile = claim && claimed.absent;

    std::string temporary;
    int fd = createTemporaryFile(baseName(target), temporary);
    if (fd < 0) return FileStatus::failed;
    const mode_t mode = hasOld ? (old.st_mode & 0777) : (0644 & ~currentUmask());
    bool saved = ::fchmod(fd, mode) == 0;
    if (hasOld) keepOwnerAndGroup(fd, old);
    FileStatus status = saved && writeAll(fd, content) && ::fsync(fd) == 0
                            ? putInPlace(temporary, target, firstFile)
                            : FileStatus::failed;
    if (status != FileStatus::done) {
        ::unlink(temporary.c_str());
        ::close(fd);
        return status;
    }
    // The new file is in place whatever the folder's flush says: the player hears that.
    if (!syncDirectory(directoryOf(target))) status = FileStatus::unsure;
    if (claim) {
        closeQuietly(claimed.fd);
        claimed = {fd, path};
    } else {
        ::close(fd);
    }
    return status;
}

FileStatus claimFile(const std::string &path) {
    if (holds(path)) return FileStatus::done;
    // Another game made the file this game claimed while it was missing.
    if (claimed.path == path && claimed.absent) return FileStatus::busy;
    int fd = -1;
    const FileStatus status = lockCurrentFile(path, fd);
    if (status == FileStatus::busy) return status;
    releaseClaim();
    claimed = {fd, path, status == FileStatus::missing};
    return status == FileStatus::unguarded ? status : FileStatus::done;
}

void releaseClaim() {
    closeQuietly(claimed.fd);
    claimed = {};
}

FileStatus removeFile(const std::string &path) {
    int fd = -1;
    if (holds(path)) {
        fd = claimed.fd;
        claimed = {};
    } else if (lockCurrentFile(path, fd) == FileStatus::busy) {
        return FileStatus::busy;
    }
    const bool removed = ::unlink(path.c_str()) == 0 || errno == ENOENT;
    closeQuietly(fd);
    return removed ? FileStatus::done : FileStatus::failed;
}

bool sameFileName(const std::string &a, const std::string &b) {
    return a == b;
}

bool fileExists(const std::string &path) {
    struct stat found {};
    return ::lstat(path.c_str(), &found) == 0;
}

FileStatus lockSaveFolder(std::chrono::milliseconds patience) {
    // A folder the player may not list (mode 0311, say) cannot be opened to lock it.
    if (folderLock < 0) folderLock = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderLock < 0) return FileStatus::unguarded;
    using std::chrono::milliseconds;
    const auto start = std::chrono::steady_clock::now();
    while (::flock(folderLock, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            unlockSaveFolder();
            return FileStatus::unguarded;
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        if (std::chrono::duration_cast<milliseconds>(waited) >= patience) return FileStatus::busy;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return FileStatus::done;
}

void unlockSaveFolder() {
    closeQuietly(folderLock);
    folderLock = -1;
}

void removeStaleTemporaryFiles() {
    for (const std::string &name : temporaryNamesHere()) {
        int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        // Only a file no living game holds is a leftover.
        struct stat opened {};
        struct stat now {};
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(name.c_str(), &now) == 0 &&
            sameFile(opened, now))
            ::unlink(name.c_str());
        ::close(fd);
    }
}

std::filesystem::path playerDataFolder() {
    // A relative XDG_DATA_HOME is to be ignored; a game started without HOME (from a service,
    // say) still finds the player's home in the password database.
    const char *data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return std::filesystem::path(data) / "kelmarch";
    const char *home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd *player = ::getpwuid(::getuid());
        home = player != nullptr ? player->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] != '/') return {};
    return std::filesystem::path(home) / ".local/share/kelmarch";
}

bool makePrivateFolder(const std::filesystem::path &folder) {
    return ::mkdir(folder.c_str(), 0700) == 0;
}

bool keepStandardStreamsOpen() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        // The lower numbers are open, so the null device takes this one.
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF && ::open("/dev/null", O_RDWR) != fd)
            return false;
    }
    return true;
}

#endif
