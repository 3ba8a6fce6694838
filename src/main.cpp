// Kelmarch: Orvanis. Parses the options, seeds the random engine and runs the screen loop.
#include "character/platform_files.hpp"
#include "character/save_folder.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "console/terminal.hpp"
#include "console/version.hpp"
#include "game/game_loop.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view usage =
    "usage: kelmarch [--seed N] [--color=auto|always|never] [--theme=auto|light|dark]\n"
    "                [--screen-reader] [--dir DIR] [--help] [--version]\n";

constexpr std::string_view options =
    "Kelmarch: Orvanis, a text role-playing game.\n"
    "\n"
    "usage: kelmarch [--seed N] [--color=auto|always|never] [--theme=auto|light|dark]\n"
    "                [--screen-reader] [--dir DIR] [--help] [--version]\n"
    "\n"
    "  --seed N        seed the random engine with N (0 to 4294967295) for a replayable game\n"
    "  --color=WHEN    colours: auto (only on a terminal with NO_COLOR unset), always, never\n"
    "  --theme=THEME   colours for a light or a dark background; auto takes light when\n"
    "                  COLORFGBG ends in ;7 or ;15, as terminals with a light background set it\n"
    "  --screen-reader for a screen reader: no colours or other escapes, what a colour\n"
    "                  means said in words ([40 Attk, met]), one empty line for a clear;\n"
    "                  KELMARCH_SCREEN_READER=1 does the same\n"
    "  --dir DIR       keep the saves in DIR, created (private to you) if missing\n"
    "  -h, --help      show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n";

// As the player's system spells it, whatever the platform's own encoding of paths.
std::string folderName(const std::filesystem::path &folder) {
    const std::u8string name = folder.u8string();
    return std::string(name.begin(), name.end());
}

// The help names the folder this build saves in without --dir.
std::string help() {
    const std::optional<std::filesystem::path> folder = builtInSaveFolder();
    const std::string where = !folder           ? "DIR only (this system names no data folder)"
                              : folder->empty() ? "the working directory, or in DIR"
                                                : folderName(*folder) + ", or in DIR";
    return std::string(options) + "Characters are saved in " + where +
           ":\none <name>.txt file per character and profiles.txt listing them.\n"
           "The game ends when its input ends.\n";
}

constexpr std::string_view seedWanted = "--seed needs a whole number from 0 to 4294967295";

std::optional<uint32_t> parseSeed(std::string_view text) {
    uint32_t seed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return seed;
}

// What is wrong, then the usage line, both on standard error.
int commandLineError(const std::string &problem) {
    std::fputs(("kelmarch: " + problem + "\n").c_str(), stderr);
    std::fputs(usage.data(), stderr);
    return 2;
}

// The argument is the option `name`, written "--name=VALUE" or "--name VALUE".
bool isOption(std::string_view argument, std::string_view name) {
    return argument.starts_with(name) &&
           (argument.size() == name.size() || argument[name.size()] == '=');
}

// The option's value: what follows its '=', or else the next argument, which it takes.
std::optional<std::string_view> optionValue(std::string_view argument, int &i, int argc,
                                            char **argv) {
    const size_t equals = argument.find('=');
    if (equals != std::string_view::npos) return argument.substr(equals + 1);
    if (i + 1 < argc) return argv[++i];
    return std::nullopt;
}

bool oneOf(std::optional<std::string_view> value, std::initializer_list<std::string_view> words) {
    return value && std::find(words.begin(), words.end(), *value) != words.end();
}

} // namespace

int main(int argc, char **argv) {
    if (!keepStandardStreamsOpen()) {
        std::fputs("kelmarch: a closed standard stream cannot be given the null device\n", stderr);
        return 2;
    }
    std::optional<uint32_t> seed;
    std::string_view colour = "auto";
    std::string_view theme = "auto";
    std::string saveFolder;
    const char *screenReader = std::getenv("KELMARCH_SCREEN_READER");
    screenReaderActive = screenReader != nullptr && std::string_view(screenReader) == "1";
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(help().c_str(), stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts(("Kelmarch: Orvanis " + gameVersion).c_str());
            return 0;
        }
        if (isOption(argument, "--seed")) {
            std::optional<std::string_view> value = optionValue(argument, i, argc, argv);
            seed = value ? parseSeed(*value) : std::nullopt;
            if (!seed)
                return commandLineError(std::string(seedWanted) +
                                        (value ? ", not '" + std::string(*value) + "'" : ""));
        } else if (isOption(argument, "--dir")) {
            saveFolder = optionValue(argument, i, argc, argv).value_or("");
            if (saveFolder.empty()) return commandLineError("--dir needs a folder");
        } else if (isOption(argument, "--color")) {
            std::optional<std::string_view> value = optionValue(argument, i, argc, argv);
            if (!oneOf(value, {"auto", "always", "never"}))
                return commandLineError("--color takes auto, always or never");
            colour = *value;
        } else if (argument == "--screen-reader") {
            screenReaderActive = true;
        } else if (isOption(argument, "--theme")) {
            std::optional<std::string_view> value = optionValue(argument, i, argc, argv);
            if (!oneOf(value, {"auto", "light", "dark"}))
                return commandLineError("--theme takes auto, light or dark");
            theme = *value;
        } else {
            return commandLineError("unknown option '" + std::string(argument) + "'");
        }
    }

    std::optional<std::filesystem::path> folder = builtInSaveFolder();
    if (!saveFolder.empty()) {
        folder = std::filesystem::path(saveFolder);
    } else if (!folder) {
        std::fputs("kelmarch: this system names no data folder for the saves: name one with "
                   "--dir DIR\n",
                   stderr);
        return 2;
    }
    if (!folder->empty()) {
        const std::string problem = enterSaveFolder(*folder);
        if (!problem.empty()) {
            const std::string shown = saveFolder.empty() ? folderName(*folder) : saveFolder;
            std::fputs(("kelmarch: cannot keep saves in " + shown + ": " + problem + "\n").c_str(),
                       stderr);
            return 2;
        }
    }

    startConsole(colour);
    choosePalette(theme, std::getenv("COLORFGBG"));
    seedRandom(seed ? *seed : static_cast<uint32_t>(std::time(nullptr)));
    std::ios::sync_with_stdio(false);
    return screenLoop();
}
