// Loaded into the game by tests only: any file named eio.txt fails part-way with EIO, as a
// file on a failing disk does, after its first 16 bytes have read normally.
#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <string_view>
#include <unistd.h>

extern "C" ssize_t read(int fd, void *buffer, size_t count) {
    using Read = ssize_t (*)(int, void *, size_t);
    static const auto realRead = reinterpret_cast<Read>(::dlsym(RTLD_NEXT, "read"));
    char link[64];
    char target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t length = ::readlink(link, target, sizeof target);
    if (length > 0 && std::string_view(target, static_cast<size_t>(length)).ends_with("/eio.txt")) {
        if (::lseek(fd, 0, SEEK_CUR) > 0) {
            errno = EIO;
            return -1;
        }
        if (count > 16) count = 16;
    }
    return realRead(fd, buffer, count);
}
