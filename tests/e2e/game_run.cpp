#include "game_run.hpp"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string quoted(const std::string &text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The Windows and web tests play the same games through Wine or Node.js.
std::string gameCommand() {
    const char *game = std::getenv("KELMARCH_GAME");
    return game != nullptr ? std::string(game) : quoted(KELMARCH_BINARY);
}

} // namespace

std::string fileContent(const std::filesystem::path &file) {
    std::stringstream content;
    content << std::ifstream(file, std::ios::binary).rdbuf();
    return content.str();
}

GameDir::GameDir() {
    static std::atomic<int> made{0};
    dir = std::filesystem::temp_directory_path() /
          ("kelmarch-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(made++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
}

GameRun GameDir::play(const std::vector<std::string> &lines, const std::vector<std::string> &args) {
    std::string input;
    for (const std::string &line : lines)
        input += line + "\n";
    return playRaw(input, args);
}

GameRun GameDir::playRaw(const std::string &stdinBytes, const std::vector<std::string> &args) {
    const std::filesystem::path io = dir.string() + "-io";
    std::filesystem::create_directories(io);
    std::ofstream(io / "stdin", std::ios::binary) << stdinBytes;
    // A game that stops answering fails its test instead of hanging the suite. GNU time
    // measures the game alone, where the test's own rusage would count this process too.
    const bool measured = std::filesystem::exists("/usr/bin/time");
    std::string command = "cd " + quoted(dir.string()) + " && timeout -k 5 60 ";
    if (measured) command += "/usr/bin/time -f %M -o " + quoted((io / "peak").string()) + " ";
    command += gameCommand();
    for (const std::string &arg : args)
        command += " " + quoted(arg);
    command += " < " + quoted((io / "stdin").string()) + " > " + quoted((io / "stdout").string()) +
               " 2> " + quoted((io / "stderr").string());
    const int status = std::system(command.c_str());
    GameRun run{fileContent(io / "stdout"), fileContent(io / "stderr"),
                WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    // The peak is the last line: a note on the exit status may come first.
    std::istringstream peak(fileContent(io / "peak"));
    for (std::string line; measured && std::getline(peak, line);)
        run.peakKiB = std::atol(line.c_str());
    std::filesystem::remove_all(io);
    return run;
}

pid_t startGame(const GameDir &dir, int input, const std::filesystem::path &output) {
    const std::string command = "cd " + quoted(dir.path().string()) + " && exec " + gameCommand() +
                                " > " + quoted(output.string());
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(input, STDIN_FILENO);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    return child;
}

void GameDir::write(const std::string &name, const std::string &content) const {
    std::ofstream(dir / name, std::ios::binary) << content;
}

void GameDir::addCharacter(const std::string &name, const Overrides &overrides) const {
    std::string profile = name;
    for (char &c : profile)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    write("profiles.txt", profile + "\n");
    write(profile + ".txt", characterFile(name, overrides));
}

std::string characterFile(const std::string &name, const Overrides &overrides) {
    std::string file =
        "Name:" + name + "\n" +
        fileContent(std::filesystem::path(__FILE__).replace_filename("new_warrior.txt"));
    for (const auto &[key, value] : overrides) {
        const size_t line = file.find("\n" + key + ":") + 1;
        if (line == 0)
            file += key + ":" + value + "\n";
        else
            file.replace(line, file.find('\n', line) - line, key + ":" + value);
    }
    return file;
}
