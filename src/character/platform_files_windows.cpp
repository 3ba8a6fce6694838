// The save files on Windows. A claim is a mutex named after the file and a LockFileEx lock on
// the file; the folder lock is a named mutex. Windows lets go of all of them when a game dies,
// so a killed game never blocks another.
#include "character/platform_files.hpp"

#include <cstdint>
#include <cstdlib>
#include <direct.h>
#include <vector>
#include <windows.h>

namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Byte-range locks on Windows stop other handles' reads and writes of the range: the lock
// sits on one byte far past the end of any save, so it stops nothing but other locks.
constexpr DWORD lockOffsetHigh = 0x7fffffff;

struct Claim {
    HANDLE handle = INVALID_HANDLE_VALUE; // locks the claimed file; none while it is missing
    // Held by name, so the claim outlasts each save: Windows replaces no file that is open, so
    // the locked file is let go for a moment while a new one takes its place. Games on other
    // computers see only the lock.
    HANDLE nameMutex = nullptr;
    std::string path;
    bool absent = false; // claimed while no file had the name
};
Claim claimed;
HANDLE folderMutex = nullptr;

// Names are UTF-8, as on Linux; the wide calls keep them whole whatever the code page.
// Bytes that are not UTF-8 give no path rather than a look-alike one.
std::wstring widePath(const std::string &path) {
    if (path.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                   static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                        wide.data(), size);
    return wide;
}

std::string narrowName(const wchar_t *name) {
    int size = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, name, -1, narrow.data(), size, nullptr, nullptr);
    narrow.pop_back(); // the terminating zero
    return narrow;
}

void closeQuietly(HANDLE handle) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

