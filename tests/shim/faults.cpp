// Loaded into the game by tests only, to make the calls under the saves fail as a failing
// disk or a file system without locks would:
// - a file named eio.txt fails part-way with EIO, after its first 16 bytes have read normally;
//   so does profiles.txt with KELMARCH_FAULT=readlist;
// - KELMARCH_FAULT=write, fsync, rename, fchmod or mkostemps fails every such call with EIO;
//   KELMARCH_FAULT=syncfolder only the fsync of a folder; KELMARCH_FAULT=firstwrite only the
//   first write to a file, with ENOSPC (a disk full for a moment);
// - KELMARCH_FAULT=nolocks fails every flock with ENOLCK;
// - KELMARCH_FAULT=slowsync makes every fsync of a file take a second, as a slow disk would.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
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

} // namespace

extern "C" ssize_t read(int fd, void *buffer, size_t count) {
    static const auto realRead = real<ssize_t (*)(int, void *, size_t)>("read");
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t length = ::readlink(link, target, sizeof target);
    const std::string_view file(target, length > 0 ? static_cast<size_t>(length) : 0);
    if (file.ends_with("/eio.txt") || (failing("readlist") && file.ends_with("/profiles.txt"))) {
        if (::lseek(fd, 0, SEEK_CUR) > 0) return fail(EIO);
        if (count > 16) count = 16;
    }
    return realRead(fd, buffer, count);
}

extern "C" ssize_t write(int fd, const void *data, size_t count) {
    static const auto realWrite = real<ssize_t (*)(int, const void *, size_t)>("write");
    // The game's own output still reaches the test.
    if (fd > STDERR_FILENO && failing("write")) return fail(EIO);
    static bool wroteOnce = false;
    if (fd > STDERR_FILENO && failing("firstwrite") && !std::exchange(wroteOnce, true))
        return fail(ENOSPC);
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

extern "C" int rename(const char *from, const char *to) {
    static const auto realRename = real<int (*)(const char *, const char *)>("rename");
    if (failing("rename")) return fail(EIO);
    return realRename(from, to);
}

extern "C" int fchmod(int fd, mode_t mode) {
    static const auto realFchmod = real<int (*)(int, mode_t)>("fchmod");
    if (failing("fchmod")) return fail(EIO);
    return realFchmod(fd, mode);
}

extern "C" int mkostemps(char *pattern, int suffixLength, int flags) {
    static const auto realMkostemps = real<int (*)(char *, int, int)>("mkostemps");
    if (failing("mkostemps")) return fail(EIO);
    return realMkostemps(pattern, suffixLength, flags);
}

extern "C" int flock(int fd, int operation) {
    static const auto realFlock = real<int (*)(int, int)>("flock");
    if (failing("nolocks")) return fail(ENOLCK);
    return realFlock(fd, operation);
}
