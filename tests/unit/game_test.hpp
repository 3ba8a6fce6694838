#pragma once
// A fixture for unit tests: fresh game state, output captured, scripted input, and a
// temporary working directory for the files the game writes.
#include "character/platform_files.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/random.hpp"
#include "game/game_loop.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using Lines = std::vector<std::string>;

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workDir = std::filesystem::temp_directory_path() /
                  ("kelmarch-unit-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(workDir);
        std::filesystem::create_directories(workDir);
        std::filesystem::current_path(workDir);
        resetGame();
        consoleToStdout = false;
        lineSource = &input;
    }

    void TearDown() override {
        releaseClaim(); // Windows removes no folder while a file in it is open
        drawOverride = nullptr;
        lineSource = nullptr;
        consoleToStdout = true;
        consoleOutput.clear();
        std::filesystem::current_path(home);
        std::filesystem::remove_all(workDir);
    }

    // What the next reads will take, one line each.
    void feed(const std::string &text) { input = std::istringstream(text); }

    // The texts of the message log, in order.
    static Lines loggedTexts() {
        Lines texts;
        for (const LogLine &line : messageLog)
            texts.push_back(line.text);
        return texts;
    }

    // Everything printed since the last call.
    static std::string takeOutput() { return std::exchange(consoleOutput, {}); }

    // The lines of a file under tables/.
    static Lines lines(const std::string &name) {
        std::ifstream file(tables / name);
        Lines read;
        for (std::string line; std::getline(file, line);)
            read.push_back(line);
        EXPECT_FALSE(read.empty()) << name;
        return read;
    }

    // A table's cases: after a header line naming the columns, one case a line, its cells
    // parted by tabs; lines starting with # are notes for the reader.
    static std::vector<Lines> table(const std::string &name) {
        std::vector<Lines> rows;
        for (const std::string &line : lines(name))
            if (!line.starts_with('#') && !line.empty()) {
                std::istringstream cells(line);
                rows.emplace_back();
                for (std::string cell; std::getline(cells, cell, '\t');)
                    rows.back().push_back(cell);
            }
        rows.erase(rows.begin()); // the header
        return rows;
    }

    // The cells [first, first + count) of a row, as numbers.
    static std::vector<int32_t> numbers(const Lines &row, size_t first, size_t count) {
        std::vector<int32_t> values;
        for (size_t i = first; i < first + count; ++i)
            values.push_back(std::stoi(row.at(i)));
        return values;
    }

    std::istringstream input;
    std::filesystem::path workDir;
    static inline int counter = 0;
    // Taken before any test moves to its own folder: the tables' path is made whole on the
    // drive Wine started on.
    static inline const std::filesystem::path home = std::filesystem::current_path();
    static inline const std::filesystem::path tables = home / KELMARCH_TABLES;
};
