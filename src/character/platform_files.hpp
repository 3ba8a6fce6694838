#pragma once
// The operating system's side of saving: every call that differs between platforms is made
// behind these few operations, one source file per platform. Paths are relative to the
// working directory, which is the save folder; the last two operations find and make that folder.
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

enum class FileStatus {
    done,
    missing,   // no file of that name
    damaged,   // not a regular file, larger than the limit, or a read that failed
    busy,      // another running game has claimed the file
    failed,    // could not be written (or removed); the file is as it was
    unsure,    // written and in place, but the disk failed to confirm the folder's record of it
    unguarded, // done, but the file system keeps no locks: nothing keeps a second game out
};

// Reads the whole regular file at path if it holds at most `limit` bytes. A link is followed
// only as replaceFile would follow it; any other link reads as damaged.
FileStatus readWholeFile(const std::string &path, size_t limit, std::string &content);

// Replaces the file's content so that a crash, a power cut or a second game leaves either the
// old or the new content whole: a fresh temporary file in the save folder, written, flushed to
// the disk and renamed over it. The file keeps its permissions and group; a link to a file of
// its own name inside the save folder keeps pointing at it, and that file receives the
// content (POSIX only; Windows refuses links). A file the player may not write is left alone.
// With `claim`, the file becomes (or stays) this game's claimed file. A claim taken while the
// file was missing is kept only while no other game makes the file: the first save then
// never replaces a file that appeared meanwhile (busy).
FileStatus replaceFile(const std::string &path, std::string_view content, bool claim);

// One file at a time is claimed by this game: no other running game can claim, replace or
// remove it until this game claims another, releases it or ends (then the system lets go).
// done also when the file is damaged: there is then nothing to hold; busy when this game
// claimed the name while no file had it and another game has made the file since.
FileStatus claimFile(const std::string &path);
void releaseClaim();
// Removes the file (a link, not what it names); a file claimed by another game stays.
FileStatus removeFile(const std::string &path);

// True when the two names lead to one file: Windows ignores case, beyond A to Z too.
bool sameFileName(const std::string &a, const std::string &b);
// True when something of that name is in the folder, whatever it is.
bool fileExists(const std::string &path);

// While the folder is locked no other game changes the shared files. Waits at most `patience`
// (busy without the lock); unguarded when the folder cannot be locked at all.
FileStatus lockSaveFolder(std::chrono::milliseconds patience);
void unlockSaveFolder();

// A save's temporary file is the save's name with this tail, its X's six random letters or
// digits, on every platform. No player names a file so; a start-up removes only files of this
// name that no living game holds, which is what a killed save leaves.
constexpr std::string_view temporaryTail = ".kelmarch-XXXXXX.tmp";

inline bool isTemporaryName(std::string_view name) {
    constexpr size_t saveTail = 4 + temporaryTail.size(); // ".txt" and the temporary tail
    constexpr size_t letters = temporaryTail.find('X');
    if (name.size() <= saveTail) return false;
    std::string_view end = name.substr(name.size() - saveTail);
    if (!end.starts_with(".txt") || !end.substr(4).starts_with(temporaryTail.substr(0, letters)) ||
        !end.ends_with(".tmp"))
        return false;
    for (char c : end.substr(4 + letters, 6)) {
        if (!(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

// Deletes the temporary files that games killed while saving left behind.
void removeStaleTemporaryFiles();

// Gives each of standard input, output and error that is closed the null device, so that no
// save file takes its number and receives the screens. Called before any file is opened;
// false when one is closed and cannot be given it.
bool keepStandardStreamsOpen();

// The player's own folder for this game's files: $XDG_DATA_HOME/kelmarch, else
// ~/.local/share/kelmarch; on Windows %APPDATA%\Kelmarch. Empty when the system names none.
std::filesystem::path playerDataFolder();

// Makes one folder, which only the player can read or write from the moment it exists. False,
// with errno set, when it could not be made.
bool makePrivateFolder(const std::filesystem::path &folder);
