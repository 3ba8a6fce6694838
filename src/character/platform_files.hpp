#pragma once
// The operating system's side of saving: every call that differs between platforms is made
// behind these few operations, one source file per platform. Paths are relative to the
// working directory, which is the save folder; the last two operations find and make that folder.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

enum class FileStatus {
    done,
    missing, // no file of that name
    damaged, // not a regular file, larger than the limit, or a read that failed
    busy,    // another running game has claimed the file
    failed,  // could not be written (or removed); the file is as it was
};

// Reads the whole regular file at path (a link is followed) if it holds at most `limit` bytes.
FileStatus readWholeFile(const std::string &path, size_t limit, std::string &content);

// Replaces the file's content so that a crash, a power cut or a second game leaves either the
// old or the new content whole: a fresh temporary file beside it, written, flushed to the
// disk and renamed over it. The file keeps its permissions; a link keeps pointing at the file
// it names, which receives the content. A file the player may not write is left alone.
// With `claim`, the file becomes (or stays) this game's claimed file.
FileStatus replaceFile(const std::string &path, std::string_view content, bool claim);

// One file at a time is claimed by this game: no other running game can claim, replace or
// remove it until this game claims another, releases it or ends (then the system lets go).
// done also when the file is missing or damaged: there is then nothing to hold.
FileStatus claimFile(const std::string &path);
void releaseClaim();
// Removes the file (a link, not what it names); a file claimed by another game stays.
FileStatus removeFile(const std::string &path);

// True when something of that name is in the folder, whatever it is.
bool fileExists(const std::string &path);

// While the folder is locked no other game changes the shared files. Waits for the lock.
void lockSaveFolder();
void unlockSaveFolder();

// A save's temporary file is the save's name with this tail, its X's six random letters, on
// every platform, so that a start-up knows which files are leftovers of a killed save.
constexpr std::string_view temporaryTail = ".XXXXXX.tmp";

inline bool isTemporaryName(std::string_view name) {
    constexpr size_t saveTail = 4 + temporaryTail.size(); // ".txt" and the temporary tail
    if (name.size() <= saveTail || !name.ends_with(".tmp")) return false;
    std::string_view end = name.substr(name.size() - saveTail);
    return end.starts_with(".txt.") && end[saveTail - 4] == '.';
}

// Deletes the temporary files that games killed while saving left behind.
void removeStaleTemporaryFiles();

// The player's own folder for this game's files: $XDG_DATA_HOME/kelmarch, else
// ~/.local/share/kelmarch; on Windows %APPDATA%\Kelmarch. Empty when the system names none.
std::filesystem::path playerDataFolder();

// Makes one folder, which only the player can read or write from the moment it exists. False,
// with errno set, when it could not be made.
bool makePrivateFolder(const std::filesystem::path &folder);
