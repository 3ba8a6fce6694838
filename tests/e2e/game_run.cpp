#include "game_run.hpp"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::atomic<int> dirCounter{0};

std::string quoted(const std::string &text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string slurp(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// The Windows and web tests play the same games through Wine or Node.js.
std::string gameCommand() {
    const char *game = std::getenv("KELMARCH_GAME");
    return game != nullptr ? std::string(game) : quoted(KELMARCH_BINARY);
}

} // namespace

GameDir::GameDir() {
    dir = std::filesystem::temp_directory_path() /
          ("kelmarch-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(dirCounter++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
}

GameDir::~GameDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

GameRun GameDir::play(const std::vector<std::string> &lines, const std::vector<std::string> &args) {
    std::string input;
    for (const std::string &line : lines)
        input += line + "\n";
    return playRaw(input, args);
}

GameRun GameDir::playRaw(const std::string &stdinBytes, const std::vector<std::string> &args) {
    const std::filesystem::path io = dir.parent_path() / (dir.filename().string() + "-io");
    std::filesystem::create_directories(io);
    { std::ofstream(io / "stdin", std::ios::binary) << stdinBytes; }
    // A game that stops answering fails its test instead of hanging the suite. GNU time
    // measures the game alone, where the test's own rusage would count this process too.
    const bool measured = std::filesystem::exists("/usr/bin/time");
    std::string command = "cd " + quoted(dir.string()) + " && timeout -k 5 60 ";
    if (measured) command += "/usr/bin/time -f %M -o " + quoted((io / "peak").string()) + " ";
    command += gameCommand();
    for (const std::string &arg : args)
        command.append(" ").append(quoted(arg));
    command += " < " + quoted((io / "stdin").string()) + " > " + quoted((io / "stdout").string()) +
               " 2> " + quoted((io / "stderr").string());
    int status = std::system(command.c_str());
    GameRun run;
    run.output = slurp(io / "stdout");
    run.errors = slurp(io / "stderr");
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (measured) {
        std::string peak = slurp(io / "peak"); // a note on the exit status may come first
        size_t lastLine = peak.find_last_of('\n', peak.size() >= 2 ? peak.size() - 2 : 0);
        run.peakKiB = std::atol(peak.c_str() + (lastLine == std::string::npos ? 0 : lastLine + 1));
    }
    std::filesystem::remove_all(io);
    return run;
}

pid_t startGame(const GameDir &dir, int input, const std::filesystem::path &output) {
    const std::string command = "exec " + gameCommand();
    pid_t child = ::fork();
    if (child == 0) {
        int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || ::chdir(dir.path().c_str()) != 0) ::_exit(127);
        ::dup2(input, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
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

std::string GameDir::read(const std::string &name) const {
    return slurp(dir / name);
}

bool GameDir::exists(const std::string &name) const {
    return std::filesystem::exists(dir / name);
}

bool contains(const std::string &text, const std::string &part) {
    return text.find(part) != std::string::npos;
}

std::string characterFile(const std::string &name, const Overrides &overrides) {
    std::vector<std::pair<std::string, std::string>> lines{
        {"Level", "1"},         {"XP", "0"},
        {"Stat Points", "0"},   {"Skill Points", "1"},
        {"Gold", "0"},          {"Current Health", "150"},
        {"Max Health", "150"},  {"Attack", "25"},
        {"Defense", "12"},      {"Agility", "8"},
        {"Current Mana", "10"}, {"Max Mana", "10"},
        {"Wilderness", "0"},    {"Whirlwind Mana", "2"},
        {"Stab Mana", "3"},     {"Blades Mana", "3"},
        {"Slice Mana", "2"},    {"Gouge Mana", "2"},
        {"Bolt Mana", "5"},     {"Stun Mana", "7"},
        {"Fire Mana", "6"},     {"Heal Mana", "5"},
        {"Poison Mana", "6"}};
    for (const auto &[key, value] : overrides) {
        auto same = std::ranges::find(lines, key, &std::pair<std::string, std::string>::first);
        if (same != lines.end())
            same->second = value;
        else
            lines.emplace_back(key, value);
    }
    std::string file = "Name:" + name + "\n";
    for (const auto &[key, value] : lines)
        file += key + ":" + value + "\n";
    return file;
}