HANDLE openForReading(const std::wstring &path) {
    return CreateFileW(path.c_str(), GENERIC_READ, shareAll, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A file on a disk, not a folder, a device or a pipe.
bool isRegular(HANDLE handle, BY_HANDLE_FILE_INFORMATION &info) {
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The files compared are all in the save folder, on one volume; the volume's number is left
// out because Wine gives none for a handle whose file was renamed while open.
bool sameFile(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b) {
    return a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

// The file that path names now.
bool currentFile(const std::wstring &path, BY_HANDLE_FILE_INFORMATION &info) {
    HANDLE handle = openForReading(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool found = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return found;
}

// FileStatus::done when locked, busy when another game holds the lock, failed when the file
// system has no locks.
FileStatus lockHandle(HANDLE handle) {
    OVERLAPPED where{};
    where.OffsetHigh = lockOffsetHigh;
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where))
        return FileStatus::done;
    return GetLastError() == ERROR_LOCK_VIOLATION ? FileStatus::busy : FileStatus::failed;
}

bool holds(const std::string &path) {
    if (claimed.path != path) return false;
    const std::wstring name = widePath(path);
    BY_HANDLE_FILE_INFORMATION now{};
    if (claimed.absent) return !currentFile(name, now);
    if (claimed.handle == INVALID_HANDLE_VALUE) return true; // nothing could be locked
    BY_HANDLE_FILE_INFORMATION held{};
    return GetFileInformationByHandle(claimed.handle, &held) && currentFile(name, now) &&
           sameFile(held, now);
}

// Locks the regular file that path names now. A game saving it swaps the file under the
// name, so the lock only counts once the name still leads to the locked file.
FileStatus lockCurrentFile(const std::string &path, HANDLE &locked) {
    locked = INVALID_HANDLE_VALUE;
    const std::wstring name = widePath(path);
    if (name.empty()) return FileStatus::damaged;
    for (int attempt = 0; attempt < 100; ++attempt) {
        HANDLE handle = openForReading(name);
        if (handle == INVALID_HANDLE_VALUE)
            return isMissing(GetLastError()) ? FileStatus::missing : FileStatus::damaged;
        BY_HANDLE_FILE_INFORMATION opened{};
        if (!isRegular(handle, opened)) {
            CloseHandle(handle);
            return FileStatus::damaged;
        }
        const FileStatus lock = lockHandle(handle);
        if (lock != FileStatus::done) {
            CloseHandle(handle);
            // A file system without locks still lets the game play, unguarded.
            return lock == FileStatus::busy ? FileStatus::busy : FileStatus::unguarded;
        }
        BY_HANDLE_FILE_INFORMATION now{};
        if (currentFile(name, now) && sameFile(opened, now)) {
            locked = handle;
            return FileStatus::done;
        }
        CloseHandle(handle);
    }
    return FileStatus::busy;
}

bool writeAll(HANDLE handle, std::string_view content) {
    while (!content.empty()) {
        DWORD chunk = content.size() > 0x100000 ? 0x100000 : static_cast<DWORD>(content.size());
        DWORD written = 0;
        if (!WriteFile(handle, content.data(), chunk, &written, nullptr) || written == 0)
            return false;
        content.remove_prefix(written);
    }
    return true;
}

// The temporary tail with its X's drawn. Not the game's random engine: a save must not change
// the draws of a seeded game.
std::wstring randomTail() {
    static uint64_t state = GetTickCount64() ^ (uint64_t{GetCurrentProcessId()} << 32);
    std::wstring tail(temporaryTail.begin(), temporaryTail.end());
    for (wchar_t &letter : tail) {
        if (letter != L'X') continue;
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        letter = static_cast<wchar_t>(L'a' + (state >> 59) % 26);
    }
    return tail;
}

// A fresh temporary file beside target. It shares neither reading nor writing, so from the
// moment it exists no other game can open it, nor take it for a stale leftover; sharing
// deletion lets it be renamed while open.
HANDLE createTemporary(const std::wstring &target, std::wstring &temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target + randomTail();
        HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return handle;
        if (GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

// The save folder's mutexes are named after the folder itself (its volume and number), not
// after a spelling of its path: a link, a subst drive or another case reach the same folder.
// kind and detail tell the mutexes of one folder apart.
std::wstring mutexName(const wchar_t *kind, const std::wstring &detail) {
    HANDLE folder =
        CreateFileW(L".", 0, shareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known) return {};
    wchar_t name[80];
    swprintf(name, 80, L"Local\\kelmarch-%ls-%08lx-%08lx%08lx", kind,
             static_cast<unsigned long>(info.dwVolumeSerialNumber),
             static_cast<unsigned long>(info.nFileIndexHigh),
             static_cast<unsigned long>(info.nFileIndexLow));
    return name + detail;
}

// The mutex that claims the name path, taken without waiting: done, busy when another game
// holds it, failed when there can be none (the claim then rests on the file lock alone).
// Named after the name in capitals, as the file system compares names.
FileStatus takeNameMutex(const std::string &path, HANDLE &mutex) {
    mutex = nullptr;
    const std::wstring wide = widePath(path);
    if (wide.empty()) return FileStatus::failed;
    std::wstring upper(wide.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.c_str(),
                      static_cast<int>(wide.size()), upper.data(), static_cast<int>(upper.size()),
                      nullptr, nullptr, 0) != static_cast<int>(wide.size()))
        return FileStatus::failed;
    const std::wstring name = mutexName(L"claim", L"-" + upper);
    if (name.empty()) return FileStatus::failed;
    HANDLE made = CreateMutexW(nullptr, FALSE, name.c_str());
    if (made == nullptr) return FileStatus::failed;
    // WAIT_ABANDONED: the game that held it died; the name is ours all the same.
    switch (WaitForSingleObject(made, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        mutex = made;
        return FileStatus::done;
    case WAIT_TIMEOUT:
        CloseHandle(made);
        return FileStatus::busy;
    default:
        CloseHandle(made);
        return FileStatus::failed;
    }
}

void releaseMutex(HANDLE mutex) {
    if (mutex == nullptr) return;
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

// A scanner or a backup that has the file open for a moment makes the move fail: it is
// tried again for a second before the save counts as failed.
bool moveIntoPlace(const std::wstring &temporary, const std::wstring &target, bool firstFile) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(),
                        (firstFile ? 0 : MOVEFILE_REPLACE_EXISTING) | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        Sleep(50);
    }
    return false;
}

// Never a planted link: Windows saves through none, and reads through none either.
bool isLink(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

FileStatus readWholeFile(const std::string &path, size_t limit, std::string &content) {
    content.clear();
    const std::wstring name = widePath(path);
    if (name.empty() || isLink(GetFileAttributesW(name.c_str()))) return FileStatus::damaged;
    HANDLE handle = openForReading(name);
    if (handle == INVALID_HANDLE_VALUE)
        return isMissing(GetLastError()) ? FileStatus::missing : FileStatus::damaged;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!isRegular(handle, info) ||
        ((uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow) > limit) {
        CloseHandle(handle);
        return FileStatus::damaged;
    }
    char buffer[65536];
    while (true) {
        DWORD got = 0;
        // A read error part-way must not pass for a shorter file.
        if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr) ||
            content.size() + got > limit) {
            CloseHandle(handle);
            content.clear();
            return FileStatus::damaged;
        }
        if (got == 0) break;
        content.append(buffer, got);
    }
    CloseHandle(handle);
    return FileStatus::done;
}

FileStatus replaceFile(const std::string &path, std::string_view content, bool claim) {
    const std::wstring target = widePath(path);
    if (target.empty()) return FileStatus::failed;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool hasOld = attributes != INVALID_FILE_ATTRIBUTES;
    if (!hasOld && !isMissing(GetLastError())) return FileStatus::failed;
    // Never a link or a folder; a read-only file stays read-only.
    if (hasOld && (isLink(attributes) ||
                   (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0))
        return FileStatus::failed;
    if (claim && !holds(path) && claimFile(path) == FileStatus::busy) return FileStatus::busy;
    const bool keepClaim = claim || holds(path);
    // A file claimed while missing never replaces one another game has made meanwhile.
    const bool firstFile = keepClaim && claimed.absent;

    std::wstring temporary;
    HANDLE handle = createTemporary(target, temporary);
    if (handle == INVALID_HANDLE_VALUE) return FileStatus::failed;
    if (!writeAll(handle, content) || !FlushFileBuffers(handle)) {
        DeleteFileW(temporary.c_str());
        CloseHandle(handle);
        return FileStatus::failed;
    }
    // Windows refuses to replace a file that is open, our own lock included; the claim's
    // mutex goes on holding the name meanwhile.
    if (keepClaim) {
        closeQuietly(claimed.handle);
        claimed.handle = INVALID_HANDLE_VALUE;
    }
    const bool moved = moveIntoPlace(temporary, target, firstFile);
    const bool madeMeanwhile = !moved && GetLastError() == ERROR_ALREADY_EXISTS;
    if (!moved) DeleteFileW(temporary.c_str());
    CloseHandle(handle);
    // The other game's file is never locked in its place: later saves stay refused.
    if (madeMeanwhile) return FileStatus::busy;
    // The lock goes on a handle that only reads, so the player's own tools can still open
    // the file while the game holds it. A game on another computer may have locked it first:
    // the claim is then lost, and the next save refused.
    if (keepClaim) {
        const FileStatus lock = lockCurrentFile(path, claimed.handle);
        if (lock == FileStatus::busy) releaseClaim();
        if (lock != FileStatus::missing) claimed.absent = false;
    }
    return moved ? FileStatus::done : FileStatus::failed;
}

FileStatus claimFile(const std::string &path) {
    if (holds(path)) return FileStatus::done;
    // Another game made the file this game claimed while it was missing.
    if (claimed.path == path && claimed.absent) return FileStatus::busy;
    HANDLE nameMutex = nullptr;
    if (takeNameMutex(path, nameMutex) == FileStatus::busy) return FileStatus::busy;
    HANDLE handle = INVALID_HANDLE_VALUE;
    const FileStatus status = lockCurrentFile(path, handle);
    if (status == FileStatus::busy) {
        releaseMutex(nameMutex);
        return status;
    }
    releaseClaim();
    claimed = {handle, nameMutex, path, status == FileStatus::missing};
    return status == FileStatus::unguarded ? status : FileStatus::done;
}

void releaseClaim() {
    closeQuietly(claimed.handle);
    releaseMutex(claimed.nameMutex);
    claimed = {};
}

FileStatus removeFile(const std::string &path) {
    const std::wstring name = widePath(path);
    if (name.empty()) return FileStatus::failed;
    HANDLE handle = INVALID_HANDLE_VALUE, mutex = nullptr;
    if (holds(path)) {
        handle = claimed.handle;
        mutex = claimed.nameMutex;
        claimed = {};
    } else if (takeNameMutex(path, mutex) == FileStatus::busy) {
        return FileStatus::busy;
    } else if (lockCurrentFile(path, handle) == FileStatus::busy) {
        releaseMutex(mutex);
        return FileStatus::busy;
    }
    // The lock's handle shares deletion: the file goes when it is closed just after.
    const bool removed = DeleteFileW(name.c_str()) || isMissing(GetLastError());
    closeQuietly(handle);
    releaseMutex(mutex);
    return removed ? FileStatus::done : FileStatus::failed;
}

bool sameFileName(const std::string &a, const std::string &b) {
    const std::wstring wideA = widePath(a), wideB = widePath(b);
    if (wideA.empty() || wideB.empty()) return a == b;
    return CompareStringOrdinal(wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

bool fileExists(const std::string &path) {
    const std::wstring name = widePath(path);
    if (name.empty()) return false;
    return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES ||
           !isMissing(GetLastError());
}

FileStatus lockSaveFolder(std::chrono::milliseconds patience) {
    if (folderMutex == nullptr) {
        const std::wstring name = mutexName(L"saves", L"");
        if (name.empty()) return FileStatus::unguarded;
        folderMutex = CreateMutexW(nullptr, FALSE, name.c_str());
        if (folderMutex == nullptr) return FileStatus::unguarded;
    }
    const DWORD wait =
        patience.count() >= INFINITE ? INFINITE : static_cast<DWORD>(patience.count());
    // WAIT_ABANDONED: the game that held it died; the lock is ours all the same.
    switch (WaitForSingleObject(folderMutex, wait)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return FileStatus::done;
    case WAIT_TIMEOUT:
        return FileStatus::busy;
    default:
        unlockSaveFolder();
        return FileStatus::unguarded;
    }
}

void unlockSaveFolder() {
    if (folderMutex == nullptr) return;
    ReleaseMutex(folderMutex); // fails harmlessly when the wait gave up
    CloseHandle(folderMutex);
    folderMutex = nullptr;
}

void removeStaleTemporaryFiles() {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"*.tmp", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> names;
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                0 &&
            isTemporaryName(narrowName(found.cFileName)))
            names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::wstring &name : names) {
        HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | DELETE, shareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (handle == INVALID_HANDLE_VALUE) continue;
        // Only a file no living game holds is a leftover; deleting through this very handle
        // takes no other file that has meanwhile taken the name.
        BY_HANDLE_FILE_INFORMATION info{};
        FILE_DISPOSITION_INFO remove{TRUE};
        if (isRegular(handle, info) && lockHandle(handle) == FileStatus::done)
            SetFileInformationByHandle(handle, FileDispositionInfo, &remove, sizeof remove);
        CloseHandle(handle);
    }
}

std::filesystem::path playerDataFolder() {
    // Wide, so that a profile folder named outside the code page is found as it is.
    const wchar_t *appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || appData[0] == L'\0') return {};
    return std::filesystem::path(appData) / L"Kelmarch";
}

// A new folder takes its parent's permissions: under %APPDATA%, the player's alone.
bool makePrivateFolder(const std::filesystem::path &folder) {
    return _wmkdir(folder.c_str()) == 0;
}

// The game's files are handles of their own, never the C library's numbers 0 to 2.
bool keepStandardStreamsOpen() {
    return true;
}
