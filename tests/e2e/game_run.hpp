#pragma once
// Runs the real kelmarch binary in a temporary working directory with scripted input.
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

// Lines of a character file by key, without the colon.
using Overrides = std::vector<std::pair<std::string, std::string>>;

// A file's bytes (none when it cannot be read).
std::string fileContent(const std::filesystem::path &file);

struct GameRun {
    std::string output; // standard output, byte for byte
    std::string errors; // standard error
    int exitCode = -1;
    long peakKiB = -1; // the game's largest resident size (-1: GNU time is not installed)
};

class GameDir {
  public:
    GameDir();
    ~GameDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    GameDir(const GameDir &) = delete; // two owners would remove one folder twice
    GameDir &operator=(const GameDir &) = delete;

    // Runs the game with these input lines (each ends with a line break) and arguments;
    // its output is no terminal, so colours are off unless the arguments ask for them.
    // KELMARCH_GAME, when set, is the command that starts the game instead of the build's.
    GameRun play(const std::vector<std::string> &lines, const std::vector<std::string> &args = {});
    // The same with raw bytes on standard input.
    GameRun playRaw(const std::string &stdinBytes, const std::vector<std::string> &args);

    void write(const std::string &name, const std::string &content) const;
    // A saved character, the only one listed (see characterFile).
    void addCharacter(const std::string &name, const Overrides &overrides) const;
    std::string read(const std::string &name) const { return fileContent(dir / name); }
    bool exists(const std::string &name) const { return std::filesystem::exists(dir / name); }
    const std::filesystem::path &path() const { return dir; }

  private:
    std::filesystem::path dir;
};

// Starts the game under test (KELMARCH_GAME when set; no terminal: colours off) in the folder
// without waiting for it, reading the open file `input` and writing to the file `output`; the
// caller waits for the process it returns.
pid_t startGame(const GameDir &dir, int input, const std::filesystem::path &output);

// A character file as the game writes it for a new warrior of this name, with each override
// replacing the line of its key or, for a key the new warrior lacks, added at the end.
std::string characterFile(const std::string &name, const Overrides &overrides = {});

inline bool contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

// Polls until `condition` holds, for `patience` at most (a loaded machine may take seconds to
// answer or redraw); says whether it came to hold.
bool waitFor(auto condition, std::chrono::milliseconds patience = std::chrono::seconds(30)) {
    for (auto end = std::chrono::steady_clock::now() + patience;
         std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(50)))
        if (condition()) return true;
    return condition();
}
