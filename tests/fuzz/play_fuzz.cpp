// Fuzzes play: any bytes typed into a folder of damaged characters and a veteran who reaches
// the deep screens must end the game without a crash, undefined behaviour or a hang, with exit
// status 0, and every character file it wrote must load again.
#include "character/character_file.hpp"
#include "character/platform_files.hpp"
#include "character/profiles.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "game/game_loop.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::map<fs::path, std::string> planted; // the files each input starts from, by name

std::string content(const fs::path &file) {
    std::stringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

// The recorded damaged characters (refused levels, escapes in a name, negative health, a
// folder), the veteran, and a name listed without its file.
void plantFolder() {
    for (const auto &entry : fs::directory_iterator("."))
        fs::remove_all(entry.path());
    fs::copy(KELMARCH_DAMAGED_FOLDER, ".", fs::copy_options::recursive);
    fs::copy_file(KELMARCH_VETERAN, "bob.txt");
    std::ofstream("profiles.txt", std::ios::app) << "bob\nmissing\n";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    const fs::path folder = fs::temp_directory_path() / "kelmarch-play-fuzz";
    fs::remove_all(folder);
    fs::create_directory(folder);
    fs::current_path(folder);
    plantFolder();
    for (const auto &entry : fs::directory_iterator("."))
        planted[entry.path().filename()] = content(entry.path());
    consoleToStdout = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    plantFolder();
    resetGame();
    seedRandom(1);
    std::istringstream typed(std::string(reinterpret_cast<const char *>(data), size));
    lineSource = &typed;
    if (screenLoop() != 0) std::abort();
    releaseClaim();
    consoleOutput.clear();
    for (const auto &entry : fs::directory_iterator(".")) {
        const fs::path file = entry.path().filename();
        if (file == "profiles.txt" || file.extension() != ".txt" || planted[file] == content(file))
            continue;
        resetGame();
        profileName = file.stem().string();
        if (!loadCharacter()) std::abort();
        releaseClaim();
    }
    return 0;
}
