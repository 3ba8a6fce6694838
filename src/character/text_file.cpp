#include "character/text_file.hpp"

#include <cstdio>
#include <fstream>

std::vector<std::string> readTextLines(const std::string &path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line))
        lines.push_back(line);
    return lines;
}

bool writeTextLines(const std::string &path, const std::vector<std::string> &lines) {
    std::string content;
    for (const std::string &line : lines) {
        content += line;
        content += '\n';
    }
    const std::string temporary = path + ".tmp";
    std::FILE *file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
