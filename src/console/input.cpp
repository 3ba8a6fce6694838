#include "console/input.hpp"

#include "console/output.hpp"

#include <iostream>

std::string readPrivateLine() {
    flushOutput();
    std::istream &source = lineSource != nullptr ? *lineSource : std::cin;
    std::string line;
    if (!std::getline(source, line)) {
        inputEnded = true;
        line.clear();
    }
    return line;
}

void readLine() { inputLine = readPrivateLine(); }
