// Loaded into the game by tests only, to make the calls under the saves fail as a failing
// disk or a file system without locks would:
// - KELMARCH_FAULT=readlist fails the reading of profiles.txt part-way with EIO, after its
//   first 16 bytes have read normally (the file by name: under Wine every other read is
//   Windows' own);
// - KELMARCH_FAULT=write, fsync, rename, fchmod or mkostemps fails every such call (a write:
//   to a save's temporary file) with EIO; KELMARCH_FAULT=syncfolder only the fsync of a folder;
//   KELMARCH_FAULT=firstwrite only the first write to a temporary file, with ENOSPC (a disk full
//   for a moment); KELMARCH_FAULT=writelist every write to the list's temporary file. Under Wine
//   the writes and the flushes are the game's own calls; its server renames.
// - KELMARCH_FAULT=nolocks fails every flock with ENOLCK;
// - KELMARCH_FAULT=slowsync makes every fsync of a file take a second, as a slow disk would.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

template <typename Function> Function real(const char *name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool failing(std::string_view call) {
    static const char *fault = std::getenv("KELMARCH_FAULT");
    return fault != nullptr && call == fault;
}

int fail(int error) {
    errno = error;
    return -1;
}

// The path fd is open on (under Wine the game's files are the only ones named as a save;
// Windows reads and writes many others).
std::string path(int fd) {
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, target, sizeof target);
    return std::string(target, length > 0 ? size_t(length) : 0);
}

} // namespace

// The call itself, unless KELMARCH_FAULT names `fault`.
#define FAILING(result, call, fault, error, parameters, arguments)                                 \
    extern "C" result call parameters {                                                            \
        static const auto realCall = real<result(*) parameters>(#call);                            \
        if (failing(fault)) return fail(error);                                                    \
        return realCall arguments;                                                                 \
    }
FAILING(int, rename, "rename", EIO, (const char *from, const char *to), (from, to))
FAILING(int, fchmod, "fchmod", EIO, (int fd, mode_t mode), (fd, mode))
FAILING(int, mkostemps, "mkostemps", EIO, (char *pattern, int suffix, int flags),
        (pattern, suffix, flags))
FAILING(int, flock, "nolocks", ENOLCK, (int fd, int operation), (fd, operation))

extern "C" ssize_t read(int fd, void *buffer, size_t count) {
    static const auto realRead = real<ssize_t (*)(int, void *, size_t)>("read");
    if (failing("readlist") && path(fd).ends_with("/profiles.txt")) {
        if (::lseek(fd, 0, SEEK_CUR) > 0) return fail(EIO);
        if (count > 16) count = 16;
    }
    return realRead(fd, buffer, count);
}

extern "C" ssize_t write(int fd, const void *data, size_t count) {
    static const auto realWrite = real<ssize_t (*)(int, const void *, size_t)>("write");
    // Only a save's own writes: the game's output still reaches the test, and Wine its server.
    const std::string written = path(fd);
    const bool save = written.ends_with(".tmp");
    if (save && failing("write")) return fail(EIO);
    if (save && failing("writelist") && written.find("/profiles.txt.") != std::string::npos)
        return fail(EIO);
    static bool wroteOnce = false;
    if (save && failing("firstwrite") && !std::exchange(wroteOnce, true)) return fail(ENOSPC);
    return realWrite(fd, data, count);
}

extern "C" int fsync(int fd) {
    static const auto realFsync = real<int (*)(int)>("fsync");
    struct stat file {};
    const bool folder = ::fstat(fd, &file) == 0 && S_ISDIR(file.st_mode);
    if (failing(folder ? "syncfolder" : "fsync")) return fail(EIO);
    if (!folder && failing("slowsync")) ::sleep(1);
    return realFsync(fd);
}
