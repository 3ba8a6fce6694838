#pragma once
// Runs the real kelmarch binary in a temporary working directory with scripted input.
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

struct GameRun {
    std::string output; // standard output, byte for byte
    std::string errors; // standard error
    int exitCode = -1;
    long peakKiB = -1; // the game's largest resident size (-1: GNU time is not installed)
};

class GameDir {
  public:
    GameDir();
    ~GameDir();
    GameDir(const GameDir &) = delete;
    GameDir &operator=(const GameDir &) = delete;

    // Runs the game with these input lines (each ends with a line break) and arguments;
    // colours are off unless the arguments ask for them.
    GameRun play(const std::vector<std::string> &lines, const std::vector<std::string> &args = {});
    // The same with raw bytes on standard input.
    GameRun playRaw(const std::string &stdinBytes, const std::vector<std::string> &args);

    void write(const std::string &name, const std::string &content) const;
    // A saved character, the only one listed: its file is the name line, then `lines`.
    void addCharacter(const std::string &name, const std::string &lines) const;
    std::string read(const std::string &name) const;
    bool exists(const std::string &name) const;
    const std::filesystem::path &path() const { return dir; }

  private:
    std::filesystem::path dir;
};

// Starts the game (colours off) in the folder without waiting for it, reading the open file
// `input` and writing to the file `output`; the caller waits for the process it returns.
pid_t startGame(const GameDir &dir, int input, const std::filesystem::path &output);

// The mana costs of every skill at level 0, as a new character's file has them.
inline const std::string startingManaCosts =
    "Whirlwind Mana:2\nStab Mana:3\nBlades Mana:3\nSlice Mana:2\nGouge Mana:2\n"
    "Bolt Mana:5\nStun Mana:7\nFire Mana:6\nHeal Mana:5\nPoison Mana:6\n";

// The output with each clearing of the screen (300 line breaks) shown as a "<clear>" line.
std::string withClears(const std::string &output);
// The output split at the clearings: what each pass left on the screen, in order.
std::vector<std::string> screensOf(const std::string &output);

bool contains(const std::string &text, const std::string &part);
// Each line stands whole in the output, after the one before it.
void expectInOrder(const std::string &output, const std::vector<std::string> &lines);
// Each block stands in the output as consecutive whole lines.
void expectBlocks(const std::string &output, const std::vector<std::vector<std::string>> &blocks);
