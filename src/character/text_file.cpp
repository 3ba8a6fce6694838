#include "character/text_file.hpp"

#include "console/terminal.hpp"

std::vector<std::string> splitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

FileStatus readTextLines(const std::string &path, std::vector<std::string> &lines) {
    std::string content;
    FileStatus status = readWholeFile(path, largestSaveFile, content);
    lines = splitLines(content);
    return status;
}

FileStatus writeTextLines(const std::string &path, const std::vector<std::string> &lines,
                          bool claim) {
    std::string content;
    for (const std::string &line : lines) {
        content += line;
        content += '\n';
    }
    // What the game writes it must be able to read back.
    if (content.size() > largestSaveFile) return FileStatus::failed;
    // Ctrl-C waits for the save: the file is replaced and no temporary file is left behind.
    holdInterruptions();
    const FileStatus status = replaceFile(path, content, claim);
    releaseInterruptions();
    return status;
}
